// SPDX-License-Identifier: Apache-2.0
// The type of any value: a closed union of a tuple, scalar or array type. The
// alternative's index (id()) is part of the interface: it orders types (any
// tuple before any scalar before any array), and it enters hashes and digests.
// Equality first compares the memoised hashes; the memos are atomic words, so
// one const Type may be compared and hashed from several threads. A move
// copies: the source keeps its value, a tuple's list now shared.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/array_type.hpp>
#include <lang/core/types/digest_sink.hpp>
#include <lang/core/types/scalar_type.hpp>
#include <lang/core/types/tuple_type.hpp>
#include <lang/core/types/types.hpp>

#include <kbase/relatable.hpp>

#include <iosfwd>
#include <variant>

namespace lang::core {

/// The type of any value: a tuple, scalar or array type.
///
/// Building types:
/// \snippet types_tour.cpp type
class LANGCORE_API Type : public kbase::Relatable<Type, kbase::NativeEquality>,
                          public kbase::detail::OrderingOperators<Type> {
public:
    /// The alternatives, in the order of Index.
    using Value = std::variant<TupleType, ScalarType, ArrayType>;
    /// The values of id().
    enum Index : unsigned long { TUPLE = 0, SCALAR = 1, ARRAY = 2 };

    /// The void type, tuple<>.
    Type() noexcept : value_(TupleType(Types())) {}
    /// Holds `t`.
    ///@{
    Type(TupleType t) noexcept : value_(std::move(t)) {}
    Type(ScalarType t) noexcept : value_(t) {}
    Type(ArrayType t) noexcept : value_(t) {}
    ///@}

    /// The alternative's index: 0 tuple, 1 scalar, 2 array.
    unsigned long id() const noexcept { return value_.index(); }
    /// The alternative, for std::get, std::get_if and std::visit.
    Value const& value() const noexcept { return value_; }

    friend LANGCORE_API void strip_annotation_inplace(Type& t);

private:
    Value value_;
};

/// By id() first, then as the alternative; the hash is consistent with ==.
/// These memoise hashes inside the operands.
///@{
/// \relates lang::core::Type
LANGCORE_API bool operator==(Type const& a, Type const& b);
/// \relates lang::core::Type
LANGCORE_API int compare(Type const& a, Type const& b);
/// \relates lang::core::Type
LANGCORE_API unsigned long hash_value(Type const& t);
///@}

/// Structural equality that neither reads nor writes hash memos.
/// \relates lang::core::Type
LANGCORE_API bool equal_ignore_annotation(Type const& a, Type const& b);
/// Clears every memo and unshares tuple lists; the type stays equal to what it was.
LANGCORE_API void strip_annotation_inplace(Type& t);

/// True for every tuple, void included.
/// \relates lang::core::Type
LANGCORE_API bool is_compound_type(Type const& t);
/// True for the empty tuple only.
/// \relates lang::core::Type
LANGCORE_API bool is_void_type(Type const& t);
/// The element type of a scalar or array type; a tuple raises InvalidGroundType.
/// \relates lang::core::Type
LANGCORE_API type::Id ground_type(Type const& t);

/// Feeds the type's digest bytes: id() as 8 bytes, then the alternative's fields.
/// \relates lang::core::Type
LANGCORE_API void incorporate_data(DigestSink& sink, Type const& t);

/// Writes the alternative: real, array<real, 2, 3>, tuple<...>.
/// \relates lang::core::Type
LANGCORE_API std::ostream& operator<<(std::ostream& os, Type const& t);

}  // namespace lang::core
