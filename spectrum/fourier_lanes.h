#pragma once

// The sweep written once over a vector of W complex elements. Each instruction set's file
// includes it and compiles it with its own flags; everything here has internal linkage,
// so no copy built for one instruction set can stand in for another's.

#include "fourier_sweep.h"

#include <cstdint>
#include <cstring>

namespace {

// W complex elements as (real, imaginary) pairs in one vector register.
template <int W> struct lanes;

template <> struct lanes<1>
{
    typedef double v __attribute__((vector_size(16)));
    static v swap_parts(v x) { return __builtin_shufflevector(x, x, 1, 0); }
};

#if defined(__AVX__)
template <> struct lanes<2>
{
    typedef double v __attribute__((vector_size(32)));
    static v swap_parts(v x) { return __builtin_shufflevector(x, x, 1, 0, 3, 2); }
};
#endif

#if defined(__AVX512F__)
template <> struct lanes<4>
{
    typedef double v __attribute__((vector_size(64)));
    static v swap_parts(v x) { return __builtin_shufflevector(x, x, 1, 0, 3, 2, 5, 4, 7, 6); }
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

template <int W> rotation<W> make_rotation(const double* cr, const double* ci)
{
    double re[2 * W];
    double im[2 * W];
    for (int l = 0; l < W; ++l) {
        re[2 * l] = cr[l];
        re[2 * l + 1] = cr[l];
        im[2 * l] = -ci[l];
        im[2 * l + 1] = ci[l];
    }
    return {load<W>(re), load<W>(im)};
}

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

    explicit cursors(const Sweep& sweep)
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
                    step(r, i, dr[first], di[first]);
                }
            }
        }
    }

    // w <- w + w * (dr + i di), from the old values, for every cursor.
    void advance()
    {
        for (int c = 0; c < count; ++c) {
            step(cr[c], ci[c], dr[c], di[c]);
        }
    }

    static void step(double& r, double& i, double d_r, double d_i)
    {
        const double old_r = r;
        r = r * d_r - i * d_i + r;
        i = i * d_r + old_r * d_i + i;
    }
};

// The K passes of a sweep on the 2^K rows at p, p + stride, ..., all held in registers.
template <int W, int K>
__attribute__((always_inline)) inline void merge_passes(double* p, std::uint64_t stride,
                                                        const rotation<W>* w)
{
    constexpr int rows = 1 << K;
    vec<W> x[rows];
#pragma GCC unroll 16
    for (int t = 0; t < rows; ++t) {
        x[t] = load<W>(p + t * stride);
    }
#pragma GCC unroll 4
    for (int q = 0; q < K; ++q) {
        const int h = 1 << q;
#pragma GCC unroll 16
        for (int t = 0; t < rows; ++t) {
            if ((t & h) == 0) {
                butterfly<W>(x[t], x[t + h], w[h - 1 + (t & (h - 1))]);
            }
        }
    }
#pragma GCC unroll 16
    for (int t = 0; t < rows; ++t) {
        store<W>(p + t * stride, x[t]);
    }
}

// Spread: rows hold one element each and a vector covers W neighbouring rows, which
// need W successive factors. Otherwise the W elements of a vector lie in one row and
// share its factor, and the vectors sweep along the row.
template <int W, int K, bool spread> void sweep_fixed(const Sweep& sweep)
{
    cursors<K> walk(sweep);
    const std::uint64_t period = std::uint64_t{1} << sweep.first;
    const std::uint64_t group = period << K;
    const std::uint64_t row = 2 * sweep.inner;
    const std::uint64_t stride = period * row;
    constexpr std::uint64_t rows_per_step = spread ? W : 1;
    for (std::uint64_t g = 0; g < sweep.length; g += group) {
        walk.start(period);
        for (std::uint64_t k0 = 0; k0 < period; k0 += rows_per_step) {
            double cr[cursors<K>::count][W];
            double ci[cursors<K>::count][W];
            for (int l = 0; l < W; ++l) {
                for (int c = 0; c < cursors<K>::count; ++c) {
                    cr[c][l] = walk.cr[c];
                    ci[c][l] = walk.ci[c];
                }
                if (spread || l + 1 == W) {
                    walk.advance();
                }
            }
            rotation<W> w[cursors<K>::count];
            for (int c = 0; c < cursors<K>::count; ++c) {
                w[c] = make_rotation<W>(cr[c], ci[c]);
            }
            const std::uint64_t offset = (g + k0) * row;
            for (int b = 0; b < sweep.block_count; ++b) {
                double* const start = sweep.blocks[b] + offset;
                for (std::uint64_t col = 0; col < row; col += 2 * W) {
                    merge_passes<W, K>(start + col, stride, w);
                }
            }
        }
    }
}

template <int W, bool spread> void sweep_counted(const Sweep& sweep)
{
    switch (sweep.count) {
    case 1:
        return sweep_fixed<W, 1, spread>(sweep);
    case 2:
        return sweep_fixed<W, 2, spread>(sweep);
    case 3:
        return sweep_fixed<W, 3, spread>(sweep);
    default:
        return sweep_fixed<W, 4, spread>(sweep);
    }
}

// The widest vector that fits the sweep's rows, down to one complex element.
template <int W> void sweep_lanes(const Sweep& sweep)
{
    if constexpr (W == 1) {
        sweep_counted<1, false>(sweep);
    } else if (sweep.inner % W == 0) {
        sweep_counted<W, false>(sweep);
    } else if (sweep.inner == 1 && (std::uint64_t{1} << sweep.first) >= W) {
        sweep_counted<W, true>(sweep);
    } else {
        sweep_lanes<W / 2>(sweep);
    }
}

} // namespace
