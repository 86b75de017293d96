#include "log_display.h"

#include "work_crew.h"

#include <algorithm>
#include <bit>
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

double log_of_power(double power)
{
    return std::log1p(std::sqrt(power));
}

// The level of an L: the formula of log_level, which rises with L.
std::uint8_t level_of_log(const log_range& range, double level)
{
    if (!(range.highest > range.lowest)) {
        return 0;
    }
    if (level >= range.highest) {
        return 255;
    }
    // Below Lmax, and with Lmin the smallest L, the grey is 0 to 255, or NaN for an L of
    // NaN, which the comparison sends to 0 as well.
    const double grey = std::floor(255.0 * (level - range.lowest) / (range.highest - range.lowest));
    return grey > 0.0 ? static_cast<std::uint8_t>(std::min(grey, 255.0)) : 0;
}

// `level` moved four units in the last place towards `direction`.
double moved(double level, double direction)
{
    for (int step = 0; step < 4; ++step) {
        level = std::nextafter(level, direction);
    }
    return level;
}

constexpr double infinity = std::numeric_limits<double>::infinity();

// The smallest bucket in [low, high) for which `holds` is false, or high; `holds` is true
// for every bucket below that one and false from there on.
template <typename Holds>
std::uint64_t first_failing(std::uint64_t low, std::uint64_t high, const Holds& holds)
{
    while (low < high) {
        const std::uint64_t middle = low + (high - low) / 2;
        if (holds(middle)) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

// Tables longer than this take coarser buckets: a bucket costs one logarithm.
constexpr std::uint64_t longest_table = std::uint64_t{1} << 16;

// The finest buckets: the exponent and eight mantissa bits, a 256th of an octave.
constexpr int finest_shift = 44;

} // namespace

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
    return {log_of_power(whole.lowest), log_of_power(whole.highest)};
}

std::uint8_t log_level_of_power(const log_range& range, double power)
{
    return level_of_log(range, log_of_power(power));
}

std::uint8_t log_level(const log_range& range, double re, double im)
{
    return log_level_of_power(range, re * re + im * im);
}

log_level_table::log_level_table(const log_range& whole_range)
    : range(whole_range), shift(finest_shift)
{
    const auto infinite_bits = std::bit_cast<std::uint64_t>(infinity);
    if (!(range.highest > range.lowest) || !std::isfinite(range.highest)) {
        // Every power is worked out, apart from the lowest buckets, which paint 0.
        first = range.highest > range.lowest ? infinite_bits >> shift : ~std::uint64_t{0};
        return;
    }
    // The L of a bucket's first power.
    const auto log_at = [&](std::uint64_t bucket) {
        return log_of_power(std::bit_cast<double>(bucket << shift));
    };
    // Every power of a bucket from start to next paints at least least(start) and at most
    // most(next).
    const auto least = [&](double start) { return level_of_log(range, moved(start, -infinity)); };
    const auto most = [&](double next) { return level_of_log(range, moved(next, infinity)); };
    // The buckets below `first` paint 0, those from `end` on 255 (or are NaN): power 0
    // paints 0 and an infinite power 255, and the levels rise between.
    std::uint64_t end = 0;
    for (;; ++shift) {
        const std::uint64_t top = (infinite_bits >> shift) + 1;
        first = first_failing(1, top, [&](std::uint64_t b) { return most(log_at(b)) == 0; }) - 1;
        end = first_failing(first, top, [&](std::uint64_t b) { return least(log_at(b)) < 255; });
        if (end - first <= longest_table) {
            break;
        }
    }
    levels.resize(end - first);
    double next = log_at(first);
    for (std::uint64_t b = first; b < end; ++b) {
        const double start = next;
        next = log_at(b + 1);
        const std::uint8_t at_least = least(start);
        levels[b - first] = static_cast<std::int16_t>(at_least == most(next) ? at_least : -1);
    }
}

void paint_log_row(const log_level_table& table, const double* elements, int width,
                   std::uint8_t* pixels)
{
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
        const double re = elements[2 * x];
        const double im = elements[2 * x + 1];
        pixels[x] = table.level(re * re + im * im);
    }
}
