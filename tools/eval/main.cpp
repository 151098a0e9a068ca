// SPDX-License-Identifier: Apache-2.0
// langcore-eval: folds constant expressions with langcore and prints them.
//
//   langcore-eval [--user] [--type] [--hash] FILE...
//   langcore-eval [--user] [--type] [--hash] -e 'EXPRESSION'...
//   langcore-eval                      (standard input; a prompt on a terminal)
//   langcore-eval --version | --help
//
// Exit status: 0 when every statement folded, 1 when one failed, 2 for bad
// command-line use.
#include "line_editor.hpp"
#include "session.hpp"

#include <lang/core/version.hpp>

#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

constexpr char const* usage =
    "usage: langcore-eval [--user] [--type] [--hash] [-e EXPRESSION | FILE | -]...\n"
    "       langcore-eval --version | --help\n"
    "Folds each statement with langcore and prints its value, one per line.\n"
    "  -e EXPRESSION  run the statements of EXPRESSION\n"
    "  FILE, -        run the statements of a file, or of standard input\n"
    "  --user         print values in the user form instead of the stream form\n"
    "  --type         add each value's type\n"
    "  --hash         add each value's hash\n"
    "  --version      print the version and exit\n"
    "  -h, --help     print this help and exit\n"
    "With no EXPRESSION or FILE, statements are read from standard input, with\n"
    "a prompt when it is a terminal.\n"
    "Statements: 'name = expression' binds, an expression prints its value, ';'\n"
    "separates statements and keeps one from printing; 'help' gives an overview\n"
    "of the language, 'quit' or 'exit' stops. At the prompt, Up recalls whole\n"
    "statements and Tab completes names, keywords and element types.\n";

int bad_use(std::string const& why, bool show_usage = true) {
    std::cerr << "langcore-eval: " << why << '\n' << (show_usage ? usage : "");
    return 2;
}

// The library may have been replaced since this program was built; then both
// versions are worth knowing.
void print_version() {
    std::string_view const loaded = lang::core::version();
    std::cout << "langcore-eval " << LANGCORE_VERSION_STRING;
    if (loaded != LANGCORE_VERSION_STRING) std::cout << " (running with langcore " << loaded << ')';
    std::cout << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    lang::eval::ShowOptions options;
    // (is an expression, text or path) in command-line order.
    std::vector<std::pair<bool, std::string>> sources;
    bool options_done = false;
    for (int i = 1; i < argc; ++i) {
        std::string const arg = argv[i];
        if (options_done || arg == "-" || arg.empty() || arg[0] != '-') {
            sources.emplace_back(false, arg);
        } else if (arg == "--") {
            options_done = true;
        } else if (arg == "-e") {
            if (++i == argc) return bad_use("-e needs an expression");
            sources.emplace_back(true, argv[i]);
        } else if (arg == "--user") {
            options.user = true;
        } else if (arg == "--type") {
            options.type = true;
        } else if (arg == "--hash") {
            options.hash = true;
        } else if (arg == "-h" || arg == "--help") {
            std::cout << usage;
            return 0;
        } else if (arg == "--version") {
            print_version();
            return 0;
        } else {
            return bad_use("unknown option " + arg);
        }
    }
    if (sources.empty()) sources.emplace_back(false, "-");

    // Every file is opened before anything runs, so bad use changes nothing.
    std::vector<std::ifstream> files;
    for (auto const& [expression, text] : sources) {
        if (expression || text == "-") continue;
        files.emplace_back(text);
        if (!files.back()) return bad_use("cannot open " + text, false);
    }

    lang::eval::Session session(options, std::cout, std::cerr);
    auto file = files.begin();
    for (auto const& [expression, text] : sources) {
        if (expression) {
            session.run(text, "-e");
        } else if (text == "-") {
            if (isatty(STDIN_FILENO) != 0) {
                std::cerr << "langcore-eval " << LANGCORE_VERSION_STRING
                          << ": type help for an overview; quit or Ctrl-D leaves.\n";
                lang::eval::LineEditor editor("langcore-eval", [&session] { return session.names(); });
                session.run(editor, "<stdin>");
            } else {
                session.run(std::cin, "<stdin>");
            }
        } else {
            session.run(*file++, text);
        }
    }
    std::cout.flush();
    return session.failed() ? 1 : 0;
}
