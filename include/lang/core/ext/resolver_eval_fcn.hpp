// SPDX-License-Identifier: Apache-2.0
// Evaluates calls of external functions on constant arguments through a
// resolver, and remembers every outcome per (path, arguments), failures to
// resolve included, so a repeated call resolves and calls nothing. The memo
// changes inside const calls without a lock: one evaluator, one thread.
#pragma once

#include <lang/core/constants/constant.hpp>
#include <lang/core/export.hpp>
#include <lang/core/ext/resolver.hpp>

#include <kbase/hash_memo.hpp>
#include <kbase/hd_id_path.hpp>

#include <boost/optional.hpp>
#include <boost/unordered_map.hpp>

#include <cstddef>
#include <utility>

namespace lang::core {

/// Evaluates external calls on constants through a resolver, memoising each
/// outcome; not for use on two threads at once.
///
/// Two calls of one function, the second answered from the memo (resolve is the program's ExternalFunctionResolver):
/// \snippet external_functions.cpp resolver_eval_fcn
class LANGCORE_API ResolverEvalFcn {
public:
    /// A dotted path naming a function.
    using Path = kbase::BasicHdIdPath<1>;

    /// The memo key: copies of the arguments (sharing their storage) and of
    /// the path, with the hash cached once computed.
    class LANGCORE_API PathConstants {
    public:
        /// Takes over both; the hash is computed on first need.
        PathConstants(Constants constants, Path path) noexcept
            : constants_(std::move(constants)), path_(std::move(path)) {}

        /// The arguments.
        Constants const& constants() const noexcept { return constants_; }
        /// The function's path.
        Path const& path() const noexcept { return path_; }

        /// Equal paths (component by component) and equal constants.
        friend LANGCORE_API bool operator==(PathConstants const& a, PathConstants const& b);
        /// Not ==.
        friend bool operator!=(PathConstants const& a, PathConstants const& b) { return !(a == b); }
        /// combine(combine(0, path hash), hash_value(constants)), where the path
        /// hash folds the components' hashes from 0.
        friend LANGCORE_API std::size_t hash_value(PathConstants const& key);

    private:
        friend class ResolverEvalFcn;

        Constants constants_;
        Path path_;
        kbase::HashMemo hash_;  ///< 0 until computed, and in a moved-from key
    };

    /// Each call answered so far: its value, or none when it did not resolve.
    using Memo = boost::unordered_map<PathConstants, boost::optional<Constant>>;

    /// Starts with an empty memo; default_resolver gives an evaluator that
    /// resolves nothing.
    explicit ResolverEvalFcn(ExternalFunctionResolver resolver) : resolver_(std::move(resolver)) {}

    /// The value of the call, or none when the resolver could not resolve it
    /// (raised a message exception). Any other exception, from the resolver
    /// or the function, propagates and leaves nothing remembered.
    boost::optional<Constant> operator()(Path const& path, Constants const& arguments) const;

    /// True when this call has been answered, with a value or with none.
    bool beenEvaled(Path const& path, Constants const& arguments) const;

private:
    ExternalFunctionResolver resolver_;
    mutable Memo memo_;
};

}  // namespace lang::core
