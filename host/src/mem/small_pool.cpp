// SPDX-License-Identifier: Apache-2.0
#include "mem/small_pool.hpp"

#include <atomic>
#include <mutex>

namespace groundwork::core::mem::detail {

thread_local constinit ThreadCache* current = nullptr;

namespace {

constexpr unsigned long span_bytes = region_alignment;

struct Depot {
    std::mutex lock;
    void* head = nullptr;
    char* cursor = nullptr;  // the unused rest of the newest span
    char* end = nullptr;
};

struct Shared {
    Depot depots[class_count];
    std::mutex spans_lock;
    RegionHeader* spans = nullptr;  // every span, so the memory stays reachable
    std::mutex threads_lock;
    ThreadCache* threads = nullptr;  // the threads whose counts are their own
    // Counts of exited threads, and of blocks a thread handled while it had
    // no cache of its own.
    std::atomic<unsigned long> allocated{0};
    std::atomic<unsigned long> freed{0};
};

// Never destroyed: blocks held by other libraries' statics are freed after
// this library's statics are gone.
Shared& shared() noexcept {
    static Shared* const instance = new Shared;
    return *instance;
}

// Takes up to `want` blocks of class c from the depot, carving a new span
// when it is empty; returns the chain and its length through `got`.
void* take(unsigned c, unsigned want, unsigned& got) {
    Depot& d = shared().depots[c];
    unsigned long const bytes = class_bytes(c);
    std::lock_guard guard(d.lock);
    void* chain = nullptr;
    got = 0;
    while (got < want && d.head) {
        void* const block = d.head;
        d.head = next_of(block);
        link(block, chain, bytes);
        chain = block;
        ++got;
    }
    while (got < want) {
        if (d.cursor == nullptr || static_cast<unsigned long>(d.end - d.cursor) < bytes) {
            auto* const span = static_cast<RegionHeader*>(map_region(span_bytes, region_alignment));
            span->kind = RegionKind::span;
            span->size_class = c;
            span->mapped_bytes = span_bytes;
            {
                std::lock_guard spans(shared().spans_lock);
                span->next = shared().spans;
                shared().spans = span;
            }
            d.cursor = reinterpret_cast<char*>(span) + header_bytes;
            d.end = reinterpret_cast<char*>(span) + span_bytes;
            poison(d.cursor, static_cast<unsigned long>(d.end - d.cursor));
        }
        void* const block = d.cursor;
        d.cursor += bytes;
        link(block, chain, bytes);
        chain = block;
        ++got;
    }
    return chain;
}

void give(unsigned c, void* first, void* last) noexcept {
    Depot& d = shared().depots[c];
    std::lock_guard guard(d.lock);
    link(last, d.head, class_bytes(c));
    d.head = first;
}

thread_local constinit ThreadCache thread_cache{};

struct Reaper {
    Reaper() noexcept {
        ThreadCache& t = thread_cache;
        std::lock_guard guard(shared().threads_lock);
        t.next = shared().threads;
        if (t.next) t.next->prev = &t;
        shared().threads = &t;
        t.state = active;
        current = &t;
    }
    ~Reaper() {
        ThreadCache& t = thread_cache;
        current = nullptr;
        for (unsigned c = 0; c < class_count; ++c) {
            List& list = t.lists[c];
            if (!list.head) continue;
            void* last = list.head;
            for (void* next; (next = next_of(last));) last = next;
            give(c, list.head, last);
            list = {};
        }
        std::lock_guard guard(shared().threads_lock);
        (t.prev ? t.prev->next : shared().threads) = t.next;
        if (t.next) t.next->prev = t.prev;
        shared().freed.fetch_add(t.freed.load(std::memory_order_relaxed), std::memory_order_release);
        shared().allocated.fetch_add(t.allocated.load(std::memory_order_relaxed), std::memory_order_release);
        t.state = finished;
    }
};

// This thread's cache, made on first use; null once the thread is exiting,
// when blocks go straight to the depot.
ThreadCache* this_thread() noexcept {
    if (ThreadCache* const t = current) return t;
    if (thread_cache.state == unused) {
        static thread_local Reaper reaper;  // returns the lists when the thread exits
        (void)reaper;
    }
    return current;
}

// Hands back the older half of a list that reached its limit.
void trim(List& list, unsigned c) noexcept {
    unsigned const keep = list.count / 2;
    void* last_kept = list.head;
    for (unsigned i = 1; i < keep; ++i) last_kept = next_of(last_kept);
    void* const surplus = next_of(last_kept);
    void* last = surplus;
    for (void* next; (next = next_of(last));) last = next;
    link(last_kept, nullptr, class_bytes(c));
    give(c, surplus, last);
    list.count = keep;
}

}  // namespace

void* small_alloc_slow(unsigned c, bool element) {
    ThreadCache* const t = this_thread();
    unsigned got;
    if (!t) {
        void* const block = take(c, 1, got);
        if (element) shared().allocated.fetch_add(1, std::memory_order_release);
        return block;
    }
    List& list = t->lists[c];
    if (!list.head) {
        // Refill with a batch, so the depot's lock is taken once per many blocks.
        void* const chain = take(c, list_limits[c] / 2 + 1, got);
        list.head = chain;
        list.count = got;
    }
    return small_alloc(c, element);
}

void small_free_slow(void* block, unsigned c, bool element) noexcept {
    ThreadCache* const t = this_thread();
    if (!t) {
        give(c, block, block);
        if (element) shared().freed.fetch_add(1, std::memory_order_release);
        return;
    }
    List& list = t->lists[c];
    if (list.count >= list_limits[c]) trim(list, c);
    small_free(block, c, element);
}

BlockCounts small_counts() noexcept {
    Shared& s = shared();
    std::lock_guard guard(s.threads_lock);
    // Frees first: a block freed on one thread was allocated, earlier, on
    // some thread, so reading in this order never shows more frees than
    // allocations.
    BlockCounts counts{0, s.freed.load(std::memory_order_acquire)};
    for (ThreadCache const* t = s.threads; t; t = t->next) counts.freed += t->freed.load(std::memory_order_acquire);
    counts.allocated = s.allocated.load(std::memory_order_acquire);
    for (ThreadCache const* t = s.threads; t; t = t->next) counts.allocated += t->allocated.load(std::memory_order_acquire);
    return counts;
}

}  // namespace groundwork::core::mem::detail
