#include <lang/core/ext/resolver_eval_fcn.hpp>

#include <lang/core/ext/raw_value.hpp>

#include "test_support/values.hpp"

#include <boost/optional/optional_io.hpp>

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using groundwork::core::mem::aligned_heap;
using Path = kbase::BasicHdIdPath<1>;
using namespace test;

// A resolver that knows the functions added to it, counting how often it is
// asked and how often a function runs.
struct Registry {
    std::vector<std::pair<Path, ExternalFunctionInstance>> known;
    std::vector<Types> askedWith;
    int resolved = 0;
    int called = 0;

    void add(char const* path, Type const& returnType, ExternalFunctionInstance::Function f) {
        if (f) f = [this, f](void* out, void const* in) { ++called, f(out, in); };
        known.emplace_back(Path(path), ExternalFunctionInstance(returnType, f));
    }

    ResolverEvalFcn evaluator() {
        return ResolverEvalFcn([this](Path const& path, Types const& types) {
            ++resolved;
            askedWith.push_back(types);
            for (auto const& [name, instance] : known) {
                if (name == path) return instance;
            }
            return default_resolver(path, types);
        });
    }
};

double const* reals(void const* p) { return static_cast<double const*>(p); }
void const* const* args(void const* in) { return static_cast<void const* const*>(in); }

TEST(ResolverEvalFcn, DefaultResolverRaisesWithThePathAndTypes) {
    Types const types = Types(ScalarType(type::REAL)) + ArrayType(type::INTEGER, {2, 3});
    expect_message([&] { default_resolver(Path("pkg.fcn"), types); }, "tarvex:common:lang:core:ext",
                   "UnresolvedExternalFunction", {"pkg.fcn", "(real, array<integer, 2, 3>)"});
}

TEST(ResolverEvalFcn, FailureToResolveIsRememberedAsNone) {
    Registry registry;
    ResolverEvalFcn const eval = registry.evaluator();
    EXPECT_FALSE(eval.beenEvaled(Path("a.b"), Constants{2.0}));
    EXPECT_EQ(eval(Path("a.b"), Constants{2.0}), boost::none);
    EXPECT_EQ(registry.askedWith, std::vector<Types>{Types(ScalarType(type::REAL))});

    // Keys built afresh, equal to the first: answered from the memo.
    EXPECT_TRUE(eval.beenEvaled(Path("a.b"), Constants{2.0}));
    EXPECT_EQ(eval(Path("a.b"), Constants{2.0}), boost::none);
    EXPECT_EQ(registry.resolved, 1);

    // Another path, argument type, value or count is another key.
    EXPECT_FALSE(eval.beenEvaled(Path("a.b.c"), Constants{2.0}));
    EXPECT_FALSE(eval.beenEvaled(Path("a.b"), Constants{2}));
    EXPECT_FALSE(eval.beenEvaled(Path("a.b"), Constants{2.5}));
    EXPECT_EQ(registry.resolved, 1);
}

TEST(ResolverEvalFcn, CallsMarshalArgumentsAndResultsAndAreRememberedOnce) {
    Registry registry;
    // out = in[0] * scale, element-wise, on a 2x2 real array; scale an int.
    registry.add("m.scale", ArrayType(type::REAL, {2, 2}), [](void* out, void const* in) {
        double const* x = reals(args(in)[0]);
        int const scale = *static_cast<int const*>(args(in)[1]);
        for (int i = 0; i < 4; ++i) static_cast<double*>(out)[i] = x[i] * scale;
    });
    ResolverEvalFcn const eval = registry.evaluator();

    Constants const arguments{make<double>({2, 2}, {1, 2, 3, 4}), 10};
    auto const result = eval(Path("m.scale"), arguments);
    ASSERT_TRUE(result);
    EXPECT_EQ(*result, (make<double>({2, 2}, {10, 20, 30, 40})));
    EXPECT_EQ(registry.askedWith.at(0), Types(ArrayType(type::REAL, {2, 2})) + ScalarType(type::INTEGER));

    // Equal arguments held elsewhere: nothing is resolved or called again.
    auto const again = eval(Path("m.scale"), Constants{make<double>({2, 2}, {1, 2, 3, 4}), 10});
    EXPECT_EQ(again, result);
    EXPECT_EQ(registry.resolved, 1);
    EXPECT_EQ(registry.called, 1);
}

