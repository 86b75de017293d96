#include "mean_padding.h"

#include "compensated_sum.h"
#include "picture_region.h"
#include "work_crew.h"

#include <array>
#include <cstdint>

namespace {

// More runs than worker threads, so that every thread count finds runs to share.
constexpr std::uint64_t run_count = 64;

compensated_sum sum_of_rows(const matrix& samples, int width, std::uint64_t begin,
                            std::uint64_t end)
{
    const auto cols = static_cast<std::uint64_t>(samples.get_cols());
    compensated_sum run;
    for (std::uint64_t y = begin; y < end; ++y) {
        const double* row = samples.get_data() + y * cols;
        for (std::uint64_t x = 0; x < static_cast<std::uint64_t>(width); ++x) {
            run.add(row[2 * x]);
        }
    }
    return run;
}

// Elements [from, to) of a row become (value, 0).
void fill_elements(double* row, std::uint64_t from, std::uint64_t to, double value)
{
    for (std::uint64_t x = from; x < to; ++x) {
        row[2 * x] = value;
        row[2 * x + 1] = 0.0;
    }
}

} // namespace

double sample_mean(const matrix& samples, int width, int height)
{
    require_picture_region(samples, width, height);
    const auto count = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (count == 0) {
        return 0.0;
    }
    const auto first_row = [&](std::uint64_t run) { return height * run / run_count; };
    std::array<compensated_sum, run_count> runs;
    share_range(run_count, worth_sharing(2 * count * sizeof(double)),
                [&](std::uint64_t begin, std::uint64_t end) {
                    for (std::uint64_t run = begin; run < end; ++run) {
                        runs[run] = sum_of_rows(samples, width, first_row(run), first_row(run + 1));
                    }
                });
    compensated_sum whole;
    for (const compensated_sum& run : runs) {
        whole.add(run);
    }
    return whole.total() / static_cast<double>(count);
}

void fill_padding_with_mean(matrix& samples, int width, int height)
{
    const int padded_width = samples.get_cols() / 2;
    if (width == padded_width && height == samples.get_rows()) {
        return;
    }
    const double mean = sample_mean(samples, width, height);
    const auto cols = static_cast<std::uint64_t>(samples.get_cols());
    share_range(samples.get_rows(), worth_sharing(samples.size() * sizeof(double)),
                [&](std::uint64_t begin, std::uint64_t end) {
                    for (std::uint64_t y = begin; y < end; ++y) {
                        const std::uint64_t from =
                            y < static_cast<std::uint64_t>(height) ? width : 0;
                        fill_elements(samples.get_data() + y * cols, from, padded_width, mean);
                    }
                });
}
