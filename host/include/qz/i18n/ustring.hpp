// SPDX-License-Identifier: Apache-2.0
// Conversion between narrow (UTF-8) text and UTF-16.
#pragma once

#include <kbase/export.hpp>

#include <string>

namespace qz::i18n {

/// ASCII widens unit for unit; other UTF-8 sequences decode to their UTF-16
/// form, and a malformed byte becomes U+FFFD.
KBASE_API std::u16string to_ustring(char const* text);
KBASE_API std::u16string to_ustring(std::string const& text);

/// The UTF-8 form of UTF-16 text; a lone surrogate is encoded as it stands.
KBASE_API std::string to_utf8(std::u16string const& text);

}  // namespace qz::i18n
