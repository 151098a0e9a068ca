// SPDX-License-Identifier: Apache-2.0
// Constant, the variant every value lives in: its alternatives and their
// order, hashes, digest bytes, zeros of a type, and the valueless state;
// Constants, the list, with Tuple, the value made of one; and ScalarConstant,
// a constant known to be a scalar, with the user form of a scalar.
#include <lang/core/constants/constant.hpp>
#include <lang/core/constants/constants.hpp>
#include <lang/core/constants/scalar_constant.hpp>
#include <lang/core/constants/scalar_to_user_string.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace lang::core {
namespace {

using namespace std::string_literals;
using namespace test;

std::string be64(std::uint64_t v) {
    std::string s;
    for (int shift = 56; shift >= 0; shift -= 8) s += static_cast<char>(v >> shift);
    return s + '|';
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

TEST(Constant, AlternativesHaveFixedIndicesTypesAndOrder) {
    std::vector<std::pair<Constant, std::string>> const cases{
        {true, "logical"},
        {-3, "integer"},
        {7UL, "index"},
        {2.5, "real"},
        {make<bool>({1, 2}, {true, false}), "array<logical, 1, 2>"},
        {make<int>({2, 2}, {1, 2, 3, 4}), "array<integer, 2, 2>"},
        {Array<unsigned long>({0, 3}), "array<index, 0, 3>"},
        {Array<double>({2, 1, 3}), "array<real, 2, 1, 3>"},
        {Tuple{1, Tuple{}}, "tuple<integer, tuple<>>"},
    };
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(cases[i].first.id(), i);
        EXPECT_EQ(printed(value_type(cases[i].first)), cases[i].second);
        // The alternative decides the order before the value does.
        if (i > 0) {
            EXPECT_EQ(compare(cases[i - 1].first, cases[i].first), 1) << i;
        }
    }
    EXPECT_FALSE(empty(Constant(0)));
    // A tuple is empty when all of its elements are, however deep.
    EXPECT_TRUE(empty(Constant(Tuple{Array<double>({0, 3}), Tuple{Tuple{}}})));
    EXPECT_FALSE(empty(Constant(Tuple{Tuple{Array<int>({1})}})));
}

TEST(Constant, EqualityOrderingAndHashingAgree) { expect_consistent_relations(generated_constants()); }

TEST(Constant, HashesFollowTheCombineFormula) {
    EXPECT_EQ(hash_value(Constant(-1)), combine(combine(0, 1), combine(0, ~0ULL)));
    Array<int> const a(ArraySize{2, 2});
    EXPECT_EQ(hash_value(Constant(a)), combine(combine(0, 5), a.hash()));
    std::uint64_t const list = combine(combine(0, hash_value(Constant(7UL))), hash_value(Constant(true)));
    EXPECT_EQ(hash_value(Constant(Tuple{7UL, true})), combine(combine(0, 8), combine(0, list)));
}

// A tuple feeds its elements in order and nothing for itself.
TEST(Constant, DigestFieldsAreBigEndian) {
    EXPECT_EQ(digest(Constant(-1)), be64(1) + "\xFF\xFF\xFF\xFF|");
    EXPECT_EQ(digest(Constant(7UL)), be64(2) + be64(7));
    EXPECT_EQ(digest(Constant(1.0)), be64(3) + "\x3F\xF0\0\0|\0\0\0\0|"s);
    EXPECT_EQ(digest(Constant(make<bool>({1, 2}, {true, false}))),
              be64(4) + "\0\0\0\0|"s + be64(2) + be64(1) + be64(2) + "\x01|\0|"s);
    EXPECT_EQ(digest(Constant(make<int>({1, 1, 1}, {258}))),
              be64(5) + "\0\0\0\x01|"s + be64(2) + be64(1) + be64(1) + "\0\0\x01\x02|"s);
    EXPECT_EQ(digest(Constant(Tuple{Tuple{}, 2})), be64(8) + be64(8) + be64(1) + "\0\0\0\x02|"s);
    // Equal reals feed equal bytes.
    EXPECT_EQ(digest(Constant(make<double>({2}, {-0.0, -nan}))), digest(Constant(make<double>({2}, {0.0, nan}))));
}

TEST(Constant, MakeConstantGivesZerosOfTheType) {
    EXPECT_EQ(make_constant(ArrayType(type::REAL, {2, 2})), make<double>({2, 2}, {0, 0, 0, 0}));
    TupleType const tuple(Types(ScalarType(type::INDEX)) + Type(ArrayType(type::LOGICAL, {1, 2})) + Type());
    EXPECT_EQ(printed(make_constant(tuple)), "{0i, [false, false], {}}");
    EXPECT_THROW(make_constant(ArrayType(static_cast<type::Id>(4), {1})), std::logic_error);
}

TEST(Constant, ValuelessConstantsFollowTheirOwnRules) {
    struct Throws {
        operator Tuple() const { throw std::runtime_error("no tuple"); }
    };
    Constant a = 1;
    Constant b = Tuple{};
    EXPECT_THROW(a.value().emplace<8>(Throws{}), std::runtime_error);
    EXPECT_THROW(b.value().emplace<8>(Throws{}), std::runtime_error);
    ASSERT_EQ(a.id(), -1);
    Constant const value = 1;

    EXPECT_TRUE(a == b);
    EXPECT_FALSE(value == a);
    EXPECT_EQ(compare(a, value), 2);
    expect_unexpected_index([&] { compare(a, b); });
    expect_unexpected_index([&] { hash_value(a); });
    expect_unexpected_index([&] { printed(Constant(Tuple{value, a})); });
    std::string bytes;
    DigestSink sink = [&](char const* data, unsigned long n) { bytes.append(data, n); };
    expect_unexpected_index([&] { incorporate_data(sink, a); });
    EXPECT_EQ(bytes, std::string(8, '\xFF'));
}

TEST(Constants, MadeElementsAreEmptyTuplesAndSelfAppendDoubles) {
    Constants list(2);
    list.resize(3, 2.5);
    EXPECT_EQ(printed(Tuple(list)), "{{}, {}, 2.5}");

    Constants a{1, 2};
    Constants const b{3.0};
    a += b;
    a += a;
    a += Constants{true};
    EXPECT_EQ(printed(Tuple(a)), "{1, 2, 3.0, 1, 2, 3.0, true}");
    EXPECT_EQ(printed(Tuple(b)), "{3.0}");
}

// Constant's tuple hash and digest checks cover how the elements combine;
// here the order: a prefix first, and a NaN against a number is unordered.
TEST(Constants, OrderFollowsTheElementsInOrder) {
    EXPECT_EQ(compare(Constants{1}, Constants{1, 2}), 1);
    EXPECT_EQ(compare(Constants{nan, 0}, Constants{1.0, 9}), 3);
}

TEST(Tuple, CopiesShareTheirArraysBlocksUntilTheFirstWrite) {
        Tuple const tuple{0.0, Array<unsigned long>(ArraySize{2}), Tuple{false}};
    auto const allocations = heap::allocations();
    Tuple copy = tuple;
    EXPECT_EQ(heap::allocations(), allocations);
    std::get<Array<unsigned long>>(extract(copy, 1).value()).x()[0] = 3;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(printed(copy), "{0.0, [3i; 0i], {false}}");
    EXPECT_EQ(printed(tuple), "{0.0, [0i; 0i], {false}}");
}

TEST(ScalarConstant, HoldsOnlyTheScalarOfAConstant) {
    ScalarConstant const index(Constant(7UL));
    EXPECT_EQ(printed(scalar_type(index)), "index");
    EXPECT_EQ(to_constant(index), Constant(7UL));
    EXPECT_EQ(printed(ScalarConstant()), "false");
    expect_message([] { ScalarConstant{Constant(Array<double>({1, 1}))}; }, constants_catalog,
                   "InvalidScalarConstant", {"array<real, 1, 1>"});

    Constant const ones[] = {true, 1, 1UL, 1.0}, zeros[] = {false, 0, 0UL, 0.0};
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(to_constant(one(static_cast<type::Id>(t))), ones[t]) << t;
        EXPECT_EQ(to_constant(zero(static_cast<type::Id>(t))), zeros[t]) << t;
    }
    EXPECT_FALSE(std::signbit(boost::get<Scalar<double>>(zero(type::REAL).value()).value));
    EXPECT_THROW(one(type::INVALID), std::logic_error);
    EXPECT_THROW(zero(static_cast<type::Id>(4)), std::logic_error);
}

