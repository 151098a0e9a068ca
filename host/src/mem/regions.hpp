// SPDX-License-Identifier: Apache-2.0
// Address-space layout shared by the small-block pool and the large blocks:
// every span of small blocks and every large block's mapping starts on a
// region boundary with a header, so a block's header is found by masking its
// address, without storing a size beside every block.
#pragma once

#include <cstdint>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GROUNDWORK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define GROUNDWORK_ASAN 1
#endif
#ifdef GROUNDWORK_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace groundwork::core::mem::detail {

constexpr unsigned long region_alignment = 1ul << 20;
constexpr unsigned long header_bytes = 64;  // keeps the first block 64-byte aligned
constexpr unsigned long huge_page = 2ul << 20;

enum class RegionKind : std::uint32_t { span = 0x7370616e, large = 0x6c617267 };

struct RegionHeader {
    RegionKind kind;
    std::uint32_t size_class;    // spans: the class of every block in it
    unsigned long mapped_bytes;  // the whole mapping, header included
};
static_assert(sizeof(RegionHeader) <= header_bytes);

inline RegionHeader* region_of(void const* block) noexcept {
    return reinterpret_cast<RegionHeader*>(reinterpret_cast<std::uintptr_t>(block) & ~(region_alignment - 1));
}

/// The system's page size.
unsigned long page_size() noexcept;

/// Fresh zero pages of `bytes` (a multiple of the page size) starting on an
/// `alignment` boundary; huge pages are asked for at 2 MiB and above.
/// Throws std::bad_alloc.
void* map_region(unsigned long bytes, unsigned long alignment);
/// Returns a mapping to the system, whatever poisoning it had.
void unmap_region(void* start, unsigned long bytes) noexcept;

// AddressSanitizer cannot see inside pooled memory, so the pool marks what a
// caller may touch; without the sanitizer these do nothing.
#ifdef GROUNDWORK_ASAN
inline void poison(void const* start, unsigned long bytes) noexcept { ASAN_POISON_MEMORY_REGION(start, bytes); }
inline void unpoison(void const* start, unsigned long bytes) noexcept { ASAN_UNPOISON_MEMORY_REGION(start, bytes); }
/// Bytes added behind every block under AddressSanitizer, so that an access
/// just past a block's end is caught rather than landing in its neighbour.
constexpr unsigned long redzone_bytes = 64;
#else
inline void poison(void const*, unsigned long) noexcept {}
inline void unpoison(void const*, unsigned long) noexcept {}
constexpr unsigned long redzone_bytes = 0;
#endif

}  // namespace groundwork::core::mem::detail
