#pragma once

#include "matrix.h"

#include <cstdint>

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

// ln(1 + |X|) for X = re + i im: log1p(sqrt(re^2 + im^2)), the logarithm taken without
// first rounding 1 + |X|.
double log_amplitude(double re, double im);

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

// The grey levels of `width` complex elements (re, im pairs) into `pixels`.
void paint_log_row(const log_range& range, const double* elements, int width, std::uint8_t* pixels);
