// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/accum_id.hpp>

#include "ops/detail/enum_table.hpp"

#include <array>

namespace lang::core::accum {
namespace {

#define LANGCORE_ACCUM(id, base) \
    detail::ReductionRow<Id> { id, #id, base }

constexpr detail::ReductionTable table(std::array{
    LANGCORE_ACCUM(SUM, op::PLUS),
    LANGCORE_ACCUM(PROD, op::TIMES),
    LANGCORE_ACCUM(ANY, op::OR),
    LANGCORE_ACCUM(ALL, op::AND),
    LANGCORE_ACCUM(MINIMUM, op::MIN),
    LANGCORE_ACCUM(MAXIMUM, op::MAX),
});

#undef LANGCORE_ACCUM

static_assert(table.size == COUNT);

}  // namespace

op::Id base(Id reduction) { return table.base(reduction); }

Id from_base(op::Id op) { return table.from_base(op); }

std::ostream& operator<<(std::ostream& os, Id const& reduction) { return table.write(os, reduction); }

std::istream& operator>>(std::istream& is, Id& reduction) { return table.read(is, reduction); }

}  // namespace lang::core::accum
