// SPDX-License-Identifier: Apache-2.0
// Operator folding. Every element-wise operator on every element type and
// operand kind, against references written independently here: 64-bit
// arithmetic reduced modulo 2^32 for integers, 128-bit reduced modulo 2^64 for
// indices, the C library (whose fmod is exact) for reals;
// operands come from a fixed seed and every check runs on each kernel path.
// An operator without a rule for its operands raises, naming itself and their types.
// Then dispatch, shapes, errors, transpose, lists and compound assignment.
// The matrix product is checked in matrix_product_test.cpp.
#include <lang/core/ops/apply.hpp>

#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/index/constant_iterator.hpp>

#include "test_support/kernel_paths.hpp"
#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

__extension__ typedef unsigned __int128 u128;
using i64 = std::int64_t;
using Expected = std::optional<Constant>;  // nullopt: the operator takes no such operands

int wrap32(i64 v) { return static_cast<int>(static_cast<std::uint32_t>(v)); }

/// x^b by the halving definition, reducing after every product.
template <class W, class Reduce>
W power_by_halves(W x, W b, Reduce reduce) {
    if (b == 0) return 1;
    W const half = power_by_halves(x, b / 2, reduce);
    W const square = reduce(half * half);
    return b % 2 == 1 ? reduce(square * x) : square;
}

/// The floored remainder from the quotient of the magnitudes.
i64 floored_mod(i64 a, i64 b) {
    if (b == 0) return a;
    i64 q = std::abs(a) / std::abs(b);
    i64 const r = std::abs(a) % std::abs(b);
    if ((a < 0) != (b < 0)) q = r != 0 ? -(q + 1) : -q;
    return a - b * q;
}

/// fmod is exact and keeps a's sign; the floored remainder takes b's.
double real_mod(double a, double b) {
    if (b == 0) return a == 0 ? b : a;
    if (std::isinf(a) || std::isnan(a) || std::isnan(b)) return nan;
    double r = std::fmod(a, b);
    if (r != 0 && std::signbit(r) != std::signbit(b)) r += b;
    // A quotient within an epsilon of a whole number divides exactly.
    if (r != 0 && std::floor(b) != b && std::isfinite(b)) {
        double const q = a / b;
        if (std::fabs(q - std::round(q)) <= std::fabs(q) * 2.220446049250313e-16) r = 0;
    }
    return r == 0 ? std::copysign(0.0, b) : r;
}

Expected reference(op::Id o, bool a) { return o == op::NOT ? Expected(!a) : std::nullopt; }

Expected reference(op::Id o, bool a, bool b) {
    switch (o) {
    case op::EQ: return a == b;
    case op::NE: return a != b;
    case op::AND: return a && b;
    case op::OR: return a || b;
    default: return std::nullopt;
    }
}

Expected reference(op::Id o, int x) {
    i64 const a = x;
    switch (o) {
    case op::UPLUS: return x;
    case op::UMINUS: return wrap32(-a);
    case op::SIGN: return a > 0 ? 1 : a < 0 ? -1 : 0;
    case op::ABS: return wrap32(a < 0 ? -a : a);
    default: return std::nullopt;
    }
}

/// Shared by integer and index: W is wide enough for any exact result,
/// `reduce` brings it back modulo 2^32 or 2^64.
template <class W, class Reduce>
Expected whole_reference(op::Id o, W a, W b, Reduce reduce) {
    switch (o) {
    case op::PLUS: return reduce(a + b);
    case op::MINUS: return reduce(a - b);
    case op::TIMES: return reduce(a * b);
    case op::DIVIDE: return reduce(a / b);
    case op::MOD:
        if constexpr (std::is_signed_v<W>) return reduce(floored_mod(a, b));
        else return reduce(b == 0 ? a : a % b);
    case op::POWER:
        if constexpr (std::is_signed_v<W>) {
            if (b < 0) return reduce(0);
        }
        return reduce(power_by_halves(a, b, [&](W v) -> W { return reduce(v); }));
    case op::LT: return a < b;
    case op::LE: return a <= b;
    case op::GT: return a > b;
    case op::GE: return a >= b;
    case op::EQ: return a == b;
    case op::NE: return a != b;
    case op::MAX: return reduce(a < b ? b : a);
    case op::MIN: return reduce(a < b ? a : b);
    default: return std::nullopt;
    }
}

Expected reference(op::Id o, int a, int b) { return whole_reference<i64>(o, a, b, wrap32); }

Expected reference(op::Id o, unsigned long a) { return o == op::UPLUS ? Expected(a) : std::nullopt; }

Expected reference(op::Id o, unsigned long a, unsigned long b) {
    return whole_reference<u128>(o, a, b, [](u128 v) { return static_cast<unsigned long>(v); });
}

