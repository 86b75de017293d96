#pragma once

#include <cstdint>

// The low eight bits of the integer `value` (already an integer in floating point), in
// two's complement for negative ones. Where the value is NaN, infinite or outside the
// 64-bit integer range, the result is 0: no integer holds it, and the bits such a value
// would keep are all zero anyway.
std::uint8_t low_byte(double value);

// The grey level of one element re + i im in a display mode, for the scale s:
//   0: the low eight bits of floor(|re| s), wrapping
//   1: the low eight bits of floor(|im| s), wrapping
//   2: floor(sqrt(re^2 + im^2) s), saturating at 255
//   3: floor((re^2 + im^2) s), saturating at 255
// Any other mode paints nothing: 0.
std::uint8_t display_level(int mode, double scale, double re, double im);

// Writes the grey levels of `width` complex elements (re, im pairs) into `pixels`; a mode
// that paints nothing leaves them as they are.
void paint_row(int mode, double scale, const double* elements, int width, std::uint8_t* pixels);
