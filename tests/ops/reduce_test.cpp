// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/reduce.hpp>
#include <lang/core/ops/reduce_all.hpp>

#include "test_support/kernel_paths.hpp"
#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

// The reference: integers widened then wrapped, NaN skipped explicitly.
template <class T>
T step(accum::Id a, T acc, T x) {
    if constexpr (std::is_same_v<T, bool>) return a == accum::ANY ? acc || x : acc && x;
    else {
        using Wide = std::conditional_t<std::is_same_v<T, int>, long, T>;
        if (a == accum::SUM) return static_cast<T>(static_cast<Wide>(acc) + x);
        if (a == accum::PROD) return static_cast<T>(static_cast<Wide>(acc) * x);
        if (x != x) return acc;
        return (a == accum::MINIMUM ? x < acc : acc < x) ? x : acc;
    }
}

template <class T>
T start(accum::Id a) {
    using limits = std::numeric_limits<T>;
    T const extremes[2] = {limits::has_infinity ? limits::infinity() : limits::max(),
                           limits::has_infinity ? -limits::infinity() : limits::min()};
    return a == accum::SUM || a == accum::ANY ? T(0) : a <= accum::ALL ? T(1) : extremes[a - accum::MINIMUM];
}

template <class T>
void expect_reductions(std::vector<accum::Id> const& accumulations, bool extrema) {
    std::mt19937_64 rng(1234);
    // 37x35 and 1030x17 give the interleaved kernels full groups of runs, a
    // partial group and runs that are not a multiple of their step.
    std::vector<ArraySize> shapes{{1, 1}, {0, 0}, {5, 1}, {1, 9}, {3, 0}, {3, 20}, {17, 2}, {13, 5, 1, 3}, {2, 0, 2},
                                  {37, 35}, {1030, 17}};
    for (int i = 0; i < 40; ++i) shapes.push_back(ArraySize{rng() % 6, rng() % 6, rng() % 4});
    using limits = std::numeric_limits<T>;
    T const special[] = {T(0),          T(1), T(-1), limits::max(), limits::lowest(), limits::quiet_NaN(),
                         limits::infinity(), T(-0.0), limits::denorm_min()};
    for (ArraySize const& shape : shapes) {
        std::vector<T> in(shape.numElements());
        for (auto&& x : in) {
            // Sevenths round, so a real sum taken in another order would
            // differ; specials are rarer in large arrays, where a NaN or an
            // infinity in every run would hide the order.
            T const whole = static_cast<T>(static_cast<long>(rng() % 2001) - 1000);
            bool const pick_special = rng() % std::max(4UL, in.size() / 4) == 0;
            if constexpr (std::is_same_v<T, double>) x = pick_special ? special[rng() % std::size(special)] : whole / 7;
            else x = pick_special ? special[rng() % std::size(special)] : whole;
        }
        Constant const value = make(shape, in);
        for (unsigned long dim : {0UL, 1UL, 2UL, 3UL, 4UL, ~0UL}) {
            // Position p lies at k = p / before % n along dim and folds into
            // output slot p % before + before * (p / before / n).
            unsigned long before = 1, n = shape(dim);
            for (unsigned long i = 0; i < std::min(dim, shape.size()); ++i) before *= shape(i);
            ArraySize reduced = shape;
            reduced.replace(dim, 1);
            std::string const what = in.size() > 64 ? printed(shape) : printed(value);
            std::string const where = what + " along " + std::to_string(dim);
            for (accum::Id a : accumulations) {
                std::vector<T> want(reduced.numElements(), start<T>(a));
                for (unsigned long p = 0; p < in.size(); ++p) {
                    unsigned long const o = p % before + before * (p / before / n);
                    want[o] = step<T>(a, want[o], in[p]);
                }
                Constant const result = apply(a, dim, value);
                auto const& got = std::get<Array<T>>(result.value());
                ASSERT_EQ(got.size(), reduced) << a << ' ' << where;
                for (unsigned long o = 0; o < want.size(); ++o) {
                    ASSERT_TRUE(same<T>(got.x()[o], want[o])) << a << ' ' << where << " at " << o;
                }
            }
            for (extrema::Id e : {extrema::INDEX_MINIMUM, extrema::INDEX_MAXIMUM}) {
                if (!extrema) break;
                // A zero length along dim stays: the result is empty then.
                std::vector<unsigned long> best(n == 0 ? 0 : reduced.numElements()), at(best.size());
                for (unsigned long p = 0; p < in.size(); ++p) {
                    unsigned long const o = p % before + before * (p / before / n);
                    T const x = in[p], b = in[at[o]];
                    if (p / before % n == 0 || (e == extrema::INDEX_MINIMUM ? x < b : b < x)) {
                        at[o] = p;
                        best[o] = p / before % n;
                    }
                }
                Constant const result = apply(e, dim, value);
                ASSERT_EQ(std::get<Array<unsigned long>>(result.value()).size(), n == 0 ? shape : reduced)
                    << e << ' ' << where;
                EXPECT_EQ(elements<unsigned long>(result), best) << e << ' ' << where;
            }
        }
        // reduce_all: one sequential fold of every element in storage order.
        for (accum::Id a : accumulations) {
            T all = start<T>(a);
            for (T x : in) all = step<T>(a, all, x);
            ASSERT_TRUE(same<T>(std::get<Scalar<T>>(reduce_all(a, value).value()).value, all)) << a << ' ' << shape;
        }
        for (extrema::Id e : {extrema::INDEX_MINIMUM, extrema::INDEX_MAXIMUM}) {
            if (!extrema || in.empty()) break;
            unsigned long best = 0;
            for (unsigned long p = 1; p < in.size(); ++p)
                if (e == extrema::INDEX_MINIMUM ? in[p] < in[best] : in[best] < in[p]) best = p;
            EXPECT_EQ(reduce_all(e, value), Constant(best)) << e << ' ' << shape;
        }
        EXPECT_EQ(value, make(shape, in)) << "the operand changed";
    }
}

