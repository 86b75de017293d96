#include "display.h"

#include <cmath>
#include <cstddef>

namespace {

// 2^63: the first double beyond what a signed 64-bit integer holds.
constexpr double beyond_int64 = 9223372036854775808.0;

// Saturating modes compare in floating point, so a value far beyond 255 is never
// converted to an integer type.
std::uint8_t saturated(double value)
{
    return value > 255.0 ? 255 : low_byte(value);
}

} // namespace

bool is_display_mode(int mode)
{
    return mode >= 0 && mode <= 3;
}

std::uint8_t low_byte(double value)
{
    if (!(value >= -beyond_int64 && value < beyond_int64)) {
        return 0;
    }
    return static_cast<std::uint8_t>(static_cast<std::int64_t>(value) & 0xff);
}

std::uint8_t display_level(int mode, double scale, double re, double im)
{
    switch (mode) {
    case 0:
        return low_byte(std::floor(std::fabs(re) * scale));
    case 1:
        return low_byte(std::floor(std::fabs(im) * scale));
    case 2:
        return saturated(std::floor(std::sqrt(re * re + im * im) * scale));
    case 3:
        return saturated(std::floor((re * re + im * im) * scale));
    default:
        return 0;
    }
}

void paint_row(int mode, double scale, const double* elements, int width, std::uint8_t* pixels)
{
    for (int x = 0; x < width; ++x) {
        pixels[x] = display_level(mode, scale, elements[2 * std::size_t(x)],
                                  elements[2 * std::size_t(x) + 1]);
    }
}
