// SPDX-License-Identifier: Apache-2.0
#include "ops/kernels/matrix_product.hpp"

#include "constants/detail/fresh_array.hpp"
#include "ops/kernels/kernel_path.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <vector>

namespace lang::core::kernels {
namespace {

// Whole types compute in their unsigned twin, where + and * wrap as folding
// requires (the same rule as the element operators); reals in double.
template <class T>
using Arithmetic = typename std::conditional_t<std::is_integral_v<T>, std::make_unsigned<T>,
                                               std::type_identity<T>>::type;

// ---- Small products ---------------------------------------------------------
// Column by column without packing, for products too small to repay it. A
// strip of rows keeps its sums in vector registers while p runs, reading the
// left matrix down its columns; each sum still starts from +0 and adds its
// products in ascending p.

/// Rows i.. (Count vectors of `V`, or Count rows when V is T) of column j.
template <class V, unsigned long Count, class T>
[[gnu::always_inline]] inline void direct_strip(T* __restrict out, T const* __restrict a, T const* __restrict b,
                                                unsigned long m, unsigned long k, unsigned long i, unsigned long j) {
    constexpr unsigned long lanes = sizeof(V) / sizeof(T);
    T const* const right = b + j * k;
    V sum[Count] = {};
    for (unsigned long p = 0; p < k; ++p) {
        T const* const column = a + i + p * m;
#pragma GCC unroll 2
        for (unsigned long v = 0; v < Count; ++v) {
            V left;
            std::memcpy(&left, column + v * lanes, sizeof(V));
            sum[v] = sum[v] + left * right[p];
        }
    }
    std::memcpy(out + i + j * m, sum, sizeof sum);
}

template <class T, unsigned Bytes>
[[gnu::always_inline]] inline void direct_product(T* __restrict out, T const* __restrict a, T const* __restrict b,
                                                  unsigned long m, unsigned long k, unsigned long n) {
    using V = Vector<T, Bytes>;
    constexpr unsigned long lanes = Bytes / sizeof(T);
    for (unsigned long j = 0; j < n; ++j) {
        unsigned long i = 0;
        for (; i + 2 * lanes <= m; i += 2 * lanes) direct_strip<V, 2>(out, a, b, m, k, i, j);
        for (; i + lanes <= m; i += lanes) direct_strip<V, 1>(out, a, b, m, k, i, j);
        if constexpr (Bytes > 16) {  // short columns still fill half a wide vector
            for (; i + lanes / 2 <= m; i += lanes / 2) direct_strip<Vector<T, Bytes / 2>, 1>(out, a, b, m, k, i, j);
        }
        for (; i < m; ++i) direct_strip<T, 1>(out, a, b, m, k, i, j);
    }
}

// ---- Packed products --------------------------------------------------------
// The left operand is copied in blocks of mc rows by kc columns, as strips of
// mr rows stored p by p; the right one in panels of kc rows by nc columns, as
// strips of nr columns stored p by p. A tile of mr by nr results is summed in
// registers over one kc panel, and panels go in ascending p, each one adding
// to the partial sums the previous one left in the result: so every element
// still adds its products in ascending p, starting from +0.

/// The register tile of one instruction set: two vectors of `Bytes` bytes
/// down each of four columns.
template <class T, unsigned Bytes>
struct Tile {
    using Vector = kernels::Vector<T, Bytes>;
    static constexpr unsigned long lanes = Bytes / sizeof(T);
    static constexpr unsigned long vectors = 2;
    static constexpr unsigned long mr = lanes * vectors;
    static constexpr unsigned long nr = 4;
    /// Copies of each right element in its pack. SSE2 has no broadcast
    /// load, and a shuffle per element costs more than the wider pack.
    static constexpr unsigned long splat = Bytes == 16 ? lanes : 1;
};

// A kc by nr strip of the right operand stays in L1 while a block of the
// left (kc by mc, 256 KiB of reals) stays in L2; the scratch is bounded by
// these whatever the shapes (at most about 2.3 MB a thread).
constexpr unsigned long kc_max = 256;
constexpr unsigned long mc_max = 128;
constexpr unsigned long nc_max = 512;

struct alignas(64) Line {
    unsigned char bytes[64];
};

/// Set when this thread's buffer has been destroyed. Trivially destructible,
/// so it stays readable until the thread itself ends.
thread_local bool thread_buffer_gone = false;

struct ThreadBuffer {
    std::vector<Line> lines;
    ~ThreadBuffer() { thread_buffer_gone = true; }
};

/// A product's packing buffer, at least `bytes` long and 64-byte aligned:
/// the thread's own, kept for its next product, or once that is destroyed
/// (a static's destructor may multiply after the main thread's thread-locals
/// are gone) one that lives as long as the product. Never from the aligned
/// heap, whose counters count array blocks only.
class Scratch {
public:
    explicit Scratch(std::size_t bytes) {
        std::vector<Line>& lines = thread_buffer_gone ? own_ : thread_buffer().lines;
        std::size_t const needed = (bytes + sizeof(Line) - 1) / sizeof(Line);
        if (lines.size() < needed) {
            lines.clear();
            lines.resize(needed);
        }
        data_ = lines.data();
    }
    Scratch(Scratch const&) = delete;
    Scratch& operator=(Scratch const&) = delete;

