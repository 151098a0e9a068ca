// SPDX-License-Identifier: Apache-2.0
// Which instruction set the folding kernels run on. Every path computes each
// element with the same operations in the same order, so results agree bit
// for bit, with one exception: when an operation has two NaN operands, which
// one's sign and payload the NaN result carries may differ between paths
// (and between the scalar and array forms), as processors and compilers
// choose. Whether a result is NaN never differs. The choice of path exists
// so that tests and benchmarks can run each path this processor supports.
#pragma once

#include <lang/core/export.hpp>

#include <optional>
#include <span>
#include <string_view>

namespace lang::core::detail {

/// The kernel families the library knows, narrowest first. A build carries
/// the ones its target can compile (generic everywhere, the rest on x86-64).
enum class KernelPath {
    generic,  ///< baseline x86-64 (SSE2) or the target's plain C++
    avx2,     ///< AVX2, chosen at run time; never FMA
    avx512,   ///< AVX-512 F, VL, BW and DQ, chosen at run time; never FMA
};

/// "generic", "avx2", "avx512".
LANGCORE_API std::string_view kernel_path_name(KernelPath path) noexcept;

/// The paths this build carries and this processor runs, narrowest first;
/// the last one is the default.
LANGCORE_API std::span<KernelPath const> supported_kernel_paths() noexcept;

/// The path kernels take now.
LANGCORE_API KernelPath kernel_path() noexcept;

/// Makes every kernel take `path` from now on; false, with nothing changed,
/// when `path` is not among supported_kernel_paths(). Meant for tests and
/// benchmarks: it is one relaxed flag, so set it before the calls it should
/// affect.
LANGCORE_API bool set_kernel_path(KernelPath path) noexcept;

/// The path the most recent kernel call ran on, in any thread; none before
/// the first. Lets a test see that the path it set is the path that ran.
LANGCORE_API std::optional<KernelPath> last_kernel_path() noexcept;

}  // namespace lang::core::detail
