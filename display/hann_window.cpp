#include "hann_window.h"

#include "picture_region.h"
#include "work_crew.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// The weights of the columns are worked out for a strip of this many columns at a time,
// which then runs down every row of a share: a cosine per column and share, a few per
// row, and no array the width of the picture, which for a wide picture of few rows would
// be a good part of the matrix.
constexpr std::int64_t strip_columns = 512;

// Weighs columns [first, first + count) of rows [begin, end).
void weigh_strip(matrix& samples, int width, int height, std::int64_t first, std::int64_t count,
                 std::uint64_t begin, std::uint64_t end)
{
    std::array<double, strip_columns> column_weights;
    for (std::int64_t k = 0; k < count; ++k) {
        column_weights[k] = hann_weight(first + k, width);
    }
    const auto cols = static_cast<std::uint64_t>(samples.get_cols());
    for (std::uint64_t y = begin; y < end; ++y) {
        const double row_weight = hann_weight(static_cast<std::int64_t>(y), height);
        double* element = samples.get_data() + y * cols + 2 * first;
        for (std::int64_t k = 0; k < count; ++k) {
            const double weight = row_weight * column_weights[k];
            element[2 * k] = element[2 * k] * weight;
            element[2 * k + 1] = element[2 * k + 1] * weight;
        }
    }
}

} // namespace

double hann_weight(std::int64_t n, std::int64_t side)
{
    if (side == 1) {
        return 1.0;
    }
    constexpr double two_pi = 2.0 * std::numbers::pi;
    const double angle = two_pi * static_cast<double>(n) / static_cast<double>(side - 1);
    return 0.5 - 0.5 * std::cos(angle);
}

void apply_hann_window(matrix& samples, int width, int height)
{
    require_picture_region(samples, width, height);
    const auto picture_doubles = 2 * static_cast<std::uint64_t>(width) * height;
    share_range(height, worth_sharing(picture_doubles * sizeof(double)),
                [&](std::uint64_t begin, std::uint64_t end) {
                    for (std::int64_t first = 0; first < width; first += strip_columns) {
                        const std::int64_t count = std::min(strip_columns, width - first);
                        weigh_strip(samples, width, height, first, count, begin, end);
                    }
                });
}
