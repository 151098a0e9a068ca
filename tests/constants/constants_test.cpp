#include <lang/core/constants/constants.hpp>

#include "test_support/value_laws.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace lang::core {
namespace {

std::string printed(Constants const& list) { return test::printed(Constant(Tuple(list))); }

TEST(Constants, MadeElementsAreEmptyTuples) {
    Constants list(3);
    EXPECT_EQ(printed(list), "{{}, {}, {}}");
    list.resize(5);
    EXPECT_EQ(printed(list), "{{}, {}, {}, {}, {}}");
    list.resize(1);
    list.resize(3, 2.5);
    EXPECT_EQ(printed(list), "{{}, 2.5, 2.5}");
    EXPECT_EQ(printed(Constants(2, Constant(1UL))), "{1i, 1i}");
    EXPECT_EQ(printed(Constants(std::vector<Constant>{true})), "{true}");
}

TEST(Constants, ForwardsTheVectorInterface) {
    Constants list{1, 2, 3};
    list.push_back(4);
    Constant const five = 5;
    list.push_back(five);
    list.insert(list.begin(), 0);
    list.insert(list.begin() + 1, five);
    list.insert(list.end(), 2, Constant(true));
    EXPECT_EQ(printed(list), "{0, 5, 1, 2, 3, 4, 5, true, true}");
    list.erase(list.begin() + 1);
    list.erase(list.end() - 2, list.end());
    list.pop_back();
    EXPECT_EQ(printed(list), "{0, 1, 2, 3, 4}");
    EXPECT_EQ(list.front(), Constant(0));
    EXPECT_EQ(list.back(), Constant(4));
    EXPECT_EQ(*list.rbegin(), Constant(4));
    EXPECT_EQ(*(list.crend() - 1), Constant(0));
    EXPECT_EQ(list.data(), &list[0]);
    EXPECT_EQ(list.size(), 5u);
    list.reserve(20);
    EXPECT_GE(list.capacity(), 20u);

    Constants other;
    swap(list, other);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(other.size(), 5u);
    list = {7.0};
    list.assign(2, Constant(8));
    EXPECT_EQ(printed(list), "{8, 8}");
    list.assign({9});
    EXPECT_EQ(printed(list), "{9}");
    list.clear();
    EXPECT_TRUE(list.empty());

    try {
        other.at(5);
        ADD_FAILURE() << "no std::out_of_range";
    } catch (std::out_of_range const& e) {
        EXPECT_STREQ(e.what(), "vector::_M_range_check: __n (which is 5) >= this->size() (which is 5)");
    }
    EXPECT_EQ(std::as_const(other).at(4), Constant(4));
}

TEST(Constants, AppendCopiesOrMovesInOrder) {
    Constants a{1, 2};
    Constants b{3.0};
    a += b;
    EXPECT_EQ(printed(a), "{1, 2, 3.0}");
    a += a;
    EXPECT_EQ(printed(a), "{1, 2, 3.0, 1, 2, 3.0}");
    a += Constants{true};
    EXPECT_EQ(printed(a), "{1, 2, 3.0, 1, 2, 3.0, true}");
    EXPECT_EQ(printed(b), "{3.0}");
}

TEST(Constants, ComparesLexicographically) {
    Constants const empty;
    EXPECT_EQ(compare(Constants{1}, Constants{1, 2}), 1);
    EXPECT_EQ(compare(Constants{1, 2}, Constants{1}), 2);
    EXPECT_EQ(compare(Constants{2}, Constants{1, 5}), 2);
    EXPECT_EQ(compare(empty, Constants()), 0);
    EXPECT_EQ(compare(empty, Constants{1}), 1);
    EXPECT_EQ(compare(Constants{std::numeric_limits<double>::quiet_NaN(), 0}, Constants{1.0, 9}), 3);
    EXPECT_EQ(Constants({1, 2.0}), Constants({1, 2.0}));
    EXPECT_NE(Constants({1, 2.0}), Constants({1, 2}));
    EXPECT_NE(Constants({1}), Constants({1, 1}));
    EXPECT_TRUE(equal_ignore_annotation(Constants{-0.0}, Constants{0.0}));
    Constants stripped{1};
    strip_annotation_inplace(stripped);
    EXPECT_EQ(stripped, Constants{1});
}

TEST(Constants, HashAndDigestAreThoseOfTheElementsInOrder) {
    constexpr std::uint64_t m = 0xc6a4a7935bd1e995ULL;
    auto combine = [](std::uint64_t h, std::uint64_t k) {
        k *= m;
        k ^= k >> 47;
        k *= m;
        return ((h ^ k) * m) + 0xe6546b64ULL;
    };
    EXPECT_EQ(hash_value(Constants()), 0u);
    Constant const a = 1;
    Constant const b = Tuple{2.0};
    EXPECT_EQ(hash_value(Constants{a, b}), combine(combine(0, hash_value(a)), hash_value(b)));

    auto digest = [](auto const& value) {
        std::string bytes;
        DigestSink sink = [&](char const* data, unsigned long n) { bytes.append(data, n); };
        incorporate_data(sink, value);
        return bytes;
    };
    EXPECT_EQ(digest(Constants()), "");
    EXPECT_EQ(digest(Constants{a, b}), digest(a) + digest(b));
    EXPECT_EQ(digest(Constant(Tuple{a, b})), std::string(7, '\0') + '\x08' + digest(a) + digest(b));
}

}  // namespace
}  // namespace lang::core
