#include <lang/core/ops/op_output.hpp>

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using detail::OperandPrinter;

OperandPrinter leaf(char const* text) {
    return [text](std::ostream& os, unsigned long, unsigned long) { os << text; };
}

OperandPrinter expr(op::Id op, std::vector<OperandPrinter> operands, bool unambiguous = false) {
    return [=](std::ostream& os, unsigned long precedence, unsigned long position) {
        detail::op_output(os, op, unambiguous, operands, precedence, position);
    };
}

std::string print(OperandPrinter const& printer) {
    std::ostringstream os;
    printer(os, std::numeric_limits<unsigned long>::max(), 0);
    return os.str();
}

auto const a = leaf("a");
auto const b = leaf("b");
auto const c = leaf("c");

TEST(OpOutput, ParenthesesFollowPrecedenceAndBinding) {
    EXPECT_EQ(print(expr(op::MINUS, {a, expr(op::MINUS, {b, c})})), "a - (b - c)");
    EXPECT_EQ(print(expr(op::POWER, {expr(op::POWER, {a, b}), c})), "(a^b)^c");
    EXPECT_EQ(print(expr(op::TIMES, {expr(op::PLUS, {a, b}), c})), "(a + b) .* c");
    EXPECT_EQ(print(expr(op::POWER, {expr(op::TRANSPOSE, {a}), b})), "a'^b");
    EXPECT_EQ(print(expr(op::OR, {expr(op::AND, {a, b}), expr(op::LT, {a, c})})), "a & b | a < c");
    EXPECT_EQ(print(expr(op::UMINUS, {expr(op::MTIMES, {a, b})})), "-(a * b)");
}

TEST(OpOutput, FunctionFormForUnformattedAmbiguousOrMiscountedOperators) {
    EXPECT_EQ(print(expr(op::UMINUS, {a}, true)), "uminus(a)");
    EXPECT_EQ(print(expr(op::UMINUS, {a}, false)), "-a");
    EXPECT_EQ(print(expr(op::NOT, {a}, true)), "~a");
    EXPECT_EQ(print(expr(op::PLUS, {a, b, c})), "plus(a, b, c)");
    // Function form resets precedence: nothing inside it is parenthesised.
    EXPECT_EQ(print(expr(op::MOD, {expr(op::PLUS, {a, b}), expr(op::OR, {a, c})})), "mod(a + b, a | c)");
    EXPECT_EQ(print(expr(op::TIMES, {expr(op::MAX, {a, b}), c})), "max(a, b) .* c");
}

}  // namespace
}  // namespace lang::core
