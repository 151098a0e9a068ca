// Eye, a compact identity: it expands to ones on the generalised diagonal of
// the array its type reports, and prints its element type and lengths.
#include <lang/core/constants/eye.hpp>
#include <lang/core/ops/convert.hpp>

#include "test_support/values.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <variant>

namespace lang::core {
namespace {

using namespace test;

// The diagonal from the multi-index of each position, not from the stride.
template <class T>
void expect_identity(Eye const& e) {
    SCOPED_TRACE(printed(e));
    Constant const c = to_constant(e);
    ASSERT_EQ(array_type(c), array_type(e));
    Array<T> const& a = std::get<Array<T>>(c.value());
    ArraySize const& s = e.size();
    for (unsigned long p = 0; p < s.numElements(); ++p) {
        unsigned long rest = p;
        bool diagonal = true;
        unsigned long first = rest % s(0);
        for (unsigned long d = 0; d < s.size(); ++d) {
            diagonal = diagonal && rest % s(d) == first;
            rest /= s(d);
        }
        EXPECT_EQ(a.x()[p], diagonal ? T(1) : T(0)) << "at " << p;
    }
}

TEST(Eye, ExpandsToOnesOnTheGeneralisedDiagonal) {
    expect_identity<double>(Eye(type::REAL, ArraySize{2, 3}));
    expect_identity<int>(Eye(type::INTEGER, ArraySize{3, 2, 4}));
    expect_identity<unsigned long>(Eye(type::INDEX, ArraySize{2, 2, 2, 2}));
    expect_identity<double>(Eye(type::REAL, ArraySize{0, 3}));
    expect_identity<bool>(Eye());
    EXPECT_THROW(to_constant(Eye(type::Id(4), ArraySize{2, 2})), std::logic_error);
    using Pair = std::pair<unsigned long, unsigned long>;
    EXPECT_EQ(stride_and_stop(Eye(type::REAL, ArraySize{2, 2, 2})), Pair(7, 14));
    EXPECT_EQ(stride_and_stop(Eye(type::REAL, ArraySize{0, 3})), Pair(1, 0));
    EXPECT_EQ(printed(Eye()), "eye<logical, 0, 1>");
    EXPECT_EQ(printed(Eye(type::INDEX, ArraySize{2, 1, 3})), "eye<index, 2, 1, 3>");
}

}  // namespace
}  // namespace lang::core
