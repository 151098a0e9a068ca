// SPDX-License-Identifier: Apache-2.0
#include "message_catalog.hpp"

#include <map>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace kbase::detail {

extern char const* const embedded_catalogs[];

namespace {

using Catalogs = std::map<std::pair<std::string, std::string>, std::string, std::less<>>;

std::string_view trim(std::string_view s) {
    auto const first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

void parse(std::string_view source, Catalogs& out) {
    std::string catalog;
    std::istringstream lines{std::string(source)};
    for (std::string raw; std::getline(lines, raw);) {
        std::string_view const line = trim(raw);
        if (line.empty() || line.front() == '#') continue;
        if (line.starts_with("@catalog")) {
            catalog = std::string(trim(line.substr(8)));
            continue;
        }
        auto const eq = line.find('=');
        // The catalog files are ours and compiled in: a malformed one is a build fault.
        if (eq == std::string_view::npos || catalog.empty()) throw std::logic_error("malformed message catalog line: " + raw);
        out.emplace(std::pair(catalog, std::string(trim(line.substr(0, eq)))), std::string(trim(line.substr(eq + 1))));
    }
}

Catalogs const& catalogs() {
    static Catalogs const all = [] {
        Catalogs c;
        for (char const* const* source = embedded_catalogs; *source; ++source) parse(*source, c);
        return c;
    }();
    return all;
}

}  // namespace

std::string const* find_message_text(std::string_view catalog, std::string_view key) {
    auto const& all = catalogs();
    auto const it = all.find(std::pair(std::string(catalog), std::string(key)));
    return it == all.end() ? nullptr : &it->second;
}

}  // namespace kbase::detail
