// SPDX-License-Identifier: Apache-2.0
// Which instruction set the folding kernels run on. Every path computes the
// same bits; this exists so that tests and benchmarks can run the generic
// kernels on a machine that would otherwise choose a wider one.
#pragma once

#include <lang/core/export.hpp>

namespace lang::core::detail {

/// The kernel families the library carries.
enum class KernelPath {
    generic,  ///< baseline x86-64 (SSE2) or the target's plain C++
    avx2,     ///< AVX2, chosen at run time; never FMA
};

/// The path kernels take now: the widest this processor supports, unless
/// `force_generic_kernels(true)` is in force.
LANGCORE_API KernelPath kernel_path() noexcept;

/// Makes every kernel take the generic path (`true`) or the widest supported
/// one again (`false`). Meant for tests and benchmarks; it is one relaxed
/// flag, so set it before the calls it should affect.
LANGCORE_API void force_generic_kernels(bool force) noexcept;

}  // namespace lang::core::detail
