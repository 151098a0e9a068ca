// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ext/resolver_eval_fcn.hpp>

#include <lang/core/ext/raw_value.hpp>

#include "detail/hash.hpp"

#include <kbase/message.hpp>

#include <cstdint>

namespace lang::core {

using PathConstants = ResolverEvalFcn::PathConstants;

namespace {

std::size_t key_hash(ResolverEvalFcn::Path const& path, Constants const& constants) {
    std::uint64_t h = 0;
    for (auto const& component : path) h = detail::hash_combine(h, component.hash());
    return detail::hash_combine(detail::hash_combine(0, h), hash_value(constants));
}

// Looks a call up without copying its path and arguments into a key.
struct Probe {
    ResolverEvalFcn::Path const& path;
    Constants const& constants;
    std::size_t hash;
};

struct ProbeHash {
    std::size_t operator()(Probe const& p) const noexcept { return p.hash; }
};

struct ProbeEqual {
    bool operator()(Probe const& p, PathConstants const& key) const {
        // Buckets are searched without comparing hashes first; comparing
        // them here spares most comparisons of argument values.
        return hash_value(key) == p.hash && key.path() == p.path && key.constants() == p.constants;
    }
};

}  // namespace

bool operator==(PathConstants const& a, PathConstants const& b) {
    unsigned long const ha = a.hash_.load();
    unsigned long const hb = b.hash_.load();
    if (ha != 0 && hb != 0 && ha != hb) return false;
    return a.path_ == b.path_ && a.constants_ == b.constants_;
}

std::size_t hash_value(PathConstants const& key) {
    return key.hash_.get([&] { return key_hash(key.path_, key.constants_); });
}

boost::optional<Constant> ResolverEvalFcn::operator()(Path const& path, Constants const& arguments) const {
    std::size_t const hash = key_hash(path, arguments);
    if (auto const hit = memo_.find(Probe{path, arguments, hash}, ProbeHash(), ProbeEqual()); hit != memo_.end()) {
        return hit->second;
    }
    PathConstants key(arguments, path);
    key.hash_.store(hash);

    Types argumentTypes;
    for (Constant const& argument : arguments) argumentTypes += value_type(argument);

    ExternalFunctionInstance::Function function;
    Type returnType;
    try {
        ExternalFunctionInstance const instance = resolver_(path, argumentTypes);
        function = instance.function();
        returnType = instance.returnType();
    } catch (kbase::MessageException const&) {
        // The call cannot be resolved with these arguments; asking again
        // would give the same answer.
        memo_.emplace(std::move(key), boost::none);
        return boost::none;
    }

    Constant result = make_constant(returnType);
    {
        // The views must go before `result` is handed out (and maybe moved
        // from): releasing a tuple's view walks the constant it was made from.
        Constant const input{Tuple(arguments)};
        auto const in = create_value_ptr(input);
        auto const out = create_value_ptr(result);
        function(out.get(), in.get());
        memo_.emplace(std::move(key), result);
    }
    return result;
}

bool ResolverEvalFcn::beenEvaled(Path const& path, Constants const& arguments) const {
    return memo_.find(Probe{path, arguments, key_hash(path, arguments)}, ProbeHash(), ProbeEqual()) != memo_.end();
}

}  // namespace lang::core
