// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/extrema_id.hpp>

#include "ops/detail/enum_table.hpp"

#include <array>
#include <string_view>

namespace lang::core::extrema {
namespace {

using Row = detail::ReductionRow<Id>;

#define LANGCORE_EXTREMA(id, base) \
    Row { id, #id, base }

constexpr std::array<Row, COUNT> rows{{
    LANGCORE_EXTREMA(INDEX_MINIMUM, op::LT),
    LANGCORE_EXTREMA(INDEX_MAXIMUM, op::GT),
}};

#undef LANGCORE_EXTREMA

static_assert(detail::in_value_order(rows));

constexpr auto by_base = detail::invert_bases<Id>(rows);

detail::EnumNames<Id, COUNT> const& names() {
    static detail::EnumNames<Id, COUNT> const table(rows);
    return table;
}

}  // namespace

op::Id base(Id extremum) { return rows[extremum].base; }

Id from_base(op::Id op) { return by_base[op]; }

std::ostream& operator<<(std::ostream& os, Id const& extremum) { return names().write(os, extremum); }

std::istream& operator>>(std::istream& is, Id& extremum) { return names().read(is, extremum); }

}  // namespace lang::core::extrema
