// Blocks of up to small_limit bytes, by size class. Each thread keeps a short
// free list per class, so most allocations and frees touch no lock and no
// atomic; lists that grow too long, and those of exiting threads, go back to
// a shared depot. Memory comes from 1 MiB spans that are never unmapped.
#pragma once

namespace groundwork::core::mem::detail {

/// A block of class `c`, never null; throws std::bad_alloc. `element` says
/// whether it counts among the element blocks.
void* small_alloc(unsigned c, bool element);
/// Returns a block of class `c` from any thread.
void small_free(void* block, unsigned c, bool element) noexcept;

/// Element blocks allocated and freed through the pools, over all threads.
/// Each thread counts its own without atomic read-modify-writes.
struct BlockCounts {
    unsigned long allocated;
    unsigned long freed;
};
BlockCounts small_counts() noexcept;

}  // namespace groundwork::core::mem::detail
