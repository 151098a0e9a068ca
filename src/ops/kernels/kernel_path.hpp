// SPDX-License-Identifier: Apache-2.0
// The run-time choice between a kernel's generic and AVX2 versions, read once
// per call (never per element).
#pragma once

#include <lang/core/ops/detail/kernel_path.hpp>

#include <atomic>

namespace lang::core::kernels {

/// Set by detail::force_generic_kernels.
extern std::atomic<bool> generic_forced;

/// True when this processor and its operating system support AVX2.
bool cpu_has_avx2() noexcept;

/// True when kernels should take their AVX2 version.
inline bool use_avx2() noexcept {
    static bool const supported = cpu_has_avx2();
    return supported && !generic_forced.load(std::memory_order_relaxed);
}

/// `loop(args...)` with the loop's body compiled for AVX2. The loop's call
/// operator must be [[gnu::always_inline]], so that its body (and the element
/// rule it calls) is inlined here and compiled for AVX2 rather than called.
template <class Loop, class... Args>
[[gnu::target("avx2")]] decltype(auto) on_avx2(Loop loop, Args... args) {
    return loop(args...);
}

/// `loop(args...)` on the path chosen once by the caller: one body, two
/// instruction sets, the same bits.
template <class Loop, class... Args>
decltype(auto) run_on(bool avx2, Loop loop, Args... args) {
    return avx2 ? on_avx2(loop, args...) : loop(args...);
}

/// `loop(args...)` on the path use_avx2() chooses now.
template <class Loop, class... Args>
decltype(auto) run(Loop loop, Args... args) {
    return run_on(use_avx2(), loop, args...);
}

}  // namespace lang::core::kernels