    void* data() const noexcept { return data_; }

private:
    static ThreadBuffer& thread_buffer() {
        thread_local ThreadBuffer buffer;
        return buffer;
    }

    std::vector<Line> own_;
    void* data_;
};

// Everything below is inlined into the trampoline of the path that runs it,
// so it is compiled for that path's instruction set.

template <class K, class T>
[[gnu::always_inline]] inline void pack_left(T* __restrict dst, T const* __restrict a, unsigned long lda,
                                             unsigned long mc, unsigned long kc) {
    for (unsigned long i = 0; i < mc; i += K::mr) {
        unsigned long const rows = std::min(K::mr, mc - i);
        for (unsigned long p = 0; p < kc; ++p, dst += K::mr) {
            T const* const column = a + i + p * lda;
            if (rows == K::mr) {
                std::memcpy(dst, column, sizeof(T) * K::mr);
                continue;
            }
            // Padding rows are computed and never stored.
            for (unsigned long r = 0; r < K::mr; ++r) dst[r] = r < rows ? column[r] : T{};
        }
    }
}

template <class K, class T>
[[gnu::always_inline]] inline void pack_right(T* __restrict dst, T const* __restrict b, unsigned long ldb,
                                              unsigned long kc, unsigned long nc) {
    for (unsigned long j = 0; j < nc; j += K::nr) {
        unsigned long const cols = std::min(K::nr, nc - j);
        for (unsigned long p = 0; p < kc; ++p, dst += K::nr * K::splat) {
            for (unsigned long c = 0; c < K::nr; ++c) {
                T const value = c < cols ? b[p + (j + c) * ldb] : T{};
                for (unsigned long s = 0; s < K::splat; ++s) dst[c * K::splat + s] = value;
            }
        }
    }
}

/// c (mr by nr, column stride ldc) = its partial sums, or +0 on the first
/// panel, plus kc products in ascending p. Multiply and add stay separate
/// instructions: the build never contracts them.
template <class K, class T>
[[gnu::always_inline]] inline void tile_product(T* c, unsigned long ldc, T const* __restrict a,
                                                T const* __restrict b, unsigned long kc, bool first) {
    using V = typename K::Vector;
    V sum[K::nr][K::vectors];
#pragma GCC unroll 4
    for (unsigned long j = 0; j < K::nr; ++j) {
#pragma GCC unroll 2
        for (unsigned long v = 0; v < K::vectors; ++v) {
            if (first) sum[j][v] = V{};
            else std::memcpy(&sum[j][v], c + j * ldc + v * K::lanes, sizeof(V));
        }
    }
#pragma GCC unroll 2
    for (unsigned long p = 0; p < kc; ++p, a += K::mr, b += K::nr * K::splat) {
        V column[K::vectors];
#pragma GCC unroll 2
        for (unsigned long v = 0; v < K::vectors; ++v) std::memcpy(&column[v], a + v * K::lanes, sizeof(V));
#pragma GCC unroll 4
        for (unsigned long j = 0; j < K::nr; ++j) {
            // A scalar operand is broadcast by the load itself.
            auto const right = [&] {
                if constexpr (K::splat == 1) {
                    return b[j];
                } else {
                    V splat;
                    std::memcpy(&splat, b + j * K::splat, sizeof(V));
                    return splat;
                }
            }();
#pragma GCC unroll 2
            for (unsigned long v = 0; v < K::vectors; ++v) sum[j][v] = sum[j][v] + column[v] * right;
        }
    }
#pragma GCC unroll 4
    for (unsigned long j = 0; j < K::nr; ++j) {
#pragma GCC unroll 2
        for (unsigned long v = 0; v < K::vectors; ++v) std::memcpy(c + j * ldc + v * K::lanes, &sum[j][v], sizeof(V));
    }
}

/// A tile cut by the result's edge: summed in a full tile of its own, so the
/// kernel never reads or writes past the result.
template <class K, class T>
[[gnu::always_inline]] inline void edge_tile_product(T* c, unsigned long ldc, unsigned long rows, unsigned long cols,
                                                     T const* a, T const* b, unsigned long kc, bool first) {
    alignas(64) T tile[K::mr * K::nr] = {};
    if (!first) {
        for (unsigned long j = 0; j < cols; ++j) std::copy_n(c + j * ldc, rows, tile + j * K::mr);
    }
    tile_product<K>(tile, K::mr, a, b, kc, first);
    for (unsigned long j = 0; j < cols; ++j) std::copy_n(tile + j * K::mr, rows, c + j * ldc);
}

template <class K, class T>
[[gnu::always_inline]] inline void packed_product(T* c, T const* a, T const* b, unsigned long m, unsigned long k,
                                                  unsigned long n) {
    auto const round_up = [](unsigned long x, unsigned long to) { return (x + to - 1) / to * to; };
    unsigned long const kc_top = std::min(k, kc_max);
    unsigned long const a_size = round_up(std::min(m, mc_max), K::mr) * kc_top;
    unsigned long const b_size = round_up(std::min(n, nc_max), K::nr) * kc_top * K::splat;
    Scratch const scratch((a_size + b_size) * sizeof(T));
    T* const a_pack = static_cast<T*>(scratch.data());
    T* const b_pack = a_pack + a_size;
    for (unsigned long jc = 0; jc < n; jc += nc_max) {
        unsigned long const nc = std::min(nc_max, n - jc);
        for (unsigned long pc = 0; pc < k; pc += kc_max) {
            unsigned long const kc = std::min(kc_max, k - pc);
            pack_right<K>(b_pack, b + pc + jc * k, k, kc, nc);
            for (unsigned long ic = 0; ic < m; ic += mc_max) {
                unsigned long const mc = std::min(mc_max, m - ic);
                pack_left<K>(a_pack, a + ic + pc * m, m, mc, kc);
                for (unsigned long jr = 0; jr < nc; jr += K::nr) {
                    for (unsigned long ir = 0; ir < mc; ir += K::mr) {
                        T* const tile = c + ic + ir + (jc + jr) * m;
                        T const* const left = a_pack + ir * kc;
                        T const* const right = b_pack + jr * kc * K::splat;
                        if (ir + K::mr <= mc && jr + K::nr <= nc) {
                            tile_product<K>(tile, m, left, right, kc, pc == 0);
                        } else {
                            edge_tile_product<K>(tile, m, std::min(K::mr, mc - ir), std::min(K::nr, nc - jr), left,
                                                 right, kc, pc == 0);
                        }
                    }
                }
            }
        }
    }
}

/// Below this many multiplications packing costs more than it saves.
constexpr unsigned long packing_threshold = 12 * 12 * 12;

/// The product on one path, its vectors as wide as the path's.
struct ProductLoop {
    template <class Isa, class T>
    [[gnu::always_inline]] void operator()(Isa, T* c, T const* a, T const* b, unsigned long m, unsigned long k,
                                           unsigned long n) const {
        // With k = 0 no panel runs, and the direct loop writes the zeros.
        if (k == 0 || m * n < packing_threshold / k) direct_product<T, Isa::vector_bytes>(c, a, b, m, k, n);
        else packed_product<Tile<T, Isa::vector_bytes>>(c, a, b, m, k, n);
    }
};

}  // namespace

template <class T>
Constant matrix_product(Array<T> const& a, Array<T> const& b) {
    a.size().requireMultiply(b.size());
    unsigned long const m = a.size().m();
    unsigned long const k = a.size().n();
    unsigned long const n = b.size().n();
    // Reuse an operand's shape when it is the result's: building a shape
    // takes the interning lock.
    ArraySize const shape = k == n ? a.size() : m == k ? b.size() : ArraySize{m, n};
    // A signed type and its unsigned twin may alias.
    using U = Arithmetic<T>;
    return detail::fresh_array<T>(shape, [&](T* c) {
        // An empty result may still have a huge side: loop over neither.
        if (m != 0 && n != 0) {
            run(ProductLoop{}, reinterpret_cast<U*>(c), reinterpret_cast<U const*>(a.x()),
                reinterpret_cast<U const*>(b.x()), m, k, n);
        }
    });
}

template Constant matrix_product(Array<int> const&, Array<int> const&);
template Constant matrix_product(Array<unsigned long> const&, Array<unsigned long> const&);
template Constant matrix_product(Array<double> const&, Array<double> const&);

}  // namespace lang::core::kernels
