#pragma once

#include "matrix.h"

// The mean of the picture's own width x height samples at the top left of the sampled
// matrix: the sum of their real parts divided by width x height, 0 for a picture without
// samples. The sum is the same for every count of worker threads: the picture's rows are
// cut into 64 runs fixed by its height alone, run k holding rows [height x k / 64,
// height x (k + 1) / 64); each run is added up row after row, each row from left to right,
// and then the runs in their order, all with compensated sums (compensated_sum.h). The
// runs are shared among the worker threads for a large picture.
double sample_mean(const matrix& samples, int width, int height);

// Every element of the padding (x >= width or y >= height) becomes (mean, 0), the mean of
// sample_mean; the picture's samples are left as they are. Rows are shared among the
// worker threads for a large matrix. Throws std::invalid_argument when the picture does
// not fit the matrix.
void fill_padding_with_mean(matrix& samples, int width, int height);
