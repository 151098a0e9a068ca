// SPDX-License-Identifier: Apache-2.0
// Tiling a 100x100 real array 10x10 times with Repmat, against the nested
// loop a compiler would emit for the same copy. Both write the 1000x1000
// result; Repmat also allocates it, as every call must.
#include <lang/core/index/indexable.hpp>

#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

namespace {

using lang::core::Array;
using lang::core::ArraySize;
using lang::core::Constant;

constexpr unsigned long rows = 100;
constexpr unsigned long columns = 100;
constexpr unsigned long row_reps = 10;
constexpr unsigned long column_reps = 10;
constexpr unsigned long elements = rows * columns * row_reps * column_reps;

Array<double> source() {
    Array<double> a(ArraySize{rows, columns});
    std::iota(a.begin(), a.end(), 0.0);
    return a;
}

void Repmat_Constant(benchmark::State& state) {
    Constant const src = source();
    ArraySize const reps{row_reps, column_reps};
    lang::core::indexable::Repmat<Constant> const repmat;

    for (auto _ : state) {
        Constant result = repmat(src, reps);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * elements));
}

void Repmat_Baseline(benchmark::State& state) {
    Array<double> const src = source();
    std::vector<double> dst(elements);

    for (auto _ : state) {
        double const* __restrict in = src.x();
        double* __restrict out = dst.data();
        for (unsigned long cr = 0; cr < column_reps; ++cr) {
            for (unsigned long j = 0; j < columns; ++j) {
                for (unsigned long rr = 0; rr < row_reps; ++rr) {
                    for (unsigned long i = 0; i < rows; ++i) *out++ = in[i + j * rows];
                }
            }
        }
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * elements));
}

BENCHMARK(Repmat_Constant)->Unit(benchmark::kMicrosecond);
BENCHMARK(Repmat_Baseline)->Unit(benchmark::kMicrosecond);

}  // namespace
