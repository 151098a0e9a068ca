// SPDX-License-Identifier: Apache-2.0
// The folding kernel of the reductions: every output element is its run of
// inputs folded from the initial value in ascending position. Loops run
// through kernels::run, generic or compiled for AVX2; reals summed or
// multiplied, or their extrema, along contiguous runs take an interleaved
// AVX2 kernel instead. Every path folds each output in the same order, so all
// give the same bits.
#pragma once

#include "ops/detail/element_ops.hpp"
#include "ops/kernels/kernel_path.hpp"

#include <algorithm>
#include <type_traits>

#if LANGCORE_X86_64
#include <immintrin.h>
#endif

namespace lang::core::kernels {

/// How linear positions split around the reduced dimension: `outer` blocks
/// of `len` runs of `stride` contiguous elements; a block's runs combine
/// into one run of output.
struct Walk {
    unsigned long stride;
    unsigned long len;
    unsigned long outer;
};

#if LANGCORE_X86_64

/// The AVX2 form of a real step acc = step(acc, x), where one exists with
/// exactly its result: min_pd(x, acc) is x < acc ? x : acc, as MIN's rule.
template <class Step>
constexpr bool has_vector_step = std::is_same_v<Step, detail::ElementOp<op::PLUS>> ||
                                 std::is_same_v<Step, detail::ElementOp<op::TIMES>> ||
                                 std::is_same_v<Step, detail::ElementOp<op::MIN>> ||
                                 std::is_same_v<Step, detail::ElementOp<op::MAX>>;

template <class Step>
[[gnu::target("avx2"), gnu::always_inline]] inline __m256d vector_step(__m256d acc, __m256d x) {
    if constexpr (std::is_same_v<Step, detail::ElementOp<op::PLUS>>) return _mm256_add_pd(acc, x);
    else if constexpr (std::is_same_v<Step, detail::ElementOp<op::TIMES>>) return _mm256_mul_pd(acc, x);
    else if constexpr (std::is_same_v<Step, detail::ElementOp<op::MIN>>) return _mm256_min_pd(x, acc);
    else return _mm256_max_pd(x, acc);
}

/// Sixteen runs of one element at a time, four per register, as long as
/// sixteen remain; returns how many runs it folded: four
/// consecutive elements of four runs are loaded and transposed, so each lane
/// takes its own run's elements one after another, in order.
template <class Step>
[[gnu::target("avx2")]] unsigned long fold_columns_avx2(double const* __restrict in, double* __restrict out,
                                               unsigned long len, unsigned long outer, double init, Step step) {
    constexpr unsigned long lanes = 16;
    unsigned long b = 0;
    for (; b + lanes <= outer; b += lanes) {
        double const* const p = in + b * len;
        __m256d acc[4];
        for (auto& a : acc) a = _mm256_set1_pd(init);
        unsigned long k = 0;
        for (; k + 4 <= len; k += 4) {
            for (unsigned long g = 0; g < 4; ++g) {
                double const* const q = p + 4 * g * len + k;
                __m256d const r0 = _mm256_loadu_pd(q);
                __m256d const r1 = _mm256_loadu_pd(q + len);
                __m256d const r2 = _mm256_loadu_pd(q + 2 * len);
                __m256d const r3 = _mm256_loadu_pd(q + 3 * len);
                __m256d const even01 = _mm256_unpacklo_pd(r0, r1);  // k, k+2 of runs 0 and 1
                __m256d const odd01 = _mm256_unpackhi_pd(r0, r1);   // k+1, k+3
                __m256d const even23 = _mm256_unpacklo_pd(r2, r3);
                __m256d const odd23 = _mm256_unpackhi_pd(r2, r3);
                acc[g] = vector_step<Step>(acc[g], _mm256_permute2f128_pd(even01, even23, 0x20));
                acc[g] = vector_step<Step>(acc[g], _mm256_permute2f128_pd(odd01, odd23, 0x20));
                acc[g] = vector_step<Step>(acc[g], _mm256_permute2f128_pd(even01, even23, 0x31));
                acc[g] = vector_step<Step>(acc[g], _mm256_permute2f128_pd(odd01, odd23, 0x31));
            }
        }
        alignas(32) double sums[lanes];
        for (unsigned long g = 0; g < 4; ++g) _mm256_store_pd(sums + 4 * g, acc[g]);
        for (unsigned long g = 0; g < lanes; ++g) {
            for (unsigned long r = k; r < len; ++r) sums[g] = step(sums[g], p[g * len + r]);
            out[b + g] = sums[g];
        }
    }
    return b;
}

#endif

/// Runs of one element: each output folds `len` contiguous inputs. Several
/// outputs are folded side by side; each keeps its own left-to-right order,
/// but the independent chains hide the latency of a floating-point step.
struct FoldColumnsLoop {
    template <class Isa, class T, class Step>
    [[gnu::always_inline]] void operator()(Isa, T const* __restrict in, T* __restrict out, unsigned long len,
                                           unsigned long outer, T init, Step step) const {
        unsigned long b = 0;
#if LANGCORE_X86_64
        if constexpr (Isa::path != KernelPath::generic && std::is_same_v<T, double> && has_vector_step<Step>) {
            b = fold_columns_avx2(in, out, len, outer, init, step);
        }
#endif
        constexpr unsigned long lanes = 8;
        for (; b + lanes <= outer; b += lanes) {
            T const* const p = in + b * len;
            T acc[lanes];
            for (unsigned long g = 0; g < lanes; ++g) acc[g] = init;
            for (unsigned long k = 0; k < len; ++k) {
                for (unsigned long g = 0; g < lanes; ++g) acc[g] = step(acc[g], p[g * len + k]);
            }
            for (unsigned long g = 0; g < lanes; ++g) out[b + g] = acc[g];
        }
        for (; b < outer; ++b) {
            T const* const p = in + b * len;
            T acc = init;
            for (unsigned long k = 0; k < len; ++k) acc = step(acc, p[k]);
            out[b] = acc;
        }
    }
};

/// Longer runs: each input run combines with its block's output run, runs
/// in increasing position, so every output element still folds left to
/// right; the first run also stands in for the initialising pass.
struct FoldRunsLoop {
    template <class T, class Step>
    [[gnu::always_inline]] void operator()(auto, T const* __restrict in, T* __restrict out, Walk w, T init,
                                           Step step) const {
        for (unsigned long b = 0; b < w.outer; ++b) {
            T* __restrict const o = out + b * w.stride;
            T const* __restrict row = in + b * w.len * w.stride;
            for (unsigned long j = 0; j < w.stride; ++j) o[j] = step(init, row[j]);
            for (unsigned long k = 1; k < w.len; ++k) {
                row += w.stride;
                for (unsigned long j = 0; j < w.stride; ++j) o[j] = step(o[j], row[j]);
            }
        }
    }
};

/// Folds `in`, walked as `w`, into every output element.
template <class T, class Step>
void fold(T const* in, T* out, Walk w, T init, Step step) {
    if (w.len == 0) {
        std::fill_n(out, w.stride * w.outer, init);
        return;
    }
    if (w.len == 1) {  // the blocks are adjacent: one block of all elements
        w.stride *= w.outer;
        w.outer = 1;
    }
    if (w.stride != 1) run(FoldRunsLoop{}, in, out, w, init, step);
    else run(FoldColumnsLoop{}, in, out, w.len, w.outer, init, step);
}

}  // namespace lang::core::kernels
