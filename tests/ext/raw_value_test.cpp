#include <lang/core/ext/raw_value.hpp>

#include "test_support/value_laws.hpp"

#include <groundwork/core/mem/aligned_heap.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <deque>
#include <limits>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace lang::core {
namespace {

using groundwork::core::mem::aligned_heap;

template <class T>
Constant array(ArraySize const& size, std::vector<T> const& elements) {
    Array<T> a(size);
    std::copy(elements.begin(), elements.end(), a.begin());
    return a;
}

template <class T>
std::vector<T> words(void const* raw, unsigned long n) {
    std::vector<T> out(n);
    std::memcpy(out.data(), raw, n * sizeof(T));
    return out;
}

// Caller-owned memory laid out for a type, built from a hand-written width
// table rather than from the code under test.
class Buffer {
public:
    explicit Buffer(Type const& t) : root_(make(t)) {}
    void* get() const noexcept { return root_; }

    // Compares the raw values at `a` and `b` of type `t` byte for byte.
    static bool same_bytes(Type const& t, void const* a, void const* b) {
        if (auto const* tuple = std::get_if<TupleType>(&t.value())) {
            auto const pa = static_cast<void const* const*>(a);
            auto const pb = static_cast<void const* const*>(b);
            for (unsigned long i = 0; i < tuple->types().size(); ++i) {
                if (!same_bytes(tuple->types()[i], pa[i], pb[i])) return false;
            }
            return true;
        }
        unsigned long const n = bytes(t);
        return n == 0 || std::memcmp(a, b, n) == 0;
    }

private:
    static unsigned long width(type::Id id) {
        static constexpr unsigned long widths[] = {1, 4, 8, 8};
        return widths[id];
    }
    static unsigned long bytes(Type const& t) {
        if (auto const* s = std::get_if<ScalarType>(&t.value())) return width((*s)());
        auto const& a = std::get<ArrayType>(t.value());
        return width(a.base()) * a.size().numElements();
    }

    void* make(Type const& t) {
        if (auto const* tuple = std::get_if<TupleType>(&t.value())) {
            auto& pointers = pointerArrays_.emplace_back(tuple->types().size());
            for (unsigned long i = 0; i < pointers.size(); ++i) pointers[i] = make(tuple->types()[i]);
            return pointers.data();
        }
        // Filled with a pattern, so that an unwritten byte shows.
        return blocks_.emplace_back(bytes(t) + 1, char(0x5a)).data();
    }

    // Deques: growing them moves no block that a pointer array refers to.
    std::deque<std::vector<void*>> pointerArrays_;
    std::deque<std::string> blocks_;
    void* root_;
};

// Values of every kind: scalars with the special reals, arrays of every
// element type (empty ones too), and tuples nested up to three deep.
class Generator {
public:
    Constant next(int depth = 0) {
        switch (pick(depth < 3 ? 3 : 2)) {
        case 0: return scalar();
        case 1: return array_value();
        default: {
            Constants elements;
            for (unsigned long n = pick(4); n > 0; --n) elements.push_back(next(depth + 1));
            return Tuple(std::move(elements));
        }
        }
    }

private:
    unsigned long pick(unsigned long n) { return std::uniform_int_distribution<unsigned long>(0, n - 1)(rng_); }

    template <class T>
    T element() {
        if constexpr (std::is_same_v<T, bool>) {
            return pick(2) == 1;
        } else if constexpr (std::is_same_v<T, double>) {
            static constexpr double specials[] = {0.0, -0.0, std::numeric_limits<double>::quiet_NaN(),
                                                  std::numeric_limits<double>::infinity(), -1e-310, 1e300};
            if (pick(3) == 0) return specials[pick(std::size(specials))];
            return std::uniform_real_distribution<double>(-1e6, 1e6)(rng_);
        } else {
            return static_cast<T>(rng_());
        }
    }

    Constant scalar() {
        switch (pick(4)) {
        case 0: return element<bool>();
        case 1: return element<int>();
        case 2: return element<unsigned long>();
        default: return element<double>();
        }
    }

    template <class T>
    Constant filled(ArraySize const& size) {
        Array<T> a(size);
        for (T& e : a) e = element<T>();
        return a;
    }

    Constant array_value() {
        static ArraySize const shapes[] = {{1, 1}, {1, 3}, {4, 1}, {2, 3}, {3, 2, 2}, {0, 3}, {2, 0, 4}, {0, 0}};
        ArraySize const& size = shapes[pick(std::size(shapes))];
        switch (pick(4)) {
        case 0: return filled<bool>(size);
        case 1: return filled<int>(size);
        case 2: return filled<unsigned long>(size);
        default: return filled<double>(size);
        }
    }

