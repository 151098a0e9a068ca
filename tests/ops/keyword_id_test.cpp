#include <lang/core/ops/keyword_id.hpp>

#include <kbase/identifier.hpp>

#include <gtest/gtest.h>

#include <string>

namespace {

namespace keyword = lang::core::keyword;

TEST(KeywordId, TableHoldsEveryWordOnceInValueOrder) {
    auto const& all = keyword::all();
    ASSERT_EQ(all.size(), 49u);
    EXPECT_EQ(&all, &keyword::all());
    EXPECT_EQ(keyword::name(keyword::DER), kbase::detail::HdIdCheck{}("der", 3));
    EXPECT_EQ(std::string(keyword::name(keyword::ARRAY)), "array");
    EXPECT_EQ(std::string(keyword::name(keyword::NO_IMPLICIT_ASSERTS)), "no_implicit_asserts");
    EXPECT_EQ(std::string(keyword::name(keyword::TIMEREP)), "timerep");
    for (int k = 0; k < keyword::COUNT; ++k) {
        EXPECT_EQ(&keyword::name(static_cast<keyword::Id>(k)), &all[k]);
        for (int j = 0; j < k; ++j) EXPECT_FALSE(all[j] == all[k]) << all[k] << " appears twice";
    }
}

}  // namespace
