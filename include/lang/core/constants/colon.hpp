// SPDX-License-Identifier: Apache-2.0
// A range of index values start, start + step, ... below stop, held as its
// three numbers until its elements are needed. The constructors insist on
// start < stop; a step of 0 is the caller's fault and is not checked.
#pragma once

#include <lang/core/constants/array.hpp>
#include <lang/core/export.hpp>
#include <lang/core/types/array_type.hpp>

#include <iosfwd>

namespace lang::core {

/// The index range start, start + step, ... below stop, held compactly.
class LANGCORE_API Colon {
public:
    /// Step 1; raises InvalidColon unless start < stop.
    Colon(unsigned long start, unsigned long stop);
    /// Raises InvalidColon unless start < stop.
    Colon(unsigned long start, unsigned long step, unsigned long stop);

    /// The bounds and step, as constructed; stop is excluded.
    ///@{
    unsigned long start() const noexcept { return start_; }
    unsigned long step() const noexcept { return step_; }
    unsigned long stop() const noexcept { return stop_; }
    ///@}
    /// The number of values, at least 1.
    unsigned long count() const noexcept { return (stop_ + step_ - 1 - start_) / step_; }

private:
    unsigned long start_;
    unsigned long step_;
    unsigned long stop_;
};

/// array<index, count, 1>: a column.
/// \relates lang::core::Colon
LANGCORE_API ArrayType array_type(Colon const& c);

/// The count x 1 column of the values, in order.
/// \relates lang::core::Colon
LANGCORE_API Array<unsigned long> to_constant(Colon const& c);

/// colon<start, step, stop>.
/// \relates lang::core::Colon
LANGCORE_API std::ostream& operator<<(std::ostream& os, Colon const& c);

}  // namespace lang::core