TEST(ResolverEvalFcn, TupleResultsAndNoArgumentsKeepTheirRawLayout) {
    Registry registry;
    void const* seenInput = nullptr;
    // Takes no arguments and returns (logical, (index, real array 1x2)).
    Type const nested = TupleType(Types(ScalarType(type::LOGICAL)) +
                                  TupleType(Types(ScalarType(type::INDEX)) + ArrayType(type::REAL, {1, 2})));
    registry.add("t.make", nested, [&](void* out, void const* in) {
        seenInput = in;
        auto const slots = static_cast<void* const*>(out);
        *static_cast<bool*>(slots[0]) = true;
        auto const inner = static_cast<void* const*>(slots[1]);
        *static_cast<unsigned long*>(inner[0]) = 7;
        static_cast<double*>(inner[1])[0] = 0.5;
        static_cast<double*>(inner[1])[1] = 1.5;
    });
    ResolverEvalFcn const eval = registry.evaluator();

    unsigned long const live = aligned_heap::live();
    EXPECT_EQ(*eval(Path("t.make"), Constants{}), Constant(Tuple{true, Tuple{7UL, make<double>({1, 2}, {0.5, 1.5})}}));
    // Even with no arguments the input is an allocated (empty) pointer array.
    EXPECT_NE(seenInput, nullptr);
    // Only the memo's copy of the array result is still held.
    EXPECT_EQ(aligned_heap::live(), live + 1);
}

TEST(ResolverEvalFcn, ExceptionsOtherThanMessagesPropagateAndAreForgotten) {
    Registry registry;
    registry.add("x.throws", TupleType(Types(ArrayType(type::REAL, {3, 1})) + TupleType(Types(ScalarType(type::REAL)))),
                 [](void*, void const*) { throw std::runtime_error("external failure"); });
    registry.add("x.empty", ScalarType(type::REAL), nullptr);
    ResolverEvalFcn const eval = registry.evaluator();
    Constants const arguments{make<int>({1, 2}, {1, 2}), Tuple{1.0}};

    unsigned long const live = aligned_heap::live();
    for (int attempt = 1; attempt <= 2; ++attempt) {
        EXPECT_THROW(eval(Path("x.throws"), arguments), std::runtime_error);
        EXPECT_FALSE(eval.beenEvaled(Path("x.throws"), arguments));
        EXPECT_EQ(registry.resolved, attempt);
        EXPECT_EQ(registry.called, attempt);
    }
    EXPECT_EQ(aligned_heap::live(), live);

    EXPECT_THROW(eval(Path("x.empty"), arguments), std::bad_function_call);
    EXPECT_FALSE(eval.beenEvaled(Path("x.empty"), arguments));
}

TEST(ResolverEvalFcn, KeyHashFoldsPathComponentsThenConstants) {
    Path const path("pkg.sub.fcn");
    Constants const constants{1, make<double>({1, 2}, {0.5, 2.0})};
    std::uint64_t pathHash = 0;
    for (auto const& component : path) pathHash = combine(pathHash, component.hash());
    std::uint64_t const expected = combine(combine(0, pathHash), hash_value(constants));

    ResolverEvalFcn::PathConstants const key(constants, path);
    EXPECT_EQ(hash_value(key), expected);

    // Equality holds whether or not either side has cached its hash.
    ResolverEvalFcn::PathConstants const uncached(Constants{1, make<double>({1, 2}, {0.5, 2.0})}, path);
    EXPECT_TRUE(uncached == key && key == uncached);
    EXPECT_FALSE(key == ResolverEvalFcn::PathConstants(constants, Path("pkg.sub")));
    EXPECT_FALSE(key == ResolverEvalFcn::PathConstants(Constants{1UL, make<double>({1, 2}, {0.5, 2.0})}, path));
}

}  // namespace
}  // namespace lang::core
