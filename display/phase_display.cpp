#include "phase_display.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;

// atan(t) for t in [0, 1] within 7.5e-8 (a least-squares fit of atan(t) / t in t^2; the
// largest error found over 2 million evenly spread t).
double near_arctangent(double t)
{
    const double s = t * t;
    const double sum =
        0.999999897935919 +
        s * (-0.33331960334142563 +
             s * (0.1996924122619477 +
                  s * (-0.14016609217126863 +
                       s * (0.09906147206474318 +
                            s * (-0.05936764440588296 +
                                 s * (0.024166475271817353 + s * -0.004668829064455038))))));
    return t * sum;
}

// 256 (theta + pi) / 2 pi for the near angle theta of re + i im, neither part zero.
// An angle in -pi to pi as turns from -pi, in 256ths.
double turns_of(double angle)
{
    return 256.0 * (angle + pi) / (2.0 * pi);
}

double near_turns(double re, double im)
{
    const double across = std::fabs(re);
    const double up = std::fabs(im);
    const bool steep = up > across;
    double angle = near_arctangent(steep ? across / up : up / across);
    angle = steep ? pi / 2 - angle : angle;
    angle = re < 0.0 ? pi - angle : angle;
    angle = im < 0.0 ? -angle : angle;
    return turns_of(angle);
}

// The near angle is within 3e-6 of a level of the exact one (7.5e-8 x 256 / 2 pi, and the
// rounding of a few operations); where a level's edge lies closer than this margin, the
// element is worked out with atan2.
constexpr double edge_margin = 1e-4;

bool plain_element(double re, double im)
{
    return re != 0.0 && im != 0.0 && std::isfinite(re) && std::isfinite(im);
}

} // namespace

std::uint8_t phase_level(double re, double im)
{
    const double grey = std::floor(turns_of(std::atan2(im, re)));
    if (grey >= 255.0) {
        return 255;
    }
    return grey > 0.0 ? static_cast<std::uint8_t>(grey) : 0;
}

void paint_phase_row(const double* elements, int width, std::uint8_t* pixels)
{
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
        const double re = elements[2 * x];
        const double im = elements[2 * x + 1];
        if (plain_element(re, im)) {
            const double turns = near_turns(re, im);
            const double level = std::floor(turns - edge_margin);
            if (level == std::floor(turns + edge_margin)) {
                pixels[x] = static_cast<std::uint8_t>(std::clamp(level, 0.0, 255.0));
                continue;
            }
        }
        pixels[x] = phase_level(re, im);
    }
}
