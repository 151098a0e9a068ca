// SPDX-License-Identifier: Apache-2.0
// Feeding digest fields: every integer goes to the sink in one call as its
// big-endian bytes, as wide as its type.
#pragma once

#include <lang/core/types/digest_sink.hpp>

#include <climits>
#include <cstddef>
#include <type_traits>

namespace lang::core::detail {

template <class T>
    requires std::is_integral_v<T>
void feed(DigestSink& sink, T value) {
    using U = std::make_unsigned_t<T>;
    auto const bits = static_cast<U>(value);
    char bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<char>(bits >> (CHAR_BIT * (sizeof(T) - 1 - i)));
    }
    sink(bytes, sizeof(T));
}

}  // namespace lang::core::detail
