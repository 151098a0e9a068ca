// SPDX-License-Identifier: Apache-2.0
#include <lang/core/index/subscript.hpp>

#include <lang/core/constants/array.hpp>
#include <lang/core/constants/array_builders.hpp>
#include <lang/core/constants/tuple.hpp>

#include "test_support/expect_message.hpp"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace lang::core {
namespace {

// Random shapes and every kind of subscript, against a gather loop over the
// listed positions: element (i0, i1, ...) of the result is the source element
// at the sum of P_k[i_k] times the stride of dimension k.
TEST(Subscript, MatchesAPlainGatherLoop) {
    std::mt19937_64 rng(20261207);
    for (int trial = 0; trial < 400; ++trial) {
        unsigned long const dims = 2 + rng() % 2;
        std::vector<unsigned long> lengths(dims);
        for (auto& l : lengths) l = rng() % 5;
        ArraySize const size{std::span<unsigned long const>(lengths)};
        std::vector<double> data(size.numElements());
        for (auto& x : data) x = static_cast<double>(rng() % 1000);
        Constant const source = array_of(size, data);

        unsigned long const n = 1 + rng() % (dims + 1);
        std::vector<Subscript> subscripts;
        std::vector<std::vector<unsigned long>> picked(n);
        std::ostringstream what;
        what << "source " << size << ", subscripts";
        bool single = true;
        for (unsigned long k = 0; k < n; ++k) {
            // Admissible length: the dimension's, the last taking all the rest.
            unsigned long extent = k < dims ? lengths[k] : 1;
            if (k + 1 == n)
                for (unsigned long j = k + 1; j < dims; ++j) extent *= lengths[j];
            auto& p = picked[k];
            unsigned long const kind = extent == 0 ? 2 + rng() % 2 : rng() % 7;
            if (kind < 2) p = {rng() % extent};
            else if (kind == 2) for (unsigned long i = 0; i < extent; ++i) p.push_back(i);
            else if (kind == 3) for (unsigned long i = rng() % (extent + 1), e = i + rng() % (extent + 1 - i); i < e; ++i) p.push_back(i);
            else for (unsigned long i = rng() % 4; i > 0; --i) p.push_back(rng() % extent);
            single = single && kind < 2;
            what << " [kind " << kind << ":";
            for (unsigned long v : p) what << ' ' << v;
            what << ']';
            switch (kind) {
            case 0: subscripts.emplace_back(p[0]); break;
            case 1: subscripts.emplace_back(Constant(static_cast<int>(p[0]))); break;
            case 2: subscripts.emplace_back(whole); break;
            case 3: subscripts.emplace_back(range(p.empty() ? 0 : p.front(), p.empty() ? 0 : p.back() + 1)); break;
            case 4: subscripts.emplace_back(p); break;
            case 5: subscripts.emplace_back(Constant(array_of(ArraySize{p.size()}, p))); break;
            default: {
                std::vector<int> ints(p.begin(), p.end());
                subscripts.emplace_back(Constant(array_of(ArraySize{1, ints.size()}, ints)));
            }
            }
        }
        SCOPED_TRACE(what.str());

        std::vector<double> want;
        std::vector<unsigned long> counter(n, 0);
        unsigned long total = 1;
        for (auto const& p : picked) total *= p.size();
        for (unsigned long i = 0; i < total; ++i) {
            unsigned long position = 0, stride = 1;
            for (unsigned long k = 0; k < n; ++k) {
                position += picked[k][counter[k]] * stride;
                stride *= k < dims ? lengths[k] : 1;
            }
            want.push_back(data[position]);
            for (unsigned long k = 0; k < n && ++counter[k] == picked[k].size(); ++k) counter[k] = 0;
        }

        Constant const got = subscript(source, subscripts);
        if (single) {
            ASSERT_EQ(got, Constant(want.at(0)));
            continue;
        }
        std::vector<unsigned long> shape;
        for (auto const& p : picked) shape.push_back(p.size());
        ASSERT_EQ(got, Constant(array_of(ArraySize(std::span<unsigned long const>(shape)), want)));
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
