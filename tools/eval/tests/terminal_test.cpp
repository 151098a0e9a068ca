// SPDX-License-Identifier: Apache-2.0
// Types at langcore-eval's prompt through a pseudo-terminal, as a person
// would: a line edited with the arrow keys, names, keywords and types
// completed with tab, and in a second session a statement of two lines
// recalled whole from the history the first one saved.
//   eval_terminal_test path/to/langcore-eval
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

constexpr char const *left = "\x1b[D", *up = "\x1b[A", *erase = "\x7f";

class Terminal {
public:
    Terminal(char const* program, std::string const& home) {
        pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            setenv("HOME", home.c_str(), 1);
            setenv("TERM", "xterm", 1);
            execl(program, program, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Terminal() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (master_ >= 0) close(master_);
    }
    Terminal(Terminal const&) = delete;
    Terminal& operator=(Terminal const&) = delete;

    /// Types `keys` at the next prompt, then waits until `shown` shows.
    bool type(std::string const& keys, std::string_view shown, std::string_view prompt = "> ") {
        return show(prompt) && editing() &&
               write(master_, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size()) && show(shown);
    }

    /// Whether the program writes `text` before anything else it waits for.
    bool shows(std::string_view text) { return show(text); }

    /// Types `keys` (Ctrl-D, quit) at the next prompt; whether the program
    /// then exits with status 0.
    bool finish(std::string const& keys = "\x04") {
        if (!type(keys, "")) return false;
        while (more()) {}
        int status = 0;
        bool const exited = waitpid(pid_, &status, 0) == pid_;
        pid_ = -1;
        return exited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    std::string screen;

private:
    // Reads what the program wrote next; false at its end, or when it is
    // silent for 20 seconds, so that a missing prompt fails, not hangs.
    bool more() {
        pollfd p{master_, POLLIN, 0};
        char buffer[512];
        ssize_t const n = poll(&p, 1, 20000) == 1 ? read(master_, buffer, sizeof buffer) : 0;
        if (n > 0) screen.append(buffer, static_cast<std::size_t>(n));
        return n > 0;
    }

    // Waits until the line editor has taken the terminal out of line mode. A
    // person types long after that; keys written in one burst could arrive
    // while the kernel still echoes and edits lines itself.
    bool editing() const {
        termios mode{};
        for (int tries = 0; tries < 20000 && tcgetattr(master_, &mode) == 0; ++tries) {
            if ((mode.c_lflag & (ICANON | ECHO)) == 0) return true;
            usleep(1000);
        }
        return false;
    }

    bool show(std::string_view text) {
        std::size_t at;
        while ((at = screen.find(text, seen_)) == std::string::npos) {
            if (!more()) return false;
        }
        seen_ = at + text.size();
        return true;
    }

    pid_t pid_ = -1;
    int master_ = -1;
    std::size_t seen_ = 0;
};

bool fail(char const* what, std::string const& screen) {
    std::fprintf(stderr, "%s; the terminal showed:\n", what);
    for (char c : screen) std::fputs(c == '\x1b' ? "\\e" : c == '\r' ? "\\r" : std::string(1, c).c_str(), stderr);
    std::fputc('\n', stderr);
    return false;
}

bool sessions(char const* program, std::string const& home) {
    {
        Terminal t(program, home);
        if (!t.shows("type help for an overview; quit or Ctrl-D leaves.\r\n"))
            return fail("no first line named help", t.screen);
        if (!t.type("[1,\r", "\n") || !t.type("2]\r", "\r\n[1, 2]\r\n", "... "))
            return fail("a statement over two lines did not fold", t.screen);
        // 100 - 1 with the minus replaced by a plus.
        if (!t.type(std::string("100 - 1") + left + left + erase + "+\r", "101\r\n"))
            return fail("an edited line did not fold", t.screen);
        // "an" fits the function and and the name answer, which are listed;
        // one more letter makes it unique.
        if (!t.type("answer = 5\r", "\n") || !t.type("an\t", "answer") || !t.type("s\t .* 2\r", "\r\n10\r\n"))
            return fail("a name was not completed", t.screen);
        // Keywords and element types complete like names.
        if (!t.type("if true th\t 1 el\t 2\r", "\r\n1\r\n") || !t.type("convert(7, rea\t)\r", "\r\n7.0\r\n"))
            return fail("a keyword or an element type was not completed", t.screen);
        if (!t.finish("quit\r")) return fail("quit did not end the first session cleanly", t.screen);
    }
    if (!std::filesystem::exists(home + "/.langcore_eval_history")) return fail("no history was saved", "");
    Terminal t(program, home);
    // Back past quit and the five statements after the first.
    std::string back;
    for (int k = 0; k < 7; ++k) back += up;
    if (!t.type(back + "\r", "\r\n[1, 2]\r\n")) return fail("the first statement was not recalled whole", t.screen);
    return t.finish("exit\r") || fail("exit did not end the second session cleanly", t.screen);
}

}  // namespace

int main(int argc, char** argv) {
    char home[] = "/tmp/eval_terminal_XXXXXX";
    if (argc != 2 || mkdtemp(home) == nullptr) return 2;
    bool const passed = sessions(argv[1], home);
    std::filesystem::remove_all(home);
    return passed ? 0 : 1;
}
