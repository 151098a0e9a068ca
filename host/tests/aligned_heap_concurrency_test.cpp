#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <cstring>
#include <latch>
#include <thread>
#include <vector>

namespace {

using groundwork::core::mem::aligned_heap;

TEST(AlignedHeapConcurrency, CountsStayExactAcrossThreads) {
    constexpr int threads = 8, rounds = 500;
    unsigned long const allocations = aligned_heap::allocations();
    unsigned long const live = aligned_heap::live();
    std::latch start(threads);
    std::vector<int> faults(threads, 0);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            start.arrive_and_wait();
            for (int r = 0; r < rounds; r += 2) {
                unsigned long const bytes = 1 + static_cast<unsigned long>((r * 37 + t) % 300);
                auto* a = static_cast<unsigned char*>(aligned_heap::instance().vector_alloc(bytes));
                auto* b = static_cast<unsigned char*>(aligned_heap::instance().vector_alloc(bytes));
                // A block handed to two threads at once would lose its pattern.
                std::memset(a, t, bytes);
                std::memset(b, t, bytes);
                faults[t] += (a[0] != t) + (b[bytes - 1] != t);
                aligned_heap::vector_free(a);
                aligned_heap::vector_free(b);
            }
        });
    }
    for (auto& thread : pool) thread.join();
    for (int t = 0; t < threads; ++t) EXPECT_EQ(faults[t], 0) << "thread " << t;
    EXPECT_EQ(aligned_heap::allocations(), allocations + threads * rounds);
    EXPECT_EQ(aligned_heap::live(), live);
}

}  // namespace
