// SPDX-License-Identifier: Apache-2.0
// Lookup of message texts in the compiled-in catalogs.
//
// A catalog file holds one "@catalog NAME" line, then "Key = text" lines;
// {1}, {2}, ... in a text stand for the arguments in slot order. Blank lines
// and lines starting with "#" are ignored.
#pragma once

#include <string>
#include <string_view>

namespace kbase::detail {

/// The text of a key, or null when its catalog does not hold it.
std::string const* find_message_text(std::string_view catalog, std::string_view key);

}  // namespace kbase::detail
