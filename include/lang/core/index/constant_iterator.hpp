// SPDX-License-Identifier: Apache-2.0
// Walks the elements of an array constant in storage order, each read as a
// scalar constant. It points to the constant without owning it, so the
// constant must outlive it; Constant::begin() and end() make them.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>

#include <boost/iterator/iterator_facade.hpp>

namespace lang::core {

/// A bidirectional iterator over an array constant's elements, each a scalar
/// Constant; it does not own the constant.
class LANGCORE_API ConstantIterator
    : public boost::iterator_facade<ConstantIterator, Constant, boost::bidirectional_traversal_tag, Constant> {
public:
    ConstantIterator() noexcept = default;
    /// At element `position` of `constant`.
    ConstantIterator(Constant const& constant, unsigned long position) noexcept
        : constant_(&constant), position_(position) {}

    /// The element at the position, by value; positions are not checked.
    Constant dereference() const;
    /// Moves the position; the iterator operators call these.
    ///@{
    void increment() noexcept { ++position_; }
    void decrement() noexcept { --position_; }
    void advance(long n) noexcept { position_ += static_cast<unsigned long>(n); }
    ///@}
    /// Same constant object and same position.
    bool equal(ConstantIterator const& other) const noexcept {
        return constant_ == other.constant_ && position_ == other.position_;
    }

    /// The linear position in the constant.
    unsigned long position() const noexcept { return position_; }

private:
    Constant const* constant_ = nullptr;
    unsigned long position_ = 0;
};

}  // namespace lang::core
