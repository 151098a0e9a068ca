// SPDX-License-Identifier: Apache-2.0
// An identity-like array of any element type and shape, held as the two until
// its elements are needed: 1 where every index is equal, 0 elsewhere.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>
#include <lang/core/types/array_size.hpp>
#include <lang/core/types/array_type.hpp>
#include <lang/core/types/type_id.hpp>

#include <iosfwd>
#include <utility>

namespace lang::core {

/// An identity array, held compactly: ones on the diagonal, zeros elsewhere.
class LANGCORE_API Eye {
public:
    /// Logical and 0x1, with no elements.
    Eye();
    /// Of element type `type` and shape `size`.
    Eye(type::Id type, ArraySize const& size) noexcept : type_(type), size_(size) {}

    /// The element type.
    type::Id type() const noexcept { return type_; }
    /// The shape.
    ArraySize const& size() const noexcept { return size_; }

private:
    type::Id type_;
    ArraySize size_;
};

/// array<type, lengths...>.
/// \relates lang::core::Eye
LANGCORE_API ArrayType array_type(Eye const& e);

/// (stride, stop): the diagonal is the linear positions 0, stride, 2 stride,
/// ... below stop.
/// \relates lang::core::Eye
LANGCORE_API std::pair<unsigned long, unsigned long> stride_and_stop(Eye const& e);

/// The array itself; an element type outside 0..3 raises std::logic_error
/// ("bad visit").
/// \relates lang::core::Eye
LANGCORE_API Constant to_constant(Eye const& e);

/// eye<type, lengths...>, e.g. eye<real, 3, 3>.
/// \relates lang::core::Eye
LANGCORE_API std::ostream& operator<<(std::ostream& os, Eye const& e);

}  // namespace lang::core
