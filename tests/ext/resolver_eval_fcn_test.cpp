// SPDX-License-Identifier: Apache-2.0
// The evaluator of external calls, which remembers every outcome but an
// exception per (path, arguments), and the hash of its keys.
#include <lang/core/ext/resolver_eval_fcn.hpp>

#include "test_support/values.hpp"

#include <boost/optional/optional_io.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace lang::core {
namespace {

using Path = kbase::BasicHdIdPath<1>;
using namespace test;

// A resolver that knows the functions added to it, recording the argument
// types of each request and counting how often a function runs.
struct Registry {
    std::vector<std::pair<Path, ExternalFunctionInstance>> known;
    std::vector<Types> askedWith;
    int called = 0;

    void add(char const* path, Type const& returnType, ExternalFunctionInstance::Function f) {
        if (f) f = [this, f](void* out, void const* in) { ++called, f(out, in); };
        known.emplace_back(Path(path), ExternalFunctionInstance(returnType, f));
    }

    ResolverEvalFcn evaluator() {
        return ResolverEvalFcn([this](Path const& path, Types const& types) {
            askedWith.push_back(types);
            for (auto const& [name, instance] : known) {
                if (name == path) return instance;
            }
            return default_resolver(path, types);
        });
    }
};

// Arguments and results cross in the raw layout. Each outcome, a value or a
// failure to resolve, is resolved and run once; any other exception
// propagates and leaves nothing remembered.
TEST(ResolverEvalFcn, EveryOutcomeButAnExceptionIsRememberedOnce) {
    Registry registry;
    // out = in[0] * in[1], element-wise on a 2x2 real array; the scale an int.
    registry.add("m.scale", ArrayType(type::REAL, {2, 2}), [](void* out, void const* in) {
        auto const args = static_cast<void const* const*>(in);
        int const scale = *static_cast<int const*>(args[1]);
        for (int i = 0; i < 4; ++i) static_cast<double*>(out)[i] = static_cast<double const*>(args[0])[i] * scale;
    });
    // Takes no arguments and returns (index, real array 1x2).
    void const* seenInput = nullptr;
    registry.add("t.make", TupleType(Types(ScalarType(type::INDEX)) + ArrayType(type::REAL, {1, 2})),
                 [&](void* out, void const* in) {
                     seenInput = in;
                     auto const slots = static_cast<void* const*>(out);
                     *static_cast<unsigned long*>(slots[0]) = 7;
                     static_cast<double*>(slots[1])[0] = 0.5;
                     static_cast<double*>(slots[1])[1] = 1.5;
                 });
    registry.add("x.throws", TupleType(Types(ArrayType(type::REAL, {3, 1})) + TupleType(Types(ScalarType(type::REAL)))),
                 [](void*, void const*) { throw std::runtime_error("external failure"); });
    registry.add("x.empty", ScalarType(type::REAL), nullptr);
    ResolverEvalFcn const eval = registry.evaluator();

    unsigned long const live = heap::live();
    EXPECT_EQ(eval(Path("t.make"), Constants{}), Constant(Tuple{7UL, make<double>({1, 2}, {0.5, 1.5})}));
    // Even with no arguments the input is an allocated (empty) pointer array.
    EXPECT_NE(seenInput, nullptr);
    // Only the memo's copy of the array result is still held.
    EXPECT_EQ(heap::live(), live + 1);

    Types const types = Types(ScalarType(type::REAL)) + ArrayType(type::INTEGER, {2, 3});
    expect_message([&] { default_resolver(Path("pkg.fcn"), types); }, "tarvex:common:lang:core:ext",
                   "UnresolvedExternalFunction", {"pkg.fcn", "(real, array<integer, 2, 3>)"});
    // Keys built afresh each time, equal to the first: the second round is
    // answered from the memo.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(eval(Path("a.b"), Constants{2.0}), boost::none);
        EXPECT_TRUE(eval.beenEvaled(Path("a.b"), Constants{2.0}));
        EXPECT_EQ(eval(Path("m.scale"), Constants{make<double>({2, 2}, {1, 2, 3, 4}), 10}),
                  Constant(make<double>({2, 2}, {10, 20, 30, 40})));
    }
    Types const scaleTypes = Types(ArrayType(type::REAL, {2, 2})) + ScalarType(type::INTEGER);
    EXPECT_EQ(registry.askedWith, (std::vector<Types>{Types(), Types(ScalarType(type::REAL)), scaleTypes}));
    EXPECT_EQ(registry.called, 2);

    // Another path, argument type, value or count is another key.
    for (auto const& [path, args] : {std::pair{Path("a.b.c"), Constants{2.0}}, {Path("a.b"), Constants{2}},
                                     {Path("a.b"), Constants{2.5}}, {Path("a.b"), Constants{2.0, 2.0}}}) {
        EXPECT_FALSE(eval.beenEvaled(path, args)) << path;
    }

    Constants const arguments{make<int>({1, 2}, {1, 2}), Tuple{1.0}};
    unsigned long const held = heap::live();
    for (int attempt = 1; attempt <= 2; ++attempt) {
        EXPECT_THROW(eval(Path("x.throws"), arguments), std::runtime_error);
        EXPECT_FALSE(eval.beenEvaled(Path("x.throws"), arguments));
        EXPECT_EQ(registry.askedWith.size(), 3u + attempt);
        EXPECT_EQ(registry.called, 2 + attempt);
    }
    EXPECT_EQ(heap::live(), held);
    EXPECT_THROW(eval(Path("x.empty"), arguments), std::bad_function_call);
    EXPECT_FALSE(eval.beenEvaled(Path("x.empty"), arguments));
}

TEST(ResolverEvalFcn, KeyHashFoldsPathComponentsThenConstants) {
    Path const path("pkg.sub.fcn");
    Constants const constants{1, make<double>({1, 2}, {0.5, 2.0})};
    std::uint64_t pathHash = 0;
    for (auto const& component : path) pathHash = combine(pathHash, component.hash());
    ResolverEvalFcn::PathConstants const key(constants, path);
    EXPECT_EQ(hash_value(key), combine(combine(0, pathHash), hash_value(constants)));

    // Equality holds whether or not either side has cached its hash.
    ResolverEvalFcn::PathConstants const uncached(Constants{1, make<double>({1, 2}, {0.5, 2.0})}, path);
    EXPECT_TRUE(uncached == key && key == uncached);
    EXPECT_FALSE(key == ResolverEvalFcn::PathConstants(constants, Path("pkg.sub")));
    EXPECT_FALSE(key == ResolverEvalFcn::PathConstants(Constants{1UL, make<double>({1, 2}, {0.5, 2.0})}, path));
}

}  // namespace
}  // namespace lang::core
