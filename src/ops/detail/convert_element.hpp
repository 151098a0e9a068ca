// SPDX-License-Identifier: Apache-2.0
// The conversion of one element between any two element types, and whether
// it changed the value. A value is unchanged when converting the result back
// gives it again, except that an index above INT_MAX always changes.
#pragma once

#include <lang/core/types/type_id.hpp>

#include <climits>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace lang::core::detail {

/// Reals to index: truncation toward zero, negative values wrapping; values
/// from 2^63 up are offset into the signed range and their top bit restored.
/// NaN and values below -2^63 give 2^63, values from 2^64 up give 0.
inline unsigned long real_to_index(double x) noexcept {
    constexpr double two63 = 9223372036854775808.0;
    constexpr std::uint64_t top = std::uint64_t{1} << 63;
    if (x >= two63) {
        double const low = x - two63;
        return (low < two63 ? static_cast<std::uint64_t>(static_cast<std::int64_t>(low)) : top) ^ top;
    }
    // The negated test also sends NaN to the overflow value.
    return x >= -two63 ? static_cast<std::uint64_t>(static_cast<std::int64_t>(x)) : top;
}

/// Reals to integer: truncation toward zero; NaN and values whose truncation
/// leaves the 32-bit range give INT_MIN.
inline int real_to_integer(double x) noexcept {
    // One comparison: the values in (-2^31 - 1, -2^31] that it also sends to
    // INT_MIN truncate to INT_MIN anyway.
    return std::fabs(x) < 2147483648.0 ? static_cast<int>(x) : INT_MIN;
}

/// `x` as element type U: a logical is x != 0 (true for NaN, false for -0.0);
/// integers wrap; reals truncate by the two rules above.
template <class U, class T>
U convert_element(T x) noexcept {
    if constexpr (std::is_same_v<U, bool>) {
        return x != T(0);
    } else if constexpr (std::is_same_v<T, double> && std::is_same_v<U, int>) {
        return real_to_integer(x);
    } else if constexpr (std::is_same_v<T, double> && std::is_same_v<U, unsigned long>) {
        return real_to_index(x);
    } else {
        // The remaining pairs are C++'s own conversions: bool to 0 or 1,
        // int to unsigned long by sign extension, unsigned long to int by its
        // low 32 bits, and integers to the nearest double.
        return static_cast<U>(x);
    }
}

/// True when converting `x` to U changed its value: the result does not
/// convert back to `x` (NaN never does; -0.0 does, from 0).
template <class U, class T>
bool conversion_changes(T x, U y) noexcept {
    if constexpr (std::is_same_v<T, unsigned long> && std::is_same_v<U, int>) {
        // Sign extension would bring the top 2^31 indices back from their
        // negative images.
        return x > static_cast<unsigned long>(INT_MAX);
    } else {
        return !(convert_element<T>(y) == x);
    }
}

}  // namespace lang::core::detail
