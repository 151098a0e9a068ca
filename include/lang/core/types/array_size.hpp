// SPDX-License-Identifier: Apache-2.0
// The shape of an array: its dimension lengths in column-major order, with at
// least two dimensions and every dimension past the stored ones of length 1.
// A shape is one pointer to an interned, immutable record that is never freed:
// copies are free, == is a pointer compare, and only construction takes a lock.
#pragma once

#include <lang/core/export.hpp>

#include <kbase/positive.hpp>
#include <kbase/relatable.hpp>
#include <kbase/simple_annotation.hpp>

#include <boost/operators.hpp>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace lang::core {

/// The shape of an array: an interned handle, copied and compared as a pointer.
///
/// Building, comparing and reshaping shapes:
/// \snippet types_tour.cpp array_size
class LANGCORE_API ArraySize : public kbase::Relatable<ArraySize, kbase::NativeEquality>,
                               public kbase::detail::OrderingOperators<ArraySize>,
                               public boost::multipliable<ArraySize>,
                               public kbase::SimpleAnnotation<ArraySize> {
public:
    /// One distinct shape: its lengths with trailing 1s removed, its hash and
    /// its element count. Shared by every handle to an equal shape.
    struct Record {
        /// The stored lengths; empty for the 1x1 shape.
        std::span<unsigned long const> lengths() const noexcept { return {lengths_, count_}; }
        /// The number of stored lengths.
        unsigned long count() const noexcept { return count_; }
        /// The shape's hash, computed once when it was interned.
        unsigned long hash() const noexcept { return hash_; }
        /// Product of the stored lengths, wrapping; 1 when there are none.
        unsigned long numElements() const noexcept { return elements_; }
        /// True when the true product of the lengths fits in 64 bits, so that
        /// numElements() is the exact count; no array holds a shape without.
        bool countFits() const noexcept { return fits_; }

    private:
        friend class ArraySize;
        Record(unsigned long const* lengths, unsigned long count, unsigned long hash, unsigned long elements,
               bool fits) noexcept
            : lengths_(lengths), count_(count), hash_(hash), elements_(elements), fits_(fits) {}

        unsigned long const* lengths_;
        unsigned long count_;
        unsigned long hash_;
        unsigned long elements_;
        bool fits_;
    };

    /// Normalises and interns `count` lengths; no lengths at all means [0].
    ArraySize(unsigned long const* lengths, unsigned long count);
    /// Normalises and interns `lengths`.
    ///@{
    ArraySize(std::initializer_list<unsigned long> lengths) : ArraySize(lengths.begin(), lengths.size()) {}
    explicit ArraySize(std::span<unsigned long const> lengths) : ArraySize(lengths.data(), lengths.size()) {}
    ///@}

    /// The interned record; equal shapes have the same one.
    Record const* data() const noexcept { return record_; }

    /// Number of dimensions: the stored ones, but never fewer than two.
    unsigned long size() const noexcept { return std::max(record_->count_, 2UL); }
    /// Length of dimension `i`; 1 for any dimension past the stored ones.
    unsigned long operator()(unsigned long i) const noexcept {
        return i < record_->count_ ? record_->lengths_[i] : 1;
    }
    /// Length of dimension 0, the rows.
    unsigned long m() const noexcept { return (*this)(0); }
    /// Length of dimension 1, the columns.
    unsigned long n() const noexcept { return (*this)(1); }
    /// Product of the lengths, wrapping.
    unsigned long numElements() const noexcept { return record_->elements_; }

    /// The linear stride of each dimension, then the element count:
    /// size() + 1 entries, starting at 1.
    std::vector<unsigned long> multipliers() const;

    /// Sets the length of dimension `dim`, extending the shape with 1s if needed.
    void replace(unsigned long dim, unsigned long length);
    /// The shape `target` gives when reshaping this one; a single 0 length in
    /// an empty target is inferred from this shape's element count.
    ArraySize reshape(ArraySize const& target) const;
    /// Dimension-wise product.
    ArraySize& operator*=(ArraySize const& other);
    /// The matrix shape with its two lengths exchanged; raises unless a matrix.
    ArraySize transpose() const;

    /// Raises types::InvalidMatrix unless the shape has exactly two dimensions.
    void requireMatrix() const;
    /// Raises types::InconsistentSize unless `other` is the same shape.
    void requireConsistent(ArraySize const& other) const {
        if (record_ != other.record_) raiseInconsistent(other);
    }
    /// Both shapes are matrices and this one's columns match the other's rows.
    void requireMultiply(ArraySize const& other) const;
    /// Raises unless `index` is a valid linear index; returns numElements().
    unsigned long check(unsigned long index) const;
    /// Raises unless `subscripts` subscripts can index this shape: one, or at
    /// least as many as it has dimensions.
    void checkDim(unsigned long subscripts) const;

private:
    [[noreturn]] void raiseInconsistent(ArraySize const& other) const;

    Record const* record_;
};

static_assert(sizeof(ArraySize) == sizeof(void*));

/// Equal shapes share one record, so this compares pointers.
/// \relates lang::core::ArraySize
inline bool operator==(ArraySize const& a, ArraySize const& b) noexcept { return a.data() == b.data(); }

/// The hash stored in the record.
/// \relates lang::core::ArraySize
inline std::size_t hash_value(ArraySize const& s) noexcept { return s.data()->hash(); }

/// Exchanges the two handles.
/// \relates lang::core::ArraySize
inline void swap(ArraySize& a, ArraySize& b) noexcept {
    ArraySize const t = a;
    a = b;
    b = t;
}

/// Dimension by dimension: 0 equal, 1 when `a` orders first, 2 when `b` does.
/// \relates lang::core::ArraySize
LANGCORE_API int compare(ArraySize const& a, ArraySize const& b) noexcept;

/// The shape of the matrix product a * b.
/// \relates lang::core::ArraySize
LANGCORE_API ArraySize mtimes(ArraySize const& a, ArraySize const& b);

/// The extent that subscript `dim` spans when `s` is indexed with
/// `subscripts` subscripts: the last one spans all remaining dimensions.
/// \relates lang::core::ArraySize
LANGCORE_API unsigned long length(ArraySize const& s, unsigned long dim, kbase::Positive<unsigned long> subscripts);

/// The lengths of all size() dimensions separated by ", ", e.g. "2, 3".
/// \relates lang::core::ArraySize
LANGCORE_API std::ostream& operator<<(std::ostream& os, ArraySize const& s);

/// The lengths of all size() dimensions joined by "x", e.g. u"2x3".
/// \relates lang::core::ArraySize
LANGCORE_API std::u16string to_user_string(ArraySize const& s);

}  // namespace lang::core

/// Hashes a shape as hash_value() does, for unordered containers.
template <>
struct std::hash<lang::core::ArraySize> {
    /// hash_value(s).
    std::size_t operator()(lang::core::ArraySize const& s) const noexcept { return hash_value(s); }
};
