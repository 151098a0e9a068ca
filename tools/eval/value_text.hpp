// SPDX-License-Identifier: Apache-2.0
// How the evaluator shows a value: the stream form, which reads back as the
// same constant, or the user form; optionally followed by a comment with the
// value's type and hash, so that the line still reads back.
#pragma once

#include <lang/core/constants/constant.hpp>

#include <string>

namespace lang::eval {

struct ShowOptions {
    bool user = false;  ///< the user form instead of the stream form
    bool type = false;  ///< append the value's type
    bool hash = false;  ///< append the value's hash_value
};

std::string show(core::Constant const& value, ShowOptions const& options);

}  // namespace lang::eval
