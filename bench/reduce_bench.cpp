// SPDX-License-Identifier: Apache-2.0
// Reductions of a 1000x1000 real array along both dimensions against the
// strictly sequential -O3 loops into an existing buffer: along dimension 0
// one column at a time, along dimension 1 whole columns added element-wise
// in order. The library runs on its default kernel path (_Apply) and on
// every other path this processor supports (_Generic, ...).
#include <lang/core/ops/reduce.hpp>

#include <benchmark/benchmark.h>

#include "bench_support.hpp"

#include <limits>
#include <string>
#include <vector>

namespace {

using lang::core::ArraySize;
using lang::core::Constant;
namespace accum = lang::core::accum;

constexpr unsigned long rows = 1000;
constexpr unsigned long columns = 1000;

std::vector<double> matrix() {
    std::vector<double> values(rows * columns);
    // Near 1, so that products stay finite and sums round.
    for (unsigned long i = 0; i < values.size(); ++i) values[i] = 1.0 + static_cast<double>(i % 1013) / 1e6;
    return values;
}

template <accum::Id A>
double step(double acc, double x) {
    if constexpr (A == accum::SUM) return acc + x;
    else if constexpr (A == accum::PROD) return acc * x;
    else return x > acc ? x : acc;
}

template <accum::Id A>
constexpr double start = A == accum::SUM ? 0.0 : A == accum::PROD ? 1.0 : -std::numeric_limits<double>::infinity();

template <accum::Id A>
void sequential(benchmark::State& state) {
    std::vector<double> const in = matrix();
    bool const along_rows = state.range(0) == 0;
    std::vector<double> out(along_rows ? columns : rows);
    for (auto _ : state) {
        double const* __restrict a = in.data();
        double* __restrict o = out.data();
        if (along_rows) {
            for (unsigned long j = 0; j < columns; ++j) {
                double acc = start<A>;
                for (unsigned long i = 0; i < rows; ++i) acc = step<A>(acc, a[i + j * rows]);
                o[j] = acc;
            }
        } else {
            for (unsigned long i = 0; i < rows; ++i) o[i] = start<A>;
            for (unsigned long j = 0; j < columns; ++j) {
                for (unsigned long i = 0; i < rows; ++i) o[i] = step<A>(o[i], a[i + j * rows]);
            }
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * in.size()));
}

template <accum::Id A>
void folded(benchmark::State& state, bench::KernelPath path) {
    Constant const in = bench::to_array(ArraySize{rows, columns}, matrix());
    auto const dim = static_cast<unsigned long>(state.range(0));
    bench::OnPath const on(path);
    for (auto _ : state) {
        Constant result = apply(A, dim, in);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * rows * columns));
}

void dims(benchmark::internal::Benchmark* b) { b->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond); }

template <accum::Id A>
void register_group(char const* name) {
    std::string const group(name);
    benchmark::RegisterBenchmark((group + "_Baseline").c_str(), sequential<A>)->Apply(dims);
    benchmark::RegisterBenchmark((group + "_Apply").c_str(), folded<A>, bench::default_path())->Apply(dims);
    for (auto* b : bench::on_other_paths(group, folded<A>)) b->Apply(dims);
}

[[maybe_unused]] bool const registered = [] {
    register_group<accum::SUM>("ReduceSum");
    register_group<accum::PROD>("ReduceProd");
    register_group<accum::MAXIMUM>("ReduceMaximum");
    return true;
}();

}  // namespace
