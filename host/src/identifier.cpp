// SPDX-License-Identifier: Apache-2.0
#include <kbase/hd_id_path.hpp>
#include <kbase/identifier.hpp>
#include <kbase/message.hpp>

#include <boost/container_hash/hash.hpp>

#include <algorithm>
#include <ostream>

namespace kbase {

std::string lower(std::string const& text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

namespace detail {

BasicTableString<char> HdIdCheck::operator()(char const* text, unsigned long length) const {
    bool const valid = length > 0 && is_halden_head_id_char(text[0]) &&
                       std::all_of(text + 1, text + length, is_halden_tail_id_char);
    if (!valid) {
        throw MessageException(Message(lexicon::BaseMsgID(
            "kbase:utility", "InvalidIdentifier", {std::string(text, length)})));
    }
    return BasicTableString<char>(text, length);
}

}  // namespace detail

BasicHdIdPath<1>::BasicHdIdPath(std::string const& dotted) {
    std::string::size_type start = 0;
    while (true) {
        auto const dot = dotted.find('.', start);
        auto const end = dot == std::string::npos ? dotted.size() : dot;
        components_.push_back(detail::HdIdCheck{}(dotted.data() + start, end - start));
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
}

int compare(BasicHdIdPath<1> const& a, BasicHdIdPath<1> const& b) noexcept {
    auto const n = std::min(a.size(), b.size());
    for (unsigned long i = 0; i < n; ++i) {
        if (int const c = a[i].compare_(b[i]); c != 0) return c;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

std::size_t hash_value(BasicHdIdPath<1> const& path) noexcept {
    std::size_t seed = path.size();
    for (auto const& component : path) boost::hash_combine(seed, component.hash());
    return seed;
}

std::ostream& operator<<(std::ostream& os, BasicHdIdPath<1> const& path) {
    char const* separator = "";
    for (auto const& component : path) {
        os << separator << component;
        separator = ".";
    }
    return os;
}

}  // namespace kbase
