#include "mem/small_pool.hpp"

#include "mem/regions.hpp"
#include "mem/size_classes.hpp"

#include <array>
#include <atomic>
#include <mutex>

namespace groundwork::core::mem::detail {
namespace {

constexpr unsigned long span_bytes = region_alignment;

// A free block holds the next one's address in its first word.
void* next_of(void* block) noexcept {
    unpoison(block, sizeof(void*));
    return *static_cast<void**>(block);
}

void link(void* block, void* next, unsigned long bytes) noexcept {
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

struct Depot {
    std::mutex lock;
    void* head = nullptr;
    char* cursor = nullptr;  // the unused rest of the newest span
    char* end = nullptr;
};

struct ThreadCache;

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

struct List {
    void* head;
    unsigned count;
};

enum State : unsigned char { unused, active, finished };

// Trivially destructible, so it can be read in any phase of a thread's end;
// the Reaper below empties it when the thread exits. Only its thread writes
// the counts; others read them.
struct ThreadCache {
    List lists[class_count];
    std::atomic<unsigned long> allocated;
    std::atomic<unsigned long> freed;
    ThreadCache* next;
    ThreadCache* prev;
    State state;
};
thread_local constinit ThreadCache thread_cache{};
// The hot path reads this one word instead of calling into the dynamic TLS
// machinery that a shared library's thread_local otherwise costs; eight bytes
// of static TLS are always to be had, even when the library is loaded late.
thread_local constinit ThreadCache* current __attribute__((tls_model("initial-exec"))) = nullptr;

// Another thread may read the count at any time; only this one writes it.
void bump(std::atomic<unsigned long>& count) noexcept {
    count.store(count.load(std::memory_order_relaxed) + 1, std::memory_order_release);
}

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

namespace {

[[gnu::noinline]] void* small_alloc_slow(unsigned c, bool element) {
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

[[gnu::noinline]] void small_free_slow(void* block, unsigned c, bool element) noexcept {
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

}  // namespace

// The fast paths touch only this thread's list; everything else is out of line.
void* small_alloc(unsigned c, bool element) {
    ThreadCache* const t = current;
    if (!t || !t->lists[c].head) [[unlikely]] return small_alloc_slow(c, element);
    List& list = t->lists[c];
    void* const block = list.head;
    list.head = next_of(block);
    --list.count;
    if (element) bump(t->allocated);
    return block;
}

void small_free(void* block, unsigned c, bool element) noexcept {
    ThreadCache* const t = current;
    if (!t || t->lists[c].count >= list_limits[c]) [[unlikely]] return small_free_slow(block, c, element);
    List& list = t->lists[c];
    link(block, list.head, class_bytes(c));
    list.head = block;
    ++list.count;
    if (element) bump(t->freed);
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
