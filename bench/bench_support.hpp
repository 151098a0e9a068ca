// SPDX-License-Identifier: Apache-2.0
// Shared by the benchmarks: the library's array holding the same values as
// the std::vector its baseline works on, the source of the copying
// benchmarks, and the kernel paths to time.
#pragma once

#include <lang/core/constants/array.hpp>
#include <lang/core/ops/detail/kernel_path.hpp>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <numeric>
#include <string>
#include <vector>

namespace bench {

/// `values` (column-major, numElements of `size` of them) as an Array.
inline lang::core::Array<double> to_array(lang::core::ArraySize const& size, std::vector<double> const& values) {
    lang::core::Array<double> a(size);
    std::copy(values.begin(), values.end(), a.x());
    return a;
}

/// The copying benchmarks' source: a rows x columns real matrix holding
/// 0, 1, 2, ... in storage order. Static rather than inline: as an inline
/// function it led g++ 12 to turn a baseline's nested copy loop into one
/// memcpy, which would change what the baselines measure.
inline constexpr unsigned long rows = 1000;
inline constexpr unsigned long columns = 1000;

[[maybe_unused]] static std::vector<double> counting_source() {
    std::vector<double> values(rows * columns);
    std::iota(values.begin(), values.end(), 0.0);
    return values;
}

using lang::core::detail::KernelPath;

/// The path kernels take unless told otherwise.
inline KernelPath default_path() { return lang::core::detail::supported_kernel_paths().back(); }

/// Kernels take `path` while this lives.
class OnPath {
public:
    explicit OnPath(KernelPath path) { lang::core::detail::set_kernel_path(path); }
    ~OnPath() { lang::core::detail::set_kernel_path(default_path()); }
    OnPath(OnPath const&) = delete;
    OnPath& operator=(OnPath const&) = delete;
};

/// Registers `run(state, path)` as `group`_Generic, _Avx2, ... for every path
/// this processor supports but the default, which the group times already.
template <class Run>
std::vector<benchmark::internal::Benchmark*> on_other_paths(std::string const& group, Run run) {
    std::vector<benchmark::internal::Benchmark*> registered;
    for (KernelPath const path : lang::core::detail::supported_kernel_paths()) {
        if (path == default_path()) continue;
        std::string variant(lang::core::detail::kernel_path_name(path));
        variant[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(variant[0])));
        registered.push_back(benchmark::RegisterBenchmark((group + "_" + variant).c_str(), run, path));
    }
    return registered;
}

}  // namespace bench
