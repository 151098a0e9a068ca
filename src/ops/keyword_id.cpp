// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/keyword_id.hpp>

#include "ops/detail/enum_table.hpp"

#include <kbase/identifier.hpp>

#include <array>
#include <memory>
#include <string_view>
#include <vector>

namespace lang::core::keyword {
namespace {

struct Row {
    Id id;
    std::string_view text;
};

constexpr std::array<Row, COUNT> rows{{
    {ARRAY, "array"},
    {TUPLE, "tuple"},
    {EMPTY, "empty"},
    {COLON, "colon"},
    {EYE, "eye"},
    {BLOCK, "block"},
    {CAT, "cat"},
    {RESHAPE, "reshape"},
    {REPMAT, "repmat"},
    {CONVERT, "convert"},
    {TO_ARRAY, "to_array"},
    {JOIN, "join"},
    {BEGIN, "begin"},
    {END, "end"},
    {IF, "if"},
    {THEN, "then"},
    {ELSE, "else"},
    {FOR, "for"},
    {TO, "to"},
    {DOWNTO, "downto"},
    {STEP, "step"},
    {DO, "do"},
    {WHILE, "while"},
    {RETURN, "return"},
    {BREAK, "break"},
    {EXTERNAL, "external"},
    {EXPORT, "export"},
    {DER, "der"},
    {DOT, "dot"},
    {TIME, "time"},
    {DELAY, "delay"},
    {UNIFORM_ARRAY, "uniform_array"},
    {VALUE_COPY, "value_copy"},
    {REF_RANGE, "ref_range"},
    {ASSERTION, "assertion"},
    {INTEG, "integ"},
    {FUNCTION, "function"},
    {TSTART, "tstart"},
    {TRANSFER_FUNCTION, "transfer_function"},
    {NO_EVENT, "no_event"},
    {NO_IMPLICIT_ASSERTS, "no_implicit_asserts"},
    {NO_XFORM, "no_xform"},
    {CHART_TRANSITION, "chart_transition"},
    {EDGE, "edge"},
    {LAST, "last"},
    {INITIALEVENT, "initialevent"},
    {UPDATE, "update"},
    {SAMPLE, "sample"},
    {TIMEREP, "timerep"},
}};

static_assert(detail::in_value_order(rows));

std::vector<kbase::BasicTableString<char>>* make_all() {
    auto table = std::make_unique<std::vector<kbase::BasicTableString<char>>>();
    table->reserve(rows.size());
    kbase::detail::HdIdCheck const check;
    for (Row const& row : rows) table->push_back(check(row.text.data(), row.text.size()));
    return table.release();
}

}  // namespace

std::vector<kbase::BasicTableString<char>> const& all() {
    // Never freed, so names stay valid for code that prints during exit; if
    // the checker throws, the static stays uninitialised and the next call
    // tries again.
    static auto const* const table = make_all();
    return *table;
}

kbase::BasicTableString<char> const& name(Id const& word) { return all()[word]; }

}  // namespace lang::core::keyword
