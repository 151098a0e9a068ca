#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using groundwork::core::mem::aligned_heap;

TEST(AlignedHeap, BlocksAre64ByteAlignedWritableAndCountedExactly) {
    auto& heap = aligned_heap::instance();
    unsigned long const allocations = aligned_heap::allocations();
    unsigned long const live = aligned_heap::live();
    std::vector<void*> blocks;
    for (unsigned long bytes : {1ul, 63ul, 64ul, 65ul, 4096ul, 1ul << 20}) {
        void* block = heap.vector_alloc(bytes);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 64, 0u) << bytes << " bytes";
        std::memset(block, 0xA5, bytes);  // a short block shows up under AddressSanitizer
        blocks.push_back(block);
    }
    EXPECT_EQ(aligned_heap::allocations(), allocations + 6);
    EXPECT_EQ(aligned_heap::live(), live + 6);
    aligned_heap::vector_free(blocks[0]);
    aligned_heap::vector_free(nullptr);
    EXPECT_EQ(aligned_heap::live(), live + 5);
    for (unsigned long i = 1; i < blocks.size(); ++i) aligned_heap::vector_free(blocks[i]);
    EXPECT_EQ(aligned_heap::allocations(), allocations + 6);
    EXPECT_EQ(aligned_heap::live(), live);
}

}  // namespace
