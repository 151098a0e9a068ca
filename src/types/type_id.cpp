// SPDX-License-Identifier: Apache-2.0
#include <lang/core/types/type_id.hpp>

#include <kbase/identifier.hpp>

#include <algorithm>
#include <array>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lang::core {
namespace type {
namespace {

std::array<std::string_view, 4> const& stream_names() {
    static constexpr std::array<std::string_view, 4> names{"logical", "integer", "index", "real"};
    return names;
}

}  // namespace

std::ostream& operator<<(std::ostream& os, Id id) {
    if (id == INVALID) return os << "invalid";
    return os << stream_names()[static_cast<std::size_t>(id)];
}

Id id(std::string const& name) {
    static std::unordered_map<std::string, Id> const by_name = [] {
        std::unordered_map<std::string, Id> map;
        for (Id const i : {LOGICAL, INTEGER, INDEX, REAL}) map.emplace(kbase::lower(std::string(stream_names()[i])), i);
        return map;
    }();
    auto const it = by_name.find(name);
    return it == by_name.end() ? INVALID : it->second;
}

std::istream& operator>>(std::istream& is, Id& result) {
    std::string word;
    is >> word;
    bool const identifier = !word.empty() && word.size() < 64 && kbase::is_halden_head_id_char(word.front()) &&
                            std::all_of(word.begin() + 1, word.end(), kbase::is_halden_tail_id_char);
    result = identifier ? id(kbase::lower(word)) : INVALID;
    return is;
}

bool is_signed(Id id) {
    switch (id) {
    case LOGICAL:
    case INDEX:
    case REAL: return false;
    case INTEGER: return true;
    default: throw std::logic_error("bad visit");
    }
}

}  // namespace type

kbase::BasicTableString<char> const& to_user_name(type::Id id) {
    static std::vector<kbase::BasicTableString<char>> const* const names = [] {
        auto* table = new std::vector<kbase::BasicTableString<char>>;
        for (std::string_view const name : {"logical", "int32", "uint32", "double"}) {
            table->push_back(kbase::detail::HdIdCheck{}(name.data(), name.size()));
        }
        return table;
    }();
    return (*names)[static_cast<std::size_t>(id)];
}

}  // namespace lang::core
