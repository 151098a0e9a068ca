// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/extrema_id.hpp>

#include "ops/detail/enum_table.hpp"

#include <array>

namespace lang::core::extrema {
namespace {

#define LANGCORE_EXTREMA(id, base) \
    detail::ReductionRow<Id> { id, #id, base }

constexpr detail::ReductionTable table(std::array{
    LANGCORE_EXTREMA(INDEX_MINIMUM, op::LT),
    LANGCORE_EXTREMA(INDEX_MAXIMUM, op::GT),
});

#undef LANGCORE_EXTREMA

static_assert(table.size == COUNT);

}  // namespace

op::Id base(Id extremum) { return table.base(extremum); }

Id from_base(op::Id op) { return table.from_base(op); }

std::ostream& operator<<(std::ostream& os, Id const& extremum) { return table.write(os, extremum); }

std::istream& operator>>(std::istream& is, Id& extremum) { return table.read(is, extremum); }

}  // namespace lang::core::extrema
