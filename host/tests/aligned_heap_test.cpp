// SPDX-License-Identifier: Apache-2.0
// The aligned heap: size classes, alignment, exact counts, refusal of
// impossible sizes, the bounded cache of large blocks, memory given back to
// the system, and poisoning.
#include <groundwork/core/mem/aligned_heap.hpp>

#include "mem/size_classes.hpp"
#include "mem/small_pool.hpp"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace {

using groundwork::core::mem::aligned_heap;
namespace detail = groundwork::core::mem::detail;

TEST(AlignedHeap, SizeClassesAreTheSmallestThatFitAndBlocksAreCountedExactly) {
    for (unsigned long bytes = 1; bytes <= detail::small_limit; ++bytes) {
        unsigned const c = detail::size_class(bytes);
        ASSERT_LT(c, detail::class_count) << bytes;
        unsigned long const size = detail::class_bytes(c);
        ASSERT_GE(size, bytes) << bytes;
        ASSERT_TRUE(c == 0 || detail::class_bytes(c - 1) < bytes) << bytes;
        ASSERT_EQ(detail::rounded_size(bytes), size) << bytes;
        // No class wastes more than a fifth of a block past the first kilobyte.
        ASSERT_TRUE(bytes <= 1024 || size - bytes <= size / 5) << bytes;
    }
    // Each class is the class of its own size, and a block of it keeps the
    // promised alignment when blocks sit side by side after a span's header.
    for (unsigned c = 0; c < detail::class_count; ++c) {
        EXPECT_EQ(detail::size_class(detail::class_bytes(c)), c);
        unsigned long const promised = detail::class_bytes(c) < 64 ? aligned_heap::small_block_alignment : aligned_heap::alignment;
        EXPECT_EQ(detail::class_bytes(c) % promised, 0u) << c;
    }
    EXPECT_EQ(detail::class_bytes(detail::class_count - 1), detail::small_limit);

    // Blocks of every kind are 64-byte aligned, writable and counted exactly.
    unsigned long const allocations = aligned_heap::allocations();
    unsigned long const live = aligned_heap::live();
    std::vector<std::pair<void*, unsigned long>> blocks;
    for (unsigned long bytes : {1ul, 64ul, 65ul, 1000ul, 65536ul, 65537ul, 1ul << 20, 3ul << 20}) {
        for (int copy = 0; copy < 3; ++copy) {
            void* block = aligned_heap::instance().vector_alloc(bytes);
            unsigned long const promised = bytes < 64 ? aligned_heap::small_block_alignment : aligned_heap::alignment;
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % promised, 0u) << bytes << " bytes";
            std::memset(block, copy, bytes);  // a short block shows up under AddressSanitizer
            blocks.emplace_back(block, bytes);
        }
    }
    EXPECT_EQ(aligned_heap::live(), live + blocks.size());
    aligned_heap::vector_free(nullptr);
    // Live blocks never overlap: each still holds its own pattern.
    for (unsigned long i = 0; i < blocks.size(); ++i) {
        auto* p = static_cast<unsigned char*>(blocks[i].first);
        EXPECT_EQ(p[0], i % 3);
        EXPECT_EQ(p[blocks[i].second - 1], i % 3);
        aligned_heap::vector_free(p);
    }
    EXPECT_EQ(aligned_heap::live(), live);

    // Sizes no mapping can hold are refused and counted nowhere (the count
    // below is that of the blocks above), up to the largest, which a redzone
    // would wrap around to a small block.
    for (unsigned long bytes : {1ul << 62, ~0ul - 63, ~0ul}) {
        EXPECT_THROW(aligned_heap::instance().vector_alloc(bytes), std::bad_alloc) << bytes << " bytes";
    }
    EXPECT_EQ(aligned_heap::allocations(), allocations + blocks.size());

    // Control blocks come from the same pools but are not element blocks.
    void* node = aligned_heap::node_alloc(40);
    EXPECT_EQ(aligned_heap::live(), live);
    aligned_heap::node_free(node, 40);
}

long minor_faults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

