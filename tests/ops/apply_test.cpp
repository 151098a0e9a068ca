// Dispatch, shapes, errors, transpose, matrix product, lists and compound
// assignment of operator folding. Element rules are checked against a
// reference in apply_reference_test.cpp.
#include <lang/core/ops/apply.hpp>

#include <lang/core/constants/scalar_constant.hpp>

#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using test::expect_message;

constexpr char const* constants_catalog = "tarvex:common:lang:core:constants";
constexpr char const* types_catalog = "tarvex:common:lang:core:types";
constexpr double inf = std::numeric_limits<double>::infinity();

template <class T>
Array<T> make(ArraySize const& size, std::vector<T> const& elements) {
    Array<T> a(size);
    std::copy(elements.begin(), elements.end(), a.x());
    return a;
}

template <class T>
std::vector<T> elements(Constant const& c) {
    Array<T> const& a = std::get<Array<T>>(c.value());
    return {a.begin(), a.end()};
}

void expect_invalid_op(auto call, std::string const& op, std::string const& types) {
    expect_message(call, constants_catalog, "InvalidOp", {op, types});
}

TEST(Apply, RaisesInvalidOpWithTheOperatorAndTheOperandTypes) {
    Constant const yes = true;
    Constant const one = 1;
    Constant const index = 1UL;
    Constant const real = 1.0;
    expect_invalid_op([&] { apply(op::PLUS, yes, yes); }, "plus", "logical, logical");
    expect_invalid_op([&] { apply(op::AND, one, one); }, "and", "integer, integer");
    expect_invalid_op([&] { apply(op::PLUS, one, real); }, "plus", "integer, real");
    expect_invalid_op([&] { apply(op::NOT, one); }, "not", "integer");
    expect_invalid_op([&] { apply(op::UMINUS, index); }, "uminus", "index");
    expect_invalid_op([&] { apply(op::TRANSPOSE, real); }, "transpose", "real");
    expect_invalid_op([&] { apply(op::MTIMES, real, real); }, "mtimes", "real, real");
    expect_invalid_op([&] { apply(op::UMINUS, real, real); }, "uminus", "real, real");
    expect_invalid_op([&] { apply(op::PLUS, real); }, "plus", "real");
    expect_invalid_op([&] { apply(op::PLUS, Tuple{real}, Tuple{real}); }, "plus", "tuple<real>, tuple<real>");

    // Outside the table there is no rule and no name.
    EXPECT_THROW(apply(static_cast<op::Id>(op::COUNT), real, real), std::logic_error);
    EXPECT_THROW(apply(static_cast<op::Id>(-1), real), std::logic_error);

    struct Throws {
        operator Tuple() const { throw std::runtime_error("no tuple"); }
    };
    Constant valueless = 1.0;
    EXPECT_THROW(valueless.value().emplace<8>(Throws{}), std::runtime_error);
    EXPECT_THROW(apply(op::PLUS, valueless, real), std::bad_variant_access);
    EXPECT_THROW(apply(op::PLUS, real, valueless), std::bad_variant_access);
    EXPECT_THROW(apply(op::UMINUS, valueless), std::bad_variant_access);
}

TEST(Apply, ScalarsStandForEveryElementAndArraysMustAgree) {
    Constant const a = make<double>({2, 3}, {1, 2, 3, 4, 5, 6});
    Constant const b = make<double>({3, 2}, {1, 2, 3, 4, 5, 6});
    Constant const one_by_one = make<double>({1, 1}, {10});

    Constant const expanded = apply(op::MINUS, 10.0, a);
    EXPECT_EQ(expanded, Constant(make<double>({2, 3}, {9, 8, 7, 6, 5, 4})));
    EXPECT_EQ(apply(op::MINUS, a, 10.0), Constant(make<double>({2, 3}, {-9, -8, -7, -6, -5, -4})));
    EXPECT_EQ(apply(op::LT, a, 3.5), Constant(make<bool>({2, 3}, {true, true, true, false, false, false})));
    EXPECT_EQ(apply(op::PLUS, 1.0, one_by_one), Constant(make<double>({1, 1}, {11})));
    EXPECT_EQ(apply(op::PLUS, one_by_one, one_by_one), Constant(make<double>({1, 1}, {20})));
    EXPECT_EQ(apply(op::MTIMES, one_by_one, one_by_one), Constant(make<double>({1, 1}, {100})));
    EXPECT_EQ(apply(op::TIMES, 2.0, Array<double>({0, 3})), Constant(Array<double>({0, 3})));

    expect_message([&] { apply(op::PLUS, a, b); }, types_catalog, "InconsistentSize",
                   {std::string("2, 3"), std::string("3, 2")});
    expect_message([&] { apply(op::EQ, Array<int>({3, 1}), Array<int>({0, 0})); }, types_catalog,
                   "InconsistentSize", {std::string("3, 1"), std::string("0, 0")});
}

