// SPDX-License-Identifier: Apache-2.0
#include <lang/core/text/assert_type.hpp>

#include <boost/unordered_map.hpp>

#include <ostream>

namespace lang::core {
namespace {

std::vector<std::u16string> const& names() {
    static std::vector<std::u16string> const table{u"ERROR", u"WARNING"};
    return table;
}

boost::unordered_map<std::u16string, AssertType> const& by_name() {
    static boost::unordered_map<std::u16string, AssertType> const table = [] {
        boost::unordered_map<std::u16string, AssertType> map;
        for (AssertType severity : assert_types()) map.emplace(to_ustring(severity), severity);
        return map;
    }();
    return table;
}

}  // namespace

std::vector<AssertType> const& assert_types() {
    static std::vector<AssertType> const list{AssertType::ERROR, AssertType::WARNING};
    return list;
}

std::u16string const& to_ustring(AssertType const& severity) {
    // at(): an out-of-range value is reported, not read past the table.
    return names().at(static_cast<std::size_t>(severity));
}

std::ostream& operator<<(std::ostream& os, AssertType const& severity) {
    std::u16string const& name = to_ustring(severity);
    std::string narrow(name.size(), '\0');
    for (std::size_t k = 0; k < name.size(); ++k) narrow[k] = static_cast<char>(name[k]);
    return os << narrow;
}

boost::optional<AssertType> to_assert_type(std::u16string const& name) {
    auto const found = by_name().find(name);
    if (found == by_name().end()) return boost::none;
    return found->second;
}

}  // namespace lang::core
