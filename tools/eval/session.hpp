// Runs statements one after another, as a script, a pipe or an interactive
// prompt: values go to one stream, diagnostics to another, and a statement
// that fails is reported and skipped so that the next one still runs.
#pragma once

#include "evaluator.hpp"
#include "value_text.hpp"

#include <iosfwd>
#include <string>
#include <string_view>

namespace lang::eval {

class Session {
public:
    Session(ShowOptions options, std::ostream& out, std::ostream& err) : options_(options), out_(out), err_(err) {}

    /// Runs every statement read from `in`. A statement spans lines while it
    /// has unclosed brackets. With a prompt (on the diagnostic stream), each
    /// value is flushed as soon as it is known. `origin` names the source in
    /// diagnostics.
    void run(std::istream& in, std::string const& origin, bool prompt = false);
    void run(std::string_view text, std::string const& origin);

    /// Whether any statement so far failed.
    bool failed() const noexcept { return failed_; }

private:
    void statement(std::string_view text, unsigned long line, std::string const& origin);
    void report(std::string_view text, unsigned long first_line, std::string const& origin, Position at,
                std::string const& message);

    Evaluator evaluator_;
    ShowOptions options_;
    std::ostream& out_;
    std::ostream& err_;
    bool failed_ = false;
};

}  // namespace lang::eval
