#pragma once

#include "TBitmap.h"
#include "TImage.h"

#include <QImage>

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

// The picture an image box shows (null when it holds none).
inline QImage shown_picture(const TImage* image)
{
    const TBitmap* bitmap = image->Picture()->Graphic();
    return bitmap ? bitmap->Image() : QImage();
}
