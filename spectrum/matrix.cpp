#include "matrix.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

std::uint64_t matrix::byte_count(int rows, int cols)
{
    if (rows < 0 || cols < 0) {
        throw std::invalid_argument("matrix: negative size " + std::to_string(rows) + " x " +
                                    std::to_string(cols));
    }
    const std::uint64_t elements =
        static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(cols);
    // The largest array new[] can be asked for; beyond it the byte count wraps.
    constexpr std::uint64_t max_elements =
        std::numeric_limits<std::ptrdiff_t>::max() / sizeof(double);
    if (elements > max_elements) {
        throw std::length_error("matrix: " + std::to_string(rows) + " x " + std::to_string(cols) +
                                " doubles exceed the addressable memory");
    }
    return elements * sizeof(double);
}

matrix::matrix(int rows, int cols, const std::uint32_t* initial)
    : row_count(rows), col_count(cols),
      data(make_zeroed_array<double>(byte_count(rows, cols) / sizeof(double)))
{
    if (initial != nullptr) {
        std::copy_n(initial, size(), data.get());
    }
}

matrix::matrix(matrix&& other) noexcept
    : row_count(std::exchange(other.row_count, 0)), col_count(std::exchange(other.col_count, 0)),
      data(std::move(other.data))
{
}

matrix& matrix::operator=(matrix&& other) noexcept
{
    row_count = std::exchange(other.row_count, 0);
    col_count = std::exchange(other.col_count, 0);
    data = std::move(other.data);
    return *this;
}
