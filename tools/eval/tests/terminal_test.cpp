// Types at langcore-eval's prompt through a pseudo-terminal, as a person
// would: a line edited with the arrow keys, names completed with tab, and in
// a second session a line recalled from the history the first one saved.
//   eval_terminal_test path/to/langcore-eval
// Every wait has a deadline, so a prompt that never comes fails, not hangs.
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto patience = std::chrono::seconds(30);
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

    /// Types `keys` once the next prompt shows, then waits until `shown`
    /// appears.
    bool type(std::string const& keys, std::string_view shown) {
        return show("> ") && write(master_, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size()) &&
               show(shown);
    }

    /// Ends the input as Ctrl-D does; the exit status, or -1.
    int finish() {
        if (!show("> ") || write(master_, "\x04", 1) != 1) return -1;
        show("no such text");  // reads to the end of the output
        for (auto const deadline = Clock::now() + patience; Clock::now() < deadline; usleep(10000)) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
        }
        return -1;
    }

    std::string const& screen() const { return screen_; }

private:
    // Reads until `text` shows after what was already matched.
    bool show(std::string_view text) {
        for (auto const deadline = Clock::now() + patience;;) {
            if (auto const at = screen_.find(text, seen_); at != std::string::npos) {
                seen_ = at + text.size();
                return true;
            }
            auto const wait = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            pollfd p{master_, POLLIN, 0};
            if (wait <= 0 || poll(&p, 1, static_cast<int>(wait)) <= 0) return false;
            char buffer[512];
            ssize_t const n = read(master_, buffer, sizeof buffer);
            if (n <= 0) return false;
            screen_.append(buffer, static_cast<std::size_t>(n));
        }
    }

    pid_t pid_ = -1;
    int master_ = -1;
    std::string screen_;
    std::size_t seen_ = 0;
};

int failure(char const* what, Terminal const& t) {
    std::fprintf(stderr, "%s; the terminal showed:\n", what);
    for (char c : t.screen()) {
        if (c == '\x1b' || c == '\r') std::fputs(c == '\r' ? "\\r" : "\\e", stderr);
        else std::fputc(c, stderr);
    }
    std::fputc('\n', stderr);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    char pattern[] = "/tmp/eval_terminal_XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 2;
    std::string const home = pattern;
    int result = 0;
    {
        Terminal first(argv[1], home);
        // 100 - 1, with the minus replaced by a plus.
        if (!first.type(std::string("100 - 1") + left + left + erase + "+\r", "101\r\n"))
            result = failure("an edited line did not fold", first);
        // "an" fits the function and and the name answer, which are listed;
        // one more letter makes it unique.
        else if (!first.type("answer = 5\r", "\n") || !first.type("an\t", "answer") || !first.type("s\t .* 2\r", "\r\n10\r\n"))
            result = failure("a name was not completed", first);
        else if (first.finish() != 0)
            result = failure("the first session did not end cleanly", first);
    }
    if (result == 0 && !std::filesystem::exists(home + "/.langcore_eval_history")) {
        std::fputs("no history was saved\n", stderr);
        result = 1;
    }
    if (result == 0) {
        Terminal second(argv[1], home);
        if (!second.type(std::string(up) + up + up + "\r", "101\r\n"))
            result = failure("the first line was not recalled", second);
        else if (second.finish() != 0)
            result = failure("the second session did not end cleanly", second);
    }
    std::filesystem::remove_all(home);
    return result;
}
