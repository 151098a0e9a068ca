#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/constants/scalar_to_user_string.hpp>

#include "test_support/values.hpp"
#include "test_support/expect_message.hpp"
#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using test::inf;
using test::nan;

constexpr char const* kConstants = "tarvex:common:lang:core:constants";

TEST(ScalarConstant, HoldsOnlyTheScalarOfAConstant) {
    ScalarConstant const index(Constant(7UL));
    EXPECT_EQ(test::printed(index), "7i");
    EXPECT_EQ(index.id(), type::INDEX);
    EXPECT_EQ(test::printed(scalar_type(index)), "index");
    EXPECT_EQ(to_constant(index), Constant(7UL));
    EXPECT_EQ(test::printed(ScalarConstant()), "false");
    EXPECT_EQ(test::printed(ScalarConstant(Scalar<double>{2.0})), "2.0");

    Constant const one_by_one = Array<double>(ArraySize{1, 1});
    test::expect_message([&] { ScalarConstant{one_by_one}; }, kConstants, "InvalidScalarConstant",
                         {std::string("array<real, 1, 1>")});
    Constant const tuple = Tuple{1};
    test::expect_message([&] { ScalarConstant{tuple}; }, kConstants, "InvalidScalarConstant",
                         {std::string("tuple<integer>")});
}

TEST(ScalarConstant, OneAndZeroOfEachElementType) {
    EXPECT_EQ(to_constant(one(type::LOGICAL)), Constant(true));
    EXPECT_EQ(to_constant(zero(type::LOGICAL)), Constant(false));
    EXPECT_EQ(to_constant(one(type::INTEGER)), Constant(1));
    EXPECT_EQ(to_constant(zero(type::INDEX)), Constant(0UL));
    EXPECT_EQ(to_constant(one(type::REAL)), Constant(1.0));
    double const z = boost::get<Scalar<double>>(zero(type::REAL).value()).value;
    EXPECT_TRUE(z == 0.0 && !std::signbit(z));
    for (int bad : {-1, 4}) {
        try {
            one(static_cast<type::Id>(bad));
            ADD_FAILURE() << "no std::logic_error for " << bad;
        } catch (std::logic_error const& e) {
            EXPECT_STREQ(e.what(), "bad visit");
        }
        EXPECT_THROW(zero(static_cast<type::Id>(bad)), std::logic_error);
    }
}

TEST(ScalarConstant, RelatesAndHashesAsItsConstant) {
    std::vector<ScalarConstant> const scalars{
        Scalar<bool>{false},  Scalar<bool>{true},   Scalar<int>{INT_MIN},    Scalar<int>{0},
        Scalar<int>{0},       Scalar<unsigned long>{~0UL}, Scalar<double>{0.0}, Scalar<double>{-0.0},
        Scalar<double>{nan},  Scalar<double>{-nan}, Scalar<double>{-inf},    Scalar<double>{1.5}};
    test::expect_consistent_relations(scalars);
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
        {nan, u"NaN"},          {-inf, u"-Inf"},           {inf, u"Inf"},           {-0.0, u"0"},
        {-2.5, u"-2.5000"},     {20000, u"20000"},         {1e9, u"1.0000e+09"},    {1e-5, u"1.0000e-05"},
        {0.0001, u"0.0001"},    {12346.7, u"1.2347e+04"},  {999999999, u"999999999"}, {-1e300, u"-1.0000e+300"}};
    for (auto const& [value, text] : reals) EXPECT_EQ(detail::ScalarToUserString<double>()(value), text) << value;
}

}  // namespace
}  // namespace lang::core
