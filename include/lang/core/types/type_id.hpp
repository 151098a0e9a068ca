// SPDX-License-Identifier: Apache-2.0
// The four element types of the language, their names, and the mapping
// between an id and the C++ type that stores its elements. The id of a
// scalar value equals the position of its alternative in a Constant.
#pragma once

#include <lang/core/export.hpp>

#include <kbase/table_string.hpp>

#include <cstdint>
#include <iosfwd>
#include <string>
#include <type_traits>

namespace lang::core {
/// The element types: their ids, names and the C++ types that store them.
namespace type {

/// An element type; INVALID where none applies.
enum Id : std::int32_t {
    INVALID = -1,
    LOGICAL = 0,  ///< bool
    INTEGER = 1,  ///< int, 32-bit signed, wrapping
    INDEX = 2,    ///< unsigned long, 64-bit unsigned, wrapping
    REAL = 3,     ///< double
};

/// Writes the stream name: "logical", "integer", "index", "real", or "invalid".
LANGCORE_API std::ostream& operator<<(std::ostream& os, Id id);

/// Reads one word; an identifier of up to 63 characters is looked up in any
/// letter case, anything else gives INVALID. Never sets the fail bit itself.
LANGCORE_API std::istream& operator>>(std::istream& is, Id& id);

/// The id whose stream name equals `name` exactly; INVALID otherwise.
LANGCORE_API Id id(std::string const& name);

/// True for INTEGER only; throws std::logic_error("bad visit") outside 0..3.
LANGCORE_API bool is_signed(Id id);

/// The id of an element type: id_of<double> is REAL.
template <class T>
inline constexpr Id id_of = std::is_same_v<T, bool>            ? LOGICAL
                            : std::is_same_v<T, int>           ? INTEGER
                            : std::is_same_v<T, unsigned long> ? INDEX
                            : std::is_same_v<T, double>        ? REAL
                                                               : INVALID;

namespace detail {
template <Id> struct Element;
template <> struct Element<LOGICAL> { using type = bool; };
template <> struct Element<INTEGER> { using type = int; };
template <> struct Element<INDEX> { using type = unsigned long; };
template <> struct Element<REAL> { using type = double; };
}  // namespace detail

/// The element type stored for an id: element_t<REAL> is double.
template <Id I>
using element_t = typename detail::Element<I>::type;

}  // namespace type

/// The name shown to users ("logical", "int32", "uint32", "double"); only for
/// ids 0..3.
LANGCORE_API kbase::BasicTableString<char> const& to_user_name(type::Id id);

}  // namespace lang::core
