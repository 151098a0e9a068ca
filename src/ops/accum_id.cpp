// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/accum_id.hpp>

#include "ops/detail/enum_table.hpp"

#include <array>

namespace lang::core::accum {
namespace {

constexpr detail::ReductionTable table(std::array{
    LANGCORE_REDUCTION_ROW(SUM, op::PLUS),
    LANGCORE_REDUCTION_ROW(PROD, op::TIMES),
    LANGCORE_REDUCTION_ROW(ANY, op::OR),
    LANGCORE_REDUCTION_ROW(ALL, op::AND),
    LANGCORE_REDUCTION_ROW(MINIMUM, op::MIN),
    LANGCORE_REDUCTION_ROW(MAXIMUM, op::MAX),
});
static_assert(table.size == COUNT);

}  // namespace

LANGCORE_REDUCTION_FUNCTIONS(table)

}  // namespace lang::core::accum
