// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/subscript.hpp>

#include <lang/core/constants/array.hpp>
#include <lang/core/constants/array_builders.hpp>
#include <lang/core/constants/tuple.hpp>

#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace lang::core {
namespace {

// Random shapes and every kind of subscript, against a gather loop over the
// positions each subscript picks: result element (i0, i1, ...) is the source
// element at the sum of picked[k][i_k] times the stride of dimension k.
TEST(Subscript, MatchesAPlainGatherLoop) {
    std::mt19937_64 rng(20261207);
    for (int trial = 0; trial < 400; ++trial) {
        unsigned long const dims = 2 + rng() % 2, n = 1 + rng() % (dims + 1);
        std::vector<unsigned long> lengths(dims);
        for (auto& l : lengths) l = rng() % 5;
        ArraySize const size{std::span<unsigned long const>(lengths)};
        std::vector<double> data(size.numElements());
        for (auto& x : data) x = static_cast<double>(rng() % 1000);

        std::vector<Subscript> subscripts;
        std::vector<std::vector<unsigned long>> picked(n);
        bool single = true;
        for (unsigned long k = 0; k < n; ++k) {
            // The admissible length: the dimension's; the last subscript's spans the rest.
            unsigned long extent = k < dims ? lengths[k] : 1;
            for (unsigned long j = k + 1; k + 1 == n && j < dims; ++j) extent *= lengths[j];
            unsigned long const kind = extent == 0 ? 2 + rng() % 2 : rng() % 7;
            unsigned long const lo = kind == 2 ? 0 : rng() % (extent + 1);
            unsigned long const hi = kind == 2 ? extent : lo + rng() % (extent + 1 - lo);
            auto& p = picked[k];
            if (kind < 2) p = {rng() % extent};
            else if (kind < 4) for (unsigned long i = lo; i < hi; ++i) p.push_back(i);
            else for (unsigned long i = rng() % 4; i > 0; --i) p.push_back(rng() % extent);
            single = single && kind < 2;
            std::vector<int> const ints(p.begin(), p.end());
            Subscript const made[] = {p.empty() ? 0UL : p[0], Constant(ints.empty() ? 0 : ints[0]), whole,
                                      range(p.empty() ? 0 : p.front(), p.empty() ? 0 : p.back() + 1), p,
                                      Constant(array_of(ArraySize{p.size()}, p)),
                                      Constant(array_of(ArraySize{1, ints.size()}, ints))};
            subscripts.push_back(made[kind]);
        }
        SCOPED_TRACE(testing::Message() << "trial " << trial << ", source " << size);

        std::vector<double> want;
        std::vector<unsigned long> at(n, 0), shape;
        for (auto const& p : picked) shape.push_back(p.size());
        for (bool more = std::find(shape.begin(), shape.end(), 0UL) == shape.end(); more;) {
            unsigned long position = 0, stride = 1;
            for (unsigned long k = 0; k < n; stride *= k < dims ? lengths[k] : 1, ++k) position += picked[k][at[k]] * stride;
            want.push_back(data[position]);
            unsigned long k = 0;
            while (k < n && ++at[k] == shape[k]) at[k++] = 0;
            more = k < n;
        }
        Constant const got = subscript(Constant(array_of(size, data)), subscripts);
        if (single) ASSERT_EQ(got, Constant(want.at(0)));
        else ASSERT_EQ(got, Constant(array_of(ArraySize(std::span<unsigned long const>(shape)), want)));
    }
}

template <class F>
void expect_at(unsigned long position, F call, std::string const& catalog, std::string const& key,
               test::MessageArguments const& arguments) {
    try {
        call();
        ADD_FAILURE() << "expected " << key;
    } catch (SubscriptError const& e) {
        EXPECT_EQ(e.position(), position) << key;
        test::expect_message([&] { throw e; }, catalog, key, arguments);
    }
}

TEST(Subscript, ErrorsNameTheOffendingSubscript) {
    using test::constants_catalog, test::types_catalog;
    Constant const m = matrix({{1, 2}, {3, 4}});
    expect_at(1, [&] { subscript(m, {0, 2}); }, types_catalog, "InvalidIndex", {u"2x2", 2L});
    expect_at(2, [&] { subscript(m, {0, 0, Constant(0.5)}); }, constants_catalog, "InvalidIndex", {"real"});
    expect_at(0, [&] { subscript(m, {-1}); }, constants_catalog, "InvalidIndex", {"integer"});
    expect_at(1, [&] { subscript(m, {whole, Constant(column({0, -1}))}); }, constants_catalog, "InvalidIndex",
              {"array<integer, 2, 1>"});

    Constant const t = Tuple{1, 2.0};
    EXPECT_EQ(subscript(t, {1}), Constant(2.0));
    expect_at(1, [&] { subscript(t, {0, 0}); }, constants_catalog, "InvalidGet", {"tuple<integer, real>"});
    expect_at(0, [&] { subscript(t, {whole}); }, constants_catalog, "InvalidGet", {"tuple<integer, real>"});
    expect_at(0, [&] { subscript(t, {2}); }, constants_catalog, "InvalidTupleAccess", {2L, "tuple<integer, real>"});

    // 2^64 elements: the shape's wrapped count is 0, and nothing is allocated.
    std::vector<unsigned long> const zeros(1UL << 16, 0);
    EXPECT_THROW(subscript(Constant(1.0), {zeros, zeros, zeros, zeros}), std::bad_array_new_length);
}

}  // namespace
}  // namespace lang::core
