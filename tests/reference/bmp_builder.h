#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Writes a BMP file field by field, for files the loader must read or refuse: any
// header size, count, offset or coding, and pixel data given as the stored bytes.
struct RawBmp
{
    std::uint32_t header_size = 40; // 12 and 16 write the short OS/2 headers
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bits = 8;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> colours;       // 0xRRGGBB, 3 bytes each after a 12-byte header
    std::optional<std::uint32_t> colourCount; // the header's count, else colours.size()
    std::vector<std::uint32_t> masks;         // red, green, blue, after the header or in it
    std::optional<std::uint32_t> pixelOffset; // else right after the colour table
    std::vector<std::uint8_t> pixels;         // as stored

    std::vector<std::uint8_t> bytes() const;
};

// Uncompressed rows as stored: `rows` rows of `row_bytes` bytes each, padded to 4, every
// byte `value`.
std::vector<std::uint8_t> stored_rows(int rows, int row_bytes, std::uint8_t value);

// An 8-bit picture of the given sides under a table of 256 greys, without pixels.
RawBmp grey_palette(int width, int height);

// Run-length pictures (RLE8 at 8 bits, RLE4 at 4 under 16 greys) of the given stream.
RawBmp rle8(int width, int height, std::vector<std::uint8_t> stream);
RawBmp rle4(int width, int height, std::vector<std::uint8_t> stream);

// `times` copies of `codes`, one after the other.
std::vector<std::uint8_t> repeated(const std::vector<std::uint8_t>& codes, std::size_t times);

// Writes `head` at the start of a file of `size` bytes whose rest reads as zeros, held
// as a hole: a file of gigabytes costs no disk.
void write_sparse_file(const std::string& path, const std::vector<std::uint8_t>& head,
                       std::uint64_t size);
