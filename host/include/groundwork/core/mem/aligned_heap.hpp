// The allocator of array element blocks: 64-byte aligned, usable from any
// thread. It counts what it does, so tests can observe copy-on-write.
#pragma once

#include <kbase/export.hpp>

namespace groundwork::core::mem {

class KBASE_API aligned_heap {
public:
    static constexpr unsigned long alignment = 64;

    static aligned_heap& instance() noexcept;

    /// A block of `bytes` (> 0) bytes; throws std::bad_alloc when none is had.
    void* vector_alloc(unsigned long bytes);
    /// Frees a block from vector_alloc; null does nothing.
    static void vector_free(void* block) noexcept;

    /// Blocks allocated since the process started.
    static unsigned long allocations() noexcept;
    /// Blocks allocated and not yet freed.
    static unsigned long live() noexcept;

private:
    aligned_heap() = default;
};

}  // namespace groundwork::core::mem
