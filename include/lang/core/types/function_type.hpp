// SPDX-License-Identifier: Apache-2.0
// The type of a function: the list of its types, in order. It stands beside
// Type, not inside it, and is never a value type. A move shares the list like
// a copy, since a function type is never empty.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/type.hpp>
#include <lang/core/types/types.hpp>

#include <iosfwd>

namespace lang::core {

/// The type of a function: its list of types, in order. Not a Type alternative.
class LANGCORE_API FunctionType {
public:
    /// function<logical>.
    FunctionType();
    /// Raises EmptyFunctionType for an empty list or a lone void type.
    explicit FunctionType(Types const& types);
    /// Copies share the type list. No move is declared, so a move copies and
    /// leaves the source as it was.
    ///@{
    FunctionType(FunctionType const&) noexcept = default;
    FunctionType& operator=(FunctionType const&) noexcept = default;
    ///@}

    /// The types, in order.
    Types const& types() const noexcept { return types_; }

    /// Equal lists of types.
    friend bool operator==(FunctionType const& a, FunctionType const& b) { return a.types_ == b.types_; }

private:
    Types types_;
};

/// A function type is compound, and neither a value type nor void.
///@{
/// \relates lang::core::FunctionType
inline bool is_compound_type(FunctionType const&) noexcept { return true; }
/// \relates lang::core::FunctionType
inline bool is_value_type(FunctionType const&) noexcept { return false; }
/// \relates lang::core::FunctionType
inline bool is_void_type(FunctionType const&) noexcept { return false; }
///@}

/// Writes function<...> with the types separated by ", ".
/// \relates lang::core::FunctionType
LANGCORE_API std::ostream& operator<<(std::ostream& os, FunctionType const& t);

}  // namespace lang::core
