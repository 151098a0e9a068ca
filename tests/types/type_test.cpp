#include <lang/core/types/function_type.hpp>
#include <lang/core/types/type.hpp>
#include <lang/core/types/types.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using namespace test;

Type scalar(type::Id id) { return ScalarType(id); }
Type array(type::Id id, ArraySize size) { return ArrayType(id, size); }
Type tuple(std::vector<Type> const& elements) {
    Types list;
    for (auto const& e : elements) list += e;
    return TupleType(list);
}

TEST(Type, HashesFollowTheCombineFormula) {
    EXPECT_EQ(hash_value(Type()), 0xcb34c5ae03d8f098ULL);
    EXPECT_EQ(hash_value(scalar(type::REAL)), 0xb410dc8a74550cd8ULL);
    EXPECT_EQ(hash_value(scalar(type::INVALID)), combine(combine(0, ~0ULL), 1));

    ArraySize const size{2, 3};
    EXPECT_EQ(hash_value(array(type::INTEGER, size)), combine(combine(combine(0, 1), hash_value(size)), 2));

    Type const pair = tuple({scalar(type::REAL), scalar(type::LOGICAL)});
    std::uint64_t r = combine(0, hash_value(scalar(type::REAL)));
    r = combine(r, hash_value(scalar(type::LOGICAL)));
    EXPECT_EQ(hash_value(pair), combine(combine(0, r), 0));
}

TEST(Type, PrintsEachAlternative) {
    EXPECT_EQ(printed(tuple({Type()})), "tuple<tuple<>>");
    EXPECT_EQ(printed(tuple({scalar(type::REAL), array(type::LOGICAL, {1, 1, 4})})),
              "tuple<real, array<logical, 1, 1, 4>>");
    EXPECT_EQ(to_user_string(ArrayType(type::INDEX, {5})), u"[5x1 uint32]");
}

TEST(Type, ClassifiesVoidCompoundAndGroundTypes) {
    EXPECT_TRUE(is_void_type(Type()) && is_compound_type(Type()));
    EXPECT_TRUE(!is_void_type(tuple({Type()})) && is_compound_type(tuple({Type()})));
    EXPECT_FALSE(is_void_type(scalar(type::REAL)) || is_compound_type(array(type::REAL, {2})));
    EXPECT_EQ(ground_type(array(type::LOGICAL, {2, 2})), type::LOGICAL);
    expect_message([] { ground_type(tuple({scalar(type::REAL), scalar(type::LOGICAL)})); }, types_catalog,
                   "InvalidGroundType", {"tuple<real, logical>"});
}

// The generated law checks below see only consistency; this is the order itself.
TEST(Type, OrdersTuplesBeforeScalarsBeforeArrays) {
    EXPECT_EQ(compare(tuple({array(type::REAL, {9, 9})}), scalar(type::INVALID)), 1);
    EXPECT_EQ(compare(scalar(type::REAL), array(type::LOGICAL, {0})), 1);
    EXPECT_EQ(compare(scalar(type::INDEX), scalar(type::INTEGER)), 2);
    EXPECT_EQ(compare(array(type::INTEGER, {9}), array(type::REAL, {1})), 1);
    EXPECT_EQ(compare(tuple({scalar(type::REAL)}), tuple({scalar(type::INTEGER), scalar(type::LOGICAL)})), 2);
}

// Random types, with copies and stripped copies so that equal pairs come in
// every form: shared lists, unshared lists, missing memos.
std::vector<Type> generated_types() {
    std::mt19937_64 rng(20261205);
    std::vector<ArraySize> const sizes{{0}, {1}, {2, 3}, {3, 2}, {2, 3, 1, 4}, {1, 1, 0}};
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    std::function<Type(int)> make = [&](int depth) -> Type {
        switch (depth > 2 ? pick(2) + 1 : pick(3)) {
        case 0: {
            std::vector<Type> elements(pick(3));
            for (auto& e : elements) e = make(depth + 1);
            return tuple(elements);
        }
        case 1: return scalar(static_cast<type::Id>(static_cast<int>(pick(5)) - 1));
        default: return array(static_cast<type::Id>(pick(4)), sizes[pick(sizes.size())]);
        }
    };
    std::vector<Type> types;
    for (int i = 0; i < 60; ++i) {
        Type t = make(0);
        types.push_back(t);
        if (i % 3 == 0) {
            Type bare = t;
            strip_annotation_inplace(bare);
            types.push_back(bare);
        }
    }
    return types;
}

TEST(Type, EqualityOrderingAndHashingAgree) {
    auto const types = generated_types();
    expect_consistent_relations(types);
    for (auto const& a : types) {
        for (auto const& b : types) EXPECT_EQ(equal_ignore_annotation(a, b), a == b);
    }
}

TEST(Type, StrippingKeepsTheTypeAndClearsMemos) {
    Type const original = tuple({tuple({scalar(type::REAL)}), array(type::INDEX, {2, 2})});
    auto const hash = hash_value(original);
    Type stripped = original;
    strip_annotation_inplace(stripped);
    auto const& list = std::get<TupleType>(stripped.value());
    EXPECT_EQ(list.hash_memo().load(), 0u);
    EXPECT_FALSE(list.types().shares_block_with(std::get<TupleType>(original.value()).types()));
    EXPECT_EQ(stripped, original);
    EXPECT_EQ(hash_value(stripped), hash);
}

TEST(Type, DigestBytesAreBigEndianFields) {
    using namespace std::string_literals;
    std::string const zero8(8, '\0');
    EXPECT_EQ(digest(scalar(type::REAL)), "\0\0\0\0\0\0\0\x01|\0\0\0\x03|"s);
    EXPECT_EQ(digest(Type()), zero8 + '|');
    EXPECT_EQ(digest(array(type::REAL, {2, 3})),
              "\0\0\0\0\0\0\0\x02|\0\0\0\x03|\0\0\0\0\0\0\0\x02|\0\0\0\0\0\0\0\x02|\0\0\0\0\0\0\0\x03|"s);
    // A tuple lists its elements with no count.
    EXPECT_EQ(digest(tuple({scalar(type::INVALID), Type()})),
              zero8 + '|' + "\0\0\0\0\0\0\0\x01|\xff\xff\xff\xff|"s + zero8 + '|');
}

TEST(FunctionType, RejectsListsWithoutAValueType) {
    EXPECT_EQ(printed(FunctionType()), "function<logical>");
    expect_message([] { FunctionType{Types(Type())}; }, types_catalog, "EmptyFunctionType", {});
    EXPECT_EQ(printed(FunctionType(Type() + Type())), "function<tuple<>, tuple<>>");
    EXPECT_EQ(printed(FunctionType(Types(scalar(type::REAL)) + array(type::INDEX, {3}))),
              "function<real, array<index, 3, 1>>");
}

// Sharing and growth of the list are SharedVector's and tested with it.
TEST(Types, PrintsInParenthesesAndComparesLexicographically) {
    Type const real = scalar(type::REAL), logical = scalar(type::LOGICAL);
    Types c = real + logical;
    c += c;
    c += c[1];
    EXPECT_EQ(printed(c), "(real, logical, real, logical, logical)");
    EXPECT_EQ(printed(Types()), "()");
    expect_consistent_relations(std::vector<Types>{Types(), Types(real), real + logical, logical + real,
                                                   Types(real) + Types(real), real + logical});
}

}  // namespace
}  // namespace lang::core
