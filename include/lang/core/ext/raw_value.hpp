// SPDX-License-Identifier: Apache-2.0
// Moves values between a Constant and the untyped memory external functions
// work on; the Type of a value says how its bytes are laid out. A view made by
// create_value points into its constant: keep the constant alive and unchanged
// in kind and size until the view is given back to destroy.
//
// Raw layout, host byte order, no header:
//   logical scalar   1 byte (0 or 1)      integer scalar   4 bytes
//   index scalar     8 bytes              real scalar      8 bytes
//   array            its elements in column-major order, no gaps
//   tuple            one pointer per element, each to that element's layout
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>
#include <lang/core/types/type.hpp>

#include <memory>

namespace lang::core {

/// A read-only view of `c`'s value. Elements are never copied; only tuples
/// allocate (their pointer arrays). An empty array's view must not be read.
/// \relates lang::core::Constant
LANGCORE_API void const* create_value(Constant const& c);
/// A writable view with the same layout: array storage is made exclusive to
/// `c` first, so writes through the view change `c` alone.
/// \relates lang::core::Constant
LANGCORE_API void* create_value(Constant& c);

/// Releases a view; `c` must be the constant it was made from.
/// \relates lang::core::Constant
LANGCORE_API void destroy(Constant const& c, void const* view);

namespace detail {

/// The deleter of a view: remembers the constant the view was made from.
class DestroyValue {
public:
    /// For views of `c`, which must outlive the deleter's use.
    explicit DestroyValue(Constant const& c) noexcept : constant_(&c) {}
    /// destroy(c, view).
    void operator()(void const* view) const { destroy(*constant_, view); }

private:
    Constant const* constant_;
};

}  // namespace detail

/// The views of create_value, released when the pointer goes.
///@{
/// \relates lang::core::Constant
inline std::unique_ptr<void const, detail::DestroyValue> create_value_ptr(Constant const& c) {
    return {create_value(c), detail::DestroyValue(c)};
}
/// \relates lang::core::Constant
inline std::unique_ptr<void, detail::DestroyValue> create_value_ptr(Constant& c) {
    return {create_value(c), detail::DestroyValue(c)};
}
///@}

/// A new constant of type `t` read from `raw`, which it does not keep.
/// \relates lang::core::Constant
LANGCORE_API Constant create_constant(Type const& t, void const* raw);

/// Writes `c` into caller-owned memory laid out for value_type(c); a tuple's
/// destination is the caller's array of pointers to its elements' memory.
/// \relates lang::core::Constant
LANGCORE_API void copy_from_constant(void* raw, Constant const& c);

}  // namespace lang::core
