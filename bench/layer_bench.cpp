// SPDX-License-Identifier: Apache-2.0
// The convenience layer against what a caller would write without it: the
// left half of a 1000x1000 real matrix by subscript(), against the nested
// copy loop into a new array; and reduce_all() of it, against the plain
// sequential sum in storage order.
#include <lang/core/core.hpp>

#include "bench_support.hpp"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace lang::core;
using bench::columns, bench::rows;

void LeftHalf_Subscript(benchmark::State& state) {
    Constant const m = bench::to_array(ArraySize{rows, columns}, bench::counting_source());
    for (auto _ : state) benchmark::DoNotOptimize(subscript(m, {whole, range(0, columns / 2)}));
    state.SetItemsProcessed(static_cast<long>(state.iterations() * rows * columns / 2));
}

void LeftHalf_Baseline(benchmark::State& state) {
    Array<double> const m = bench::to_array(ArraySize{rows, columns}, bench::counting_source());
    for (auto _ : state) {
        Array<double> half = Array<double>::uninitialized(ArraySize{rows, columns / 2});
        double const* __restrict in = m.x();
        double* __restrict out = half.x();
        for (unsigned long j = 0; j < columns / 2; ++j)
            for (unsigned long i = 0; i < rows; ++i) *out++ = in[i + j * rows];
        benchmark::DoNotOptimize(Constant(std::move(half)));
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * rows * columns / 2));
}

void Sum_ReduceAll(benchmark::State& state) {
    Constant const m = bench::to_array(ArraySize{rows, columns}, bench::counting_source());
    for (auto _ : state) benchmark::DoNotOptimize(reduce_all(accum::SUM, m));
    state.SetItemsProcessed(static_cast<long>(state.iterations() * rows * columns));
}

void Sum_Baseline(benchmark::State& state) {
    std::vector<double> const v = bench::counting_source();
    for (auto _ : state) {
        double sum = 0.0;
        for (double x : v) sum += x;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * rows * columns));
}

}  // namespace

BENCHMARK(LeftHalf_Subscript)->Unit(benchmark::kMicrosecond);
BENCHMARK(LeftHalf_Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(Sum_ReduceAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(Sum_Baseline)->Unit(benchmark::kMicrosecond);
