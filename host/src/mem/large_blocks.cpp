// SPDX-License-Identifier: Apache-2.0
#include "mem/large_blocks.hpp"

#include "mem/regions.hpp"
#include "mem/size_classes.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <atomic>
#include <mutex>
#include <type_traits>

namespace groundwork::core::mem::detail {
namespace {
// A handful of entries: the cache exists for the few large results a fold
// allocates again and again, not as a general allocator.
constexpr unsigned slots = 32;

struct Cache {
    std::mutex lock;
    RegionHeader* entries[slots] = {};  // newest first
    unsigned count = 0;
    unsigned long bytes = 0;
    unsigned long limit = aligned_heap::default_large_cache_limit;
    std::atomic<unsigned long> hits{0};
};

// Never torn down, like the pools: frees may come after static destruction.
static_assert(std::is_trivially_destructible_v<Cache>);
constinit Cache the_cache;
Cache& cache() noexcept { return the_cache; }

// Drops the oldest entries until at most `keep_bytes` and `keep_count`
// remain; the mappings are returned by `release` once the lock is let go.
unsigned evict(Cache& c, unsigned long keep_bytes, unsigned keep_count, RegionHeader** out) noexcept {
    unsigned n = 0;
    while (c.count > 0 && (c.bytes > keep_bytes || c.count > keep_count)) {
        RegionHeader* const oldest = c.entries[--c.count];
        c.bytes -= oldest->mapped_bytes;
        out[n++] = oldest;
    }
    return n;
}

void release(RegionHeader* const* regions, unsigned n) noexcept {
    for (unsigned i = 0; i < n; ++i) unmap_region(regions[i], regions[i]->mapped_bytes);
}

}  // namespace

// A region's header is never poisoned: the cache and large_free read it.
void* large_alloc(unsigned long bytes) {
    // The caller has refused sizes beyond a quarter of the address space, so
    // the rounding below cannot wrap.
    unsigned long const page = page_size();
    unsigned long const mapped = (rounded_size(header_bytes + bytes) + page - 1) & ~(page - 1);
    Cache& c = cache();
    RegionHeader* region = nullptr;
    {
        std::lock_guard guard(c.lock);
        for (unsigned i = 0; i < c.count; ++i) {
            if (c.entries[i]->mapped_bytes != mapped) continue;
            region = c.entries[i];
            for (unsigned j = i + 1; j < c.count; ++j) c.entries[j - 1] = c.entries[j];
            --c.count;
            c.bytes -= mapped;
            c.hits.fetch_add(1, std::memory_order_relaxed);
            break;
        }
    }
    if (!region) {
        region = static_cast<RegionHeader*>(map_region(mapped, mapped >= huge_page ? huge_page : region_alignment));
        *region = {RegionKind::large, 0, mapped};
    }
    return reinterpret_cast<char*>(region) + header_bytes;
}

void large_free(void* block) noexcept {
    RegionHeader* const region = region_of(block);
    unsigned long const mapped = region->mapped_bytes;
    poison(block, mapped - header_bytes);
    Cache& c = cache();
    RegionHeader* evicted[slots];
    unsigned n = 0;
    bool kept = false;
    {
        std::lock_guard guard(c.lock);
        if (mapped <= c.limit) {
            n = evict(c, c.limit - mapped, slots - 1, evicted);
            for (unsigned j = c.count; j > 0; --j) c.entries[j] = c.entries[j - 1];
            c.entries[0] = region;
            ++c.count;
            c.bytes += mapped;
            kept = true;
        }
    }
    release(evicted, n);
    if (!kept) unmap_region(region, mapped);
}

unsigned long large_cache_hits() noexcept { return cache().hits.load(std::memory_order_relaxed); }

unsigned long large_cache_bytes() noexcept {
    Cache& c = cache();
    std::lock_guard guard(c.lock);
    return c.bytes;
}

void set_large_cache_limit(unsigned long bytes) noexcept {
    Cache& c = cache();
    RegionHeader* evicted[slots];
    unsigned n;
    {
        std::lock_guard guard(c.lock);
        c.limit = bytes;
        n = evict(c, bytes, slots, evicted);
    }
    release(evicted, n);
}

void large_release_cached() noexcept {
    Cache& c = cache();
    RegionHeader* evicted[slots];
    unsigned n;
    {
        std::lock_guard guard(c.lock);
        n = evict(c, 0, 0, evicted);
    }
    release(evicted, n);
}

}  // namespace groundwork::core::mem::detail
