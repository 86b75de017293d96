#include "picture_region.h"

#include <stdexcept>
#include <string>

void require_picture_region(const matrix& samples, int width, int height)
{
    if (width < 0 || height < 0 || width > samples.get_cols() / 2 || height > samples.get_rows()) {
        throw std::invalid_argument("a picture of " + std::to_string(width) + " x " +
                                    std::to_string(height) + " does not fit a matrix of " +
                                    std::to_string(samples.get_cols() / 2) + " x " +
                                    std::to_string(samples.get_rows()) + " elements");
    }
}
