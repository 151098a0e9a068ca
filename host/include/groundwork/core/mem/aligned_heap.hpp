// SPDX-License-Identifier: Apache-2.0
// The allocator of array element blocks: 64-byte aligned, usable from any
// thread. Small blocks come from per-thread pools by size class, so most
// allocations take no lock; large ones are mappings with huge pages, and a
// bounded cache keeps freed large blocks for the next result of their size.
// It counts the element blocks it hands out, so tests can observe
// copy-on-write. It is never torn down: blocks may be freed by statics
// destroyed after the heap's own.
#pragma once

#include <kbase/export.hpp>

#include <cstddef>

namespace groundwork::core::mem {

class KBASE_API aligned_heap {
public:
    static constexpr unsigned long alignment = 64;
    /// The default cap on the bytes the cache of freed large blocks holds.
    static constexpr unsigned long default_large_cache_limit = 256ul << 20;

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

private:
    aligned_heap() = default;
};

/// A standard allocator over node_alloc, for the control blocks of the
/// shared pointers that own element blocks.
template <class T>
struct node_allocator {
    using value_type = T;

    node_allocator() noexcept = default;
    template <class U>
    node_allocator(node_allocator<U> const&) noexcept {}

    T* allocate(std::size_t n) { return static_cast<T*>(aligned_heap::node_alloc(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { aligned_heap::node_free(p, n * sizeof(T)); }

    template <class U>
    bool operator==(node_allocator<U> const&) const noexcept {
        return true;
    }
};

}  // namespace groundwork::core::mem
