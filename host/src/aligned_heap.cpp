#include <groundwork/core/mem/aligned_heap.hpp>

#include <atomic>
#include <new>

namespace groundwork::core::mem {
namespace {

// Plain counters, not a lock: they only have to be exact, not ordered.
std::atomic<unsigned long> allocated_blocks{0};
std::atomic<unsigned long> freed_blocks{0};

}  // namespace

aligned_heap& aligned_heap::instance() noexcept {
    static aligned_heap heap;
    return heap;
}

void* aligned_heap::vector_alloc(unsigned long bytes) {
    void* block = ::operator new(bytes == 0 ? 1 : bytes, std::align_val_t{alignment});
    allocated_blocks.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void aligned_heap::vector_free(void* block) noexcept {
    if (!block) return;
    ::operator delete(block, std::align_val_t{alignment});
    freed_blocks.fetch_add(1, std::memory_order_relaxed);
}

unsigned long aligned_heap::allocations() noexcept { return allocated_blocks.load(std::memory_order_relaxed); }

unsigned long aligned_heap::live() noexcept {
    // Read frees first so a concurrent allocate/free pair never shows as negative.
    unsigned long const freed = freed_blocks.load(std::memory_order_acquire);
    return allocated_blocks.load(std::memory_order_acquire) - freed;
}

}  // namespace groundwork::core::mem
