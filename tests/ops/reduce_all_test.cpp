// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/reduce_all.hpp>

#include <lang/core/constants/array_builders.hpp>
#include <lang/core/constants/tuple.hpp>
#include <lang/core/constants/value_reading.hpp>

#include "test_support/expect_message.hpp"
#include "test_support/kernel_paths.hpp"
#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

namespace lang::core {
namespace {

// The sequential fold from the identity, in storage order; integers wrap.
template <class T>
T fold(accum::Id a, std::vector<T> const& in) {
    using limits = std::numeric_limits<T>;
    T acc = a == accum::SUM || a == accum::ANY    ? T(0)
            : a == accum::PROD || a == accum::ALL ? T(1)
            : a == accum::MINIMUM                 ? (limits::has_infinity ? limits::infinity() : limits::max())
                                                  : (limits::has_infinity ? -limits::infinity() : limits::lowest());
    for (T x : in) {
        if constexpr (std::is_same_v<T, bool>) acc = a == accum::ANY ? acc || x : acc && x;
        else if constexpr (std::is_same_v<T, double>) {
            if (a == accum::SUM) acc = acc + x;
            else if (a == accum::PROD) acc = acc * x;
            else if (a == accum::MINIMUM ? x < acc : acc < x) acc = x;
            continue;
        } else if (a == accum::SUM) acc = static_cast<T>(static_cast<unsigned long>(acc) + static_cast<unsigned long>(x));
        else if (a == accum::PROD) acc = static_cast<T>(static_cast<unsigned long>(acc) * static_cast<unsigned long>(x));
        else if (a == accum::MINIMUM ? x < acc : acc < x) acc = x;
    }
    return acc;
}

template <class T>
void expect_reduce_all(std::vector<accum::Id> const& accumulations) {
    std::mt19937_64 rng(31);
    for (ArraySize const& size : {ArraySize{0, 3}, ArraySize{1, 1}, ArraySize{37, 35}, ArraySize{3, 5, 7}, ArraySize{1030, 2}}) {
        std::vector<T> in(size.numElements());
        for (auto&& x : in) {
            if constexpr (std::is_same_v<T, double>) x = rng() % 50 == 0 ? test::nan : static_cast<double>(rng() % 2001) / 7;
            else if constexpr (std::is_same_v<T, bool>) x = rng() % 3 != 0;
            else x = static_cast<T>(rng() % 2001 - 1000);
        }
        Constant const value = test::make(size, in);
        for (accum::Id a : accumulations) {
            Constant const got = reduce_all(a, value);
            ASSERT_TRUE(test::same(scalar_value<T>(got), fold(a, in))) << a << " of " << size;
        }
        if constexpr (!std::is_same_v<T, bool>) {
            if (in.empty()) continue;
            unsigned long lo = 0, hi = 0;
            for (unsigned long p = 1; p < in.size(); ++p) {
                if (in[p] < in[lo]) lo = p;
                if (in[hi] < in[p]) hi = p;
            }
            EXPECT_EQ(reduce_all(extrema::INDEX_MINIMUM, value), Constant(lo)) << size;
            EXPECT_EQ(reduce_all(extrema::INDEX_MAXIMUM, value), Constant(hi)) << size;
        }
    }
}

TEST(ReduceAll, MatchesTheSequentialFoldOnEveryKernelPath) {
    test::on_every_kernel_path([] {
        std::vector<accum::Id> const numeric{accum::SUM, accum::PROD, accum::MINIMUM, accum::MAXIMUM};
        expect_reduce_all<bool>({accum::ANY, accum::ALL});
        expect_reduce_all<int>(numeric);
        expect_reduce_all<unsigned long>(numeric);
        expect_reduce_all<double>(numeric);
    });
}

TEST(ReduceAll, RefusesWhatApplyRefusesNamingTheValuesOwnType) {
    using test::expect_message, test::constants_catalog;
    expect_message([] { reduce_all(accum::SUM, Constant(1.0)); }, constants_catalog, "InvalidAccum", {"sum", "real"});
    expect_message([] { reduce_all(accum::PROD, Tuple{1}); }, constants_catalog, "InvalidAccum",
                   {"prod", "tuple<integer>"});
    Constant const logical = matrix({{true, false, true}, {false, false, true}});
    expect_message([&] { reduce_all(accum::SUM, logical); }, constants_catalog, "InvalidAccum",
                   {"sum", "array<logical, 2, 3>"});
    expect_message([&] { reduce_all(extrema::INDEX_MINIMUM, logical); }, constants_catalog, "InvalidExtrema",
                   {"index_minimum", "array<logical, 2, 3>"});
    expect_message([] { reduce_all(extrema::INDEX_MAXIMUM, Constant(Array<int>(ArraySize{0, 2}))); },
                   test::types_catalog, "InvalidIndex", {"0, 1", 0L});
}

}  // namespace
}  // namespace lang::core
