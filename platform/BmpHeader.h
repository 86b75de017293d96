#pragma once

#include <QByteArray>

#include <cstdint>
#include <string>

// What the headers of a Windows BMP file say about its picture.
struct BmpHeader
{
    std::uint32_t pixelOffset = 0; // where the pixel data starts
    std::uint32_t headerSize = 0;  // 12 for the short OS/2 header, 40 and more otherwise
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: rows stored top first
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
};

// Reads the headers from the first bytes of a file (at least the 14-byte file header and
// the info header). Raises Exception with the reason when they are not those of a BMP
// file whose pixel data the file can hold; `fileSize` is the length of the whole file.
BmpHeader ParseBmpHeader(const QByteArray& head, std::int64_t fileSize);
