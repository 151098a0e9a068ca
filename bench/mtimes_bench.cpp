// The matrix product of square real matrices against the textbook triple
// loop over std::vector<double> (i, j, then p innermost). Both allocate
// their result on every call and sum in the same order, so results agree.
#include <lang/core/ops/apply.hpp>

#include <benchmark/benchmark.h>

#include "bench_support.hpp"

#include <vector>

namespace {

using lang::core::apply;
using lang::core::ArraySize;
using lang::core::Constant;
namespace op = lang::core::op;

std::vector<double> matrix(unsigned long n, double seed) {
    std::vector<double> values(n * n);
    for (unsigned long i = 0; i < values.size(); ++i) values[i] = seed + static_cast<double>(i % 97) / 8;
    return values;
}

void Mtimes_Baseline(benchmark::State& state) {
    auto const n = static_cast<unsigned long>(state.range(0));
    std::vector<double> const a = matrix(n, 1.0);
    std::vector<double> const b = matrix(n, -2.0);
    for (auto _ : state) {
        std::vector<double> c(n * n);
        for (unsigned long i = 0; i < n; ++i) {
            for (unsigned long j = 0; j < n; ++j) {
                double sum = 0;
                for (unsigned long p = 0; p < n; ++p) sum = sum + a[i + p * n] * b[p + j * n];
                c[i + j * n] = sum;
            }
        }
        benchmark::DoNotOptimize(c.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * n * n * n));
}

void Mtimes_Apply(benchmark::State& state) {
    auto const n = static_cast<unsigned long>(state.range(0));
    Constant const a = bench::to_array(ArraySize{n, n}, matrix(n, 1.0));
    Constant const b = bench::to_array(ArraySize{n, n}, matrix(n, -2.0));
    for (auto _ : state) {
        Constant c = apply(op::MTIMES, a, b);
        benchmark::DoNotOptimize(c);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * n * n * n));
}

BENCHMARK(Mtimes_Baseline)->Arg(4)->Arg(64)->Arg(256);
BENCHMARK(Mtimes_Apply)->Arg(4)->Arg(64)->Arg(256);

}  // namespace
