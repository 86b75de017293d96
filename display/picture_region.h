#pragma once

#include "matrix.h"

// Throws std::invalid_argument unless a picture of width x height samples fits in the
// sampled matrix: 0 <= width <= cols / 2 complex columns and 0 <= height <= rows.
void require_picture_region(const matrix& samples, int width, int height);
