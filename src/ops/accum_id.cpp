// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/accum_id.hpp>

#include "ops/detail/enum_table.hpp"

#include <array>
#include <string_view>

namespace lang::core::accum {
namespace {

using Row = detail::ReductionRow<Id>;

#define LANGCORE_ACCUM(id, base) \
    Row { id, #id, base }

constexpr std::array<Row, COUNT> rows{{
    LANGCORE_ACCUM(SUM, op::PLUS),
    LANGCORE_ACCUM(PROD, op::TIMES),
    LANGCORE_ACCUM(ANY, op::OR),
    LANGCORE_ACCUM(ALL, op::AND),
    LANGCORE_ACCUM(MINIMUM, op::MIN),
    LANGCORE_ACCUM(MAXIMUM, op::MAX),
}};

#undef LANGCORE_ACCUM

static_assert(detail::in_value_order(rows));

constexpr auto by_base = detail::invert_bases<Id>(rows);

detail::EnumNames<Id, COUNT> const& names() {
    static detail::EnumNames<Id, COUNT> const table(rows);
    return table;
}

}  // namespace

op::Id base(Id reduction) { return rows[reduction].base; }

Id from_base(op::Id op) { return by_base[op]; }

std::ostream& operator<<(std::ostream& os, Id const& reduction) { return names().write(os, reduction); }

std::istream& operator>>(std::istream& is, Id& reduction) { return names().read(is, reduction); }

}  // namespace lang::core::accum
