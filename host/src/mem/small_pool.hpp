// SPDX-License-Identifier: Apache-2.0
// Blocks of up to small_limit bytes, by size class. Each thread keeps a short
// free list per class, so most allocations and frees touch no lock and no
// atomic; lists that grow too long, and those of exiting threads, go back to
// a shared depot. Memory comes from 1 MiB spans that are never unmapped.
// The fast paths are inline, so that the heap's entry points reach a
// thread's list without another call.
#pragma once

#include "mem/regions.hpp"
#include "mem/size_classes.hpp"

#include <array>
#include <atomic>

namespace groundwork::core::mem::detail {

// A free block holds the next one's address in its first word.
inline void* next_of(void* block) noexcept {
    unpoison(block, sizeof(void*));
    return *static_cast<void**>(block);
}

inline void link(void* block, void* next, unsigned long bytes) noexcept {
    unpoison(block, sizeof(void*));
    *static_cast<void**>(block) = next;
    poison(block, bytes);
}

// Per-thread lists stay short: a thread that frees far more than it
// allocates (a consumer of another thread's results) hands the surplus back.
constexpr unsigned long thread_list_bytes = 256ul << 10;
constexpr unsigned thread_list_blocks = 64;

// A table, so that a free costs no division.
constexpr auto list_limits = [] {
    std::array<unsigned short, class_count> limits{};
    for (unsigned c = 0; c < class_count; ++c) {
        unsigned long const fit = thread_list_bytes / class_bytes(c);
        limits[c] = static_cast<unsigned short>(fit < 2 ? 2 : fit > thread_list_blocks ? thread_list_blocks : fit);
    }
    return limits;
}();

struct List {
    void* head;
    unsigned count;
};

enum State : unsigned char { unused, active, finished };

// Trivially destructible, so it can be read in any phase of a thread's end;
// it is emptied when the thread exits. Only its thread writes the counts;
// others read them.
struct ThreadCache {
    List lists[class_count];
    std::atomic<unsigned long> allocated;
    std::atomic<unsigned long> freed;
    ThreadCache* next;
    ThreadCache* prev;
    State state;
};

// This thread's cache once made, null before and while the thread exits.
// The hot path reads this one word. It uses the default (dynamic) TLS model,
// so the library can be loaded with dlopen into a process with no static TLS
// left; with g++ the build selects TLS descriptors, which cost no call when
// the library was loaded at start-up.
extern thread_local constinit ThreadCache* current;

// Another thread may read the count at any time; only this one writes it.
inline void bump(std::atomic<unsigned long>& count) noexcept {
    count.store(count.load(std::memory_order_relaxed) + 1, std::memory_order_release);
}

/// What small_alloc and small_free do when this thread's list cannot serve:
/// no cache yet (or any more), an empty list, a full one.
///@{
[[gnu::noinline]] void* small_alloc_slow(unsigned c, bool element);
[[gnu::noinline]] void small_free_slow(void* block, unsigned c, bool element) noexcept;
///@}

/// A block of class `c`, never null; throws std::bad_alloc. `element` says
/// whether it counts among the element blocks.
inline void* small_alloc(unsigned c, bool element) {
    ThreadCache* const t = current;
    if (!t || !t->lists[c].head) [[unlikely]] return small_alloc_slow(c, element);
    List& list = t->lists[c];
    void* const block = list.head;
    list.head = next_of(block);
    --list.count;
    if (element) bump(t->allocated);
    return block;
}

/// Returns a block of class `c` from any thread.
inline void small_free(void* block, unsigned c, bool element) noexcept {
    ThreadCache* const t = current;
    if (!t || t->lists[c].count >= list_limits[c]) [[unlikely]] return small_free_slow(block, c, element);
    List& list = t->lists[c];
    link(block, list.head, class_bytes(c));
    list.head = block;
    ++list.count;
    if (element) bump(t->freed);
}

/// Element blocks allocated and freed through the pools, over all threads.
/// Each thread counts its own without atomic read-modify-writes.
struct BlockCounts {
    unsigned long allocated;
    unsigned long freed;
};
BlockCounts small_counts() noexcept;

}  // namespace groundwork::core::mem::detail