TEST(ScalarConstant, RelatesAndHashesAsItsConstant) {
    std::vector<ScalarConstant> scalars;
    for (Constant const& c : generated_constants()) {
        if (c.id() < 4) scalars.emplace_back(c);
    }
    expect_consistent_relations(scalars);
    for (auto const& a : scalars) {
        EXPECT_EQ(hash_value(a), hash_value(to_constant(a)));
        for (auto const& b : scalars) EXPECT_EQ(compare(a, b), compare(to_constant(a), to_constant(b)));
    }
}

TEST(ScalarToUserString, WrapsIntegersOnly) {
    EXPECT_EQ(detail::ScalarToUserString<bool>()(true), u"true");
    EXPECT_EQ(detail::ScalarToUserString<int>()(INT_MIN), u"int32(-2147483648)");
    EXPECT_EQ(detail::ScalarToUserString<unsigned long>()(~0UL), u"uint32(18446744073709551615)");

    std::vector<std::pair<double, std::u16string>> const reals{
        {nan, u"NaN"},        {-inf, u"-Inf"},           {-0.0, u"0"},              {-2.5, u"-2.5000"},
        {1e-5, u"1.0000e-05"}, {0.0001, u"0.0001"},     {12346.7, u"1.2347e+04"}, {999999999, u"999999999"}};
    for (auto const& [value, text] : reals) EXPECT_EQ(detail::ScalarToUserString<double>()(value), text) << value;
}

}  // namespace
}  // namespace lang::core
