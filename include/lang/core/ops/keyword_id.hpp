// SPDX-License-Identifier: Apache-2.0
// The language's reserved words, held as interned host identifiers. The table
// is built on the first call of all() and kept until the process ends, so the
// references it hands out never dangle.
#pragma once

#include <lang/core/export.hpp>

#include <kbase/table_string.hpp>

#include <cstdint>
#include <vector>

/// The reserved words of the language.
namespace lang::core::keyword {

/// A reserved word; the values index all().
enum Id : std::int32_t {
    ARRAY = 0,
    TUPLE,
    EMPTY,
    COLON,
    EYE,
    BLOCK,
    CAT,
    RESHAPE,
    REPMAT,
    CONVERT,
    TO_ARRAY,
    JOIN,
    BEGIN,
    END,
    IF,
    THEN,
    ELSE,
    FOR,
    TO,
    DOWNTO,
    STEP,
    DO,
    WHILE,
    RETURN,
    BREAK,
    EXTERNAL,
    EXPORT,
    DER,
    DOT,
    TIME,
    DELAY,
    UNIFORM_ARRAY,
    VALUE_COPY,
    REF_RANGE,
    ASSERTION,
    INTEG,
    FUNCTION,
    TSTART,
    TRANSFER_FUNCTION,
    NO_EVENT,
    NO_IMPLICIT_ASSERTS,
    NO_XFORM,
    CHART_TRANSITION,
    EDGE,
    LAST,
    INITIALEVENT,
    UPDATE,
    SAMPLE,
    TIMEREP,
};

/// The number of reserved words: the valid ids are 0 to COUNT - 1.
inline constexpr std::int32_t COUNT = TIMEREP + 1;

/// Every keyword's identifier, indexed by Id.
LANGCORE_API std::vector<kbase::BasicTableString<char>> const& all();

/// The identifier of one keyword ("der" for DER); `word` is not range-checked.
LANGCORE_API kbase::BasicTableString<char> const& name(Id const& word);

}  // namespace lang::core::keyword
