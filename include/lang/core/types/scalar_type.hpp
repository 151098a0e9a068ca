// SPDX-License-Identifier: Apache-2.0
// The type of a scalar value: just its element type. Cheap to copy; its hash
// is memoised in the object (an atomic word, so one object may be hashed from
// several threads).
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/type_id.hpp>

#include <kbase/relatable.hpp>
#include <kbase/tuple_wrapper.hpp>

#include <iosfwd>

namespace lang::core {

/// The type of a scalar: just its element type.
class LANGCORE_API ScalarType : public kbase::TupleWrapper<ScalarType, type::Id>,
                                public kbase::Relatable<ScalarType, kbase::NativeEquality>,
                                public kbase::detail::OrderingOperators<ScalarType> {
public:
    /// The scalar type of element type `id`.
    explicit ScalarType(type::Id id) noexcept : TupleWrapper(id) {}

    /// The element type.
    type::Id operator()() const noexcept { return get<0>(); }
};

/// The element type.
/// \relates lang::core::ScalarType
inline type::Id ground_type(ScalarType const& t) noexcept { return t(); }

/// Same element type.
/// \relates lang::core::ScalarType
inline bool operator==(ScalarType const& a, ScalarType const& b) noexcept { return a() == b(); }

/// Orders by id, as signed integers.
/// \relates lang::core::ScalarType
inline int compare(ScalarType const& a, ScalarType const& b) noexcept {
    return a() < b() ? 1 : a() > b() ? 2 : 0;
}

/// Of the element type; consistent with ==.
/// \relates lang::core::ScalarType
LANGCORE_API unsigned long hash_value(ScalarType const& t) noexcept;

/// Writes the id's stream name, e.g. real.
/// \relates lang::core::ScalarType
LANGCORE_API std::ostream& operator<<(std::ostream& os, ScalarType const& t);

}  // namespace lang::core
