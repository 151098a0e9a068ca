// SPDX-License-Identifier: Apache-2.0
// The text users see for one element: true, int32(5), uint32(5), 2.5000,
// -Inf, NaN. Integers carry their type constructor; reals and logicals do not.
#pragma once

#include <lang/core/export.hpp>

#include <string>

namespace lang::core::detail {

/// For T = bool, int, unsigned long, double.
template <class T>
struct ScalarToUserString {
    /// The user text of `value`.
    std::u16string operator()(T const& value) const;
};

extern template struct LANGCORE_API ScalarToUserString<bool>;
extern template struct LANGCORE_API ScalarToUserString<int>;
extern template struct LANGCORE_API ScalarToUserString<unsigned long>;
extern template struct LANGCORE_API ScalarToUserString<double>;

}  // namespace lang::core::detail
