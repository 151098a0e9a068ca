// SPDX-License-Identifier: Apache-2.0
#include "session.hpp"

#include "parser.hpp"

#include <kbase/message.hpp>

#include <istream>
#include <new>
#include <ostream>
#include <sstream>

namespace lang::eval {

void Session::run(LineReader& lines, std::string const& origin) {
    std::string pending;
    unsigned long line_number = 0, first_line = 1;
    auto flush = [&] {
        if (!is_blank(pending)) statement(pending, first_line, origin);
        pending.clear();
    };
    while (auto const line = lines.read(pending.empty() ? "> " : "... ")) {
        ++line_number;
        if (pending.empty()) first_line = line_number;
        pending += *line;
        pending += '\n';
        if (open_brackets(pending) <= 0) flush();
        if (lines.interactive()) out_ << std::flush;
    }
    // The end of input leaves the cursor after a prompt.
    if (lines.interactive()) err_ << '\n';
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
    return names;
}

void Session::statement(std::string_view text, unsigned long line, std::string const& origin) {
    Position const start{line, 1};
    try {
        Statement const parsed = parse_statement(text, start);
        try {
            if (auto const value = evaluator_.run(parsed)) out_ << show(*value, options_) << '\n';
        } catch (EvalError const& e) {
            report(text, line, origin, e.at, e.what());
        } catch (kbase::MessageException const& e) {
            auto const& id = e.message().id();
            report(text, line, origin, evaluator_.failed_at(),
                   e.message().text() + " [" + id.catalog() + "/" + id.key() + "]");
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

// origin:line:column: error: message, then the line with a caret under the place.
void Session::report(std::string_view text, unsigned long first_line, std::string const& origin, Position at,
                     std::string const& message) {
    failed_ = true;
    err_ << origin << ':' << at.line << ':' << at.column << ": error: " << message << '\n';
    std::size_t begin = 0;
    for (unsigned long l = first_line; l < at.line && begin != std::string_view::npos; ++l) {
        begin = text.find('\n', begin);
        if (begin != std::string_view::npos) ++begin;
    }
    if (begin == std::string_view::npos || begin >= text.size()) return;
    std::string_view const source = text.substr(begin, text.find('\n', begin) - begin);
    std::string caret;
    for (std::size_t i = 0; i + 1 < at.column && i < source.size(); ++i) caret += source[i] == '\t' ? '\t' : ' ';
    err_ << "    " << source << "\n    " << caret << "^\n";
}

}  // namespace lang::eval
