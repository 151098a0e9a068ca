// SPDX-License-Identifier: Apache-2.0
// Subscripting a constant as a compiler lowers it: one position range per
// subscript into an IndexerBuilder, whose Indexer checks every position and
// visits the selection. Subscripts are 0-based; the last one spans the
// remaining dimensions, as the Indexer's own rule has it.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>

#include <kbase/message.hpp>

#include <initializer_list>
#include <span>
#include <variant>
#include <vector>

namespace lang::core {

/// The tag of a subscript that takes every position of its dimension.
struct Whole {
    /// The one value is `whole`.
    explicit constexpr Whole() = default;
};
/// Every position of a dimension, as `:` in the language.
inline constexpr Whole whole{};

/// The positions first, first + 1, ..., last - 1 of a dimension; made by range().
class Range {
public:
    /// The first position.
    constexpr unsigned long first() const noexcept { return first_; }
    /// One past the last position; never below first().
    constexpr unsigned long last() const noexcept { return last_; }

private:
    friend constexpr Range range(unsigned long first, unsigned long last) noexcept;
    constexpr Range(unsigned long first, unsigned long last) noexcept : first_(first), last_(last) {}
    unsigned long first_;
    unsigned long last_;
};

/// The half-open range [first, last); a `last` below `first` gives no positions.
///
/// \code
/// subscript(m, {whole, range(0, 2)});  // the first two columns of m
/// \endcode
constexpr Range range(unsigned long first, unsigned long last) noexcept {
    return Range(first, last < first ? first : last);
}

/// One subscript: a position, every position (`whole`), a range, a list of
/// positions, or a constant. A constant that is an index or integer scalar is
/// a position; an index or integer array lists positions in storage order.
/// A negative int, given directly or in a constant, raises InvalidIndex of
/// the constants catalog when the subscript is applied, as a real or logical
/// constant does.
class LANGCORE_API Subscript {
public:
    /// One position.
    ///@{
    Subscript(unsigned long position) noexcept : value_(position) {}
    Subscript(int position) noexcept : value_(position < 0 ? Value(Constant(position)) : Value(0UL + position)) {}
    ///@}
    /// Every position of the dimension.
    Subscript(Whole) noexcept : value_(whole) {}
    /// The positions of `positions`.
    Subscript(Range positions) noexcept : value_(positions) {}
    /// The listed positions, in order; they may repeat.
    Subscript(std::vector<unsigned long> positions) noexcept : value_(std::move(positions)) {}
    /// A scalar position or an array of positions held by a constant.
    Subscript(Constant positions) noexcept : value_(std::move(positions)) {}

    /// The alternatives above, in order.
    using Value = std::variant<unsigned long, Whole, Range, std::vector<unsigned long>, Constant>;
    /// The subscript as given.
    Value const& value() const noexcept { return value_; }

private:
    Value value_;
};

/// A message exception raised by subscript(), which also tells which
/// subscript was at fault, so that a caller can point at it.
class LANGCORE_API SubscriptError : public kbase::MessageException {
public:
    /// The message `message` about the subscript at 0-based `position`.
    SubscriptError(kbase::Message const& message, unsigned long position)
        : kbase::MessageException(message), position_(position) {}
    /// The 0-based position of the offending subscript in the list.
    unsigned long position() const noexcept { return position_; }

private:
    unsigned long position_;
};

/// The elements of `value` that `subscripts` select. A scalar is the 1x1
/// array it stands for. The result is a scalar when every subscript is one
/// position, and otherwise an array of the selection's shape (one length per
/// subscript); no subscripts select the whole array in its own shape. A
/// tuple takes exactly one position and gives that element.
///
/// Every failure is a SubscriptError carrying the library's own message: a
/// position out of range InvalidIndex of the types catalog; a real or logical
/// subscript, or a negative integer, InvalidIndex of the constants catalog; a
/// tuple given another count or kind of subscript InvalidGet; a tuple
/// position out of range InvalidTupleAccess. A selection whose element count
/// does not fit in 64 bits raises std::bad_array_new_length before the
/// result is allocated.
///
/// \code
/// Constant m = matrix({{1.0, 2.0, 3.0}, {4.0, 5.0, 6.0}});
/// subscript(m, {whole, range(0, 2)});  // [1.0, 2.0; 4.0, 5.0]
/// subscript(m, {1, 2});                // 6.0
/// subscript(m, {std::vector<unsigned long>{1, 0}, 0UL});  // [4.0; 1.0]
/// \endcode
///@{
LANGCORE_API Constant subscript(Constant const& value, std::span<Subscript const> subscripts);
inline Constant subscript(Constant const& value, std::initializer_list<Subscript> subscripts) {
    return subscript(value, std::span<Subscript const>(subscripts.begin(), subscripts.size()));
}
///@}

}  // namespace lang::core
