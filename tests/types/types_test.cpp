// The types subsystem: array sizes (one interned record per normal form,
// hash, order, derived shapes, the checks that raise with them, user text),
// type ids read from text, types, function types and type lists (hash and
// digest formulas, order, printing, classification, stripping of memos), and
// the message ids with their catalog texts.
#include <lang/core/types/array_size.hpp>
#include <lang/core/types/function_type.hpp>
#include <lang/core/types/message_ids.hpp>
#include <lang/core/types/type.hpp>
#include <lang/core/types/type_id.hpp>
#include <lang/core/types/types.hpp>

#include "test_support/values.hpp"

#include <kbase/message.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <locale>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace lang::core {
namespace {

using namespace test;
using V = std::vector<unsigned long>;
namespace msg = ::tarvex::common::lang::core;

TEST(ArraySize, EqualNormalFormsShareOneRecordWhoseLengthsGiveHashAndCount) {
    unsigned long const raw[] = {2, 3, 1, 1};
    ArraySize const s{2, 3};
    EXPECT_EQ(s.data(), ArraySize(raw, 3).data());
    EXPECT_EQ(s.data(), ArraySize{std::span<unsigned long const>(raw)}.data());
    EXPECT_EQ(ArraySize(raw, 0), ArraySize{0});  // no lengths: empty 0x1
    EXPECT_EQ((ArraySize{1, 1, 1}).data()->count(), 0u);
    EXPECT_EQ(printed(ArraySize{1, 1, 1}), "1, 1");

    EXPECT_EQ(s(7), 1u);
    EXPECT_EQ((ArraySize{2, 3, 4}).multipliers(), (V{1, 2, 6, 24}));
    EXPECT_EQ((ArraySize{1}).multipliers(), (V{1, 1, 1}));

    // The hash folds the stored lengths from h = their count, the element
    // count is their product, and equal shapes share one record.
    std::vector<ArraySize> const shapes = {{}, {1}, {1, 1}, {5}, {0}, {2, 3}, {2, 3, 1}, {1, 4}, {2, 4}, {3, 1}, {2, 9},
                                           {2, 3, 2}, {0, 0}, {0, 0, 0}, {~0UL}, {~0UL, 2}, {1UL << 32, 1UL << 32, 3}};
    expect_consistent_relations(shapes);
    for (auto const& a : shapes) {
        std::uint64_t h = a.data()->count();
        unsigned long product = 1;
        for (unsigned long k : a.data()->lengths()) h = combine(h, k), product *= k;
        EXPECT_EQ(hash_value(a), h) << a;
        EXPECT_EQ(a.numElements(), product) << a;
        for (auto const& b : shapes) EXPECT_EQ(a == b, a.data() == b.data()) << a << " vs " << b;
    }
    EXPECT_EQ(compare(ArraySize{0, 0, 0}, ArraySize{0, 0}), 1);  // 0 against the implicit 1
}

struct Grouping : std::numpunct<char> {
    char do_thousands_sep() const override { return ','; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ArraySize, DerivedShapesRaisingChecksAndUserText) {
    ArraySize s{2, 3};
    s.replace(3, 5);
    EXPECT_EQ(printed(s), "2, 3, 1, 5");
    s.replace(3, 1);
    s.replace(1, 1);
    EXPECT_EQ(s, ArraySize{2});

    EXPECT_EQ((ArraySize{2, 3}) * (ArraySize{1, 2, 2}), (ArraySize{2, 6, 2}));
    s *= ArraySize{0, 3, 4};
    EXPECT_EQ(s, (ArraySize{0, 3, 4}));

    // A last subscript spans the remaining dimensions.
    ArraySize const t{2, 3, 4};
    EXPECT_EQ(V({length(t, 0, 2), length(t, 1, 2), length(t, 2, 2)}), (V{2, 12, 1}));
    EXPECT_EQ(V({length(t, 0, 4), length(t, 2, 4), length(t, 3, 4)}), (V{2, 4, 1}));

    // Reshaping infers one zero length of the target; the other operations
    // check their operands and raise with the shapes involved.
    s = ArraySize{2, 3};
    EXPECT_EQ(s.reshape({0, 2}), (ArraySize{3, 2}));
    EXPECT_EQ((ArraySize{2, 6}).reshape({2, 0, 3}), (ArraySize{2, 2, 3}));
    EXPECT_EQ((ArraySize{0, 3}).reshape({0, 0}), (ArraySize{0, 0}));
    expect_message([&] { s.reshape({0, 4}); }, types_catalog, "InvalidReshape", {"2, 3", "0, 4"});
    // The other lengths wrap to a product of 0: nothing can fill the zero.
    expect_message([&] { s.reshape({1UL << 32, 1UL << 32, 0}); }, types_catalog, "InvalidReshape",
                   {"2, 3", "4294967296, 4294967296, 0"});

    EXPECT_EQ((ArraySize{2, 3}).transpose(), (ArraySize{3, 2}));
    EXPECT_EQ(mtimes({4}, {1, 7}), (ArraySize{4, 7}));
    expect_message([] { (ArraySize{2, 3, 4}).transpose(); }, types_catalog, "InvalidMatrix", {"2, 3, 4"});
    expect_message([] { mtimes({2, 3}, {4, 5}); }, types_catalog, "InconsistentMultiply", {"2, 3", "4, 5"});
    expect_message([] { mtimes({2, 3}, {3, 5, 2}); }, types_catalog, "InvalidMatrix", {"3, 5, 2"});

    EXPECT_EQ((ArraySize{2, 3}).check(5), 6u);
    expect_message([] { (ArraySize{2, 3}).check(6); }, types_catalog, "InvalidIndex", {"2, 3", 6L});

    ArraySize const cube{2, 3, 4};
    for (unsigned long d : {1, 3, 5}) cube.checkDim(d);
    expect_message([&] { cube.checkDim(2); }, types_catalog, "InconsistentIndexDimension", {2L, "2, 3, 4"});

    // The user's text joins the lengths with x, grouping digits by the global locale.
    EXPECT_EQ(to_user_string(ArraySize{2, 3, 1, 5}), u"2x3x1x5");
    std::locale const previous = std::locale::global(std::locale(std::locale::classic(), new Grouping));
    std::u16string const grouped = to_user_string(ArraySize{1234567, 2});
    std::locale::global(previous);
    EXPECT_EQ(grouped, u"1,234,567x2");
}

Type scalar(type::Id id) { return ScalarType(id); }
Type array(type::Id id, ArraySize size) { return ArrayType(id, size); }
Type tuple(std::vector<Type> const& elements) {
    Types list;
    for (auto const& e : elements) list += e;
    return TupleType(list);
}

// Printed names show throughout the type and constant tests; here the two
// ways back from text, which differ.
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
    EXPECT_EQ(printed(tuple({Type()})), "tuple<tuple<>>");
    EXPECT_EQ(to_user_string(ArrayType(type::INDEX, {5})), u"[5x1 uint32]");

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

// Every identifier the library can raise must have a catalog text whose
// placeholders are exactly its argument slots.
template <class Id>
void expect_catalog_text() {
    SCOPED_TRACE(std::string(Id::catalog_name) + " " + Id::key_name);
    ASSERT_TRUE(kbase::has_message_text(Id::catalog_name, Id::key_name));
    std::string const text = kbase::Message(lexicon::BaseMsgID(Id::catalog_name, Id::key_name, {})).text();
    std::set<std::size_t> slots;
    std::regex const slot("\\{([0-9]+)\\}");
    for (std::sregex_iterator i(text.begin(), text.end(), slot), end; i != end; ++i) slots.insert(std::stoul((*i)[1]));
    std::set<std::size_t> expected;
    for (std::size_t slot = 1; slot <= Id::arity; ++slot) expected.insert(slot);
    EXPECT_EQ(slots, expected) << text;
}

TEST(MessageIds, EveryKeyHasACatalogTextUsingEachArgumentInItsSlot) {
#define LANGCORE_CHECK_TEXT(catalog, key, ...) expect_catalog_text<msg::catalog::key>();
    LANGCORE_MESSAGE_IDS(LANGCORE_CHECK_TEXT, LANGCORE_CHECK_TEXT)
#undef LANGCORE_CHECK_TEXT

    // Text arguments of each string type land in their slots as narrow or
    // UTF-16 text; integers stay integers. The catalog files are the host's.
    using Arguments = std::vector<lexicon::MsgArgument>;
    std::string const size = "2, 3";
    EXPECT_EQ(msg::types::InvalidIndex(size, 7L).arguments(), (Arguments{size, 7L}));
    EXPECT_EQ(msg::types::InvalidIndex(size.c_str(), 7L).arguments(), (Arguments{size, 7L}));
    EXPECT_EQ(msg::types::InvalidIndex(std::u16string(u"2x3"), 7L).arguments(), (Arguments{u"2x3", 7L}));
    EXPECT_EQ(catalog_extension, ".tvmsg");
}

}  // namespace
}  // namespace lang::core
