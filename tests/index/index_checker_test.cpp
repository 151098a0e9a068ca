// IndexChecker: each position admits the indices below its length.
#include <lang/core/index/index_checker.hpp>

#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace lang::core {
namespace {

void expect_invalid(IndexChecker const& check, unsigned long index, unsigned long position, char16_t const* size,
                    long reported) {
    test::expect_message([&] { check(index, position); }, test::types_catalog, "InvalidIndex",
                         {std::u16string(size), reported});
}

TEST(IndexChecker, AdmitsIndicesBelowEachPositionsLength) {
    IndexChecker const two(ArraySize{3, 4}, 2);
    two(3, 1);
    expect_invalid(two, 3, 0, u"3x4", 3);
    expect_invalid(two, ~0UL, 0, u"3x4", -1);  // reported as a signed 64-bit value
    EXPECT_THROW(two(0, 2), std::out_of_range);

    // Positions past the stored ones admit only 0. (That the last position
    // spans the remaining dimensions, the moved-from test proves.)
    expect_invalid(IndexChecker(ArraySize{2, 3}, 3), 1, 2, u"2x3", 1);

    EXPECT_THROW(IndexChecker(ArraySize{3, 4}, 0), std::logic_error);
}

}  // namespace
}  // namespace lang::core
