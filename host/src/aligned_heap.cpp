// SPDX-License-Identifier: Apache-2.0
#include <groundwork/core/mem/aligned_heap.hpp>

#include "mem/large_blocks.hpp"
#include "mem/regions.hpp"
#include "mem/size_classes.hpp"
#include "mem/small_pool.hpp"

#include <atomic>
#include <new>

namespace groundwork::core::mem {
namespace {

// Beyond a quarter of the address space nothing can be mapped.
constexpr unsigned long max_bytes = ~0UL >> 2;

// Large element blocks; the pools count small ones per thread.
std::atomic<unsigned long> large_allocated{0};
std::atomic<unsigned long> large_freed{0};

// One routing for element blocks and nodes: by size class up to the small
// limit, a mapping of its own beyond. Under AddressSanitizer each block gets
// a poisoned tail, so an overrun is reported instead of reaching a neighbour.
void* allocate(unsigned long bytes, bool element) {
    // No block is that large; refused before the redzone is added, which
    // could wrap the size around to a small one.
    if (bytes > max_bytes) throw std::bad_alloc();
    unsigned long const asked = (bytes == 0 ? 1 : bytes) + detail::redzone_bytes;
    void* block;
    unsigned long capacity;
    if (asked <= detail::small_limit) {
        unsigned const c = detail::size_class(asked);
        block = detail::small_alloc(c, element);
        capacity = detail::class_bytes(c);
    } else {
        block = detail::large_alloc(asked);
        capacity = asked;
        if (element) large_allocated.fetch_add(1, std::memory_order_release);
    }
    detail::poison(block, capacity);
    detail::unpoison(block, bytes);
    return block;
}

void deallocate(void* block, bool element) noexcept {
    detail::RegionHeader const* const region = detail::region_of(block);
    if (region->kind == detail::RegionKind::span) {
        detail::small_free(block, region->size_class, element);
    } else {
        detail::large_free(block);
        if (element) large_freed.fetch_add(1, std::memory_order_release);
    }
}

}  // namespace

void* aligned_heap::vector_alloc(unsigned long bytes) { return allocate(bytes, true); }

void aligned_heap::vector_free(void* block) noexcept {
    if (block) deallocate(block, true);
}

unsigned long aligned_heap::allocations() noexcept {
    return detail::small_counts().allocated + large_allocated.load(std::memory_order_acquire);
}

unsigned long aligned_heap::live() noexcept {
    // Frees first, so that a concurrent allocate/free pair never shows as negative.
    unsigned long const large = large_freed.load(std::memory_order_acquire);
    detail::BlockCounts const small = detail::small_counts();
    return small.allocated + large_allocated.load(std::memory_order_acquire) - small.freed - large;
}

void* aligned_heap::node_alloc(unsigned long bytes) { return allocate(bytes, false); }

void aligned_heap::node_free(void* node, unsigned long bytes) noexcept {
    if (!node) return;
    // The size names the class, which saves reading the span's header.
    if (unsigned long const asked = (bytes == 0 ? 1 : bytes) + detail::redzone_bytes; asked <= detail::small_limit) {
        detail::small_free(node, detail::size_class(asked), false);
    } else {
        detail::large_free(node);
    }
}

unsigned long aligned_heap::large_cache_hits() noexcept { return detail::large_cache_hits(); }
unsigned long aligned_heap::large_cache_bytes() noexcept { return detail::large_cache_bytes(); }
void aligned_heap::set_large_cache_limit(unsigned long bytes) noexcept { detail::set_large_cache_limit(bytes); }

}  // namespace groundwork::core::mem
