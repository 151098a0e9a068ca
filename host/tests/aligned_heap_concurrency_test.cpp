#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <latch>
#include <thread>
#include <vector>

namespace {

using groundwork::core::mem::aligned_heap;

TEST(AlignedHeapConcurrency, CountsStayExactAcrossThreads) {
    constexpr int threads = 8;
    constexpr int rounds = 500;
    constexpr int held = 4;  // blocks each thread keeps at once
    unsigned long const allocations = aligned_heap::allocations();
    unsigned long const live = aligned_heap::live();

    std::latch start(threads);
    std::vector<std::thread> pool;
    std::vector<int> faults(threads, 0);
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            auto& heap = aligned_heap::instance();
            std::vector<unsigned char*> blocks;
            start.arrive_and_wait();
            for (int r = 0; r < rounds; ++r) {
                unsigned long const bytes = 1 + static_cast<unsigned long>((r * 37 + t) % 300);
                auto* block = static_cast<unsigned char*>(heap.vector_alloc(bytes));
                if (reinterpret_cast<std::uintptr_t>(block) % 64 != 0) ++faults[t];
                // A block handed to two threads at once would lose this pattern.
                std::memset(block, t, bytes);
                blocks.push_back(block);
                if (blocks.size() == held) {
                    for (unsigned char* b : blocks) {
                        if (b[0] != t) ++faults[t];
                        aligned_heap::vector_free(b);
                    }
                    blocks.clear();
                }
            }
            for (unsigned char* b : blocks) aligned_heap::vector_free(b);
        });
    }
    for (auto& thread : pool) thread.join();

    for (int t = 0; t < threads; ++t) EXPECT_EQ(faults[t], 0) << "thread " << t;
    EXPECT_EQ(aligned_heap::allocations(), allocations + threads * rounds);
    EXPECT_EQ(aligned_heap::live(), live);
}

}  // namespace
