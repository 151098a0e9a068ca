// SPDX-License-Identifier: Apache-2.0
// The language's one value type: a scalar or an array of one of the four
// element types, or a tuple of constants. The alternative's index is part of
// the interface: it orders, hashes and digests values. Copies of an array
// constant share its elements until one of them is written. A moved-from
// constant keeps its alternative: a scalar its value, while an array becomes
// the empty 0x0 array and a tuple the empty tuple.
#pragma once

#include <lang/core/constants/array.hpp>
#include <lang/core/constants/scalar.hpp>
#include <lang/core/constants/tuple.hpp>
#include <lang/core/export.hpp>
#include <lang/core/types/digest_sink.hpp>
#include <lang/core/types/type.hpp>

#include <kbase/relatable.hpp>

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <utility>
#include <variant>

namespace lang::core {

class ConstantIterator;
class ScalarConstant;

/// A constant value: a scalar, an array of one element type, or a tuple.
///
/// Folding constants, and the stream form they print:
/// \snippet folding_tour.cpp constant
class LANGCORE_API Constant : public kbase::Relatable<Constant, kbase::NativeEquality>,
                              public kbase::detail::OrderingOperators<Constant> {
public:
    /// The alternatives in their fixed order: a scalar's index is its
    /// type::Id, an array's is 4 plus its id, a tuple's is 8.
    using Value = std::variant<Scalar<bool>, Scalar<int>, Scalar<unsigned long>, Scalar<double>, Array<bool>,
                               Array<int>, Array<unsigned long>, Array<double>, Tuple>;

    /// A scalar or an array; the array's storage is shared, not copied.
    ///@{
    Constant(bool const& value) noexcept : Constant(Scalar<bool>{value}) {}
    Constant(int const& value) noexcept : Constant(Scalar<int>{value}) {}
    Constant(unsigned long const& value) noexcept : Constant(Scalar<unsigned long>{value}) {}
    Constant(double const& value) noexcept : Constant(Scalar<double>{value}) {}
    template <class T>
    Constant(Scalar<T> const& value) noexcept : value_(std::in_place_type<Scalar<T>>, value) {}
    template <class T>
    Constant(Array<T> const& value) noexcept : value_(std::in_place_type<Array<T>>, value) {}
    /// Takes over the array's block without touching its reference count.
    template <class T>
    Constant(Array<T>&& value) noexcept : value_(std::in_place_type<Array<T>>, std::move(value)) {}
    ///@}
    /// Takes over the tuple's list.
    Constant(Tuple value) noexcept : value_(std::in_place_type<Tuple>, std::move(value)) {}
    /// The alternative A built in place from `args`, as std::variant's.
    template <class A, class... Args>
    explicit Constant(std::in_place_type_t<A> alternative, Args&&... args)
        : value_(alternative, std::forward<Args>(args)...) {}

    /// The alternative's index 0..8, or -1 when an exception left no value.
    int id() const noexcept { return value_.valueless_by_exception() ? -1 : static_cast<int>(value_.index()); }

    /// The alternative, for std::get, std::get_if and std::visit.
    ///@{
    Value const& value() const noexcept { return value_; }
    Value& value() noexcept { return value_; }
    ///@}

    /// In place, the scalar or every element op `s` (plus, times, divide):
    /// an integer, index or real value and a scalar of its element type;
    /// every check is made before the first write.
    ///@{
    Constant& operator+=(ScalarConstant const& s);
    Constant& operator*=(ScalarConstant const& s);
    Constant& operator/=(ScalarConstant const& s);
    ///@}

    /// The elements of an array as scalar constants, in storage order; end()
    /// raises InvalidArray for a scalar or a tuple. ConstantIterator is in
    /// <lang/core/index/constant_iterator.hpp>.
    ///@{
    ConstantIterator begin() const;
    ConstantIterator end() const;
    ///@}

    /// Exchanges the two values.
    friend void swap(Constant& a, Constant& b) noexcept { a.value_.swap(b.value_); }

private:
    Value value_;
};

/// Throws the std::bad_variant_access ("Unexpected index") that inspecting a
/// valueless constant raises.
[[noreturn]] LANGCORE_API void throw_unexpected_index();

/// std::visit over the alternative of `c`; a valueless constant raises
/// std::bad_variant_access ("Unexpected index").
///@{
/// \relates lang::core::Constant
template <class F>
decltype(auto) visit(F&& f, Constant const& c) {
    if (c.value().valueless_by_exception()) throw_unexpected_index();
    return std::visit(std::forward<F>(f), c.value());
}
/// \relates lang::core::Constant
template <class F>
decltype(auto) visit(F&& f, Constant& c) {
    if (c.value().valueless_by_exception()) throw_unexpected_index();
    return std::visit(std::forward<F>(f), c.value());
}
///@}

/// The type of the value: scalar, array (with its shape) or tuple type.
/// \relates lang::core::Constant
LANGCORE_API Type value_type(Constant const& c);

/// The default value of a type: zeros, or a tuple of defaults.
/// \relates lang::core::Constant
LANGCORE_API Constant make_constant(Type const& t);

/// No scalar is empty; an array is when it has no elements; a tuple when
/// all of its elements are.
/// \relates lang::core::Constant
LANGCORE_API bool empty(Constant const& c);

/// Same alternative and equal values; NaN equals NaN and 0.0 equals -0.0.
/// Two valueless constants are equal.
/// \relates lang::core::Constant
LANGCORE_API bool operator==(Constant const& a, Constant const& b);
/// Lower alternative index first, then by value; 3 when a NaN meets a
/// number. A valueless constant orders after every value.
/// \relates lang::core::Constant
LANGCORE_API int compare(Constant const& a, Constant const& b);
/// Consistent with ==: equal constants hash equally.
/// \relates lang::core::Constant
LANGCORE_API unsigned long hash_value(Constant const& c);

/// The printed form: true, 5, 5i, 2.0, nan, [1, 2; 3, 4], empty<real, 0, 3>, {1, 2.0}.
/// \relates lang::core::Constant
LANGCORE_API std::ostream& operator<<(std::ostream& os, Constant const& c);

/// Feeds the digest bytes: the alternative index as 8 bytes, then the value.
/// \relates lang::core::Constant
LANGCORE_API void incorporate_data(DigestSink& sink, Constant const& c);

}  // namespace lang::core

/// Hashes a constant as hash_value() does, for unordered containers.
template <>
struct std::hash<lang::core::Constant> {
    /// hash_value(c).
    std::size_t operator()(lang::core::Constant const& c) const { return hash_value(c); }
};

#include <lang/core/constants/detail/constants_inline.hpp>
