// SPDX-License-Identifier: Apache-2.0
// Converting 10^6 reals to integers, with and without the loss flag, against
// the plain -O3 loop into an existing buffer that truncates in range values
// the same way; the library runs on its run-time path (_Convert) and on the
// generic path (_Generic). The values are in range.
#include <lang/core/ops/convert.hpp>
#include <lang/core/ops/detail/kernel_path.hpp>

#include <benchmark/benchmark.h>

#include "bench_support.hpp"

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

template <bool Check, bool Generic>
void folded(benchmark::State& state) {
    auto const n = static_cast<unsigned long>(state.range(0));
    Constant const in = bench::to_array(ArraySize{n, 1}, reals(n));
    lang::core::detail::force_generic_kernels(Generic);
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
    lang::core::detail::force_generic_kernels(false);
    state.SetItemsProcessed(static_cast<long>(state.iterations() * n));
}

void million(benchmark::internal::Benchmark* b) { b->Arg(1000000)->Unit(benchmark::kMicrosecond); }

BENCHMARK(plain<false>)->Name("ConvertRealToInteger_Baseline")->Apply(million);
BENCHMARK(folded<false, false>)->Name("ConvertRealToInteger_Convert")->Apply(million);
BENCHMARK(folded<false, true>)->Name("ConvertRealToInteger_Generic")->Apply(million);
BENCHMARK(plain<true>)->Name("ConvertWithCheckRealToInteger_Baseline")->Apply(million);
BENCHMARK(folded<true, false>)->Name("ConvertWithCheckRealToInteger_Convert")->Apply(million);
BENCHMARK(folded<true, true>)->Name("ConvertWithCheckRealToInteger_Generic")->Apply(million);

}  // namespace
