// The compact array forms, Colon, Eye and UniformArray: each expands to the
// array its type reports, and each prints its parameters.
#include <lang/core/core.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

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
        Array<unsigned long> const a = to_constant(c.colon);
        EXPECT_EQ(array_type(Constant(a)), array_type(c.colon));
        EXPECT_EQ(array_type(c.colon), ArrayType(type::INDEX, ArraySize{c.values.size(), 1}));
        EXPECT_EQ(std::vector<unsigned long>(a.begin(), a.end()), c.values);
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
    Constant const c = to_constant(e);
    ASSERT_EQ(array_type(c), array_type(e));
    Array<T> const& a = std::get<Array<T>>(c.value());
    ArraySize const& s = e.size();
    for (unsigned long p = 0; p < s.numElements(); ++p) {
        unsigned long rest = p;
        bool diagonal = true;
        unsigned long first = rest % s(0);
        for (unsigned long d = 0; d < s.size(); ++d) {
            diagonal = diagonal && rest % s(d) == first;
            rest /= s(d);
        }
        EXPECT_EQ(a.x()[p], diagonal ? T(1) : T(0)) << "at " << p;
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
