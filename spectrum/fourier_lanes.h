#pragma once

// The sweep written once over a vector of W complex elements. Each instruction set's file
// includes it and compiles it with its own flags; everything here has internal linkage,
// so no copy built for one instruction set can stand in for another's.

#include "fourier_rotation.h"
#include "fourier_sweep.h"

#include <cstdint>
#include <cstring>

namespace {

// W complex elements as (real, imaginary) pairs in one vector register. `transpose`
// turns W vectors holding a W x W square of complex elements into its columns;
// `reverse_lanes` puts the elements of a vector in bit-reversed order of their lane.
template <int W> struct lanes;

template <> struct lanes<1>
{
    typedef double v __attribute__((vector_size(16)));
    static v swap_parts(v x) { return __builtin_shufflevector(x, x, 1, 0); }
    static void transpose(v*) {}
    static v reverse_lanes(v x) { return x; }
};

#if defined(__AVX__)
template <> struct lanes<2>
{
    typedef double v __attribute__((vector_size(32)));
    static v swap_parts(v x) { return __builtin_shufflevector(x, x, 1, 0, 3, 2); }
    static void transpose(v* x)
    {
        const v a = x[0];
        x[0] = __builtin_shufflevector(a, x[1], 0, 1, 4, 5);
        x[1] = __builtin_shufflevector(a, x[1], 2, 3, 6, 7);
    }
    static v reverse_lanes(v x) { return x; }
};
#endif

#if defined(__AVX512F__)
template <> struct lanes<4>
{
    typedef double v __attribute__((vector_size(64)));
    static v swap_parts(v x) { return __builtin_shufflevector(x, x, 1, 0, 3, 2, 5, 4, 7, 6); }
    static void transpose(v* x)
    {
        const v t0 = __builtin_shufflevector(x[0], x[1], 0, 1, 8, 9, 4, 5, 12, 13);
        const v t1 = __builtin_shufflevector(x[0], x[1], 2, 3, 10, 11, 6, 7, 14, 15);
        const v t2 = __builtin_shufflevector(x[2], x[3], 0, 1, 8, 9, 4, 5, 12, 13);
        const v t3 = __builtin_shufflevector(x[2], x[3], 2, 3, 10, 11, 6, 7, 14, 15);
        x[0] = __builtin_shufflevector(t0, t2, 0, 1, 2, 3, 8, 9, 10, 11);
        x[1] = __builtin_shufflevector(t1, t3, 0, 1, 2, 3, 8, 9, 10, 11);
        x[2] = __builtin_shufflevector(t0, t2, 4, 5, 6, 7, 12, 13, 14, 15);
        x[3] = __builtin_shufflevector(t1, t3, 4, 5, 6, 7, 12, 13, 14, 15);
    }
    static v reverse_lanes(v x) { return __builtin_shufflevector(x, x, 0, 1, 4, 5, 2, 3, 6, 7); }
};
#endif

template <int W> using vec = typename lanes<W>::v;

template <int W> vec<W> load(const double* p)
{
    vec<W> x;
    std::memcpy(&x, p, sizeof x);
    return x;
}

template <int W> void store(double* p, vec<W> x)
{
    std::memcpy(p, &x, sizeof x);
}

// One rotation factor per complex lane: `re` holds cr in both parts of a lane and `im`
// holds (-ci, ci), so that re * b + im * swap(b) is (cr br - ci bi, cr bi + ci br) with
// each product and sum rounded exactly as the scalar butterfly rounds it.
template <int W> struct rotation
{
    vec<W> re;
    vec<W> im;
};

// a <- a + w b, b <- a - w b.
template <int W>
__attribute__((always_inline)) inline void butterfly(vec<W>& a, vec<W>& b, const rotation<W>& w)
{
    const vec<W> t = w.re * b + w.im * lanes<W>::swap_parts(b);
    b = a - t;
    a = a + t;
}

// The rotation factors of the K passes of a sweep. Pass q pairs rows 2^q apart inside a
// group of 2^K rows, and row t of the group (bit q clear) needs factor k0 + (t mod 2^q)
// x period of its pass, period = 2^first. So pass q follows 2^q cursors along its
// recurrence, cursor s starting at factor s x period; cursor s of pass q sits at index
// 2^q - 1 + s. The starting points come from walking the recurrence itself, so every
// factor is the one the pass's own walk from (1, 0) reaches.
template <int K> struct cursors
{
    static constexpr int count = (1 << K) - 1;
    double cr[count];
    double ci[count];
    double dr[count];
    double di[count];

    explicit cursors(const sweep_task& sweep)
    {
        for (int q = 0; q < K; ++q) {
            for (int s = 0; s < (1 << q); ++s) {
                dr[(1 << q) - 1 + s] = sweep.dr[q];
                di[(1 << q) - 1 + s] = sweep.di[q];
            }
        }
    }

    void start(std::uint64_t period)
    {
        for (int q = 0; q < K; ++q) {
            double r = 1.0;
            double i = 0.0;
            const int first = (1 << q) - 1;
            for (int s = 0;; ++s) {
                cr[first + s] = r;
                ci[first + s] = i;
                if (s + 1 == (1 << q)) {
                    break;
                }
                for (std::uint64_t n = 0; n < period; ++n) {
                    rotation_step(r, i, dr[first], di[first]);
                }
            }
        }
    }

    // One step of the walk for every cursor.
    void advance()
    {
        for (int c = 0; c < count; ++c) {
            rotation_step(cr[c], ci[c], dr[c], di[c]);
        }
    }
};

// The K passes of a sweep on 2^K rows held in registers.
template <int W, int K>
__attribute__((always_inline)) inline void passes_in_registers(vec<W>* x, const rotation<W>* w)
{
#pragma GCC unroll 4
    for (int q = 0; q < K; ++q) {
        const int h = 1 << q;
#pragma GCC unroll 32
        for (int t = 0; t < (1 << K); ++t) {
            if ((t & h) == 0) {
                butterfly<W>(x[t], x[t + h], w[h - 1 + (t & (h - 1))]);
            }
        }
    }
}

// The K passes of a sweep on the 2^K rows at p, p + stride, ...
template <int W, int K>
__attribute__((always_inline)) inline void merge_passes(double* p, std::uint64_t stride,
                                                        const rotation<W>* w)
{
    constexpr int rows = 1 << K;
    vec<W> x[rows];
#pragma GCC unroll 32
    for (int t = 0; t < rows; ++t) {
        x[t] = load<W>(p + t * stride);
    }
    passes_in_registers<W, K>(x, w);
#pragma GCC unroll 32
    for (int t = 0; t < rows; ++t) {
        store<W>(p + t * stride, x[t]);
    }
}

template <int W> vec<W> splat(double value)
{
    vec<W> v;
    for (int l = 0; l < 2 * W; ++l) {
        v[l] = value;
    }
    return v;
}

// (-1, 1, -1, 1, ...): turns a vector of ci into the (-ci, ci) of a rotation, exactly.
template <int W> vec<W> part_signs()
{
    vec<W> v;
    for (int l = 0; l < 2 * W; ++l) {
        v[l] = l % 2 == 0 ? -1.0 : 1.0;
    }
    return v;
}

// The W elements of a vector lie in one row and share its factor; the vectors sweep
// along the row.
template <int W, int K> struct shared_factors
{
    static constexpr std::uint64_t rows_per_step = 1;
    cursors<K> walk;
    vec<W> signs = part_signs<W>();

    explicit shared_factors(const sweep_task& sweep) : walk(sweep) {}

    void start(std::uint64_t period) { walk.start(period); }

    void rotations(rotation<W>* w) const
    {
        for (int c = 0; c < cursors<K>::count; ++c) {
            w[c] = {splat<W>(walk.cr[c]), splat<W>(walk.ci[c]) * signs};
        }
    }

    void advance() { walk.advance(); }
};

// Rows hold one element each and a vector covers W neighbouring rows, which need W
// successive factors: lane l of a cursor runs l steps ahead of its first lane, and each
// lane walks the recurrence W steps per vector of rows, so it meets every factor its row
// needs, computed exactly as the single walk computes it.
template <int W, int K> struct spread_factors
{
    static constexpr std::uint64_t rows_per_step = W;
    static constexpr int count = cursors<K>::count;
    cursors<K> walk;
    vec<W> signs = part_signs<W>();
    vec<W> r[count];
    vec<W> i[count];
    vec<W> dr[count];
    vec<W> di[count];

    explicit spread_factors(const sweep_task& sweep) : walk(sweep)
    {
        for (int c = 0; c < count; ++c) {
            dr[c] = splat<W>(walk.dr[c]);
            di[c] = splat<W>(walk.di[c]);
        }
    }

    void start(std::uint64_t period)
    {
        walk.start(period);
        for (int l = 0; l < W; ++l) {
            for (int c = 0; c < count; ++c) {
                r[c][2 * l] = r[c][2 * l + 1] = walk.cr[c];
                i[c][2 * l] = i[c][2 * l + 1] = walk.ci[c];
            }
            walk.advance();
        }
    }

    void rotations(rotation<W>* w) const
    {
        for (int c = 0; c < count; ++c) {
            w[c] = {r[c], i[c] * signs};
        }
    }

    void advance()
    {
        for (int c = 0; c < count; ++c) {
            for (int n = 0; n < W; ++n) {
                rotation_step(r[c], i[c], dr[c], di[c]);
            }
        }
    }
};

template <int W> constexpr int log2_lanes = W == 4 ? 2 : W == 2 ? 1 : 0;

// The first log2(W) passes along rows of single elements: their pairs lie inside one
// vector. Turning each W x W square of elements over makes the partners meet in the same
// lane of different vectors, where all lanes share one factor.
template <int W> struct within_vectors
{
    static constexpr int K = log2_lanes<W>;
    rotation<W> w[cursors<K>::count];

    explicit within_vectors(const sweep_task& sweep)
    {
        shared_factors<W, K> factors(sweep);
        factors.start(1);
        factors.rotations(w);
    }

    // x holds the square row by row, and gets it back so.
    void run(vec<W>* x) const
    {
        lanes<W>::transpose(x);
        passes_in_registers<W, K>(x, w);
        lanes<W>::transpose(x);
    }

    // x holds, row by row, the elements that bit reversal brings into the square, each
    // row from a different place; the result is the square row by row in its new order.
    void run_reordered(vec<W>* x) const
    {
        vec<W> y[W];
        for (int l = 0; l < W; ++l) {
            y[l] = lanes<W>::reverse_lanes(x[reverse_lane(l)]);
        }
        passes_in_registers<W, K>(y, w);
        lanes<W>::transpose(y);
        for (int h = 0; h < W; ++h) {
            x[h] = y[h];
        }
    }

    static int reverse_lane(int l) { return W == 4 ? ((l & 1) << 1) | (l >> 1) : l; }
};

template <int W> void sweep_within_vectors(const sweep_task& sweep)
{
    const within_vectors<W> square(sweep);
    for (int b = 0; b < sweep.block_count; ++b) {
        for (std::uint64_t e = 0; e < sweep.length; e += W * W) {
            double* const p = sweep.blocks[b] + 2 * e;
            vec<W> x[W];
            for (int t = 0; t < W; ++t) {
                x[t] = load<W>(p + 2 * W * t);
            }
            square.run(x);
            for (int t = 0; t < W; ++t) {
                store<W>(p + 2 * W * t, x[t]);
            }
        }
    }
}

// The same passes on a row still in the order the axis found it, reordering it on the
// way. An index splits into top, middle and low bits (t, m, l) with W values each for t
// and l; bit reversal sends (t, m, l) to (rev l, rev m, rev t). So the W vectors
// (t, rev m, *) hold exactly the elements that land in the W vectors (*, m, *), and the
// middles m and rev m trade their elements: both are loaded before either is stored.
template <int W> struct middle_pair
{
    vec<W> from_rm[W];
    vec<W> from_m[W];

    void load(const double* row, std::uint64_t top_step, std::uint64_t m, std::uint64_t rm)
    {
        for (int t = 0; t < W; ++t) {
            from_rm[t] = ::load<W>(row + t * top_step + 2 * W * rm);
            from_m[t] = ::load<W>(row + t * top_step + 2 * W * m);
        }
    }

    void run(const within_vectors<W>& square)
    {
        square.run_reordered(from_rm);
        square.run_reordered(from_m);
    }

    void store(double* row, std::uint64_t top_step, std::uint64_t m, std::uint64_t rm) const
    {
        for (int t = 0; t < W; ++t) {
            ::store<W>(row + t * top_step + 2 * W * m, from_rm[t]);
            ::store<W>(row + t * top_step + 2 * W * rm, from_m[t]);
        }
    }
};

// Blocks whose target is another block of the chunk trade places as well: each one's
// result goes to the other's memory, so the next axis finds them in its order.
template <int W> void sweep_within_vectors_reordering(const sweep_task& sweep)
{
    const within_vectors<W> square(sweep);
    const std::uint64_t middles = sweep.length / (W * W);
    const std::uint64_t top_step = 2 * (sweep.length / W);
    for (int b = 0; b < sweep.block_count; ++b) {
        double* const row = sweep.blocks[b];
        double* const other = sweep.targets[b];
        reversed_counter rev(middles);
        for (std::uint64_t m = 0; m < middles; ++m, rev.next()) {
            const std::uint64_t rm = rev.value();
            if (rm < m) {
                continue;
            }
            middle_pair<W> mine;
            mine.load(row, top_step, m, rm);
            mine.run(square);
            if (other == row) {
                mine.store(row, top_step, m, rm);
                continue;
            }
            middle_pair<W> theirs;
            theirs.load(other, top_step, m, rm);
            theirs.run(square);
            mine.store(other, top_step, m, rm);
            theirs.store(row, top_step, m, rm);
        }
        b += other != row ? 1 : 0;
    }
}

template <int W, int K, typename Factors> void sweep_fixed(const sweep_task& sweep)
{
    // Enough to bring in a chunk of the same size over the sweeps that follow.
    constexpr int lines_per_call = 4;
    Factors factors(sweep);
    const std::uint64_t period = std::uint64_t{1} << sweep.first;
    const std::uint64_t group = period << K;
    const std::uint64_t row = 2 * sweep.inner;
    const std::uint64_t stride = period * row;
    const std::uint64_t strip_begin = 2 * sweep.column_begin;
    const std::uint64_t strip_end = 2 * sweep.column_end;
    for (std::uint64_t g = 0; g < sweep.length; g += group) {
        factors.start(period);
        for (std::uint64_t k0 = 0; k0 < period; k0 += Factors::rows_per_step) {
            rotation<W> w[cursors<K>::count];
            factors.rotations(w);
            factors.advance();
            const std::uint64_t offset = (g + k0) * row;
            for (int b = 0; b < sweep.block_count; ++b) {
                double* const start = sweep.blocks[b] + offset;
                for (std::uint64_t col = strip_begin; col < strip_end; col += 2 * W) {
                    merge_passes<W, K>(start + col, stride, w);
                }
                if (sweep.ahead != nullptr) {
                    look_ahead(sweep.ahead, lines_per_call);
                }
            }
        }
    }
}

template <int W, template <int, int> typename Factors> void sweep_counted(const sweep_task& sweep)
{
    switch (sweep.count) {
    case 1:
        return sweep_fixed<W, 1, Factors<W, 1>>(sweep);
    case 2:
        return sweep_fixed<W, 2, Factors<W, 2>>(sweep);
    case 3:
        return sweep_fixed<W, 3, Factors<W, 3>>(sweep);
    case 4:
        return sweep_fixed<W, 4, Factors<W, 4>>(sweep);
    default:
        return sweep_fixed<W, 5, Factors<W, 5>>(sweep);
    }
}

// The widest vector that fits the sweep's rows, down to one complex element.
template <int W> void sweep_lanes(const sweep_task& sweep)
{
    if constexpr (W == 1) {
        sweep_counted<1, shared_factors>(sweep);
    } else if (sweep.inner == 1 && sweep.first == 0 && sweep.count == log2_lanes<W> &&
               sweep.length >= W * W) {
        if (sweep.reorder) {
            sweep_within_vectors_reordering<W>(sweep);
        } else {
            sweep_within_vectors<W>(sweep);
        }
    } else if (sweep.column_begin % W == 0 && sweep.column_end % W == 0) {
        sweep_counted<W, shared_factors>(sweep);
    } else if (sweep.inner == 1 && (std::uint64_t{1} << sweep.first) >= W) {
        sweep_counted<W, spread_factors>(sweep);
    } else {
        sweep_lanes<W / 2>(sweep);
    }
}

} // namespace
