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

// What is done to the samples of a picture before the transform; the window's PoliczFFT
// does nothing to them.
struct sampling_choice
{
    sample_window window = sample_window::none;
    sample_padding padding = sample_padding::zero;

    bool operator==(const sampling_choice&) const = default;
};

// Applies the window to the picture's own width x height samples, then fills the padding:
// in this order, so that the mean padding is the mean of the windowed samples. Throws
// std::invalid_argument when the picture does not fit the matrix.
void prepare_samples(matrix& samples, int width, int height, const sampling_choice& sampling);
