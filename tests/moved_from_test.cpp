// SPDX-License-Identifier: Apache-2.0
// Every value class, moved from by construction and by assignment: the source
// must stay a valid value in its documented state (unchanged, or empty for
// the classes that own their storage), and every operation the class has
// must work on it.
#include <lang/core/core.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

Types some_types() {
    return Types(Type(ScalarType(type::REAL))) + Type(ArrayType(type::INDEX, {2, 3})) + Type();
}

template <class T>
Array<T> counting_array() {
    Array<T> a(ArraySize{2, 3});
    unsigned k = 0;
    for (T& e : a) e = static_cast<T>(++k % 4);
    return a;
}

IndexerBuilder some_builder() {
    IndexerBuilder b(ArraySize{4, 3});
    b.append_(make_list_entry({3, 0, 2}));
    b.append_(make_counting_entry(1, 3));
    return b;
}

template <class T>
struct Of {};

// Samples of each class; the test views each one first, so memos are filled.
auto samples(Of<ArraySize>) { return std::vector<ArraySize>{{2, 3, 4}, {0}}; }
auto samples(Of<ScalarType>) { return std::vector{ScalarType(type::REAL)}; }
auto samples(Of<ArrayType>) { return std::vector{ArrayType(type::INDEX, {2, 3})}; }
auto samples(Of<TupleType>) { return std::vector{TupleType(some_types()), TupleType(Types())}; }
auto samples(Of<FunctionType>) { return std::vector{FunctionType(some_types())}; }
auto samples(Of<Type>) { return std::vector<Type>{TupleType(some_types()), ScalarType(type::INTEGER), Type()}; }
auto samples(Of<Types>) { return std::vector{some_types()}; }
template <class T>
auto samples(Of<Array<T>>) { return std::vector{counting_array<T>()}; }
auto samples(Of<Constant>) {
    return std::vector<Constant>{false, 7, 7UL, 2.5, counting_array<bool>(), counting_array<int>(),
                                 counting_array<unsigned long>(), counting_array<double>(),
                                 Tuple{1, counting_array<double>(), Tuple{}}};
}
auto samples(Of<ScalarConstant>) {
    return std::vector<ScalarConstant>{Scalar<double>{-0.5}, Scalar<unsigned long>{9}};
}
auto samples(Of<Tuple>) { return std::vector{Tuple{1, counting_array<double>(), Tuple{true}}}; }
auto samples(Of<Constants>) { return std::vector{Constants{1, counting_array<int>(), Tuple{}}}; }
auto samples(Of<Colon>) { return std::vector{Colon(1, 2, 9)}; }
auto samples(Of<Eye>) { return std::vector{Eye(type::REAL, {3, 2})}; }
auto samples(Of<UniformArray>) { return std::vector{UniformArray(Scalar<int>{-3}, {2, 2})}; }
auto samples(Of<IndexerBuilder>) { return std::vector{some_builder(), IndexerBuilder(ArraySize{2, 2})}; }
auto samples(Of<Indexer>) { return std::vector<Indexer>{some_builder()}; }
auto samples(Of<IndexChecker>) { return std::vector{IndexChecker({2, 3, 4}, 2)}; }
auto samples(Of<Concatenator>) { return std::vector{Concatenator(1, {{2, 1}, {2, 3}})}; }
auto samples(Of<InverseConcatenator>) { return std::vector{InverseConcatenator(0, {{1, 2}, {3, 2}})}; }
auto samples(Of<ExternalFunctionInstance>) {
    return std::vector{ExternalFunctionInstance(ScalarType(type::REAL),
                                                [](void* out, void const*) { *static_cast<double*>(out) = 42.5; })};
}

// The value a move leaves behind: the sample itself, unless the class
// empties what it owns.
template <class T>
T after_move(T const& sample) { return sample; }
template <class T>
Array<T> after_move(Array<T> const&) { return Array<T>(ArraySize{0, 0}); }
Types after_move(Types const&) { return Types(); }
Tuple after_move(Tuple const&) { return Tuple{}; }
Constants after_move(Constants const&) { return Constants(); }
// Scalars keep their value, arrays and tuples lose their elements.
Constant after_move(Constant const& c) {
    return visit([]<class A>(A const& value) -> Constant {
        if constexpr (std::is_same_v<A, Tuple> || is_array_v<A>) return after_move(value);
        else return value;
    }, c);
}

