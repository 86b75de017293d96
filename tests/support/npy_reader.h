#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A two-dimensional array of bytes read from a NumPy .npy file (format 1.0 or 2.0,
// dtype uint8, C order).
struct ByteArray2D
{
    int rows = 0;
    int cols = 0;
    std::vector<std::uint8_t> values; // row after row

    std::uint8_t at(int row, int col) const
    {
        return values[static_cast<std::size_t>(row) * cols + col];
    }
};

// Raises std::runtime_error for a file that is not such an array.
ByteArray2D read_npy(const std::string& path);
