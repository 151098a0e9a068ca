// SPDX-License-Identifier: Apache-2.0
// A dotted identifier path such as pkg.fcn: an ordered list of interned
// identifier components.
#pragma once

#include <kbase/export.hpp>
#include <kbase/table_string.hpp>

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace kbase {

template <int Kind>
class BasicHdIdPath;

template <>
class KBASE_API BasicHdIdPath<1> {
public:
    using value_type = BasicTableString<char>;
    using const_iterator = std::vector<value_type>::const_iterator;

    BasicHdIdPath() = default;
    explicit BasicHdIdPath(std::vector<value_type> components) : components_(std::move(components)) {}
    /// Splits dotted text at each "."; every component must be an identifier
    /// (kbase::detail::HdIdCheck raises otherwise).
    explicit BasicHdIdPath(std::string const& dotted);

    const_iterator begin() const noexcept { return components_.begin(); }
    const_iterator end() const noexcept { return components_.end(); }
    unsigned long size() const noexcept { return components_.size(); }
    bool empty() const noexcept { return components_.empty(); }
    value_type const& operator[](unsigned long i) const { return components_[i]; }

    friend bool operator==(BasicHdIdPath const&, BasicHdIdPath const&) = default;

private:
    std::vector<value_type> components_;
};

/// Lexicographic over the components' characters: negative, zero or positive.
KBASE_API int compare(BasicHdIdPath<1> const& a, BasicHdIdPath<1> const& b) noexcept;
inline bool operator<(BasicHdIdPath<1> const& a, BasicHdIdPath<1> const& b) noexcept { return compare(a, b) < 0; }
KBASE_API std::size_t hash_value(BasicHdIdPath<1> const& path) noexcept;
/// Writes the components with "." between them.
KBASE_API std::ostream& operator<<(std::ostream& os, BasicHdIdPath<1> const& path);

using HdIdPath = BasicHdIdPath<1>;

}  // namespace kbase
