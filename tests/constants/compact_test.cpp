// SPDX-License-Identifier: Apache-2.0
// The compact forms Colon, Eye and UniformArray: each expands to the array its
// type reports and prints its parameters; a colon rejects a start that is not
// below the stop, and is_uniform tells which constants hold a single value
// throughout.
#include <lang/core/constants/colon.hpp>
#include <lang/core/constants/eye.hpp>
#include <lang/core/constants/uniform_array.hpp>
#include <lang/core/index/constant_iterator.hpp>
#include <lang/core/ops/convert.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

// What a compact form stands for, which must have the type the form reports
// without expanding.
template <class Compact>
Constant expanded(Compact const& compact) {
    Constant c = to_constant(compact);
    EXPECT_EQ(array_type(c), array_type(compact));
    return c;
}

TEST(Colon, ExpandsToTheColumnItsTypeReports) {
    struct Case {
        Colon colon;
        char const* printed;
        std::vector<unsigned long> values;
    };
    std::vector<Case> const cases = {
        {Colon(0, 3), "colon<0, 1, 3>", {0, 1, 2}},
        {Colon(0, 2, 5), "colon<0, 2, 5>", {0, 2, 4}},
        {Colon(3, 10, 4), "colon<3, 10, 4>", {3}},
        {Colon(18446744073709551610UL, 3, 18446744073709551615UL),
         "colon<18446744073709551610, 3, 18446744073709551615>",
         {18446744073709551610UL, 18446744073709551613UL}},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.printed);
        EXPECT_EQ(printed(c.colon), c.printed);
        EXPECT_EQ(array_type(c.colon), ArrayType(type::INDEX, ArraySize{c.values.size(), 1}));
        EXPECT_EQ(elements<unsigned long>(expanded(c.colon)), c.values);
    }

    // Start must be below stop.
    constexpr char const* kIr = "tarvex:common:lang:core:ir";
    expect_message([] { Colon(6, 1, 5); }, kIr, "InvalidColon", {6L, 5L});
    expect_message([] { Colon(18446744073709551615UL, 0); }, kIr, "InvalidColon", {-1L, 0L});
}

// The diagonal from the multi-index of each position, not from the stride.
template <class T>
void expect_identity(Eye const& e) {
    SCOPED_TRACE(printed(e));
    std::vector<T> const a = elements<T>(expanded(e));
    ArraySize const& s = e.size();
    for (unsigned long p = 0; p < a.size(); ++p) {
        unsigned long rest = p;
        bool diagonal = true;
        unsigned long first = rest % s(0);
        for (unsigned long d = 0; d < s.size(); ++d) {
            diagonal = diagonal && rest % s(d) == first;
            rest /= s(d);
        }
        EXPECT_EQ(a[p], diagonal ? T(1) : T(0)) << "at " << p;
    }
}

TEST(Eye, ExpandsToOnesOnTheGeneralisedDiagonal) {
    expect_identity<double>(Eye(type::REAL, ArraySize{2, 3}));
    expect_identity<int>(Eye(type::INTEGER, ArraySize{3, 2, 4}));
    expect_identity<unsigned long>(Eye(type::INDEX, ArraySize{2, 2, 2, 2}));
    expect_identity<double>(Eye(type::REAL, ArraySize{0, 3}));
    expect_identity<bool>(Eye());
    EXPECT_THROW(to_constant(Eye(type::Id(4), ArraySize{2, 2})), std::logic_error);
    using Pair = std::pair<unsigned long, unsigned long>;
    EXPECT_EQ(stride_and_stop(Eye(type::REAL, ArraySize{2, 2, 2})), Pair(7, 14));
    EXPECT_EQ(stride_and_stop(Eye(type::REAL, ArraySize{0, 3})), Pair(1, 0));
    EXPECT_EQ(printed(Eye()), "eye<logical, 0, 1>");
    EXPECT_EQ(printed(Eye(type::INDEX, ArraySize{2, 1, 3})), "eye<index, 2, 1, 3>");
}

TEST(UniformArray, ExpandsToItsReportedTypeFilledWithTheValue) {
    std::vector<ScalarConstant> const values = {Scalar<bool>{true}, Scalar<int>{-3}, Scalar<unsigned long>{7},
                                                Scalar<double>{2.5}};
    std::vector<ArraySize> const shapes = {{2, 2}, {1, 1}, {3, 1, 2}, {0, 0}, {0, 2, 0}};
    for (auto const& v : values) {
        for (auto const& s : shapes) {
            UniformArray const u(v, s);
            SCOPED_TRACE(printed(u));
            EXPECT_EQ(array_type(u), ArrayType(v.id(), s));
            Constant const c = expanded(u);
            std::vector<Constant> const expected(s.numElements(), to_constant(v));
            EXPECT_EQ(std::vector<Constant>(c.begin(), c.end()), expected);
        }
    }
    EXPECT_EQ(printed(UniformArray(Scalar<unsigned long>{4}, ArraySize{5})), "uniform_array<4i, 5, 1>");
    EXPECT_EQ(printed(UniformArray(Scalar<double>{1.0}, ArraySize{1, 2, 3})), "uniform_array<1.0, 1, 2, 3>");
}

// Several zero lengths make an empty array; a lone one is a placeholder that
// the single value fills.
TEST(UniformArray, ALoneZeroLengthStandsForOneElement) {
    ScalarConstant const v(Scalar<double>{2.0});
    EXPECT_EQ(to_constant(v, ArraySize{1, 1, 0}), make<double>({1, 1}, {2}));
    expect_message([&] { to_constant(v, ArraySize{0, 3}); }, types_catalog, "InvalidReshape", {"1, 1", "0, 3"});
    expect_message([&] { to_constant(UniformArray(v, ArraySize{2, 0})); }, types_catalog, "InvalidReshape",
                   {"1, 1", "2, 0"});
}

TEST(IsUniform, FollowsTheRuleOfEachKind) {
    ScalarConstant const real_nan(Scalar<double>{nan});
    ScalarConstant const real_two(Scalar<double>{2.0});
    ScalarConstant const int_two(Scalar<int>{2});
    // NaN matches NaN as a scalar but never as an array element.
    EXPECT_TRUE(is_uniform(Constant(nan), real_nan));
    EXPECT_FALSE(is_uniform(Constant(make<double>({2, 1}, {nan, nan})), real_nan));
    // No conversion between element types.
    EXPECT_FALSE(is_uniform(Constant(make<int>({2, 1}, {2, 2})), real_two));
    EXPECT_TRUE(is_uniform(Constant(make<int>({2, 1}, {2, 2})), int_two));
    EXPECT_FALSE(is_uniform(Constant(make<int>({3, 1}, {2, 2, 3})), int_two));
    // Empty arrays of the value's element type and empty tuples are uniform.
    EXPECT_TRUE(is_uniform(Constant(Array<double>(ArraySize{0, 4})), real_nan));
    EXPECT_FALSE(is_uniform(Constant(Array<bool>(ArraySize{0, 4})), real_nan));
    EXPECT_TRUE(is_uniform(Constant(Tuple{Constant(2), Constant(make<int>({2, 1}, {2, 2}))}), int_two));
    EXPECT_FALSE(is_uniform(Constant(Tuple{Constant(2), Constant(Tuple{Constant(2.0)})}), int_two));
}

}  // namespace
}  // namespace lang::core
