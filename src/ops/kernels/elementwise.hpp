// SPDX-License-Identifier: Apache-2.0
// The element-wise loops of folding: one body per loop, run through
// kernels::run on every path. The element rule is the same functor on each
// path and every element is computed on its own, so all give the same bits.
#pragma once

#include "ops/kernels/kernel_path.hpp"

namespace lang::core::kernels {

// The pointers are __restrict parameters, the form in which both compilers
// trust them, and every loop runs branch-free in linear order so that simple
// element rules vectorise.

struct MapLoop {
    template <class T, class R, class F>
    [[gnu::always_inline]] void operator()(auto, T const* __restrict x, R* __restrict out, unsigned long n, F f) const {
        for (unsigned long i = 0; i < n; ++i) out[i] = f(x[i]);
    }
};

struct ZipLoop {
    template <class T, class R, class F>
    [[gnu::always_inline]] void operator()(auto, T const* __restrict x, T const* __restrict y, R* __restrict out,
                                           unsigned long n, F f) const {
        for (unsigned long i = 0; i < n; ++i) out[i] = f(x[i], y[i]);
    }
};

/// f(x[i], s), or f(s, x[i]) when the scalar is on the left: the scalar stays
/// in a register, never expanded.
template <bool ScalarLeft>
struct ExpandLoop {
    template <class T, class R, class F>
    [[gnu::always_inline]] void operator()(auto, T const* __restrict x, T s, R* __restrict out, unsigned long n,
                                           F f) const {
        for (unsigned long i = 0; i < n; ++i) out[i] = ScalarLeft ? f(s, x[i]) : f(x[i], s);
    }
};

struct UpdateLoop {
    template <class T, class F>
    [[gnu::always_inline]] void operator()(auto, T* __restrict x, T s, unsigned long n, F f) const {
        for (unsigned long i = 0; i < n; ++i) x[i] = f(x[i], s);
    }
};

/// run(loop, args...) for a loop over n elements; a few stay on the generic
/// path, where choosing the path would cost more than it saves.
template <class Loop, class... Args>
void run_sized(unsigned long n, Loop loop, Args... args) {
    if (n < 8) loop(Generic{}, args...);
    else run(loop, args...);
}

}  // namespace lang::core::kernels
