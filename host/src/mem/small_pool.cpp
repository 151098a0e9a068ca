// SPDX-License-Identifier: Apache-2.0
#include "mem/small_pool.hpp"

#include <mutex>
#include <utility>
#include <type_traits>

namespace groundwork::core::mem::detail {

thread_local constinit ThreadCache* current = nullptr;

namespace {

// A span's header, after the part every region starts with. free_count
// counts the blocks in `free` and those never carved, which lie past the
// first `carved`; the span is entirely free when it equals the capacity.
struct Span {
    RegionHeader region;
    Span* next;  // in its pool's list of spans with a free block
    Span* prev;
    void* free;
    unsigned free_count;
    unsigned carved;
};
static_assert(sizeof(Span) <= header_bytes);

constexpr auto capacities = [] {
    std::array<unsigned, class_count> blocks{};
    for (unsigned c = 0; c < class_count; ++c) blocks[c] = static_cast<unsigned>((span_bytes - header_bytes) / class_bytes(c));
    return blocks;
}();

Span* span_of(void* block) noexcept { return reinterpret_cast<Span*>(region_of(block)); }

// The shared pool of one class: its spans that have a free block, the last
// to gain one first.
struct Pool {
    std::mutex lock;
    Span* spans = nullptr;
};

struct Shared {
    Pool pools[class_count];
    std::atomic<unsigned long> spans{0};          // mapped
    std::atomic<unsigned long> spare_bytes{0};    // in entirely free spans kept
    std::atomic<unsigned long> handed_bytes{0};   // in blocks out of the pools
    std::mutex threads_lock;
    ThreadCache* threads = nullptr;  // the threads whose counts are their own
    // Counts of exited threads, and of blocks a thread handled while it had
    // no cache of its own.
    std::atomic<unsigned long> allocated{0};
    std::atomic<unsigned long> freed{0};
};

// Never torn down, and needing no allocation: blocks held by other
// libraries' statics are freed after this library's statics are gone, and
// a library unloaded with dlclose leaves nothing behind on the C heap.
static_assert(std::is_trivially_destructible_v<Shared>);
constinit Shared shared;

void unlink(Pool& p, Span* s) noexcept {
    (s->prev ? s->prev->next : p.spans) = s->next;
    if (s->next) s->next->prev = s->prev;
}

void push(Pool& p, Span* s) noexcept {
    s->prev = nullptr;
    s->next = p.spans;
    if (p.spans) p.spans->prev = s;
    p.spans = s;
}

void unmap_spans(Span* s) noexcept {
    while (s) {
        Span* const next = s->next;
        unmap_region(s, span_bytes);
        shared.spans.fetch_sub(1, std::memory_order_relaxed);
        s = next;
    }
}

Span* map_span(unsigned c) {
    auto* const s = static_cast<Span*>(map_region(span_bytes, region_alignment));
    s->region = {RegionKind::span, c, span_bytes};
    s->free = nullptr;
    s->free_count = capacities[c];
    s->carved = 0;
    poison(reinterpret_cast<char*>(s) + header_bytes, span_bytes - header_bytes);
    shared.spans.fetch_add(1, std::memory_order_relaxed);
    return s;
}

// Takes up to `want` blocks of class c from its pool, mapping a span when
// the pool has none; returns the chain and its length through `got`.
void* take(unsigned c, unsigned want, unsigned& got) {
    Pool& p = shared.pools[c];
    unsigned long const bytes = class_sizes[c];
    void* chain = nullptr;
    got = 0;
    std::lock_guard guard(p.lock);
    while (got < want) {
        Span* s = p.spans;
        if (!s) {
            if (got > 0) break;  // rather than lose the chain if mapping fails
            push(p, s = map_span(c));
        } else if (s->free_count == capacities[c]) {
            shared.spare_bytes.fetch_sub(span_bytes, std::memory_order_relaxed);
        }
        for (; got < want && s->free_count > 0; ++got, --s->free_count) {
            void* block;
            if (s->free) {
                block = s->free;
                s->free = next_of(block);
            } else {
                block = reinterpret_cast<char*>(s) + header_bytes + s->carved++ * bytes;
            }
            link(block, chain, bytes);
            chain = block;
        }
        if (s->free_count == 0) unlink(p, s);
    }
    shared.handed_bytes.fetch_add(got * bytes, std::memory_order_relaxed);
    return chain;
}

// Returns a null-terminated chain of class-c blocks to their spans. A span
// whose blocks are all back is kept while the spare spans fit the reserve,
// and also when its pool has no other, so that a thread that keeps taking
// and returning one batch does not map and unmap a span each time.
void give(unsigned c, void* chain) noexcept {
    Pool& p = shared.pools[c];
    unsigned long const bytes = class_sizes[c];
    Span* unneeded = nullptr;
    unsigned long returned = 0;
    {
        std::lock_guard guard(p.lock);
        while (chain) {
            void* const block = chain;
            chain = next_of(block);
            Span* const s = span_of(block);
            link(block, s->free, bytes);
            s->free = block;
            ++returned;
            if (s->free_count++ == 0) push(p, s);
            if (s->free_count < capacities[c]) continue;
            bool const alone = p.spans == s && !s->next;
            if (shared.spare_bytes.fetch_add(span_bytes, std::memory_order_relaxed) + span_bytes > small_reserve && !alone) {
                shared.spare_bytes.fetch_sub(span_bytes, std::memory_order_relaxed);
                unlink(p, s);
                s->next = unneeded;
                unneeded = s;
            }
        }
        shared.handed_bytes.fetch_sub(returned * bytes, std::memory_order_relaxed);
    }
    unmap_spans(unneeded);
}

// Hands back the older half of a list, or all of a list of one block.
void trim(ThreadCache& t, unsigned c) noexcept {
    List& list = t.lists[c];
    unsigned const keep = list.count / 2;
    void* surplus = list.head;
    if (keep == 0) {
        list.head = nullptr;
    } else {
        void* last_kept = list.head;
        for (unsigned i = 1; i < keep; ++i) last_kept = next_of(last_kept);
        surplus = next_of(last_kept);
        link(last_kept, nullptr, class_sizes[c]);
    }
    set(t.list_bytes, t.list_bytes.load(std::memory_order_relaxed) - (list.count - keep) * class_sizes[c]);
    list.count = keep;
    give(c, surplus);
}

// Hands back every list, for a thread that exits or releases its memory.
void empty_lists(ThreadCache& t) noexcept {
    for (unsigned c = 0; c < class_count; ++c) {
        if (t.lists[c].head) give(c, std::exchange(t.lists[c].head, nullptr));
        t.lists[c].count = 0;
    }
    set(t.list_bytes, 0);
}

thread_local constinit ThreadCache thread_cache{};

struct Reaper {
    Reaper() noexcept {
        ThreadCache& t = thread_cache;
        std::lock_guard guard(shared.threads_lock);
        t.next = shared.threads;
        if (t.next) t.next->prev = &t;
        shared.threads = &t;
        t.state = active;
        current = &t;
    }
    ~Reaper() {
        ThreadCache& t = thread_cache;
        current = nullptr;
        empty_lists(t);
        std::lock_guard guard(shared.threads_lock);
        (t.prev ? t.prev->next : shared.threads) = t.next;
        if (t.next) t.next->prev = t.prev;
        shared.freed.fetch_add(t.freed.load(std::memory_order_relaxed), std::memory_order_release);
        shared.allocated.fetch_add(t.allocated.load(std::memory_order_relaxed), std::memory_order_release);
        t.state = finished;
    }
};

// This thread's cache, made on first use; null once the thread is exiting,
// when blocks go straight to the pools.
ThreadCache* this_thread() noexcept {
    if (ThreadCache* const t = current) return t;
    if (thread_cache.state == unused) {
        static thread_local Reaper reaper;  // returns the lists when the thread exits
        (void)reaper;
    }
    return current;
}

}  // namespace

void* small_alloc_slow(unsigned c) {
    ThreadCache* const t = this_thread();
    unsigned got;
    if (!t) return take(c, 1, got);
    List& list = t->lists[c];
    if (!list.head) {
        // Refill with a batch, so the pool's lock is taken once per many blocks.
        list.head = take(c, list_limits[c] / 2 + 1, got);
        list.count = got;
        set(t->list_bytes, t->list_bytes.load(std::memory_order_relaxed) + got * class_sizes[c]);
    }
    return small_alloc(t, c);
}

void small_free_slow(void* block, unsigned c) noexcept {
    ThreadCache* const t = this_thread();
    if (!t) {
        link(block, nullptr, class_sizes[c]);
        give(c, block);
        return;
    }
    if (t->lists[c].count >= list_limits[c]) trim(*t, c);
    if (t->list_bytes.load(std::memory_order_relaxed) + class_sizes[c] > thread_cache_bytes) {
        for (unsigned k = 0; k < class_count; ++k) {
            if (t->lists[k].head) trim(*t, k);
        }
    }
    small_free(t, block, c);
}

void count_element_slow(bool freed) noexcept {
    (freed ? shared.freed : shared.allocated).fetch_add(1, std::memory_order_release);
}

BlockCounts element_counts() noexcept {
    std::lock_guard guard(shared.threads_lock);
    // Frees first: a block freed on one thread was allocated, earlier, on
    // some thread, so reading in this order never shows more frees than
    // allocations.
    BlockCounts counts{0, shared.freed.load(std::memory_order_acquire)};
    for (ThreadCache const* t = shared.threads; t; t = t->next) counts.freed += t->freed.load(std::memory_order_acquire);
    counts.allocated = shared.allocated.load(std::memory_order_acquire);
    for (ThreadCache const* t = shared.threads; t; t = t->next) counts.allocated += t->allocated.load(std::memory_order_acquire);
    return counts;
}

void small_release_unused() noexcept {
    if (ThreadCache* const t = current) empty_lists(*t);
    for (unsigned c = 0; c < class_count; ++c) {
        Pool& p = shared.pools[c];
        Span* unneeded = nullptr;
        {
            std::lock_guard guard(p.lock);
            for (Span* s = p.spans; s;) {
                Span* const next = s->next;
                if (s->free_count == capacities[c]) {
                    shared.spare_bytes.fetch_sub(span_bytes, std::memory_order_relaxed);
                    unlink(p, s);
                    s->next = unneeded;
                    unneeded = s;
                }
                s = next;
            }
        }
        unmap_spans(unneeded);
    }
}

unsigned long small_held_bytes() noexcept {
    unsigned long in_lists = 0;
    {
        std::lock_guard guard(shared.threads_lock);
        for (ThreadCache const* t = shared.threads; t; t = t->next) in_lists += t->list_bytes.load(std::memory_order_acquire);
    }
    // Read apart, so a concurrent take or give can skew the sum for a moment.
    long const held = static_cast<long>(shared.spans.load(std::memory_order_relaxed) * span_bytes) -
                      static_cast<long>(shared.handed_bytes.load(std::memory_order_relaxed)) + static_cast<long>(in_lists);
    return held < 0 ? 0 : static_cast<unsigned long>(held);
}

}  // namespace groundwork::core::mem::detail
