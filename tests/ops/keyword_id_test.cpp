#include <lang/core/ops/keyword_id.hpp>

#include <kbase/identifier.hpp>

#include <gtest/gtest.h>

#include <string>

namespace {

namespace keyword = lang::core::keyword;

TEST(KeywordId, TableHoldsEveryWordInValueOrder) {
    auto const& all = keyword::all();
    ASSERT_EQ(all.size(), 49u);
    EXPECT_EQ(&all, &keyword::all());

    kbase::detail::HdIdCheck const check;
    EXPECT_EQ(keyword::name(keyword::DER), check("der", 3));
    EXPECT_EQ(std::string(keyword::name(keyword::ARRAY)), "array");
    EXPECT_EQ(std::string(keyword::name(keyword::TO_ARRAY)), "to_array");
    EXPECT_EQ(std::string(keyword::name(keyword::TRANSFER_FUNCTION)), "transfer_function");
    EXPECT_EQ(std::string(keyword::name(keyword::NO_IMPLICIT_ASSERTS)), "no_implicit_asserts");
    EXPECT_EQ(std::string(keyword::name(keyword::TIMEREP)), "timerep");
    for (int k = 0; k < keyword::COUNT; ++k) {
        auto const word = static_cast<keyword::Id>(k);
        EXPECT_EQ(&keyword::name(word), &all[k]);
        for (int j = 0; j < k; ++j) EXPECT_FALSE(all[j] == all[k]) << all[k] << " appears twice";
    }
}

}  // namespace
