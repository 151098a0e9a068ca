// SPDX-License-Identifier: Apache-2.0
// A constant's two text forms as UTF-8 strings: the stream form, which reads
// back as the same constant, and the user form shown in messages.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>

#include <string>

namespace lang::core {

/// The user form in UTF-8: an array's toUserString(), a scalar's
/// detail::ScalarToUserString text, and for a tuple, which has no user form
/// of its own, "{", its elements' user texts joined by ", ", then "}".
///
/// \code
/// user_text(Constant(5));                       // "int32(5)"
/// user_text(Constant(matrix({{1.0, 2.5}})));    // "[1 2.5000]"
/// user_text(Constant(Tuple{true, 2.0}));        // "{true, 2}"
/// \endcode
LANGCORE_API std::string user_text(Constant const& value);

/// The stream form, as operator<< writes it.
///
/// \code
/// stream_text(Constant(matrix({{1, 2}, {3, 4}})));  // "[1, 2; 3, 4]"
/// \endcode
LANGCORE_API std::string stream_text(Constant const& value);

}  // namespace lang::core
