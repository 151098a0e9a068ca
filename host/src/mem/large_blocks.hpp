// SPDX-License-Identifier: Apache-2.0
// Blocks above small_limit: each is its own mapping, aligned to 2 MiB with
// huge pages from 2 MiB up. Freed mappings wait in a bounded cache, newest
// first, so that the next result of the same rounded size is served without
// mapping or faulting in fresh pages.
#pragma once

namespace groundwork::core::mem::detail {

/// A block of `bytes` bytes (> small_limit), 64-byte aligned; throws std::bad_alloc.
void* large_alloc(unsigned long bytes);
/// Returns a block from large_alloc, to the cache or to the system.
void large_free(void* block) noexcept;

unsigned long large_cache_hits() noexcept;
unsigned long large_cache_bytes() noexcept;
void set_large_cache_limit(unsigned long bytes) noexcept;
/// Returns every cached block to the system; the limit stays.
void large_release_cached() noexcept;

}  // namespace groundwork::core::mem::detail
