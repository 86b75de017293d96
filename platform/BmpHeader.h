#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <array>
#include <cstdint>
#include <string>

// Compression codes of the info header.
enum BmpCompression : std::uint32_t
{
    BI_RGB = 0,
    BI_RLE8 = 1,
    BI_RLE4 = 2,
    BI_BITFIELDS = 3,
};

// What the headers of a Windows BMP file say about its picture.
struct BmpHeader
{
    std::uint32_t pixelOffset = 0; // where the pixel data starts
    std::uint32_t headerSize = 0;  // 12 for the short OS/2 header, 40 and more otherwise
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: rows stored top first
    int planes = 1;
    int bitsPerPixel = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t colourTableOffset = 0;  // where the colour table starts
    int colourEntryBytes = 4;             // 3 after the short OS/2 header
    int colourCount = 0;                  // entries a picture of 8 bits or fewer uses
    std::array<std::uint32_t, 3> masks{}; // red, green, blue bits of 16- and 32-bit pixels

    std::int64_t rows() const { return height < 0 ? -height : height; }
    bool topDown() const { return height < 0; }
    // Bytes of one stored row of an uncompressed picture, padded to 4.
    std::int64_t stride() const { return (width * bitsPerPixel + 31) / 32 * 4; }
};

// How many leading bytes of a file ParseBmpHeader wants: the longest header, the colour
// masks and a full colour table.
constexpr int bmp_head_bytes = 14 + 124 + 12 + 256 * 4;

// Reads the headers from the first bytes of a file (up to bmp_head_bytes of them).
// Raises Exception with the reason when they are not those of a BMP file this program
// reads, or when the file is too short for the pixel data they announce; `fileSize` is
// the length of the whole file.
BmpHeader ParseBmpHeader(const QByteArray& head, std::int64_t fileSize);

// The colour table of a picture of 8 bits or fewer, as 0xffRRGGBB.
QList<QRgb> ParseColourTable(const QByteArray& head, const BmpHeader& header);
