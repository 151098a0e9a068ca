// SPDX-License-Identifier: Apache-2.0
// Converting 10^6 reals to integers, with and without the loss flag, against
// the plain -O3 loop into an existing buffer that truncates in range values
// the same way; the library runs on its default kernel path (_Convert) and
// on every other path this processor supports (_Generic, ...). The values
// are in range.
#include <lang/core/ops/convert.hpp>

#include <benchmark/benchmark.h>

#include "bench_support.hpp"

#include <string>
#include <vector>

namespace {

using lang::core::ArraySize;
using lang::core::Constant;
namespace type = lang::core::type;

std::vector<double> reals(unsigned long n) {
    std::vector<double> values(n);
    for (unsigned long i = 0; i < n; ++i) values[i] = 0.5 * static_cast<double>(i) - 1e5;
    return values;
}

template <bool Check>
void plain(benchmark::State& state) {
    auto const n = static_cast<unsigned long>(state.range(0));
    std::vector<double> const in = reals(n);
    std::vector<int> out(n);
    for (auto _ : state) {
        double const* __restrict a = in.data();
        int* __restrict o = out.data();
        bool changed = false;
        for (unsigned long i = 0; i < n; ++i) {
            o[i] = static_cast<int>(a[i]);
            if constexpr (Check) changed |= static_cast<double>(o[i]) != a[i];
        }
        benchmark::DoNotOptimize(changed);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * n));
}

template <bool Check>
void folded(benchmark::State& state, bench::KernelPath path) {
    auto const n = static_cast<unsigned long>(state.range(0));
    Constant const in = bench::to_array(ArraySize{n, 1}, reals(n));
    bench::OnPath const on(path);
    for (auto _ : state) {
        if constexpr (Check) {
            auto result = convert_with_check(type::INTEGER, in);
            benchmark::DoNotOptimize(result);
        } else {
            Constant result = convert(type::INTEGER, in);
            benchmark::DoNotOptimize(result);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * n));
}

void million(benchmark::internal::Benchmark* b) { b->Arg(1000000)->Unit(benchmark::kMicrosecond); }

template <bool Check>
void register_group(std::string const& group) {
    benchmark::RegisterBenchmark((group + "_Baseline").c_str(), plain<Check>)->Apply(million);
    benchmark::RegisterBenchmark((group + "_Convert").c_str(), folded<Check>, bench::default_path())->Apply(million);
    for (auto* b : bench::on_other_paths(group, folded<Check>)) b->Apply(million);
}

[[maybe_unused]] bool const registered = [] {
    register_group<false>("ConvertRealToInteger");
    register_group<true>("ConvertWithCheckRealToInteger");
    return true;
}();

}  // namespace
