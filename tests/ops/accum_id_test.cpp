#include <lang/core/ops/accum_id.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

namespace op = lang::core::op;
namespace accum = lang::core::accum;

TEST(AccumId, NamesBasesAndInverse) {
    struct Row {
        accum::Id id;
        char const* name;
        op::Id base;
    };
    Row const rows[] = {{accum::SUM, "sum", op::PLUS},        {accum::PROD, "prod", op::TIMES},
                        {accum::ANY, "any", op::OR},          {accum::ALL, "all", op::AND},
                        {accum::MINIMUM, "minimum", op::MIN}, {accum::MAXIMUM, "maximum", op::MAX}};
    std::ostringstream printed;
    std::istringstream names("sum prod any all minimum maximum SUM invalid");
    for (auto const& row : rows) {
        printed << row.id << ' ';
        accum::Id read{};
        names >> read;
        EXPECT_EQ(read, row.id) << row.name;
        EXPECT_EQ(accum::base(row.id), row.base) << row.name;
    }
    printed << accum::INVALID;
    EXPECT_EQ(printed.str(), "sum prod any all minimum maximum invalid");
    accum::Id upper{}, invalid{};
    names >> upper >> invalid;
    EXPECT_EQ(upper, accum::INVALID);
    EXPECT_EQ(invalid, accum::INVALID);

    for (int k = 0; k < op::COUNT; ++k) {
        auto expected = accum::INVALID;
        for (auto const& row : rows)
            if (row.base == k) expected = row.id;
        EXPECT_EQ(accum::from_base(static_cast<op::Id>(k)), expected) << k;
    }
}

}  // namespace
