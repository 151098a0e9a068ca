// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/constant_iterator.hpp>
#include <lang/core/index/indexable.hpp>
#include <lang/core/ops/convert.hpp>

namespace lang::core {

Constant ConstantIterator::dereference() const { return indexable::Get<Constant>()(*constant_, position_); }

ConstantIterator Constant::begin() const { return ConstantIterator(*this, 0); }

// Only an array has an end: array_type raises InvalidArray for the others.
ConstantIterator Constant::end() const { return ConstantIterator(*this, array_type(*this).size().numElements()); }

}  // namespace lang::core
