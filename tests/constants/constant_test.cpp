// The constant values: arrays that share a block until written, the Constant
// variant, the Constants list and Tuple, and ScalarConstant; their order,
// hashes, digest bytes, and stream and user forms.
#include <lang/core/core.hpp>

#include "test_support/values.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <variant>

namespace lang::core {
namespace {

using heap = groundwork::core::mem::aligned_heap;
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

TEST(Array, CopiesShareTheBlockUntilTheFirstWrite) {
    Array<double> a = make<double>({2, 3}, {1, 2, 3, 4, 5, 6});
    Array<double> assigned(ArraySize{1});
    auto const allocations = heap::allocations();
    auto const live = heap::live();
    Array<double> copy = a;
    Array<double> const reshaped(ArraySize{3, 2}, a);
    assigned = a;
    Array<int> const empty(ArraySize{0, 3});
    EXPECT_EQ(heap::allocations(), allocations);
    EXPECT_EQ(heap::live(), live - 1);  // the block `assigned` held is gone

    copy.x()[0] = 42;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    *(copy.end() - 1) = 44;
    EXPECT_EQ(heap::allocations(), allocations + 1);
    EXPECT_EQ(printed(copy), "[42.0, 3.0, 5.0; 2.0, 4.0, 44.0]");
    EXPECT_EQ(printed(a), "[1.0, 3.0, 5.0; 2.0, 4.0, 6.0]");
    EXPECT_EQ(printed(reshaped), "[1.0, 4.0; 2.0, 5.0; 3.0, 6.0]");

    // An adopted block is copied on the first write even when unshared.
    auto block = Array<int>::alloc(ArraySize{2});
    std::fill(block.get(), block.get() + 2, 7);
    Array<int> adopted(ArraySize{2}, block);
    block.reset();
    adopted.x()[0] = 1;
    adopted.x()[1] = 2;
    EXPECT_EQ(heap::allocations(), allocations + 3);
    EXPECT_EQ(printed(adopted), "[1; 2]");

    // A tuple's copy shares its arrays' blocks too.
    Tuple const tuple{0.0, Array<unsigned long>(ArraySize{2}), Tuple{false}};
    Tuple tuple_copy = tuple;
    EXPECT_EQ(heap::allocations(), allocations + 4);
    std::get<Array<unsigned long>>(extract(tuple_copy, 1).value()).x()[0] = 3;
    EXPECT_EQ(heap::allocations(), allocations + 5);
    EXPECT_EQ(printed(tuple_copy), "{0.0, [3i; 0i], {false}}");
    EXPECT_EQ(printed(tuple), "{0.0, [0i; 0i], {false}}");
}

// The generated law checks below hold these too; here the particular answers.
TEST(Array, ComparesByShapeThenElementwiseWithTheRealRules) {
    ArraySize const row{1, 2};
    auto const reals = [&](double x, double y) { return make<double>(row, {x, y}); };
    EXPECT_TRUE(reals(nan, 0.0).equal_(reals(-nan, -0.0)));
    EXPECT_EQ(reals(1, nan).compare_(reals(1, 2)), 3);
    EXPECT_EQ(reals(nan, 5).compare_(reals(nan, 3)), 2);
    EXPECT_EQ(reals(9, 9).compare_(make<double>({2, 1}, {0, 0})), 1);
    EXPECT_EQ(make<unsigned long>(row, {~0UL, 0}).compare_(make<unsigned long>(row, {1, 0})), 2);
    EXPECT_EQ(compare(Constant(nan), Constant(1.0)), 3);
    EXPECT_EQ(compare(Constants{1}, Constants{1, 2}), 1);
    EXPECT_EQ(compare(Constants{nan, 0}, Constants{1.0, 9}), 3);
}

TEST(Array, StreamsNestedBracketsInColumnMajorOrder) {
    EXPECT_EQ(printed(make<unsigned long>({2, 2}, {1, 3, 2, 4})), "[1i, 2i; 3i, 4i]");
    EXPECT_EQ(printed(make<int>({2, 2, 2}, {1, 2, 3, 4, 5, 6, 7, 8})), "[[1, 3; 2, 4], [5, 7; 6, 8]]");
    EXPECT_EQ(printed(make<int>({1, 1, 2, 2}, {1, 2, 3, 4})), "[[[1], [2]], [[3], [4]]]");
    EXPECT_EQ(printed(Array<int>({0, 3})), "empty<integer, 0, 3>");

    // The worker's multi-index: shorter ones are extended with 0s, one
    // outside the shape names no element, a dimension past it has no index.
    Array<int> const cube = make<int>({2, 2, 2}, {1, 2, 3, 4, 5, 6, 7, 8});
    auto const worker = [&](std::vector<unsigned long> index, unsigned long dim) {
        std::ostringstream os;
        cube.out(os, index, dim);
        return os.str();
    };
    EXPECT_EQ(worker({0, 0, 1}, 1), "[5, 7; 6, 8]");
    EXPECT_EQ(worker({}, 2), "[[1, 3; 2, 4], [5, 7; 6, 8]]");
    EXPECT_EQ(worker({0, 0, 0, 0}, 3), "[[[1, 3; 2, 4], [5, 7; 6, 8]]]");
    expect_message([&] { worker({0, 0, 2}, 1); }, types_catalog, "InvalidIndex", {"2, 2, 2", 8L});
    expect_message([&] { worker({0, 0, 0, 1}, 1); }, types_catalog, "InvalidIndex", {"2, 2, 2", 8L});
    EXPECT_THROW(worker({0, 0, 0}, 3), std::out_of_range);
    EXPECT_EQ(printed(make<double>({1, 11}, {3, -2, 0.5, 1e20, -0.0, nan, inf, -inf, 0.1, 1e-5, 1.0 / 3})),
              "[3.0, -2.0, 0.5, 1e+20, -0.0, nan, inf, -inf, 0.1, 1e-05, 0.3333333333333333]");
    // Scalars share the element writer; a tuple brackets its elements.
    EXPECT_EQ(printed(Constant(Tuple{1, 2.0, Tuple{}, make<bool>({1}, {true}), Tuple{true}})),
              "{1, 2.0, {}, [true], {true}}");
}

TEST(UserForm, IsAShortRowOrTheTypeTextAndWrapsIntegersOnly) {
    EXPECT_EQ(make<int>({1, 3}, {1, 2, 3}).toUserString(), u"int32([1 2 3])");
    EXPECT_EQ(make<bool>({1, 2}, {true, false}).toUserString(), u"[true false]");
    EXPECT_EQ(make<double>({1, 6}, {1e9, -2.5, 20000, nan, -inf, -0.0}).toUserString(),
              u"[1.0000e+09 -2.5000 20000 NaN -Inf 0]");
    EXPECT_EQ(Array<bool>({0, 0}).toUserString(), u"logical([])");
    EXPECT_EQ(Array<double>({0, 0}).toUserString(), u"[]");
    EXPECT_EQ(Array<int>({3, 1}).toUserString(), u"[3x1 int32]");

    // The row text must stay below 40 units: 39 fits, 40 does not.
    Array<int> sevens(ArraySize{1, 19});
    std::fill(sevens.begin(), sevens.end(), 7);
    EXPECT_EQ(sevens.toUserString(), u"int32([7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7])");
    sevens.x()[0] = 10;
    EXPECT_EQ(sevens.toUserString(), u"[1x19 int32]");

    // A scalar's form is its element's text, wrapped for integers only.
    EXPECT_EQ(detail::ScalarToUserString<bool>()(true), u"true");
    EXPECT_EQ(detail::ScalarToUserString<int>()(INT_MIN), u"int32(-2147483648)");
    EXPECT_EQ(detail::ScalarToUserString<unsigned long>()(~0UL), u"uint32(18446744073709551615)");

    std::vector<std::pair<double, std::u16string>> const reals{
        {nan, u"NaN"},        {-inf, u"-Inf"},           {-0.0, u"0"},              {-2.5, u"-2.5000"},
        {1e-5, u"1.0000e-05"}, {0.0001, u"0.0001"},     {12346.7, u"1.2347e+04"}, {999999999, u"999999999"}};
    for (auto const& [value, text] : reals) EXPECT_EQ(detail::ScalarToUserString<double>()(value), text) << value;
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
    ArraySize const shape{1, 3};
    EXPECT_EQ(make<int>(shape, {5, -1, 0x7fffffff}).hash(),
              combine(combine(combine(combine(1, hash_value(shape)), 5), ~0ULL), 0x7fffffff));
    EXPECT_EQ(make<double>(shape, {inf, -inf, 1.5}).hash(),
              combine(combine(combine(combine(3, hash_value(shape)), ~0ULL), ~1ULL), 0x3ff8000000000000ULL));
    EXPECT_EQ(make<double>({1}, {nan}).hash(), combine(combine(3, hash_value(ArraySize{1})), ~2ULL));
    EXPECT_EQ(Array<unsigned long>(ArraySize{0}).hash(), combine(2, hash_value(ArraySize{0})));

    EXPECT_EQ(hash_value(Constant(-1)), combine(combine(0, 1), combine(0, ~0ULL)));
    EXPECT_EQ(hash_value(Constant(-inf)), combine(combine(0, 3), combine(0, ~1ULL)));
    Array<int> const a(ArraySize{2, 2});
    EXPECT_EQ(hash_value(Constant(a)), combine(combine(0, 5), a.hash()));
    std::uint64_t const list = combine(combine(0, hash_value(Constant(7UL))), hash_value(Constant(true)));
    EXPECT_EQ(hash_value(Constant(Tuple{7UL, true})), combine(combine(0, 8), combine(0, list)));
    EXPECT_EQ(hash_value(Constants()), 0u);
}

// A tuple feeds its elements in order and nothing for itself.
TEST(Constant, DigestFieldsAreBigEndian) {
    EXPECT_EQ(digest(Constant(-1)), be64(1) + "\xFF\xFF\xFF\xFF|");
    EXPECT_EQ(digest(Constant(true)), be64(0) + "\x01|");
    EXPECT_EQ(digest(Constant(7UL)), be64(2) + be64(7));
    EXPECT_EQ(digest(Constant(1.0)), be64(3) + "\x3F\xF0\0\0|\0\0\0\0|"s);
    EXPECT_EQ(digest(Constant(make<bool>({1, 2}, {true, false}))),
              be64(4) + "\0\0\0\0|"s + be64(2) + be64(1) + be64(2) + "\x01|\0|"s);
    EXPECT_EQ(digest(Constant(make<int>({1, 1, 1}, {258}))),
              be64(5) + "\0\0\0\x01|"s + be64(2) + be64(1) + be64(1) + "\0\0\x01\x02|"s);
    EXPECT_EQ(digest(Constant(Tuple{Tuple{}, 2})), be64(8) + be64(8) + be64(1) + "\0\0\0\x02|"s);
    // Equal reals feed equal bytes.
    EXPECT_EQ(digest(Constant(-0.0)), be64(3) + "\0\0\0\0|\0\0\0\0|"s);
    EXPECT_EQ(digest(Constant(make<double>({2}, {-0.0, -nan}))), digest(Constant(make<double>({2}, {0.0, nan}))));
}

TEST(Constant, MakeConstantGivesZerosOfTheType) {
    EXPECT_EQ(make_constant(ArrayType(type::REAL, {2, 2})), make<double>({2, 2}, {0, 0, 0, 0}));
    Types elements = Type(ScalarType(type::INDEX)) + Type(ArrayType(type::LOGICAL, {1, 2}));
    elements += Type();
    EXPECT_EQ(printed(make_constant(TupleType(elements))), "{0i, [false, false], {}}");
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

TEST(ScalarConstant, HoldsOnlyTheScalarOfAConstant) {
    ScalarConstant const index(Constant(7UL));
    EXPECT_EQ(printed(index), "7i");
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
    std::vector<ScalarConstant> const scalars{
        Scalar<bool>{false},  Scalar<bool>{true},   Scalar<int>{INT_MIN},    Scalar<int>{0},
        Scalar<int>{0},       Scalar<unsigned long>{~0UL}, Scalar<double>{0.0}, Scalar<double>{-0.0},
        Scalar<double>{nan},  Scalar<double>{-nan}, Scalar<double>{-inf},    Scalar<double>{1.5}};
    expect_consistent_relations(scalars);
    for (auto const& a : scalars) {
        EXPECT_EQ(hash_value(a), hash_value(to_constant(a)));
        for (auto const& b : scalars) EXPECT_EQ(compare(a, b), compare(to_constant(a), to_constant(b)));
    }
}

}  // namespace
}  // namespace lang::core
