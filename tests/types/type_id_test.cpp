// Type ids read back from text, by lookup and by stream.
#include <lang/core/types/type_id.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace lang::core {
namespace {

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

}  // namespace
}  // namespace lang::core
