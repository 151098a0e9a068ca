#include <lang/core/types/type_id.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace lang::core {
namespace {

// Printed names show throughout the type and constant tests; here the two
// ways back from text, which differ.
TEST(TypeId, LookupIsExactWhileReadingTakesAnIdentifierInAnyCase) {
    EXPECT_EQ(type::id("index"), type::INDEX);
    for (char const* text : {"Index", "double", "int32", ""}) EXPECT_EQ(type::id(text), type::INVALID) << text;

    std::istringstream is("Index  REAL logical double 2x real! " + std::string(63, 'a') + ' ' + std::string(64, 'a'));
    type::Id id = type::REAL;
    for (type::Id expected : {type::INDEX, type::REAL, type::LOGICAL, type::INVALID, type::INVALID, type::INVALID,
                              type::INVALID, type::INVALID}) {
        // An unrecognised word still leaves the stream good.
        EXPECT_TRUE(is >> id);
        EXPECT_EQ(id, expected);
    }
    EXPECT_FALSE(is >> id);  // only running out of input fails it
    EXPECT_EQ(id, type::INVALID);
    EXPECT_TRUE(type::is_signed(type::INTEGER) && !type::is_signed(type::INDEX) && !type::is_signed(type::REAL));
}

}  // namespace
}  // namespace lang::core
