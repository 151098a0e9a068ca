// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/conditional.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

namespace lang::core {
namespace {

using namespace test;

TEST(Conditional, ReturnsTheChosenArgumentItselfOrRaises) {
    Constant const yes(true), no(false), one(1.0), two(2.0);
    EXPECT_EQ(&conditional(yes, one, two), &one);
    EXPECT_EQ(&conditional(no, one, two), &two);

    auto const invalid = [](Constant const& c, Constant const& a, Constant const& b, MessageArguments const& types) {
        expect_message([&] { conditional(c, a, b); }, constants_catalog, "InvalidConditional", types);
    };
    invalid(yes, one, 2, {"logical", "real", "integer"});
    invalid(make<bool>({1, 1}, {true}), one, two, {"array<logical, 1, 1>", "real", "real"});
    invalid(yes, Array<double>({2, 2}), Array<double>({4, 1}), {"logical", "array<real, 2, 2>", "array<real, 4, 1>"});
}

TEST(ArrayConditional, TakesEachElementFromTheBranchTheMaskNamesOrRaises) {
    Constant const mask = make<bool>({1, 3}, {true, false, true});
    Constant const values = make<double>({1, 3}, {1, 2, 3});
    Constant const zero(0.0);
    EXPECT_EQ(array_conditional(mask, values, zero), make<double>({1, 3}, {1, 0, 3}));
    EXPECT_EQ(array_conditional(mask, zero, values), make<double>({1, 3}, {0, 2, 0}));
    EXPECT_EQ(array_conditional(mask, 7, 9), make<int>({1, 3}, {7, 9, 7}));
    EXPECT_EQ(array_conditional(Array<bool>({0, 2}), 1, 2), Array<int>({0, 2}));

    auto const invalid = [](Constant const& c, Constant const& a, Constant const& b, MessageArguments const& types) {
        expect_message([&] { array_conditional(c, a, b); }, constants_catalog, "InvalidArrayConditional", types);
    };
    invalid(true, zero, zero, {"logical", "real", "real"});
    invalid(make<int>({1, 3}, {1, 0, 1}), zero, zero, {"array<integer, 1, 3>", "real", "real"});
    invalid(mask, zero, 2, {"array<logical, 1, 3>", "real", "integer"});
    invalid(mask, make<double>({3, 1}, {1, 2, 3}), zero, {"array<logical, 1, 3>", "array<real, 3, 1>", "real"});
}

}  // namespace
}  // namespace lang::core
