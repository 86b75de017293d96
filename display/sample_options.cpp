#include "sample_options.h"

#include "hann_window.h"
#include "mean_padding.h"
#include "picture_region.h"

void prepare_samples(matrix& samples, int width, int height, const sampling_choice& sampling)
{
    require_picture_region(samples, width, height);
    if (sampling.window == sample_window::hann) {
        apply_hann_window(samples, width, height);
    }
    if (sampling.padding == sample_padding::mean) {
        fill_padding_with_mean(samples, width, height);
    }
}
