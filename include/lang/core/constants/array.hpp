// SPDX-License-Identifier: Apache-2.0
// The elements of an array constant in column-major order, with their shape.
// Copies share one element block; the first write through a handle whose
// block is shared, or was adopted from outside, copies it. Copying is cheap,
// and a non-const x(), begin() or end() may allocate. A moved-from array is
// the empty 0x0 array.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/array_size.hpp>

#include <boost/smart_ptr/allocate_shared_array.hpp>
#include <boost/shared_ptr.hpp>
#include <groundwork/core/mem/aligned_heap.hpp>

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace lang::core {

/// Selects the constructor of an array whose elements are left unset.
struct Uninitialized {
    explicit Uninitialized() = default;
};
/// The value that selects it: Array<T>(size, uninitialized_elements).
inline constexpr Uninitialized uninitialized_elements{};

/// Elements of bool, int, unsigned long or double.
///
/// Filling a fresh array; its first write makes the block its own:
/// \snippet folding_tour.cpp array
template <class T>
class Array {
public:
    /// The element type T.
    using element_type = T;

    /// A fresh block of zeros.
    explicit Array(ArraySize const& size);
    /// Adopts `data`, which must hold size.numElements() elements; the block
    /// is never written through this array.
    Array(ArraySize const& size, boost::shared_ptr<T> const& data) noexcept
        : size_(size), data_(data), owned_(false) {}
    /// An owned block whose elements are unset, for a result that writes
    /// every element before any is read.
    Array(ArraySize const& size, Uninitialized) : size_(size), data_(alloc(size)), owned_(true) {}
    /// `other`'s block under a new shape of the same element count: a
    /// reshape that copies nothing.
    Array(ArraySize size, Array const& other) noexcept : size_(size), data_(other.data_), owned_(other.owned_) {}
    /// Shares the block; the first write through either array copies it.
    ///@{
    Array(Array const& other) noexcept = default;
    Array(Array&& other) noexcept
        : size_(std::exchange(other.size_, moved_from_size())), data_(std::move(other.data_)), owned_(other.owned_) {}
    Array& operator=(Array other) noexcept {
        swap(*this, other);
        return *this;
    }
    ///@}

    /// Exchanges shapes and blocks.
    friend void swap(Array& a, Array& b) noexcept {
        std::swap(a.size_, b.size_);
        a.data_.swap(b.data_);
        std::swap(a.owned_, b.owned_);
    }

    /// Arrays of up to this many bytes of elements keep their control block
    /// in the same heap block, in front of the elements, which then have the
    /// alignment of a control block (16 bytes) rather than a cache line.
    static constexpr unsigned long shared_block_limit = 512;

    /// An uninitialised block of size.numElements() elements from the aligned
    /// heap, counted as one element block; none for an empty shape.
    static boost::shared_ptr<T> alloc(ArraySize const& size) {
        // The control block comes from the heap's pools too, so an array
        // costs no call into the C allocator. A small array makes it and its
        // elements with one call, and frees them with one: the thread's
        // cache is reached once each way. The pointer pair is made here
        // rather than returned from the library, so that a caller keeps it
        // in registers instead of reloading what was just stored.
        namespace mem = groundwork::core::mem;
        unsigned long const n = size.numElements();
        // A count that wrapped can look small; alloc_block refuses it.
        if (n - 1 < shared_block_limit / sizeof(T) && size.data()->countFits()) {
            boost::shared_ptr<T[]> block = boost::allocate_shared_noinit<T[]>(mem::block_allocator<T>(), n);
            T* const first = block.get();
            return boost::shared_ptr<T>(std::move(block), first);
        }
        // Large blocks stay apart, cache-line aligned; if the control block
        // cannot be made, shared_ptr frees the element block itself.
        return boost::shared_ptr<T>(alloc_block(size), mem::block_deleter(), mem::node_allocator<T>());
    }
    /// Array(size, uninitialized_elements).
    static Array uninitialized(ArraySize const& size) { return Array(size, uninitialized_elements); }

    /// The shape.
    ArraySize const& size() const noexcept { return size_; }
    /// True when the shape has no elements.
    bool empty() const noexcept { return size_.numElements() == 0; }

    /// The elements for reading, in column-major order.
    ///@{
    T const* x() const noexcept { return data_.get(); }
    T const* begin() const noexcept { return data_.get(); }
    T const* end() const noexcept { return data_.get() + size_.numElements(); }
    ///@}

    /// The elements for writing, copied first unless this array alone holds
    /// a block it allocated itself.
    ///@{
    T* x() { return owned_ && data_.use_count() == 1 ? data_.get() : unshare(); }
    T* begin() { return x(); }
    T* end() { return x() + size_.numElements(); }
    ///@}

    /// Element type, shape and elements combined; consistent with equal_().
    unsigned long hash() const noexcept;
    /// Elementwise; NaN equals NaN and 0.0 equals -0.0.
    bool equal_(Array const& other) const noexcept;
    /// By shape, then elementwise in storage order; 3 when a NaN meets a number.
    int compare_(Array const& other) const noexcept;

    /// The stream form: [a, b; c, d], nested per dimension beyond the second,
    /// or empty<type, lengths> when there are no elements.
    void out(std::ostream& os) const;
    /// Writes dimension `dim` at the multi-index `index` (the higher indices
    /// fixed). A shorter `index` is extended with 0s; one outside the shape
    /// raises InvalidIndex, and a `dim` past both raises std::out_of_range.
    void out(std::ostream& os, std::vector<unsigned long>& index, unsigned long dim) const;
    /// The user form: int32([1 2 3]), a single value, or the type text.
    std::u16string toUserString() const;

    /// Dimension `dim` made `length` long: new positions hold `fill`, a
    /// shorter length keeps the leading positions, the same length shares.
    Array pad(unsigned long dim, unsigned long length, T fill) const;

private:
    /// The element block alone: null for an empty shape, and
    /// std::bad_array_new_length for one whose count does not fit.
    static T* alloc_block(ArraySize const& size);
    T* unshare();
    void out_slices(std::ostream& os, std::vector<unsigned long>& index, unsigned long dim) const;
    /// 0x0, made once, so that a move takes no lock.
    static ArraySize const& moved_from_size() noexcept;

    ArraySize size_;
    boost::shared_ptr<T> data_;
    bool owned_;
};

/// True for the four Array<T>.
///@{
template <class A>
inline constexpr bool is_array_v = false;
template <class T>
inline constexpr bool is_array_v<Array<T>> = true;
///@}

/// Writes the stream form, as out().
/// \relates lang::core::Array
template <class T>
std::ostream& operator<<(std::ostream& os, Array<T> const& a) {
    a.out(os);
    return os;
}

extern template class LANGCORE_API Array<bool>;
extern template class LANGCORE_API Array<int>;
extern template class LANGCORE_API Array<unsigned long>;
extern template class LANGCORE_API Array<double>;

}  // namespace lang::core
