// SPDX-License-Identifier: Apache-2.0
// Test helper for the concurrency tests: runs `round` on several threads at
// once, started together, and expects it to hold in every round of each.
#pragma once

#include <gtest/gtest.h>

#include <latch>
#include <thread>
#include <vector>

namespace lang::core::test {

template <class F>
void expect_on_threads(unsigned threads, unsigned rounds, F const& round) {
    std::vector<unsigned> held(threads);
    std::latch start(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            start.arrive_and_wait();
            for (unsigned i = 0; i < rounds; ++i) held[t] += round() ? 1 : 0;
        });
    }
    for (auto& w : workers) w.join();
    for (unsigned t = 0; t < threads; ++t) EXPECT_EQ(held[t], rounds) << "thread " << t;
}

}  // namespace lang::core::test
