// SPDX-License-Identifier: Apache-2.0
#include <lang/core/version.hpp>

namespace lang::core {

// Compiled into the library, so it reports the library that is loaded rather
// than the header the caller was built with.
char const* version() noexcept { return LANGCORE_VERSION_STRING; }

}  // namespace lang::core
