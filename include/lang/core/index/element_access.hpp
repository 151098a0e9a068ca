// SPDX-License-Identifier: Apache-2.0
// Reaching into a constant in place: a tuple constant's element by position,
// and assignment that overwrites a value while keeping its kind and shape.
// A failing call changes nothing, except that a tuple assignment keeps the
// elements it assigned before an element failed.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/fwd.hpp>

namespace lang::core {

/// Element `i` of a tuple constant; InvalidTupleAccess past its end, and
/// InvalidExtract for a scalar or an array.
///@{
/// \relates lang::core::Constant
LANGCORE_API Constant const& extract(Constant const& c, unsigned long i);
/// \relates lang::core::Constant
LANGCORE_API Constant& extract(Constant& c, unsigned long i);
///@}

/// Overwrites `dst` with `src`: a scalar with a scalar, an array with an
/// array of the same size (InconsistentSize otherwise), a tuple with a tuple,
/// all of one element type, or InvalidAssign. An array's storage is written
/// in place once it is exclusive to `dst`.
/// \relates lang::core::Constant
LANGCORE_API void assign(Constant& dst, Constant const& src);

/// Assigns the elements in order, each as above, after checking that both
/// tuples have the same type (InvalidAssign otherwise).
/// \relates lang::core::Tuple
LANGCORE_API void assign(Tuple& dst, Tuple const& src);

}  // namespace lang::core
