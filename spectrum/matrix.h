#pragma once

#include "zeroed_array.h"

#include <cstdint>

// A complex matrix: `rows` rows of `cols` doubles, (real, imaginary) pairs side by side,
// row after row. The matrix owns its data; it can be moved but not copied, so there is
// always exactly one owner of the array.
class matrix
{
public:
    // Allocates row_count x col_count doubles. With `initial` null they are all zero; otherwise
    // element k is the unsigned word initial[k], converted exactly to double.
    // Throws std::invalid_argument for a negative count and std::length_error when the
    // byte count of row_count x col_count doubles does not fit in memory's address range.
    matrix(int row_count, int col_count, const std::uint32_t* initial = nullptr);

    matrix(const matrix&) = delete;
    matrix& operator=(const matrix&) = delete;
    // A moved-from matrix is empty: 0 x 0 and no data.
    matrix(matrix&& other) noexcept;
    matrix& operator=(matrix&& other) noexcept;
    ~matrix() = default;

    int get_rows() const { return rows; }
    int get_cols() const { return cols; }
    double* get_data() { return data.get(); }
    const double* get_data() const { return data.get(); }

    // Number of doubles held, rows x cols, in 64-bit arithmetic.
    std::uint64_t size() const { return static_cast<std::uint64_t>(rows) * cols; }

    // Bytes needed for a row_count x col_count matrix; throws as the constructor does.
    static std::uint64_t byte_count(int row_count, int col_count);

private:
    int rows;
    int cols;
    zeroed_array<double> data;
};
