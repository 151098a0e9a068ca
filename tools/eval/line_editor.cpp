// SPDX-License-Identifier: Apache-2.0
#include "line_editor.hpp"

#include <histedit.h>

#include <langinfo.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string_view>

namespace lang::eval {

namespace {

bool is_name_start(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool is_name_char(char c) { return is_name_start(c) || (c >= '0' && c <= '9'); }

// The completion of the word that ends `line` among `words`: the text to
// insert, and the sorted words that fit when they differ beyond it.
struct Completion {
    std::string insert;
    std::vector<std::string> alternatives;
};

Completion complete(std::string_view line, std::vector<std::string> words) {
    std::size_t start = line.size();
    while (start > 0 && is_name_char(line[start - 1])) --start;
    std::string_view const word = line.substr(start);
    // A word that starts with a digit is a number, and names none.
    if (!word.empty() && !is_name_start(word[0])) return {};
    std::erase_if(words, [&](std::string const& w) { return !w.starts_with(word); });
    if (words.empty()) return {};
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    // In sorted order, the first and the last word share the common prefix of all.
    std::string const& first = words.front();
    std::string const& last = words.back();
    auto const common = static_cast<std::size_t>(
        std::mismatch(first.begin(), first.end(), last.begin(), last.end()).first - first.begin());
    Completion result{first.substr(word.size(), common - word.size()), {}};
    if (words.size() > 1) result.alternatives = std::move(words);
    return result;
}

}  // namespace

std::optional<std::string> StreamReader::read(char const*, bool) {
    std::string line;
    if (!std::getline(in_, line)) return std::nullopt;
    return line;
}

struct LineEditor::State {
    // Released here, so that a constructor that fails half-way releases what it had.
    ~State() {
        if (editor != nullptr) el_end(editor);
        if (hist != nullptr) history_end(hist);
    }

    std::function<std::vector<std::string>()> words;
    std::string prompt;
    std::string history_file;  // empty: the history is not kept
    std::string statement;     // the lines of the statement being read, not yet in the history
    History* hist = nullptr;
    EditLine* editor = nullptr;
    HistEvent event{};
};

namespace {

LineEditor::State& state_of(EditLine* editor) {
    void* data = nullptr;
    el_get(editor, EL_CLIENTDATA, &data);
    return *static_cast<LineEditor::State*>(data);
}

char* prompt_of(EditLine* editor) { return state_of(editor).prompt.data(); }

// Lists the alternatives under the line in rows as wide as the terminal.
void list(EditLine* editor, std::vector<std::string> const& alternatives) {
    FILE* out = nullptr;
    el_get(editor, EL_GETFP, 1, &out);
    int columns = 0;
    if (el_get(editor, EL_GETTC, "co", &columns) != 0 || columns < 20) columns = 80;
    std::size_t width = 0;
    for (std::string const& a : alternatives) width = std::max(width, a.size() + 2);
    std::size_t const per_row = std::max<std::size_t>(1, static_cast<std::size_t>(columns) / width);
    std::fputc('\n', out);
    for (std::size_t k = 0; k < alternatives.size(); ++k) {
        std::string const& a = alternatives[k];
        std::fputs(a.c_str(), out);
        if ((k + 1) % per_row == 0 || k + 1 == alternatives.size()) std::fputc('\n', out);
        else std::fprintf(out, "%*s", static_cast<int>(width - a.size()), "");
    }
}

unsigned char complete_word(EditLine* editor, int) {
    LineInfo const* line = el_line(editor);
    Completion const c = complete(std::string_view(line->buffer, static_cast<std::size_t>(line->cursor - line->buffer)),
                                  state_of(editor).words());
    if (!c.insert.empty()) return el_insertstr(editor, c.insert.c_str()) == 0 ? CC_REFRESH : CC_ERROR;
    if (c.alternatives.empty()) return CC_ERROR;
    list(editor, c.alternatives);
    return CC_REDISPLAY;
}

}  // namespace

LineEditor::LineEditor(char const* program, std::function<std::vector<std::string>()> words)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.words = std::move(words);
    // libedit decodes keys by the character type of the locale, and the
    // statements are UTF-8 whatever the environment says.
    std::setlocale(LC_CTYPE, "");
    if (std::string_view(nl_langinfo(CODESET)) != "UTF-8") std::setlocale(LC_CTYPE, "C.UTF-8");
    s.hist = history_init();
    s.editor = el_init(program, stdin, stderr, stderr);
    if (s.hist == nullptr || s.editor == nullptr) throw std::bad_alloc();
    history(s.hist, &s.event, H_SETSIZE, 1000);
    history(s.hist, &s.event, H_SETUNIQUE, 1);
    if (char const* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        s.history_file = std::string(home) + "/.langcore_eval_history";
        // A missing or unreadable file is a first session, not an error.
        history(s.hist, &s.event, H_LOAD, s.history_file.c_str());
    }
    el_set(s.editor, EL_CLIENTDATA, &s);
    el_set(s.editor, EL_EDITOR, "emacs");
    // Restores the terminal when a signal stops or ends the program mid-line.
    el_set(s.editor, EL_SIGNAL, 1);
    el_set(s.editor, EL_PROMPT, &prompt_of);
    el_set(s.editor, EL_HIST, history, s.hist);
    // The wide call keeps the names as given; the narrow one copies them and
    // never frees the copies.
    el_wset(s.editor, EL_ADDFN, L"eval-complete", L"complete a function or bound name", &complete_word);
    el_set(s.editor, EL_BIND, "^I", "eval-complete", static_cast<char const*>(nullptr));
    // The user's own ~/.editrc may rebind keys or choose vi.
    el_source(s.editor, nullptr);
}

namespace {

// Enters the statement read so far into the history as one entry; its lines
// stay apart, so that a comment in one does not swallow the next.
void remember(LineEditor::State& s) {
    if (s.statement.find_first_not_of(" \t\r\n") != std::string::npos) {
        history(s.hist, &s.event, H_ENTER, s.statement.c_str());
        // Saved at once, since Ctrl-C ends the program without unwinding. An
        // unwritable file loses the lines silently: they are a convenience.
        if (!s.history_file.empty()) history(s.hist, &s.event, H_SAVE, s.history_file.c_str());
    }
    s.statement.clear();
}

}  // namespace

LineEditor::~LineEditor() { remember(*state_); }

std::optional<std::string> LineEditor::read(char const* prompt, bool continued) {
    State& s = *state_;
    // A new statement: the one before is complete, and Up recalls it whole.
    if (!continued) remember(s);
    s.prompt = prompt;
    int count = 0;
    char const* line = el_gets(s.editor, &count);
    if (line == nullptr || count <= 0) return std::nullopt;
    std::string text(line, static_cast<std::size_t>(count));
    if (text.ends_with('\n')) text.pop_back();
    s.statement += (continued ? "\n" : "") + text;
    return text;
}

}  // namespace lang::eval
