#include "matrix.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

std::uint64_t matrix::byte_count(int row_count, int col_count)
{
    if (row_count < 0 || col_count < 0) {
        throw std::invalid_argument("matrix: negative size " + std::to_string(row_count) + " x " +
                                    std::to_string(col_count));
    }
    const std::uint64_t elements =
        static_cast<std::uint64_t>(row_count) * static_cast<std::uint64_t>(col_count);
    // The largest array new[] can be asked for; beyond it the byte count wraps.
    constexpr std::uint64_t max_elements =
        std::numeric_limits<std::ptrdiff_t>::max() / sizeof(double);
    if (elements > max_elements) {
        throw std::length_error("matrix: " + std::to_string(row_count) + " x " +
                                std::to_string(col_count) +
                                " doubles exceed the addressable memory");
    }
    return elements * sizeof(double);
}

matrix::matrix(int row_count, int col_count, const std::uint32_t* initial)
    : rows(row_count), cols(col_count),
      data(make_zeroed_array<double>(byte_count(row_count, col_count) / sizeof(double)))
{
    if (initial != nullptr) {
        std::copy_n(initial, size(), data.get());
    }
}

matrix::matrix(matrix&& other) noexcept
    : rows(std::exchange(other.rows, 0)), cols(std::exchange(other.cols, 0)),
      data(std::move(other.data))
{
}

matrix& matrix::operator=(matrix&& other) noexcept
{
    rows = std::exchange(other.rows, 0);
    cols = std::exchange(other.cols, 0);
    data = std::move(other.data);
    return *this;
}
