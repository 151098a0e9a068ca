// A function written outside the language, as a resolver hands it out: a
// callable on raw memory (see raw_value.hpp) and the type of what it writes.
// The callable receives the output first, then the input, which is always a
// pointer array with one entry per argument. A move copies, so a moved-from
// instance can still be called.
#pragma once

#include <lang/core/types/type.hpp>

#include <functional>

namespace lang::core {

class ExternalFunctionInstance {
public:
    using Function = std::function<void(void* output, void const* input)>;

    ExternalFunctionInstance(Type const& returnType, Function const& function)
        : returnType_(returnType), function_(function) {}
    ExternalFunctionInstance(ExternalFunctionInstance const&) = default;
    ExternalFunctionInstance& operator=(ExternalFunctionInstance const&) = default;

    /// The type whose raw layout the function writes to its output.
    Type const& returnType() const noexcept { return returnType_; }
    Function const& function() const noexcept { return function_; }

private:
    Type returnType_;
    Function function_;
};

}  // namespace lang::core
