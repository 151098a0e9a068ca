// SPDX-License-Identifier: Apache-2.0
// The members of Constants, which forward to its vector. They are defined
// here, once Constant is complete; constant.hpp includes this file.
#pragma once

#include <lang/core/constants/constant.hpp>

#include <utility>

namespace lang::core {

inline Constants::Constants() noexcept = default;
inline Constants::Constants(std::vector<Constant> elements) noexcept : elements_(std::move(elements)) {}
inline Constants::Constants(size_type n) : elements_(n, Constant(Tuple{})) {}
inline Constants::Constants(size_type n, Constant const& value) : elements_(n, value) {}
inline Constants::Constants(Constants const& other) = default;
inline Constants::Constants(Constants&& other) noexcept = default;
inline Constants::Constants(std::initializer_list<Constant> elements) : elements_(elements) {}
inline Constants::~Constants() = default;

inline Constants& Constants::operator=(Constants const& other) = default;
inline Constants& Constants::operator=(Constants&& other) noexcept = default;
inline Constants& Constants::operator=(std::initializer_list<Constant> elements) {
    elements_ = elements;
    return *this;
}
inline void Constants::assign(size_type n, Constant const& value) { elements_.assign(n, value); }
inline void Constants::assign(std::initializer_list<Constant> elements) { elements_.assign(elements); }

inline Constants::reference Constants::at(size_type i) { return elements_.at(i); }
inline Constants::const_reference Constants::at(size_type i) const { return elements_.at(i); }
inline Constants::reference Constants::operator[](size_type i) noexcept { return elements_[i]; }
inline Constants::const_reference Constants::operator[](size_type i) const noexcept { return elements_[i]; }
inline Constants::reference Constants::front() noexcept { return elements_.front(); }
inline Constants::const_reference Constants::front() const noexcept { return elements_.front(); }
inline Constants::reference Constants::back() noexcept { return elements_.back(); }
inline Constants::const_reference Constants::back() const noexcept { return elements_.back(); }
inline Constants::pointer Constants::data() noexcept { return elements_.data(); }
inline Constants::const_pointer Constants::data() const noexcept { return elements_.data(); }

inline Constants::iterator Constants::begin() noexcept { return elements_.begin(); }
inline Constants::const_iterator Constants::begin() const noexcept { return elements_.begin(); }
inline Constants::iterator Constants::end() noexcept { return elements_.end(); }
inline Constants::const_iterator Constants::end() const noexcept { return elements_.end(); }
inline Constants::const_iterator Constants::cbegin() const noexcept { return elements_.cbegin(); }
inline Constants::const_iterator Constants::cend() const noexcept { return elements_.cend(); }
inline Constants::reverse_iterator Constants::rbegin() noexcept { return elements_.rbegin(); }
inline Constants::const_reverse_iterator Constants::rbegin() const noexcept { return elements_.rbegin(); }
inline Constants::reverse_iterator Constants::rend() noexcept { return elements_.rend(); }
inline Constants::const_reverse_iterator Constants::rend() const noexcept { return elements_.rend(); }
inline Constants::const_reverse_iterator Constants::crbegin() const noexcept { return elements_.crbegin(); }
inline Constants::const_reverse_iterator Constants::crend() const noexcept { return elements_.crend(); }

inline bool Constants::empty() const noexcept { return elements_.empty(); }
inline Constants::size_type Constants::size() const noexcept { return elements_.size(); }
inline Constants::size_type Constants::max_size() const noexcept { return elements_.max_size(); }
inline void Constants::reserve(size_type n) { elements_.reserve(n); }
inline Constants::size_type Constants::capacity() const noexcept { return elements_.capacity(); }
inline void Constants::shrink_to_fit() { elements_.shrink_to_fit(); }

inline void Constants::clear() noexcept { elements_.clear(); }
inline Constants::iterator Constants::erase(const_iterator position) { return elements_.erase(position); }
inline Constants::iterator Constants::erase(const_iterator first, const_iterator last) {
    return elements_.erase(first, last);
}
inline void Constants::pop_back() { elements_.pop_back(); }
inline void Constants::swap(Constants& other) noexcept { elements_.swap(other.elements_); }
inline void Constants::push_back(Constant const& value) { elements_.push_back(value); }
inline void Constants::push_back(Constant&& value) { elements_.push_back(std::move(value)); }
inline Constants::iterator Constants::insert(const_iterator position, Constant const& value) {
    return elements_.insert(position, value);
}
inline Constants::iterator Constants::insert(const_iterator position, Constant&& value) {
    return elements_.insert(position, std::move(value));
}
inline Constants::iterator Constants::insert(const_iterator position, size_type n, Constant const& value) {
    return elements_.insert(position, n, value);
}
inline void Constants::resize(size_type n) { elements_.resize(n, Constant(Tuple{})); }
inline void Constants::resize(size_type n, Constant const& value) { elements_.resize(n, value); }

}  // namespace lang::core
