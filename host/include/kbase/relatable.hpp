// Comparison operators derived from a class's own operator== and three-way
// compare(a, b) (0 equal, 1 first orders before, 2 after, 3 unordered).
#pragma once

namespace kbase {

/// Tag: equality is the class's own operator==.
struct NativeEquality {};

template <class Self, class Equality>
struct Relatable;

/// Supplies != from the class's operator==.
template <class Self>
struct Relatable<Self, NativeEquality> {
    friend bool operator!=(Self const& a, Self const& b) { return !(a == b); }
};

namespace detail {

/// Supplies <, <=, >, >= from compare(a, b), found by argument-dependent
/// lookup. An unordered pair (3) is neither less, equal nor greater.
template <class Self>
struct OrderingOperators {
    friend bool operator<(Self const& a, Self const& b) { return compare(a, b) == 1; }
    friend bool operator>(Self const& a, Self const& b) { return compare(a, b) == 2; }
    friend bool operator<=(Self const& a, Self const& b) {
        auto const c = compare(a, b);
        return c == 0 || c == 1;
    }
    friend bool operator>=(Self const& a, Self const& b) {
        auto const c = compare(a, b);
        return c == 0 || c == 2;
    }
};

}  // namespace detail
}  // namespace kbase
