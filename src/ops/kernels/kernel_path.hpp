// SPDX-License-Identifier: Apache-2.0
// The instruction sets the kernels are compiled for, and the one place that
// picks among them. A kernel is a loop functor whose call operator is
// [[gnu::always_inline]] and takes the path's `Isa` first; run() calls it
// through the chosen path's trampoline, so its body (and the element rule it
// calls) is compiled once per path. The path is read once per call, never
// per element.
#pragma once

#include <lang/core/ops/detail/kernel_path.hpp>

#include <atomic>
#include <cstddef>
#include <iterator>

// The one platform guard: code that names x86 instructions or features sits
// under it, so that every other target builds the generic path alone.
#if defined(__x86_64__)
#define LANGCORE_X86_64 1
#else
#define LANGCORE_X86_64 0
#endif

namespace lang::core::kernels {

using detail::KernelPath;

#if LANGCORE_X86_64
inline bool avx512_supported() noexcept {
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
           __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512dq");
}
#endif

// Every path this build carries, narrowest first: its name, the bytes of its
// vectors, its processor check and the attribute its trampoline is compiled
// with. Adding an instruction set is one entry here (and one enumerator).
#if LANGCORE_X86_64
#define LANGCORE_KERNEL_PATHS(X)           \
    X(generic, 16, true, )                 \
    X(avx2, 32, __builtin_cpu_supports("avx2"), gnu::target("avx2")) \
    X(avx512, 64, avx512_supported(), gnu::target("avx512f,avx512vl,avx512bw,avx512dq"))
#else
#define LANGCORE_KERNEL_PATHS(X) X(generic, 16, true, )
#endif

/// The chosen path and the last one run, -1 until known; read-mostly, so
/// every core keeps its copy of the line.
struct PathState {
    std::atomic<int> chosen{-1};
    std::atomic<int> ran{-1};
};
extern constinit PathState path_state;

/// Chooses the default path on first use (kernels may run during other
/// libraries' static initialisation).
KernelPath choose_default_path() noexcept;

inline KernelPath current_path() noexcept {
    int const p = path_state.chosen.load(std::memory_order_relaxed);
    return p >= 0 ? static_cast<KernelPath>(p) : choose_default_path();
}

/// Written only when it changes, so that threads running kernels do not
/// fight over the line.
inline void note_ran(KernelPath p) noexcept {
    if (path_state.ran.load(std::memory_order_relaxed) != static_cast<int>(p)) {
        path_state.ran.store(static_cast<int>(p), std::memory_order_relaxed);
    }
}

/// One path's traits and trampoline.
template <KernelPath P>
struct Isa;

#define LANGCORE_ISA(name, bytes, check, ...)                          \
    template <>                                                        \
    struct Isa<KernelPath::name> {                                     \
        static constexpr KernelPath path = KernelPath::name;           \
        static constexpr unsigned vector_bytes = bytes;           \
        static bool supported() noexcept { return check; }             \
        template <class Loop, class... Args>                           \
        [[__VA_ARGS__]] static decltype(auto) run(Loop loop, Args... args) { \
            note_ran(path);                                            \
            return loop(Isa{}, args...);                               \
        }                                                              \
    };
LANGCORE_KERNEL_PATHS(LANGCORE_ISA)
#undef LANGCORE_ISA

#define LANGCORE_PATH_ENUMERATOR(name, ...) KernelPath::name,
inline constexpr KernelPath compiled_paths[] = {LANGCORE_KERNEL_PATHS(LANGCORE_PATH_ENUMERATOR)};
#undef LANGCORE_PATH_ENUMERATOR

using Generic = Isa<KernelPath::generic>;

/// The compiler's vector of `Bytes` bytes of T, as wide as a path's when
/// Bytes is its vector_bytes.
template <class T, unsigned Bytes>
struct VectorType {
    typedef T type __attribute__((vector_size(Bytes)));
};
template <class T, unsigned Bytes>
using Vector = typename VectorType<T, Bytes>::type;

/// `loop(Isa<path>{}, args...)` on `path` (which must be compiled).
template <std::size_t I = 0, class Loop, class... Args>
decltype(auto) run_on(KernelPath path, Loop loop, Args... args) {
    constexpr KernelPath here = compiled_paths[I];
    if constexpr (I + 1 < std::size(compiled_paths)) {
        if (path != here) return run_on<I + 1>(path, loop, args...);
    }
    return Isa<here>::run(loop, args...);
}

/// `loop(Isa<P>{}, args...)` on the path chosen now.
template <class Loop, class... Args>
decltype(auto) run(Loop loop, Args... args) {
    return run_on(current_path(), loop, args...);
}

}  // namespace lang::core::kernels
