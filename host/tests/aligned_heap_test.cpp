#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using groundwork::core::mem::aligned_heap;

TEST(AlignedHeap, BlocksAre64ByteAlignedWritableAndCountedExactly) {
    unsigned long const allocations = aligned_heap::allocations();
    unsigned long const live = aligned_heap::live();
    std::vector<void*> blocks;
    for (unsigned long bytes : {1ul, 64ul, 65ul, 1ul << 20}) {
        void* block = aligned_heap::instance().vector_alloc(bytes);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 64, 0u) << bytes << " bytes";
        std::memset(block, 0xA5, bytes);  // a short block shows up under AddressSanitizer
        blocks.push_back(block);
    }
    EXPECT_EQ(aligned_heap::live(), live + 4);
    aligned_heap::vector_free(nullptr);
    for (void* block : blocks) aligned_heap::vector_free(block);
    EXPECT_EQ(aligned_heap::allocations(), allocations + 4);
    EXPECT_EQ(aligned_heap::live(), live);
}

}  // namespace
