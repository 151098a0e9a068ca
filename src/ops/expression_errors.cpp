// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/expression_errors.hpp>

#include <lang/core/types/message_ids.hpp>

#include <boost/lexical_cast.hpp>
#include <boost/numeric/conversion/cast.hpp>

#include <string>

namespace lang::core {
namespace {

namespace msg = ::tarvex::common::lang::core;

// Message arguments are signed 64-bit; a larger count is refused rather than
// shown as a negative number.
long count_argument(unsigned long count) { return boost::numeric_cast<long>(count); }

}  // namespace

InvalidExpressions1::InvalidExpressions1() : kbase::MessageException(kbase::Message(msg::ir::InvalidExpressions1{})) {}

InvalidExpressionsN::InvalidExpressionsN(unsigned long first, unsigned long second)
    : kbase::MessageException(
          kbase::Message(msg::ir::InvalidExpressionsN{count_argument(first), count_argument(second)})) {}

// Braces fix the order: the name is rendered before the counts are checked.
InvalidOpArity::InvalidOpArity(op::Id op, unsigned long count)
    : kbase::MessageException(kbase::Message(msg::ir::InvalidOpArity{
          boost::lexical_cast<std::string>(op), count_argument(count), count_argument(op::arity(op))})) {}

}  // namespace lang::core
