// SPDX-License-Identifier: Apache-2.0
// Types, function types and type lists: hash and digest formulas, order,
// printing, classification, and stripping of memos; and type ids read back
// from text.
#include <lang/core/types/function_type.hpp>
#include <lang/core/types/type.hpp>
#include <lang/core/types/type_id.hpp>
#include <lang/core/types/types.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <variant>
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

TEST(Type, HashAndDigestFollowTheirFormulas) {
    EXPECT_EQ(hash_value(Type()), 0xcb34c5ae03d8f098ULL);
    EXPECT_EQ(hash_value(scalar(type::REAL)), 0xb410dc8a74550cd8ULL);
    EXPECT_EQ(hash_value(scalar(type::INVALID)), combine(combine(0, ~0ULL), 1));

    EXPECT_EQ(hash_value(array(type::INTEGER, {2, 3})),
              combine(combine(combine(0, 1), hash_value(ArraySize{2, 3})), 2));

    auto const list = combine(combine(0, hash_value(scalar(type::REAL))), hash_value(scalar(type::LOGICAL)));
    EXPECT_EQ(hash_value(tuple({scalar(type::REAL), scalar(type::LOGICAL)})), combine(combine(0, list), 0));

    // The digest feeds big-endian fields.
    using namespace std::string_literals;
    std::string const zero8(8, '\0');
    EXPECT_EQ(digest(scalar(type::REAL)), "\0\0\0\0\0\0\0\x01|\0\0\0\x03|"s);
    EXPECT_EQ(digest(array(type::REAL, {2, 3})),
              "\0\0\0\0\0\0\0\x02|\0\0\0\x03|\0\0\0\0\0\0\0\x02|\0\0\0\0\0\0\0\x02|\0\0\0\0\0\0\0\x03|"s);
    // A tuple lists its elements with no count; the empty one feeds its id alone.
    EXPECT_EQ(digest(tuple({scalar(type::INVALID), Type()})),
              zero8 + '|' + "\0\0\0\0\0\0\0\x01|\xff\xff\xff\xff|"s + zero8 + '|');
}

TEST(Type, TypesFunctionTypesAndListsPrintAndClassify) {
    EXPECT_TRUE(is_void_type(Type()) && is_compound_type(Type()));
    EXPECT_TRUE(!is_void_type(tuple({Type()})) && is_compound_type(tuple({Type()})));
    EXPECT_FALSE(is_void_type(scalar(type::REAL)) || is_compound_type(array(type::REAL, {2})));
    EXPECT_EQ(ground_type(array(type::LOGICAL, {2, 2})), type::LOGICAL);
    expect_message([] { ground_type(tuple({scalar(type::REAL), scalar(type::LOGICAL)})); }, types_catalog,
                   "InvalidGroundType", {"tuple<real, logical>"});

    // Function types and type lists; the lists' sharing and growth are
    // SharedVector's and tested with it, their order shows in tuple types'.
    EXPECT_EQ(printed(FunctionType()), "function<logical>");
    expect_message([] { FunctionType{Types(Type())}; }, types_catalog, "EmptyFunctionType", {});
    EXPECT_EQ(printed(FunctionType(Type() + Type())), "function<tuple<>, tuple<>>");

    Type const real = scalar(type::REAL), logical = scalar(type::LOGICAL);
    Types c = real + logical;
    c += c;
    c += c[1];
    EXPECT_EQ(printed(c), "(real, logical, real, logical, logical)");
    EXPECT_EQ(printed(Types()), "()");
}

TEST(Type, EqualityOrderingAndHashingAgreeStrippedOrNotInTheirOrder) {
    std::vector<Type> types;
    for (int id = type::INVALID; id <= type::REAL; ++id) types.push_back(scalar(static_cast<type::Id>(id)));
    for (Constant const& c : generated_constants()) types.push_back(value_type(c));
    for (std::size_t i = 0, n = types.size(); i < n; i += 3) {
        Type bare = types[i];
        strip_annotation_inplace(bare);
        types.push_back(bare);
    }
    expect_consistent_relations(types);
    for (auto const& a : types) {
        for (auto const& b : types) EXPECT_EQ(equal_ignore_annotation(a, b), a == b);
    }
    // The law checks see only consistency; this is the order itself: tuples
    // before scalars before arrays, then by element type and contents.
    EXPECT_EQ(compare(tuple({array(type::REAL, {9, 9})}), scalar(type::INVALID)), 1);
    EXPECT_EQ(compare(scalar(type::REAL), array(type::LOGICAL, {0})), 1);
    EXPECT_EQ(compare(scalar(type::INDEX), scalar(type::INTEGER)), 2);
    EXPECT_EQ(compare(array(type::INTEGER, {9}), array(type::REAL, {1})), 1);
    EXPECT_EQ(compare(tuple({scalar(type::REAL)}), tuple({scalar(type::INTEGER), scalar(type::LOGICAL)})), 2);

    // Stripping keeps the type and clears the memos.
    Type const original = tuple({tuple({scalar(type::REAL)}), array(type::INDEX, {2, 2})});
    Type stripped = original;
    strip_annotation_inplace(stripped);
    auto const& list = std::get<TupleType>(stripped.value());
    EXPECT_EQ(list.hash_memo().load(), 0u);
    EXPECT_FALSE(list.types().shares_block_with(std::get<TupleType>(original.value()).types()));
    EXPECT_EQ(stripped, original);
    EXPECT_EQ(hash_value(stripped), hash_value(original));
}

// Names print throughout these and the constant tests; here the two ways
// back from text, which differ.
TEST(TypeId, LookupIsExactWhileReadingTakesAnIdentifierInAnyCase) {
    EXPECT_EQ(type::id("index"), type::INDEX);
    for (char const* text : {"Index", "double", "int32", ""}) EXPECT_EQ(type::id(text), type::INVALID) << text;

    std::istringstream is("Index  REAL logical double 2x real! " + std::string(63, 'a') + ' ' + std::string(64, 'a'));
    // An unrecognised word still leaves the stream good; only running out of
    // input fails it, and that too gives INVALID.
    std::vector<type::Id> read;
    type::Id id = type::REAL;
    while (is >> id) read.push_back(id);
    EXPECT_EQ(read, (std::vector<type::Id>{type::INDEX, type::REAL, type::LOGICAL, type::INVALID, type::INVALID,
                                           type::INVALID, type::INVALID, type::INVALID}));
    EXPECT_EQ(id, type::INVALID);
    EXPECT_TRUE(type::is_signed(type::INTEGER) && !type::is_signed(type::INDEX) && !type::is_signed(type::REAL));
}

}  // namespace
}  // namespace lang::core
