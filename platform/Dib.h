#pragma once

#include "Palette.h"
#include "TBitmap.h"

#include <cstdint>

// The header of a device-independent bitmap, as it stands at the start of the info block.
struct BITMAPINFOHEADER
{
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight; // positive: rows are stored bottom-up
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

// Byte sizes of a bitmap's export: the header with its colour table, and the pixel rows
// (bottom-up, each padded to 4 bytes). Raises Exception for a handle that names no bitmap.
void GetDIBSizes(HBITMAP bitmap, std::uint64_t& info_header_size, std::uint64_t& image_size);

// Fills `bitmapInfo` and `bits`, sized by GetDIBSizes. The colour table comes from
// `palette` when it is given, else from the bitmap. Returns false, writing nothing, for
// an unknown handle, an empty bitmap or a missing buffer.
bool GetDIB(HBITMAP bitmap, HPALETTE palette, void* bitmapInfo, void* bits);
