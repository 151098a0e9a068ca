// SPDX-License-Identifier: Apache-2.0
#include "mem/regions.hpp"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <new>

namespace groundwork::core::mem::detail {

void* map_region(unsigned long bytes, unsigned long alignment) {
    // Map one alignment more than asked, then return the unaligned head and
    // the tail to the system.
    unsigned long const reserved = bytes + alignment;
    void* const raw = ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    auto const base = reinterpret_cast<std::uintptr_t>(raw);
    std::uintptr_t const start = (base + alignment - 1) & ~(alignment - 1);
    if (start > base) ::munmap(raw, start - base);
    if (std::uintptr_t const end = start + bytes; end < base + reserved) ::munmap(reinterpret_cast<void*>(end), base + reserved - end);
#ifdef MADV_HUGEPAGE
    // Far fewer first-touch faults for large results; only a hint.
    if (bytes >= huge_page) ::madvise(reinterpret_cast<void*>(start), bytes, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(start);
}

unsigned long page_size() noexcept {
    static unsigned long const bytes = static_cast<unsigned long>(::sysconf(_SC_PAGESIZE));
    return bytes;
}

void unmap_region(void* start, unsigned long bytes) noexcept {
    // The next mapping at these addresses may be anyone's.
    unpoison(start, bytes);
    ::munmap(start, bytes);
}

}  // namespace groundwork::core::mem::detail
