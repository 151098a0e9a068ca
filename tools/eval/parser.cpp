// SPDX-License-Identifier: Apache-2.0
#include "parser.hpp"

#include "lexer.hpp"
#include "operator_grammar.hpp"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace lang::eval {

namespace {

using core::Constant;
namespace op = core::op;

constexpr unsigned long outermost = std::numeric_limits<unsigned long>::max();
// Deep enough for any real model, shallow enough that recursion is safe.
constexpr int max_depth = 200;

bool is_compact_keyword(std::string const& name) {
    return name == "empty" || name == "colon" || name == "eye" || name == "uniform_array";
}

class Parser {
public:
    Parser(std::string_view text, Position start) : tokens_(tokenize(text, start)) {}

    Statement statement() {
        Statement result;
        if (peek().kind == Token::Kind::Name && tokens_[next_ + 1].text == "=" &&
            tokens_[next_ + 1].kind == Token::Kind::Symbol) {
            result.target = take().text;
            take();
        }
        result.expression = expression(outermost, 0);
        if (peek().kind != Token::Kind::End) fail("expected the end of the statement" + met());
        return result;
    }

private:
    Token const& peek() const { return tokens_[next_]; }
    Token const& take() { return tokens_[next_ == tokens_.size() - 1 ? next_ : next_++]; }
    bool at_symbol(std::string_view s) const { return peek().kind == Token::Kind::Symbol && peek().text == s; }
    bool at_name(std::string_view s) const { return peek().kind == Token::Kind::Name && peek().text == s; }

    [[noreturn]] void fail(std::string const& what) const { throw SyntaxError(peek().at, what); }

    // " before 'x'" or " at the end": what the reader met instead.
    std::string met() const {
        return peek().kind == Token::Kind::End ? " at the end" : " before '" + peek().text + "'";
    }

    void expect(std::string_view s) {
        if (!at_symbol(s) && !at_name(s)) {
            fail("expected '" + std::string(s) + "'" + met());
        }
        take();
    }

    // An operator expression that can stand, unparenthesised, in the operand
    // slot `position` of an operator of precedence `outer`.
    Node expression(unsigned long outer, unsigned long position) {
        if (++depth_ > max_depth) fail("expression nested too deeply");
        auto const& grammar = OperatorGrammar::instance();
        Node lhs;
        if (op::Id const prefix = peek().kind == Token::Kind::Symbol ? grammar.prefix(peek().text) : op::INVALID;
            prefix != op::INVALID) {
            Position const at = take().at;
            lhs = operation(prefix, at, {expression(op::precidence(prefix), 0)});
        } else {
            lhs = postfixed(primary());
        }
        for (;;) {
            if (peek().kind != Token::Kind::Symbol) break;
            if (op::Id const post = grammar.postfix(peek().text);
                post != op::INVALID && OperatorGrammar::binds_within(post, outer, position)) {
                Position const at = take().at;
                lhs = operation(post, at, {std::move(lhs)});
                continue;
            }
            op::Id const in = grammar.infix(peek().text);
            if (in == op::INVALID || !OperatorGrammar::binds_within(in, outer, position)) break;
            Position const at = take().at;
            Node rhs = expression(op::precidence(in), 1);
            lhs = operation(in, at, {std::move(lhs), std::move(rhs)});
        }
        --depth_;
        return lhs;
    }

    static Node operation(op::Id id, Position at, std::vector<Node> operands) {
        Node n{Node::Kind::Operator, at};
        n.op = id;
        n.children = std::move(operands);
        return n;
    }

    // Subscripts bind tighter than every operator: x(0)' is (x(0))'.
    Node postfixed(Node target) {
        while (at_symbol("(")) {
            Node n{Node::Kind::Subscript, peek().at};
            n.children.push_back(std::move(target));
            arguments(n.children);
            target = std::move(n);
        }
        return target;
    }

    // "(" arguments ")", where an argument may be a lone ":".
    void arguments(std::vector<Node>& into) {
        expect("(");
        if (at_symbol(")")) {
            take();
            return;
        }
        for (;;) {
            if (at_symbol(":")) {
                into.push_back(Node{Node::Kind::Whole, take().at});
            } else {
                into.push_back(expression(outermost, 0));
            }
            if (at_symbol(")")) break;
            expect(",");
        }
        take();
    }

    Node primary() {
        Token const& t = peek();
        switch (t.kind) {
        case Token::Kind::Number: return number(take());
        case Token::Kind::Name: return named();
        case Token::Kind::End:
        case Token::Kind::Symbol: break;
        }
        if (t.text == "(") {
            take();
            Node inner = expression(outermost, 0);
            expect(")");
            return inner;
        }
        if (t.text == "[") return array();
        if (t.text == "{") return tuple();
        fail("expected an expression" + met());
    }

    Node named() {
        Token const& t = take();
        Node n{Node::Kind::Value, t.at};
        if (t.text == "true" || t.text == "false") {
            n.value = Constant(t.text == "true");
        } else if (t.text == "nan" || t.text == "inf") {
            n.value = t.text == "nan" ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
        } else if (t.text == "if") {
            n.kind = Node::Kind::If;
            n.children.push_back(expression(outermost, 0));
            expect("then");
            n.children.push_back(expression(outermost, 0));
            expect("else");
            n.children.push_back(expression(outermost, 0));
        } else if (is_compact_keyword(t.text) && at_symbol("<")) {
            n.kind = Node::Kind::Compact;
            n.text = t.text;
            compact_items(n.children);
        } else {
            n.text = t.text;
            n.kind = Node::Kind::Name;
            if (at_symbol("(")) {
                n.kind = Node::Kind::Call;
                arguments(n.children);
            }
        }
        return n;
    }

