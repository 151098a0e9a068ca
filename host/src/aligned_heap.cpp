// SPDX-License-Identifier: Apache-2.0
#include <groundwork/core/mem/aligned_heap.hpp>

#include "mem/large_blocks.hpp"
#include "mem/regions.hpp"
#include "mem/size_classes.hpp"
#include "mem/small_pool.hpp"

#include <new>

namespace groundwork::core::mem {
namespace {

static_assert(aligned_heap::alignment == detail::line_step && aligned_heap::small_block_alignment == detail::tiny_step);

// Beyond a quarter of the address space nothing can be mapped.
constexpr unsigned long max_bytes = ~0UL >> 2;

// One routing for element blocks and nodes: by size class up to the small
// limit, a mapping of its own beyond. Under AddressSanitizer each block gets
// a poisoned tail, so an overrun is reported instead of reaching a neighbour.
// Inlined into both callers by every compiler, so the fast path makes no
// call of its own.
[[gnu::always_inline]] inline void* allocate(unsigned long bytes, detail::ThreadCache* thread) {
    // No block is that large; refused before the redzone is added, which
    // could wrap the size around to a small one.
    if (bytes > max_bytes) throw std::bad_alloc();
    unsigned long const asked = (bytes == 0 ? 1 : bytes) + detail::redzone_bytes;
    void* block;
    unsigned long capacity;
    if (asked <= detail::small_limit) {
        unsigned const c = detail::size_class(asked);
        block = detail::small_alloc(thread, c);
        capacity = detail::class_sizes[c];
    } else {
        block = detail::large_alloc(asked);
        capacity = asked;
    }
    detail::poison(block, capacity);
    detail::unpoison(block, bytes);
    return block;
}

void deallocate(void* block, detail::ThreadCache* thread) noexcept {
    detail::RegionHeader const* const region = detail::region_of(block);
    if (region->kind == detail::RegionKind::span) {
        detail::small_free(thread, block, region->size_class);
    } else {
        detail::large_free(block);
    }
}

}  // namespace

// The thread's cache is read once for the block and its count; a block
// whose allocation made the cache is counted among the shared counts.
void* aligned_heap::vector_alloc(unsigned long bytes) {
    detail::ThreadCache* const thread = detail::current;
    void* const block = allocate(bytes, thread);
    detail::count_element(thread, false);
    return block;
}

void aligned_heap::vector_free(void* block) noexcept {
    if (!block) return;
    detail::ThreadCache* const thread = detail::current;
    deallocate(block, thread);
    detail::count_element(thread, true);
}

unsigned long aligned_heap::allocations() noexcept { return detail::element_counts().allocated; }

unsigned long aligned_heap::live() noexcept {
    detail::BlockCounts const counts = detail::element_counts();
    return counts.allocated - counts.freed;
}

void* aligned_heap::node_alloc(unsigned long bytes) { return allocate(bytes, detail::current); }

void aligned_heap::node_free(void* node, unsigned long bytes) noexcept {
    if (!node) return;
    // The size names the class, which saves reading the span's header.
    if (unsigned long const asked = (bytes == 0 ? 1 : bytes) + detail::redzone_bytes; asked <= detail::small_limit) {
        detail::small_free(detail::current, node, detail::size_class(asked));
    } else {
        detail::large_free(node);
    }
}

unsigned long aligned_heap::large_cache_hits() noexcept { return detail::large_cache_hits(); }
unsigned long aligned_heap::large_cache_bytes() noexcept { return detail::large_cache_bytes(); }
void aligned_heap::set_large_cache_limit(unsigned long bytes) noexcept { detail::set_large_cache_limit(bytes); }

void aligned_heap::release_unused() noexcept {
    detail::small_release_unused();
    detail::large_release_cached();
}

unsigned long aligned_heap::held_bytes() noexcept { return detail::small_held_bytes() + detail::large_cache_bytes(); }

}  // namespace groundwork::core::mem
