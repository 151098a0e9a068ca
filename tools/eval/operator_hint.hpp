// SPDX-License-Identifier: Apache-2.0
// A one-line hint for an operator whose operands do not fit: the form that
// does fit them, found by folding it, so that a hint is never wrong.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/ops/op_id.hpp>

#include <string>

namespace lang::eval {

/// After `a op b` failed: how to write it so that it folds, or empty when
/// neither the element-wise form nor converting one operand helps.
std::string operator_hint(core::op::Id op, core::Constant const& a, core::Constant const& b);

}  // namespace lang::eval
