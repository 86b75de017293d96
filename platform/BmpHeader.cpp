#include "BmpHeader.h"

#include "Exception.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::uint32_t bi_jpeg = 4;
constexpr std::uint32_t bi_png = 5;

std::uint32_t read_u32(const QByteArray& b, int at)
{
    const auto u = [&](int i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i]));
    };
    return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
}

std::uint32_t read_u16(const QByteArray& b, int at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

std::uint32_t read_u24(const QByteArray& b, int at)
{
    return read_u16(b, at) | static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2]))
                                 << 16;
}

void require(bool condition, const std::string& reason)
{
    if (!condition) {
        throw Exception(reason);
    }
}

// The header versions read here: OS/2 1.x and 2.x (the full 64 bytes), Windows 3 to 5
// and the two undocumented steps between 3 and 4.
bool known_header_size(std::uint32_t size)
{
    constexpr std::array<std::uint32_t, 7> sizes = {12, 40, 52, 56, 64, 108, 124};
    return std::find(sizes.begin(), sizes.end(), size) != sizes.end();
}

bool os2_version2(const BmpHeader& h)
{
    return h.headerSize == 64;
}

// Reads width, height, depth and compression from the short OS/2 header or a longer one.
void read_info(const QByteArray& head, BmpHeader& h)
{
    if (h.headerSize == 12) {
        h.width = read_u16(head, 18);
        h.height = read_u16(head, 20);
        h.planes = static_cast<int>(read_u16(head, 22));
        h.bitsPerPixel = static_cast<int>(read_u16(head, 24));
        h.colourEntryBytes = 3;
        return;
    }
    h.width = static_cast<std::int32_t>(read_u32(head, 18));
    h.height = static_cast<std::int32_t>(read_u32(head, 22));
    h.planes = static_cast<int>(read_u16(head, 26));
    h.bitsPerPixel = static_cast<int>(read_u16(head, 28));
    h.compression = read_u32(head, 30);
}

std::string compression_name(const BmpHeader& h)
{
    if (os2_version2(h)) {
        return h.compression == 3 ? "Huffman" : h.compression == 4 ? "RLE24" : "unknown";
    }
    switch (h.compression) {
    case BI_RGB:
        return "no";
    case BI_RLE8:
        return "RLE8";
    case BI_RLE4:
        return "RLE4";
    case BI_BITFIELDS:
        return "bit-field";
    case bi_jpeg:
        return "JPEG";
    case bi_png:
        return "PNG";
    default:
        return "unknown (" + std::to_string(h.compression) + ")";
    }
}

bool supported_coding(const BmpHeader& h)
{
    const int bits = h.bitsPerPixel;
    switch (h.compression) {
    case BI_RGB:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BI_RLE8:
        return bits == 8 && !os2_version2(h);
    case BI_RLE4:
        return bits == 4 && !os2_version2(h);
    case BI_BITFIELDS:
        return (bits == 16 || bits == 32) && !os2_version2(h);
    default:
        return false;
    }
}

// A mask is usable when its bits are one unbroken run inside the pixel.
bool usable_mask(std::uint32_t mask, int bitsPerPixel)
{
    if (mask == 0) {
        return false;
    }
    const std::uint32_t run = mask >> std::countr_zero(mask);
    const bool insidePixel = bitsPerPixel == 32 || mask >> bitsPerPixel == 0;
    return (run & (run + 1)) == 0 && insidePixel;
}

void read_masks(const QByteArray& head, BmpHeader& h)
{
    if (h.compression != BI_BITFIELDS) {
        h.masks = h.bitsPerPixel == 16 ? std::array<std::uint32_t, 3>{0x7c00, 0x03e0, 0x001f}
                                       : std::array<std::uint32_t, 3>{0xff0000, 0xff00, 0xff};
        return;
    }
    require(head.size() >= 66, "the file ends inside its colour masks");
    h.masks = {read_u32(head, 54), read_u32(head, 58), read_u32(head, 62)};
    for (std::uint32_t mask : h.masks) {
        require(usable_mask(mask, h.bitsPerPixel),
                "the colour mask " + std::to_string(mask) + " is not one run of pixel bits");
    }
    require((h.masks[0] & h.masks[1]) == 0 && (h.masks[1] & h.masks[2]) == 0 &&
                (h.masks[0] & h.masks[2]) == 0,
            "the colour masks overlap");
}

