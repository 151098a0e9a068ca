// SPDX-License-Identifier: Apache-2.0
// The conversion loop between element types, run through kernels::run.
#pragma once

#include "ops/detail/convert_element.hpp"
#include "ops/kernels/kernel_path.hpp"

#include <type_traits>

#if LANGCORE_X86_64
#include <emmintrin.h>
#endif

namespace lang::core::kernels {

// Converts n elements and, when Check is set, reports whether any changed.
// The flag is an or over the whole run rather than an early exit, so the
// loop stays branch-free.
template <bool Check, class U>
struct ConvertLoop {
    template <class T>
    [[gnu::always_inline]] bool operator()(auto, T const* __restrict in, U* __restrict out, unsigned long n) const {
        bool changed = false;
        unsigned long i = 0;
#if LANGCORE_X86_64
        if constexpr (std::is_same_v<T, double> && std::is_same_v<U, int>) {
            // The processor's truncation gives INT_MIN for NaN and for every
            // value outside int's range, which is real_to_integer's rule, so
            // it needs no range test. Compared as doubles, a NaN or a value
            // that did not survive differs from its image; -0.0 does not.
            // Four at a time, in two independent halves.
            __m128d differs = _mm_setzero_pd();
            for (; i + 4 <= n; i += 4) {
                __m128d const x0 = _mm_loadu_pd(in + i);
                __m128d const x1 = _mm_loadu_pd(in + i + 2);
                __m128i const y0 = _mm_cvttpd_epi32(x0);
                __m128i const y1 = _mm_cvttpd_epi32(x1);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi64(y0, y1));
                if constexpr (Check) {
                    __m128d const d0 = _mm_cmpneq_pd(_mm_cvtepi32_pd(y0), x0);
                    __m128d const d1 = _mm_cmpneq_pd(_mm_cvtepi32_pd(y1), x1);
                    differs = _mm_or_pd(differs, _mm_or_pd(d0, d1));
                }
            }
            changed = _mm_movemask_pd(differs) != 0;
        }
#endif
        for (; i < n; ++i) {
            U const y = detail::convert_element<U>(in[i]);
            out[i] = y;
            if constexpr (Check) changed |= detail::conversion_changes(in[i], y);
        }
        return changed;
    }
};

}  // namespace lang::core::kernels