Expected reference(op::Id o, double a) {
    // SQRT to FIX, in the order of the operator table.
#define LIBRARY(f) [](double x) { return std::f(x); }
    static double (*const library[])(double) = {
        LIBRARY(sqrt), LIBRARY(exp),  LIBRARY(log),  LIBRARY(log10), LIBRARY(sin),   LIBRARY(cos),
        LIBRARY(tan),  LIBRARY(asin), LIBRARY(acos), LIBRARY(atan),  LIBRARY(sinh),  LIBRARY(cosh),
        LIBRARY(tanh), LIBRARY(floor), LIBRARY(ceil), LIBRARY(round), LIBRARY(trunc)};
#undef LIBRARY
    static_assert(op::FIX - op::SQRT + 1 == std::size(library));
    if (o >= op::SQRT && o <= op::FIX) return library[o - op::SQRT](a);
    switch (o) {
    case op::UPLUS: return a;
    case op::UMINUS: return std::copysign(std::fabs(a), std::signbit(a) ? 1.0 : -1.0);
    case op::INV: return 1 / a;
    case op::SIGN: return std::isnan(a) ? nan : a < 0 ? -1.0 : a > 0 ? 1.0 : 0.0;
    case op::ABS: return std::signbit(a) && a != 0 && !std::isnan(a) ? -a : a;
    default: return std::nullopt;
    }
}

Expected reference(op::Id o, double a, double b) {
    bool const unordered = std::isnan(a) || std::isnan(b);
    switch (o) {
    case op::PLUS: return a + b;
    case op::MINUS: return a - b;
    case op::TIMES: return a * b;
    case op::DIVIDE: return a / b;
    case op::MOD: return real_mod(a, b);
    case op::POWER:
        if (b == 2) return a * a;
        if (b == 1) return a;
        if (b == 0 && !std::isnan(a)) return 1.0;
        if (b == -1) return 1 / a;
        return unordered ? nan : std::pow(a, b);
    case op::ATAN2: return std::atan2(a, b);
    case op::LT: return !unordered && a < b;
    case op::LE: return !unordered && a <= b;
    case op::GT: return !unordered && a > b;
    case op::GE: return !unordered && a >= b;
    case op::EQ: return !unordered && !(a < b) && !(b < a);
    case op::NE: return unordered || a < b || b < a;
    case op::MAX: return std::isnan(a) || !(b > a) ? a : b;
    case op::MIN: return std::isnan(a) || !(b < a) ? a : b;
    default: return std::nullopt;
    }
}

/// The element at `i` of a result (any position of a scalar), if it has
/// exactly the expected element type and bits; any NaN matches any NaN.
bool holds(Constant const& result, unsigned long i, Constant const& expected) {
    Constant actual = result;
    if (result.id() >= 4) {
        ConstantIterator it = result.begin();
        it.advance(static_cast<long>(i));
        actual = *it;
    }
    auto const* a = std::get_if<Scalar<double>>(&actual.value());
    auto const* e = std::get_if<Scalar<double>>(&expected.value());
    if (!a || !e) return actual.id() == expected.id() && actual == expected;
    return same(a->value, e->value);
}

template <class T>
Constant column(std::vector<T> const& v) {
    return make<T>({v.size(), 1}, v);
}

void expect_invalid_op(auto call, std::string const& op, std::string const& types) {
    expect_message(call, constants_catalog, "InvalidOp", {op, types});
}

/// Checks every operator on `values` paired with every other value, as
/// array with array, array with scalar, scalar with array and scalar with scalar.
template <class T>
void check_every_operator(std::vector<T> const& values) {
    std::vector<T> xs, ys;
    for (T a : values) {
        for (T b : values) xs.push_back(a), ys.push_back(b);
    }
    std::string const element = printed(type::id_of<T>);
    auto const columns = [&](unsigned long n) { return "array<" + element + ", " + std::to_string(n) + ", 1>"; };
    for (int k = 0; k < op::COUNT; ++k) {
        auto const o = static_cast<op::Id>(k);
        if (o == op::TRANSPOSE || o == op::MTIMES) continue;
        SCOPED_TRACE(testing::Message() << o);
        if (!reference(o, values[0])) {
            expect_invalid_op([&] { apply(o, column(values)); }, printed(o), columns(values.size()));
            expect_invalid_op([&] { apply(o, Constant(values[0])); }, printed(o), element);
        } else {
            Constant const result = apply(o, column(values));
            for (unsigned long i = 0; i < values.size(); ++i) {
                Constant const expected = *reference(o, values[i]);
                EXPECT_TRUE(holds(result, i, expected) && holds(apply(o, Constant(values[i])), 0, expected))
                    << printed(Constant(values[i]));
            }
        }
        // Whole division by zero raises instead; it is checked elsewhere.
        std::vector<T> right = ys;
        for (auto&& b : right) b = o == op::DIVIDE && !std::is_same_v<T, double> && b == T{} ? T{1} : b;
        if (!reference(o, xs[1], right[1])) {
            expect_invalid_op([&] { apply(o, column(xs), column(right)); }, printed(o),
                              columns(xs.size()) + ", " + columns(xs.size()));
            expect_invalid_op([&] { apply(o, Constant(xs[1]), Constant(right[1])); }, printed(o),
                              element + ", " + element);
            continue;
        }
        Constant const both = apply(o, column(xs), column(right));
        for (unsigned long i = 0; i < xs.size(); ++i) {
            Constant const expected = *reference(o, xs[i], right[i]);
            EXPECT_TRUE(holds(both, i, expected) && holds(apply(o, Constant(xs[i]), Constant(right[i])), 0, expected))
                << printed(Constant(xs[i])) << " with " << printed(Constant(right[i]));
        }
        // right[s] is a usable divisor: it is values[s % n] unless that is zero.
        for (unsigned long s = 0; s < xs.size(); s += 3 * values.size() + 1) {
            Constant const left = apply(o, Constant(xs[s]), column(right));
            Constant const right_scalar = apply(o, column(xs), Constant(right[s]));
            for (unsigned long i = 0; i < xs.size(); ++i) {
                EXPECT_TRUE(holds(left, i, *reference(o, xs[s], right[i])))
                    << printed(Constant(xs[s])) << " with " << printed(Constant(right[i]));
                EXPECT_TRUE(holds(right_scalar, i, *reference(o, xs[i], right[s])))
                    << printed(Constant(xs[i])) << " with " << printed(Constant(right[s]));
            }
        }
    }
}