// How many colours the table holds: the count the header gives (all 2^bits for 0), but
// no more than fit between the headers and the pixel data.
void read_colour_count(const QByteArray& head, BmpHeader& h)
{
    const std::int64_t allowed = std::int64_t{1} << h.bitsPerPixel;
    const std::int64_t declared = h.headerSize >= 36 ? read_u32(head, 46) : 0;
    require(declared <= allowed, "the colour table has " + std::to_string(declared) +
                                     " entries, more than the " + std::to_string(allowed) +
                                     " that " + std::to_string(h.bitsPerPixel) +
                                     " bits per pixel can use");
    const std::int64_t room = (h.pixelOffset - h.colourTableOffset) / h.colourEntryBytes;
    h.colourCount = static_cast<int>(std::min(declared == 0 ? allowed : declared, room));
    require(h.colourCount > 0, "the colour table is missing");
}

void check_size(const BmpHeader& h)
{
    require(h.width > 0 && h.height != 0, "the picture size " + std::to_string(h.width) + " x " +
                                              std::to_string(h.height) + " is invalid");
}

void check_pixel_data(const BmpHeader& h, std::int64_t fileSize)
{
    require(h.pixelOffset >= h.colourTableOffset, "the pixel data starts inside the headers");
    require(h.pixelOffset < fileSize, "the pixel data starts past the end of the file");
    if (h.compression == BI_RGB || h.compression == BI_BITFIELDS) {
        require(h.rows() <= (fileSize - h.pixelOffset) / h.stride(), "the file is truncated");
    } else {
        require(!h.topDown(), "a compressed picture cannot be stored top row first");
    }
}

} // namespace

BmpHeader ParseBmpHeader(const QByteArray& head, std::int64_t fileSize)
{
    require(fileSize > 0, "the file is empty");
    require(head.startsWith("BM"), "it is not a BMP file");
    require(head.size() >= 18, "the file ends inside its header");
    BmpHeader h;
    h.pixelOffset = read_u32(head, 10);
    h.headerSize = read_u32(head, 14);
    require(known_header_size(h.headerSize),
            "the header size " + std::to_string(h.headerSize) + " is not one this program reads");
    require(head.size() >= 14 + std::min<int>(h.headerSize, 40) && fileSize >= 14 + h.headerSize,
            "the file ends inside its header");
    read_info(head, h);
    check_size(h);
    require(h.planes == 1, "the plane count " + std::to_string(h.planes) + " is not 1");
    require(supported_coding(h), std::to_string(h.bitsPerPixel) + " bits per pixel with " +
                                     compression_name(h) + " compression are not supported");
    h.colourTableOffset = 14 + h.headerSize;
    if (h.bitsPerPixel >= 16) {
        read_masks(head, h);
        h.colourTableOffset += h.compression == BI_BITFIELDS && h.headerSize == 40 ? 12 : 0;
    }
    check_pixel_data(h, fileSize);
    if (h.bitsPerPixel <= 8) {
        read_colour_count(head, h);
    }
    return h;
}

QList<QRgb> ParseColourTable(const QByteArray& head, const BmpHeader& header)
{
    QList<QRgb> colours;
    const int available = static_cast<int>(
        (std::min<std::int64_t>(head.size(), header.pixelOffset) - header.colourTableOffset) /
        header.colourEntryBytes);
    for (int i = 0; i < std::min(header.colourCount, available); ++i) {
        const int at = static_cast<int>(header.colourTableOffset) + i * header.colourEntryBytes;
        colours.push_back(0xff000000u | read_u24(head, at));
    }
    return colours;
}
