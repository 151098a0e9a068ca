// SPDX-License-Identifier: Apache-2.0
// Turns a fuzzer's bytes into choices and values. Past the end it yields
// zeros, so every input decodes to something and a short input stays short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace lang::fuzz {

class ByteReader {
public:
    ByteReader(std::uint8_t const* data, std::size_t size) : data_(data), size_(size) {}

    bool done() const noexcept { return pos_ >= size_; }
    std::size_t left() const noexcept { return done() ? 0 : size_ - pos_; }

    std::uint8_t byte() noexcept { return done() ? 0 : data_[pos_++]; }

    /// Little-endian, zero-padded past the end.
    template <class T>
    T bits() noexcept {
        unsigned char raw[sizeof(T)] = {};
        for (auto& b : raw) b = byte();
        T value;
        std::memcpy(&value, raw, sizeof(T));
        return value;
    }

    /// A choice among n (n > 0) alternatives.
    unsigned pick(unsigned n) noexcept { return byte() % n; }
    bool flag() noexcept { return byte() & 1; }

    /// One of `values`, or raw bits when the choice falls past the table, so
    /// that special values are common without crowding out the rest.
    template <class T, std::size_t N>
    T special_or_bits(T const (&values)[N]) noexcept {
        unsigned const k = byte();
        return k < 2 * N ? values[k % N] : bits<T>();
    }

    /// The rest of the input as text.
    std::string rest() {
        std::string s;
        if (!done()) s.assign(reinterpret_cast<char const*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return s;
    }

private:
    std::uint8_t const* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

/// The printed form of anything with an operator<<.
template <class X>
std::string text(X const& x) {
    std::ostringstream os;
    os << x;
    return os.str();
}

/// Reports a broken invariant and stops, so libFuzzer keeps the input.
[[noreturn]] inline void fail(std::string const& what) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace lang::fuzz
