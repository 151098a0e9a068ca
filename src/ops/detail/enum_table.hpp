// SPDX-License-Identifier: Apache-2.0
// Shared machinery of the operator and reduction tables. Each table is an
// array of rows indexed by value, every row carrying its enumerator `id` and
// its `spelling`; from those come the printed names (the lower-case
// spelling), the reverse map used to read a name, and for reductions the
// inverse of their base-operator column.
#pragma once

#include <lang/core/ops/op_id.hpp>

#include <kbase/identifier.hpp>

#include <array>
#include <cstddef>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

namespace lang::core::detail {

/// A row of a reduction table: the reduction and the operator it is built on.
template <class Id>
struct ReductionRow {
    Id id;
    std::string_view spelling;
    op::Id base;
};

/// True when row k holds the enumerator of value k, so indexing by value is sound.
template <class Rows>
constexpr bool in_value_order(Rows const& rows) {
    for (std::size_t k = 0; k < rows.size(); ++k)
        if (static_cast<std::size_t>(rows[k].id) != k) return false;
    return true;
}

/// Printed names of an enumeration whose value -1 is "invalid".
template <class Id, std::size_t N>
class EnumNames {
public:
    template <class Rows>
    explicit EnumNames(Rows const& rows) {
        static_assert(std::tuple_size_v<Rows> == N);
        ids_.reserve(N);
        for (std::size_t k = 0; k < N; ++k) {
            names_[k] = kbase::lower(std::string(rows[k].spelling));
            ids_.emplace(names_[k], rows[k].id);
        }
    }

    std::string const& name(Id id) const { return id == Id::INVALID ? invalid_ : names_[id]; }

    std::ostream& write(std::ostream& os, Id id) const { return os << name(id); }

    /// Only the extraction of the word may touch the stream state; a failed
    /// extraction leaves the word empty, which no name matches.
    std::istream& read(std::istream& is, Id& id) const {
        std::string word;
        is >> word;
        auto const found = ids_.find(word);
        id = found == ids_.end() ? Id::INVALID : found->second;
        return is;
    }

private:
    std::array<std::string, N> names_;
    std::unordered_map<std::string, Id> ids_;
    std::string invalid_ = "invalid";
};

/// A reduction enumeration's table, built at compile time from its rows in
/// value order: each reduction's base operator, the reduction of each
/// operator, and the printed names.
template <class Id, std::size_t N>
class ReductionTable {
public:
    static constexpr std::size_t size = N;

    constexpr explicit ReductionTable(std::array<ReductionRow<Id>, N> const& rows) : rows_(rows) {
        if (!in_value_order(rows)) throw std::logic_error("reduction rows out of value order");
        // INVALID where no reduction folds with the operator; a later row
        // wins if two share a base.
        by_base_.fill(Id::INVALID);
        for (auto const& row : rows) by_base_[row.base] = row.id;
    }

    op::Id base(Id id) const noexcept { return rows_[id].base; }
    Id from_base(op::Id o) const noexcept { return by_base_[o]; }

    std::ostream& write(std::ostream& os, Id id) const { return names().write(os, id); }
    std::istream& read(std::istream& is, Id& id) const { return names().read(is, id); }

private:
    /// Built on first use; each enumeration has one table.
    EnumNames<Id, N> const& names() const {
        static EnumNames<Id, N> const table(rows_);
        return table;
    }

    std::array<ReductionRow<Id>, N> rows_;
    std::array<Id, op::COUNT> by_base_{};
};

}  // namespace lang::core::detail

/// A reduction's row, its spelling taken from the enumerator's own token so
/// that a name can never drift from its value.
#define LANGCORE_REDUCTION_ROW(id, base) \
    detail::ReductionRow<Id> { id, #id, base }

/// The functions every reduction header declares, answered by `table`.
#define LANGCORE_REDUCTION_FUNCTIONS(table)                                                      \
    op::Id base(Id id) { return table.base(id); }                                                \
    Id from_base(op::Id o) { return table.from_base(o); }                                        \
    std::ostream& operator<<(std::ostream& os, Id const& id) { return table.write(os, id); }    \
    std::istream& operator>>(std::istream& is, Id& id) { return table.read(is, id); }
