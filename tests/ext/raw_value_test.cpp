#include <lang/core/ext/raw_value.hpp>

#include "test_support/values.hpp"

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
using namespace test;

template <class T>
std::vector<T> words(void const* raw, unsigned long n) {
    std::vector<T> out(n);
    std::memcpy(out.data(), raw, n * sizeof(T));
    return out;
}

// Caller-owned memory laid out for a type, sized from a hand-written width
// table rather than by the code under test.
class Buffer {
public:
    explicit Buffer(Type const& t) : root_(make(t)) {}
    void* get() const noexcept { return root_; }

    /// Whether the raw values of type `t` at `a` and `b` hold the same bytes.
    static bool same_bytes(Type const& t, void const* a, void const* b) {
        if (auto const* tuple = std::get_if<TupleType>(&t.value())) {
            for (unsigned long i = 0; i < tuple->types().size(); ++i) {
                if (!same_bytes(tuple->types()[i], static_cast<void const* const*>(a)[i],
                                static_cast<void const* const*>(b)[i]))
                    return false;
            }
            return true;
        }
        return bytes(t) == 0 || std::memcmp(a, b, bytes(t)) == 0;
    }

private:
    static unsigned long bytes(Type const& t) {
        static constexpr unsigned long widths[] = {1, 4, 8, 8};
        if (auto const* s = std::get_if<ScalarType>(&t.value())) return widths[(*s)()];
        auto const& a = std::get<ArrayType>(t.value());
        return widths[a.base()] * a.size().numElements();
    }

    void* make(Type const& t) {
        if (auto const* tuple = std::get_if<TupleType>(&t.value())) {
            auto& pointers = pointerArrays_.emplace_back(tuple->types().size());
            for (unsigned long i = 0; i < pointers.size(); ++i) pointers[i] = make(tuple->types()[i]);
            return pointers.data();
        }
        return blocks_.emplace_back(bytes(t) + 1, char(0x5a)).data();  // a pattern shows unwritten bytes
    }

    // Deques: growing them moves no block that a pointer array refers to.
    std::deque<std::vector<void*>> pointerArrays_;
    std::deque<std::string> blocks_;
    void* root_;
};

TEST(RawValue, LayoutMatchesTheWidthsOfEachKind) {
    Constant const index = 5UL;
    EXPECT_EQ(words<std::uint64_t>(create_value_ptr(index).get(), 1), std::vector<std::uint64_t>{5});
    // [1 3; 2 4] is stored column by column.
    Constant const matrix = make<int>({2, 2}, {1, 2, 3, 4});
    EXPECT_EQ(words<std::int32_t>(create_value_ptr(matrix).get(), 4), (std::vector<std::int32_t>{1, 2, 3, 4}));

    Constant const pair = Tuple{true, make<double>({1, 3}, {0.5, -1.0, 2.0})};
    auto const pairView = create_value_ptr(pair);
    auto const pointers = static_cast<void const* const*>(pairView.get());
    EXPECT_EQ(*static_cast<unsigned char const*>(pointers[0]), 1);
    EXPECT_EQ(words<double>(pointers[1], 3), (std::vector<double>{0.5, -1.0, 2.0}));

    // An index scalar is read as a whole 8-byte word, not 4 bytes.
    std::uint64_t const wide = (std::uint64_t{1} << 40) + 5;
    EXPECT_EQ(create_constant(ScalarType(type::INDEX), &wide), Constant(static_cast<unsigned long>(wide)));
    // Any nonzero byte is a true logical.
    unsigned char const logicals[] = {0, 1, 2};
    EXPECT_EQ(create_constant(ArrayType(type::LOGICAL, {1, 3}), logicals), (make<bool>({1, 3}, {false, true, true})));
    // The void type reads nothing at all.
    EXPECT_EQ(create_constant(Type(), nullptr), Constant(Tuple{}));
}

TEST(RawValue, WritableViewUnsharesOnlyWhatIsShared) {
    Constant const original = make<double>({2, 1}, {1.0, 2.0});
    Constant copy = original;
    double const* const shared = std::get<Array<double>>(original.value()).x();
    EXPECT_EQ(create_value(std::as_const(copy)), shared);
    {
        auto const view = create_value_ptr(copy);
        ASSERT_NE(view.get(), shared);
        static_cast<double*>(view.get())[1] = 9.0;
    }
    EXPECT_EQ(copy, (make<double>({2, 1}, {1.0, 9.0})));
    EXPECT_EQ(original, (make<double>({2, 1}, {1.0, 2.0})));

    // Now exclusive: another writable view copies nothing.
    unsigned long const before = aligned_heap::allocations();
    EXPECT_EQ(create_value(copy), std::get<Array<double>>(copy.value()).x());
    EXPECT_EQ(aligned_heap::allocations(), before);

    // Tuple elements go through the same writable path.
    Constant tuple = Tuple{original, 3};
    {
        auto const view = create_value_ptr(tuple);
        auto const pointers = static_cast<void* const*>(view.get());
        static_cast<double*>(pointers[0])[0] = -1.0;
        *static_cast<int*>(pointers[1]) = 4;
    }
    EXPECT_EQ(tuple, (Tuple{make<double>({2, 1}, {-1.0, 2.0}), 4}));
    EXPECT_EQ(original, (make<double>({2, 1}, {1.0, 2.0})));
}

TEST(RawValue, GeneratedValuesSurviveTheRoundTripBitForBit) {
    unsigned long const live = aligned_heap::live();
    {
        for (Constant const& c : generated_constants()) {
            Type const t = value_type(c);
            SCOPED_TRACE(test::printed(c));
            auto const view = create_value_ptr(c);
            Constant const back = create_constant(t, view.get());
            EXPECT_EQ(back, c);
            EXPECT_EQ(value_type(back), t);

            // Both the original and the value read back copy out to the
            // view's bytes, so even the sign of a zero survives.
            Buffer direct(t), reread(t);
            copy_from_constant(direct.get(), c);
            copy_from_constant(reread.get(), back);
            EXPECT_TRUE(Buffer::same_bytes(t, direct.get(), view.get()));
            EXPECT_TRUE(Buffer::same_bytes(t, reread.get(), view.get()));
        }
    }
    EXPECT_EQ(aligned_heap::live(), live);
}

TEST(RawValue, InvalidTypesRaiseWithoutLeaking) {
    unsigned long const live = aligned_heap::live();
    double real = 1.5;
    EXPECT_THROW(create_constant(ScalarType(type::INVALID), &real), std::logic_error);
    EXPECT_THROW(create_constant(ArrayType(type::INVALID, {2, 2}), &real), std::logic_error);
    // The array element is read before the second element fails; it must not leak.
    void const* const pointers[] = {&real, &real};
    Type const broken = TupleType(Types(ArrayType(type::REAL, {1, 1})) + ScalarType(static_cast<type::Id>(7)));
    EXPECT_THROW(create_constant(broken, pointers), std::logic_error);
    EXPECT_EQ(aligned_heap::live(), live);
}

}  // namespace
}  // namespace lang::core
