#include <lang/core/constants/constant.hpp>

#include "test_support/value_laws.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace lang::core {
namespace {

using namespace std::string_literals;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

std::uint64_t combine(std::uint64_t h, std::uint64_t k) {
    constexpr std::uint64_t m = 0xc6a4a7935bd1e995ULL;
    k *= m;
    k ^= k >> 47;
    k *= m;
    return ((h ^ k) * m) + 0xe6546b64ULL;
}

template <class T>
Constant array(ArraySize const& size, std::vector<T> const& elements) {
    Array<T> a(size);
    std::copy(elements.begin(), elements.end(), a.begin());
    return a;
}

// The fed bytes, with a '|' after every sink call so field widths show.
std::string digest(Constant const& c) {
    std::string bytes;
    DigestSink sink = [&](char const* data, unsigned long n) { bytes.append(data, n) += '|'; };
    incorporate_data(sink, c);
    return bytes;
}

std::string be64(std::uint64_t v) {
    std::string s;
    for (int shift = 56; shift >= 0; shift -= 8) s += static_cast<char>(v >> shift);
    return s + '|';
}

// Leaves `c` valueless: the new alternative throws while it is being made.
void make_valueless(Constant& c) {
    struct Throws {
        operator Tuple() const { throw std::runtime_error("no tuple"); }
    };
    EXPECT_THROW(c.value().emplace<8>(Throws{}), std::runtime_error);
    ASSERT_EQ(c.id(), -1);
}

template <class F>
void expect_unexpected_index(F&& f) {
    try {
        f();
        ADD_FAILURE() << "no std::bad_variant_access";
    } catch (std::bad_variant_access const& e) {
        EXPECT_STREQ(e.what(), "Unexpected index");
    }
}

TEST(Constant, AlternativesHaveFixedIndicesAndTypes) {
    std::vector<std::pair<Constant, std::string>> const cases{
        {true, "logical"},
        {-3, "integer"},
        {7UL, "index"},
        {2.5, "real"},
        {array<bool>({1, 2}, {true, false}), "array<logical, 1, 2>"},
        {array<int>({2, 2}, {1, 2, 3, 4}), "array<integer, 2, 2>"},
        {Array<unsigned long>(ArraySize{0, 3}), "array<index, 0, 3>"},
        {Array<double>(ArraySize{2, 1, 3}), "array<real, 2, 1, 3>"},
        {Tuple{1, Tuple{}}, "tuple<integer, tuple<>>"},
    };
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(cases[i].first.id(), i);
        EXPECT_EQ(test::printed(value_type(cases[i].first)), cases[i].second);
    }
    EXPECT_FALSE(empty(Constant(0)));
    EXPECT_FALSE(empty(array<double>({1}, {0})));
    EXPECT_TRUE(empty(Constant(Array<int>(ArraySize{2, 0}))));
    EXPECT_TRUE(empty(Constant(Tuple{Tuple{}})));
}

TEST(Constant, DifferentAlternativesNeverEqualAndOrderByIndex) {
    EXPECT_NE(Constant(1), Constant(1.0));
    EXPECT_EQ(compare(Constant(1), Constant(1.0)), 1);
    EXPECT_EQ(compare(Constant(1.0), Constant(1)), 2);
    EXPECT_NE(Constant(2.0), array<double>({1}, {2.0}));
    EXPECT_EQ(compare(Constant(Tuple{}), Constant(true)), 2);
    EXPECT_EQ(compare(Constant(false), Constant(true)), 1);
    EXPECT_EQ(compare(Constant(-1), Constant(0)), 1);
    EXPECT_EQ(compare(Constant(~0UL), Constant(0UL)), 2);

    EXPECT_EQ(Constant(nan), Constant(-nan));
    EXPECT_EQ(hash_value(Constant(nan)), hash_value(Constant(-nan)));
    EXPECT_EQ(compare(Constant(nan), Constant(1.0)), 3);
    EXPECT_EQ(compare(Constant(1.0), Constant(nan)), 3);
    EXPECT_EQ(Constant(0.0), Constant(-0.0));
    EXPECT_EQ(hash_value(Constant(0.0)), hash_value(Constant(-0.0)));
}

