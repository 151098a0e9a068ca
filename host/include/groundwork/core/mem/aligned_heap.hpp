// SPDX-License-Identifier: Apache-2.0
// The allocator of array element blocks, usable from any thread. Small
// blocks come from per-thread pools by size class, so most allocations take
// no lock; large ones are mappings with huge pages, and a bounded cache keeps
// freed large blocks for the next result of their size. Free memory goes back
// to the system: spans of small blocks once more than a small reserve of
// them is free, large blocks past the cache's limit, and all of it on
// release_unused(). It counts the element blocks it hands out, so tests can
// observe copy-on-write. It is never torn down: blocks may be freed by
// statics destroyed after the heap's own.
#pragma once

#include <kbase/export.hpp>

#include <cstddef>

namespace groundwork::core::mem {

class KBASE_API aligned_heap {
public:
    /// Blocks of 64 bytes or more start on a multiple of `alignment`;
    /// smaller ones (one or a few elements, a control block) on a multiple of
    /// small_block_alignment, which suits every element type.
    static constexpr unsigned long alignment = 64;
    static constexpr unsigned long small_block_alignment = 16;
    /// The default cap on the bytes the cache of freed large blocks holds.
    static constexpr unsigned long default_large_cache_limit = 32ul << 20;

    static aligned_heap& instance() noexcept {
        // Stateless and constant-initialised: no guard, and no call.
        static constinit aligned_heap heap;
        return heap;
    }

    /// A block of `bytes` (> 0) bytes; throws std::bad_alloc when none is had.
    void* vector_alloc(unsigned long bytes);
    /// Frees a block from vector_alloc; null does nothing.
    static void vector_free(void* block) noexcept;

    /// Element blocks allocated since the process started.
    static unsigned long allocations() noexcept;
    /// Element blocks allocated and not yet freed.
    static unsigned long live() noexcept;

    /// A small bookkeeping object (a shared pointer's control block) from the
    /// same pools; not counted among the element blocks.
    static void* node_alloc(unsigned long bytes);
    /// Frees what node_alloc returned for the same `bytes`.
    static void node_free(void* node, unsigned long bytes) noexcept;

    /// Large blocks served from the cache of freed ones since the process started.
    static unsigned long large_cache_hits() noexcept;
    /// The bytes that cache holds now.
    static unsigned long large_cache_bytes() noexcept;
    /// Caps the cache; what is over the new cap is returned to the system.
    static void set_large_cache_limit(unsigned long bytes) noexcept;

    /// Returns to the system every free span of the shared pools and of the
    /// calling thread's lists, and every cached large block, as a host may
    /// do when idle. Other threads keep at most 1 MiB each in their lists.
    static void release_unused() noexcept;
    /// The bytes mapped from the system and not in live blocks: free blocks,
    /// spare spans, cached large blocks and the spans' own headers.
    static unsigned long held_bytes() noexcept;

private:
    aligned_heap() = default;
};

/// Frees an element block. Stateless, so a shared pointer's control block
/// keeps no function pointer for it: 32 bytes instead of 40.
struct block_deleter {
    void operator()(void* block) const noexcept { aligned_heap::vector_free(block); }
};

/// What a heap_allocator's blocks are: counted element blocks
/// (vector_alloc), or bookkeeping nodes (node_alloc).
enum class heap_use { elements, nodes };

/// A standard allocator over the heap, stateless.
template <class T, heap_use Use>
struct heap_allocator {
    using value_type = T;
    template <class U>
    struct rebind {
        using other = heap_allocator<U, Use>;
    };

    heap_allocator() noexcept = default;
    template <class U>
    heap_allocator(heap_allocator<U, Use> const&) noexcept {}

    T* allocate(std::size_t n) {
        if constexpr (Use == heap_use::elements) {
            return static_cast<T*>(aligned_heap::instance().vector_alloc(n * sizeof(T)));
        } else {
            return static_cast<T*>(aligned_heap::node_alloc(n * sizeof(T)));
        }
    }
    void deallocate(T* p, std::size_t n) noexcept {
        if constexpr (Use == heap_use::elements) {
            aligned_heap::vector_free(p);
        } else {
            aligned_heap::node_free(p, n * sizeof(T));
        }
    }

    template <class U>
    bool operator==(heap_allocator<U, Use> const&) const noexcept {
        return true;
    }
};

/// For a small array's elements made together with their shared pointer's
/// control block: one call makes both, one frees them, and the block counts
/// as one element block.
template <class T>
using block_allocator = heap_allocator<T, heap_use::elements>;
/// For the control blocks of the shared pointers that own element blocks.
template <class T>
using node_allocator = heap_allocator<T, heap_use::nodes>;

}  // namespace groundwork::core::mem
