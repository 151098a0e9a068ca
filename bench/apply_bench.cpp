// Element-wise folding of large real arrays against the plain loop a
// compiler would write over std::vector<double>, and the cost of folding
// two real scalars. Both sides allocate their result on every call.
#include <lang/core/ops/apply.hpp>

#include <benchmark/benchmark.h>

#include "bench_support.hpp"

#include <numeric>
#include <vector>

namespace {

using lang::core::apply;
using lang::core::ArraySize;
using lang::core::Constant;
namespace op = lang::core::op;

std::vector<double> ramp(unsigned long n, double start) {
    std::vector<double> values(n);
    std::iota(values.begin(), values.end(), start);
    return values;
}

Constant array(std::vector<double> const& values) { return bench::to_array(ArraySize{values.size(), 1}, values); }

template <class F>
void baseline(benchmark::State& state, F f) {
    auto const n = static_cast<unsigned long>(state.range(0));
    std::vector<double> const a = ramp(n, 1.0);
    std::vector<double> const b = ramp(n, 0.5);
    for (auto _ : state) {
        std::vector<double> out(n);
        double const* __restrict x = a.data();
        double const* __restrict y = b.data();
        double* __restrict z = out.data();
        for (unsigned long i = 0; i < n; ++i) z[i] = f(x[i], y[i]);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * n));
}

void folded(benchmark::State& state, op::Id o) {
    auto const n = static_cast<unsigned long>(state.range(0));
    Constant const a = array(ramp(n, 1.0));
    Constant const b = array(ramp(n, 0.5));
    for (auto _ : state) {
        Constant result = apply(o, a, b);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * n));
}

void ElementwisePlus_Baseline(benchmark::State& state) {
    baseline(state, [](double x, double y) { return x + y; });
}
void ElementwisePlus_Apply(benchmark::State& state) { folded(state, op::PLUS); }
void ElementwiseTimes_Baseline(benchmark::State& state) {
    baseline(state, [](double x, double y) { return x * y; });
}
void ElementwiseTimes_Apply(benchmark::State& state) { folded(state, op::TIMES); }

BENCHMARK(ElementwisePlus_Baseline)->Arg(1000000);
BENCHMARK(ElementwisePlus_Apply)->Arg(1000000);
BENCHMARK(ElementwiseTimes_Baseline)->Arg(1000000);
BENCHMARK(ElementwiseTimes_Apply)->Arg(1000000);

void ScalarPlus_Baseline(benchmark::State& state) {
    double a = 1.5;
    double b = 2.25;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        double sum = a + b;
        benchmark::DoNotOptimize(sum);
    }
}

void ScalarPlus_Apply(benchmark::State& state) {
    Constant a = 1.5;
    Constant b = 2.25;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        Constant sum = apply(op::PLUS, a, b);
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(ScalarPlus_Baseline);
BENCHMARK(ScalarPlus_Apply);

}  // namespace
