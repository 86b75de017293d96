#pragma once

#include "matrix.h"

#include <cstdint>

// The Hann window over a side of N samples, for 0 <= n < N:
//     w(n) = 0.5 - 0.5 cos(2 pi n / (N - 1))  for N > 1,   w(0) = 1  for N = 1,
// computed in this order: the angle (2 pi x n) / (N - 1), with 2 pi twice the double
// nearest to pi; its cosine from the C library; then 0.5 - 0.5 x cosine. w(0) and w(N - 1)
// are 0 and, for an odd N, w((N - 1) / 2) is 1.
double hann_weight(std::int64_t n, std::int64_t side);

// Multiplies element (y, x) of the picture's own width x height samples, at the top left
// of the sampled matrix, by the window over both sides:
//     element x (w(y) x w(x)),
// the product of the two weights first, w(y) over the height and w(x) over the width,
// real and imaginary parts alike. The padding beyond the picture is left as it is. Rows
// are shared among the worker threads for a large picture; every element is computed
// alone, so the result does not depend on their count. Throws std::invalid_argument when
// the picture does not fit the matrix.
void apply_hann_window(matrix& samples, int width, int height);
