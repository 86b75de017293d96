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

// The same as saturated() for values that cannot be negative (NaN included), in a form
// without calls or branches, which the compiler turns into vector code.
std::uint8_t saturated_unsigned(double value)
{
    const double clamped = value > 255.0 ? 255.0 : value;
    return static_cast<std::uint8_t>(static_cast<int>(clamped >= 0.0 ? clamped : 0.0));
}

template <int mode> std::uint8_t level(double scale, double re, double im)
{
    if constexpr (mode == 0) {
        return low_byte(std::floor(std::fabs(re) * scale));
    } else if constexpr (mode == 1) {
        return low_byte(std::floor(std::fabs(im) * scale));
    } else if constexpr (mode == 2) {
        return saturated(std::floor(std::sqrt(re * re + im * im) * scale));
    } else {
        return saturated(std::floor((re * re + im * im) * scale));
    }
}

// One loop per mode: the choice is made once per row, not once per pixel.
template <int mode>
void paint_row_in(double scale, const double* elements, int width, std::uint8_t* pixels)
{
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
        pixels[x] = level<mode>(scale, elements[2 * x], elements[2 * x + 1]);
    }
}

// The saturating modes with a scale that is not negative, the one the program uses: the
// values are never negative, so every pixel takes the same straight path.
template <int mode>
void paint_row_unsigned(double scale, const double* elements, int width, std::uint8_t* pixels)
{
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
        const double re = elements[2 * x];
        const double im = elements[2 * x + 1];
        const double power = re * re + im * im;
        const double value = mode == 2 ? std::sqrt(power) : power;
        pixels[x] = saturated_unsigned(std::floor(value * scale));
    }
}

template <int mode>
void paint_saturating(double scale, const double* elements, int width, std::uint8_t* pixels)
{
    if (scale < 0.0) {
        paint_row_in<mode>(scale, elements, width, pixels);
    } else {
        paint_row_unsigned<mode>(scale, elements, width, pixels);
    }
}

} // namespace

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
        return level<0>(scale, re, im);
    case 1:
        return level<1>(scale, re, im);
    case 2:
        return level<2>(scale, re, im);
    case 3:
        return level<3>(scale, re, im);
    default:
        return 0;
    }
}

// Built for AVX2 as well, chosen when the processor has it: floor and square root then
// work on four values at a time, with the same results, as both are exact IEEE operations.
// Everything it calls is inlined into it, so each copy is built for its own processor.
// Not under ThreadSanitizer, whose instrumented chooser would run before it has started.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
__attribute__((target_clones("avx2", "default"), flatten))
#endif
void paint_row(int mode, double scale, const double* elements, int width, std::uint8_t* pixels)
{
    switch (mode) {
    case 0:
        return paint_row_in<0>(scale, elements, width, pixels);
    case 1:
        return paint_row_in<1>(scale, elements, width, pixels);
    case 2:
        return paint_saturating<2>(scale, elements, width, pixels);
    case 3:
        return paint_saturating<3>(scale, elements, width, pixels);
    default:
        return;
    }
}