TEST(Reduce, EveryDimensionMatchesAReferenceFold) {
    on_every_kernel_path([] {
        expect_reductions<bool>({accum::ANY, accum::ALL}, false);
        std::vector<accum::Id> const numeric{accum::SUM, accum::PROD, accum::MINIMUM, accum::MAXIMUM};
        expect_reductions<int>(numeric, true);
        expect_reductions<unsigned long>(numeric, true);
        expect_reductions<double>(numeric, true);
    });
}

// The generic path runs everywhere and comes first; the default is the widest.
// A path this processor lacks is refused and changes nothing.
TEST(KernelPath, OnlySupportedPathsCanBeSet) {
    auto const paths = detail::supported_kernel_paths();
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(paths.front(), detail::KernelPath::generic);
    EXPECT_EQ(detail::kernel_path(), paths.back());
    EXPECT_FALSE(detail::set_kernel_path(static_cast<detail::KernelPath>(99)));
    EXPECT_EQ(detail::kernel_path(), paths.back());
}

// No element is visited when the result is empty, however long the
// dimension reduced: both return at once.
TEST(Reduce, EmptyResultsOfLongDimensionsAreImmediate) {
    unsigned long const huge = 1UL << 60;
    Array<double> const empty(ArraySize{0, huge});
    EXPECT_EQ(std::get<Array<double>>(apply(accum::SUM, 1, empty).value()).size(), (ArraySize{0, 1}));
    EXPECT_EQ(std::get<Array<unsigned long>>(apply(extrema::INDEX_MAXIMUM, 1, empty).value()).size(),
              (ArraySize{0, 1}));
}

TEST(Reduce, RejectionsCarryTheirArguments) {
    auto const invalid = [](auto call, char const* key, char const* name, char const* type) {
        expect_message(call, constants_catalog, key, {name, type});
    };
    invalid([] { apply(accum::SUM, 0, Array<bool>({2, 3})); }, "InvalidAccum", "sum", "array<logical, 2, 3>");
    invalid([] { apply(accum::ALL, 1, Tuple{1}); }, "InvalidAccum", "all", "tuple<integer>");
    invalid([] { apply(extrema::INDEX_MINIMUM, 0, 3UL); }, "InvalidExtrema", "index_minimum", "index");
    // reduce_all names the caller's value, not the column it reduces.
    invalid([] { reduce_all(accum::SUM, Array<bool>({2, 3})); }, "InvalidAccum", "sum", "array<logical, 2, 3>");
    invalid([] { reduce_all(accum::PROD, 1.0); }, "InvalidAccum", "prod", "real");
    invalid([] { reduce_all(extrema::INDEX_MAXIMUM, Array<bool>({2, 3})); }, "InvalidExtrema", "index_maximum",
            "array<logical, 2, 3>");
    expect_message([] { reduce_all(extrema::INDEX_MINIMUM, Array<int>({0, 2})); }, types_catalog, "InvalidIndex",
                   {"0, 1", 0L});
    EXPECT_THROW(apply(static_cast<accum::Id>(6), 0, Array<double>({2, 2})), std::logic_error);
    EXPECT_THROW(apply(static_cast<extrema::Id>(2), 0, Array<double>({2, 2})), std::logic_error);
}

TEST(AccumulationIdent, IsTheReductionOfAnEmptyColumn) {
    for (int a = 0; a < accum::COUNT; ++a) {
        for (type::Id t : {type::LOGICAL, type::INTEGER, type::INDEX, type::REAL}) {
            auto const reduction = static_cast<accum::Id>(a);
            if (t == type::LOGICAL ? a == accum::ANY || a == accum::ALL : a != accum::ANY && a != accum::ALL) {
                // A 1x1 array prints as its element in brackets.
                EXPECT_EQ('[' + printed(accumulation_ident(reduction, t)) + ']',
                          printed(apply(reduction, 0, make_constant(ArrayType(t, ArraySize{0, 1})))));
            } else {
                expect_message([&] { accumulation_ident(reduction, t); }, constants_catalog, "InvalidAccum",
                               {printed(reduction), "array<" + printed(t) + ", 0, 1>"});
            }
        }
    }
}

}  // namespace
}  // namespace lang::core
