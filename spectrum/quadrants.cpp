#include "quadrants.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace {

// Doubles in the left half of a row, in whole complex elements (0 for one column).
std::uint64_t row_half(const matrix& m)
{
    return 2 * (static_cast<std::uint64_t>(m.get_cols()) / 2 / 2);
}

void copy_doubles(double* to, const double* from, std::uint64_t count)
{
    std::memcpy(to, from, count * sizeof(double));
}

// `to` takes row `from` with its first two halves exchanged (a tail past them, which only
// an odd width leaves, stays in place).
void copy_exchanged(double* to, const double* from, std::uint64_t cols, std::uint64_t half)
{
    copy_doubles(to, from + half, half);
    copy_doubles(to + half, from, half);
    copy_doubles(to + 2 * half, from + 2 * half, cols - 2 * half);
}

// Row a takes row b with its halves exchanged, and b takes a likewise, through one
// row-sized temporary: the left-right exchange of both rows and their top-bottom exchange
// in one visit, so the array passes through memory once.
void exchange_crossed(double* a, double* b, std::uint64_t cols, std::uint64_t half,
                      double* temporary)
{
    copy_doubles(temporary, a, cols);
    copy_exchanged(a, b, cols, half);
    copy_exchanged(b, temporary, cols, half);
}

// A row left without a partner (the only row, or the last of an odd count) only has its
// halves exchanged.
void exchange_halves(double* row, std::uint64_t half, double* temporary)
{
    copy_doubles(temporary, row, half);
    copy_doubles(row, row + half, half);
    copy_doubles(row + half, temporary, half);
}

} // namespace

void swap_quadrants(matrix& m)
{
    const std::uint64_t rows = static_cast<std::uint64_t>(m.get_rows());
    const std::uint64_t cols = static_cast<std::uint64_t>(m.get_cols());
    const std::uint64_t half = row_half(m);
    if (rows == 0 || cols == 0) {
        return;
    }
    // Taken before anything moves, so a failed allocation leaves the matrix as it was.
    const auto temporary = std::make_unique_for_overwrite<double[]>(cols);
    double* data = m.get_data();
    const std::uint64_t top = rows / 2;
    for (std::uint64_t r = 0; r < top; ++r) {
        exchange_crossed(data + r * cols, data + (r + top) * cols, cols, half, temporary.get());
    }
    for (std::uint64_t r = 2 * top; r < rows; ++r) {
        exchange_halves(data + r * cols, half, temporary.get());
    }
}
