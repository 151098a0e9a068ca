// SPDX-License-Identifier: Apache-2.0
// The reader against the library's own printing: operator expressions printed
// with the operator table must read back as the same tree, and bad text must
// be reported at the right place.
#include "parser.hpp"

#include <lang/core/ops/op_output.hpp>

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace lang::eval {
namespace {

namespace op = core::op;

// A generated expression: an operator over subtrees, or a leaf name.
Node generate(std::mt19937_64& rng, int depth) {
    bool const leaf = depth == 0 || rng() % 4 == 0;
    Node n(leaf ? Node::Kind::Name : Node::Kind::Operator, Position{});
    if (leaf) n.text = std::string(1, static_cast<char>('a' + rng() % 3));
    else n.op = static_cast<op::Id>(rng() % op::COUNT);
    for (unsigned long k = 0; !leaf && k < op::arity(n.op); ++k) n.children.push_back(generate(rng, depth - 1));
    return n;
}

void print(std::ostream& os, Node const& n, unsigned long outer, unsigned long position) {
    std::vector<core::detail::OperandPrinter> printers;
    for (Node const& operand : n.children)
        printers.emplace_back([&operand](std::ostream& o, auto p, auto k) { print(o, operand, p, k); });
    if (n.kind == Node::Kind::Name) os << n.text;
    else core::detail::op_output(os, n.op, false, printers, outer, position);
}

// Operators and function calls of the same name describe alike, so that
// mod(a, b) read as a call matches the generated operator.
std::string describe(Node const& n) {
    if (n.kind == Node::Kind::Name) return n.text;
    std::ostringstream os;
    (n.kind == Node::Kind::Operator ? os << n.op : os << n.text) << '(';
    for (Node const& child : n.children) os << describe(child) << ';';
    return os.str() + ')';
}

TEST(Reader, ReadsEveryPrintedOperatorExpressionAsTheTreeThatPrintedIt) {
    std::mt19937_64 rng(0x5eed);
    for (int trial = 0; trial < 5000; ++trial) {
        Node const tree = generate(rng, 4);
        std::ostringstream text;
        print(text, tree, std::numeric_limits<unsigned long>::max(), 0);
        ASSERT_EQ(describe(parse_statement(text.str()).expression), describe(tree)) << text.str();
    }
}

TEST(Reader, ReadsLiteralsAndAssignments) {
    Statement const s = parse_statement("x = [1, -2; 3i, 2.5e-3]");
    EXPECT_EQ(s.target, "x");
    ASSERT_EQ(s.expression.kind, Node::Kind::Matrix);
    EXPECT_EQ(s.expression.children[1].kind, Node::Kind::Operator);
    // `x == 1` compares; `2.*3` is a product, not the number 2.
    EXPECT_TRUE(parse_statement("x == 1").target.empty());
    EXPECT_EQ(parse_statement("2.*3").expression.op, op::TIMES);
    EXPECT_EQ(parse_statement("[[1], 2]").expression.kind, Node::Kind::Matrix);
}

TEST(Reader, ReportsWhereTheTextGoesWrong) {
    // The text, the line and column reported, and a part of the message.
    std::tuple<char const*, unsigned long, unsigned long, char const*> const cases[] = {
        {"1 +", 1, 4, "expected an expression at the end"}, {"(1, 2)", 1, 3, "expected ')' before ','"},
        {"[1, 2; 3]", 1, 8, "row 2 has 1 elements; the first row has 2"}, {"x = $", 1, 5, "unexpected character '$'"},
        {"[1 2]", 1, 4, "expected ',', ';' or ']' before '2'"}, {"[]", 1, 2, "an array literal needs elements"},
        {"3x", 1, 1, "malformed number '3x'"}, {"2.5i", 1, 1, "an index literal is a whole number: '2.5i'"},
        {"18446744073709551616i", 1, 1, "literal out of range: 18446744073709551616i"},
        {"1e999", 1, 1, "real literal out of range: 1e999"},
        {"1.797693134862317e+308", 1, 1, "real literal out of range"},
        {"if true then 1", 1, 15, "expected 'else' at the end"},
        {"1 2", 1, 3, "expected the end of the statement before '2'"},
        {"colon<0, 1 + 2>", 1, 12, "expected ',' or '>' before '+'"},
        {"[1,\n  2,\n  ]", 3, 3, "expected an expression before ']'"},
        // Characters outside the grammar as themselves, at code-point columns.
        {"a \xe2\x88\x91 b", 1, 3, "unexpected character '\xe2\x88\x91' (U+2211)"},
        {"\xf0\x9d\x9c\x8b(1)", 1, 1, "(U+1D70B)"}, {"1 +\x01", 1, 4, "U+0001"},
        {"x = \xff", 1, 5, "byte 0xFF, which is not UTF-8"}, {"\xe2\x88", 1, 1, "byte 0xE2"},
        {"\xc0\xaf", 1, 1, "byte 0xC0"}, {"1 / 2", 1, 3, "use ./ for element-wise division"},
    };
    for (auto const& [text, line, column, message] : cases) {
        try {
            parse_statement(text, Position{1, 1});
            ADD_FAILURE() << text << " was read";
        } catch (SyntaxError const& e) {
            EXPECT_EQ(std::pair(e.at.line, e.at.column), std::pair(line, column)) << text;
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << text << ": " << e.what();
        }
    }
    EXPECT_THROW(parse_statement(std::string(1000, '(') + "1" + std::string(1000, ')')), SyntaxError);
    EXPECT_EQ(open_brackets("f(x, [1, # ]\n"), 2);
    EXPECT_TRUE(is_blank("  # only a comment\n\n"));
}

}  // namespace
}  // namespace lang::eval
