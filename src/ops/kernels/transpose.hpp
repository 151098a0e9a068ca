// SPDX-License-Identifier: Apache-2.0
// The transposition of a column-major m by n matrix, run through
// kernels::run: it only moves elements, so every path gives the same bits.
#pragma once

#include "ops/kernels/kernel_path.hpp"

#include <algorithm>

namespace lang::core::kernels {

/// out (n by m) = the transpose of in (m by n).
struct TransposeLoop {
    template <class T>
    [[gnu::always_inline]] void operator()(auto, T const* __restrict in, T* __restrict out, unsigned long m,
                                           unsigned long n) const {
        // Square tiles keep both the rows read and the columns written in cache.
        constexpr unsigned long tile = 32;
        for (unsigned long jj = 0; jj < n; jj += tile) {
            for (unsigned long ii = 0; ii < m; ii += tile) {
                unsigned long const jend = std::min(jj + tile, n);
                unsigned long const iend = std::min(ii + tile, m);
                for (unsigned long j = jj; j < jend; ++j) {
                    for (unsigned long i = ii; i < iend; ++i) out[j + i * n] = in[i + j * m];
                }
            }
        }
    }
};

}  // namespace lang::core::kernels
