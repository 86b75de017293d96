#include "phase_display.h"

#include <cmath>
#include <cstddef>
#include <numbers>

std::uint8_t phase_level(double re, double im)
{
    constexpr double pi = std::numbers::pi;
    const double grey = std::floor(256.0 * (std::atan2(im, re) + pi) / (2.0 * pi));
    if (grey >= 255.0) {
        return 255;
    }
    return grey > 0.0 ? static_cast<std::uint8_t>(grey) : 0;
}

void paint_phase_row(const double* elements, int width, std::uint8_t* pixels)
{
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
        pixels[x] = phase_level(elements[2 * x], elements[2 * x + 1]);
    }
}
