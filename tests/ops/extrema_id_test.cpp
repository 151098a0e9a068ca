#include <lang/core/ops/extrema_id.hpp>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

namespace op = lang::core::op;
namespace extrema = lang::core::extrema;

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

TEST(ExtremaId, NamesBasesAndInverse) {
    EXPECT_EQ(printed(extrema::INDEX_MINIMUM), "index_minimum");
    EXPECT_EQ(printed(extrema::INDEX_MAXIMUM), "index_maximum");
    EXPECT_EQ(printed(extrema::INVALID), "invalid");
    EXPECT_EQ(read<extrema::Id>("index_maximum"), extrema::INDEX_MAXIMUM);
    EXPECT_EQ(read<extrema::Id>("maximum"), extrema::INVALID);
    EXPECT_EQ(extrema::base(extrema::INDEX_MINIMUM), op::LT);
    EXPECT_EQ(extrema::base(extrema::INDEX_MAXIMUM), op::GT);
    for (int k = 0; k < op::COUNT; ++k) {
        auto const expected = k == op::LT ? extrema::INDEX_MINIMUM : k == op::GT ? extrema::INDEX_MAXIMUM : extrema::INVALID;
        EXPECT_EQ(extrema::from_base(static_cast<op::Id>(k)), expected) << k;
    }
}

}  // namespace
