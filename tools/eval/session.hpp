// SPDX-License-Identifier: Apache-2.0
// Runs statements one after another, as a script, a pipe or an interactive
// prompt: values go to one stream, diagnostics to another, and a statement
// that fails is reported and skipped so that the next one still runs.
#pragma once

#include "evaluator.hpp"
#include "line_editor.hpp"
#include "parser.hpp"
#include "value_text.hpp"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace lang::eval {

class Session {
public:
    Session(ShowOptions options, std::ostream& out, std::ostream& err) : options_(options), out_(out), err_(err) {}

    /// Runs every statement read from `lines`. A statement spans lines while
    /// it has unclosed brackets; `;` outside brackets separates statements on
    /// a line and keeps the one it ends from printing. `help` prints an
    /// overview, and `quit` or `exit` stops reading, here and in every later
    /// run. When a person types the lines, each value is flushed as soon as
    /// it is known. `origin` names the source in diagnostics.
    void run(LineReader& lines, std::string const& origin);
    void run(std::istream& in, std::string const& origin);
    void run(std::string_view text, std::string const& origin);

    /// The words a statement can use: the functions, the names bound so far,
    /// the keywords and forms, the element types and the commands.
    std::vector<std::string> names() const;

    /// Whether any statement so far failed.
    bool failed() const noexcept { return failed_; }

private:
    // `text` holds whole lines from `first_line` on, for the diagnostics.
    void statements(std::string_view text, unsigned long first_line, std::string const& origin);
    void statement(StatementText const& piece, std::string_view text, unsigned long first_line,
                   std::string const& origin);
    void report(std::string_view text, unsigned long first_line, std::string const& origin, Position at,
                std::string const& message, std::string const& hint = {});

    Evaluator evaluator_;
    ShowOptions options_;
    std::ostream& out_;
    std::ostream& err_;
    bool failed_ = false;
    bool quit_ = false;
};

}  // namespace lang::eval
