// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/constants.hpp>

#include "detail/hash.hpp"

#include <algorithm>
#include <iterator>

namespace lang::core {

Constants& operator+=(Constants& a, Constants const& b) {
    if (&a == &b) {
        // Inserting a vector's own range into it is undefined; append a copy.
        Constants const copy = b;
        return a += copy;
    }
    a.elements_.insert(a.elements_.end(), b.elements_.begin(), b.elements_.end());
    return a;
}

Constants& operator+=(Constants& a, Constants&& b) {
    if (&a == &b) return a += static_cast<Constants const&>(b);
    a.elements_.insert(a.elements_.end(), std::make_move_iterator(b.elements_.begin()),
                       std::make_move_iterator(b.elements_.end()));
    return a;
}

bool operator==(Constants const& a, Constants const& b) { return std::equal(a.begin(), a.end(), b.begin(), b.end()); }

int compare(Constants const& a, Constants const& b) {
    auto i = a.begin();
    auto j = b.begin();
    for (; i != a.end() && j != b.end(); ++i, ++j) {
        if (int const r = compare(*i, *j)) return r;
    }
    if (i == a.end()) return j == b.end() ? 0 : 1;
    return 2;
}

unsigned long hash_value(Constants const& list) {
    std::uint64_t h = 0;
    for (Constant const& c : list) h = detail::hash_combine(h, hash_value(c));
    return h;
}

void incorporate_data(DigestSink& sink, Constants const& list) {
    for (Constant const& c : list) incorporate_data(sink, c);
}

}  // namespace lang::core
