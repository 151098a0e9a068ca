// SPDX-License-Identifier: Apache-2.0
// The conversion loop between element types, run through kernels::run.
#pragma once

#include "ops/detail/convert_element.hpp"
#include "ops/kernels/kernel_path.hpp"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace lang::core::kernels {

/// Reals to integers a vector's width at a time, by real_to_integer's rule:
/// values whose magnitude leaves the range (and NaN) are replaced by -2^31
/// before truncating, so no conversion is out of range on any target and
/// they become INT_MIN.
/// Compared as reals, a NaN or a value that did not survive differs from its
/// image; -0.0 does not. Returns how many it converted.
template <unsigned Bytes, bool Check>
[[gnu::always_inline]] inline unsigned long reals_to_integers(double const* __restrict in, int* __restrict out,
                                                              unsigned long n, bool& changed) {
    using Real = Vector<double, Bytes>;
    using Bits = Vector<long long, Bytes>;
    constexpr unsigned long lanes = Bytes / sizeof(double);
    Real const low = Real{} - 2147483648.0;
    Bits const magnitude = Bits{} + 0x7fffffffffffffffLL;
    Bits differs{};
    unsigned long i = 0;
#pragma GCC unroll 2
    for (; i + lanes <= n; i += lanes) {
        Real x;
        std::memcpy(&x, in + i, sizeof x);
        Real const safe = Real(Bits(x) & magnitude) < 2147483648.0 ? x : low;
        auto const y = __builtin_convertvector(safe, Vector<int, Bytes / 2>);
        std::memcpy(out + i, &y, sizeof y);
        if constexpr (Check) differs |= Bits(__builtin_convertvector(y, Real) != x);
    }
    for (unsigned long l = 0; l < lanes; ++l) changed |= differs[l] != 0;
    return i;
}

// Converts n elements and, when Check is set, reports whether any changed.
// The flag is an or over the whole run rather than an early exit, so the
// loop stays branch-free.
template <bool Check, class U>
struct ConvertLoop {
    template <class Isa, class T>
    [[gnu::always_inline]] bool operator()(Isa, T const* __restrict in, U* __restrict out, unsigned long n) const {
        bool changed = false;
        unsigned long i = 0;
        if constexpr (std::is_same_v<T, double> && std::is_same_v<U, int>) {
            // g++ 12 builds the selects of 512-bit vectors lane by lane, and
            // 256 bits already keep up with memory.
            i = reals_to_integers<std::min(Isa::vector_bytes, 32u), Check>(in, out, n, changed);
        }
        for (; i < n; ++i) {
            U const y = detail::convert_element<U>(in[i]);
            out[i] = y;
            if constexpr (Check) changed |= detail::conversion_changes(in[i], y);
        }
        return changed;
    }
};

}  // namespace lang::core::kernels
