// SPDX-License-Identifier: Apache-2.0
// A hash cached inside a value, 0 until computed, filled lazily through const
// access. Every read and write is a relaxed atomic on the plain word, so one
// object may be hashed, compared and copied from several threads at once:
// each thread that finds 0 computes the same value and stores it.
#pragma once

#include <atomic>

namespace kbase {

class HashMemo {
public:
    HashMemo() noexcept = default;
    HashMemo(HashMemo const& other) noexcept : word_(other.load()) {}
    /// Leaves `other` at 0: its owner's members were moved and may differ now.
    HashMemo(HashMemo&& other) noexcept : word_(other.ref().exchange(0, std::memory_order_relaxed)) {}
    HashMemo& operator=(HashMemo const& other) noexcept {
        store(other.load());
        return *this;
    }
    HashMemo& operator=(HashMemo&& other) noexcept {
        store(other.ref().exchange(0, std::memory_order_relaxed));
        return *this;
    }

    unsigned long load() const noexcept { return ref().load(std::memory_order_relaxed); }
    void store(unsigned long hash) const noexcept { ref().store(hash, std::memory_order_relaxed); }

    /// The memo, computed by `compute` and stored when it is 0.
    template <class F>
    unsigned long get(F&& compute) const {
        unsigned long hash = load();
        if (hash == 0) store(hash = compute());
        return hash;
    }

private:
    std::atomic_ref<unsigned long> ref() const noexcept { return std::atomic_ref<unsigned long>(word_); }

    alignas(std::atomic_ref<unsigned long>::required_alignment) mutable unsigned long word_ = 0;
};

}  // namespace kbase