    std::mt19937_64 rng_{20240611};
};

void make_valueless(Constant& c) {
    struct Throws {
        operator Tuple() const { throw std::runtime_error("no tuple"); }
    };
    EXPECT_THROW(c.value().emplace<8>(Throws{}), std::runtime_error);
    ASSERT_EQ(c.id(), -1);
}

TEST(RawValue, LayoutMatchesTheWidthsOfEachKind) {
    Constant const index = 5UL;
    auto const indexView = create_value_ptr(index);
    EXPECT_EQ(words<std::uint64_t>(indexView.get(), 1), std::vector<std::uint64_t>{5});

    // [1 3; 2 4] is stored column by column.
    Constant const matrix = array<int>({2, 2}, {1, 2, 3, 4});
    auto const matrixView = create_value_ptr(matrix);
    EXPECT_EQ(words<std::int32_t>(matrixView.get(), 4), (std::vector<std::int32_t>{1, 2, 3, 4}));

    Constant const pair = Tuple{true, array<double>({1, 3}, {0.5, -1.0, 2.0})};
    auto const pairView = create_value_ptr(pair);
    auto const pointers = static_cast<void const* const*>(pairView.get());
    EXPECT_EQ(*static_cast<unsigned char const*>(pointers[0]), 1);
    EXPECT_EQ(words<double>(pointers[1], 3), (std::vector<double>{0.5, -1.0, 2.0}));

    // An index scalar is read as a whole 8-byte word, not 4 bytes.
    std::uint64_t const wide = (std::uint64_t{1} << 40) + 5;
    EXPECT_EQ(create_constant(ScalarType(type::INDEX), &wide), Constant(static_cast<unsigned long>(wide)));
    std::int32_t const narrow = -7;
    EXPECT_EQ(create_constant(ScalarType(type::INTEGER), &narrow), Constant(-7));
    // Any nonzero byte is a true logical.
    unsigned char const logicals[] = {0, 1, 2};
    EXPECT_EQ(create_constant(ArrayType(type::LOGICAL, {1, 3}), logicals), (array<bool>({1, 3}, {false, true, true})));
}

TEST(RawValue, WritableViewUnsharesOnlyWhatIsShared) {
    Constant const original = array<double>({2, 1}, {1.0, 2.0});
    Constant copy = original;
    auto const& shared = std::get<Array<double>>(original.value());

    // The read-only view is the shared block itself.
    EXPECT_EQ(create_value(std::as_const(copy)), shared.x());

    {
        auto const view = create_value_ptr(copy);
        ASSERT_NE(view.get(), shared.x());
        static_cast<double*>(view.get())[1] = 9.0;
    }
    EXPECT_EQ(copy, (array<double>({2, 1}, {1.0, 9.0})));
    EXPECT_EQ(original, (array<double>({2, 1}, {1.0, 2.0})));

    // Now exclusive: a second writable view copies nothing.
    unsigned long const before = aligned_heap::allocations();
    void* const again = create_value(copy);
    EXPECT_EQ(again, std::get<Array<double>>(copy.value()).x());
    EXPECT_EQ(aligned_heap::allocations(), before);

    // Elements of a tuple go through the same writable path.
    Constant tuple = Tuple{original, 3};
    {
        auto const view = create_value_ptr(tuple);
        auto const pointers = static_cast<void* const*>(view.get());
        static_cast<double*>(pointers[0])[0] = -1.0;
        *static_cast<int*>(pointers[1]) = 4;
    }
    EXPECT_EQ(tuple, (Tuple{array<double>({2, 1}, {-1.0, 2.0}), 4}));
    EXPECT_EQ(original, (array<double>({2, 1}, {1.0, 2.0})));
}

TEST(RawValue, GeneratedValuesSurviveTheRoundTripBitForBit) {
    unsigned long const live = aligned_heap::live();
    {
        Generator generate;
        for (int i = 0; i < 400; ++i) {
            Constant const c = generate.next();
            Type const t = value_type(c);
            SCOPED_TRACE(test::printed(c));
            auto const view = create_value_ptr(c);

            Constant const back = create_constant(t, view.get());
            EXPECT_EQ(back, c);
            EXPECT_EQ(value_type(back), t);

            // Copies of the original and of the read-back value both give
            // the view's bytes, so even the sign of a zero survives.
            Buffer direct(t);
            copy_from_constant(direct.get(), c);
            EXPECT_TRUE(Buffer::same_bytes(t, direct.get(), view.get()));
            Buffer reread(t);
            copy_from_constant(reread.get(), back);
            EXPECT_TRUE(Buffer::same_bytes(t, reread.get(), view.get()));
        }
    }
    EXPECT_EQ(aligned_heap::live(), live);
}

TEST(RawValue, EmptyTupleReadsNothingAndItsViewIsReleased) {
    EXPECT_EQ(create_constant(Type(), nullptr), Constant(Tuple{}));
    Constant const nested = Tuple{Tuple{}, Tuple{Tuple{}}};
    EXPECT_EQ(create_constant(value_type(nested), create_value_ptr(nested).get()), nested);
    // The view of the empty tuple is a real allocation of length 0, which
    // the sanitizer sees released.
    Constant const empty = Tuple{};
    void const* view = create_value(empty);
    EXPECT_NE(view, nullptr);
    destroy(empty, view);
    copy_from_constant(nullptr, empty);
}

TEST(RawValue, InvalidTypesAndValuelessConstantsRaise) {
    auto expect_bad_visit = [](Type const& t, void const* raw) {
        try {
            create_constant(t, raw);
            ADD_FAILURE() << "no std::logic_error for " << t;
        } catch (std::logic_error const& e) {
            EXPECT_STREQ(e.what(), "bad visit");
        }
    };
    double const real = 1.5;
    expect_bad_visit(ScalarType(type::INVALID), &real);
    expect_bad_visit(ArrayType(type::INVALID, {2, 2}), &real);
    // The first element is read before the second fails; nothing may leak.
    void const* const pointers[] = {&real, &real};
    expect_bad_visit(TupleType(Types(ArrayType(type::REAL, {1, 1})) + ScalarType(static_cast<type::Id>(7))), pointers);

    Constant valueless = 1;
    make_valueless(valueless);
    auto expect_unexpected_index = [](auto f) {
        try {
            f();
            ADD_FAILURE() << "no std::bad_variant_access";
        } catch (std::bad_variant_access const& e) {
            EXPECT_STREQ(e.what(), "Unexpected index");
        }
    };
    double slot = 0;
    expect_unexpected_index([&] { create_value(std::as_const(valueless)); });
    expect_unexpected_index([&] { create_value(valueless); });
    expect_unexpected_index([&] { destroy(valueless, &slot); });
    expect_unexpected_index([&] { copy_from_constant(&slot, valueless); });
}

}  // namespace
}  // namespace lang::core
