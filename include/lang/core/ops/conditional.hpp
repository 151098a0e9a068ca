// SPDX-License-Identifier: Apache-2.0
// Folding of the language's two conditional forms: an if-then-else on a
// logical scalar, which hands back one of its branches without copying, and
// an element-wise selection under a logical array.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>

namespace lang::core {

/// `a` when the logical scalar `c` is true, `b` when it is false; the branches
/// must have equal types. Anything else raises InvalidConditional. The result
/// refers to an argument and lives as long as it does.
/// \relates lang::core::Constant
LANGCORE_API Constant const& conditional(Constant const& c, Constant const& a, Constant const& b);

/// An array of c's size taking a's element where the logical array `c` is
/// true and b's where it is false. A scalar branch stands for every element;
/// an array branch must have c's size; both branches must have one element
/// type. Anything else raises InvalidArrayConditional.
/// \relates lang::core::Constant
LANGCORE_API Constant array_conditional(Constant const& c, Constant const& a, Constant const& b);

}  // namespace lang::core
