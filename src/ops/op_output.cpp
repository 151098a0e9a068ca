// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ops/op_output.hpp>

#include <limits>
#include <ostream>
#include <string>

namespace lang::core::detail {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool needs_parentheses(unsigned long precedence, std::int32_t binding, unsigned long outerPrecedence,
                       unsigned long position) {
    if (precedence != outerPrecedence) return precedence > outerPrecedence;
    // Equal precedence: parenthesise only where the operator would otherwise
    // regroup with its neighbour.
    return (position == 1 && binding == op::LEFT_BINDING) || (position == 0 && binding == op::RIGHT_BINDING);
}

void print_function_form(std::ostream& os, op::Id op, std::vector<OperandPrinter> const& operands) {
    os << op << '(';
    for (std::size_t k = 0; k < operands.size(); ++k) {
        if (k != 0) os << ", ";
        operands[k](os, std::numeric_limits<unsigned long>::max(), 0);
    }
    os << ')';
}

}  // namespace

void op_output(std::ostream& os, op::Id op, bool unambiguous, std::vector<OperandPrinter> const& operands,
               unsigned long outerPrecedence, unsigned long position) {
    std::string const& format = op::format(op);
    if (format.empty() || (unambiguous && ambiguous_op(op)) || operands.size() != op::arity(op)) {
        print_function_form(os, op, operands);
        return;
    }

    unsigned long const precedence = op::precidence(op);
    bool const parenthesise = needs_parentheses(precedence, op::binding(op), outerPrecedence, position);
    if (parenthesise) os << '(';

    std::size_t literal = 0;  // start of the pending run of literal text
    std::size_t k = 0;
    while (k < format.size()) {
        if (format[k] != '%' || k + 1 == format.size() || !is_digit(format[k + 1])) {
            ++k;
            continue;
        }
        os.write(format.data() + literal, static_cast<std::streamsize>(k - literal));
        unsigned long n = 0;
        for (++k; k < format.size() && is_digit(format[k]); ++k) n = n * 10 + static_cast<unsigned long>(format[k] - '0');
        operands[n](os, precedence, n);
        literal = k;
    }
    os.write(format.data() + literal, static_cast<std::streamsize>(format.size() - literal));

    if (parenthesise) os << ')';
}

}  // namespace lang::core::detail
