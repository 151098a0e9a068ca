#include <lang/core/ops/op_id.hpp>

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

namespace {

namespace op = lang::core::op;

constexpr std::array<char const*, 42> expected_names{
    "uplus", "uminus", "not",  "plus",  "minus", "times", "divide", "mod",   "power", "lt",    "le",
    "gt",    "ge",     "eq",   "ne",    "and",   "or",    "inv",    "sqrt",  "exp",   "log",   "log10",
    "sin",   "cos",    "tan",  "asin",  "acos",  "atan",  "sinh",   "cosh",  "tanh",  "floor", "ceil",
    "round", "fix",    "atan2", "sign", "abs",   "max",   "min",    "transpose", "mtimes"};

std::string printed(op::Id op) {
    std::ostringstream os;
    os << op;
    return os.str();
}

op::Id read(std::istream& is) {
    op::Id op = op::PLUS;
    is >> op;
    return op;
}

op::Id read(std::string const& text) {
    std::istringstream is(text);
    return read(is);
}

TEST(OpId, NamesPrintAndReadBack) {
    ASSERT_EQ(op::COUNT, 42);
    for (int k = 0; k < op::COUNT; ++k) {
        auto const id = static_cast<op::Id>(k);
        EXPECT_EQ(printed(id), expected_names[k]);
        EXPECT_EQ(read(expected_names[k]), id) << expected_names[k];
    }
    EXPECT_EQ(printed(op::INVALID), "invalid");
}

TEST(OpId, ReadingUnknownOrMissingWordsGivesInvalid) {
    EXPECT_EQ(read("invalid"), op::INVALID);
    EXPECT_EQ(read("PLUS"), op::INVALID);
    EXPECT_EQ(read("plus2"), op::INVALID);
    EXPECT_EQ(read(""), op::INVALID);
    EXPECT_EQ(read("plus"), op::PLUS);

    std::istringstream is(" \t mtimes rest");
    EXPECT_EQ(read(is), op::MTIMES);
    std::string left;
    std::getline(is, left);
    EXPECT_EQ(left, " rest");
}

TEST(OpId, InfixFormatsUseOnePlaceholderPerOperand) {
    for (int k = 0; k < op::COUNT; ++k) {
        auto const id = static_cast<op::Id>(k);
        std::string const& f = op::format(id);
        EXPECT_EQ(&f, &op::format(id)) << "format must be one lasting string";
        if (f.empty()) continue;
        for (unsigned long n = 0; n < 3; ++n)
            EXPECT_EQ(f.find("%" + std::to_string(n)) != std::string::npos, n < op::arity(id)) << f;
    }
}

TEST(OpId, PropertiesOfRepresentativeOperators) {
    struct Row {
        op::Id id;
        unsigned long arity, precedence;
        std::int32_t binding;
        char const* format;
    };
    for (auto const& row : {Row{op::UMINUS, 1, 3, 0, "-%0"}, Row{op::MOD, 2, 1, 0, ""},
                            Row{op::POWER, 2, 2, 2, "%0^%1"}, Row{op::OR, 2, 9, 1, "%0 | %1"},
                            Row{op::ATAN2, 2, 1, 0, ""}, Row{op::MTIMES, 2, 4, 1, "%0 * %1"}}) {
        EXPECT_EQ(op::arity(row.id), row.arity) << row.id;
        EXPECT_EQ(op::precidence(row.id), row.precedence) << row.id;
        EXPECT_EQ(op::binding(row.id), row.binding) << row.id;
        EXPECT_EQ(op::format(row.id), row.format) << row.id;
    }
    for (int k = 0; k < op::COUNT; ++k) EXPECT_EQ(lang::core::ambiguous_op(static_cast<op::Id>(k)), k < 2) << k;
}

}  // namespace