    // "<" items ">" of a compact form. Items are literals (with an optional
    // sign) or names, never operator expressions, so ">" cannot be misread.
    void compact_items(std::vector<Node>& into) {
        expect("<");
        for (;;) {
            Position const at = peek().at;
            bool const negative = at_symbol("-");
            if (negative) take();
            Node item;
            if (peek().kind == Token::Kind::Number) {
                item = number(take());
            } else if (peek().kind == Token::Kind::Name) {
                item = named();
                if (item.kind != Node::Kind::Name && item.kind != Node::Kind::Value)
                    throw SyntaxError(item.at, "expected a literal or a type name");
            } else {
                fail("expected a literal or a type name");
            }
            into.push_back(negative ? operation(op::UMINUS, at, {std::move(item)}) : std::move(item));
            if (at_symbol(">")) break;
            if (!at_symbol(",")) fail("expected ',' or '>'" + met());
            take();
        }
        take();
    }

    // Rows of elements separated by ";", elements by ",". A literal whose only
    // elements are array literals stacks them along a new dimension.
    Node array() {
        Node n{Node::Kind::Matrix, take().at};
        if (at_symbol("]")) fail("an array literal needs elements; write empty<type, lengths> for an empty array");
        unsigned long rows = 1, in_row = 0;
        Position row_at = peek().at;
        for (;;) {
            n.children.push_back(expression(outermost, 0));
            ++in_row;
            if (at_symbol(",")) {
                take();
                continue;
            }
            if (rows == 1) n.columns = in_row;
            if (in_row != n.columns) {
                throw SyntaxError(row_at, "row " + std::to_string(rows) + " has " + std::to_string(in_row) +
                                              " elements; the first row has " + std::to_string(n.columns));
            }
            if (at_symbol("]")) break;
            if (!at_symbol(";")) fail("expected ',', ';' or ']'" + met());
            take();
            ++rows;
            in_row = 0;
            row_at = peek().at;
        }
        take();
        bool stacked = rows == 1;
        for (Node const& e : n.children) stacked = stacked && (e.kind == Node::Kind::Matrix || e.kind == Node::Kind::Stack);
        if (stacked) n.kind = Node::Kind::Stack;
        return n;
    }

    Node tuple() {
        Node n{Node::Kind::Tuple, take().at};
        if (at_symbol("}")) {
            take();
            return n;
        }
        for (;;) {
            n.children.push_back(expression(outermost, 0));
            if (at_symbol("}")) break;
            expect(",");
        }
        take();
        return n;
    }

    // 5 (integer), 5i (index), 2.0, 1e+20 (real).
    static Node number(Token const& t) {
        Node n{Node::Kind::Value, t.at};
        std::string const& s = t.text;
        bool const real = s.find_first_of(".eE") != std::string::npos;
        bool const index = s.back() == 'i';
        if (real) {
            if (index) throw SyntaxError(t.at, "an index literal is a whole number: '" + s + "'");
            errno = 0;
            double const v = std::strtod(s.c_str(), nullptr);
            if (errno == ERANGE && std::isinf(v)) {
                // The largest real prints with 16 digits as a text that rounds
                // past it; that text, and anything up to it, reads back as the
                // largest real.
                if (std::strtold(s.c_str(), nullptr) > std::strtold("1.797693134862316e+308", nullptr))
                    throw SyntaxError(t.at, "real literal out of range: " + s);
                n.value = std::numeric_limits<double>::max();
                return n;
            }
            n.value = v;
            return n;
        }
        std::uint64_t magnitude = 0;
        auto const end = s.data() + s.size() - (index ? 1 : 0);
        if (std::from_chars(s.data(), end, magnitude).ec != std::errc())
            throw SyntaxError(t.at, "literal out of range: " + s);
        if (index) {
            n.value = static_cast<unsigned long>(magnitude);
        } else {
            n.kind = Node::Kind::Integer;
            n.magnitude = magnitude;
        }
        return n;
    }

    std::vector<Token> tokens_;
    std::size_t next_ = 0;
    int depth_ = 0;
};

}  // namespace

Statement parse_statement(std::string_view text, Position start) { return Parser(text, start).statement(); }

bool is_blank(std::string_view text) {
    bool comment = false;
    for (char c : text) {
        if (c == '\n') comment = false;
        else if (c == '#') comment = true;
        else if (!comment && c != ' ' && c != '\t' && c != '\r') return false;
    }
    return true;
}

namespace {

// Walks `text` outside comments and returns its open brackets minus closed
// ones; `top_level_semicolon(i)` is called for each `;` at offset i outside
// brackets.
template <class OnSemicolon>
long scan(std::string_view text, OnSemicolon top_level_semicolon) {
    long open = 0;
    bool comment = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char const c = text[i];
        if (c == '\n') comment = false;
        else if (comment) continue;
        else if (c == '#') comment = true;
        else if (c == '(' || c == '[' || c == '{') ++open;
        else if (c == ')' || c == ']' || c == '}') --open;
        else if (c == ';' && open <= 0) top_level_semicolon(i);
    }
    return open;
}

}  // namespace

long open_brackets(std::string_view text) {
    return scan(text, [](std::size_t) {});
}

std::vector<StatementText> split_statements(std::string_view text) {
    std::vector<StatementText> result;
    std::size_t begin = 0;
    scan(text, [&](std::size_t i) {
        result.push_back({text.substr(begin, i - begin), begin, true});
        begin = i + 1;
    });
    result.push_back({text.substr(begin), begin, false});
    return result;
}

}  // namespace lang::eval
