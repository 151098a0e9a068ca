// SPDX-License-Identifier: Apache-2.0
// The cost of a small array: element block, control block and shape against
// the standard library's one-allocation shared array, both zero-filled.
#include <lang/core/constants/array.hpp>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using lang::core::Array;
using lang::core::ArraySize;

void SmallArray_Baseline(benchmark::State& state) {
    auto const n = static_cast<unsigned long>(state.range(0));
    for (auto _ : state) {
        std::shared_ptr<double[]> block = std::make_shared<double[]>(n);
        benchmark::DoNotOptimize(block.get());
        benchmark::ClobberMemory();
    }
}

void SmallArray_Array(benchmark::State& state) {
    ArraySize const shape{static_cast<unsigned long>(state.range(0)), 1};  // interned once, outside the loop
    for (auto _ : state) {
        Array<double> array(shape);
        benchmark::DoNotOptimize(array.x());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(SmallArray_Baseline)->Arg(16)->Arg(1000);
BENCHMARK(SmallArray_Array)->Arg(16)->Arg(1000);

}  // namespace
