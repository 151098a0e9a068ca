#include <lang/core/constants/uniform_array.hpp>
#include <lang/core/ops/convert.hpp>

#include "test_support/values.hpp"
#include "test_support/expect_message.hpp"
#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace lang::core {
namespace {

using test::make;
using test::nan;

constexpr char const* kTypes = "tarvex:common:lang:core:types";

TEST(UniformArray, ExpandsToItsReportedTypeFilledWithTheValue) {
    std::vector<ScalarConstant> const values = {Scalar<bool>{true}, Scalar<int>{-3}, Scalar<unsigned long>{7},
                                                Scalar<double>{2.5}};
    std::vector<ArraySize> const shapes = {{2, 2}, {1, 1}, {3, 1, 2}, {0, 0}, {0, 2, 0}};
    for (auto const& v : values) {
        for (auto const& s : shapes) {
            UniformArray const u(v, s);
            SCOPED_TRACE(test::printed(u));
            Constant const c = to_constant(u);
            EXPECT_EQ(array_type(c), array_type(u));
            EXPECT_EQ(array_type(u), ArrayType(v.id(), s));
            for (unsigned long i = 0; i < s.numElements(); ++i) {
                Constant const element = visit([&](auto const& a) -> Constant {
                    if constexpr (is_array_v<std::decay_t<decltype(a)>>) return a.x()[i];
                    else return Tuple{};
                }, c);
                EXPECT_EQ(element, to_constant(v)) << "at " << i;
            }
        }
    }
}

TEST(UniformArray, ALoneZeroLengthStandsForOneElement) {
    Constant const two = Scalar<double>{2.0};
    ScalarConstant const v(two);
    EXPECT_EQ(to_constant(v, ArraySize{2, 2}), Constant(make<double>({2, 2}, {2, 2, 2, 2})));
    EXPECT_EQ(to_constant(v, ArraySize{0, 0}), Constant(Array<double>(ArraySize{0, 0})));
    EXPECT_EQ(to_constant(v, ArraySize{0, 1}), Constant(make<double>({1, 1}, {2})));
    EXPECT_EQ(to_constant(v, ArraySize{1, 1, 0}), Constant(make<double>({1, 1}, {2})));
    test::expect_message([&] { to_constant(v, ArraySize{0, 3}); }, kTypes, "InvalidReshape",
                         {std::string("1, 1"), std::string("0, 3")});
    test::expect_message([&] { to_constant(UniformArray(v, ArraySize{2, 0})); }, kTypes, "InvalidReshape",
                         {std::string("1, 1"), std::string("2, 0")});
}

TEST(UniformArray, PrintsTheValueAndEveryLength) {
    UniformArray const u(Scalar<bool>{false}, ArraySize{2, 3});
    EXPECT_EQ(test::printed(u), "uniform_array<false, 2, 3>");
    EXPECT_EQ(test::printed(array_type(u)), "array<logical, 2, 3>");
    EXPECT_EQ(test::printed(UniformArray(Scalar<unsigned long>{4}, ArraySize{5})), "uniform_array<4i, 5, 1>");
    EXPECT_EQ(test::printed(UniformArray(Scalar<double>{1.0}, ArraySize{1, 2, 3})), "uniform_array<1.0, 1, 2, 3>");
}

TEST(IsUniform, FollowsTheRuleOfEachKind) {
    ScalarConstant const real_nan(Scalar<double>{nan});
    ScalarConstant const real_two(Scalar<double>{2.0});
    ScalarConstant const int_two(Scalar<int>{2});
    // NaN matches NaN as a scalar but never as an array element.
    EXPECT_TRUE(is_uniform(Constant(nan), real_nan));
    EXPECT_FALSE(is_uniform(Constant(make<double>({2, 1}, {nan, nan})), real_nan));
    EXPECT_TRUE(is_uniform(Constant(-0.0), ScalarConstant(Scalar<double>{0.0})));
    // No conversion between element types.
    EXPECT_FALSE(is_uniform(Constant(make<int>({2, 1}, {2, 2})), real_two));
    EXPECT_FALSE(is_uniform(Constant(2), real_two));
    EXPECT_TRUE(is_uniform(Constant(make<int>({2, 1}, {2, 2})), int_two));
    EXPECT_FALSE(is_uniform(Constant(make<int>({3, 1}, {2, 2, 3})), int_two));
    // Empty arrays of the value's element type and empty tuples are uniform.
    EXPECT_TRUE(is_uniform(Constant(Array<double>(ArraySize{0, 4})), real_nan));
    EXPECT_FALSE(is_uniform(Constant(Array<bool>(ArraySize{0, 4})), real_nan));
    EXPECT_TRUE(is_uniform(Constant(Tuple{}), int_two));
    EXPECT_TRUE(is_uniform(Constant(Tuple{Constant(2), Constant(make<int>({2, 1}, {2, 2}))}), int_two));
    EXPECT_FALSE(is_uniform(Constant(Tuple{Constant(2), Constant(Tuple{Constant(2.0)})}), int_two));
}

}  // namespace
}  // namespace lang::core
