// SPDX-License-Identifier: Apache-2.0
// Lengths and element counts that must not wrap. An ArraySize keeps its
// wrapping element count, but no array may hold a shape whose true count does
// not fit in 64 bits: every path that sizes a block or turns subscripts into
// positions goes through these and raises std::bad_array_new_length instead.
#pragma once

#include <lang/core/types/array_size.hpp>

#include <new>
#include <optional>
#include <span>

namespace lang::core::detail {

/// a + b, or std::bad_array_new_length when it does not fit.
inline unsigned long exact_sum(unsigned long a, unsigned long b) {
    unsigned long r;
    if (__builtin_add_overflow(a, b, &r)) throw std::bad_array_new_length();
    return r;
}

/// a * b, or std::bad_array_new_length when it does not fit.
inline unsigned long exact_product(unsigned long a, unsigned long b) {
    unsigned long r;
    if (__builtin_mul_overflow(a, b, &r)) throw std::bad_array_new_length();
    return r;
}

/// The true product of `lengths` (1 when there are none): 0 when one of them
/// is 0, however large the others; none when it does not fit.
inline std::optional<unsigned long> true_product(std::span<unsigned long const> lengths) noexcept {
    unsigned long r = 1;
    bool fits = true;
    for (unsigned long const l : lengths) {
        if (l == 0) return 0;
        fits = fits && !__builtin_mul_overflow(r, l, &r);
    }
    if (!fits) return std::nullopt;
    return r;
}

/// The true element count of `s`, or std::bad_array_new_length.
inline unsigned long exact_count(ArraySize const& s) {
    // Known since the shape was interned.
    if (s.data()->countFits()) return s.numElements();
    throw std::bad_array_new_length();
}

}  // namespace lang::core::detail
