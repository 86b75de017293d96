#pragma once

#include "bmp_source.h"

#include <array>
#include <cstdint>
#include <vector>

namespace bmp {

// Compression codes of the info header.
constexpr std::uint32_t bi_rgb = 0;
constexpr std::uint32_t bi_rle8 = 1;
constexpr std::uint32_t bi_rle4 = 2;
constexpr std::uint32_t bi_bitfields = 3;

// What the headers of a BMP file say about its picture, checked against each other and
// against the file's length.
struct header
{
    std::uint64_t file_size = 0;
    std::uint32_t header_size = 0;  // 12 and 16: OS/2 1.x and short 2.x; 64: full OS/2 2.x
    std::uint32_t pixel_offset = 0; // where the pixel data starts, inside the file
    std::int64_t width = 0;         // 1 to 2^31 - 1
    std::int64_t rows = 0;          // 1 to 2^31
    bool top_down = false;          // rows stored top first
    int bits_per_pixel = 0;         // 1, 4, 8, 16, 24 or 32
    std::uint32_t compression = bi_rgb;
    std::array<std::uint32_t, 3> masks{}; // red, green, blue bits of 16- and 32-bit pixels
    std::vector<std::uint32_t> colours;   // 0xffRRGGBB, 1 to 256 of them up to 8 bits

    bool run_length() const { return compression == bi_rle8 || compression == bi_rle4; }
};

// Bytes of one stored row of an uncompressed picture, padded to 4: below 2^34, as the
// width is below 2^31 and a pixel at most 32 bits.
std::int64_t stored_row_bytes(const header& h);

// How many leading bytes of a file the headers can take: the longest header, the colour
// masks and a full colour table.
constexpr std::size_t head_bytes = 14 + 124 + 12 + 256 * 4;

// Reads and checks the headers and the colour table; refuses what this codec does not read.
header parse_header(byte_source& file);

} // namespace bmp
