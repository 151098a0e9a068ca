// SPDX-License-Identifier: Apache-2.0
// The type of an array value: an element type and a shape. Cheap to copy
// (the shape is an interned handle); its hash is memoised in the object.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/array_size.hpp>
#include <lang/core/types/type_id.hpp>

#include <kbase/relatable.hpp>
#include <kbase/tuple_wrapper.hpp>

#include <iosfwd>
#include <string>

namespace lang::core {

/// The type of an array: its element type and its shape.
class LANGCORE_API ArrayType : public kbase::TupleWrapper<ArrayType, type::Id, ArraySize>,
                               public kbase::Relatable<ArrayType, kbase::NativeEquality>,
                               public kbase::detail::OrderingOperators<ArrayType> {
public:
    /// Elements of type `base` in shape `size`.
    ArrayType(type::Id base, ArraySize const& size) noexcept : TupleWrapper(base, size) {}

    /// The element type.
    type::Id base() const noexcept { return get<0>(); }
    /// The shape.
    ArraySize const& size() const noexcept { return get<1>(); }
};

/// The element type.
/// \relates lang::core::ArrayType
inline type::Id ground_type(ArrayType const& t) noexcept { return t.base(); }

/// Same element type and same shape.
/// \relates lang::core::ArrayType
inline bool operator==(ArrayType const& a, ArrayType const& b) noexcept {
    return a.base() == b.base() && a.size() == b.size();
}
/// By base id (signed), then by shape.
/// \relates lang::core::ArrayType
LANGCORE_API int compare(ArrayType const& a, ArrayType const& b) noexcept;
/// Of the element type and the shape; consistent with ==.
/// \relates lang::core::ArrayType
LANGCORE_API unsigned long hash_value(ArrayType const& t) noexcept;

/// Writes array<base, lengths...>, e.g. array<real, 2, 3>.
/// \relates lang::core::ArrayType
LANGCORE_API std::ostream& operator<<(std::ostream& os, ArrayType const& t);
/// The text shown to users, e.g. [2x3 double].
/// \relates lang::core::ArrayType
LANGCORE_API std::u16string to_user_string(ArrayType const& t);

}  // namespace lang::core
