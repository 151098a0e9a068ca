// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/indexable.hpp>

#include "constants/detail/element.hpp"
#include "detail/exact_length.hpp"
#include "detail/raise.hpp"
#include "index/detail/same_alternative.hpp"

#include <boost/range/begin.hpp>
#include <boost/range/end.hpp>

#include <algorithm>
#include <type_traits>
#include <variant>
#include <vector>

namespace lang::core::indexable {
namespace {

template <class T>
void copy_positions(Array<T>& dst, IndexRange const& dstPositions, Array<T> const& src,
                    IndexRange const& srcPositions) {
    // dst first: when src is the same constant, it then reads the block that
    // dst writes, not one that making dst exclusive may have released.
    T* const out = dst.x();
    T const* const in = src.x();
    auto d = boost::begin(dstPositions);
    auto const d_end = boost::end(dstPositions);
    auto s = boost::begin(srcPositions);
    auto const s_end = boost::end(srcPositions);
    for (; d != d_end && s != s_end; ++d, ++s) out[*d] = in[*s];
}

// Destination subscript q along dimension k reads source subscript
// q mod s(k). Column by column: a source column is copied once and then
// repeated along the first dimension, and an odometer over the higher
// dimensions tracks which source column comes next, so no element costs a
// division.
template <class T>
Array<T> tile(Array<T> const& a, ArraySize const& reps) {
    ArraySize const& s = a.size();
    // Shapes multiply with wrapping lengths; a tiled length must be exact.
    for (unsigned long k = 0, dims = std::max(s.size(), reps.size()); k < dims; ++k) {
        (void)detail::exact_product(s(k), reps(k));
    }
    ArraySize t = s;
    t *= reps;
    Array<T> result = Array<T>::uninitialized(t);
    unsigned long const total = t.numElements();
    if (total == 0) return result;

    unsigned long const dims = std::max(s.size(), t.size());
    std::vector<unsigned long> const ms = s.multipliers();
    // Beyond the source's dimensions the source subscript is always 0, and
    // the source has no multiplier there to read.
    std::vector<unsigned long> stride(dims, 0);
    std::copy_n(ms.begin(), std::min(dims, s.size()), stride.begin());
    std::vector<unsigned long> q(dims, 0);
    std::vector<unsigned long> qs(dims, 0);

    unsigned long const rows = s(0);
    unsigned long const column = t(0);
    T const* const in = a.x();
    T* out = result.x();
    unsigned long offset = 0;
    for (T* const end = out + total; out != end; out += column) {
        std::copy_n(in + offset, rows, out);
        // The rest of the column repeats what is written: copy it in runs
        // that double, so a short source column costs few calls.
        for (unsigned long done = rows; done < column; done *= 2) {
            std::copy_n(out, std::min(done, column - done), out + done);
        }
        for (unsigned long k = 1; k < dims; ++k) {
            if (++q[k] < t(k)) {
                if (++qs[k] == s(k)) {
                    offset -= (s(k) - 1) * stride[k];
                    qs[k] = 0;
                } else {
                    offset += stride[k];
                }
                break;
            }
            offset -= qs[k] * stride[k];
            q[k] = 0;
            qs[k] = 0;
        }
    }
    return result;
}

}  // namespace

Constant Create<Constant>::operator()(ArrayType const& type) const {
    return detail::visit_element_type(type.base(),
                                      [&](auto zero) { return Constant(Array<decltype(zero)>(type.size())); });
}

Constant Get<Constant>::operator()(Constant const& array, unsigned long i) const {
    return visit([&](auto const& a) -> Constant {
        using A = std::decay_t<decltype(a)>;
        if constexpr (is_array_v<A>) return Scalar<typename A::element_type>{a.x()[i]};
        else raise<msg::constants::InvalidGet>(value_type(array));
    }, array);
}

void Set<Constant>::operator()(Constant& dst, unsigned long i, Constant const& value) const {
    visit([&](auto& a) {
        using A = std::decay_t<decltype(a)>;
        if constexpr (is_array_v<A>) {
            if (auto const* v = std::get_if<Scalar<typename A::element_type>>(&value.value())) {
                a.x()[i] = v->value;
                return;
            }
        }
        raise<msg::constants::InvalidSet>(value_type(dst), value_type(value));
    }, dst);
}

void Assign<Constant>::operator()(Constant& dst, IndexRange const& dstPositions, Constant const& src,
                                  IndexRange const& srcPositions) const {
    bool const copied = detail::visit_same(dst, src, [&](auto& d, auto const& s) {
        if constexpr (is_array_v<std::decay_t<decltype(d)>>) {
            copy_positions(d, dstPositions, s, srcPositions);
            return true;
        }
        return false;
    });
    if (!copied) raise<msg::constants::InvalidAssign>(value_type(dst), value_type(src));
}

Constant Reshape<Constant>::operator()(Constant const& array, ArraySize const& size) const {
    return visit([&](auto const& a) -> Constant {
        using A = std::decay_t<decltype(a)>;
        if constexpr (is_array_v<A>) return A(a.size().reshape(size), a);
        else raise<msg::constants::InvalidArray>(value_type(array));
    }, array);
}

Constant Repmat<Constant>::operator()(Constant const& array, ArraySize const& reps) const {
    return visit([&](auto const& a) -> Constant {
        using A = std::decay_t<decltype(a)>;
        if constexpr (is_array_v<A>) return tile(a, reps);
        else raise<msg::constants::InvalidArray>(value_type(array));
    }, array);
}

unsigned long ToIndex<Constant>::operator()(Constant const& index) const {
    if (auto const* s = std::get_if<Scalar<unsigned long>>(&index.value())) return s->value;
    raise<msg::constants::InvalidIndex>(value_type(index));
}

Array<unsigned long> ToIndexRange<Constant>::operator()(Constant const& indices) const {
    if (auto const* a = std::get_if<Array<unsigned long>>(&indices.value())) return *a;
    raise<msg::constants::InvalidIndex>(value_type(indices));
}

}  // namespace lang::core::indexable
