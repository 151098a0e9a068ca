// SPDX-License-Identifier: Apache-2.0
// Base of small value classes: holds the members in order plus a hash memo
// that is filled lazily through const access (see hash_memo.hpp). A move
// copies, so a moved-from object keeps its members and its memo: a list
// member is shared like a copy, never emptied under a stale memo.
#pragma once

#include <kbase/hash_memo.hpp>

#include <cstddef>
#include <tuple>
#include <utility>

namespace kbase {

template <class Self, class... Members>
class TupleWrapper {
public:
    using members_type = std::tuple<Members...>;

    explicit TupleWrapper(Members... members) : members_(std::move(members)...) {}
    TupleWrapper(TupleWrapper const&) = default;
    TupleWrapper& operator=(TupleWrapper const&) = default;

    members_type const& members() const noexcept { return members_; }

    template <std::size_t I>
    auto const& get() const noexcept { return std::get<I>(members_); }

    /// The memo, 0 until the owner stores a computed hash.
    HashMemo const& hash_memo() const noexcept { return memo_; }

protected:
    members_type& members() noexcept { return members_; }

    template <std::size_t I>
    auto& get() noexcept { return std::get<I>(members_); }

private:
    members_type members_;
    HashMemo memo_;
};

}  // namespace kbase
