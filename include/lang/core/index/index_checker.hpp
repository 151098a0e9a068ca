// SPDX-License-Identifier: Apache-2.0
// Bounds checks for subscripts: n subscript positions over a size, the last
// position spanning every remaining dimension. Immutable once made; copies
// share one state and may be used from several threads, and a move copies.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/array_size.hpp>

#include <kbase/positive.hpp>

#include <memory>
#include <vector>

namespace lang::core {

/// Checks subscript values against the admissible length of their position.
class LANGCORE_API IndexChecker {
public:
    struct Impl {
        ArraySize size;
        /// The admissible length of each subscript position.
        std::vector<unsigned long> lengths;
    };

    /// Checks `subscripts` positions against `size`.
    IndexChecker(ArraySize const& size, kbase::Positive<unsigned long> subscripts);
    /// Copies share the lengths. No move is declared, so a move copies and
    /// leaves the source as it was.
    ///@{
    IndexChecker(IndexChecker const&) noexcept = default;
    IndexChecker& operator=(IndexChecker const&) noexcept = default;
    ///@}

    /// Raises InvalidIndex of the types catalog unless `index` is below the
    /// admissible length of `position`; a position past the last one throws
    /// std::out_of_range.
    void operator()(unsigned long index, unsigned long position) const;

    /// The size the subscripts index.
    ArraySize const& size() const noexcept { return impl_->size; }
    /// The admissible length of each subscript position.
    std::vector<unsigned long> const& lengths() const noexcept { return impl_->lengths; }

private:
    std::shared_ptr<Impl const> impl_;
};

}  // namespace lang::core
