// SPDX-License-Identifier: Apache-2.0
// Conversion of UTF-16 text to printable 7-bit ASCII with backslash escapes
// and back: deserialize(serialize(s)) == s for every s. Both directions are
// pure functions; deserialize absorbs malformed input instead of failing.
#pragma once

#include <lang/core/export.hpp>

#include <string>

namespace lang::core {

/// UTF-16 text to escaped printable ASCII and back.
class LANGCORE_API QuotedStringConversion {
public:
    /// Printable characters other than \ " ' stay as they are; line feed
    /// becomes \n, those three get a backslash, everything else an octal escape.
    static std::string serialize(std::u16string const& text);

    /// Reads the escapes back; characters outside 32..126 are skipped, unknown
    /// escapes and a trailing backslash are dropped.
    static std::u16string deserialize(std::string const& quoted);

    /// Most octal digits one escape carries, and the width of the zero-filled
    /// escape written before an octal digit.
    static unsigned long const MAX_OCTAL_DIGITS;
};

}  // namespace lang::core
