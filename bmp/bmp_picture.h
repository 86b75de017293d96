#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace bmp {

enum class pixel_kind
{
    indices, // one byte per pixel, an index into the colour table
    rgb32,   // 0xffRRGGBB in a 32-bit word of this machine's byte order
};

// A decoded picture: rows from the top, each `stride` bytes, padded with zeros to a
// multiple of 4. Every byte is written by the decoder.
struct picture
{
    std::int64_t width = 0;
    std::int64_t height = 0;
    pixel_kind kind = pixel_kind::indices;
    std::vector<std::uint32_t> colours; // 0xffRRGGBB; indices past its end mean black
    std::size_t stride = 0;
    std::unique_ptr<std::uint8_t[]> pixels;

    std::uint8_t* row(std::int64_t y)
    {
        return pixels.get() + static_cast<std::size_t>(y) * stride;
    }
};

} // namespace bmp
