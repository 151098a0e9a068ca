// SPDX-License-Identifier: Apache-2.0
#include "session.hpp"

#include <lang/core/types/type_id.hpp>

#include <kbase/message.hpp>

#include <algorithm>
#include <istream>
#include <new>
#include <ostream>
#include <sstream>

namespace lang::eval {

namespace {

// Words that are no function and no bound name, yet stand in statements.
constexpr char const* keywords[] = {"if", "then", "else", "true", "false", "nan", "inf",
                                    "empty", "colon", "eye", "uniform_array"};
constexpr char const* commands[] = {"help", "quit", "exit"};

bool is_command(std::string_view name) { return std::ranges::find(commands, name) != std::end(commands); }

constexpr char const* overview = R"(Statements, one to a line or separated by ';':
  expression           prints its value; one that ends in ';' prints nothing
  name = expression    binds a name
  # comment            runs to the end of the line
  A statement with open brackets goes on on the next line.
Literals: true  5  3i (index)  2.0  1e+20  nan  inf  [1, 2; 3, 4]  {1, 2.0} (tuple)
  empty<real, 0, 3>  colon<0, 2, 5>  eye<real, 3, 3>  uniform_array<true, 2, 3>
Operators, from the tightest: ^ and ' (transpose), then prefix + - ~, then
  .* ./ *, then + -, then < <= > >= == ~=, then &, then |.
  All work element by element but *, the matrix product; there is no /: use ./.
Functions: every operator by name (plus(a, b, c), mod, sqrt, atan2, max, ...),
  the reductions along a dimension (sum(x, 0), index_maximum(x, 1), ...),
  convert(x, real)  to_array(x)  reshape(x, 2, 3)  repmat(x, 2, 2)
  cat(dim, a, b, ...)  pad(x, dim, length, fill)  array_conditional(c, a, b)
  size(x)  numel(x)  ndims(x)  if c then a else b
  Tab completes names, keywords and element types (logical, integer, index, real).
Subscripts count from 0: x(1i), x(0, :), x([0, 2], 1); a tuple takes one: t(0).
Options: --user (user form), --type, --hash; see man langcore-eval.
help shows this; quit, exit or Ctrl-D leaves.
)";

// Where offset `offset` of `text`, whose first line is `first_line`, is.
Position position_of(std::string_view text, std::size_t offset, unsigned long first_line) {
    Position at{first_line, 1};
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') at = {at.line + 1, 1};
        else if (starts_column(text[i])) ++at.column;
    }
    return at;
}

}  // namespace

void Session::run(LineReader& lines, std::string const& origin) {
    std::string pending;
    unsigned long line_number = 0, first_line = 1;
    auto flush = [&] {
        if (!is_blank(pending)) statements(pending, first_line, origin);
        pending.clear();
    };
    while (!quit_) {
        auto const line = lines.read(pending.empty() ? "> " : "... ", !pending.empty());
        if (!line) {
            // The end of input leaves the cursor after a prompt.
            if (lines.interactive()) err_ << '\n';
            break;
        }
        ++line_number;
        if (pending.empty()) first_line = line_number;
        // A statement recalled from the history brings its own lines.
        line_number += static_cast<unsigned long>(std::ranges::count(*line, '\n'));
        pending += *line;
        pending += '\n';
        if (open_brackets(pending) <= 0) flush();
        if (lines.interactive()) out_ << std::flush;
    }
    flush();
}

void Session::run(std::istream& in, std::string const& origin) {
    StreamReader lines(in);
    run(lines, origin);
}

void Session::run(std::string_view text, std::string const& origin) {
    std::istringstream in{std::string(text)};
    run(in, origin);
}

std::vector<std::string> Session::names() const {
    std::vector<std::string> names = function_names();
    std::vector<std::string> bound = evaluator_.names();
    names.insert(names.end(), bound.begin(), bound.end());
    names.insert(names.end(), std::begin(keywords), std::end(keywords));
    names.insert(names.end(), std::begin(commands), std::end(commands));
    for (auto const type : {core::type::LOGICAL, core::type::INTEGER, core::type::INDEX, core::type::REAL}) {
        std::ostringstream os;
        os << type;
        names.push_back(os.str());
    }
    return names;
}

void Session::statements(std::string_view text, unsigned long first_line, std::string const& origin) {
    for (StatementText const& piece : split_statements(text)) {
        if (quit_) return;
        if (!is_blank(piece.text)) statement(piece, text, first_line, origin);
    }
}

void Session::statement(StatementText const& piece, std::string_view text, unsigned long line,
                        std::string const& origin) {
    try {
        Statement const parsed = parse_statement(piece.text, position_of(text, piece.offset, line));
        Node const& e = parsed.expression;
        if (parsed.target.empty() && e.kind == Node::Kind::Name && is_command(e.text)) {
            if (e.text == "help") out_ << overview;
            else quit_ = true;
            return;
        }
        if (is_command(parsed.target)) {
            report(text, line, origin, e.at, "'" + parsed.target + "' is a command and cannot be bound");
            return;
        }
        try {
            auto const value = evaluator_.run(parsed);
            if (value && !piece.quiet) out_ << show(*value, options_) << '\n';
        } catch (EvalError const& e) {
            report(text, line, origin, e.at, e.what());
        } catch (kbase::MessageException const& e) {
            auto const& id = e.message().id();
            report(text, line, origin, evaluator_.failed_at(),
                   e.message().text() + " [" + id.catalog() + "/" + id.key() + "]", evaluator_.hint());
        } catch (std::bad_alloc const&) {
            report(text, line, origin, evaluator_.failed_at(), "out of memory");
        } catch (std::exception const& e) {
            report(text, line, origin, evaluator_.failed_at(), e.what());
        } catch (...) {
            report(text, line, origin, evaluator_.failed_at(), "unexpected failure");
        }
    } catch (SyntaxError const& e) {
        report(text, line, origin, e.at, std::string("syntax error: ") + e.what());
    }
}

// origin:line:column: error: message, then the line with a caret under the
// place, then the hint, if any.
void Session::report(std::string_view text, unsigned long first_line, std::string const& origin, Position at,
                     std::string const& message, std::string const& hint) {
    failed_ = true;
    err_ << origin << ':' << at.line << ':' << at.column << ": error: " << message << '\n';
    std::size_t begin = 0;
    for (unsigned long l = first_line; l < at.line && begin != std::string_view::npos; ++l) {
        begin = text.find('\n', begin);
        if (begin != std::string_view::npos) ++begin;
    }
    if (begin != std::string_view::npos && begin < text.size()) {
        std::string_view const source = text.substr(begin, text.find('\n', begin) - begin);
        std::string caret;
        unsigned long column = 1;
        for (std::size_t i = 0; i < source.size() && column < at.column; ++i) {
            if (!starts_column(source[i])) continue;
            caret += source[i] == '\t' ? '\t' : ' ';
            ++column;
        }
        err_ << "    " << source << "\n    " << caret << "^\n";
    }
    if (!hint.empty()) err_ << "hint: " << hint << '\n';
}

}  // namespace lang::eval