// Constants rich in special cases: every scalar edge value, arrays of
// several shapes drawn from small pools (so that unshared equal arrays occur)
// with shared copies, and nested tuples of all of them.
std::vector<Constant> generated_constants() {
    std::mt19937_64 rng(20240611);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    std::vector<double> const reals{0.0, -0.0, 1.0, -1.0, nan, -nan, inf, -inf, 5e-324, 2.5};
    std::vector<int> const ints{0, 1, -1, INT_MIN, INT_MAX};
    std::vector<unsigned long> const indices{0, 1, 1UL << 63, ~0UL};
    std::vector<ArraySize> const shapes{{0, 0}, {0, 3}, {1}, {1, 2}, {2, 1}, {2, 2}, {1, 1, 2}};

    std::vector<Constant> values{false, true};
    for (double r : reals) values.emplace_back(r);
    for (int i : ints) values.emplace_back(i);
    for (unsigned long i : indices) values.emplace_back(i);

    auto add_arrays = [&]<class T>(std::vector<T> const& pool) {
        for (int i = 0; i < 10; ++i) {
            ArraySize const& shape = shapes[pick(shapes.size())];
            Array<T> a(shape);
            for (T& e : a) e = pool[pick(std::min<std::size_t>(pool.size(), 3))];
            values.emplace_back(a);
            if (i % 3 == 0) values.emplace_back(Array<T>(a));
        }
    };
    add_arrays(std::vector<bool>{false, true});
    add_arrays(ints);
    add_arrays(indices);
    add_arrays(std::vector<double>{nan, 0.0, -0.0});
    add_arrays(reals);

    std::size_t const leaves = values.size();
    for (int i = 0; i < 40; ++i) {
        Constants elements(pick(3));
        for (Constant& e : elements) e = values[pick(i < 20 ? leaves : values.size())];
        values.emplace_back(Tuple(elements));
    }
    return values;
}

TEST(Constant, EqualityOrderingAndHashingAgree) {
    auto const values = generated_constants();
    test::expect_consistent_relations(values);
}

TEST(Constant, HashesFollowTheCombineFormula) {
    EXPECT_EQ(hash_value(Constant(-1)), combine(combine(0, 1), combine(0, ~0ULL)));
    EXPECT_EQ(hash_value(Constant(-inf)), combine(combine(0, 3), combine(0, ~1ULL)));
    EXPECT_EQ(hash_value(Constant(true)), combine(combine(0, 0), combine(0, 1)));
    Array<int> const a(ArraySize{2, 2});
    EXPECT_EQ(hash_value(Constant(a)), combine(combine(0, 5), a.hash()));
    std::uint64_t const list = combine(combine(0, hash_value(Constant(7UL))), hash_value(Constant(0.5)));
    EXPECT_EQ(hash_value(Constant(Tuple{7UL, 0.5})), combine(combine(0, 8), combine(0, list)));
    EXPECT_EQ(hash_value(Constant(Tuple{})), combine(combine(0, 8), combine(0, 0)));
}

TEST(Constant, PrintsEachAlternative) {
    EXPECT_EQ(test::printed(Constant(7UL)), "7i");
    EXPECT_EQ(test::printed(Constant(3.0)), "3.0");
    EXPECT_EQ(test::printed(Constant(true)), "true");
    EXPECT_EQ(test::printed(Constant(-5)), "-5");
    EXPECT_EQ(test::printed(Constant(0.25)), "0.25");
    EXPECT_EQ(test::printed(Constant(1e300)), "1e+300");
    EXPECT_EQ(test::printed(Constant(-0.0)), "-0.0");
    EXPECT_EQ(test::printed(Constant(-inf)), "-inf");
    EXPECT_EQ(test::printed(Constant(nan)), "nan");
    EXPECT_EQ(test::printed(array<int>({2, 2}, {1, 2, 3, 4})), "[1, 3; 2, 4]");
    EXPECT_EQ(test::printed(Constant(Array<double>(ArraySize{0, 3}))), "empty<real, 0, 3>");
    EXPECT_EQ(test::printed(Constant(Tuple{1, 2.0, Tuple{}, array<bool>({1}, {true})})), "{1, 2.0, {}, [true]}");
}

