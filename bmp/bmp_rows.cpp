#include "bmp_decode.h"

#include <array>
#include <bit>
#include <cstring>

namespace bmp {

namespace {

// One colour channel of a masked pixel, widened to 8 bits as floor(v * 255 / max), or
// cut to its 8 high bits when it is wider.
class channel
{
public:
    explicit channel(std::uint32_t mask)
        : shift(std::countr_zero(mask)), maximum(mask >> shift), width(std::bit_width(maximum))
    {
        // A channel of 8 bits or fewer has at most 256 values: each widened once here.
        // parse_header refused empty masks, so maximum >= 1.
        for (std::uint32_t v = 0; width <= 8 && v <= maximum; ++v) {
            widened[v] = static_cast<std::uint8_t>(v * 255 / maximum);
        }
    }

    std::uint32_t of(std::uint32_t pixel) const
    {
        const std::uint32_t value = pixel >> shift & maximum;
        return width > 8 ? value >> (width - 8) : widened[value];
    }

private:
    int shift;
    std::uint32_t maximum;
    int width;
    std::array<std::uint8_t, 256> widened{};
};

struct colour_channels
{
    explicit colour_channels(const std::array<std::uint32_t, 3>& masks)
        : red(masks[0]), green(masks[1]), blue(masks[2])
    {
    }

    std::uint32_t rgb32(std::uint32_t pixel) const
    {
        return 0xff000000u | red.of(pixel) << 16 | green.of(pixel) << 8 | blue.of(pixel);
    }

    channel red;
    channel green;
    channel blue;
};

// Palette indices of 1, 4 or 8 bits, the leftmost pixel in the high bits of a byte.
void expand_indices(const std::uint8_t* in, const header& h, std::uint8_t* out)
{
    const auto width = static_cast<std::size_t>(h.width);
    switch (h.bits_per_pixel) {
    case 1:
        for (std::size_t x = 0; x < width; ++x) {
            out[x] = in[x / 8] >> (7 - x % 8) & 1;
        }
        break;
    case 4:
        for (std::size_t x = 0; x < width; ++x) {
            out[x] = x % 2 == 0 ? in[x / 2] >> 4 : in[x / 2] & 15;
        }
        break;
    default:
        std::memcpy(out, in, width);
    }
}

// 16-, 24- or 32-bit little-endian pixels through the channels.
void expand_colours(const std::uint8_t* in, const header& h, const colour_channels& channels,
                    std::uint8_t* out)
{
    const int bytes_per_pixel = h.bits_per_pixel / 8;
    for (std::int64_t x = 0; x < h.width; ++x, in += bytes_per_pixel) {
        std::uint32_t pixel = 0;
        for (int i = bytes_per_pixel - 1; i >= 0; --i) {
            pixel = pixel << 8 | in[i];
        }
        const std::uint32_t rgb = channels.rgb32(pixel);
        std::memcpy(out + 4 * x, &rgb, 4);
    }
}

// Reads each stored row into `row` and lets `expand` write its pixels into the picture's
// row; clears the padding after them.
template <typename Expand>
void for_each_row(byte_source& file, const header& h, picture& out, Expand expand)
{
    const auto in_stride = static_cast<std::size_t>(stored_row_bytes(h));
    // Bytes the pixels of a row take in the picture, at most its stride.
    const std::size_t used = static_cast<std::size_t>(h.width) * (h.bits_per_pixel <= 8 ? 1 : 4);
    std::vector<std::uint8_t> row(in_stride);
    for (std::int64_t i = 0; i < h.rows; ++i) {
        // parse_header checked that rows x in_stride bytes follow pixel_offset in the file.
        const std::uint64_t offset = h.pixel_offset + static_cast<std::uint64_t>(i) * in_stride;
        if (!read_exact(file, offset, row)) {
            refuse(fault::truncated);
        }
        // 0 <= i < rows, so rows - 1 - i cannot wrap; a row of the picture holds its
        // used bytes, so stride - used cannot either.
        std::uint8_t* line = out.row(h.top_down ? i : h.rows - 1 - i);
        expand(row.data(), line);
        std::memset(line + used, 0, out.stride - used);
    }
}

} // namespace

void decode_rows(byte_source& file, const header& h, picture& out)
{
    if (h.bits_per_pixel <= 8) {
        for_each_row(file, h, out, [&](const std::uint8_t* in, std::uint8_t* line) {
            expand_indices(in, h, line);
        });
        return;
    }
    const colour_channels channels(h.masks);
    for_each_row(file, h, out, [&](const std::uint8_t* in, std::uint8_t* line) {
        expand_colours(in, h, channels, line);
    });
}

} // namespace bmp
