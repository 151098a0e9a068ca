// SPDX-License-Identifier: Apache-2.0
// A count that must be positive, checked when it is made.
#pragma once

#include <stdexcept>

namespace kbase {

template <class T>
class Positive {
public:
    /// Throws std::logic_error for a value that is not above zero.
    Positive(T value) : value_(value) {  // NOLINT: implicit on purpose, callers pass plain counts
        if (!(value_ > T{})) throw std::logic_error("non-positive value found where a positive value was expected.");
    }

    T get() const noexcept { return value_; }
    operator T() const noexcept { return value_; }

private:
    T value_;
};

}  // namespace kbase
