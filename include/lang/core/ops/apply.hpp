// SPDX-License-Identifier: Apache-2.0
// Constant folding of the operators: apply(op, a, b) computes a new constant
// element by element, a scalar standing for every element of an array. Both
// operands must have one element type (there is no promotion); transpose and
// mtimes are the only operators that are not element-wise.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/constants.hpp>
#include <lang/core/export.hpp>
#include <lang/core/ops/detail/fold_slot.hpp>
#include <lang/core/ops/op_id.hpp>

#include <array>
#include <cstddef>
#include <cstdint>

namespace lang::core {

namespace detail {
/// Folds two operands of one element type.
using BinaryFold = Constant (*)(Constant const& a, Constant const& b);
/// The scalar folds, at scalar_fold_slot(op, alternative).
/// apply() looks them up inline: two scalars of one type are the commonest
/// fold, and a call through the library's entry costs more than the
/// arithmetic. The arithmetic itself stays in the library.
LANGCORE_API extern std::array<BinaryFold, scalar_fold_slots> const scalar_folds;
/// apply() for every other operand pair.
LANGCORE_API Constant apply_general(op::Id op, Constant const& a, Constant const& b);
}  // namespace detail

/// One operand; an operator without a rule for it raises InvalidOp.
/// \relates lang::core::Constant
LANGCORE_API Constant apply(op::Id op, Constant const& a);
/// Two operands, left first. Arrays combine only with equal shapes
/// (mtimes: matrix shapes that multiply); an integer or index division by
/// zero raises DivideByZero.
/// \relates lang::core::Constant
inline Constant apply(op::Id op, Constant const& a, Constant const& b) {
    // A valueless operand's index is variant_npos, which fails the bound.
    std::size_t const kind = a.value().index();
    if (kind < detail::scalar_kinds && b.value().index() == kind &&
        static_cast<std::uint32_t>(op) < std::uint32_t(op::COUNT)) {
        return detail::scalar_folds[detail::scalar_fold_slot(op, kind)](a, b);
    }
    return detail::apply_general(op, a, b);
}

/// With `fold` and an operator that a reduction is built on (plus, times,
/// and, or, min, max), folds a non-empty list from the left; otherwise the
/// list must hold one or two operands.
/// \relates lang::core::Constant
LANGCORE_API Constant apply(op::Id op, Constants const& operands, bool fold);

/// apply() with the operator the symbol stands for.
///@{
/// \relates lang::core::Constant
inline Constant operator+(Constant const& a) { return apply(op::UPLUS, a); }
/// \relates lang::core::Constant
inline Constant operator-(Constant const& a) { return apply(op::UMINUS, a); }
/// \relates lang::core::Constant
inline Constant operator~(Constant const& a) { return apply(op::NOT, a); }
/// \relates lang::core::Constant
inline Constant operator+(Constant const& a, Constant const& b) { return apply(op::PLUS, a, b); }
/// \relates lang::core::Constant
inline Constant operator-(Constant const& a, Constant const& b) { return apply(op::MINUS, a, b); }
/// Element-wise; the matrix product is apply(op::MTIMES, a, b).
/// \relates lang::core::Constant
inline Constant operator*(Constant const& a, Constant const& b) { return apply(op::TIMES, a, b); }
/// \relates lang::core::Constant
inline Constant operator/(Constant const& a, Constant const& b) { return apply(op::DIVIDE, a, b); }
/// Element-wise power.
/// \relates lang::core::Constant
inline Constant operator^(Constant const& a, Constant const& b) { return apply(op::POWER, a, b); }
/// \relates lang::core::Constant
inline Constant operator&(Constant const& a, Constant const& b) { return apply(op::AND, a, b); }
/// \relates lang::core::Constant
inline Constant operator|(Constant const& a, Constant const& b) { return apply(op::OR, a, b); }
///@}

}  // namespace lang::core
