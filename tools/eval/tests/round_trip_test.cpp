// SPDX-License-Identifier: Apache-2.0
// Printing a constant and reading the text back gives an equal constant that
// prints the same, for generated constants of every kind and the compact forms.
#include "evaluator.hpp"
#include "parser.hpp"

#include <lang/core/core.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace lang::eval {
namespace {

// A real of either sign and any magnitude from 2^-100 to 2^153 whose 16-digit
// text, the printed precision, reads back as itself.
double printable_real(std::mt19937_64& rng) {
    double x = std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 200) - 100);
    for (char text[32];;) {
        std::snprintf(text, sizeof text, "%.16g", x);
        double const back = std::strtod(text, nullptr);
        if (back == x) return rng() % 2 == 0 ? x : -x;
        x = back;
    }
}

core::Constant read_back(std::string const& text) { return Evaluator().evaluate(parse_statement(text).expression); }

// The generated constants bring every kind, edge value, shape and nesting
// (INT_MIN's magnitude is read before its minus), and every digit; random
// reals, alone and in four-dimensional arrays, the rest. The largest real's
// printed form rounds past it, yet must read back as it.
TEST(RoundTrip, PrintedConstantsAndCompactFormsReadBackEqual) {
    std::vector<core::Constant> values = core::test::generated_constants();
    for (double x : {-2.5, 1e15, 1e16, 1e300, std::numeric_limits<double>::max()}) values.emplace_back(x);
    std::mt19937_64 rng(0x7a11);
    for (int trial = 0; trial < 500; ++trial) {
        values.emplace_back(printable_real(rng));
        core::Array<double> a(core::ArraySize{rng() % 3, 1 + rng() % 2, rng() % 3, 2});
        for (double& e : a) e = printable_real(rng);
        values.emplace_back(a);
    }
    for (core::Constant const& value : values) {
        std::string const text = core::test::printed(value);
        core::Constant const read = read_back(text);
        ASSERT_EQ(read, value) << text;
        ASSERT_EQ(core::test::printed(read), text);  // the type and a zero's sign too
    }

    // The compact forms print in a notation of their own, which reads back
    // as the arrays they stand for.
    auto const check = [](auto const& form) {
        EXPECT_EQ(read_back(core::test::printed(form)), core::to_constant(form)) << core::test::printed(form);
    };
    check(core::Colon(3, 4, 20));
    check(core::Eye(core::type::INDEX, core::ArraySize{3, 2, 2}));
    check(core::UniformArray(core::ScalarConstant(core::Scalar<int>{INT_MIN}), core::ArraySize{2, 3}));
    check(core::UniformArray(core::ScalarConstant(core::Scalar<double>{-0.5}), core::ArraySize{1, 2}));
}

}  // namespace
}  // namespace lang::eval
