// SPDX-License-Identifier: Apache-2.0
// The kernels of the reductions: every output element is its run of inputs
// folded from the initial value in ascending position, or the position of
// the run's first best element. Loops run through kernels::run on every
// path; reals summed or multiplied, or their extrema, along contiguous runs
// are folded a vector's width of runs at a time. Every path folds each
// output in the same order.
#pragma once

#include "ops/kernels/kernel_path.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

namespace lang::core::kernels {

/// How linear positions split around the reduced dimension: `outer` blocks
/// of `len` runs of `stride` contiguous elements; a block's runs combine
/// into one run of output.
struct Walk {
    unsigned long stride;
    unsigned long len;
    unsigned long outer;
};

/// Lane j of a and b's butterfly at distance s: the low output takes a's
/// lane where bit s of j is clear and b's lane j - s where it is set; the
/// high output a's lane j + s and b's lane j.
template <class V, std::size_t Lanes, std::size_t S, bool High, std::size_t... J>
[[gnu::always_inline]] inline V butterfly(V a, V b, std::index_sequence<J...>) {
    return __builtin_shufflevector(a, b, (J & S ? Lanes + J - (High ? 0 : S) : J + (High ? S : 0))...);
}

/// Transposes a square of vectors in place, one butterfly round per bit.
template <std::size_t S = 1, class V, std::size_t Lanes>
[[gnu::always_inline]] inline void transpose(V (&v)[Lanes]) {
    if constexpr (S < Lanes) {
        constexpr auto all = std::make_index_sequence<Lanes>{};
#pragma GCC unroll 8
        for (std::size_t i = 0; i < Lanes; ++i) {
            if (i & S) continue;
            V const low = butterfly<V, Lanes, S, false>(v[i], v[i + S], all);
            v[i + S] = butterfly<V, Lanes, S, true>(v[i], v[i + S], all);
            v[i] = low;
        }
        transpose<S * 2>(v);
    }
}

/// Runs of one element folded a vector's lanes at a time, four vectors side
/// by side, the operator's rule applied to whole vectors. Each square of
/// consecutive elements of as many runs as lanes is loaded and transposed,
/// so that a lane takes its own run's elements one after another, in order.
/// Returns how many runs it folded.
template <class V, class T, class Step>
[[gnu::always_inline]] inline unsigned long fold_columns_wide(T const* __restrict in, T* __restrict out,
                                                              unsigned long len, unsigned long outer, T init,
                                                              Step step) {
    constexpr std::size_t lanes = sizeof(V) / sizeof(T);
    constexpr unsigned long group = 4 * lanes;
    unsigned long b = 0;
    for (; b + group <= outer; b += group) {
        T const* const p = in + b * len;
        V acc[4];
        for (V& a : acc) a = V{} + init;
        unsigned long k = 0;
        for (; k + lanes <= len; k += lanes) {
#pragma GCC unroll 4
            for (unsigned long g = 0; g < 4; ++g) {
                V square[lanes];
#pragma GCC unroll 8
                for (std::size_t r = 0; r < lanes; ++r) std::memcpy(&square[r], p + (g * lanes + r) * len + k, sizeof(V));
                transpose(square);
#pragma GCC unroll 8
                for (V const& column : square) acc[g] = step(acc[g], column);
            }
        }
        T sums[group];
        std::memcpy(sums, acc, sizeof sums);
        for (unsigned long g = 0; g < group; ++g) {
            for (unsigned long r = k; r < len; ++r) sums[g] = step(sums[g], p[g * len + r]);
            out[b + g] = sums[g];
        }
    }
    return b;
}

/// Runs of one element: each output folds `len` contiguous inputs. Several
/// outputs are folded side by side; each keeps its own left-to-right order,
/// but the independent chains hide the latency of a floating-point step.
struct FoldColumnsLoop {
    template <class Isa, class T, class Step>
    [[gnu::always_inline]] void operator()(Isa, T const* __restrict in, T* __restrict out, unsigned long len,
                                           unsigned long outer, T init, Step step) const {
        unsigned long b = 0;
        using V = Vector<double, Isa::vector_bytes>;
        if constexpr (std::is_same_v<T, double> && std::is_invocable_r_v<V, Step, V, V>) {
            b = fold_columns_wide<V>(in, out, len, outer, init, step);
        }
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

/// The position along the walked dimension of each run's best element.
/// `out` starts at position 0 everywhere; a later element replaces the best
/// one only when strictly better, so ties keep the lowest position.
struct SelectLoop {
    template <class T, class Better>
    [[gnu::always_inline]] void operator()(auto, T const* __restrict in, unsigned long* __restrict out, Walk w,
                                           Better better) const {
        if (w.stride == 1) {
            for (unsigned long b = 0; b < w.outer; ++b) {
                T const* const p = in + b * w.len;
                T best = p[0];
                unsigned long at = 0;
                for (unsigned long k = 1; k < w.len; ++k) {
                    if (better(p[k], best)) {
                        best = p[k];
                        at = k;
                    }
                }
                out[b] = at;
            }
            return;
        }
        for (unsigned long b = 0; b < w.outer; ++b) {
            unsigned long* const o = out + b * w.stride;
            T const* const block = in + b * w.len * w.stride;
            for (unsigned long k = 1; k < w.len; ++k) {
                T const* const row = block + k * w.stride;
                for (unsigned long j = 0; j < w.stride; ++j) {
                    if (better(row[j], block[o[j] * w.stride + j])) o[j] = k;
                }
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
