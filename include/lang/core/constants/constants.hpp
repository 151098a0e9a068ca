// SPDX-License-Identifier: Apache-2.0
// A list of constants: the elements of a tuple, the operands of a call. It
// forwards to a std::vector<Constant>; wherever it makes elements without a
// given value (the count constructor, resize) they are empty tuples. A
// moved-from list is empty.
//
// Constants, Tuple and Constant refer to each other; including any one of
// their headers gives all three. The inline members below need a complete
// Constant, so detail/constants_inline.hpp defines them after it.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/digest_sink.hpp>

#include <kbase/relatable.hpp>

#include <cstddef>
#include <initializer_list>
#include <vector>

namespace lang::core {

class Constant;

/// A list of constants with the interface of std::vector<Constant>.
class LANGCORE_API Constants : public kbase::Relatable<Constants, kbase::NativeEquality>,
                               public kbase::detail::OrderingOperators<Constants> {
    using Vector = std::vector<Constant>;

public:
    /// The std::vector member types.
    ///@{
    using value_type = Constant;
    using size_type = unsigned long;
    using difference_type = std::ptrdiff_t;
    using reference = Constant&;
    using const_reference = Constant const&;
    using pointer = Constant*;
    using const_pointer = Constant const*;
    using iterator = Vector::iterator;
    using const_iterator = Vector::const_iterator;
    using reverse_iterator = Vector::reverse_iterator;
    using const_reverse_iterator = Vector::const_reverse_iterator;
    ///@}

    /// An empty list.
    inline Constants() noexcept;
    /// Takes over `elements`.
    inline explicit Constants(std::vector<Constant> elements) noexcept;
    /// `n` empty tuples.
    inline explicit Constants(size_type n);
    /// As std::vector.
    ///@{
    inline Constants(size_type n, Constant const& value);
    inline Constants(Constants const& other);
    inline Constants(Constants&& other) noexcept;
    inline Constants(std::initializer_list<Constant> elements);
    inline ~Constants();

    inline Constants& operator=(Constants const& other);
    inline Constants& operator=(Constants&& other) noexcept;
    inline Constants& operator=(std::initializer_list<Constant> elements);
    inline void assign(size_type n, Constant const& value);
    inline void assign(std::initializer_list<Constant> elements);
    ///@}

    /// Raises std::out_of_range when `i` is not below size().
    ///@{
    inline reference at(size_type i);
    inline const_reference at(size_type i) const;
    ///@}
    /// Unchecked: `i` must be below size(), and front() and back() need an element.
    ///@{
    inline reference operator[](size_type i) noexcept;
    inline const_reference operator[](size_type i) const noexcept;
    inline reference front() noexcept;
    inline const_reference front() const noexcept;
    inline reference back() noexcept;
    inline const_reference back() const noexcept;
    inline pointer data() noexcept;
    inline const_pointer data() const noexcept;
    ///@}

    /// As std::vector.
    ///@{
    inline iterator begin() noexcept;
    inline const_iterator begin() const noexcept;
    inline iterator end() noexcept;
    inline const_iterator end() const noexcept;
    inline const_iterator cbegin() const noexcept;
    inline const_iterator cend() const noexcept;
    inline reverse_iterator rbegin() noexcept;
    inline const_reverse_iterator rbegin() const noexcept;
    inline reverse_iterator rend() noexcept;
    inline const_reverse_iterator rend() const noexcept;
    inline const_reverse_iterator crbegin() const noexcept;
    inline const_reverse_iterator crend() const noexcept;

    inline bool empty() const noexcept;
    inline size_type size() const noexcept;
    inline size_type max_size() const noexcept;
    inline void reserve(size_type n);
    inline size_type capacity() const noexcept;
    inline void shrink_to_fit();

    inline void clear() noexcept;
    inline iterator erase(const_iterator position);
    inline iterator erase(const_iterator first, const_iterator last);
    inline void pop_back();
    inline void swap(Constants& other) noexcept;
    inline void push_back(Constant const& value);
    inline void push_back(Constant&& value);
    inline iterator insert(const_iterator position, Constant const& value);
    inline iterator insert(const_iterator position, Constant&& value);
    inline iterator insert(const_iterator position, size_type n, Constant const& value);
    ///@}
    /// Grows with empty tuples.
    inline void resize(size_type n);
    /// Grows with copies of `value`.
    inline void resize(size_type n, Constant const& value);

    /// Appends copies of `b`'s elements in order; `a += a` doubles `a`.
    friend LANGCORE_API Constants& operator+=(Constants& a, Constants const& b);
    /// Appends `b`'s elements by moving them.
    friend LANGCORE_API Constants& operator+=(Constants& a, Constants&& b);

private:
    Vector elements_;
};

/// Exchanges the elements of `a` and `b`.
/// \relates lang::core::Constants
inline void swap(Constants& a, Constants& b) noexcept { a.swap(b); }

/// Equal sizes and equal elements in order.
/// \relates lang::core::Constants
LANGCORE_API bool operator==(Constants const& a, Constants const& b);
/// Lexicographic: the first unequal pair decides (3 included); a proper
/// prefix orders first.
/// \relates lang::core::Constants
LANGCORE_API int compare(Constants const& a, Constants const& b);
/// The element hashes combined in order, starting from 0.
/// \relates lang::core::Constants
LANGCORE_API unsigned long hash_value(Constants const& list);

/// Constants carry no annotation: plain equality, and nothing to strip.
///@{
/// \relates lang::core::Constants
inline bool equal_ignore_annotation(Constants const& a, Constants const& b) { return a == b; }
/// \relates lang::core::Constants
inline void strip_annotation_inplace(Constants&) noexcept {}
///@}

/// Feeds every element's digest in order, with no count.
/// \relates lang::core::Constants
LANGCORE_API void incorporate_data(DigestSink& sink, Constants const& list);

}  // namespace lang::core

// Tuple and then Constant complete the cycle.
#include <lang/core/constants/tuple.hpp>
