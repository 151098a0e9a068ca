// The operator, accumulation and extrema identifiers: names, reading back,
// operator properties and the base operators of reductions.
#include <lang/core/ops/accum_id.hpp>
#include <lang/core/ops/extrema_id.hpp>
#include <lang/core/ops/op_id.hpp>

#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

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

// Precedence and binding show in the printed forms of op_output_test.cpp.
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

}  // namespace
}  // namespace lang::core
