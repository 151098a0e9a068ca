// SPDX-License-Identifier: Apache-2.0
// Constant folding driven by bytes: a pool of typed operands, then a sequence
// of calls. Every call must leave the pool unchanged, fail only with a
// message exception, an allocation failure or "bad visit" for an operator
// outside the tables, accept exactly the operand kinds that fold, give the
// predicted result type, and agree element by element with a reference
// built from scalar folding (any NaN matches any NaN), on the kernel path
// the input picks.
#include "constant_decoder.hpp"

#include <lang/core/core.hpp>
#include <lang/core/ops/detail/kernel_path.hpp>

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <optional>
#include <set>
#include <sstream>

using namespace lang::core;
using lang::fuzz::ByteReader;
using lang::fuzz::ConstantDecoder;
using lang::fuzz::fail;
using lang::fuzz::text;

namespace {

// Counts are computed wide, so that a product past 2^64 - 1 shows.
__extension__ typedef unsigned __int128 Wide;
constexpr Wide beyond = Wide{1} << 64;

// Element-wise and plan checks walk at most this many elements.
constexpr unsigned long max_checked = 4096;

std::string digest(Constant const& c) {
    std::string bytes;
    DigestSink sink = [&](char const* p, unsigned long n) { bytes.append(p, n); };
    incorporate_data(sink, c);
    return bytes;
}

// A call's description, built only when a check fails.
class What {
public:
    template <class F>
    explicit What(F make) : make_(std::move(make)) {}
    std::string operator()() const { return make_(); }

private:
    std::function<std::string()> make_;
};

// The key of what the last failed attempt raised.
std::string raised;

template <class F>
auto attempt(F&& f) -> std::optional<std::decay_t<decltype(f())>> {
    try {
        return f();
    } catch (kbase::MessageException const& e) {
        raised = e.message().id().key();
    } catch (std::bad_alloc const&) {
        raised = "bad_alloc";
    } catch (std::logic_error const& e) {
        if (std::string_view(e.what()) != "bad visit") fail(std::string("logic_error: ") + e.what());
        raised = "bad visit";
    }
    return std::nullopt;
}

bool one_of(std::initializer_list<char const*> keys) {
    for (auto k : keys)
        if (raised == k) return true;
    return false;
}

// Whether a call has a result to check: a call whose operands do not fold
// must raise one of `refusals`, and one whose operands fold may only run
// out of memory.
template <class R>
bool outcome(std::optional<R> const& r, bool folds, std::initializer_list<char const*> refusals, What const& what) {
    if (!folds) {
        if (r || !one_of(refusals)) fail(what() + " did not raise " + *refusals.begin());
        return false;
    }
    if (!r && raised != "bad_alloc") fail(what() + " raised " + raised);
    return r.has_value();
}

// Element type 0..3, or -1 for a tuple.
int element_of(Constant const& c) { return c.id() < 8 ? c.id() % 4 : -1; }
bool is_array(Constant const& c) { return c.id() >= 4 && c.id() < 8; }
bool is_scalar(Constant const& c) { return c.id() < 4; }

ArraySize size_of(Constant const& c) { return array_type(c).size(); }
unsigned long count_of(Constant const& c) { return is_array(c) ? size_of(c).numElements() : 1; }

// True element count of a shape, or nothing when it exceeds 2^64 - 1.
std::optional<unsigned long> true_count(ArraySize const& s) {
    Wide n = 1;
    for (unsigned long d = 0; d < s.size(); ++d) n = std::min<Wide>(n * s(d), beyond);  // a later 0 still empties it
    if (n >> 64) return std::nullopt;
    return static_cast<unsigned long>(n);
}

// The true element count of `s` with dimension `dim` made `length` long.
std::optional<unsigned long> count_with(ArraySize const& s, unsigned long dim, unsigned long length) {
    Wide n = length;
    for (unsigned long d = 0; d < s.size(); ++d)
        if (d != dim) n = n == 0 ? 0 : std::min<Wide>(n * s(d), beyond);
    if (n >> 64) return std::nullopt;
    return static_cast<unsigned long>(n);
}

// Under the address sanitizer a huge allocation is a fatal report, never a
// bad_alloc, so calls whose result would really be allocated stay below
// 2^16 elements (which also keeps runs fast). Counts that no block can hold
// are still made: the library must refuse them before it allocates.
bool affordable(std::optional<unsigned long> count) { return !count || *count <= (1UL << 16) || *count > (~0UL >> 3); }

Constant at(Constant const& c, unsigned long i) { return is_scalar(c) ? c : indexable::Get<Constant>()(c, i); }

bool same(Constant const& x, Constant const& y) {
    if (x.id() == 3 && y.id() == 3) {
        double const a = std::get<Scalar<double>>(x.value()).value, b = std::get<Scalar<double>>(y.value()).value;
        return (std::isnan(a) && std::isnan(b)) || std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    }
    return x.id() == y.id() && x == y;
}

void expect_same(Constant const& got, Constant const& want, What const& what) {
    if (!same(got, want)) fail(what() + ": got " + text(got) + ", expected " + text(want));
}

void expect_type(Constant const& result, Type const& want, What const& what) {
    if (value_type(result) != want) fail(what() + ": result type " + text(value_type(result)) + ", expected " + text(want));
}

Type shaped(int element, Constant const& like, ArraySize const& size) {
    if (is_scalar(like)) return ScalarType(static_cast<type::Id>(element));
    return ArrayType(static_cast<type::Id>(element), size);
}

// The operators each element type folds, from the operator tables.
bool unary_folds(int t, op::Id o, bool array) {
    if (array && o == op::TRANSPOSE) return true;
    switch (t) {
    case 0: return o == op::NOT;
    case 1: return o == op::UPLUS || o == op::UMINUS || o == op::SIGN || o == op::ABS;
    case 2: return o == op::UPLUS;
    default:
        return o == op::UPLUS || o == op::UMINUS || (o >= op::INV && o <= op::FIX) || o == op::SIGN || o == op::ABS;
    }
}

bool comparison(op::Id o) { return o >= op::LT && o <= op::NE; }

bool binary_folds(int t, op::Id o, bool both_arrays) {
    if (o == op::MTIMES) return both_arrays && t != 0;
    if (t == 0) return o >= op::EQ && o <= op::OR;
    return (o >= op::PLUS && o <= op::NE) || o == op::MAX || o == op::MIN || (t == 3 && o == op::ATAN2);
}

op::Id decode_op(ByteReader& in) {
    int const v = in.pick(44);
    return static_cast<op::Id>(v >= 42 ? -1 : v);
}

// A refusal must be InvalidOp, except that the invalid operator reaching a
// kernel may raise "bad visit".
void expect_refused(std::optional<Constant> const& r, op::Id o, What const& what) {
    if (r) fail(what() + " folded to " + text(*r));
    if (raised != "InvalidOp" && !(o == -1 && raised == "bad visit")) fail(what() + " raised " + raised);
}

void unary(op::Id o, Constant const& a) {
    What const what([&] { return "apply(" + text(o) + ", " + text(a) + ")"; });
    auto const r = attempt([&] { return apply(o, a); });
    int const t = element_of(a);
    if (t < 0 || o < 0 || !unary_folds(t, o, is_array(a))) return expect_refused(r, o, what);
    if (!r) {
        if ((o == op::TRANSPOSE && raised == "InvalidMatrix") || raised == "bad_alloc") return;
        fail(what() + " raised " + raised);
    }
    if (o == op::TRANSPOSE) {
        ArraySize const s = size_of(a);
        expect_type(*r, ArrayType(static_cast<type::Id>(t), s.transpose()), what);
        for (unsigned long i = 0; i < s.m(); ++i)
            for (unsigned long j = 0; j < s.n() && i * s.n() + j < max_checked; ++j)
                expect_same(at(*r, j + i * s.n()), at(a, i + j * s.m()), what);
        return;
    }
    expect_type(*r, value_type(a), what);
    if (is_array(a))
        for (unsigned long i = 0; i < count_of(a) && i < max_checked; ++i)
            expect_same(at(*r, i), apply(o, at(a, i)), what);
}

void matrix_product(Constant const& r, Constant const& a, Constant const& b, What const& what) {
    ArraySize const sa = size_of(a), sb = size_of(b);
    expect_type(r, ArrayType(static_cast<type::Id>(element_of(a)), mtimes(sa, sb)), what);
    if (sa.m() * sb.n() * sa.n() > max_checked) return;
    Constant const zero = to_constant(lang::core::zero(static_cast<type::Id>(element_of(a))));
    for (unsigned long i = 0; i < sa.m(); ++i)
        for (unsigned long j = 0; j < sb.n(); ++j) {
            Constant acc = zero;
            for (unsigned long p = 0; p < sa.n(); ++p)
                acc = apply(op::PLUS, acc, apply(op::TIMES, at(a, i + p * sa.m()), at(b, p + j * sb.m())));
            expect_same(at(r, i + j * sa.m()), acc, what);
        }
}

void binary(op::Id o, Constant const& a, Constant const& b) {
    What const what([&] { return "apply(" + text(o) + ", " + text(a) + ", " + text(b) + ")"; });
    auto const r = attempt([&] { return apply(o, a, b); });
    int const t = element_of(a);
    bool const arrays = is_array(a) && is_array(b);
    if (t < 0 || t != element_of(b) || o < 0 || !binary_folds(t, o, arrays)) return expect_refused(r, o, what);
    if (!r) {
        bool const whole = t == 1 || t == 2;
        if (one_of({"bad_alloc"}) || (arrays && one_of({"InconsistentSize"})) ||
            (o == op::MTIMES && one_of({"InvalidMatrix", "InconsistentMultiply"})) ||
            (whole && o == op::DIVIDE && one_of({"DivideByZero"})))
            return;
        fail(what() + " raised " + raised);
    }
    if (o == op::MTIMES) return matrix_product(*r, a, b, what);
    Constant const& shape = is_array(a) ? a : b;
    expect_type(*r, shaped(comparison(o) ? 0 : t, shape, is_scalar(shape) ? ArraySize{1, 1} : size_of(shape)), what);
    if (!is_scalar(shape))
        for (unsigned long i = 0; i < count_of(shape) && i < max_checked; ++i) {
            auto const e = attempt([&] { return apply(o, at(a, i), at(b, i)); });
            if (!e) fail(what() + ": the scalar fold at " + std::to_string(i) + " raised " + raised);
            expect_same(at(*r, i), *e, what);
        }
}

// The list form is the one- or two-operand form, or a left fold for the
// operators that have a reduction.
void listed(op::Id o, Constants const& list, bool fold) {
    auto const r = attempt([&] { return apply(o, list, fold); });
    std::optional<Constant> want;
    bool const folds = fold && o >= 0 && accum::from_base(o) != -1 && !list.empty();
    if (folds) {
        want = list[0];
        for (unsigned long i = 1; i < list.size() && want; ++i) want = attempt([&] { return apply(o, *want, list[i]); });
    } else if (list.size() == 1) {
        want = attempt([&] { return apply(o, list[0]); });
    } else if (list.size() == 2) {
        want = attempt([&] { return apply(o, list[0], list[1]); });
    } else if (r || raised != "InvalidOp") {
        fail("apply(" + text(o) + ") of " + std::to_string(list.size()) + " operands did not raise InvalidOp");
    }
    if (r.has_value() != want.has_value() || (r && digest(*r) != digest(*want)))
        fail("apply(" + text(o) + ", list, " + std::to_string(fold) + ") differs from its one-by-one form");
}

// Where output slot `o` of a reduction along `dim` reads its k-th element.
struct Slots {
    Slots(ArraySize const& s, unsigned long dim) {
        for (unsigned long d = 0; d < std::min(dim, s.size()); ++d) stride *= s(d);
        len = s(dim);
    }
    unsigned long input(unsigned long o, unsigned long k) const { return (o / stride) * len * stride + k * stride + o % stride; }
    unsigned long stride = 1, len;
};

void accumulate(accum::Id red, unsigned long dim, Constant const& a) {
    What const what([&] { return "apply(" + text(red) + ", " + std::to_string(dim) + ", " + text(a) + ")"; });
    if (is_array(a) && !affordable(count_with(size_of(a), dim, 1))) return;
    auto const r = attempt([&] { return apply(red, dim, a); });
    int const t = element_of(a);
    bool const folds = is_array(a) && (t == 0 ? red == accum::ANY || red == accum::ALL : red != accum::ANY && red != accum::ALL);
    if (!outcome(r, folds, {"InvalidAccum"}, what)) return;
    ArraySize out = size_of(a);
    out.replace(dim, 1);
    expect_type(*r, ArrayType(static_cast<type::Id>(t), out), what);
    Slots const slots(size_of(a), dim);
    Constant const ident = to_constant(accumulation_ident(red, static_cast<type::Id>(t)));
    for (unsigned long o = 0; o < out.numElements() && o < max_checked; ++o) {
        Constant acc = ident;
        for (unsigned long k = 0; k < slots.len; ++k) acc = apply(accum::base(red), acc, at(a, slots.input(o, k)));
        expect_same(at(*r, o), acc, what);
    }
}

void extremum(extrema::Id e, unsigned long dim, Constant const& a) {
    What const what([&] { return "apply(" + text(e) + ", " + std::to_string(dim) + ", " + text(a) + ")"; });
    if (is_array(a) && !affordable(count_with(size_of(a), dim, 1))) return;
    auto const r = attempt([&] { return apply(e, dim, a); });
    if (!outcome(r, is_array(a) && element_of(a) != 0, {"InvalidExtrema"}, what)) return;
    ArraySize out = size_of(a);
    if (out(dim) != 0) out.replace(dim, 1);
    expect_type(*r, ArrayType(type::INDEX, out), what);
    Slots const slots(size_of(a), dim);
    for (unsigned long o = 0; o < out.numElements() && o < max_checked; ++o) {
        unsigned long best = 0;
        for (unsigned long k = 1; k < slots.len; ++k)
            if (std::get<Scalar<bool>>(apply(extrema::base(e), at(a, slots.input(o, k)), at(a, slots.input(o, best))).value()).value)
                best = k;
        expect_same(at(*r, o), Constant(best), what);
    }
}

void conversion(type::Id target, Constant const& a) {
    What const what([&] { return "convert_with_check(" + text(target) + ", " + text(a) + ")"; });
    auto const r = attempt([&] { return convert_with_check(target, a); });
    if (!outcome(r, element_of(a) >= 0, {"InvalidConversion"}, what)) return;
    expect_type(r->first, shaped(target, a, is_array(a) ? size_of(a) : ArraySize{1, 1}), what);
    if (!is_array(a)) return;
    bool lossy = false;
    for (unsigned long i = 0; i < count_of(a); ++i) {
        auto const [e, flag] = convert_with_check(target, at(a, i));
        lossy |= flag;
        if (i < max_checked) expect_same(at(r->first, i), e, what);
    }
    if (lossy != r->second) fail(what() + ": the flag differs from its elements'");
}

void conditionals(Constant const& c, Constant const& a, Constant const& b) {
    What const what([&] { return "conditional(" + text(c) + ", " + text(a) + ", " + text(b) + ")"; });
    auto const r = attempt([&] { return &conditional(c, a, b); });
    if (c.id() == 0 && value_type(a) == value_type(b)) {
        if (!r || *r != (std::get<Scalar<bool>>(c.value()).value ? &a : &b)) fail(what() + " picked the wrong branch");
    } else if (r || raised != "InvalidConditional") {
        fail(what() + " did not raise InvalidConditional");
    }

    auto const ar = attempt([&] { return array_conditional(c, a, b); });
    auto fits = [&](Constant const& x) { return is_scalar(x) || (is_array(x) && size_of(x) == size_of(c)); };
    if (!outcome(ar, c.id() == 4 && fits(a) && fits(b) && element_of(a) == element_of(b), {"InvalidArrayConditional"}, what)) return;
    expect_type(*ar, ArrayType(static_cast<type::Id>(element_of(a)), size_of(c)), what);
    for (unsigned long i = 0; i < count_of(c) && i < max_checked; ++i)
        expect_same(at(*ar, i), std::get<Scalar<bool>>(at(c, i).value()).value ? at(a, i) : at(b, i), what);
}

void padding(Constant const& a, unsigned long dim, unsigned long length, ScalarConstant const& fill) {
    What const what([&] { return "pad(" + text(a) + ", " + std::to_string(dim) + ", " + std::to_string(length) + ", " + text(fill) + ")"; });
    if (is_array(a) && !affordable(count_with(size_of(a), dim, length))) return;
    auto const r = attempt([&] { return pad(a, dim, length, fill); });
    if (!outcome(r, is_array(a) && fill.id() == element_of(a), {"InvalidArray", "TypeMismatchForPad"}, what)) return;
    ArraySize const s = size_of(a);
    ArraySize out = s;
    out.replace(dim, length);
    expect_type(*r, ArrayType(array_type(a).base(), out), what);
    Slots const in(s, dim), slots(out, dim);
    for (unsigned long o = 0; o < out.numElements() && o < max_checked; ++o) {
        unsigned long const k = (o / slots.stride) % slots.len, outer = o / (slots.stride * slots.len);
        Constant const want = k < in.len ? at(a, outer * in.len * in.stride + k * in.stride + o % in.stride) : to_constant(fill);
        expect_same(at(*r, o), want, what);
    }
}

void reshaping(Constant const& a, ArraySize const& target) {
    What const what([&] { return "Reshape(" + text(a) + ", " + text(target) + ")"; });
    auto const r = attempt([&] { return indexable::Reshape<Constant>()(a, target); });
    if (!is_array(a)) {
        if (r || raised != "InvalidArray") fail(what() + " did not raise InvalidArray");
        return;
    }
    if (!r) return;  // the shapes' element counts differ
    if (true_count(size_of(*r)) != true_count(size_of(a))) fail(what() + " changed the element count");
    for (unsigned long i = 0; i < count_of(a) && i < max_checked; ++i) expect_same(at(*r, i), at(a, i), what);
}

void tiling(Constant const& a, ArraySize const& reps) {
    What const what([&] { return "Repmat(" + text(a) + ", " + text(reps) + ")"; });
    if (is_array(a)) {
        Wide n = 1;
        for (unsigned long k = 0; k < std::max(size_of(a).size(), reps.size()); ++k)
            for (unsigned long f : {size_of(a)(k), reps(k)}) n = std::min<Wide>(n * f, beyond);
        if (!affordable(n >> 64 ? std::nullopt : std::optional<unsigned long>(static_cast<unsigned long>(n)))) return;
    }
    auto const r = attempt([&] { return indexable::Repmat<Constant>()(a, reps); });
    if (!outcome(r, is_array(a), {"InvalidArray"}, what)) return;
    ArraySize const s = size_of(a), t = size_of(*r);
    unsigned long const d = std::max(s.size(), reps.size());
    for (unsigned long k = 0; k < d; ++k)
        if (static_cast<Wide>(s(k)) * reps(k) != t(k)) fail(what() + " has the shape " + text(t));
    if (!true_count(t)) fail(what() + " holds a shape of more than 2^64 - 1 elements");
    for (unsigned long i = 0; i < t.numElements() && i < max_checked; ++i) {
        unsigned long rem = i, p = 0, ms = 1;
        for (unsigned long k = 0; k < d; ++k) {
            p += (rem % t(k)) % s(k) * ms;
            rem /= t(k);
            ms *= s(k);
        }
        expect_same(at(*r, i), at(a, p), what);
    }
}

// Walks an indexer, checking every position against the source before it is
// used and, when it is short, for_each against the iterator; returns the
// positions (at most max_checked of them).
std::vector<unsigned long> positions(Indexer const& ix, unsigned long source_count, What const& what) {
    std::vector<unsigned long> out;
    unsigned long n = 0;
    for (auto it = ix.begin(); it != ix.end() && n < max_checked; ++it, ++n) {
        if (*it >= source_count) fail(what() + ": position " + std::to_string(*it) + " outside the source");
        out.push_back(*it);
    }
    if (n < max_checked && n != ix.size().numElements()) fail(what() + ": visits fewer positions than its shape holds");
    if (n < max_checked) {
        std::vector<unsigned long> each;
        ix.for_each([&](unsigned long p) { each.push_back(p); });
        if (each != out) fail(what() + ": for_each and the iterator visit different positions");
    }
    return out;
}

// Joins arrays and shapes along `dim`; when every operand is an array of one
// element type, carries the plan out and checks it against the inverse plan.
void concatenation(unsigned long dim, std::vector<Constant> const& operands, std::vector<ArraySize> const& sizes) {
    What const what([&] { return "Concatenator(" + std::to_string(dim) + ", " + std::to_string(sizes.size()) + " sizes)"; });
    auto const plan = attempt([&] { return Concatenator(dim, sizes); });
    auto const inverse = attempt([&] { return InverseConcatenator(dim, sizes); });
    if (plan.has_value() != inverse.has_value()) fail(what() + ": the plan and its inverse disagree on validity");
    if (!plan) return;
    if (plan->entries().size() != sizes.size()) fail(what() + ": one entry per operand expected");
    // Coverage of the result is checked when the plan is small enough to walk whole.
    unsigned long const total = true_count(plan->size()).value_or(~0UL);
    std::vector<bool> seen(total <= max_checked ? total : 0);
    std::optional<Constant> joined;
    bool const materialise = operands.size() == sizes.size() && total <= max_checked;
    if (materialise)
        joined = indexable::Create<Constant>()(ArrayType(static_cast<type::Id>(element_of(operands[0])), plan->size()));
    for (auto const& entry : *plan) {
        auto const dst = positions(entry.dstIndexer(), total, what);
        auto const src = positions(entry.srcIndexer(), true_count(sizes[entry.src()]).value_or(~0UL), what);
        if (dst.size() != src.size()) fail(what() + ": an entry's indexers differ in length");
        for (unsigned long i = 0; i < dst.size(); ++i) {
            if (dst[i] < seen.size()) {
                if (seen[dst[i]]) fail(what() + ": a position filled twice");
                seen[dst[i]] = true;
            }
            if (materialise) indexable::Set<Constant>()(*joined, dst[i], at(operands[entry.src()], src[i]));
        }
    }
    for (unsigned long p = 0; p < seen.size(); ++p) {
        if (!seen[p]) fail(what() + ": position " + std::to_string(p) + " left unfilled");
        auto const from = (*inverse)(p);
        if (!from || from->first >= sizes.size() || from->second >= sizes[from->first].numElements())
            fail(what() + ": the inverse plan has no operand for " + std::to_string(p));
        if (materialise) expect_same(at(*joined, p), at(operands[from->first], from->second), what);
    }
}

// Subscripts given as ranges: the conversion checks them, and the indexer
// visits, first entry fastest, the positions the subscripts name.
void indexing(ByteReader& in, ConstantDecoder& dec, ArraySize const& source, Constant const* array) {
    std::vector<std::vector<unsigned long>> lists(1 + in.pick(4));
    IndexerBuilder builder(source);
    for (auto& list : lists) {
        if (in.flag()) {
            unsigned long const first = in.pick(4), last = first + in.pick(4);
            for (unsigned long v = first; v < last; ++v) list.push_back(v);
            builder.append_(make_counting_entry(first, last));
        } else {
            for (unsigned n = in.pick(4); n > 0; --n) list.push_back(in.flag() ? in.pick(6) : dec.length());
            builder.append_(make_list_entry(list));
        }
    }
    unsigned long const n = lists.size();
    // A subscript's admissible length: its dimension, the remaining ones
    // together for the last subscript, and 1 past the stored dimensions.
    std::vector<unsigned long> stride(n, 0);
    bool valid = true;
    bool exact = true;  // whether the last subscript's extent fits in 64 bits
    Wide mult = 1;
    for (unsigned long k = 0; k < n; ++k) {
        Wide admissible = k < source.size() ? source(k) : 1;
        if (k == n - 1) {  // saturating at 2^64
            for (unsigned long d = k + 1; d < source.size(); ++d)
                admissible = std::min<Wide>(admissible * source(d), beyond);
            exact = admissible < beyond;
        }
        for (unsigned long v : lists[k]) valid &= v < admissible;
        stride[k] = static_cast<unsigned long>(mult);
        mult *= k < source.size() ? source(k) : 1;
    }
    What const what([&] { return "indexer over " + text(source); });
    auto const ix = attempt([&] { return Indexer(builder); });
    // Positions into a shape that no array can hold cannot be counted, nor
    // can a last subscript's extent past 2^64 - 1 be checked against.
    if (!true_count(source) || !exact) {
        if (ix || raised != "bad_alloc") fail(what() + " did not refuse an extent past 2^64 - 1");
        return;
    }
    if (!valid) {
        if (ix || raised != "InvalidIndex") fail(what() + " accepted an index outside it");
        return;
    }
    if (!ix) fail(what() + " raised " + raised);
    auto const seen = positions(*ix, *true_count(source), what);
    for (unsigned long i = 0; i < seen.size(); ++i) {
        unsigned long rem = i, want = 0;
        for (unsigned long k = 0; k < n; ++k) {
            want += lists[k][rem % lists[k].size()] * stride[k];
            rem /= lists[k].size();
        }
        if (seen[i] != want) fail(what() + ": visit " + std::to_string(i) + " at " + std::to_string(seen[i]));
        if (array) (void)at(*array, seen[i]);
    }
}

// A copy written through Set, assign and the compound assignments: the
// original stays as it was (the pool's check), and the copy changes as asked.
void writing(ByteReader& in, ConstantDecoder& dec, Constant const& a, Constant const& b) {
    Constant x = a;
    if (is_array(a) && count_of(a) > 0 && is_array(b) && count_of(b) > 0 && element_of(a) == element_of(b)) {
        unsigned long const i = in.pick(256) % count_of(a);
        Constant const v = at(b, in.pick(256) % count_of(b));
        indexable::Set<Constant>()(x, i, v);
        expect_same(at(x, i), v, What([] { return std::string("Set"); }));
        x = a;
    }
    auto const assigned = attempt([&] { return (assign(x, b), true); });
    bool const fits = element_of(a) >= 0 ? element_of(a) == element_of(b) && is_array(a) == is_array(b)
                                         : value_type(a) == value_type(b);
    if (assigned) {
        if (!fits || digest(x) != digest(b)) fail("assign(" + text(a) + ", " + text(b) + ") wrote " + text(x));
    } else if ((fits && raised != "InconsistentSize") || (element_of(a) >= 0 && digest(x) != digest(a))) {
        fail("assign(" + text(a) + ", " + text(b) + ") raised " + raised + " or changed its target");
    }

    x = a;
    ScalarConstant const s = dec.scalar(in.flag() && element_of(a) >= 0 ? static_cast<type::Id>(element_of(a)) : dec.element_type());
    unsigned const which = in.pick(3);
    op::Id const ops[] = {op::PLUS, op::TIMES, op::DIVIDE};
    auto const done = attempt([&] { return &(which == 0 ? x += s : which == 1 ? x *= s : x /= s); });
    What const what([&] { return text(a) + " " + text(ops[which]) + "= " + text(s); });
    int const t = element_of(a);
    if (t <= 0 || t != s.id()) {
        if (done || raised != "InvalidOp") fail(what() + " did not raise InvalidOp");
    } else if (done) {
        for (unsigned long i = 0; i < count_of(a) && i < max_checked; ++i)
            expect_same(at(x, i), apply(ops[which], at(a, i), to_constant(s)), what);
    } else if (raised != "DivideByZero" && raised != "bad_alloc") {
        fail(what() + " raised " + raised);
    }
    if (!done && digest(x) != digest(a)) fail(what() + " failed but changed its target");
}

// Equality, order and hash agree, and iteration reads what Get reads.
void relations(Constant const& a, Constant const& b) {
    if ((a == b) != (compare(a, b) == 0)) fail("== and compare disagree on " + text(a) + " and " + text(b));
    if (a == b && hash_value(a) != hash_value(b)) fail("equal values hash differently: " + text(a));
    (void)text(a);
    if (!is_array(a)) return;
    What const what([&] { return "iterating " + text(a); });
    unsigned long i = 0;
    for (Constant const e : a) {
        if (i >= max_checked) break;
        expect_same(e, at(a, i++), what);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    // The kernel path comes from the last byte, which the calls read as well,
    // so that every stored input keeps its meaning and each can run on any path.
    auto const paths = detail::supported_kernel_paths();
    detail::set_kernel_path(paths[size == 0 ? 0 : data[size - 1] % paths.size()]);
    ByteReader in(data, size);
    ConstantDecoder dec(in);
    std::vector<Constant> pool;
    for (unsigned n = 1 + in.pick(4); n > 0; --n) pool.push_back(dec.constant(1, true));
    std::vector<std::string> before;
    for (auto const& c : pool) before.push_back(digest(c));
    auto operand = [&]() -> Constant const& { return pool[in.pick(pool.size())]; };
    // A dimension far past the stored ones makes a shape of that many
    // lengths; one that big but still storable is a real allocation. Plans
    // along a dimension build an entry per dimension, so storable ones stay
    // below 2^10 to keep runs fast; the refusals start at 2^61.
    auto dimension = [&] {
        unsigned long const d = in.flag() ? in.pick(5) : dec.length();
        return d < (1UL << 10) || d >= (1UL << 61) ? d : d % 64;
    };

    for (int call = 0; call < 24 && !in.done(); ++call) {
        switch (in.pick(13)) {
        case 0: unary(decode_op(in), operand()); break;
        case 1: {
            op::Id const o = decode_op(in);
            Constant const& a = operand();
            binary(o, a, operand());
            break;
        }
        case 2: {
            Constants list;
            for (unsigned n = in.pick(4); n > 0; --n) list.push_back(operand());
            listed(decode_op(in), list, in.flag());
            break;
        }
        case 3: accumulate(static_cast<accum::Id>(in.pick(6)), dimension(), operand()); break;
        case 4: extremum(static_cast<extrema::Id>(in.pick(2)), dimension(), operand()); break;
        case 5: conversion(dec.element_type(), operand()); break;
        case 6: {
            Constant const& c = in.flag() ? operand() : pool.emplace_back(dec.constant(0, false));
            before.resize(pool.size(), digest(pool.back()));
            Constant const& a = operand();
            conditionals(c, a, operand());
            break;
        }
        case 7: {
            Constant const& a = operand();
            unsigned long const dim = dimension(), length = in.flag() ? in.pick(6) : dec.length();
            padding(a, dim, length, dec.scalar(in.flag() && is_array(a) ? static_cast<type::Id>(element_of(a)) : dec.element_type()));
            break;
        }
        case 8: reshaping(operand(), dec.shape(true)); break;
        case 9: tiling(operand(), dec.shape(true)); break;
        case 10: {
            std::vector<Constant> arrays;
            std::vector<ArraySize> sizes;
            for (unsigned n = 1 + in.pick(3); n > 0; --n) {
                // Planning walks every length of every operand, so operands
                // stay short; padding reaches the plan with long ones.
                Constant const& a = operand();
                bool const walkable = is_array(a) && size_of(a).data()->lengths().end() ==
                    std::ranges::find_if(size_of(a).data()->lengths(), [](unsigned long l) { return l > (1UL << 16); });
                if (walkable && (arrays.empty() || element_of(a) == element_of(arrays[0]))) arrays.push_back(a);
                sizes.push_back(walkable ? size_of(a) : dec.shape(false));
            }
            concatenation(dimension(), arrays, sizes);
            break;
        }
        case 11: {
            Constant const& a = operand();
            if (is_array(a)) indexing(in, dec, size_of(a), &a);
            else indexing(in, dec, dec.shape(true), nullptr);
            break;
        }
        default: {
            Constant const& a = operand();
            Constant const& b = operand();
            writing(in, dec, a, b);
            relations(a, b);
        }
        }
        for (unsigned long i = 0; i < pool.size(); ++i)
            if (digest(pool[i]) != before[i]) fail("an operand changed: now " + text(pool[i]));
    }
    return 0;
}