TEST(Constant, DigestFieldsAreBigEndian) {
    EXPECT_EQ(digest(-1), be64(1) + "\xFF\xFF\xFF\xFF|");
    EXPECT_EQ(digest(true), be64(0) + "\x01|");
    EXPECT_EQ(digest(7UL), be64(2) + be64(7));
    EXPECT_EQ(digest(1.0), be64(3) + "\x3F\xF0\0\0|\0\0\0\0|"s);
    EXPECT_EQ(digest(array<bool>({1, 2}, {true, false})),
              be64(4) + "\0\0\0\0|"s + be64(2) + be64(1) + be64(2) + "\x01|\0|"s);
    EXPECT_EQ(digest(array<int>({1, 1, 1}, {258})), be64(5) + "\0\0\0\x01|"s + be64(2) + be64(1) + be64(1) + "\0\0\x01\x02|"s);
    EXPECT_EQ(digest(Tuple{Tuple{}, 2}), be64(8) + be64(8) + be64(1) + "\0\0\0\x02|"s);
    EXPECT_EQ(digest(Tuple{}), be64(8));

    // Equal reals feed equal bytes.
    EXPECT_EQ(digest(-0.0), digest(0.0));
    EXPECT_EQ(digest(0.0), be64(3) + "\0\0\0\0|\0\0\0\0|"s);
    EXPECT_EQ(digest(-nan), digest(nan));
    EXPECT_EQ(digest(array<double>({2}, {-0.0, -nan})), digest(array<double>({2}, {0.0, nan})));
    EXPECT_EQ(digest(-inf), be64(3) + "\xFF\xF0\0\0|\0\0\0\0|"s);

    DigestSink none;
    EXPECT_THROW(incorporate_data(none, Constant(1)), std::bad_function_call);
}

TEST(Constant, MakeConstantGivesZerosOfTheType) {
    Constant const matrix = make_constant(ArrayType(type::REAL, {2, 2}));
    EXPECT_EQ(matrix, array<double>({2, 2}, {0, 0, 0, 0}));
    EXPECT_EQ(test::printed(make_constant(ScalarType(type::INDEX))), "0i");
    EXPECT_EQ(test::printed(make_constant(ScalarType(type::LOGICAL))), "false");
    EXPECT_EQ(make_constant(Type()), Constant(Tuple{}));
    Types elements;
    elements += ScalarType(type::INTEGER);
    elements += ArrayType(type::LOGICAL, {1, 2});
    elements += Type();
    EXPECT_EQ(test::printed(make_constant(TupleType(elements))), "{0, [false, false], {}}");
    try {
        make_constant(ScalarType(type::INVALID));
        ADD_FAILURE() << "no std::logic_error";
    } catch (std::logic_error const& e) {
        EXPECT_STREQ(e.what(), "bad visit");
    }
    EXPECT_THROW(make_constant(ArrayType(static_cast<type::Id>(4), {1})), std::logic_error);
}

TEST(Constant, CopiesOfArrayConstantsShareElements) {
    using heap = groundwork::core::mem::aligned_heap;
    Constant original = array<double>({3}, {1, 2, 3});
    auto const allocations = heap::allocations();
    Constant copy = original;
    Constant assigned = 0;
    assigned = original;
    EXPECT_EQ(heap::allocations(), allocations);
    std::get<Array<double>>(copy.value()).x()[1] = 9;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(test::printed(copy), "[1.0; 9.0; 3.0]");
    EXPECT_EQ(test::printed(original), "[1.0; 2.0; 3.0]");
    EXPECT_EQ(original, assigned);
    swap(copy, assigned);
    EXPECT_EQ(test::printed(assigned), "[1.0; 9.0; 3.0]");
}

TEST(Constant, ValuelessConstantsFollowTheirOwnRules) {
    Constant a = 1;
    Constant b = 2.0;
    make_valueless(a);
    make_valueless(b);
    Constant const value = 1;

    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == value);
    EXPECT_FALSE(value == a);
    EXPECT_EQ(compare(a, value), 2);
    EXPECT_EQ(compare(value, a), 1);
    expect_unexpected_index([&] { compare(a, b); });
    expect_unexpected_index([&] { hash_value(a); });
    expect_unexpected_index([&] { value_type(a); });
    expect_unexpected_index([&] { empty(a); });
    expect_unexpected_index([&] { test::printed(a); });
    expect_unexpected_index([&] { test::printed(Constant(Tuple{value, a})); });
    EXPECT_FALSE(Constant(Tuple{a}) == Constant(Tuple{value}));

    std::string bytes;
    DigestSink sink = [&](char const* data, unsigned long n) { bytes.append(data, n); };
    expect_unexpected_index([&] { incorporate_data(sink, a); });
    EXPECT_EQ(bytes, std::string(8, '\xFF'));

    a = value;
    EXPECT_EQ(a, value);
}

}  // namespace
}  // namespace lang::core
