#include "bmp_header.h"

#include "byte_counts.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <span>

namespace bmp {

namespace {

using bytes = std::span<const std::uint8_t>;

// The little-endian number of `count` bytes at `at`; refuses with `missing` when the head
// ends first.
std::uint32_t little_endian(bytes head, std::size_t at, std::size_t count, fault missing)
{
    // at <= size is tested first, so size - at cannot wrap.
    if (at > head.size() || count > head.size() - at) {
        refuse(missing);
    }
    std::uint32_t value = 0;
    for (std::size_t i = count; i > 0; --i) {
        value = value << 8 | head[at + i - 1];
    }
    return value;
}

std::uint32_t u16(bytes head, std::size_t at)
{
    return little_endian(head, at, 2, fault::ends_inside_header);
}

std::uint32_t u32(bytes head, std::size_t at)
{
    return little_endian(head, at, 4, fault::ends_inside_header);
}

// The header versions read here: OS/2 1.x, OS/2 2.x (short and full), Windows 3 to 5 and
// the two undocumented steps between 3 and 4.
bool known_header_size(std::uint32_t size)
{
    constexpr std::array<std::uint32_t, 8> sizes = {12, 16, 40, 52, 56, 64, 108, 124};
    return std::find(sizes.begin(), sizes.end(), size) != sizes.end();
}

// OS/2 1.x: unsigned 16-bit sides, rows always bottom-up, no compression field.
void read_os2_info(bytes head, header& h)
{
    h.width = u16(head, 18);
    h.rows = u16(head, 20);
    if (h.width == 0 || h.rows == 0) {
        refuse(fault::size_invalid, h.width, h.rows);
    }
}

// Signed 32-bit sides; a negative height stores the rows top first. The compression
// field is missing from the short OS/2 2.x header.
void read_windows_info(bytes head, header& h)
{
    const auto width = static_cast<std::int32_t>(u32(head, 18));
    const auto height = static_cast<std::int32_t>(u32(head, 22));
    if (width <= 0 || height == 0) {
        refuse(fault::size_invalid, width, height);
    }
    h.width = width;
    h.top_down = height < 0;
    // In 64 bits the negation of -2^31 does not overflow.
    h.rows = h.top_down ? -std::int64_t{height} : height;
    h.compression = h.header_size >= 20 ? u32(head, 30) : bi_rgb;
}

// Plane count and depth, after the sides.
void read_planes_and_depth(bytes head, header& h)
{
    const std::size_t at = h.header_size == 12 ? 22 : 26;
    const std::uint32_t planes = u16(head, at);
    if (planes != 1) {
        refuse(fault::plane_count, planes);
    }
    h.bits_per_pixel = static_cast<int>(u16(head, at + 2));
}

bool os2_version2(const header& h)
{
    return h.header_size == 16 || h.header_size == 64;
}

bool supported_coding(const header& h)
{
    const int bits = h.bits_per_pixel;
    switch (h.compression) {
    case bi_rgb:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case bi_rle8:
        return bits == 8;
    case bi_rle4:
        return bits == 4;
    case bi_bitfields: // code 3 is Huffman coding in an OS/2 2.x header
        return (bits == 16 || bits == 32) && !os2_version2(h);
    default:
        return false;
    }
}

// A mask is usable when its bits are one unbroken run inside the pixel.
bool usable_mask(std::uint32_t mask, int bits_per_pixel)
{
    if (mask == 0) {
        return false;
    }
    // mask != 0, so both shifts are below 32. The run is unbroken when every bit below its
    // highest is set (compared with a shifted word, not added to, so 32 bits cannot wrap).
    const std::uint32_t run = mask >> std::countr_zero(mask);
    const bool unbroken = run == std::numeric_limits<std::uint32_t>::max() >> std::countl_zero(run);
    const bool inside_pixel = bits_per_pixel == 32 || mask >> bits_per_pixel == 0;
    return unbroken && inside_pixel;
}

// The colour masks of 16- and 32-bit pixels: after a 40-byte header or inside a longer
// one; the usual ones without bit fields. Returns where the colour table would start.
std::uint32_t read_masks(bytes head, header& h, std::uint32_t table_offset)
{
    if (h.compression != bi_bitfields) {
        h.masks = h.bits_per_pixel == 16 ? std::array<std::uint32_t, 3>{0x7c00, 0x03e0, 0x001f}
                                         : std::array<std::uint32_t, 3>{0xff0000, 0xff00, 0xff};
        return table_offset;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        h.masks[i] = little_endian(head, 54 + 4 * i, 4, fault::ends_inside_masks);
        if (!usable_mask(h.masks[i], h.bits_per_pixel)) {
            refuse(fault::mask_not_a_run, h.masks[i]);
        }
    }
    if ((h.masks[0] & h.masks[1]) != 0 || (h.masks[1] & h.masks[2]) != 0 ||
        (h.masks[0] & h.masks[2]) != 0) {
        refuse(fault::masks_overlap);
    }
    return h.header_size == 40 ? table_offset + 12 : table_offset;
}

void check_pixel_data(const header& h, std::uint32_t table_offset)
{
    if (h.pixel_offset < table_offset) {
        refuse(fault::pixels_inside_headers);
    }
    if (h.pixel_offset >= h.file_size) {
        refuse(fault::pixels_past_end);
    }
    if (h.run_length()) {
        if (h.top_down) {
            refuse(fault::compressed_top_down);
        }
        return;
    }
    // pixel_offset < file_size, so the subtraction cannot wrap; a row is at least 4 bytes.
    const std::uint64_t data = h.file_size - h.pixel_offset;
    const std::uint64_t row =
        std::max<std::uint64_t>(static_cast<std::uint64_t>(stored_row_bytes(h)), 4);
    if (static_cast<std::uint64_t>(h.rows) > data / row) {
        refuse(fault::truncated);
    }
}

// The colour table: as many entries as the header gives (all 2^bits for 0), but no more
// than fit between the headers and the pixel data. Entries are blue, green, red (and a
// fourth byte after all headers but OS/2 1.x).
void read_colour_table(bytes head, header& h, std::uint32_t table_offset)
{
    const std::int64_t allowed = std::int64_t{1} << h.bits_per_pixel;
    const std::int64_t declared = h.header_size >= 36 ? u32(head, 46) : 0;
    if (declared > allowed) {
        refuse(fault::colour_table_too_long, declared, allowed, h.bits_per_pixel);
    }
    const std::uint32_t entry_bytes = h.header_size == 12 ? 3 : 4;
    // check_pixel_data made sure that pixel_offset >= table_offset.
    const std::int64_t room = (h.pixel_offset - table_offset) / entry_bytes;
    const std::int64_t count = std::min(declared == 0 ? allowed : declared, room);
    if (count == 0) {
        refuse(fault::colour_table_missing);
    }
    // The table ends at or before the pixel data, inside the file, and at most
    // 14 + 124 + 12 + 256 x 4 bytes in: inside the head.
    for (std::int64_t i = 0; i < count; ++i) {
        const std::size_t at = table_offset + static_cast<std::size_t>(i) * entry_bytes;
        h.colours.push_back(0xff000000u | little_endian(head, at, 3, fault::ends_inside_header));
    }
}

} // namespace

std::int64_t stored_row_bytes(const header& h)
{
    return static_cast<std::int64_t>(padded_row_bytes(
        static_cast<std::uint64_t>(h.width), static_cast<std::uint64_t>(h.bits_per_pixel)));
}

header parse_header(byte_source& file)
{
    header h;
    h.file_size = file.size();
    if (h.file_size == 0) {
        refuse(fault::file_empty);
    }
    std::vector<std::uint8_t> buffer(std::min<std::uint64_t>(h.file_size, head_bytes));
    if (!read_exact(file, 0, buffer)) {
        refuse(fault::truncated);
    }
    const bytes head(buffer);
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') {
        refuse(fault::not_bmp);
    }
    h.pixel_offset = u32(head, 10);
    h.header_size = u32(head, 14);
    if (!known_header_size(h.header_size)) {
        refuse(fault::header_size_unknown, h.header_size);
    }
    if (h.file_size < 14 + std::uint64_t{h.header_size}) {
        refuse(fault::ends_inside_header);
    }
    if (h.header_size == 12) {
        read_os2_info(head, h);
    } else {
        read_windows_info(head, h);
    }
    read_planes_and_depth(head, h);
    if (!supported_coding(h)) {
        refuse(fault::coding_unsupported, h.bits_per_pixel, h.compression, h.header_size);
    }
    std::uint32_t table_offset = 14 + h.header_size;
    if (h.bits_per_pixel >= 16) {
        table_offset = read_masks(head, h, table_offset);
    }
    check_pixel_data(h, table_offset);
    if (h.bits_per_pixel <= 8) {
        read_colour_table(head, h, table_offset);
    }
    return h;
}

} // namespace bmp
