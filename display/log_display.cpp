#include "log_display.h"

#include "work_crew.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <mutex>

namespace {

// The smallest and largest re^2 + im^2 seen; NaN compares false both ways and is passed by.
struct power_range
{
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();

    void take(double power)
    {
        lowest = power < lowest ? power : lowest;
        highest = power > highest ? power : highest;
    }

    void merge(const power_range& other)
    {
        lowest = std::min(lowest, other.lowest);
        highest = std::max(highest, other.highest);
    }
};

power_range power_range_of_rows(const matrix& spectrum, std::uint64_t begin, std::uint64_t end)
{
    const auto cols = static_cast<std::uint64_t>(spectrum.get_cols());
    const std::uint64_t pair_end = cols / 2 * 2;
    const double* data = spectrum.get_data();
    power_range found;
    for (std::uint64_t y = begin; y < end; ++y) {
        const double* row = data + y * cols;
        for (std::uint64_t k = 0; k < pair_end; k += 2) {
            found.take(row[k] * row[k] + row[k + 1] * row[k + 1]);
        }
    }
    return found;
}

} // namespace

double log_amplitude(double re, double im)
{
    return std::log1p(std::sqrt(re * re + im * im));
}

log_range find_log_range(const matrix& spectrum)
{
    const auto rows = static_cast<std::uint64_t>(spectrum.get_rows());
    power_range whole;
    std::mutex merging;
    share_range(rows, worth_sharing(spectrum.size() * sizeof(double)),
                [&](std::uint64_t begin, std::uint64_t end) {
                    const power_range part = power_range_of_rows(spectrum, begin, end);
                    const std::lock_guard held(merging);
                    whole.merge(part);
                });
    if (!(whole.lowest <= whole.highest)) {
        return {0.0, 0.0};
    }
    return {std::log1p(std::sqrt(whole.lowest)), std::log1p(std::sqrt(whole.highest))};
}

std::uint8_t log_level(const log_range& range, double re, double im)
{
    if (!(range.highest > range.lowest)) {
        return 0;
    }
    const double level = log_amplitude(re, im);
    if (level >= range.highest) {
        return 255;
    }
    // Below Lmax, and with Lmin the smallest L, the grey is 0 to 255, or NaN for an L of
    // NaN, which the comparison sends to 0 as well.
    const double grey = std::floor(255.0 * (level - range.lowest) / (range.highest - range.lowest));
    return grey > 0.0 ? static_cast<std::uint8_t>(std::min(grey, 255.0)) : 0;
}

void paint_log_row(const log_range& range, const double* elements, int width, std::uint8_t* pixels)
{
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
        pixels[x] = log_level(range, elements[2 * x], elements[2 * x + 1]);
    }
}
