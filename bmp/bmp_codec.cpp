#include "bmp_codec.h"

#include "bmp_decode.h"
#include "byte_counts.h"


namespace bmp {

static_assert(sizeof(std::size_t) == 8, "pictures and offsets need 64-bit sizes");

namespace {

pixel_kind kind_of(const header& h)
{
    return h.bits_per_pixel <= 8 ? pixel_kind::indices : pixel_kind::rgb32;
}

// Bytes of one picture row, padded to 4: below 2^33, as the width is below 2^31.
std::uint64_t picture_stride(const header& h)
{
    const std::uint64_t pixel_bytes = kind_of(h) == pixel_kind::indices ? 1 : 4;
    return padded_row_bytes(static_cast<std::uint64_t>(h.width), 8 * pixel_bytes);
}

// The picture's memory, zeroed where a run-length stream may skip pixels; uncompressed
// rows write every byte themselves.
picture blank_picture(const header& h)
{
    picture p;
    p.width = h.width;
    p.height = h.rows;
    p.kind = kind_of(h);
    p.colours = h.colours;
    p.stride = picture_stride(h);
    // stride < 2^33 and rows <= 2^31: the product is below 2^64.
    const std::size_t bytes = p.stride * static_cast<std::size_t>(h.rows);
    p.pixels = h.run_length() ? std::make_unique<std::uint8_t[]>(bytes)
                              : std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
    return p;
}

} // namespace

outcome<header> read_header(byte_source& file)
{
    try {
        return parse_header(file);
    } catch (const failure& reason) {
        return reason;
    }
}

std::uint64_t decoding_bytes(const header& h)
{
    // As in blank_picture, the product is below 2^64.
    const std::uint64_t picture = picture_stride(h) * static_cast<std::uint64_t>(h.rows);
    const std::uint64_t reading = h.run_length() ? chunk_reader::chunk_bytes
                                                 : static_cast<std::uint64_t>(stored_row_bytes(h));
    return saturating_sum(picture, saturating_sum(reading, head_bytes));
}

outcome<picture> read_picture(byte_source& file, const header& h)
{
    try {
        picture p = blank_picture(h);
        if (h.run_length()) {
            decode_run_length(file, h, p);
        } else {
            decode_rows(file, h, p);
        }
        return p;
    } catch (const failure& reason) {
        return reason;
    }
}

outcome<picture> decode(byte_source& file)
{
    const outcome<header> h = read_header(file);
    if (!h.ok()) {
        return h.reason();
    }
    return read_picture(file, h.value());
}

} // namespace bmp
