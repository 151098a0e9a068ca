// Converting 10^6 reals to integers, with and without the loss flag, against
// the plain loops a compiler would write over std::vector. Both sides
// allocate their result on every call; the values are in range.
#include <lang/core/ops/convert.hpp>

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
    for (auto _ : state) {
        std::vector<int> out(n);
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
void folded(benchmark::State& state) {
    auto const n = static_cast<unsigned long>(state.range(0));
    std::vector<double> const values = reals(n);
    Constant const in = bench::to_array(ArraySize{n, 1}, values);
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

void ConvertRealToInteger_Baseline(benchmark::State& state) { plain<false>(state); }
void ConvertRealToInteger_Convert(benchmark::State& state) { folded<false>(state); }
void ConvertWithCheckRealToInteger_Baseline(benchmark::State& state) { plain<true>(state); }
void ConvertWithCheckRealToInteger_Convert(benchmark::State& state) { folded<true>(state); }

BENCHMARK(ConvertRealToInteger_Baseline)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ConvertRealToInteger_Convert)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ConvertWithCheckRealToInteger_Baseline)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ConvertWithCheckRealToInteger_Convert)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
