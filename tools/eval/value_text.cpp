// SPDX-License-Identifier: Apache-2.0
#include "value_text.hpp"

#include <lang/core/core.hpp>

#include <cstdio>
#include <sstream>

namespace lang::eval {

std::string show(core::Constant const& value, ShowOptions const& options) {
    std::ostringstream os;
    os << (options.user ? core::user_text(value) : core::stream_text(value));
    if (options.type || options.hash) os << "  #";
    if (options.type) os << ' ' << core::value_type(value);
    if (options.hash) {
        char hex[24];
        std::snprintf(hex, sizeof hex, "0x%016lx", core::hash_value(value));
        os << ' ' << hex;
    }
    return os.str();
}

}  // namespace lang::eval
