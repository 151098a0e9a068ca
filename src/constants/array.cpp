// SPDX-License-Identifier: Apache-2.0
#include <lang/core/constants/array.hpp>

#include <lang/core/ops/keyword_id.hpp>
#include <lang/core/text/type_ctor.hpp>
#include <lang/core/types/array_type.hpp>
#include <lang/core/types/type_id.hpp>

#include "constants/detail/element.hpp"
#include "detail/exact_length.hpp"
#include "detail/hash.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>
#include <qz/i18n/ustring.hpp>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <ostream>
#include <type_traits>

namespace lang::core {

using groundwork::core::mem::aligned_heap;

template <class T>
Array<T>::Array(ArraySize const& size) : size_(size), data_(alloc(size)), owned_(true) {
    if (T* const p = data_.get()) std::memset(p, 0, size.numElements() * sizeof(T));
}

template <class T>
T* Array<T>::alloc_block(ArraySize const& size) {
    // The true count: a shape whose count wraps would get a block too small for it.
    unsigned long const count = detail::exact_count(size);
    unsigned long const bytes = detail::exact_product(count, sizeof(T));
    // An empty block still gets a control block from alloc(), so that use
    // counts work alike for every array.
    return count == 0 ? nullptr : static_cast<T*>(aligned_heap::instance().vector_alloc(bytes));
}

template <class T>
ArraySize const& Array<T>::moved_from_size() noexcept {
    static ArraySize const size{0, 0};
    return size;
}

template <class T>
T* Array<T>::unshare() {
    boost::shared_ptr<T> fresh = alloc(size_);
    if (T const* const old = data_.get()) std::memcpy(fresh.get(), old, size_.numElements() * sizeof(T));
    data_.swap(fresh);
    owned_ = true;
    return data_.get();
}

template <class T>
unsigned long Array<T>::hash() const noexcept {
    std::uint64_t h = detail::hash_combine(type::id_of<T>, hash_value(size_));
    for (T const e : *this) h = detail::hash_combine(h, detail::element_key(e));
    return h;
}

template <class T>
bool Array<T>::equal_(Array const& other) const noexcept {
    if (!(size_ == other.size_)) return false;
    T const* const a = x();
    T const* const b = other.x();
    if (a == b) return true;
    unsigned long const n = size_.numElements();
    if constexpr (std::is_same_v<T, double>) {
        for (unsigned long i = 0; i < n; ++i) {
            if (!detail::element_equal(a[i], b[i])) return false;
        }
        return true;
    } else {
        // Equal integers and logicals are equal bytes.
        return std::memcmp(a, b, n * sizeof(T)) == 0;
    }
}

template <class T>
int Array<T>::compare_(Array const& other) const noexcept {
    if (!(size_ == other.size_)) return compare(size_, other.size_);
    T const* const a = x();
    T const* const b = other.x();
    if (a == b) return 0;
    unsigned long const n = size_.numElements();
    for (unsigned long i = 0; i < n; ++i) {
        if (int const r = detail::element_compare(a[i], b[i])) return r;
    }
    return 0;
}

template <class T>
void Array<T>::out(std::ostream& os) const {
    if (empty()) {
        os << keyword::name(keyword::EMPTY) << '<' << type::id_of<T> << ", " << size_ << '>';
        return;
    }
    std::vector<unsigned long> index(size_.size(), 0);
    out(os, index, size_.size() - 1);
}

template <class T>
void Array<T>::out(std::ostream& os, std::vector<unsigned long>& index, unsigned long dim) const {
    // Indices past the given ones are 0, as dimensions past the shape are 1
    // long; a dimension past both has no index to set.
    if (index.size() < size_.size()) index.resize(size_.size(), 0);
    (void)index.at(dim);
    // Dimensions past the shape hold one slice each: one level of brackets,
    // written without recursing, so no index vector can exhaust the stack.
    unsigned long const top = std::min(dim, size_.size() - 1);
    for (unsigned long d = dim; d > top; --d) {
        os << '[';
        index[d] = 0;
    }
    out_slices(os, index, top);
    for (unsigned long d = dim; d > top; --d) os << ']';
}

template <class T>
void Array<T>::out_slices(std::ostream& os, std::vector<unsigned long>& index, unsigned long dim) const {
    os << '[';
    if (dim >= 2) {
        for (unsigned long j = 0; j < size_(dim); ++j) {
            if (j > 0) os << ", ";
            index[dim] = j;
            std::fill(index.begin(), index.begin() + (dim - 1), 0);
            out_slices(os, index, dim - 1);
        }
    } else {
        unsigned long const m = size_.m();
        unsigned long const n = size_.n();
        unsigned long base = 0;
        if (m != 0 && n != 0) {
            // The matrix fixed by the higher indices starts at their column-major
            // offset; one that does not fit names no element.
            std::vector<unsigned long> const multipliers = size_.multipliers();
            bool fits = true;
            for (unsigned long k = 2; k < index.size(); ++k) {
                unsigned long const stride = multipliers[std::min(k, multipliers.size() - 1)];
                unsigned long term;
                fits = fits && !__builtin_mul_overflow(index[k], stride, &term) &&
                       !__builtin_add_overflow(base, term, &base);
            }
            // Offsets of whole matrices, so a valid one leaves room for all m x n.
            size_.check(fits ? base : std::numeric_limits<unsigned long>::max());
        }
        T const* const p = x() + base;
        for (unsigned long r = 0; r < m; ++r) {
            if (r > 0) os << "; ";
            for (unsigned long c = 0; c < n; ++c) {
                if (c > 0) os << ", ";
                detail::write_element(os, p[r + c * m]);
            }
        }
    }
    os << ']';
}

template <class T>
std::u16string Array<T>::toUserString() const {
    constexpr type::Id id = type::id_of<T>;
    // Longer row texts give way to the type text.
    constexpr std::size_t limit = 40;
    unsigned long const count = size_.numElements();
    bool const none = size_.size() == 2 && size_.m() == 0 && size_.n() == 0;
    std::string text;
    if (none) {
        text = "[]";
    } else if (count == 1) {
        text = detail::element_user_text(*x());
    } else if (size_.m() == 1 && count == size_.n() && count >= 2) {
        text = '[' + detail::element_user_text(*x());
        for (T const* p = x() + 1; p != end() && text.size() < limit; ++p) {
            text += ' ';
            text += detail::element_user_text(*p);
        }
        text += ']';
    }
    if (text.empty() || text.size() >= limit) return to_user_string(ArrayType(id, size_));
    std::u16string user = qz::i18n::to_ustring(text);
    bool const wrap = id == type::INTEGER || id == type::INDEX || (id == type::LOGICAL && none);
    return wrap ? wrap_with_type_ctor(id, user) : user;
}

template class Array<bool>;
template class Array<int>;
template class Array<unsigned long>;
template class Array<double>;

}  // namespace lang::core
