// SPDX-License-Identifier: Apache-2.0
// A function written outside the language, as a resolver hands it out: a
// callable on raw memory (see raw_value.hpp) and the type of what it writes.
// The callable receives the output first, then the input, which is always a
// pointer array with one entry per argument. A move copies, so a moved-from
// instance can still be called.
#pragma once

#include <lang/core/types/type.hpp>

#include <functional>

namespace lang::core {

/// A function written outside the language, callable on raw values, with the
/// type of what it returns.
class ExternalFunctionInstance {
public:
    /// Writes the result's raw value to `output`; `input` is an array of one
    /// pointer per argument, each to that argument's raw value.
    using Function = std::function<void(void* output, void const* input)>;

    /// Copies both.
    ExternalFunctionInstance(Type const& returnType, Function const& function)
        : returnType_(returnType), function_(function) {}
    /// Copies. No move is declared, so a move copies and leaves the source
    /// as it was.
    ///@{
    ExternalFunctionInstance(ExternalFunctionInstance const&) = default;
    ExternalFunctionInstance& operator=(ExternalFunctionInstance const&) = default;
    ///@}

    /// The type whose raw layout the function writes to its output.
    Type const& returnType() const noexcept { return returnType_; }
    /// The function to call.
    Function const& function() const noexcept { return function_; }

private:
    Type returnType_;
    Function function_;
};

}  // namespace lang::core
