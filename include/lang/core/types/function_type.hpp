// The type of a function: the list of its types, in order. It stands beside
// Type, not inside it, and is never a value type. A move shares the list like
// a copy, since a function type is never empty.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/type.hpp>
#include <lang/core/types/types.hpp>

#include <iosfwd>

namespace lang::core {

class LANGCORE_API FunctionType {
public:
    /// function<logical>.
    FunctionType();
    /// Raises EmptyFunctionType for an empty list or a lone void type.
    explicit FunctionType(Types const& types);
    FunctionType(FunctionType const&) noexcept = default;
    FunctionType& operator=(FunctionType const&) noexcept = default;

    Types const& types() const noexcept { return types_; }

    friend bool operator==(FunctionType const& a, FunctionType const& b) { return a.types_ == b.types_; }

private:
    Types types_;
};

inline bool is_compound_type(FunctionType const&) noexcept { return true; }
inline bool is_value_type(FunctionType const&) noexcept { return false; }
inline bool is_void_type(FunctionType const&) noexcept { return false; }

/// Writes function<...> with the types separated by ", ".
LANGCORE_API std::ostream& operator<<(std::ostream& os, FunctionType const& t);

}  // namespace lang::core
