#include <lang/core/types/scalar_type.hpp>
#include <lang/core/types/type_id.hpp>

#include <gtest/gtest.h>

#include <boost/lexical_cast.hpp>

#include <sstream>
#include <stdexcept>
#include <string>

namespace lang::core {
namespace {

std::string printed(type::Id id) { return boost::lexical_cast<std::string>(id); }

type::Id read(std::string const& text) {
    std::istringstream is(text);
    type::Id id = type::LOGICAL;
    is >> id;
    return id;
}

TEST(TypeId, PrintsStreamNames) {
    EXPECT_EQ(printed(type::INVALID), "invalid");
    EXPECT_EQ(printed(type::LOGICAL), "logical");
    EXPECT_EQ(printed(type::INTEGER), "integer");
    EXPECT_EQ(printed(type::INDEX), "index");
    EXPECT_EQ(printed(type::REAL), "real");
    EXPECT_EQ(boost::lexical_cast<std::string>(ScalarType(type::REAL)), "real");
}

TEST(TypeId, LooksUpExactStreamNamesOnly) {
    EXPECT_EQ(type::id("index"), type::INDEX);
    EXPECT_EQ(type::id("real"), type::REAL);
    EXPECT_EQ(type::id("Index"), type::INVALID);
    EXPECT_EQ(type::id("double"), type::INVALID);
    EXPECT_EQ(type::id("int32"), type::INVALID);
    EXPECT_EQ(type::id(""), type::INVALID);
}

TEST(TypeId, ReadsIdentifiersInAnyCaseAndNothingElse) {
    EXPECT_EQ(read("Index"), type::INDEX);
    EXPECT_EQ(read("  REAL rest"), type::REAL);
    EXPECT_EQ(read("logical"), type::LOGICAL);
    EXPECT_EQ(read("double"), type::INVALID);
    EXPECT_EQ(read("2x"), type::INVALID);
    EXPECT_EQ(read("real!"), type::INVALID);
    EXPECT_EQ(read(std::string(63, 'a')), type::INVALID);
    EXPECT_EQ(read(std::string(64, 'a')), type::INVALID);

    // An unrecognised word still leaves the stream good; only running out of input fails it.
    std::istringstream is("bogus real");
    type::Id id = type::REAL;
    EXPECT_TRUE(is >> id);
    EXPECT_EQ(id, type::INVALID);
    EXPECT_TRUE(is >> id);
    EXPECT_EQ(id, type::REAL);
    EXPECT_FALSE(is >> id);
    EXPECT_EQ(id, type::INVALID);
}

TEST(TypeId, SignednessAndUserNames) {
    EXPECT_TRUE(type::is_signed(type::INTEGER));
    EXPECT_FALSE(type::is_signed(type::LOGICAL));
    EXPECT_FALSE(type::is_signed(type::INDEX));
    EXPECT_FALSE(type::is_signed(type::REAL));
    try {
        type::is_signed(type::INVALID);
        ADD_FAILURE() << "is_signed(INVALID) returned";
    } catch (std::logic_error const& e) {
        EXPECT_STREQ(e.what(), "bad visit");
    }
    EXPECT_EQ(to_user_name(type::LOGICAL).view(), "logical");
    EXPECT_EQ(to_user_name(type::INTEGER).view(), "int32");
    EXPECT_EQ(to_user_name(type::INDEX).view(), "uint32");
    EXPECT_EQ(to_user_name(type::REAL).view(), "double");
    EXPECT_EQ(&to_user_name(type::REAL), &to_user_name(type::REAL));
}

}  // namespace
}  // namespace lang::core
