// SPDX-License-Identifier: Apache-2.0
#include "operator_grammar.hpp"

#include <algorithm>
#include <set>
#include <string_view>

namespace lang::eval {

namespace {

std::string trimmed(std::string_view s) {
    auto const first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

}  // namespace

OperatorGrammar const& OperatorGrammar::instance() {
    static OperatorGrammar const grammar;
    return grammar;
}

// A format is "X%0" (prefix), "%0X" (postfix) or "%0 X %1" (infix); an empty
// format is an operator with only a function form.
OperatorGrammar::OperatorGrammar() {
    std::set<std::string> spellings;
    for (int i = 0; i < core::op::COUNT; ++i) {
        auto const op = static_cast<core::op::Id>(i);
        std::string_view const format = core::op::format(op);
        if (format.empty()) continue;
        if (core::op::arity(op) == 2) {
            auto const first = format.find("%0"), second = format.find("%1");
            std::string token = trimmed(format.substr(first + 2, second - first - 2));
            infix_.emplace(token, op);
            spellings.insert(std::move(token));
        } else if (format.starts_with("%0")) {
            std::string token = trimmed(format.substr(2));
            postfix_.emplace(token, op);
            spellings.insert(std::move(token));
        } else {
            std::string token = trimmed(format.substr(0, format.find("%0")));
            prefix_.emplace(token, op);
            spellings.insert(std::move(token));
        }
    }
    spellings_.assign(spellings.begin(), spellings.end());
    std::stable_sort(spellings_.begin(), spellings_.end(),
                     [](std::string const& a, std::string const& b) { return a.size() > b.size(); });
}

core::op::Id OperatorGrammar::find(std::map<std::string, core::op::Id> const& table, std::string const& token) {
    auto const it = table.find(token);
    return it == table.end() ? core::op::INVALID : it->second;
}

bool OperatorGrammar::binds_within(core::op::Id inner, unsigned long outer, unsigned long position) {
    unsigned long const p = core::op::precidence(inner);
    if (p != outer) return p < outer;
    auto const binding = core::op::binding(inner);
    return !(position == 1 && binding == 1) && !(position == 0 && binding == 2);
}

}  // namespace lang::eval
