// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/uniform_array.hpp>

#include <lang/core/ops/keyword_id.hpp>

#include "constants/detail/element.hpp"
#include "detail/exact_length.hpp"

#include <boost/variant/apply_visitor.hpp>

#include <algorithm>
#include <ostream>
#include <type_traits>

namespace lang::core {

ArrayType array_type(UniformArray const& u) {
    return ArrayType(u.value().id(), u.size());
}

Constant to_constant(UniformArray const& u) {
    return to_constant(u.value(), u.size());
}

std::ostream& operator<<(std::ostream& os, UniformArray const& u) {
    return os << keyword::name(keyword::UNIFORM_ARRAY) << '<' << u.value() << ", " << u.size() << '>';
}

Constant to_constant(ScalarConstant const& v, ArraySize const& s) {
    unsigned long n = detail::exact_count(s);
    if (n == 0) {
        unsigned long zeros = 0;
        for (unsigned long i = 0; i < s.size(); ++i) zeros += s(i) == 0;
        // A lone zero length is a placeholder that reshape fills in from the
        // element count, so it must be given one element to infer from.
        if (zeros == 1) n = 1;
    }
    ArraySize const column{n, 1, 1, 1, 1};
    ArraySize const shape = column.reshape(s);
    return boost::apply_visitor([&](auto const& scalar) -> Constant {
        using T = typename std::decay_t<decltype(scalar)>::element_type;
        auto result = Array<T>::uninitialized(shape);
        std::fill_n(result.x(), n, scalar.value);
        return result;
    }, v.value());
}

namespace {

template <class T>
bool all_equal(Array<T> const& a, T v) noexcept {
    // Plain ==, so a NaN element never matches, whatever v is.
    return std::all_of(a.begin(), a.end(), [v](T e) { return e == v; });
}

}  // namespace

bool is_uniform(Constant const& c, ScalarConstant const& v) {
    Constant const value = to_constant(v);
    return visit([&](auto const& x) -> bool {
        using A = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<A, Tuple>) {
            auto const& elements = x.constants();
            return std::all_of(elements.begin(), elements.end(), [&](Constant const& e) { return is_uniform(e, v); });
        } else {
            using T = typename A::element_type;
            auto const* const s = std::get_if<Scalar<T>>(&value.value());
            if (s == nullptr) return false;
            if constexpr (is_scalar_v<A>) return detail::element_equal(x.value, s->value);
            else return all_equal(x, s->value);
        }
    }, c);
}

}  // namespace lang::core
