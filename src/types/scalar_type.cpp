// SPDX-License-Identifier: Apache-2.0
#include <lang/core/types/scalar_type.hpp>

#include "detail/hash.hpp"

#include <cstdint>
#include <ostream>

namespace lang::core {

unsigned long hash_value(ScalarType const& t) noexcept {
    // The id is sign-extended, so INVALID hashes as all ones.
    return t.hash_memo().get(
        [&] { return detail::hash_combine(0, static_cast<std::uint64_t>(static_cast<std::int64_t>(t()))); });
}

std::ostream& operator<<(std::ostream& os, ScalarType const& t) { return os << t(); }

}  // namespace lang::core
