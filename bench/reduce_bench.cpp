// Sums of a 1000x1000 real array along its first and second dimensions
// against the plain loops a compiler would write over std::vector<double>.
// Both sides allocate their result on every call.
#include <lang/core/ops/reduce.hpp>

#include <benchmark/benchmark.h>

#include "bench_support.hpp"

#include <numeric>
#include <vector>

namespace {

using lang::core::apply;
using lang::core::ArraySize;
using lang::core::Constant;
namespace accum = lang::core::accum;

constexpr unsigned long rows = 1000;
constexpr unsigned long columns = 1000;

std::vector<double> matrix() {
    std::vector<double> values(rows * columns);
    std::iota(values.begin(), values.end(), 0.25);
    return values;
}

void ReduceSum_Baseline(benchmark::State& state) {
    std::vector<double> const in = matrix();
    bool const along_rows = state.range(0) == 0;
    for (auto _ : state) {
        std::vector<double> out(along_rows ? columns : rows);
        double const* __restrict a = in.data();
        double* __restrict o = out.data();
        if (along_rows) {
            for (unsigned long j = 0; j < columns; ++j) {
                double acc = 0.0;
                for (unsigned long i = 0; i < rows; ++i) acc += a[i + j * rows];
                o[j] = acc;
            }
        } else {
            for (unsigned long j = 0; j < columns; ++j) {
                for (unsigned long i = 0; i < rows; ++i) o[i] += a[i + j * rows];
            }
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * in.size()));
}

void ReduceSum_Apply(benchmark::State& state) {
    Constant const in = bench::to_array(ArraySize{rows, columns}, matrix());
    auto const dim = static_cast<unsigned long>(state.range(0));
    for (auto _ : state) {
        Constant result = apply(accum::SUM, dim, in);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * rows * columns));
}

BENCHMARK(ReduceSum_Baseline)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReduceSum_Apply)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
