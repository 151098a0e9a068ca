// SPDX-License-Identifier: Apache-2.0
// A shared, copy-on-write list of types: the element types of a tuple type,
// the argument types of a call. Copies share one reference-counted block; an
// append copies the block only when it is shared or full. The empty list
// allocates nothing; a moved-from list is empty.
#pragma once

#include <lang/core/export.hpp>

#include <kbase/shared_vector.hpp>

#include <boost/operators.hpp>

#include <iosfwd>

namespace lang::core {

class Type;

/// A shared list of types: copies share it, and a write copies it first.
class LANGCORE_API Types : public kbase::SharedVector<Type>,
                           boost::addable<Types, Type>,
                           boost::addable<Types> {
public:
    /// The empty list; allocates nothing.
    Types() noexcept = default;
    /// The list of one element.
    explicit Types(Type const& element);

    /// Appends a copy of `element` (which may be an element of this list).
    Types& operator+=(Type const& element);
    /// Appends every element of `other`, in order; `t += t` doubles `t`.
    Types& operator+=(Types const& other);

    /// Exchanges the two lists.
    friend void swap(Types& a, Types& b) noexcept {
        swap(static_cast<kbase::SharedVector<Type>&>(a), static_cast<kbase::SharedVector<Type>&>(b));
    }
};

/// Combines the element hashes in order, starting from 0.
/// \relates lang::core::Types
LANGCORE_API unsigned long hash_value(Types const& types);

/// The two-element list (a, b).
/// \relates lang::core::Types
LANGCORE_API Types operator+(Type const& a, Type const& b);

/// Writes "(" then the elements separated by ", " then ")".
/// \relates lang::core::Types
LANGCORE_API std::ostream& operator<<(std::ostream& os, Types const& types);

}  // namespace lang::core

// Types holds its elements by value, so whatever copies or destroys a list
// needs Type complete. It comes after Types is defined, through the tuple
// type's header, which then includes Type's: this order works whichever of
// the three headers a file includes first.
#include <lang/core/types/tuple_type.hpp>
