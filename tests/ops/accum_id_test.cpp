#include <lang/core/ops/accum_id.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

namespace op = lang::core::op;
namespace accum = lang::core::accum;

template <class Id>
std::string printed(Id id) {
    std::ostringstream os;
    os << id;
    return os.str();
}

template <class Id>
Id read(std::string const& text) {
    std::istringstream is(text);
    Id id{};
    is >> id;
    return id;
}

TEST(AccumId, NamesBasesAndInverse) {
    struct Row {
        accum::Id id;
        char const* name;
        op::Id base;
    };
    Row const rows[] = {{accum::SUM, "sum", op::PLUS},         {accum::PROD, "prod", op::TIMES},
                        {accum::ANY, "any", op::OR},           {accum::ALL, "all", op::AND},
                        {accum::MINIMUM, "minimum", op::MIN},  {accum::MAXIMUM, "maximum", op::MAX}};
    for (auto const& row : rows) {
        EXPECT_EQ(printed(row.id), row.name);
        EXPECT_EQ(read<accum::Id>(row.name), row.id);
        EXPECT_EQ(accum::base(row.id), row.base);
    }
    for (int k = 0; k < op::COUNT; ++k) {
        auto expected = accum::INVALID;
        for (auto const& row : rows)
            if (row.base == k) expected = row.id;
        EXPECT_EQ(accum::from_base(static_cast<op::Id>(k)), expected) << k;
    }
    EXPECT_EQ(printed(accum::INVALID), "invalid");
    EXPECT_EQ(read<accum::Id>("SUM"), accum::INVALID);
    EXPECT_EQ(read<accum::Id>("  "), accum::INVALID);
}

}  // namespace
