#include <lang/core/constants/array.hpp>

#include <lang/core/ops/keyword_id.hpp>
#include <lang/core/text/type_ctor.hpp>
#include <lang/core/types/array_type.hpp>
#include <lang/core/types/type_id.hpp>

#include "constants/detail/element.hpp"
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
boost::shared_ptr<T> Array<T>::alloc(ArraySize const& size) {
    unsigned long const count = size.numElements();
    if (count > std::numeric_limits<unsigned long>::max() / sizeof(T)) throw std::bad_alloc();
    // Even an empty block gets a control block, so that use counts work
    // alike for every array.
    T* const block = count == 0 ? nullptr : static_cast<T*>(aligned_heap::instance().vector_alloc(count * sizeof(T)));
    // The control block comes from the heap's pools too, so a small array
    // costs no call into the C allocator. If it cannot be made, shared_ptr
    // frees the block itself.
    return boost::shared_ptr<T>(block, &aligned_heap::vector_free, groundwork::core::mem::node_allocator<T>());
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
    os << '[';
    if (dim >= 2) {
        for (unsigned long j = 0; j < size_(dim); ++j) {
            if (j > 0) os << ", ";
            index[dim] = j;
            std::fill(index.begin(), index.begin() + (dim - 1), 0);
            out(os, index, dim - 1);
        }
    } else {
        unsigned long const m = size_.m();
        unsigned long const n = size_.n();
        // Column-major offset of the matrix fixed by the higher indices.
        unsigned long base = 0;
        for (unsigned long k = index.size(), stride = size_.numElements(); k-- > 2;) {
            stride /= size_(k);
            base += index[k] * stride;
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
