// SPDX-License-Identifier: Apache-2.0
// The type of a tuple: an ordered list of element types. The tuple type with
// no elements is the void type. Its hash is memoised in the object, and a
// move shares the list like a copy.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/types.hpp>

#include <kbase/relatable.hpp>
#include <kbase/tuple_wrapper.hpp>

#include <iosfwd>

namespace lang::core {

/// The type of a tuple: the types of its elements, in order.
class LANGCORE_API TupleType : public kbase::TupleWrapper<TupleType, Types>,
                               public kbase::Relatable<TupleType, kbase::NativeEquality>,
                               public kbase::detail::OrderingOperators<TupleType> {
public:
    /// Shares the list.
    explicit TupleType(Types const& types) noexcept : TupleWrapper(types) {}

    /// The element types.
    Types const& types() const noexcept { return get<0>(); }
};

/// Always true.
/// \relates lang::core::TupleType
inline bool is_compound_type(TupleType const&) noexcept { return true; }
/// True for the tuple with no elements (a tuple holding one void is not void).
/// \relates lang::core::TupleType
inline bool is_void_type(TupleType const& t) noexcept { return t.types().empty(); }

/// The same element types in the same order.
/// \relates lang::core::TupleType
LANGCORE_API bool operator==(TupleType const& a, TupleType const& b);
/// Lexicographic over the elements; a proper prefix orders first.
/// \relates lang::core::TupleType
LANGCORE_API int compare(TupleType const& a, TupleType const& b);
/// Of the element types in order; consistent with ==.
/// \relates lang::core::TupleType
LANGCORE_API unsigned long hash_value(TupleType const& t);

/// Writes tuple<...> with the elements separated by ", "; void is tuple<>.
/// \relates lang::core::TupleType
LANGCORE_API std::ostream& operator<<(std::ostream& os, TupleType const& t);

}  // namespace lang::core

// Completes Type, which Types holds by value (see types.hpp).
#include <lang/core/types/type.hpp>
