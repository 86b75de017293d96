#include "bmp_encode.h"

#include "byte_counts.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

namespace bmp {

namespace {

constexpr std::uint32_t headers_bytes = 14 + 40;
constexpr std::size_t largest_colour_count = 256;
constexpr std::size_t piece_bytes = std::size_t{64} << 10;
// 72 pixels per inch, the resolution a picture without one is given.
constexpr std::uint32_t pixels_per_metre = 2835;

// A stored row: one byte a pixel, padded with zeros to a multiple of 4 bytes.
std::uint64_t stored_row_bytes(std::int32_t width)
{
    return padded_row_bytes(static_cast<std::uint64_t>(width), 8);
}

// Sides from 1 to 2^31 - 1 keep the product below 2^63, and a span of colours holds
// fewer than 2^62 of them: nothing here wraps.
std::uint64_t file_bytes(const indexed_picture& picture)
{
    return headers_bytes + 4 * static_cast<std::uint64_t>(picture.colours.size()) +
           stored_row_bytes(picture.width) * static_cast<std::uint64_t>(picture.height);
}

std::string sides(const indexed_picture& picture)
{
    return std::to_string(picture.width) + " x " + std::to_string(picture.height);
}

// Whether `pixels` reaches the end of the last row: (height - 1) strides and one row.
// Written as a division so that no product of the caller's numbers can wrap.
bool pixels_cover_rows(const indexed_picture& picture)
{
    const auto width = static_cast<std::size_t>(picture.width);
    const auto rows_after_first = static_cast<std::size_t>(picture.height) - 1;
    if (picture.pixels.size() < width) {
        return false;
    }
    return rows_after_first == 0 ||
           picture.stride <= (picture.pixels.size() - width) / rows_after_first;
}

void check_picture(const indexed_picture& picture)
{
    if (picture.width < 1 || picture.height < 1) {
        throw std::invalid_argument("a BMP picture needs at least one pixel a side, not " +
                                    sides(picture));
    }
    if (picture.colours.empty() || picture.colours.size() > largest_colour_count) {
        throw std::invalid_argument("an 8-bit BMP holds 1 to 256 colours, not " +
                                    std::to_string(picture.colours.size()));
    }
    if (file_bytes(picture) > std::numeric_limits<std::uint32_t>::max()) {
        throw std::invalid_argument("the " + sides(picture) +
                                    " picture is larger than a BMP file can describe");
    }
    if (picture.stride < static_cast<std::size_t>(picture.width)) {
        throw std::invalid_argument("the rows of the " + sides(picture) + " picture overlap");
    }
    if (!pixels_cover_rows(picture)) {
        throw std::invalid_argument("the pixels of the " + sides(picture) +
                                    " picture end before its last row");
    }
}

// Gathers the file into pieces and hands each full one to the sink; after a refusal
// it takes nothing more.
class piece_writer
{
public:
    explicit piece_writer(const byte_sink& receiver)
        : sink(receiver), piece(std::make_unique<std::uint8_t[]>(piece_bytes))
    {
    }

    void put(const std::uint8_t* bytes, std::size_t count)
    {
        while (count > 0 && accepted) {
            const std::size_t taken = std::min(count, piece_bytes - used);
            std::copy_n(bytes, taken, piece.get() + used);
            used += taken;
            bytes += taken;
            count -= taken;
            if (used == piece_bytes) {
                flush();
            }
        }
    }

    void put_le(std::uint32_t value, int bytes)
    {
        std::array<std::uint8_t, 4> le{};
        for (int i = 0; i < bytes; ++i) {
            le[i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
        put(le.data(), static_cast<std::size_t>(bytes));
    }

    bool finish()
    {
        flush();
        return accepted;
    }

private:
    void flush()
    {
        if (accepted && used > 0) {
            accepted = sink(piece.get(), used);
        }
        used = 0;
    }

    const byte_sink& sink;
    std::unique_ptr<std::uint8_t[]> piece;
    std::size_t used = 0;
    bool accepted = true;
};

void put_headers(piece_writer& out, const indexed_picture& picture)
{
    // check_picture has bounded the file to 32 bits, and every part of it with it.
    const auto file_bytes_count = static_cast<std::uint32_t>(file_bytes(picture));
    const auto colours = static_cast<std::uint32_t>(picture.colours.size());
    const std::uint32_t pixel_offset = headers_bytes + 4 * colours;
    const std::uint8_t magic[2] = {'B', 'M'};
    out.put(magic, 2);
    out.put_le(file_bytes_count, 4);
    out.put_le(0, 4); // reserved
    out.put_le(pixel_offset, 4);
    out.put_le(40, 4);
    out.put_le(static_cast<std::uint32_t>(picture.width), 4);
    out.put_le(static_cast<std::uint32_t>(picture.height), 4); // positive: bottom row first
    out.put_le(1, 2);                                          // planes
    out.put_le(8, 2);                                          // bits per pixel
    out.put_le(0, 4);                                          // uncompressed
    out.put_le(file_bytes_count - pixel_offset, 4);
    out.put_le(pixels_per_metre, 4);
    out.put_le(pixels_per_metre, 4);
    out.put_le(colours, 4);
    out.put_le(0, 4); // every colour counts
}

// Blue, green, red and a zero byte per entry.
void put_colours(piece_writer& out, std::span<const std::uint32_t> colours)
{
    for (const std::uint32_t colour : colours) {
        out.put_le(colour & 0xffffff, 4);
    }
}

void put_rows(piece_writer& out, const indexed_picture& picture)
{
    const std::uint8_t zeros[3] = {};
    const auto width = static_cast<std::size_t>(picture.width);
    // A stored row is the width rounded up to 4, so the padding cannot wrap.
    const std::size_t padding = stored_row_bytes(picture.width) - width;
    for (std::int32_t y = picture.height - 1; y >= 0; --y) {
        // check_picture has shown that every row lies inside `pixels`.
        out.put(picture.pixels.data() + static_cast<std::size_t>(y) * picture.stride, width);
        out.put(zeros, padding);
    }
}

} // namespace

bool write_indexed_bmp(const indexed_picture& picture, const byte_sink& sink)
{
    check_picture(picture);
    piece_writer out(sink);
    put_headers(out, picture);
    put_colours(out, picture.colours);
    put_rows(out, picture);
    return out.finish();
}

} // namespace bmp
