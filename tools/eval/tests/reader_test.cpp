// The reader against the library's own printing: operator expressions printed
// with the operator table must read back as the same tree, and bad text must
// be reported at the right place.
#include "parser.hpp"

#include <lang/core/ops/op_output.hpp>

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <sstream>

namespace lang::eval {
namespace {

namespace op = core::op;

// A generated expression: an operator over subtrees, or a leaf name.
struct Tree {
    op::Id op = op::INVALID;
    std::string leaf;
    std::vector<Tree> operands;
};

Tree generate(std::mt19937_64& rng, int depth) {
    if (depth == 0 || rng() % 4 == 0) return Tree{op::INVALID, std::string(1, static_cast<char>('a' + rng() % 3)), {}};
    Tree t;
    t.op = static_cast<op::Id>(rng() % op::COUNT);
    for (unsigned long k = 0; k < op::arity(t.op); ++k) t.operands.push_back(generate(rng, depth - 1));
    return t;
}

void print(std::ostream& os, Tree const& t, unsigned long outer, unsigned long position) {
    if (t.op == op::INVALID) {
        os << t.leaf;
        return;
    }
    std::vector<core::detail::OperandPrinter> printers;
    for (Tree const& operand : t.operands)
        printers.emplace_back([&operand](std::ostream& o, unsigned long p, unsigned long n) { print(o, operand, p, n); });
    core::detail::op_output(os, t.op, false, printers, outer, position);
}

// Operators and function calls of the same name describe alike, so that
// mod(a, b) read as a call matches the generated operator.
std::string describe(Tree const& t) {
    if (t.op == op::INVALID) return t.leaf;
    std::ostringstream os;
    os << t.op << '(';
    for (Tree const& operand : t.operands) os << describe(operand) << ';';
    return os.str() + ')';
}

std::string describe(Node const& n) {
    if (n.kind == Node::Kind::Name) return n.text;
    std::ostringstream os;
    if (n.kind == Node::Kind::Operator) os << n.op;
    else os << n.text;
    os << '(';
    for (Node const& child : n.children) os << describe(child) << ';';
    return os.str() + ')';
}

TEST(Reader, ReadsEveryPrintedOperatorExpressionAsTheTreeThatPrintedIt) {
    std::mt19937_64 rng(0x5eed);
    for (int trial = 0; trial < 5000; ++trial) {
        Tree const tree = generate(rng, 4);
        std::ostringstream text;
        print(text, tree, std::numeric_limits<unsigned long>::max(), 0);
        Statement const read = parse_statement(text.str());
        ASSERT_EQ(describe(read.expression), describe(tree)) << text.str();
    }
}

TEST(Reader, ReadsLiteralsAndAssignments) {
    Statement const s = parse_statement("x = [1, -2; 3i, 2.5e-3]");
    EXPECT_EQ(s.target, "x");
    ASSERT_EQ(s.expression.kind, Node::Kind::Matrix);
    EXPECT_EQ(s.expression.columns, 2u);
    EXPECT_EQ(s.expression.children[1].kind, Node::Kind::Operator);
    EXPECT_EQ(s.expression.children[2].value, core::Constant(3UL));
    EXPECT_EQ(s.expression.children[3].value, core::Constant(2.5e-3));
    // The magnitude of 2147483648 is kept for the minus in front of it.
    EXPECT_EQ(parse_statement("-2147483648").expression.children[0].magnitude, 2147483648u);
    EXPECT_EQ(parse_statement("18446744073709551615i").expression.value, core::Constant(~0UL));
    // The largest real's printed form rounds past it, yet reads back as it.
    std::ostringstream largest;
    largest << core::Constant(std::numeric_limits<double>::max());
    EXPECT_EQ(parse_statement(largest.str()).expression.value, core::Constant(std::numeric_limits<double>::max()));
    // `x == 1` compares; `2.*3` is a product, not the number 2.
    EXPECT_TRUE(parse_statement("x == 1").target.empty());
    EXPECT_EQ(parse_statement("2.*3").expression.op, op::TIMES);
    EXPECT_EQ(parse_statement("[[1], [2]]").expression.kind, Node::Kind::Stack);
    EXPECT_EQ(parse_statement("[[1], 2]").expression.kind, Node::Kind::Matrix);
}

TEST(Reader, ReportsWhereTheTextGoesWrong) {
    struct Case {
        char const* text;
        unsigned long line, column;
        char const* message;
    };
    Case const cases[] = {
        {"1 +", 1, 4, "expected an expression at the end"},
        {"(1, 2)", 1, 3, "expected ')' before ','"},
        {"[1, 2; 3]", 1, 8, "row 2 has 1 elements; the first row has 2"},
        {"[1 2]", 1, 4, "expected ',', ';' or ']' before '2'"},
        {"x = $", 1, 5, "unexpected character '$'"},
        {"3x", 1, 1, "malformed number '3x'"},
        {"2.5i", 1, 1, "an index literal is a whole number: '2.5i'"},
        {"18446744073709551616i", 1, 1, "literal out of range: 18446744073709551616i"},
        {"1e999", 1, 1, "real literal out of range: 1e999"},
        {"1.797693134862317e+308", 1, 1, "real literal out of range"},
        {"[]", 1, 2, "an array literal needs elements"},
        {"if true then 1", 1, 15, "expected 'else' at the end"},
        {"colon<0, 1 + 2>", 1, 12, "expected ',' or '>' before '+'"},
        {"[1,\n  2,\n  ]", 3, 3, "expected an expression before ']'"},
        {"1 2", 1, 3, "expected the end of the statement before '2'"},
    };
    for (Case const& c : cases) {
        try {
            parse_statement(c.text, Position{1, 1});
            ADD_FAILURE() << c.text << " was read";
        } catch (SyntaxError const& e) {
            EXPECT_EQ(e.at.line, c.line) << c.text;
            EXPECT_EQ(e.at.column, c.column) << c.text;
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.text << ": " << e.what();
        }
    }
    EXPECT_THROW(parse_statement(std::string(1000, '(') + "1" + std::string(1000, ')')), SyntaxError);
    EXPECT_EQ(open_brackets("f(x, [1, # ]\n"), 2);
    EXPECT_TRUE(is_blank("  # only a comment\n\n"));
}

}  // namespace
}  // namespace lang::eval
