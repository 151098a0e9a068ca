// SPDX-License-Identifier: Apache-2.0
// ScalarConstant, a constant known to be a scalar: what it holds, one and
// zero of each element type, its relations, and the user form of a scalar.
#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/constants/scalar_to_user_string.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

TEST(ScalarConstant, HoldsOnlyTheScalarOfAConstant) {
    ScalarConstant const index(Constant(7UL));
    EXPECT_EQ(printed(scalar_type(index)), "index");
    EXPECT_EQ(to_constant(index), Constant(7UL));
    EXPECT_EQ(printed(ScalarConstant()), "false");
    expect_message([] { ScalarConstant{Constant(Array<double>({1, 1}))}; }, constants_catalog,
                   "InvalidScalarConstant", {"array<real, 1, 1>"});

    Constant const ones[] = {true, 1, 1UL, 1.0}, zeros[] = {false, 0, 0UL, 0.0};
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(to_constant(one(static_cast<type::Id>(t))), ones[t]) << t;
        EXPECT_EQ(to_constant(zero(static_cast<type::Id>(t))), zeros[t]) << t;
    }
    EXPECT_FALSE(std::signbit(boost::get<Scalar<double>>(zero(type::REAL).value()).value));
    EXPECT_THROW(one(type::INVALID), std::logic_error);
    EXPECT_THROW(zero(static_cast<type::Id>(4)), std::logic_error);
}

TEST(ScalarConstant, RelatesAndHashesAsItsConstant) {
    std::vector<ScalarConstant> scalars;
    for (Constant const& c : generated_constants()) {
        if (c.id() < 4) scalars.emplace_back(c);
    }
    expect_consistent_relations(scalars);
    for (auto const& a : scalars) {
        EXPECT_EQ(hash_value(a), hash_value(to_constant(a)));
        for (auto const& b : scalars) EXPECT_EQ(compare(a, b), compare(to_constant(a), to_constant(b)));
    }
}

TEST(ScalarToUserString, WrapsIntegersOnly) {
    EXPECT_EQ(detail::ScalarToUserString<bool>()(true), u"true");
    EXPECT_EQ(detail::ScalarToUserString<int>()(INT_MIN), u"int32(-2147483648)");
    EXPECT_EQ(detail::ScalarToUserString<unsigned long>()(~0UL), u"uint32(18446744073709551615)");

    std::vector<std::pair<double, std::u16string>> const reals{
        {nan, u"NaN"},        {-inf, u"-Inf"},           {-0.0, u"0"},              {-2.5, u"-2.5000"},
        {1e-5, u"1.0000e-05"}, {0.0001, u"0.0001"},     {12346.7, u"1.2347e+04"}, {999999999, u"999999999"}};
    for (auto const& [value, text] : reals) EXPECT_EQ(detail::ScalarToUserString<double>()(value), text) << value;
}

}  // namespace
}  // namespace lang::core
