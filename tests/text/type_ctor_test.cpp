// A type constructor wraps its argument in the type's user name.
#include <lang/core/text/type_ctor.hpp>

#include <gtest/gtest.h>

namespace lang::core {
namespace {

TEST(TypeCtor, WrapsTheArgumentInTheUserName) {
    EXPECT_EQ(wrap_with_type_ctor(type::REAL, u"x"), u"double(x)");
    EXPECT_EQ(wrap_with_type_ctor(type::INDEX, u"n"), u"uint32(n)");
    EXPECT_EQ(wrap_with_type_ctor(type::LOGICAL, u""), u"logical()");
}

}  // namespace
}  // namespace lang::core
