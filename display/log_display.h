#pragma once

#include "matrix.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

// The logarithmic display. With L = ln(1 + |X|) for every element X of the spectrum, and
// Lmin, Lmax the smallest and largest L of the whole matrix, an element paints
//     floor(255 x (L - Lmin) / (Lmax - Lmin)),
// so the smallest amplitude paints 0 and the largest 255; when Lmax = Lmin every element
// paints 0. |X| is the amplitude display's own sqrt(re^2 + im^2).
//
// Values no picture makes still paint a byte in range:
// - an element with a NaN part has no L: it takes no part in Lmin and Lmax and paints 0;
// - an infinite |X| (an infinite part, or re^2 + im^2 beyond the largest double, as in the
//   amplitude display) has L = infinity: it is Lmax and paints 255, and every finite
//   element paints 0, the formula's value with an infinite Lmax;
// - a matrix whose elements all have NaN parts, or all the same L, paints 0 everywhere.

// Lmin and Lmax of a matrix.
struct log_range
{
    double lowest;
    double highest;
};

// Lmin and Lmax of every element of the matrix ({0, 0} when no element has an L), in one
// pass shared among the worker threads for a large matrix. L grows with re^2 + im^2, so
// the pass looks for the smallest and largest of these and takes two logarithms at the
// end. The smallest and largest of a set of doubles do not depend on the order they are
// compared in, so neither does the range depend on the thread count.
log_range find_log_range(const matrix& spectrum);

// The grey level of one element. The order of the arithmetic is the formula's:
// 255 x (L - Lmin) first, then divided by (Lmax - Lmin). At L = Lmax the rounded quotient
// may fall just short of 255, so an element at Lmax (or above it) paints 255 outright.
std::uint8_t log_level(const log_range& range, double re, double im);

// The grey level of an element of re^2 + im^2 = power: log_level's, from the power.
std::uint8_t log_level_of_power(const log_range& range, double power);

// The grey level of every power, looked up rather than worked out: powers are sorted into
// buckets by their leading bits (exponent and top mantissa bits, which grow with the
// power), and a bucket whose first and last power paint the same level with room to spare
// holds that level. The room is four units in the last place of L at either end: sqrt is
// exact to half a unit and rises with the power, glibc's log1p is within one unit of
// ln(1 + x), so the L of every power in the bucket lies within two units of the L at its
// ends, and the level rises with L. Powers in the table's other buckets are worked out by
// log_level_of_power; below the table they paint 0, above it 255, and NaN 0, as
// log_level_of_power paints them. Every pixel is therefore log_level's, with about one
// logarithm a bucket instead of one an element.
class log_level_table
{
public:
    explicit log_level_table(const log_range& range);

    std::uint8_t level(double power) const
    {
        const std::uint64_t bucket = std::bit_cast<std::uint64_t>(power) >> shift;
        if (bucket < first) {
            return 0;
        }
        const std::uint64_t index = bucket - first;
        if (index < levels.size()) {
            return levels[index] >= 0 ? static_cast<std::uint8_t>(levels[index])
                                      : log_level_of_power(range, power);
        }
        // Above the table: infinity and larger powers paint 255, NaN (its L too) 0.
        return std::isnan(power) ? 0 : 255;
    }

private:
    log_range range;
    int shift = 0;
    // Powers of a lower bucket paint 0, of a bucket from first + levels.size() on 255.
    std::uint64_t first = 0;
    std::vector<std::int16_t> levels; // -1: worked out for each power
};

// The grey levels of `width` complex elements (re, im pairs) into `pixels`.
void paint_log_row(const log_level_table& table, const double* elements, int width,
                   std::uint8_t* pixels);
