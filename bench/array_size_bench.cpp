// SPDX-License-Identifier: Apache-2.0
// Building a shape that already exists, as every operation's result does, on
// one thread and on two at once, against the least any interning must do:
// hashing the lengths with the same combine.
#include <lang/core/types/array_size.hpp>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using lang::core::ArraySize;

std::uint64_t combine(std::uint64_t h, std::uint64_t k) {
    constexpr std::uint64_t m = 0xc6a4a7935bd1e995ULL;
    k *= m;
    k ^= k >> 47;
    k *= m;
    return ((h ^ k) * m) + 0xe6546b64ULL;
}

// Four shapes in turn, so that a cache of one entry would not be enough.
void ShapeBuild_Baseline(benchmark::State& state) {
    unsigned long i = 0;
    for (auto _ : state) {
        unsigned long lengths[2] = {4, 4 + (i++ & 3)};
        benchmark::DoNotOptimize(lengths);
        benchmark::DoNotOptimize(combine(combine(2, lengths[0]), lengths[1]));
    }
}

void ShapeBuild_Interned(benchmark::State& state) {
    unsigned long i = 0;
    for (auto _ : state) {
        unsigned long lengths[2] = {4, 4 + (i++ & 3)};
        benchmark::DoNotOptimize(lengths);
        benchmark::DoNotOptimize(ArraySize(lengths, 2).data());
    }
}

BENCHMARK(ShapeBuild_Baseline)->ThreadRange(1, 2)->UseRealTime();
BENCHMARK(ShapeBuild_Interned)->ThreadRange(1, 2)->UseRealTime();

}  // namespace
