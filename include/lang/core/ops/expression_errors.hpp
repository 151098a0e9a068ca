// SPDX-License-Identifier: Apache-2.0
// Exceptions a compiler throws for malformed operator expressions. They carry
// ir-catalog messages like every other library message; the library itself
// never throws them.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/ops/op_id.hpp>

#include <kbase/message.hpp>

namespace lang::core {

/// An expression was expected and none was given.
class LANGCORE_API InvalidExpressions1 : public kbase::MessageException {
public:
    InvalidExpressions1();
};

/// `first` expressions were given where `second` were expected. Counts of
/// 2^63 or more raise boost::numeric::positive_overflow instead.
class LANGCORE_API InvalidExpressionsN : public kbase::MessageException {
public:
    /// The message for the two counts.
    InvalidExpressionsN(unsigned long first, unsigned long second);
};

/// `op` was given `count` operands instead of op::arity(op). A count of 2^63
/// or more raises boost::numeric::positive_overflow instead.
class LANGCORE_API InvalidOpArity : public kbase::MessageException {
public:
    /// The message for the operator's name and the count.
    InvalidOpArity(op::Id op, unsigned long count);
};

}  // namespace lang::core