// Everything the class lets a caller see, as text: its printed form, hash,
// size, elements and whatever its own accessors tell.
template <class T>
std::string view(T const& x) {
    std::ostringstream os;
    if constexpr (requires { os << x; }) os << x << '|';
    if constexpr (requires { hash_value(x); }) os << hash_value(x) << '|';
    if constexpr (requires { x.hash(); }) os << x.hash() << '|';
    if constexpr (requires { os << x.size(); }) os << x.size() << '|';
    if constexpr (std::is_same_v<T, Constant>) {
        os << value_type(x) << '|';
        if (x.id() >= 4 && x.id() < 8)
            for (ConstantIterator it = x.begin(); it != x.end(); ++it) os << *it << ',';
    } else if constexpr (requires { os << *x.begin(); x.end(); }) {
        for (auto const& e : x) os << e << ',';  // an indexer's positions too
    }
    if constexpr (std::is_same_v<T, IndexerBuilder>) {
        os << x.entries().size() << ' ' << view(Indexer(x));
    } else if constexpr (std::is_same_v<T, Indexer>) {
        x.for_each([&](unsigned long p) { os << p << ','; });
    } else if constexpr (std::is_same_v<T, IndexChecker>) {
        for (unsigned long position = 0; position < x.lengths().size(); ++position) {
            unsigned long const length = x.lengths()[position];
            x(length - 1, position);
            EXPECT_THROW(x(length, position), kbase::MessageException);
            os << length << ',';
        }
    } else if constexpr (std::is_same_v<T, Concatenator>) {
        for (Concatenator::Entry const& e : x) os << e.src() << ' ' << view(e.dstIndexer()) << view(e.srcIndexer());
    } else if constexpr (std::is_same_v<T, InverseConcatenator>) {
        for (unsigned long k = 0; k <= x.size().numElements(); ++k)
            if (auto const at = x(k)) os << at->first << '@' << at->second << ',';
    } else if constexpr (std::is_same_v<T, ExternalFunctionInstance>) {
        double out = 0;
        x.function()(&out, nullptr);
        os << x.returnType() << ' ' << out;
    }
    return os.str();
}

// Has every relation itself, not just through a conversion to Constant.
template <class T>
concept FullyRelated = requires(T const& x, std::ostream& os) {
    compare(x, x);
    hash_value(x);
    x < x;
    os << x;
};

template <class T>
void expect_valid_moved_from(T& source, T const& moved_to, T const& sample) {
    T const expected = after_move(sample);
    EXPECT_EQ(view(moved_to), view(sample));
    EXPECT_EQ(view(source), view(expected));
    if constexpr (FullyRelated<T>) expect_consistent_relations(std::vector<T>{source, expected, sample});
    if constexpr (requires { source == source; }) {
        EXPECT_TRUE(source == expected);
    }
    T const copy(source);
    EXPECT_EQ(view(copy), view(expected));
    if constexpr (requires { source.x(); }) {
        source.x();  // a write access unshares or allocates
        EXPECT_EQ(view(source), view(expected));
    }
    source = sample;
    EXPECT_EQ(view(source), view(sample));
}

template <class T>
class MovedFrom : public ::testing::Test {};

using ValueClasses = ::testing::Types<ArraySize, ScalarType, ArrayType, TupleType, FunctionType, Type, Types,
                                      Array<bool>, Array<int>, Array<unsigned long>, Array<double>, Constant,
                                      ScalarConstant, Tuple, Constants, Colon, Eye, UniformArray, IndexerBuilder,
                                      Indexer, IndexChecker, Concatenator, InverseConcatenator,
                                      ExternalFunctionInstance>;
TYPED_TEST_SUITE(MovedFrom, ValueClasses);

TYPED_TEST(MovedFrom, SourceStaysAValidValueInItsDocumentedState) {
    using T = TypeParam;
    std::vector<T> const samples = lang::core::samples(Of<T>{});
    for (T const& sample : samples) {
        SCOPED_TRACE(view(sample));
        {
            T source = sample;
            T const moved_to(std::move(source));
            expect_valid_moved_from(source, moved_to, sample);
        }
        {
            T source = sample;
            T moved_to = samples.back();
            moved_to = std::move(source);
            expect_valid_moved_from(source, moved_to, sample);
        }
    }
}

}  // namespace
}  // namespace lang::core