TEST(Apply, WholeDivisionByZeroRaisesBeforeAnythingIsWritten) {
    Constant const numerators = make<int>({1, 3}, {6, 7, 8});
    Constant const divisors = make<int>({1, 3}, {2, 0, 4});
    auto const expect_divide_by_zero = [](auto call, std::string const& types) {
        expect_message(call, constants_catalog, "DivideByZero", {std::string("divide"), types});
    };
    expect_divide_by_zero([&] { apply(op::DIVIDE, 1, 0); }, "integer, integer");
    expect_divide_by_zero([&] { apply(op::DIVIDE, 5UL, 0UL); }, "index, index");
    expect_divide_by_zero([&] { numerators / divisors; }, "array<integer, 1, 3>, array<integer, 1, 3>");
    expect_divide_by_zero([&] { apply(op::DIVIDE, 12, divisors); }, "integer, array<integer, 1, 3>");
    expect_divide_by_zero([&] { apply(op::DIVIDE, numerators, 0); }, "array<integer, 1, 3>, integer");
    EXPECT_EQ(elements<int>(divisors), (std::vector<int>{2, 0, 4}));
    // Nothing is divided, so nothing divides by zero.
    EXPECT_EQ(apply(op::DIVIDE, Array<int>({0, 2}), 0), Constant(Array<int>({0, 2})));

    int const least = std::numeric_limits<int>::min();
    EXPECT_EQ(apply(op::DIVIDE, least, -1), Constant(least));
    Constant const quotient = apply(op::DIVIDE, make<double>({1, 3}, {1, -1, 0}), 0.0);
    EXPECT_EQ(elements<double>(quotient)[0], inf);
    EXPECT_EQ(elements<double>(quotient)[1], -inf);
    EXPECT_TRUE(std::isnan(elements<double>(quotient)[2]));
}

TEST(Apply, TransposeReordersOnlyProperMatrices) {
    Constant const logical = make<bool>({2, 3}, {true, false, false, true, true, false});
    EXPECT_EQ(apply(op::TRANSPOSE, logical), Constant(make<bool>({3, 2}, {true, false, true, false, true, false})));

    // A row becomes a column over the very same block; an empty matrix flips its shape.
    Array<double> const row = make<double>({1, 4}, {1, 2, 3, 4});
    Constant const column = apply(op::TRANSPOSE, row);
    EXPECT_EQ(std::get<Array<double>>(column.value()).size(), (ArraySize{4, 1}));
    EXPECT_EQ(std::get<Array<double>>(column.value()).x(), row.x());
    EXPECT_EQ(apply(op::TRANSPOSE, Array<int>({0, 3})), Constant(Array<int>({3, 0})));

    // Larger than a tile in both directions, against the definition.
    std::vector<int> values(70 * 45);
    for (unsigned long i = 0; i < values.size(); ++i) values[i] = static_cast<int>(i);
    std::vector<int> const flipped = elements<int>(apply(op::TRANSPOSE, make<int>({70, 45}, values)));
    for (unsigned long i = 0; i < 70; ++i) {
        for (unsigned long j = 0; j < 45; ++j) ASSERT_EQ(flipped[j + i * 45], values[i + j * 70]) << i << ", " << j;
    }
    expect_message([] { apply(op::TRANSPOSE, Array<int>({2, 2, 2})); }, types_catalog, "InvalidMatrix",
                   {std::string("2, 2, 2")});
}

TEST(Apply, MatrixProductSumsInAscendingOrderFromZero) {
    // Naive i, j, p order over generated reals with cancellation, and
    // wrapping integers; results must match bit for bit.
    std::mt19937_64 random(7);
    auto const real = [&] { return std::ldexp(static_cast<double>(random() >> 11), -40) - 4096.0; };
    unsigned long const m = 9, k = 37, n = 5;
    std::vector<double> left(m * k), right(k * n), expected(m * n, 0.0);
    std::vector<int> ileft(m * k), iright(k * n), iexpected(m * n, 0);
    for (auto& v : left) v = real();
    for (auto& v : right) v = real();
    for (auto& v : ileft) v = static_cast<int>(random());
    for (auto& v : iright) v = static_cast<int>(random());
    for (unsigned long i = 0; i < m; ++i) {
        for (unsigned long j = 0; j < n; ++j) {
            std::int64_t sum = 0;
            for (unsigned long p = 0; p < k; ++p) {
                expected[i + j * m] = expected[i + j * m] + left[i + p * m] * right[p + j * k];
                sum = static_cast<std::int32_t>(sum + std::int64_t{ileft[i + p * m]} * iright[p + j * k]);
            }
            iexpected[i + j * m] = static_cast<int>(sum);
        }
    }
    Constant const product = apply(op::MTIMES, make<double>({m, k}, left), make<double>({k, n}, right));
    EXPECT_EQ(elements<double>(product), expected);
    EXPECT_EQ(std::get<Array<double>>(product.value()).size(), (ArraySize{m, n}));
    EXPECT_EQ(elements<int>(apply(op::MTIMES, make<int>({m, k}, ileft), make<int>({k, n}, iright))), iexpected);

    // Sums start from +0, so products that are all -0 give +0; no inner
    // dimension gives zeros.
    Constant const negative_zero = apply(op::MTIMES, make<double>({1, 2}, {-0.0, 1}), make<double>({2, 1}, {1, -0.0}));
    EXPECT_FALSE(std::signbit(elements<double>(negative_zero)[0]));
    EXPECT_EQ(apply(op::MTIMES, Array<unsigned long>({2, 0}), Array<unsigned long>({0, 3})),
              Constant(Array<unsigned long>({2, 3})));

    expect_message([] { apply(op::MTIMES, Array<double>({2, 3}), Array<double>({2, 3})); }, types_catalog,
                   "InconsistentMultiply", {std::string("2, 3"), std::string("2, 3")});
    expect_message([] { apply(op::MTIMES, Array<double>({2, 3, 2}), Array<double>({2, 3})); }, types_catalog,
                   "InvalidMatrix", {std::string("2, 3, 2")});
    expect_invalid_op([] { apply(op::MTIMES, Array<bool>({2, 2}), Array<bool>({2, 2})); }, "mtimes",
                      "array<logical, 2, 2>, array<logical, 2, 2>");
}

