// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/op_id.hpp>

#include "ops/detail/enum_table.hpp"

#include <array>
#include <string>
#include <string_view>

namespace lang::core {
namespace op {
namespace {

struct Row {
    Id id;
    std::string_view spelling;
    unsigned long arity;
    unsigned long precedence;
    std::int32_t binding;
    std::string_view format;
};

// The enumerator and its spelling come from one token, so a name can never
// drift from its value.
#define LANGCORE_OP(id, arity, precedence, binding, format) \
    Row { id, #id, arity, precedence, binding, format }

constexpr std::array<Row, COUNT> rows{{
    LANGCORE_OP(UPLUS, 1, 3, NO_BINDING, "+%0"),
    LANGCORE_OP(UMINUS, 1, 3, NO_BINDING, "-%0"),
    LANGCORE_OP(NOT, 1, 3, NO_BINDING, "~%0"),
    LANGCORE_OP(PLUS, 2, 5, LEFT_BINDING, "%0 + %1"),
    LANGCORE_OP(MINUS, 2, 5, LEFT_BINDING, "%0 - %1"),
    LANGCORE_OP(TIMES, 2, 4, LEFT_BINDING, "%0 .* %1"),
    LANGCORE_OP(DIVIDE, 2, 4, LEFT_BINDING, "%0 ./ %1"),
    LANGCORE_OP(MOD, 2, 1, NO_BINDING, ""),
    LANGCORE_OP(POWER, 2, 2, RIGHT_BINDING, "%0^%1"),
    LANGCORE_OP(LT, 2, 7, LEFT_BINDING, "%0 < %1"),
    LANGCORE_OP(LE, 2, 7, LEFT_BINDING, "%0 <= %1"),
    LANGCORE_OP(GT, 2, 7, LEFT_BINDING, "%0 > %1"),
    LANGCORE_OP(GE, 2, 7, LEFT_BINDING, "%0 >= %1"),
    LANGCORE_OP(EQ, 2, 7, LEFT_BINDING, "%0 == %1"),
    LANGCORE_OP(NE, 2, 7, LEFT_BINDING, "%0 ~= %1"),
    LANGCORE_OP(AND, 2, 8, LEFT_BINDING, "%0 & %1"),
    LANGCORE_OP(OR, 2, 9, LEFT_BINDING, "%0 | %1"),
    LANGCORE_OP(INV, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(SQRT, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(EXP, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(LOG, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(LOG10, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(SIN, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(COS, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(TAN, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(ASIN, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(ACOS, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(ATAN, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(SINH, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(COSH, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(TANH, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(FLOOR, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(CEIL, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(ROUND, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(FIX, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(ATAN2, 2, 1, NO_BINDING, ""),
    LANGCORE_OP(SIGN, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(ABS, 1, 1, NO_BINDING, ""),
    LANGCORE_OP(MAX, 2, 1, NO_BINDING, ""),
    LANGCORE_OP(MIN, 2, 1, NO_BINDING, ""),
    LANGCORE_OP(TRANSPOSE, 1, 2, NO_BINDING, "%0'"),
    LANGCORE_OP(MTIMES, 2, 4, LEFT_BINDING, "%0 * %1"),
}};

#undef LANGCORE_OP

static_assert(detail::in_value_order(rows));

// The text columns are handed out by reference, so they live as strings built
// once on first use.
struct Text {
    detail::EnumNames<Id, COUNT> names{rows};
    std::array<std::string, COUNT> formats;

    Text() {
        for (std::size_t k = 0; k < rows.size(); ++k) formats[k] = std::string(rows[k].format);
    }
};

Text const& text() {
    static Text const table;
    return table;
}

}  // namespace

unsigned long arity(Id op) { return rows[op].arity; }

unsigned long precidence(Id op) { return rows[op].precedence; }

std::int32_t binding(Id op) { return rows[op].binding; }

std::string const& format(Id op) { return text().formats[op]; }

std::ostream& operator<<(std::ostream& os, Id const& op) { return text().names.write(os, op); }

std::istream& operator>>(std::istream& is, Id& op) { return text().names.read(is, op); }

}  // namespace op

bool ambiguous_op(op::Id op) { return op == op::UPLUS || op == op::UMINUS; }

}  // namespace lang::core
