// SPDX-License-Identifier: Apache-2.0
// Writes a printed list: `open`, the elements with their stream operator
// separated by ", ", then `close`. Every bracketed list of the library's
// printed forms goes through here.
#pragma once

#include <ostream>
#include <string_view>

namespace lang::core::detail {

template <class Range>
std::ostream& write_list(std::ostream& os, std::string_view open, Range const& elements, std::string_view close) {
    os << open;
    std::string_view separator;
    for (auto const& e : elements) {
        os << separator << e;
        separator = ", ";
    }
    return os << close;
}

}  // namespace lang::core::detail
