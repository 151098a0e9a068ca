#include <lang/core/ops/extrema_id.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

namespace op = lang::core::op;
namespace extrema = lang::core::extrema;

TEST(ExtremaId, NamesBasesAndInverse) {
    std::ostringstream printed;
    printed << extrema::INDEX_MINIMUM << ' ' << extrema::INDEX_MAXIMUM << ' ' << extrema::INVALID;
    EXPECT_EQ(printed.str(), "index_minimum index_maximum invalid");

    std::istringstream names("index_maximum maximum");
    extrema::Id first{}, second{};
    names >> first >> second;
    EXPECT_EQ(first, extrema::INDEX_MAXIMUM);
    EXPECT_EQ(second, extrema::INVALID);

    EXPECT_EQ(extrema::base(extrema::INDEX_MINIMUM), op::LT);
    EXPECT_EQ(extrema::base(extrema::INDEX_MAXIMUM), op::GT);
    for (int k = 0; k < op::COUNT; ++k) {
        auto const expected = k == op::LT ? extrema::INDEX_MINIMUM
                              : k == op::GT ? extrema::INDEX_MAXIMUM
                                            : extrema::INVALID;
        EXPECT_EQ(extrema::from_base(static_cast<op::Id>(k)), expected) << k;
    }
}

}  // namespace
