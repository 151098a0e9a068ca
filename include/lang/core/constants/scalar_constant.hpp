// SPDX-License-Identifier: Apache-2.0
// A scalar of one of the four element types, for operations that need
// exactly one element value (a fill value, a reduction's identity). It equals,
// orders and hashes as the scalar Constant it stands for; its hash is memoised
// in the object (an atomic word, so one object may be hashed from several
// threads).
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/scalar.hpp>
#include <lang/core/export.hpp>
#include <lang/core/types/scalar_type.hpp>
#include <lang/core/types/type_id.hpp>

#include <kbase/relatable.hpp>
#include <kbase/tuple_wrapper.hpp>

#include <boost/variant.hpp>

#include <iosfwd>

namespace lang::core {

/// The four scalars; the position of the alternative is its type::Id.
using ScalarValue = boost::variant<Scalar<bool>, Scalar<int>, Scalar<unsigned long>, Scalar<double>>;

/// One scalar of any element type, comparing and hashing as its Constant.
class LANGCORE_API ScalarConstant : public kbase::TupleWrapper<ScalarConstant, ScalarValue>,
                                    public kbase::Relatable<ScalarConstant, kbase::NativeEquality>,
                                    public kbase::detail::OrderingOperators<ScalarConstant> {
public:
    /// The logical false.
    ScalarConstant() noexcept : TupleWrapper(ScalarValue(Scalar<bool>{false})) {}
    /// The scalar `value`.
    template <class T>
    ScalarConstant(Scalar<T> const& value) noexcept : TupleWrapper(ScalarValue(value)) {}
    /// The scalar `c` holds; an array (even 1x1) or a tuple raises
    /// InvalidScalarConstant.
    explicit ScalarConstant(Constant const& c);

    /// The scalar, for boost::get and boost::apply_visitor.
    ScalarValue const& value() const noexcept { return get<0>(); }
    /// The element type.
    type::Id id() const noexcept { return static_cast<type::Id>(value().which()); }
};

/// As for the scalar Constant: NaN equals NaN, 0.0 equals -0.0, and compare
/// gives 3 when a NaN meets a number.
///@{
/// \relates lang::core::ScalarConstant
LANGCORE_API bool operator==(ScalarConstant const& a, ScalarConstant const& b) noexcept;
/// \relates lang::core::ScalarConstant
LANGCORE_API int compare(ScalarConstant const& a, ScalarConstant const& b) noexcept;
/// \relates lang::core::ScalarConstant
LANGCORE_API unsigned long hash_value(ScalarConstant const& s) noexcept;
///@}

/// The scalar type of its element type.
/// \relates lang::core::ScalarConstant
inline ScalarType scalar_type(ScalarConstant const& s) noexcept { return ScalarType(s.id()); }

/// The Constant holding the same scalar.
/// \relates lang::core::ScalarConstant
inline Constant to_constant(ScalarConstant const& s) noexcept {
    return boost::apply_visitor([](auto const& scalar) { return Constant(scalar); }, s.value());
}

/// The printed form of the scalar constant: true, 5, 5i, 2.0.
/// \relates lang::core::ScalarConstant
LANGCORE_API std::ostream& operator<<(std::ostream& os, ScalarConstant const& s);

/// The one and the zero (+0.0) of an element type; other ids raise
/// std::logic_error ("bad visit").
///@{
/// \relates lang::core::ScalarConstant
LANGCORE_API ScalarConstant one(type::Id id);
/// \relates lang::core::ScalarConstant
LANGCORE_API ScalarConstant zero(type::Id id);
///@}

}  // namespace lang::core
