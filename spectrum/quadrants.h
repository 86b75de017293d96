#pragma once

#include "matrix.h"

// Moves the zero frequency of a transformed matrix to the middle: exchanges the left and
// right halves of every row, and the top and bottom halves of the array (both in one
// pass, in place), so the element at (0, 0) ends at (rows / 2, width / 2), width being the
// complex columns (cols / 2). A side of length 1 is left as it is: halving it would split
// a complex element into its real and imaginary parts, or exchange the halves of a single
// row a second time. A large matrix is shared among the worker threads (work_crew.h).
void swap_quadrants(matrix& m);
