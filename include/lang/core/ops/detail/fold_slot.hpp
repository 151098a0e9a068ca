// SPDX-License-Identifier: Apache-2.0
// The layout of the table through which apply() folds two scalars inline:
// one slot per operator and scalar alternative of Constant. The table is
// exported, so this layout is part of the library's ABI.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/ops/op_id.hpp>

#include <cstddef>
#include <type_traits>
#include <variant>

namespace lang::core::detail {

/// Constant's scalar alternatives come first, one per element type; its
/// array alternatives follow in the same order.
inline constexpr std::size_t scalar_kinds = 4;

template <std::size_t K>
using ConstantAlternative = std::variant_alternative_t<K, Constant::Value>;
static_assert(std::is_same_v<ConstantAlternative<0>, Scalar<bool>> && std::is_same_v<ConstantAlternative<1>, Scalar<int>> &&
              std::is_same_v<ConstantAlternative<2>, Scalar<unsigned long>> &&
              std::is_same_v<ConstantAlternative<3>, Scalar<double>>);
static_assert(std::is_same_v<ConstantAlternative<scalar_kinds + 0>, Array<bool>> &&
              std::is_same_v<ConstantAlternative<scalar_kinds + 1>, Array<int>> &&
              std::is_same_v<ConstantAlternative<scalar_kinds + 2>, Array<unsigned long>> &&
              std::is_same_v<ConstantAlternative<scalar_kinds + 3>, Array<double>>);

inline constexpr std::size_t scalar_fold_slots = static_cast<std::size_t>(op::COUNT) * scalar_kinds;

/// The slot of `op` on two scalars of alternative `kind` (below scalar_kinds).
constexpr std::size_t scalar_fold_slot(op::Id op, std::size_t kind) noexcept {
    return static_cast<std::size_t>(op) * scalar_kinds + kind;
}

}  // namespace lang::core::detail
