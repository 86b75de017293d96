#include "quadrants.h"

#include "swap_doubles.h"
#include "work_crew.h"

#include <cstdint>

namespace {

// Doubles in the left half of a row, in whole complex elements (0 for one column).
std::uint64_t row_half(const matrix& m)
{
    return 2 * (static_cast<std::uint64_t>(m.get_cols()) / 2 / 2);
}

// Row a takes row b with its halves exchanged, and b takes a likewise: the left half of
// each trades with the right half of the other, so the left-right exchange of both rows
// and their top-bottom exchange take one visit and the array passes through memory once.
// A tail past the halves, which only an odd width leaves, keeps its column and trades
// rows.
void exchange_crossed(double* a, double* b, std::uint64_t cols, std::uint64_t half)
{
    swap_doubles(a, b + half, half);
    swap_doubles(a + half, b, half);
    swap_doubles(a + 2 * half, b + 2 * half, cols - 2 * half);
}

} // namespace

void swap_quadrants(matrix& m)
{
    const std::uint64_t rows = static_cast<std::uint64_t>(m.get_rows());
    const std::uint64_t cols = static_cast<std::uint64_t>(m.get_cols());
    const std::uint64_t half = row_half(m);
    double* data = m.get_data();
    const std::uint64_t top = rows / 2;
    // Every double is read and written once.
    const bool sharing_pays = worth_sharing(m.size() * sizeof(double));
    share_range(top, sharing_pays, [&](std::uint64_t begin, std::uint64_t end) {
        for (std::uint64_t r = begin; r < end; ++r) {
            exchange_crossed(data + r * cols, data + (r + top) * cols, cols, half);
        }
    });
    // A row left without a partner (the only row, or the last of an odd count) only has
    // its halves exchanged.
    if (rows % 2 == 1) {
        double* last = data + (rows - 1) * cols;
        swap_doubles(last, last + half, half);
    }
}
