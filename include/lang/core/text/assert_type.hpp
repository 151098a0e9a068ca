// SPDX-License-Identifier: Apache-2.0
// The severity an assertion of the language carries, with its names. The
// tables behind these functions are built once on first use and are safe to
// read from any thread.
#pragma once

#include <lang/core/export.hpp>

#include <boost/optional.hpp>

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace lang::core {

/// The severity of an assertion.
enum class AssertType : std::int32_t {
    ERROR = 0,
    WARNING = 1,
};

/// Every severity, in value order; the same list object on every call.
LANGCORE_API std::vector<AssertType> const& assert_types();

/// u"ERROR" or u"WARNING"; any other value throws std::out_of_range.
LANGCORE_API std::u16string const& to_ustring(AssertType const& severity);

/// Writes "ERROR" or "WARNING"; any other value throws std::out_of_range.
LANGCORE_API std::ostream& operator<<(std::ostream& os, AssertType const& severity);

/// The severity named exactly (case-sensitively) by `name`, or none.
LANGCORE_API boost::optional<AssertType> to_assert_type(std::u16string const& name);

}  // namespace lang::core
