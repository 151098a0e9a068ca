// SPDX-License-Identifier: Apache-2.0
// Element-wise folding against the plain -O3 loop over raw pointers: the
// loop into an existing buffer (the machine's limit, group _Baseline), the
// same loop writing a freshly allocated result (_Fresh), the library on its
// default kernel path (_Apply), on every other path this processor supports
// (_Generic, ...), and keeping the
// previous result alive while the next is made (_Held, so its block cannot be
// reused), and with the heap's cache of large blocks raised above a 10^7
// result (_Cached: no fresh pages per call). Then a 1x1 array op and a scalar fold against a double add
// through the same benchmark loop.
#include <groundwork/core/mem/aligned_heap.hpp>
#include <lang/core/ops/apply.hpp>

#include <benchmark/benchmark.h>

#include "bench_support.hpp"

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

namespace {

using lang::core::apply;
using lang::core::Array;
using lang::core::ArraySize;
using lang::core::Constant;
namespace op = lang::core::op;

/// Operands of every element type: distinct, non-zero, and in range.
template <class T>
std::unique_ptr<T[]> operand(unsigned long n, int seed) {
    auto values = std::make_unique<T[]>(n);
    for (unsigned long i = 0; i < n; ++i) {
        if constexpr (std::is_same_v<T, bool>) values[i] = (i + static_cast<unsigned long>(seed)) % 3 != 0;
        else values[i] = static_cast<T>((i * 7 + static_cast<unsigned long>(seed)) % 1000 + 1) / T(4);
    }
    return values;
}

template <class T>
Constant column(T const* values, unsigned long n) {
    Array<T> a(ArraySize{n, 1});
    std::copy(values, values + n, a.x());
    return a;
}

template <class T, class R, class F>
void loop(T const* __restrict x, T const* __restrict y, R* __restrict z, unsigned long n, F f) {
    for (unsigned long i = 0; i < n; ++i) z[i] = f(x[i], y[i]);
}

enum class Variant { existing, fresh, apply, held, cached };

/// `path` is the kernel path of the library's variants.
template <op::Id O, class T, Variant V>
void run(benchmark::State& state, bench::KernelPath path) {
    auto const n = static_cast<unsigned long>(state.range(0));
    auto const a = operand<T>(n, 1);
    auto const b = operand<T>(n, 2);
    // The element rule the library applies, written as the loop would.
    auto const f = [](T x, T y) {
        if constexpr (O == op::PLUS) return x + y;
        else if constexpr (O == op::TIMES) return x * y;
        else if constexpr (O == op::LT) return x < y;
        else return x && y;
    };
    using R = decltype(f(T{}, T{}));
    if constexpr (V == Variant::existing || V == Variant::fresh) {
        auto out = std::make_unique_for_overwrite<R[]>(n);
        // An existing buffer has had its pages touched; a 10^7 run may time a
        // single iteration, which must not include first-touch faults.
        std::fill_n(out.get(), n, R{});
        for (auto _ : state) {
            if constexpr (V == Variant::fresh) {
                out.reset();  // as the library's previous result is freed first
                out = std::make_unique_for_overwrite<R[]>(n);
            }
            loop(a.get(), b.get(), out.get(), n, f);
            benchmark::DoNotOptimize(out.get());
            benchmark::ClobberMemory();
        }
    } else {
        Constant const x = column(a.get(), n);
        Constant const y = column(b.get(), n);
        bench::OnPath const on(path);
        using groundwork::core::mem::aligned_heap;
        if constexpr (V == Variant::cached) aligned_heap::set_large_cache_limit(256ul << 20);
        Constant held = false;
        for (auto _ : state) {
            Constant result = apply(O, x, y);
            benchmark::DoNotOptimize(result);
            benchmark::ClobberMemory();
            if constexpr (V == Variant::held) std::swap(held, result);
        }
        aligned_heap::set_large_cache_limit(aligned_heap::default_large_cache_limit);
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * n));
}

void sizes(benchmark::internal::Benchmark* b) { b->Arg(1000)->Arg(1000000); }

template <op::Id O, class T>
void register_group(std::string const& group, void (*args)(benchmark::internal::Benchmark*)) {
    auto const variant = [&](char const* name, auto run) {
        benchmark::RegisterBenchmark((group + "_" + name).c_str(), run, bench::default_path())->Apply(args);
    };
    variant("Baseline", run<O, T, Variant::existing>);
    variant("Fresh", run<O, T, Variant::fresh>);
    variant("Apply", run<O, T, Variant::apply>);
    for (auto* b : bench::on_other_paths(group, run<O, T, Variant::apply>)) b->Apply(args);
}

// Real plus is the plotted one: every size from 10^3 to 10^7.
void plus_sizes(benchmark::internal::Benchmark* b) { b->RangeMultiplier(10)->Range(1000, 10000000); }

[[maybe_unused]] bool const registered = [] {
    register_group<op::TIMES, double>("ElementwiseTimesReal", sizes);
    register_group<op::LT, double>("ElementwiseLtReal", sizes);
    register_group<op::PLUS, int>("ElementwisePlusInteger", sizes);
    register_group<op::PLUS, unsigned long>("ElementwisePlusIndex", sizes);
    register_group<op::AND, bool>("ElementwiseAndLogical", sizes);
    register_group<op::PLUS, double>("ElementwisePlusReal", plus_sizes);
    benchmark::RegisterBenchmark("ElementwisePlusReal_Held", run<op::PLUS, double, Variant::held>,
                                 bench::default_path())
        ->Arg(10000000);
    benchmark::RegisterBenchmark("ElementwisePlusReal_Cached", run<op::PLUS, double, Variant::cached>,
                                 bench::default_path())
        ->Arg(10000000);
    return true;
}();

/// The double add both small-operand groups compare with.
void double_add(benchmark::State& state) {
    double a = 1.5;
    double b = 2.25;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        double sum = a + b;
        benchmark::DoNotOptimize(sum);
    }
}

void constant_add(benchmark::State& state, Constant a, Constant b) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        Constant sum = apply(op::PLUS, a, b);
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(double_add)->Name("ScalarPlus_Baseline");
BENCHMARK_CAPTURE(constant_add, , Constant(1.5), Constant(2.25))->Name("ScalarPlus_Apply");
BENCHMARK(double_add)->Name("OneByOnePlus_Baseline");
double const one_by_one[] = {1.5, 2.25};
BENCHMARK_CAPTURE(constant_add, , column(one_by_one, 1), column(one_by_one + 1, 1))->Name("OneByOnePlus_Apply");

}  // namespace
