// SPDX-License-Identifier: Apache-2.0
#include <lang/core/ext/raw_value.hpp>

#include "constants/detail/element.hpp"

#include <cstring>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace lang::core {

namespace {

/// A tuple's pointer array: one view per element, made through the same
/// (read-only or writable) path as the tuple itself.
template <class List>
void const** expose_elements(List& elements) {
    unsigned long const n = elements.size();
    void const** const view = new void const*[n];
    unsigned long i = 0;
    try {
        for (; i < n; ++i) view[i] = create_value(elements[i]);
    } catch (...) {
        // A later element failed (an allocation): give back what was made.
        while (i-- > 0) destroy(elements[i], view[i]);
        delete[] view;
        throw;
    }
    return view;
}

template <class T>
void read_elements(T* to, void const* from, unsigned long n) noexcept {
    if constexpr (std::is_same_v<T, bool>) {
        // Any nonzero byte reads as true, so no bool ever holds another value.
        auto const* const bytes = static_cast<unsigned char const*>(from);
        for (unsigned long i = 0; i < n; ++i) to[i] = bytes[i] != 0;
    } else if (n != 0) {
        std::memcpy(to, from, n * sizeof(T));
    }
}

}  // namespace

void const* create_value(Constant const& c) {
    return visit([](auto const& x) -> void const* {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) return &x.value;
        else if constexpr (is_array_v<A>) return x.x();
        else return expose_elements(x.constants());
    }, c);
}

void* create_value(Constant& c) {
    return visit([](auto& x) -> void* {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) return &x.value;
        else if constexpr (is_array_v<A>) return x.x();  // unshares first
        else return expose_elements(x.constants());
    }, c);
}

void destroy(Constant const& c, void const* view) {
    visit([view](auto const& x) {
        if constexpr (std::is_same_v<std::decay_t<decltype(x)>, Tuple>) {
            auto const pointers = static_cast<void const**>(const_cast<void*>(view));
            Constants const& elements = x.constants();
            for (unsigned long i = 0; i < elements.size(); ++i) destroy(elements[i], pointers[i]);
            delete[] pointers;
        }
    }, c);
}

Constant create_constant(Type const& t, void const* raw) {
    if (t.value().valueless_by_exception()) throw std::logic_error("invalid visit");
    return std::visit([raw](auto const& k) -> Constant {
        using K = std::decay_t<decltype(k)>;
        if constexpr (std::is_same_v<K, ScalarType>) {
            return detail::visit_element_type(k(), [raw](auto zero) {
                read_elements(&zero, raw, 1);
                return Constant(zero);
            });
        } else if constexpr (std::is_same_v<K, ArrayType>) {
            return detail::visit_element_type(k.base(), [&](auto zero) {
                Array<decltype(zero)> a(k.size());
                read_elements(a.x(), raw, k.size().numElements());
                return Constant(a);
            });
        } else {
            Types const& types = k.types();
            auto const pointers = static_cast<void const* const*>(raw);
            Constants elements;
            elements.reserve(types.size());
            for (unsigned long i = 0; i < types.size(); ++i) elements.push_back(create_constant(types[i], pointers[i]));
            return Tuple(std::move(elements));
        }
    }, t.value());
}

void copy_from_constant(void* raw, Constant const& c) {
    visit([raw](auto const& x) {
        using A = std::decay_t<decltype(x)>;
        if constexpr (is_scalar_v<A>) {
            std::memcpy(raw, &x.value, sizeof x.value);
        } else if constexpr (is_array_v<A>) {
            // An empty array has no block to copy from.
            if (!x.empty()) std::memcpy(raw, x.x(), x.size().numElements() * sizeof *x.x());
        } else {
            auto const pointers = static_cast<void* const*>(raw);
            Constants const& elements = x.constants();
            for (unsigned long i = 0; i < elements.size(); ++i) copy_from_constant(pointers[i], elements[i]);
        }
    }, c);
}

}  // namespace lang::core
