#pragma once

#include <cstdint>

// The phase display: an element re + i im paints
//     floor(256 x (atan2(im, re) + pi) / (2 pi)),  256 taken as 255,
// computed in that order, with pi the double nearest to it and 2 pi its exact double. The
// phase -pi paints 0, 0 paints 128, pi/2 paints 192, and pi paints 255.
//
// atan2 tells the signs of zeros apart, and so does the display:
// - a positive real number, with an imaginary part of +0 or -0, has phase +0 or -0: 128;
// - a negative real number has phase +pi with an imaginary part of +0 (255) and -pi with
//   -0 (0): the two ends of the scale, which meet on the negative real axis;
// - zero: atan2(+0, +0) = +0 and atan2(-0, +0) = -0 paint 128; atan2(+0, -0) = +pi
//   paints 255 and atan2(-0, -0) = -pi paints 0.
// A part that is NaN paints 0; infinite parts take atan2's angles (+inf + i inf: pi/4,
// 160).
std::uint8_t phase_level(double re, double im);

// The grey levels of `width` complex elements (re, im pairs) into `pixels`: phase_level's
// for every element. A polynomial gives the angle to within a small fraction of a level,
// which settles the level of all but the elements near a level's edge; those, and elements
// with a zero, infinite or NaN part, are worked out with atan2.
void paint_phase_row(const double* elements, int width, std::uint8_t* pixels);
