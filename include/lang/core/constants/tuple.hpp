// SPDX-License-Identifier: Apache-2.0
// A tuple value: an ordered list of constants acting as one value. A copy
// copies the list, while array elements keep sharing their blocks. The tuple
// with no elements is the value of the void type, and what a move leaves.
#pragma once

#include <lang/core/constants/constants.hpp>
#include <lang/core/export.hpp>
#include <lang/core/types/tuple_type.hpp>

#include <initializer_list>
#include <iosfwd>
#include <utility>

namespace lang::core {

/// An ordered list of constants acting as one value.
class LANGCORE_API Tuple {
public:
    /// Takes over `elements`.
    explicit Tuple(Constants elements) noexcept : constants_(std::move(elements)) {}
    /// The listed elements, in order.
    Tuple(std::initializer_list<Constant> elements) : constants_(elements) {}

    /// The elements.
    ///@{
    Constants const& constants() const noexcept { return constants_; }
    Constants& constants() noexcept { return constants_; }
    ///@}

private:
    Constants constants_;
};

/// The tuple type of the elements' types, in order.
/// \relates lang::core::Tuple
LANGCORE_API TupleType value_type(Tuple const& t);

/// True when every element is empty (so also when there are none): an array
/// with no elements, or a tuple that is empty by this rule. No scalar is empty.
/// \relates lang::core::Tuple
LANGCORE_API bool empty(Tuple const& t);

/// Writes {a, b, ...}; the empty tuple is {}.
/// \relates lang::core::Tuple
LANGCORE_API std::ostream& operator<<(std::ostream& os, Tuple const& t);

/// The element at position `i`; raises InvalidTupleAccess when there is none.
///@{
/// \relates lang::core::Tuple
LANGCORE_API Constant const& extract(Tuple const& t, unsigned long i);
/// \relates lang::core::Tuple
LANGCORE_API Constant& extract(Tuple& t, unsigned long i);
///@}

/// The tuple of the default constants of the element types.
/// \relates lang::core::Tuple
LANGCORE_API Tuple make_tuple(TupleType const& type);

}  // namespace lang::core

// Constant completes the cycle.
#include <lang/core/constants/constant.hpp>
