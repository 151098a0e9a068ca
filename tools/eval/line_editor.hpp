// SPDX-License-Identifier: Apache-2.0
// Where the statements' lines come from: a plain stream (a file or a pipe),
// or a terminal, where a person edits each line, recalls earlier ones and
// completes names.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lang::eval {

class LineReader {
public:
    virtual ~LineReader() = default;

    /// The next line without its line end, or nothing at the end of input.
    /// `prompt` is shown first when a person types the lines; `continued`
    /// says that the line goes on with the statement of the lines before.
    /// A line recalled from a history may hold several lines of one statement.
    virtual std::optional<std::string> read(char const* prompt, bool continued) = 0;

    /// Whether a person types the lines, and so waits for each value.
    virtual bool interactive() const noexcept = 0;
};

class StreamReader final : public LineReader {
public:
    explicit StreamReader(std::istream& in) : in_(in) {}
    std::optional<std::string> read(char const* prompt, bool continued) override;
    bool interactive() const noexcept override { return false; }

private:
    std::istream& in_;
};

/// Reads lines from the terminal on standard input, with the prompt and the
/// editing on standard error. The history is read from and written back to
/// $HOME/.langcore_eval_history, when it can be, after every statement; it
/// holds the last 1000 non-blank statements, each as one entry however many
/// lines it spans. Tab completes the word before the cursor among those
/// `words` returns at the time.
/// One at a time per process: the terminal has one state.
class LineEditor final : public LineReader {
public:
    LineEditor(char const* program, std::function<std::vector<std::string>()> words);
    ~LineEditor() override;
    LineEditor(LineEditor const&) = delete;
    LineEditor& operator=(LineEditor const&) = delete;

    std::optional<std::string> read(char const* prompt, bool continued) override;
    bool interactive() const noexcept override { return true; }

    /// libedit's objects and what its callbacks read.
    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace lang::eval
