// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/extrema_id.hpp>

#include "ops/detail/enum_table.hpp"

#include <array>

namespace lang::core::extrema {
namespace {

constexpr detail::ReductionTable table(std::array{
    LANGCORE_REDUCTION_ROW(INDEX_MINIMUM, op::LT),
    LANGCORE_REDUCTION_ROW(INDEX_MAXIMUM, op::GT),
});
static_assert(table.size == COUNT);

}  // namespace

LANGCORE_REDUCTION_FUNCTIONS(table)

}  // namespace lang::core::extrema
