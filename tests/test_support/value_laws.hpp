// SPDX-License-Identifier: Apache-2.0
// Test helper: checks that equality, three-way comparison and hashing agree
// over every pair of a list of values:
//   a == b  <=>  compare(a, b) == 0,   a == b  =>  hash_value(a) == hash_value(b),
//   and compare is antisymmetric (1 one way, 2 the other; 3 both ways).
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace lang::core::test {

template <class T>
std::string printed(T const& value) {
    std::ostringstream os;
    os << value;
    return os.str();
}

template <class T>
void expect_consistent_relations(std::vector<T> const& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        for (std::size_t j = 0; j < values.size(); ++j) {
            T const& a = values[i];
            T const& b = values[j];
            int const ab = compare(a, b);
            int const ba = compare(b, a);
            bool const equal = a == b;
            SCOPED_TRACE(printed(a) + " vs " + printed(b));
            EXPECT_EQ(equal, ab == 0);
            EXPECT_EQ(equal, !(a != b));
            if (equal) {
                EXPECT_EQ(hash_value(a), hash_value(b));
            }
            EXPECT_TRUE(ab >= 0 && ab <= 3) << "compare out of range";
            EXPECT_EQ(ba, ab == 1 ? 2 : ab == 2 ? 1 : ab) << "compare not antisymmetric";
            EXPECT_EQ(a < b, ab == 1);
            EXPECT_EQ(a > b, ab == 2);
        }
    }
}

}  // namespace lang::core::test
