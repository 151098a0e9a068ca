#include <lang/core/index/index_checker.hpp>

#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>

namespace lang::core {
namespace {

using test::expect_message;

constexpr char types_catalog[] = "tarvex:common:lang:core:types";

TEST(IndexChecker, AdmitsIndicesBelowEachPositionsLength) {
    IndexChecker const two(ArraySize{3, 4}, 2);
    two(2, 0);
    two(3, 1);
    expect_message([&] { two(3, 0); }, types_catalog, "InvalidIndex", {std::u16string(u"3x4"), 3L});
    expect_message([&] { two(4, 1); }, types_catalog, "InvalidIndex", {std::u16string(u"3x4"), 4L});

    IndexChecker const linear(ArraySize{3, 4}, 1);
    linear(11, 0);
    expect_message([&] { linear(12, 0); }, types_catalog, "InvalidIndex", {std::u16string(u"3x4"), 12L});

    // The last position spans the remaining dimensions; positions past the
    // stored ones admit only 0.
    IndexChecker const spanning(ArraySize{2, 3, 4}, 2);
    spanning(11, 1);
    expect_message([&] { spanning(12, 1); }, types_catalog, "InvalidIndex", {std::u16string(u"2x3x4"), 12L});
    IndexChecker const beyond(ArraySize{2, 3}, 3);
    beyond(0, 2);
    expect_message([&] { beyond(1, 2); }, types_catalog, "InvalidIndex", {std::u16string(u"2x3"), 1L});

    // The index is reported as the signed 64-bit value of its bits.
    expect_message([&] { two(std::numeric_limits<unsigned long>::max(), 0); }, types_catalog, "InvalidIndex",
                   {std::u16string(u"3x4"), -1L});
}

TEST(IndexChecker, RejectsPositionsPastTheLastAndAZeroCount) {
    IndexChecker const checker(ArraySize{3, 4}, 2);
    EXPECT_THROW(checker(0, 2), std::out_of_range);
    try {
        IndexChecker(ArraySize{3, 4}, 0);
        ADD_FAILURE() << "a zero count was accepted";
    } catch (std::logic_error const& e) {
        EXPECT_STREQ(e.what(), "non-positive value found where a positive value was expected.");
    }
}

}  // namespace
}  // namespace lang::core
