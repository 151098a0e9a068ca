// UniformArray, one value at every position: it expands to the array its
// type reports, prints its value and lengths, and is_uniform tells which
// constants hold a single value throughout.
#include <lang/core/constants/uniform_array.hpp>
#include <lang/core/index/constant_iterator.hpp>
#include <lang/core/ops/convert.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace lang::core {
namespace {

using namespace test;

TEST(UniformArray, ExpandsToItsReportedTypeFilledWithTheValue) {
    std::vector<ScalarConstant> const values = {Scalar<bool>{true}, Scalar<int>{-3}, Scalar<unsigned long>{7},
                                                Scalar<double>{2.5}};
    std::vector<ArraySize> const shapes = {{2, 2}, {1, 1}, {3, 1, 2}, {0, 0}, {0, 2, 0}};
    for (auto const& v : values) {
        for (auto const& s : shapes) {
            UniformArray const u(v, s);
            SCOPED_TRACE(printed(u));
            Constant const c = to_constant(u);
            EXPECT_EQ(array_type(c), array_type(u));
            EXPECT_EQ(array_type(u), ArrayType(v.id(), s));
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
