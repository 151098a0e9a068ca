// SPDX-License-Identifier: Apache-2.0
// Resolvers find external functions by dotted path and argument types. A
// resolver that does not know a function raises a message exception, which an
// evaluator (ResolverEvalFcn) remembers as "not resolvable".
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/ext/external_function_instance.hpp>
#include <lang/core/types/types.hpp>

#include <kbase/hd_id_path.hpp>

#include <boost/function.hpp>

namespace lang::core {

/// Finds the external function of a dotted path for the given argument types;
/// raises a message exception when it knows none.
using ExternalFunctionResolver = boost::function<ExternalFunctionInstance(kbase::BasicHdIdPath<1> const&, Types const&)>;

/// The resolver that knows no function: always raises
/// ext::UnresolvedExternalFunction with the dotted path and the argument types.
/// \relates lang::core::ResolverEvalFcn
[[noreturn]] LANGCORE_API ExternalFunctionInstance default_resolver(kbase::BasicHdIdPath<1> const& path,
                                                                   Types const& argumentTypes);

}  // namespace lang::core
