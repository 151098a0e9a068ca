// SPDX-License-Identifier: Apache-2.0
// Blocks of up to small_limit bytes, by size class. Each thread keeps a short
// free list per class, so most allocations and frees take no lock and no
// atomic read-modify-write; lists that grow too long, and those of exiting
// threads, go back to the shared pool of their class. Memory comes from
// 1 MiB spans of one class each. A span counts its blocks in the shared pool
// (only there, under the pool's lock), so it knows when all are back; such a
// span is unmapped once more than small_reserve bytes of them are kept.
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

constexpr unsigned long span_bytes = region_alignment;
/// Entirely free spans kept for the next allocations rather than unmapped:
/// enough for the small-array benchmarks to map no span in steady state.
constexpr unsigned long small_reserve = 4ul << 20;

// Per-thread lists stay short: a thread that frees far more than it
// allocates (a consumer of another thread's results) hands the surplus back,
// and all of a thread's lists together hold at most thread_cache_bytes.
constexpr unsigned long thread_list_bytes = 256ul << 10;
constexpr unsigned thread_list_blocks = 64;
constexpr unsigned long thread_cache_bytes = 1ul << 20;

// Tables, so that the fast paths cost no division.
constexpr auto class_sizes = [] {
    std::array<unsigned, class_count> sizes{};
    for (unsigned c = 0; c < class_count; ++c) sizes[c] = static_cast<unsigned>(class_bytes(c));
    return sizes;
}();

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

// Only its thread writes a value; others read the byte and block counts.
// A plain load and store: no read-modify-write on the fast paths.
inline void set(std::atomic<unsigned long>& value, unsigned long to) noexcept {
    value.store(to, std::memory_order_release);
}
inline void bump(std::atomic<unsigned long>& count) noexcept {
    set(count, count.load(std::memory_order_relaxed) + 1);
}

// Trivially destructible, so it can be read in any phase of a thread's end;
// it is emptied when the thread exits.
struct ThreadCache {
    List lists[class_count];
    std::atomic<unsigned long> list_bytes;  // in all of lists
    std::atomic<unsigned long> allocated;   // element blocks
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

/// What small_alloc and small_free do when this thread's list cannot serve:
/// no cache yet (or any more), an empty list, a full one.
///@{
[[gnu::noinline]] void* small_alloc_slow(unsigned c);
[[gnu::noinline]] void small_free_slow(void* block, unsigned c) noexcept;
///@}

// The fast paths take this thread's cache (`current`, read once by the
// caller, null when there is none) so that an entry point reads the
// thread-local once for the block and its count.

/// A block of class `c`, never null; throws std::bad_alloc.
inline void* small_alloc(ThreadCache* t, unsigned c) {
    if (!t || !t->lists[c].head) [[unlikely]] return small_alloc_slow(c);
    List& list = t->lists[c];
    void* const block = list.head;
    list.head = next_of(block);
    --list.count;
    set(t->list_bytes, t->list_bytes.load(std::memory_order_relaxed) - class_sizes[c]);
    return block;
}

/// Returns a block of class `c` from any thread.
inline void small_free(ThreadCache* t, void* block, unsigned c) noexcept {
    if (!t) [[unlikely]] return small_free_slow(block, c);
    unsigned long const held = t->list_bytes.load(std::memory_order_relaxed) + class_sizes[c];
    List& list = t->lists[c];
    if (list.count >= list_limits[c] || held > thread_cache_bytes) [[unlikely]] return small_free_slow(block, c);
    link(block, list.head, class_sizes[c]);
    list.head = block;
    ++list.count;
    set(t->list_bytes, held);
}

/// Counts an element block handed out (or freed) by thread cache `t`.
void count_element_slow(bool freed) noexcept;
inline void count_element(ThreadCache* t, bool freed) noexcept {
    if (t) [[likely]] bump(freed ? t->freed : t->allocated);
    else count_element_slow(freed);
}

/// Element blocks allocated and freed, over all threads.
struct BlockCounts {
    unsigned long allocated;
    unsigned long freed;
};
BlockCounts element_counts() noexcept;

/// Returns this thread's lists and every entirely free span to the system.
void small_release_unused() noexcept;
/// Bytes of spans mapped and not in blocks handed out to a caller.
unsigned long small_held_bytes() noexcept;

}  // namespace groundwork::core::mem::detail
