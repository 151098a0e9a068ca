// SPDX-License-Identifier: Apache-2.0
#include <lang/core/text/constant_text.hpp>

#include <lang/core/constants/array_builders.hpp>
#include <lang/core/constants/scalar_to_user_string.hpp>
#include <lang/core/constants/tuple.hpp>

#include "test_support/values.hpp"

#include <qz/i18n/ustring.hpp>

#include <gtest/gtest.h>

#include <sstream>

namespace lang::core {
namespace {

// The user form the library prints in UTF-16; a tuple's is its elements' in
// braces.
std::u16string reference_user_text(Constant const& c) {
    return visit(
        [](auto const& v) -> std::u16string {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, Tuple>) {
                std::u16string out;
                for (Constant const& e : v.constants()) out += (out.empty() ? u"" : u", ") + reference_user_text(e);
                return u"{" + out + u"}";
            } else if constexpr (is_array_v<V>) {
                return v.toUserString();
            } else {
                return detail::ScalarToUserString<decltype(v.value)>()(v.value);
            }
        },
        c);
}

// The UTF-8 text is checked by the host's converter of the other direction.
TEST(ConstantText, MatchesTheFormsTheLibraryPrints) {
    for (Constant const& c : test::generated_constants()) {
        std::ostringstream os;
        os << c;
        EXPECT_EQ(stream_text(c), os.str());
        EXPECT_TRUE(qz::i18n::to_ustring(user_text(c)) == reference_user_text(c)) << c;
    }
    EXPECT_EQ(user_text(Constant(Tuple{5, matrix({{1.0, 2.5}}), Tuple{}})), "{int32(5), [1 2.5000], {}}");
}

}  // namespace
}  // namespace lang::core
