// SPDX-License-Identifier: Apache-2.0
// An array whose elements all equal one scalar, held as the scalar and the
// shape until its elements are needed, and the two functions on such values:
// materialising one and testing whether a constant is one.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/export.hpp>
#include <lang/core/types/array_size.hpp>
#include <lang/core/types/array_type.hpp>

#include <iosfwd>

namespace lang::core {

/// An array holding one value everywhere, held compactly.
class LANGCORE_API UniformArray {
public:
    /// `value` everywhere in shape `size`.
    UniformArray(ScalarConstant const& value, ArraySize const& size) : value_(value), size_(size) {}

    /// The value of every element.
    ScalarConstant const& value() const noexcept { return value_; }
    /// The shape.
    ArraySize const& size() const noexcept { return size_; }

private:
    ScalarConstant value_;
    ArraySize size_;
};

/// array<value's element type, lengths...>.
/// \relates lang::core::UniformArray
LANGCORE_API ArrayType array_type(UniformArray const& u);

/// to_constant(u.value(), u.size()).
/// \relates lang::core::UniformArray
LANGCORE_API Constant to_constant(UniformArray const& u);

/// uniform_array<value, lengths...>, e.g. uniform_array<true, 2, 3>.
/// \relates lang::core::UniformArray
LANGCORE_API std::ostream& operator<<(std::ostream& os, UniformArray const& u);

/// An array of shape `s` holding `v` everywhere. A shape with no elements
/// and exactly one zero length stands for one element: it gives that element
/// when every other length is 1, and raises InvalidReshape otherwise.
/// \relates lang::core::Constant
LANGCORE_API Constant to_constant(ScalarConstant const& v, ArraySize const& s);

/// Whether `c` is `v` repeated, with no conversion between element types: a
/// scalar equals v (NaN matches NaN), every array element equals v (IEEE: NaN
/// never matches), every tuple element is uniform. Empty arrays and tuples are.
/// \relates lang::core::Constant
LANGCORE_API bool is_uniform(Constant const& c, ScalarConstant const& v);

}  // namespace lang::core