TEST(Apply, ListsFoldOnlyReductionBases) {
    Constant const a = 1.0, b = 2.0, c = 4.0;
    EXPECT_EQ(apply(op::PLUS, Constants{a}, true), a);
    EXPECT_EQ(apply(op::PLUS, Constants{a, b, c}, true), Constant(7.0));
    EXPECT_EQ(apply(op::MAX, Constants{a, c, b}, true), c);
    EXPECT_EQ(apply(op::MINUS, Constants{a, b}, true), Constant(-1.0));
    EXPECT_EQ(apply(op::UMINUS, Constants{a}, false), Constant(-1.0));
    // Left to right: (0.1 + 0.2) + 0.3 differs from 0.1 + (0.2 + 0.3).
    EXPECT_EQ(apply(op::PLUS, Constants{0.1, 0.2, 0.3}, true), Constant((0.1 + 0.2) + 0.3));

    expect_invalid_op([&] { apply(op::PLUS, Constants{a}, false); }, "plus", "real");
    expect_invalid_op([&] { apply(op::MINUS, Constants{a, b, c}, true); }, "minus", "real, real, real");
    expect_invalid_op([&] { apply(op::PLUS, Constants{}, true); }, "plus", "");
    expect_invalid_op([&] { apply(op::PLUS, Constants{a, 1, c}, true); }, "plus", "real, integer");
}

TEST(Apply, CompoundAssignmentsCheckFirstAndKeepSharedBlocks) {
    Constant values = make<int>({1, 3}, {1, -2, 3});
    Constant const shared = values;
    values *= ScalarConstant(Scalar<int>{3});
    EXPECT_EQ(elements<int>(values), (std::vector<int>{3, -6, 9}));
    EXPECT_EQ(elements<int>(shared), (std::vector<int>{1, -2, 3}));
    values += ScalarConstant(Scalar<int>{std::numeric_limits<int>::max()});
    EXPECT_EQ(elements<int>(values)[0], std::numeric_limits<int>::min() + 2);

    Constant scalar = 7UL;
    (scalar += ScalarConstant(Scalar<unsigned long>{1})) /= ScalarConstant(Scalar<unsigned long>{3});
    EXPECT_EQ(scalar, Constant(2UL));

    Constant reals = make<double>({2, 1}, {1, 0});
    reals /= ScalarConstant(Scalar<double>{0});
    EXPECT_EQ(elements<double>(reals)[0], inf);
    EXPECT_TRUE(std::isnan(elements<double>(reals)[1]));

    // Failures leave the target as it was.
    Constant const before = values;
    expect_message([&] { values /= ScalarConstant(Scalar<int>{0}); }, constants_catalog, "DivideByZero",
                   {std::string("divide"), std::string("array<integer, 1, 3>, integer")});
    expect_invalid_op([&] { values += ScalarConstant(Scalar<double>{1}); }, "plus", "array<integer, 1, 3>, real");
    EXPECT_EQ(values, before);
    Constant logical = true;
    expect_invalid_op([&] { logical += ScalarConstant(Scalar<bool>{true}); }, "plus", "logical, logical");
    Constant tuple = Tuple{1.0};
    expect_invalid_op([&] { tuple *= ScalarConstant(Scalar<double>{1}); }, "times", "tuple<real>, real");
    EXPECT_EQ(logical, Constant(true));
}

TEST(Apply, OperatorsSpellTheirApplication) {
    Constant const a = make<int>({1, 2}, {6, -3});
    Constant const b = 2;
    EXPECT_EQ(+a, a);
    EXPECT_EQ(-a, Constant(make<int>({1, 2}, {-6, 3})));
    EXPECT_EQ(a + b, Constant(make<int>({1, 2}, {8, -1})));
    EXPECT_EQ(a - b, Constant(make<int>({1, 2}, {4, -5})));
    EXPECT_EQ(a * b, Constant(make<int>({1, 2}, {12, -6})));
    EXPECT_EQ(a / b, Constant(make<int>({1, 2}, {3, -1})));
    EXPECT_EQ(a ^ b, Constant(make<int>({1, 2}, {36, 9})));
    EXPECT_EQ(~Constant(true) | (Constant(true) & Constant(false)), Constant(false));
}

}  // namespace
}  // namespace lang::core
