#pragma once

#include "TBitmap.h"

#include <cstdint>
#include <vector>

// Every pixel byte of an 8-bit-per-pixel bitmap, row 0 at the top, read through ScanLine.
inline std::vector<std::uint8_t> pixel_bytes(TBitmap& bitmap)
{
    std::vector<std::uint8_t> out;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        out.insert(out.end(), row, row + bitmap.Width());
    }
    return out;
}