TEST(ApplyReference, Logical) {
    // Nine values, so that arrays are long enough for the wide kernels.
    std::vector<bool> const values{false, true, true, false, false, true, false, true, true};
    test::on_every_kernel_path([&] { check_every_operator(values); });
}

TEST(ApplyReference, Integer) {
    int const least = std::numeric_limits<int>::min();
    int const most = std::numeric_limits<int>::max();
    std::vector<int> values{0, 1, -1, 2, -2, 3, -3, 7, -7, 31, 32, 46341, -65536, least, least + 1, most};
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 12; ++i) values.push_back(static_cast<int>(random()));
    for (int i = 0; i < 12; ++i) values.push_back(static_cast<int>(random() % 21) - 10);
    test::on_every_kernel_path([&] { check_every_operator(values); });
}

TEST(ApplyReference, Index) {
    unsigned long const top = std::numeric_limits<unsigned long>::max();
    std::vector<unsigned long> values{0, 1, 2, 3, 7, 63, 64, 1UL << 32, (1UL << 32) + 1, 1UL << 63, top, top - 1};
    std::mt19937_64 random(20240612);
    for (int i = 0; i < 12; ++i) values.push_back(random());
    for (int i = 0; i < 12; ++i) values.push_back(random() % 20);
    test::on_every_kernel_path([&] { check_every_operator(values); });
}

TEST(ApplyReference, Real) {
    double const big = std::numeric_limits<double>::max();
    double const tiny = std::numeric_limits<double>::denorm_min();
    std::vector<double> values{nan, 0.0, -0.0, inf, -inf, 1, -1, 2, -2, 0.5, 0.1, 0.3, -0.3, 5.5, 3, -3,
                               1.0 / 3, 0x1p52, 0x1p52 + 1, 0x1p53, 0x1p63, 0x1p64, 1e300, -1e-300, big, -big,
                               tiny, 3 * tiny, std::numeric_limits<double>::min()};
    std::mt19937_64 random(20240613);
    for (int i = 0; i < 16; ++i) {
        double const significand = static_cast<double>(random() >> 11);
        double const v = std::ldexp(significand, static_cast<int>(random() % 80) - 110);
        values.push_back(random() % 2 ? v : -v);
    }
    for (int i = 0; i < 8; ++i) values.push_back(static_cast<double>(static_cast<int>(random() % 41) - 20) / 10);
    test::on_every_kernel_path([&] { check_every_operator(values); });
}

TEST(Apply, RaisesInvalidOpWithTheOperatorAndTheOperandTypes) {
    Constant const one = 1, real = 1.0;
    // Operators without a rule for one element type: see ApplyReference.
    expect_invalid_op([&] { apply(op::PLUS, one, real); }, "plus", "integer, real");
    expect_invalid_op([] { apply(op::MTIMES, Array<bool>({2, 2}), Array<bool>({2, 2})); }, "mtimes",
                      "array<logical, 2, 2>, array<logical, 2, 2>");
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
    test::on_every_kernel_path([&] {
        std::vector<int> const flipped = elements<int>(apply(op::TRANSPOSE, make<int>({70, 45}, values)));
        for (unsigned long i = 0; i < 70; ++i) {
            for (unsigned long j = 0; j < 45; ++j) ASSERT_EQ(flipped[j + i * 45], values[i + j * 70]) << i << ", " << j;
        }
    });
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
