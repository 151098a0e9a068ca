// SPDX-License-Identifier: Apache-2.0
#include "ops/kernels/kernel_path.hpp"

#include <algorithm>
#include <array>

namespace lang::core {

constinit kernels::PathState kernels::path_state;

namespace {

struct Supported {
    std::array<detail::KernelPath, std::size(kernels::compiled_paths)> paths{};
    std::size_t count = 0;

    Supported() {
#if LANGCORE_X86_64
        // Callers may run during other libraries' static initialisation,
        // before the compiler runtime has read the processor's features.
        __builtin_cpu_init();
#endif
#define LANGCORE_IF_SUPPORTED(name, ...) \
    if (kernels::Isa<detail::KernelPath::name>::supported()) paths[count++] = detail::KernelPath::name;
        LANGCORE_KERNEL_PATHS(LANGCORE_IF_SUPPORTED)
#undef LANGCORE_IF_SUPPORTED
    }
};

Supported const& supported() noexcept {
    static Supported const paths;
    return paths;
}

}  // namespace

detail::KernelPath kernels::choose_default_path() noexcept {
    int const widest = static_cast<int>(supported().paths[supported().count - 1]);
    int unset = -1;
    // A path set meanwhile stays.
    path_state.chosen.compare_exchange_strong(unset, widest, std::memory_order_relaxed);
    return static_cast<KernelPath>(path_state.chosen.load(std::memory_order_relaxed));
}

std::string_view detail::kernel_path_name(KernelPath path) noexcept {
    switch (path) {
    case KernelPath::generic: return "generic";
    case KernelPath::avx2: return "avx2";
    case KernelPath::avx512: return "avx512";
    }
    return "invalid";
}

std::span<detail::KernelPath const> detail::supported_kernel_paths() noexcept {
    return {supported().paths.data(), supported().count};
}

detail::KernelPath detail::kernel_path() noexcept { return kernels::current_path(); }

bool detail::set_kernel_path(KernelPath path) noexcept {
    auto const paths = supported_kernel_paths();
    if (std::find(paths.begin(), paths.end(), path) == paths.end()) return false;
    kernels::path_state.chosen.store(static_cast<int>(path), std::memory_order_relaxed);
    return true;
}

std::optional<detail::KernelPath> detail::last_kernel_path() noexcept {
    int const p = kernels::path_state.ran.load(std::memory_order_relaxed);
    if (p < 0) return std::nullopt;
    return static_cast<KernelPath>(p);
}

}  // namespace lang::core
