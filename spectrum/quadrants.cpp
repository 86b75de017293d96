#include "quadrants.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

// Large halves go through the temporary piece by piece: the result is the same as one
// block copy of the whole half, but the temporary stays at 1 MiB instead of half the matrix.
constexpr std::uint64_t chunk_doubles = std::uint64_t{1} << 17;

// Exchanges equal, non-overlapping runs of doubles through one temporary buffer.
class block_swapper
{
public:
    explicit block_swapper(std::uint64_t longest_run)
        : capacity(std::min(longest_run, chunk_doubles)),
          buffer(std::make_unique_for_overwrite<double[]>(capacity))
    {
    }

    void swap(double* a, double* b, std::uint64_t count)
    {
        for (std::uint64_t done = 0; done < count; done += capacity) {
            const std::size_t bytes = std::min(capacity, count - done) * sizeof(double);
            std::memcpy(buffer.get(), a + done, bytes);
            std::memcpy(a + done, b + done, bytes);
            std::memcpy(b + done, buffer.get(), bytes);
        }
    }

private:
    std::uint64_t capacity;
    std::unique_ptr<double[]> buffer;
};

// Doubles in the left half of a row, in whole complex elements.
std::uint64_t row_half(const matrix& m)
{
    return 2 * (static_cast<std::uint64_t>(m.get_cols()) / 2 / 2);
}

// Doubles in the top half of the array, in whole rows.
std::uint64_t array_half(const matrix& m)
{
    return static_cast<std::uint64_t>(m.get_rows() / 2) * static_cast<std::uint64_t>(m.get_cols());
}

void swap_row_halves(matrix& m, block_swapper& swapper)
{
    const std::uint64_t cols = static_cast<std::uint64_t>(m.get_cols());
    const std::uint64_t half = row_half(m);
    for (std::uint64_t r = 0; r < static_cast<std::uint64_t>(m.get_rows()); ++r) {
        double* row = m.get_data() + r * cols;
        swapper.swap(row, row + half, half);
    }
}

void swap_top_and_bottom(matrix& m, block_swapper& swapper)
{
    const std::uint64_t half = array_half(m);
    swapper.swap(m.get_data(), m.get_data() + half, half);
}

} // namespace

void swap_quadrants(matrix& m)
{
    // One temporary serves both passes, taken before anything moves, so a failed
    // allocation leaves the matrix as it was.
    block_swapper swapper(std::max(row_half(m), array_half(m)));
    swap_row_halves(m, swapper);
    swap_top_and_bottom(m, swapper);
}
