#include <lang/core/ops/op_output.hpp>

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace op = lang::core::op;
using lang::core::detail::op_output;
using lang::core::detail::OperandPrinter;

constexpr unsigned long top = std::numeric_limits<unsigned long>::max();

OperandPrinter leaf(char const* text) {
    return [text](std::ostream& os, unsigned long, unsigned long) { os << text; };
}

OperandPrinter expr(op::Id op, std::vector<OperandPrinter> operands, bool unambiguous = false) {
    return [=](std::ostream& os, unsigned long precedence, unsigned long position) {
        op_output(os, op, unambiguous, operands, precedence, position);
    };
}

std::string print(OperandPrinter const& printer) {
    std::ostringstream os;
    printer(os, top, 0);
    return os.str();
}

auto const a = leaf("a");
auto const b = leaf("b");
auto const c = leaf("c");
auto const x = leaf("x");

TEST(OpOutput, ParenthesesFollowPrecedenceAndBinding) {
    EXPECT_EQ(print(expr(op::MINUS, {a, expr(op::MINUS, {b, c})})), "a - (b - c)");
    EXPECT_EQ(print(expr(op::POWER, {expr(op::POWER, {a, b}), c})), "(a^b)^c");
    EXPECT_EQ(print(expr(op::TIMES, {expr(op::PLUS, {a, b}), c})), "(a + b) .* c");
    EXPECT_EQ(print(expr(op::TRANSPOSE, {expr(op::PLUS, {a, b})})), "(a + b)'");
    EXPECT_EQ(print(expr(op::POWER, {expr(op::TRANSPOSE, {a}), b})), "a'^b");
    EXPECT_EQ(print(expr(op::OR, {expr(op::AND, {a, b}), expr(op::LT, {a, c})})), "a & b | a < c");
    EXPECT_EQ(print(expr(op::UMINUS, {expr(op::MTIMES, {a, b})})), "-(a * b)");
}

TEST(OpOutput, FunctionFormForUnformattedAmbiguousOrMiscountedOperators) {
    EXPECT_EQ(print(expr(op::UMINUS, {x}, true)), "uminus(x)");
    EXPECT_EQ(print(expr(op::UMINUS, {x}, false)), "-x");
    EXPECT_EQ(print(expr(op::NOT, {x}, true)), "~x");
    EXPECT_EQ(print(expr(op::PLUS, {a, b, c})), "plus(a, b, c)");
    // Function form resets precedence: nothing inside it is parenthesised.
    EXPECT_EQ(print(expr(op::MOD, {expr(op::PLUS, {a, b}), expr(op::OR, {a, c})})), "mod(a + b, a | c)");
    EXPECT_EQ(print(expr(op::TIMES, {expr(op::MAX, {a, b}), c})), "max(a, b) .* c");
}

}  // namespace
