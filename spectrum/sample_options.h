#pragma once

#include "matrix.h"

// What is done to the sampled picture before the transform.
enum class sample_window
{
    none,
    hann // hann_window.h
};

enum class sample_padding
{
    zero, // the padding stays as sampling left it: zeros
    mean  // mean_padding.h
};

// Applies the window to the picture's own width x height samples, then fills the padding:
// in this order, so that the mean padding is the mean of the windowed samples. Throws
// std::invalid_argument when the picture does not fit the matrix.
void prepare_samples(matrix& samples, int width, int height, sample_window window,
                     sample_padding padding);