TEST(AlignedHeap, FreedLargeBlocksServeTheNextResultWithinABoundedCache) {
    constexpr unsigned long result = 80'000'000;  // 10^7 reals, more than the default cap
    aligned_heap::set_large_cache_limit(200'000'000);
    unsigned long const hits = aligned_heap::large_cache_hits();
    auto* first = static_cast<char*>(aligned_heap::instance().vector_alloc(result));
    std::memset(first, 1, result);
    aligned_heap::vector_free(first);

    long const faults = minor_faults();
    auto* again = static_cast<char*>(aligned_heap::instance().vector_alloc(result));
    std::memset(again, 2, result);
    // Fresh pages would take at least one fault per 2 MiB, and one per 4 KiB
    // without huge pages.
    EXPECT_LT(minor_faults() - faults, 16);
    EXPECT_EQ(aligned_heap::large_cache_hits(), hits + 1);
    EXPECT_EQ(again, first);
    aligned_heap::vector_free(again);

    // The cache never holds more than its cap, here 100 MB.
    aligned_heap::set_large_cache_limit(100'000'000);
    std::vector<void*> blocks;
    for (int i = 0; i < 3; ++i) blocks.push_back(aligned_heap::instance().vector_alloc(40'000'000));
    for (void* block : blocks) aligned_heap::vector_free(block);
    EXPECT_LE(aligned_heap::large_cache_bytes(), 100'000'000u);
    EXPECT_GE(aligned_heap::large_cache_bytes(), 40'000'000u);
    aligned_heap::set_large_cache_limit(0);
    EXPECT_EQ(aligned_heap::large_cache_bytes(), 0u);
    aligned_heap::set_large_cache_limit(aligned_heap::default_large_cache_limit);
}

// Whether the page holding `address` is mapped.
bool mapped(void const* address) {
    unsigned char resident;
    auto const page = reinterpret_cast<std::uintptr_t>(address) & ~(static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE)) - 1);
    return mincore(reinterpret_cast<void*>(page), 1, &resident) == 0;
}

TEST(AlignedHeap, FreeMemoryGoesBackToTheSystem) {
    aligned_heap::release_unused();
    unsigned long const idle = aligned_heap::held_bytes();
    EXPECT_LE(idle, detail::small_reserve);

    // 24 MiB of small blocks: once freed, all but the reserve and this
    // thread's lists leave at once, and the rest on release_unused().
    std::vector<void*> small;
    for (int i = 0; i < 24 * 1024; ++i) small.push_back(aligned_heap::instance().vector_alloc(1000));
    EXPECT_LE(aligned_heap::held_bytes(), idle + (1ul << 20));
    void* const first = small.front();
    for (void* block : small) aligned_heap::vector_free(block);
    EXPECT_LE(aligned_heap::held_bytes(), idle + detail::small_reserve + detail::thread_cache_bytes + (1ul << 20));
    aligned_heap::release_unused();
    EXPECT_LE(aligned_heap::held_bytes(), idle);
    EXPECT_FALSE(mapped(first));

    // Large blocks of three sizes wait in the cache, counted as held, and
    // every one of them is unmapped on release_unused().
    std::vector<void*> large;
    for (unsigned long mib : {3, 5, 7}) large.push_back(aligned_heap::instance().vector_alloc(mib << 20));
    for (void* block : large) aligned_heap::vector_free(block);
    EXPECT_GE(aligned_heap::large_cache_bytes(), 15ul << 20);
    EXPECT_GE(aligned_heap::held_bytes(), idle + (15ul << 20));
    for (void* block : large) EXPECT_TRUE(mapped(block));
    aligned_heap::release_unused();
    EXPECT_EQ(aligned_heap::large_cache_bytes(), 0u);
    for (void* block : large) EXPECT_FALSE(mapped(block));
    EXPECT_LE(aligned_heap::held_bytes(), idle);
}

#ifdef GROUNDWORK_ASAN
// Pooled blocks sit side by side, so only the heap's own poisoning lets
// AddressSanitizer see an overrun or a use after free.
TEST(AlignedHeapDeathTest, OverrunsAndUsesAfterFreeAreReported) {
    for (unsigned long bytes : {16ul, 128ul, 100'000ul}) {
        for (bool const freed : {false, true}) {
            EXPECT_DEATH({
                auto* block = static_cast<char*>(aligned_heap::instance().vector_alloc(bytes));
                if (freed) aligned_heap::vector_free(block);
                static_cast<char volatile*>(block)[freed ? 0 : bytes] = 1;
            }, "use-after-poison") << bytes << (freed ? " bytes, freed" : " bytes");
        }
    }
}
#endif

}  // namespace
