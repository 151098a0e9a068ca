// SPDX-License-Identifier: Apache-2.0
// The host stand-ins used from several threads at once: heap blocks freed
// on other threads than their own, with counts that stay exact, and texts
// interned with one record each.
#include <groundwork/core/mem/aligned_heap.hpp>
#include <kbase/identifier.hpp>
#include <kbase/table_string.hpp>

#include "mem/small_pool.hpp"
#include "test_support/threads.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <latch>
#include <string>
#include <thread>
#include <vector>

namespace {

using groundwork::core::mem::aligned_heap;
using kbase::TableString;
using lang::core::test::expect_on_threads;

// Each thread allocates blocks of pooled and large sizes, checks that no
// other thread wrote them, and frees half of its own and half of its
// neighbour's, so blocks move between threads' lists, the shared depot and
// the large cache; the threads then exit, handing their lists back.
TEST(AlignedHeapConcurrency, BlocksMoveBetweenThreadsAndCountsStayExact) {
    constexpr int threads = 4, rounds = 400;
    unsigned long const allocations = aligned_heap::allocations();
    unsigned long const live = aligned_heap::live();
    std::vector<std::vector<unsigned char*>> handed(threads);
    std::vector<int> faults(threads, 0);
    std::latch made(threads);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            for (int r = 0; r < rounds; ++r) {
                unsigned long const bytes = r % 50 == 0 ? (1ul << 20) + 8 * r : 1 + (r * 37 + t) % 3000;
                auto* block = static_cast<unsigned char*>(aligned_heap::instance().vector_alloc(bytes));
                std::memset(block, t, bytes);
                // A block handed to two threads at once would lose its pattern.
                faults[t] += (block[0] != t) + (block[bytes - 1] != t);
                if (r % 2 == 0) aligned_heap::vector_free(block);
                else handed[t].push_back(block);
            }
            made.arrive_and_wait();
            for (unsigned char* block : handed[(t + 1) % threads]) {
                faults[t] += block[0] != (t + 1) % threads;
                aligned_heap::vector_free(block);
            }
        });
    }
    for (auto& thread : pool) thread.join();
    for (int t = 0; t < threads; ++t) EXPECT_EQ(faults[t], 0) << "thread " << t;
    EXPECT_EQ(aligned_heap::allocations(), allocations + threads * rounds);
    EXPECT_EQ(aligned_heap::live(), live);
}

// Threads that come and go leave nothing behind: each of 1000 allocates
// blocks of several classes and frees them, and exits. Their lists go back
// to the shared pools, and from there to the system.
TEST(AlignedHeapConcurrency, ThreadsThatExitGiveTheirMemoryBack) {
    constexpr int threads = 1000, at_once = 20;
    for (int first = 0; first < threads; first += at_once) {
        std::vector<std::thread> batch;
        for (int t = first; t < first + at_once; ++t) {
            batch.emplace_back([t] {
                std::vector<void*> blocks;
                for (int i = 0; i < 200; ++i) blocks.push_back(aligned_heap::instance().vector_alloc(8 + (i * 97 + t) % 5000));
                for (void* block : blocks) aligned_heap::vector_free(block);
            });
        }
        for (auto& thread : batch) thread.join();
    }
    aligned_heap::release_unused();
    EXPECT_LE(aligned_heap::held_bytes(), groundwork::core::mem::detail::small_reserve);
}

// Every thread interns every text, each from its own start, half through the
// identifier check and half directly; the first handle of a text fixes its
// record, which every later one must be. Default handles, the empty text,
// are made all the while.
TEST(TableStringConcurrency, ThreadsInterningOverlappingTextsGetOneRecordEach) {
    constexpr int texts = 300;
    std::vector<std::atomic<char const*>> first(texts);
    std::atomic<int> next{0};
    expect_on_threads(8, texts, [&] {
        thread_local int const t = next++;
        thread_local int k = 0;
        int const i = (k++ + 37 * t) % texts;
        std::string const name = "name_" + std::to_string(i);
        TableString const s = t % 2 ? kbase::detail::HdIdCheck{}(name.data(), name.size()) : TableString(name);
        char const* expected = nullptr;
        bool const firstRecord = first[i].compare_exchange_strong(expected, s.data());
        return s.view() == name && TableString().view().empty() && (firstRecord || expected == s.data());
    });
}

}  // namespace
