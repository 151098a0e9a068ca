// Base of small value classes: holds the members in order plus a hash memo
// that is filled lazily through const access (0 means not yet computed).
// The memo makes an object unsafe to hash from two threads at once.
#pragma once

#include <cstddef>
#include <tuple>
#include <utility>

namespace kbase {

template <class Self, class... Members>
class TupleWrapper {
public:
    using members_type = std::tuple<Members...>;

    explicit TupleWrapper(Members... members) : members_(std::move(members)...) {}

    members_type const& members() const noexcept { return members_; }

    template <std::size_t I>
    auto const& get() const noexcept { return std::get<I>(members_); }

    /// The memo, 0 until the owner stores a computed hash.
    unsigned long& hash_memo() const noexcept { return memo_; }

protected:
    members_type& members() noexcept { return members_; }

    template <std::size_t I>
    auto& get() noexcept { return std::get<I>(members_); }

private:
    members_type members_;
    mutable unsigned long memo_ = 0;
};

}  // namespace kbase
