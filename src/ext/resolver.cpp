// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ext/resolver.hpp>

#include "detail/raise.hpp"

namespace lang::core {

ExternalFunctionInstance default_resolver(kbase::BasicHdIdPath<1> const& path, Types const& argumentTypes) {
    raise<msg::ext::UnresolvedExternalFunction>(path, argumentTypes);
}

}  // namespace lang::core
