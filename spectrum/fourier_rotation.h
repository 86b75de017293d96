#pragma once

// The rotation factors of the transform. They are never tabulated: each butterfly pass
// walks its factors from (1, 0) by one recurrence, whose increment comes from the sines of
// the pass's angle. Every path (the portable one and each vector width) takes its
// increments and its steps from here, so all of them meet the same doubles.

#include <cmath>
#include <cstdint>

// Internal linkage: each instruction set's file keeps its own copy.
namespace {

// The transform's 2 pi, to fifteen digits: not the double nearest 2 pi
// (6.283185307179586). The angles, and so every result to the last bit, depend on it.
inline constexpr double two_pi = 6.28318530717959;

// The factor w advances by w <- w + w (dr + i di).
struct rotation_increment
{
    double dr;
    double di;
};

// The increment of the pass that joins halves of `half` elements, for `direction` +1 or
// -1: with angle = direction 2 pi / (2 half), dr = -2 sin^2(angle / 2) and di = sin(angle).
inline rotation_increment increment_of_pass(int direction, std::uint64_t half)
{
    const double angle = direction * two_pi / static_cast<double>(2 * half);
    const double s = std::sin(0.5 * angle);
    return {-2.0 * s * s, std::sin(angle)};
}

// One step of the walk, from the old values of both parts:
//   cr' = cr dr - ci di + cr,   ci' = ci dr + cr di + ci.
// T is a double or a vector of doubles; a vector's lanes each round exactly as the double
// does, so a lane walking its own factor meets the values of the single walk.
template <typename T> inline void rotation_step(T& cr, T& ci, T dr, T di)
{
    const T old_cr = cr;
    cr = cr * dr - ci * di + cr;
    ci = ci * dr + old_cr * di + ci;
}

} // namespace
