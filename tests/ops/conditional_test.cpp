#include <lang/core/ops/conditional.hpp>

#include "test_support/values.hpp"
#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <string>

namespace lang::core {
namespace {

using test::make;

constexpr char const* kConstants = "tarvex:common:lang:core:constants";

TEST(Conditional, ReturnsTheChosenArgumentItself) {
    Constant const yes(true), no(false), one(1.0), two(2.0);
    EXPECT_EQ(&conditional(yes, one, two), &one);
    EXPECT_EQ(&conditional(no, one, two), &two);
    Constant const a = make<double>({2, 2}, {1, 2, 3, 4});
    Constant const b = make<double>({2, 2}, {5, 6, 7, 8});
    EXPECT_EQ(&conditional(no, a, b), &b);
    Constant const t1 = Tuple{Constant(1), Constant(a)};
    Constant const t2 = Tuple{Constant(2), Constant(b)};
    EXPECT_EQ(&conditional(yes, t1, t2), &t1);
}

TEST(Conditional, RaisesOnAConditionOtherThanALogicalScalarOrUnequalBranchTypes) {
    Constant const yes(true), one(1.0), two(2.0);
    test::expect_message([&] { conditional(yes, one, Constant(2)); }, kConstants, "InvalidConditional",
                         {std::string("logical"), std::string("real"), std::string("integer")});
    test::expect_message([&] { conditional(Constant(make<bool>({1, 1}, {true})), one, two); }, kConstants,
                         "InvalidConditional",
                         {std::string("array<logical, 1, 1>"), std::string("real"), std::string("real")});
    Constant const a = Array<double>(ArraySize{2, 2});
    Constant const b = Array<double>(ArraySize{4, 1});
    test::expect_message([&] { conditional(yes, a, b); }, kConstants, "InvalidConditional",
                         {std::string("logical"), std::string("array<real, 2, 2>"), std::string("array<real, 4, 1>")});
    Constant const t1 = Tuple{Constant(1)};
    Constant const t2 = Tuple{Constant(1.0)};
    EXPECT_THROW(conditional(yes, t1, t2), kbase::MessageException);
}

TEST(ArrayConditional, TakesEachElementFromTheBranchTheMaskNames) {
    Constant const mask = make<bool>({1, 3}, {true, false, true});
    Constant const values = make<double>({1, 3}, {1, 2, 3});
    Constant const zero(0.0);
    EXPECT_EQ(array_conditional(mask, values, zero), Constant(make<double>({1, 3}, {1, 0, 3})));
    EXPECT_EQ(array_conditional(mask, zero, values), Constant(make<double>({1, 3}, {0, 2, 0})));
    EXPECT_EQ(array_conditional(mask, Constant(7), Constant(9)), Constant(make<int>({1, 3}, {7, 9, 7})));
    EXPECT_EQ(array_conditional(mask, mask, Constant(true)), Constant(make<bool>({1, 3}, {true, true, true})));
    EXPECT_EQ(array_conditional(Constant(Array<bool>(ArraySize{0, 2})), Constant(1), Constant(2)),
              Constant(Array<int>(ArraySize{0, 2})));
}

TEST(ArrayConditional, RaisesOnAnyMismatch) {
    Constant const mask = make<bool>({1, 3}, {true, false, true});
    Constant const real(0.0);
    auto expect = [&](Constant const& c, Constant const& a, Constant const& b, char const* ct, char const* at,
                      char const* bt) {
        test::expect_message([&] { array_conditional(c, a, b); }, kConstants, "InvalidArrayConditional",
                             {std::string(ct), std::string(at), std::string(bt)});
    };
    expect(Constant(true), real, real, "logical", "real", "real");
    expect(Constant(make<int>({1, 3}, {1, 0, 1})), real, real, "array<integer, 1, 3>", "real", "real");
    expect(mask, real, Constant(2), "array<logical, 1, 3>", "real", "integer");
    expect(mask, Constant(make<double>({3, 1}, {1, 2, 3})), real, "array<logical, 1, 3>", "array<real, 3, 1>",
           "real");
    expect(mask, real, Constant(Tuple{}), "array<logical, 1, 3>", "real", "tuple<>");
}

}  // namespace
}  // namespace lang::core
