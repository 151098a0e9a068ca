// SPDX-License-Identifier: Apache-2.0
#include "ops/kernels/kernel_path.hpp"

namespace lang::core {

std::atomic<bool> kernels::generic_forced{false};

bool kernels::cpu_has_avx2() noexcept {
#if defined(__x86_64__) || defined(__i386__)
    // Callers may run during other libraries' static initialisation, before
    // the compiler runtime has read the processor's features itself.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

detail::KernelPath detail::kernel_path() noexcept {
    return kernels::use_avx2() ? KernelPath::avx2 : KernelPath::generic;
}

void detail::force_generic_kernels(bool force) noexcept {
    kernels::generic_forced.store(force, std::memory_order_relaxed);
}

}  // namespace lang::core
