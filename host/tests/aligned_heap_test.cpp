#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using groundwork::core::mem::aligned_heap;

TEST(AlignedHeap, BlocksOfEverySizeAre64ByteAlignedAndWritable) {
    auto& heap = aligned_heap::instance();
    EXPECT_EQ(&heap, &aligned_heap::instance());
    std::vector<void*> blocks;
    for (unsigned long bytes : {1ul, 3ul, 8ul, 63ul, 64ul, 65ul, 100ul, 4096ul, 1ul << 20}) {
        void* block = heap.vector_alloc(bytes);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 64, 0u) << bytes << " bytes";
        std::memset(block, 0xA5, bytes);  // a short block shows up under AddressSanitizer
        blocks.push_back(block);
    }
    for (void* block : blocks) aligned_heap::vector_free(block);
}

TEST(AlignedHeap, CountsAllocationsAndLiveBlocksExactly) {
    auto& heap = aligned_heap::instance();
    unsigned long const allocations = aligned_heap::allocations();
    unsigned long const live = aligned_heap::live();

    void* a = heap.vector_alloc(16);
    void* b = heap.vector_alloc(200);
    EXPECT_EQ(aligned_heap::allocations(), allocations + 2);
    EXPECT_EQ(aligned_heap::live(), live + 2);

    aligned_heap::vector_free(a);
    EXPECT_EQ(aligned_heap::allocations(), allocations + 2);
    EXPECT_EQ(aligned_heap::live(), live + 1);

    aligned_heap::vector_free(nullptr);
    EXPECT_EQ(aligned_heap::allocations(), allocations + 2);
    EXPECT_EQ(aligned_heap::live(), live + 1);

    aligned_heap::vector_free(b);
    EXPECT_EQ(aligned_heap::live(), live);
}

}  // namespace
