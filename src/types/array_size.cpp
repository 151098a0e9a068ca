// SPDX-License-Identifier: Apache-2.0
#include <lang/core/types/array_size.hpp>

#include "detail/exact_length.hpp"
#include "detail/hash.hpp"
#include "detail/raise.hpp"

#include <qz/i18n/ustring.hpp>

#include <boost/container/small_vector.hpp>
#include <boost/lexical_cast.hpp>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <ostream>
#include <unordered_set>

namespace lang::core {
namespace {

// Room for the shapes a compiler actually meets without touching the heap.
using Lengths = boost::container::small_vector<unsigned long, 8>;

// A normal form looked up by the caller's own lengths, so that finding an
// existing shape allocates nothing.
struct Probe {
    std::span<unsigned long const> lengths;
    unsigned long hash;
};

struct RecordHash {
    using is_transparent = void;
    std::size_t operator()(ArraySize::Record const* r) const noexcept { return r->hash(); }
    std::size_t operator()(Probe const& p) const noexcept { return p.hash; }
};

// Shapes have a handful of lengths: a plain loop beats a call to memcmp,
// which is what std::ranges::equal becomes.
bool same_lengths(std::span<unsigned long const> a, std::span<unsigned long const> b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Normal forms are unique, so equal shapes have equal stored lengths.
struct RecordEqual {
    using is_transparent = void;
    static std::span<unsigned long const> lengths(ArraySize::Record const* r) noexcept { return r->lengths(); }
    static std::span<unsigned long const> lengths(Probe const& p) noexcept { return p.lengths; }
    template <class A, class B>
    bool operator()(A const& a, B const& b) const noexcept {
        return same_lengths(lengths(a), lengths(b));
    }
};

struct Table {
    std::mutex mutex;
    std::unordered_set<ArraySize::Record const*, RecordHash, RecordEqual> records;
};

// Never destroyed: shapes held by other static objects must stay valid while
// those objects are torn down.
Table& table() {
    static Table* const instance = new Table;
    return *instance;
}

// Each thread remembers the shapes it built last, so that building one again
// (every result of an operation builds its shape) takes no lock. Records are
// never freed, so a remembered pointer stays valid for the life of the process.
struct RecentShapes {
    static constexpr unsigned long slots = 64;
    std::array<ArraySize::Record const*, slots> records{};
};
thread_local RecentShapes recent_shapes;

// The record of a normal form, made by `make(block, stored lengths)` when it
// is new; `make` comes from ArraySize, which alone may construct a record.
template <class Make>
ArraySize::Record const* intern(std::span<unsigned long const> lengths, unsigned long hash, Make make) {
    using Record = ArraySize::Record;
    Table& t = table();
    std::lock_guard const lock(t.mutex);
    if (auto const found = t.records.find(Probe{lengths, hash}); found != t.records.end()) return *found;

    // The lengths live right behind their record, in the same block.
    static_assert(sizeof(Record) % alignof(unsigned long) == 0);
    std::unique_ptr<void, void (*)(void*)> block(::operator new(sizeof(Record) + lengths.size_bytes()),
                                                 [](void* p) { ::operator delete(p); });
    auto* const stored = reinterpret_cast<unsigned long*>(static_cast<char*>(block.get()) + sizeof(Record));
    std::ranges::uninitialized_copy(lengths, std::span(stored, lengths.size()));
    Record const* const record = make(block.get(), stored);
    t.records.insert(record);
    block.release();
    return record;
}

}  // namespace

ArraySize::ArraySize(unsigned long const* lengths, unsigned long count) {
    static constexpr unsigned long empty[] = {0};

    if (count == 0) {
        lengths = empty;
        count = 1;
    }
    while (count > 0 && lengths[count - 1] == 1) --count;

    unsigned long hash = count;
    unsigned long elements = 1;
    for (unsigned long i = 0; i < count; ++i) {
        hash = detail::hash_combine(hash, lengths[i]);
        elements *= lengths[i];
    }

    std::span<unsigned long const> const normal(lengths, count);
    Record const*& recent = recent_shapes.records[(hash ^ hash >> 32) % RecentShapes::slots];
    if (recent == nullptr || recent->hash() != hash || !same_lengths(recent->lengths(), normal))
        recent = intern(normal, hash, [&](void* block, unsigned long const* stored) {
            bool const fits = detail::true_product(normal).has_value();
            return ::new (block) Record(stored, count, hash, elements, fits);
        });
    record_ = recent;
}

std::vector<unsigned long> ArraySize::multipliers() const {
    unsigned long const dims = size();
    std::vector<unsigned long> result(dims + 1);
    result[0] = 1;
    for (unsigned long k = 1; k <= dims; ++k) result[k] = result[k - 1] * (*this)(k - 1);
    return result;
}

void ArraySize::replace(unsigned long dim, unsigned long length) {
    if ((*this)(dim) == length) return;
    // A shape with more dimensions than memory has words cannot be stored.
    unsigned long const dims = std::max(detail::exact_sum(dim, 1), size());
    (void)detail::exact_product(dims, sizeof(unsigned long));
    Lengths lengths(dims, 1UL);
    std::copy_n(record_->lengths_, record_->count_, lengths.begin());
    lengths[dim] = length;
    *this = ArraySize(lengths.data(), lengths.size());
}

ArraySize ArraySize::reshape(ArraySize const& target) const {
    // True counts: shapes whose counts only agree by wrapping do not reshape
    // into one another, so no array is ever given a shape larger than its block.
    std::optional<unsigned long> const count = detail::true_product(record_->lengths());
    std::optional<unsigned long> const target_count = detail::true_product(target.data()->lengths());
    if (!count) raise<msg::types::InvalidReshape>(*this, target);
    unsigned long const elements = *count;
    if (target_count == 0UL) {
        unsigned long zeros = 0;
        unsigned long last_zero = 0;
        Lengths others;
        for (unsigned long i = 0, dims = target.size(); i < dims; ++i) {
            if (target(i) == 0) {
                ++zeros;
                last_zero = i;
            } else {
                others.push_back(target(i));
            }
        }
        if (zeros == 1) {
            // Other lengths whose product exceeds any count leave no length
            // for the placeholder, unless there are no elements to place.
            std::optional<unsigned long> const other_count = detail::true_product({others.data(), others.size()});
            if (other_count ? elements % *other_count != 0 : elements != 0) {
                raise<msg::types::InvalidReshape>(*this, target);
            }
            if (elements == 0) return target;
            ArraySize result = target;
            result.replace(last_zero, elements / *other_count);
            return result;
        }
    }
    if (elements != target_count) raise<msg::types::InvalidReshape>(*this, target);
    return target;
}

ArraySize& ArraySize::operator*=(ArraySize const& other) {
    Lengths lengths(std::max(size(), other.size()));
    for (unsigned long i = 0; i < lengths.size(); ++i) lengths[i] = (*this)(i) * other(i);
    return *this = ArraySize(lengths.data(), lengths.size());
}

ArraySize ArraySize::transpose() const {
    requireMatrix();
    return {n(), m()};
}

void ArraySize::requireMatrix() const {
    if (size() != 2) raise<msg::types::InvalidMatrix>(*this);
}

void ArraySize::raiseInconsistent(ArraySize const& other) const {
    raise<msg::types::InconsistentSize>(*this, other);
}

void ArraySize::requireMultiply(ArraySize const& other) const {
    requireMatrix();
    other.requireMatrix();
    if (n() != other.m()) raise<msg::types::InconsistentMultiply>(*this, other);
}

unsigned long ArraySize::check(unsigned long index) const {
    if (index >= numElements()) raise<msg::types::InvalidIndex>(*this, index);
    return numElements();
}

void ArraySize::checkDim(unsigned long subscripts) const {
    if (subscripts != 1 && subscripts < size()) raise<msg::types::InconsistentIndexDimension>(subscripts, *this);
}

int compare(ArraySize const& a, ArraySize const& b) noexcept {
    if (a == b) return 0;
    for (unsigned long i = 0, dims = std::max(a.size(), b.size()); i < dims; ++i) {
        if (a(i) < b(i)) return 1;
        if (a(i) > b(i)) return 2;
    }
    return 0;
}

ArraySize mtimes(ArraySize const& a, ArraySize const& b) {
    a.requireMultiply(b);
    return {a.m(), b.n()};
}

unsigned long length(ArraySize const& s, unsigned long dim, kbase::Positive<unsigned long> subscripts) {
    unsigned long const k = subscripts;
    unsigned long const dims = s.size();
    if (dims <= k) return s(dim);
    if (dim >= k) return 1;
    if (dim + 1 < k) return s(dim);
    // The last subscript's extent must be exact: positions are computed from it.
    std::span<unsigned long const> const rest = s.data()->lengths().subspan(dim);
    if (auto const extent = detail::true_product(rest)) return *extent;
    throw std::bad_array_new_length();
}

std::ostream& operator<<(std::ostream& os, ArraySize const& s) {
    for (unsigned long i = 0, dims = s.size(); i < dims; ++i) {
        if (i > 0) os << ", ";
        os << s(i);
    }
    return os;
}

std::u16string to_user_string(ArraySize const& s) {
    std::u16string const times = qz::i18n::to_ustring("x");
    std::u16string result;
    for (unsigned long i = 0, dims = s.size(); i < dims; ++i) {
        if (i > 0) result += times;
        result += qz::i18n::to_ustring(boost::lexical_cast<std::string>(s(i)));
    }
    return result;
}

}  // namespace lang::core
