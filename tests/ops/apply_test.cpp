// Dispatch, shapes, errors, transpose, matrix product, lists and compound
// assignment of operator folding. Element rules are checked against a
// reference in apply_reference_test.cpp.
#include <lang/core/ops/apply.hpp>

#include <lang/core/constants/scalar_constant.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
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
    // The invalid operator has a name but no rule; a kernel reached with it,
    // and any value outside the enumeration, is a bad visit.
    expect_invalid_op([&] { apply(op::INVALID, one, real); }, "invalid", "integer, real");
    expect_invalid_op([&] { apply(op::INVALID, Tuple{real}); }, "invalid", "tuple<real>");
    expect_invalid_op([&] { apply(op::INVALID, Constants{one, one, one}, false); }, "invalid",
                      "integer, integer, integer");
    for (op::Id const o : {op::INVALID, static_cast<op::Id>(op::COUNT), static_cast<op::Id>(-2)}) {
        EXPECT_THROW(apply(o, real, real), std::logic_error);
    }
    EXPECT_THROW(apply(static_cast<op::Id>(-2), one, real), std::logic_error);
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

TEST(Apply, MatrixProductSumsInAscendingOrderFromZero) {
    // Naive i, j, p order over generated reals with cancellation; results
    // must match bit for bit.
    std::mt19937_64 random(7);
    auto const real = [&] { return std::ldexp(static_cast<double>(random() >> 11), -40) - 4096.0; };
    unsigned long const m = 9, k = 37, n = 5;
    std::vector<double> left(m * k), right(k * n), expected(m * n, 0.0);
    for (auto& v : left) v = real();
    for (auto& v : right) v = real();
    for (unsigned long i = 0; i < m; ++i) {
        for (unsigned long j = 0; j < n; ++j) {
            for (unsigned long p = 0; p < k; ++p) expected[i + j * m] += left[i + p * m] * right[p + j * k];
        }
    }
    Constant const product = apply(op::MTIMES, make<double>({m, k}, left), make<double>({k, n}, right));
    EXPECT_EQ(product, make<double>({m, n}, expected));
    // Integer sums wrap: 2 * INT_MAX + 2 is 0 modulo 2^32.
    EXPECT_EQ(apply(op::MTIMES, make<int>({1, 2}, {INT_MAX, 2}), make<int>({2, 1}, {2, 1})), make<int>({1, 1}, {0}));

    // Sums start from +0, so products that are all -0 give +0; no inner
    // dimension gives zeros.
    Constant const negative_zero = apply(op::MTIMES, make<double>({1, 2}, {-0.0, 1}), make<double>({2, 1}, {1, -0.0}));
    EXPECT_FALSE(std::signbit(elements<double>(negative_zero)[0]));
    EXPECT_EQ(apply(op::MTIMES, Array<unsigned long>({2, 0}), Array<unsigned long>({0, 3})),
              Array<unsigned long>({2, 3}));

    expect_invalid_op([] { apply(op::MTIMES, Array<bool>({2, 2}), Array<bool>({2, 2})); }, "mtimes",
                      "array<logical, 2, 2>, array<logical, 2, 2>");
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
