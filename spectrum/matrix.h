#pragma once

#include "zeroed_array.h"

#include <cstdint>

// A complex matrix: `rows` rows of `cols` doubles, (real, imaginary) pairs side by side,
// row after row. The matrix owns its data; it can be moved but not copied, so there is
// always exactly one owner of the array.
class matrix
{
public:
    // Allocates rows x cols doubles. With `initial` null they are all zero; otherwise
    // element k is the unsigned word initial[k], converted exactly to double.
    // Throws std::invalid_argument for a negative count and std::length_error when the
    // byte count of rows x cols doubles does not fit in memory's address range.
    matrix(int rows, int cols, const std::uint32_t* initial = nullptr);

    matrix(const matrix&) = delete;
    matrix& operator=(const matrix&) = delete;
    // A moved-from matrix is empty: 0 x 0 and no data.
    matrix(matrix&& other) noexcept;
    matrix& operator=(matrix&& other) noexcept;
    ~matrix() = default;

    int get_rows() const { return row_count; }
    int get_cols() const { return col_count; }
    double* get_data() { return data.get(); }
    const double* get_data() const { return data.get(); }

    // Number of doubles held, rows x cols, in 64-bit arithmetic.
    std::uint64_t size() const { return static_cast<std::uint64_t>(row_count) * col_count; }

    // Bytes needed for a rows x cols matrix; throws as the constructor does.
    static std::uint64_t byte_count(int rows, int cols);

private:
    int row_count;
    int col_count;
    zeroed_array<double> data;
};
