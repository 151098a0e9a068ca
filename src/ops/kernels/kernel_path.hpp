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

}  // namespace lang::core::kernels
