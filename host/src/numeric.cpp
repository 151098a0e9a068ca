// SPDX-License-Identifier: Apache-2.0
#include <kbase/numeric.hpp>

#include <bit>
#include <cstdarg>
#include <cstdio>

int kbase_snprintf(char* buffer, std::size_t size, char const* format, ...) {
    va_list args;
    va_start(args, format);
    int const written = std::vsnprintf(buffer, size, format, args);
    va_end(args);
    return written;
}

namespace kbase {

std::array<std::uint32_t, 2> to_ints(double value) noexcept {
    auto const bits = std::bit_cast<std::uint64_t>(value);
    return {static_cast<std::uint32_t>(bits >> 32), static_cast<std::uint32_t>(bits)};
}

}  // namespace kbase
