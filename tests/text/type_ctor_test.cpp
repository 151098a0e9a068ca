#include <lang/core/text/type_ctor.hpp>

#include <gtest/gtest.h>

namespace {

namespace type = lang::core::type;
using lang::core::wrap_with_type_ctor;

TEST(TypeCtor, WrapsTheArgumentInTheUserName) {
    EXPECT_EQ(wrap_with_type_ctor(type::REAL, u"x"), u"double(x)");
    EXPECT_EQ(wrap_with_type_ctor(type::INDEX, u"n"), u"uint32(n)");
    EXPECT_EQ(wrap_with_type_ctor(type::LOGICAL, u""), u"logical()");
    EXPECT_EQ(wrap_with_type_ctor(type::REAL, u"\u20ac(1, 2)"), u"double(\u20ac(1, 2))");
}

}  // namespace
