// SPDX-License-Identifier: Apache-2.0
// A reference-counted, copy-on-write vector behind one pointer. Copies share
// one block; an append writes in place only when the block is unshared and
// has room, otherwise it copies into a fresh block. The empty vector is a null
// pointer and allocates nothing.
//
// Block layout: reference count, capacity, size, then `capacity` slots. A new
// block's byte size is the smallest power of two holding the header and the
// slots asked for; the capacity is every whole slot that fits.
#pragma once

#include <kbase/relatable.hpp>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>
#include <utility>

namespace kbase {

template <class T>
class SharedVector : public Relatable<SharedVector<T>, NativeEquality>,
                     public detail::OrderingOperators<SharedVector<T>> {
public:
    using value_type = T;
    using size_type = unsigned long;
    using const_iterator = T const*;
    using iterator = T const*;

    SharedVector() noexcept = default;
    explicit SharedVector(T const& element) { push_back(element); }
    SharedVector(SharedVector const& other) noexcept : block_(other.block_) { retain(block_); }
    SharedVector(SharedVector&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    SharedVector& operator=(SharedVector other) noexcept {
        swap(*this, other);
        return *this;
    }
    ~SharedVector() { release(block_); }

    size_type size() const noexcept { return block_ ? block_->size : 0; }
    size_type capacity() const noexcept { return block_ ? block_->capacity : 0; }
    bool empty() const noexcept { return size() == 0; }
    T const& operator[](size_type i) const noexcept { return slots(block_)[i]; }
    T const& front() const noexcept { return (*this)[0]; }
    T const& back() const noexcept { return (*this)[size() - 1]; }
    const_iterator begin() const noexcept { return block_ ? slots(block_) : nullptr; }
    const_iterator end() const noexcept { return begin() + size(); }

    /// True when both name the same block (two empty vectors do).
    bool shares_block_with(SharedVector const& other) const noexcept { return block_ == other.block_; }
    size_type use_count() const noexcept { return block_ ? block_->refs.load(std::memory_order_relaxed) : 0; }

    /// Appends a copy of `value`; safe when `value` lives in this vector.
    void push_back(T const& value) { append_copies(&value, 1); }

    /// Appends every element of `other` in order; appending a vector to
    /// itself appends the elements it held before.
    void append(SharedVector const& other) { append_copies(other.begin(), other.size()); }

    friend void swap(SharedVector& a, SharedVector& b) noexcept { std::swap(a.block_, b.block_); }

    friend bool operator==(SharedVector const& a, SharedVector const& b) {
        return a.block_ == b.block_ || std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

    /// Lexicographic with compare() on the elements; a proper prefix orders first.
    friend int compare(SharedVector const& a, SharedVector const& b) {
        if (a.block_ == b.block_) return 0;
        size_type const n = std::min(a.size(), b.size());
        for (size_type i = 0; i < n; ++i) {
            if (int const c = compare(a[i], b[i]); c != 0) return c;
        }
        return a.size() < b.size() ? 1 : a.size() > b.size() ? 2 : 0;
    }

private:
    struct Header {
        std::atomic<unsigned long> refs;
        unsigned long capacity;
        unsigned long size;
    };

    static constexpr std::size_t slots_offset() noexcept {
        return (sizeof(Header) + alignof(T) - 1) / alignof(T) * alignof(T);
    }
    static T* slots(Header* block) noexcept {
        return std::launder(reinterpret_cast<T*>(reinterpret_cast<char*>(block) + slots_offset()));
    }

    static void retain(Header* block) noexcept {
        if (block) block->refs.fetch_add(1, std::memory_order_relaxed);
    }
    static void release(Header* block) noexcept {
        if (!block || block->refs.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
        destroy(block);
    }
    static void destroy(Header* block) noexcept {
        T* s = slots(block);
        for (size_type i = block->size; i > 0; --i) s[i - 1].~T();
        block->~Header();
        std::free(block);
    }

    static Header* allocate(size_type n) {
        constexpr std::size_t max_bytes = std::size_t{1} << (std::numeric_limits<std::size_t>::digits - 1);
        if (n > (max_bytes - slots_offset()) / sizeof(T)) throw std::bad_alloc();
        std::size_t const bytes = std::bit_ceil(slots_offset() + n * sizeof(T));
        void* raw = std::malloc(bytes);
        if (!raw) throw std::bad_alloc();
        return ::new (raw) Header{{1}, (bytes - slots_offset()) / sizeof(T), 0};
    }

    // Appends copies of first[0, n): all of them, or, when a copy throws,
    // none, with this vector still on its old block. The source may lie in
    // this vector's block: in place it is only read below the old size, and
    // a replaced block is released only after everything was copied.
    void append_copies(T const* first, size_type n) {
        if (n == 0) return;
        size_type const size = this->size();
        if (block_ && block_->refs.load(std::memory_order_acquire) == 1 && block_->capacity - size >= n) {
            T* out = slots(block_) + size;
            size_type done = 0;
            try {
                for (; done < n; ++done) ::new (out + done) T(first[done]);
            } catch (...) {
                while (done > 0) out[--done].~T();
                throw;
            }
            block_->size = size + n;
            return;
        }
        if (n > std::numeric_limits<size_type>::max() - size) throw std::bad_alloc();
        Header* fresh = allocate(size + n);
        T* out = slots(fresh);
        try {
            for (T const& e : *this) {
                ::new (out + fresh->size) T(e);
                ++fresh->size;
            }
            for (size_type i = 0; i < n; ++i) {
                ::new (out + fresh->size) T(first[i]);
                ++fresh->size;
            }
        } catch (...) {
            destroy(fresh);
            throw;
        }
        release(std::exchange(block_, fresh));
    }

    Header* block_ = nullptr;
};

}  // namespace kbase
