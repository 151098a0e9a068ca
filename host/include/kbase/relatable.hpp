// SPDX-License-Identifier: Apache-2.0
// Comparison operators derived from a class's own operator== and three-way
// compare(a, b) (0 equal, 1 first orders before, 2 after, 3 unordered).
// They are templates over the base, so a class derived from a relatable one
// (as a list type from its vector) is compared as that base.
#pragma once

namespace kbase {

/// Tag: equality is the class's own operator==.
struct NativeEquality {};

template <class Self, class Equality>
struct Relatable;

/// Supplies != from the class's operator==.
template <class Self>
struct Relatable<Self, NativeEquality> {};

template <class Self>
bool operator!=(Relatable<Self, NativeEquality> const& a, Relatable<Self, NativeEquality> const& b) {
    return !(static_cast<Self const&>(a) == static_cast<Self const&>(b));
}

namespace detail {

/// Supplies <, <=, >, >= from compare(a, b), found by argument-dependent
/// lookup. An unordered pair (3) is neither less, equal nor greater.
template <class Self>
struct OrderingOperators {};

template <class Self>
int compare_as(OrderingOperators<Self> const& a, OrderingOperators<Self> const& b) {
    return compare(static_cast<Self const&>(a), static_cast<Self const&>(b));
}

template <class Self>
bool operator<(OrderingOperators<Self> const& a, OrderingOperators<Self> const& b) { return compare_as(a, b) == 1; }
template <class Self>
bool operator>(OrderingOperators<Self> const& a, OrderingOperators<Self> const& b) { return compare_as(a, b) == 2; }
template <class Self>
bool operator<=(OrderingOperators<Self> const& a, OrderingOperators<Self> const& b) {
    int const c = compare_as(a, b);
    return c == 0 || c == 1;
}
template <class Self>
bool operator>=(OrderingOperators<Self> const& a, OrderingOperators<Self> const& b) {
    int const c = compare_as(a, b);
    return c == 0 || c == 2;
}

}  // namespace detail
}  // namespace kbase
