// SPDX-License-Identifier: Apache-2.0
// The operator, accumulation and extrema identifiers: names, reading back,
// operator properties, how operator expressions print and the base operators
// of reductions; then the keywords.
#include <lang/core/ops/accum_id.hpp>
#include <lang/core/ops/extrema_id.hpp>
#include <lang/core/ops/keyword_id.hpp>
#include <lang/core/ops/op_id.hpp>
#include <lang/core/ops/op_output.hpp>

#include "test_support/value_laws.hpp"

#include <kbase/identifier.hpp>

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using test::printed;

char const* const expected_names[]{
    "uplus", "uminus", "not",  "plus",  "minus", "times", "divide", "mod",   "power", "lt",    "le",
    "gt",    "ge",     "eq",   "ne",    "and",   "or",    "inv",    "sqrt",  "exp",   "log",   "log10",
    "sin",   "cos",    "tan",  "asin",  "acos",  "atan",  "sinh",   "cosh",  "tanh",  "floor", "ceil",
    "round", "fix",    "atan2", "sign", "abs",   "max",   "min",    "transpose", "mtimes"};

template <class Id>
Id read(std::string const& text) {
    Id id{};
    std::istringstream(text) >> id;
    return id;
}

static_assert(std::size(expected_names) == op::COUNT);

TEST(OpId, NamesPrintAndReadBackExactly) {
    for (int k = 0; k < op::COUNT; ++k) {
        auto const id = static_cast<op::Id>(k);
        EXPECT_EQ(printed(id), expected_names[k]);
        EXPECT_EQ(read<op::Id>(expected_names[k]), id) << expected_names[k];
    }
    EXPECT_EQ(printed(op::INVALID), "invalid");
    for (char const* text : {"invalid", "PLUS", "plus2", ""}) EXPECT_EQ(read<op::Id>(text), op::INVALID) << text;
}

// Precedence and binding show in the printed forms of OpOutput below.
TEST(OpId, InfixFormatsUseOnePlaceholderPerOperand) {
    for (int k = 0; k < op::COUNT; ++k) {
        auto const id = static_cast<op::Id>(k);
        std::string const& f = op::format(id);
        EXPECT_EQ(ambiguous_op(id), k < 2) << id;
        for (unsigned long n = 0; n < 3 && !f.empty(); ++n) {
            EXPECT_EQ(f.find("%" + std::to_string(n)) != std::string::npos, n < op::arity(id)) << f;
        }
    }
}

using detail::OperandPrinter;

OperandPrinter leaf(char const* text) {
    return [text](std::ostream& os, unsigned long, unsigned long) { os << text; };
}

OperandPrinter expr(op::Id op, std::vector<OperandPrinter> operands, bool unambiguous = false) {
    return [=](std::ostream& os, unsigned long precedence, unsigned long position) {
        detail::op_output(os, op, unambiguous, operands, precedence, position);
    };
}

std::string print(OperandPrinter const& printer) {
    std::ostringstream os;
    printer(os, std::numeric_limits<unsigned long>::max(), 0);
    return os.str();
}

auto const a = leaf("a");
auto const b = leaf("b");
auto const c = leaf("c");

TEST(OpOutput, ParenthesesFollowPrecedenceAndBinding) {
    EXPECT_EQ(print(expr(op::MINUS, {a, expr(op::MINUS, {b, c})})), "a - (b - c)");
    EXPECT_EQ(print(expr(op::POWER, {expr(op::POWER, {a, b}), c})), "(a^b)^c");
    EXPECT_EQ(print(expr(op::TIMES, {expr(op::PLUS, {a, b}), c})), "(a + b) .* c");
    EXPECT_EQ(print(expr(op::POWER, {expr(op::TRANSPOSE, {a}), b})), "a'^b");
    EXPECT_EQ(print(expr(op::OR, {expr(op::AND, {a, b}), expr(op::LT, {a, c})})), "a & b | a < c");
    EXPECT_EQ(print(expr(op::UMINUS, {expr(op::MTIMES, {a, b})})), "-(a * b)");
}

TEST(OpOutput, FunctionFormForUnformattedAmbiguousOrMiscountedOperators) {
    EXPECT_EQ(print(expr(op::UMINUS, {a}, true)), "uminus(a)");
    EXPECT_EQ(print(expr(op::UMINUS, {a}, false)), "-a");
    EXPECT_EQ(print(expr(op::NOT, {a}, true)), "~a");
    EXPECT_EQ(print(expr(op::PLUS, {a, b, c})), "plus(a, b, c)");
    // Function form resets precedence: nothing inside it is parenthesised.
    EXPECT_EQ(print(expr(op::MOD, {expr(op::PLUS, {a, b}), expr(op::OR, {a, c})})), "mod(a + b, a | c)");
    EXPECT_EQ(print(expr(op::TIMES, {expr(op::MAX, {a, b}), c})), "max(a, b) .* c");
}

TEST(AccumAndExtremaIds, NamesBasesAndInverses) {
    accum::Id const sums[] = {accum::SUM, accum::PROD, accum::ANY, accum::ALL, accum::MINIMUM, accum::MAXIMUM};
    op::Id const bases[] = {op::PLUS, op::TIMES, op::OR, op::AND, op::MIN, op::MAX};
    char const* const names[] = {"sum", "prod", "any", "all", "minimum", "maximum"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(printed(sums[i]), names[i]);
        EXPECT_EQ(read<accum::Id>(names[i]), sums[i]);
        EXPECT_EQ(accum::base(sums[i]), bases[i]);
    }
    EXPECT_EQ(read<accum::Id>("SUM"), accum::INVALID);
    EXPECT_EQ(printed(extrema::INDEX_MINIMUM) + ' ' + printed(extrema::INDEX_MAXIMUM), "index_minimum index_maximum");
    EXPECT_EQ(read<extrema::Id>("index_maximum"), extrema::INDEX_MAXIMUM);
    EXPECT_EQ(read<extrema::Id>("maximum"), extrema::INVALID);

    for (int k = 0; k < op::COUNT; ++k) {
        auto const o = static_cast<op::Id>(k);
        accum::Id expected = accum::INVALID;
        for (int i = 0; i < 6; ++i) expected = bases[i] == o ? sums[i] : expected;
        EXPECT_EQ(accum::from_base(o), expected) << o;
        extrema::Id const e = extrema::from_base(o);
        EXPECT_EQ(e, o == op::LT ? extrema::INDEX_MINIMUM : o == op::GT ? extrema::INDEX_MAXIMUM : extrema::INVALID);
        EXPECT_TRUE(e == extrema::INVALID || extrema::base(e) == o) << o;
    }
}

TEST(KeywordId, TableHoldsEveryWordOnceInValueOrder) {
    auto const& all = keyword::all();
    ASSERT_EQ(all.size(), 49u);
    EXPECT_EQ(&all, &keyword::all());
    EXPECT_EQ(keyword::name(keyword::DER), kbase::detail::HdIdCheck{}("der", 3));
    EXPECT_EQ(std::string(keyword::name(keyword::ARRAY)), "array");
    EXPECT_EQ(std::string(keyword::name(keyword::NO_IMPLICIT_ASSERTS)), "no_implicit_asserts");
    EXPECT_EQ(std::string(keyword::name(keyword::TIMEREP)), "timerep");
    for (int k = 0; k < keyword::COUNT; ++k) {
        EXPECT_EQ(&keyword::name(static_cast<keyword::Id>(k)), &all[k]);
        for (int j = 0; j < k; ++j) EXPECT_FALSE(all[j] == all[k]) << all[k] << " appears twice";
    }
}

}  // namespace
}  // namespace lang::core
