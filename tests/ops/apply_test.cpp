// Dispatch, shapes, errors, transpose, lists and compound assignment of
// operator folding. Element rules are checked against a reference in
// apply_reference_test.cpp, the matrix product in matrix_product_test.cpp.
#include <lang/core/ops/apply.hpp>

#include <lang/core/constants/scalar_constant.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

void expect_invalid_op(auto call, char const* op, char const* types) {
    expect_message(call, constants_catalog, "InvalidOp", {op, types});
}

TEST(Apply, RaisesInvalidOpWithTheOperatorAndTheOperandTypes) {
    Constant const one = 1, real = 1.0;
    expect_invalid_op([&] { apply(op::AND, one, one); }, "and", "integer, integer");
    expect_invalid_op([&] { apply(op::PLUS, one, real); }, "plus", "integer, real");
    expect_invalid_op([&] { apply(op::UMINUS, Constant(1UL)); }, "uminus", "index");
    expect_invalid_op([&] { apply(op::UMINUS, real, real); }, "uminus", "real, real");
    expect_invalid_op([&] { apply(op::PLUS, Tuple{real}, Tuple{real}); }, "plus", "tuple<real>, tuple<real>");
    expect_invalid_op([] { apply(op::MTIMES, Array<bool>({2, 2}), Array<bool>({2, 2})); }, "mtimes",
                      "array<logical, 2, 2>, array<logical, 2, 2>");
    // Outside the table there is no rule and no name.
    EXPECT_THROW(apply(static_cast<op::Id>(op::COUNT), real, real), std::logic_error);
}

TEST(Apply, ScalarsStandForEveryElementAndArraysMustAgree) {
    Constant const a = make<double>({2, 3}, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(apply(op::MINUS, 10.0, a), make<double>({2, 3}, {9, 8, 7, 6, 5, 4}));
    EXPECT_EQ(apply(op::LT, a, 3.5), make<bool>({2, 3}, {true, true, true, false, false, false}));
    EXPECT_EQ(apply(op::PLUS, 1.0, make<double>({1, 1}, {10})), make<double>({1, 1}, {11}));
    EXPECT_EQ(apply(op::TIMES, 2.0, Array<double>({0, 3})), Array<double>({0, 3}));
    expect_message([&] { apply(op::PLUS, a, Array<double>({3, 2})); }, types_catalog, "InconsistentSize",
                   {"2, 3", "3, 2"});
}

TEST(Apply, WholeDivisionByZeroRaises) {
    Constant const numerators = make<int>({1, 3}, {6, 7, 8});
    Constant const divisors = make<int>({1, 3}, {2, 0, 4});
    auto const expect_divide_by_zero = [](auto call, char const* types) {
        expect_message(call, constants_catalog, "DivideByZero", {"divide", types});
    };
    expect_divide_by_zero([&] { apply(op::DIVIDE, 1, 0); }, "integer, integer");
    expect_divide_by_zero([&] { numerators / divisors; }, "array<integer, 1, 3>, array<integer, 1, 3>");
    expect_divide_by_zero([&] { apply(op::DIVIDE, numerators, 0); }, "array<integer, 1, 3>, integer");
    // Nothing is divided, so nothing divides by zero.
    EXPECT_EQ(apply(op::DIVIDE, Array<int>({0, 2}), 0), Array<int>({0, 2}));
}

TEST(Apply, TransposeReordersOnlyProperMatrices) {
    // A row becomes a column over the very same block; an empty matrix flips its shape.
    Array<double> const row = make<double>({1, 4}, {1, 2, 3, 4});
    Constant const transposed = apply(op::TRANSPOSE, row);
    Array<double> const& column = std::get<Array<double>>(transposed.value());
    EXPECT_EQ(column.size(), (ArraySize{4, 1}));
    EXPECT_EQ(column.x(), row.x());
    EXPECT_EQ(apply(op::TRANSPOSE, Array<int>({0, 3})), Array<int>({3, 0}));

    // Larger than a tile in both directions, against the definition.
    std::vector<int> values(70 * 45);
    for (unsigned long i = 0; i < values.size(); ++i) values[i] = static_cast<int>(i);
    std::vector<int> const flipped = elements<int>(apply(op::TRANSPOSE, make<int>({70, 45}, values)));
    for (unsigned long i = 0; i < 70; ++i) {
        for (unsigned long j = 0; j < 45; ++j) ASSERT_EQ(flipped[j + i * 45], values[i + j * 70]) << i << ", " << j;
    }
}

TEST(Apply, ListsFoldOnlyReductionBases) {
    Constant const a = 1.0, b = 2.0, c = 4.0;
    EXPECT_EQ(apply(op::PLUS, Constants{a}, true), a);
    EXPECT_EQ(apply(op::MAX, Constants{a, c, b}, true), c);
    EXPECT_EQ(apply(op::MINUS, Constants{a, b}, true), Constant(-1.0));
    // Left to right: (0.1 + 0.2) + 0.3 differs from 0.1 + (0.2 + 0.3).
    EXPECT_EQ(apply(op::PLUS, Constants{0.1, 0.2, 0.3}, true), Constant((0.1 + 0.2) + 0.3));

    expect_invalid_op([&] { apply(op::PLUS, Constants{a}, false); }, "plus", "real");
    expect_invalid_op([&] { apply(op::MINUS, Constants{a, b, c}, true); }, "minus", "real, real, real");
    expect_invalid_op([&] { apply(op::PLUS, Constants{a, 1, c}, true); }, "plus", "real, integer");
}

TEST(Apply, CompoundAssignmentsCheckFirstAndKeepSharedBlocks) {
    Constant values = make<int>({1, 3}, {1, -2, 3});
    Constant const shared = values;
    values *= ScalarConstant(Scalar<int>{3});
    EXPECT_EQ(elements<int>(values), (std::vector<int>{3, -6, 9}));
    EXPECT_EQ(elements<int>(shared), (std::vector<int>{1, -2, 3}));

    Constant scalar = 7UL;
    (scalar += ScalarConstant(Scalar<unsigned long>{1})) /= ScalarConstant(Scalar<unsigned long>{3});
    EXPECT_EQ(scalar, Constant(2UL));

    // Failures leave the target as it was.
    Constant const before = values;
    expect_message([&] { values /= ScalarConstant(Scalar<int>{0}); }, constants_catalog, "DivideByZero",
                   {"divide", "array<integer, 1, 3>, integer"});
    expect_invalid_op([&] { values += ScalarConstant(Scalar<double>{1}); }, "plus", "array<integer, 1, 3>, real");
    EXPECT_EQ(values, before);
}

}  // namespace
}  // namespace lang::core
