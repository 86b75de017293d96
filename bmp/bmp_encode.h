#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace bmp {

// Writes 8-bit BMP files. Every byte of the file is set here: the headers field by field,
// the colour table entry by entry and the rows' padding as zeros; only the pixels' own
// bytes come from the picture, never the bytes between its rows.

// A picture of one byte per pixel as its holder keeps it: `height` rows of `width`
// colour indices, row 0 at the top, each row starting `stride` bytes after the one above.
struct indexed_picture
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::span<const std::uint8_t> pixels; // from the first byte of row 0 to the end of the last
    std::size_t stride = 0;
    std::span<const std::uint32_t> colours; // 0xAARRGGBB; alpha is not stored
};

// Takes the next `count` bytes of the file; false when they cannot be written.
using byte_sink = std::function<bool(const std::uint8_t* bytes, std::size_t count)>;

// Writes the picture as an uncompressed 8-bit BMP (40-byte header, rows bottom-up, each
// padded to 4 bytes) in pieces of at most 64 KiB. Raises std::invalid_argument, before
// writing a byte, for a side below 1, a stride shorter than a row, pixels that end
// before the last row does, no colours or more than 256, or a file too large for the
// format's 32-bit size fields. Returns false as soon as the sink refuses a piece.
bool write_indexed_bmp(const indexed_picture& picture, const byte_sink& sink);

} // namespace bmp
