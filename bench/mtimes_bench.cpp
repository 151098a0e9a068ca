// SPDX-License-Identifier: Apache-2.0
// The matrix product of square real matrices. The baseline is OpenBLAS's
// single-threaded dgemm, which may sum in any order; beside it run the
// library on its default kernel path and on every other path this processor
// supports,
// and the textbook loop (each element from zero, ascending p) into an
// existing buffer, whose bits the library reproduces. Small products are
// also compared with that loop alone, since allocation dominates them.
#include <lang/core/ops/apply.hpp>

#include <benchmark/benchmark.h>
#include <cblas.h>

#include "bench_support.hpp"

#include <random>
#include <vector>

namespace {

using lang::core::apply;
using lang::core::ArraySize;
using lang::core::Constant;
namespace op = lang::core::op;

std::vector<double> matrix(unsigned long n, unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::vector<double> values(n * n);
    for (double& v : values) v = uniform(random);
    return values;
}

/// Floating-point operations per second of n by n products, as a counter.
void count_flops(benchmark::State& state, unsigned long n) {
    auto const flops = static_cast<double>(state.iterations()) * 2.0 * static_cast<double>(n * n * n);
    state.counters["FLOPS"] = benchmark::Counter(flops, benchmark::Counter::kIsRate);
}

void textbook_product(benchmark::State& state) {
    auto const n = static_cast<unsigned long>(state.range(0));
    std::vector<double> const a = matrix(n, 1);
    std::vector<double> const b = matrix(n, 2);
    std::vector<double> c(n * n);
    for (auto _ : state) {
        double const* __restrict const left = a.data();
        double const* __restrict const right = b.data();
        double* __restrict const out = c.data();
        for (unsigned long j = 0; j < n; ++j) {
            for (unsigned long i = 0; i < n; ++i) {
                double sum = 0;
                for (unsigned long p = 0; p < n; ++p) sum = sum + left[i + p * n] * right[p + j * n];
                out[i + j * n] = sum;
            }
        }
        benchmark::DoNotOptimize(c.data());
        benchmark::ClobberMemory();
    }
    count_flops(state, n);
}

void library_product(benchmark::State& state, bench::KernelPath path) {
    auto const n = static_cast<unsigned long>(state.range(0));
    Constant const a = bench::to_array(ArraySize{n, n}, matrix(n, 1));
    Constant const b = bench::to_array(ArraySize{n, n}, matrix(n, 2));
    bench::OnPath const on(path);
    for (auto _ : state) {
        Constant c = apply(op::MTIMES, a, b);
        benchmark::DoNotOptimize(c);
        benchmark::ClobberMemory();
    }
    count_flops(state, n);
}

void Mtimes_Baseline(benchmark::State& state) {
    // The environment variable is read when the library loads; this is not.
    openblas_set_num_threads(1);
    auto const n = static_cast<int>(state.range(0));
    auto const size = static_cast<unsigned long>(n);
    std::vector<double> const a = matrix(size, 1);
    std::vector<double> const b = matrix(size, 2);
    std::vector<double> c(size * size);
    for (auto _ : state) {
        cblas_dgemm(CblasColMajor, CblasNoTrans, CblasNoTrans, n, n, n, 1.0, a.data(), n, b.data(), n, 0.0,
                    c.data(), n);
        benchmark::DoNotOptimize(c.data());
        benchmark::ClobberMemory();
    }
    count_flops(state, size);
}

void Mtimes_Apply(benchmark::State& state) { library_product(state, bench::default_path()); }
void Mtimes_Textbook(benchmark::State& state) { textbook_product(state); }
void MtimesSmall_Baseline(benchmark::State& state) { textbook_product(state); }
void MtimesSmall_Apply(benchmark::State& state) { library_product(state, bench::default_path()); }

void sizes(benchmark::internal::Benchmark* b) {
    for (int n : {8, 16, 32, 64, 128, 256, 384, 512}) b->Arg(n);
}

// Beyond this the textbook loop strides out of cache and takes seconds.
void textbook_sizes(benchmark::internal::Benchmark* b) {
    for (int n : {8, 16, 32, 64, 128, 256}) b->Arg(n);
}

BENCHMARK(Mtimes_Baseline)->Apply(sizes);
BENCHMARK(Mtimes_Apply)->Apply(sizes);
[[maybe_unused]] bool const registered = [] {
    for (auto* b : bench::on_other_paths("Mtimes", library_product)) b->Apply(sizes);
    return true;
}();
BENCHMARK(Mtimes_Textbook)->Apply(textbook_sizes);
BENCHMARK(MtimesSmall_Baseline)->Arg(2)->Arg(4)->Arg(8);
BENCHMARK(MtimesSmall_Apply)->Arg(2)->Arg(4)->Arg(8);

}  // namespace
