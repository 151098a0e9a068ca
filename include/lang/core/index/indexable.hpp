// SPDX-License-Identifier: Apache-2.0
// Element-level access to constants, as the code that lowers subscripts uses
// it: stateless functors specialised for Constant. Positions are 0-based
// column-major and are not checked (an IndexChecker or Indexer has done
// that); kinds are, before anything is written. Writes copy shared storage.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>
#include <lang/core/index/index_range.hpp>
#include <lang/core/types/array_size.hpp>
#include <lang/core/types/array_type.hpp>

/// Element access on constants: get, set, assign, reshape and repeat.
namespace lang::core::indexable {

template <class V>
struct Create;
template <class V>
struct Get;
template <class V>
struct Set;
template <class V>
struct Assign;
template <class V>
struct Reshape;
template <class V>
struct Repmat;
template <class V>
struct ToIndex;
template <class V>
struct ToIndexRange;

/// Makes an array constant of a type.
template <>
struct LANGCORE_API Create<Constant> {
    /// An array of zeros of the type's shape; an element type outside 0..3
    /// raises std::logic_error ("bad visit").
    Constant operator()(ArrayType const& type) const;
};

/// Reads one element.
template <>
struct LANGCORE_API Get<Constant> {
    /// Element `i` of an array as a scalar; InvalidGet for anything else.
    Constant operator()(Constant const& array, unsigned long i) const;
};

/// Writes one element.
template <>
struct LANGCORE_API Set<Constant> {
    /// Element `i` of the array `dst` becomes the scalar `value` of the same
    /// element type; InvalidSet for any other pair.
    void operator()(Constant& dst, unsigned long i, Constant const& value) const;
};

/// Copies elements between positions of two arrays.
template <>
struct LANGCORE_API Assign<Constant> {
    /// Copies src's elements at `srcPositions` to dst's at `dstPositions`,
    /// pairwise until the shorter range ends; both must be arrays of one
    /// element type, or InvalidAssign.
    void operator()(Constant& dst, IndexRange const& dstPositions, Constant const& src,
                    IndexRange const& srcPositions) const;
};

/// Gives an array another shape of the same element count.
template <>
struct LANGCORE_API Reshape<Constant> {
    /// The same elements, sharing their storage, under ArraySize::reshape of
    /// the array's size to `size`; InvalidArray for a scalar or tuple.
    Constant operator()(Constant const& array, ArraySize const& size) const;
};

/// Tiles an array.
template <>
struct LANGCORE_API Repmat<Constant> {
    /// The array tiled reps(k) times along each dimension k; InvalidArray for
    /// a scalar or tuple.
    Constant operator()(Constant const& array, ArraySize const& reps) const;
};

/// Reads an index scalar.
template <>
struct LANGCORE_API ToIndex<Constant> {
    /// The value of an index (uint32) scalar; InvalidIndex for anything else.
    unsigned long operator()(Constant const& index) const;
};

/// Reads an index array.
template <>
struct LANGCORE_API ToIndexRange<Constant> {
    /// An index (uint32) array, sharing its storage; InvalidIndex for
    /// anything else.
    Array<unsigned long> operator()(Constant const& indices) const;
};

}  // namespace lang::core::indexable
