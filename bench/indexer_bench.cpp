// SPDX-License-Identifier: Apache-2.0
// Copying the elements an Indexer selects, against the nested loop a compiler
// would emit for the same subscripts. Both copy a 1000x1000 source whole,
// through one full counting range per dimension.
#include <lang/core/index/indexer.hpp>
#include <lang/core/index/indexer_builder.hpp>

#include "bench_support.hpp"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using lang::core::ArraySize;
using lang::core::Indexer;
using lang::core::IndexerBuilder;
using lang::core::make_counting_entry;
using bench::columns, bench::rows;

Indexer whole() {
    IndexerBuilder builder(ArraySize{rows, columns});
    builder.append_(make_counting_entry(0, rows));
    builder.append_(make_counting_entry(0, columns));
    return builder;
}

void IndexerCopy_Iterator(benchmark::State& state) {
    std::vector<double> const src = bench::counting_source();
    std::vector<double> dst(src.size());
    Indexer const indexer = whole();

    for (auto _ : state) {
        double* out = dst.data();
        for (auto it = indexer.begin(), end = indexer.end(); it != end; ++it) *out++ = src[*it];
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * src.size()));
}

void IndexerCopy_ForEach(benchmark::State& state) {
    std::vector<double> const src = bench::counting_source();
    std::vector<double> dst(src.size());
    Indexer const indexer = whole();

    for (auto _ : state) {
        double* __restrict out = dst.data();
        double const* __restrict in = src.data();
        indexer.for_each([&](unsigned long position) { *out++ = in[position]; });
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * src.size()));
}

void IndexerCopy_Baseline(benchmark::State& state) {
    std::vector<double> const src = bench::counting_source();
    std::vector<double> dst(src.size());

    for (auto _ : state) {
        double const* __restrict in = src.data();
        double* __restrict out = dst.data();
        for (unsigned long j = 0; j < columns; ++j) {
            for (unsigned long i = 0; i < rows; ++i) *out++ = in[i + j * rows];
        }
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * src.size()));
}

BENCHMARK(IndexerCopy_Iterator)->Unit(benchmark::kMicrosecond);
BENCHMARK(IndexerCopy_ForEach)->Unit(benchmark::kMicrosecond);
BENCHMARK(IndexerCopy_Baseline)->Unit(benchmark::kMicrosecond);

}  // namespace
