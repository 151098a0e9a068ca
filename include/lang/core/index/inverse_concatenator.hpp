// SPDX-License-Identifier: Apache-2.0
// The inverse of a concatenation plan: for an element of the result, the
// operand it comes from and its position there. Copies share one state, and a
// move copies.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/array_size.hpp>

#include <boost/optional.hpp>

#include <memory>
#include <utility>
#include <vector>

namespace lang::core {

/// Maps a position of a concatenation's result back to its operand.
class LANGCORE_API InverseConcatenator {
public:
    struct LANGCORE_API Impl {
        unsigned long dim;
        std::vector<ArraySize> sizes;
        /// The result size.
        ArraySize size;

        /// Validates as Concatenator does.
        static std::shared_ptr<Impl> make(unsigned long dim, std::vector<ArraySize> const& sizes);
    };

    /// Raises as Concatenator does for the same arguments.
    InverseConcatenator(unsigned long dim, std::vector<ArraySize> const& sizes);
    /// Copies share the plan. No move is declared, so a move copies and
    /// leaves the source as it was.
    ///@{
    InverseConcatenator(InverseConcatenator const&) noexcept = default;
    InverseConcatenator& operator=(InverseConcatenator const&) noexcept = default;
    ///@}

    /// The result size.
    ArraySize const& size() const noexcept { return impl_->size; }

    /// (operand number, linear position in that operand) of result position
    /// `linear`; none when `linear` is not below the result's element count.
    boost::optional<std::pair<unsigned long, unsigned long>> operator()(unsigned long linear) const;

private:
    std::shared_ptr<Impl const> impl_;
};

}  // namespace lang::core
