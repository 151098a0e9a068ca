// SPDX-License-Identifier: Apache-2.0
// What the process keeps after a burst of allocations is over: the resident
// set, from /proc/self/status, after each of the steps below run one after
// another in one process, once with langcore's arrays and once with the
// standard library's make_shared<double[]> over glibc's malloc. Each column
// is its own child process, so one allocator's leftovers never count against
// the other; a column either calls nothing between the steps, or asks for
// memory back after each (release_unused(), or malloc_trim(0) for glibc).
#include <lang/core/constants/array.hpp>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using groundwork::core::mem::aligned_heap;
using lang::core::Array;
using lang::core::ArraySize;

long rss_kib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

// The two ways of making an array of n zero reals that a column compares.
struct Langcore {
    using Handle = Array<double>;
    static Handle make(unsigned long n) { return Array<double>(ArraySize{n, 1}); }
    static void give_back() { aligned_heap::release_unused(); }
};

struct Glibc {
    using Handle = std::shared_ptr<double[]>;
    static Handle make(unsigned long n) { return std::make_shared<double[]>(n); }
    static void give_back() { malloc_trim(0); }
};

// Returns the bytes each array added to the resident set while all were
// alive, its handle (held in a vector) taken out.
template <class A>
long alive_then_released(unsigned long count, unsigned long elements) {
    std::vector<typename A::Handle> arrays;
    arrays.reserve(count);
    long const before = rss_kib();
    for (unsigned long i = 0; i < count; ++i) arrays.push_back(A::make(elements));
    return (rss_kib() - before) * 1024 / static_cast<long>(count) - static_cast<long>(sizeof(typename A::Handle));
}

constexpr char const* steps[] = {
    "start",
    "4*10^6 arrays of 1 element alive, then released",
    "8 arrays of 128 MB alive, then released",
    "1000 arrays of 80 KB alive, then released",
    "50 rounds of 20 threads that allocate and free, then end",
};
constexpr int step_count = sizeof steps / sizeof *steps;

// Runs the steps, writing the RSS growth after each, in KiB, to `out`.
template <class A>
void column(bool give_back, int out) {
    long const start = rss_kib();
    long growth[step_count + 1] = {0};  // and the bytes of a one-element array
    auto const after = [&](int step) {
        if (give_back) A::give_back();
        growth[step] = rss_kib() - start;
    };
    after(0);
    growth[step_count] = alive_then_released<A>(4'000'000, 1);
    after(1);
    alive_then_released<A>(8, 16ul << 20);
    after(2);
    alive_then_released<A>(1000, 10'000);
    after(3);
    for (int round = 0; round < 50; ++round) {
        std::vector<std::thread> threads;
        for (int t = 0; t < 20; ++t) {
            threads.emplace_back([t] {
                std::vector<typename A::Handle> arrays;
                for (unsigned long i = 0; i < 2000; ++i) arrays.push_back(A::make(1 + (i * 37 + t) % 1000));
            });
        }
        for (auto& thread : threads) thread.join();
    }
    after(4);
    if (write(out, growth, sizeof growth) != sizeof growth) _exit(1);
}

// One column in a child process; false when it failed.
template <class A>
bool run(bool give_back, long (&growth)[step_count + 1]) {
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) return false;
    pid_t const child = fork();
    if (child == 0) {
        close(pipe_ends[0]);
        column<A>(give_back, pipe_ends[1]);
        _exit(0);
    }
    close(pipe_ends[1]);
    bool const read_all = read(pipe_ends[0], growth, sizeof growth) == static_cast<ssize_t>(sizeof growth);
    close(pipe_ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return read_all && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main() {
    long growth[4][step_count + 1];
    bool const ran = run<Langcore>(false, growth[0]) && run<Langcore>(true, growth[1]) && run<Glibc>(false, growth[2]) &&
                     run<Glibc>(true, growth[3]);
    if (!ran) {
        std::fprintf(stderr, "a column failed\n");
        return 1;
    }
    std::printf("RSS growth over the start, MiB, after each step\n");
    std::printf("%-58s %10s %16s %10s %14s\n", "step", "langcore", "release_unused", "glibc", "malloc_trim");
    for (int s = 0; s < step_count; ++s) {
        std::printf("%-58s %10.1f %16.1f %10.1f %14.1f\n", steps[s], growth[0][s] / 1024.0, growth[1][s] / 1024.0,
                    growth[2][s] / 1024.0, growth[3][s] / 1024.0);
    }
    std::printf("heap bytes of a one-element array (handle taken out): langcore %ld, make_shared %ld, ratio %.2f\n",
                growth[0][step_count], growth[2][step_count],
                static_cast<double>(growth[0][step_count]) / static_cast<double>(growth[2][step_count]));
    return 0;
}
