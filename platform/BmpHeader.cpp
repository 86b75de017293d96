#include "BmpHeader.h"

#include "Exception.h"

namespace {

constexpr std::uint32_t bi_rgb = 0;
constexpr std::uint32_t bi_bitfields = 3;
constexpr std::uint32_t bi_alphabitfields = 6;

std::uint32_t read_u32(const QByteArray& b, int at)
{
    const auto u = [&](int i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i]));
    };
    return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
}

std::uint32_t read_u16(const QByteArray& b, int at)
{
    return read_u32(b + QByteArray(2, '\0'), at) & 0xffff;
}

void require(bool condition, const std::string& reason)
{
    if (!condition) {
        throw Exception(reason);
    }
}

// Reads width, height and depth from the short OS/2 header or a longer one.
void read_info(const QByteArray& head, BmpHeader& h)
{
    if (h.headerSize == 12) {
        require(head.size() >= 26, "the file ends inside its header");
        h.width = read_u16(head, 18);
        h.height = read_u16(head, 20);
        h.bitsPerPixel = static_cast<int>(read_u16(head, 24));
        return;
    }
    require(h.headerSize >= 16,
            "the header size " + std::to_string(h.headerSize) + " is not that of a BMP file");
    require(head.size() >= 30, "the file ends inside its header");
    h.width = static_cast<std::int32_t>(read_u32(head, 18));
    h.height = static_cast<std::int32_t>(read_u32(head, 22));
    h.bitsPerPixel = static_cast<int>(read_u16(head, 28));
    h.compression = head.size() >= 34 && h.headerSize >= 20 ? read_u32(head, 30) : bi_rgb;
}

bool uncompressed(std::uint32_t compression)
{
    return compression == bi_rgb || compression == bi_bitfields || compression == bi_alphabitfields;
}

} // namespace

BmpHeader ParseBmpHeader(const QByteArray& head, std::int64_t fileSize)
{
    require(head.size() >= 18 && head.startsWith("BM"), "it is not a BMP file");
    BmpHeader h;
    h.pixelOffset = read_u32(head, 10);
    h.headerSize = read_u32(head, 14);
    read_info(head, h);
    require(h.width > 0 && h.height != 0, "the picture size " + std::to_string(h.width) + " x " +
                                              std::to_string(h.height) + " is invalid");
    require(h.pixelOffset < fileSize, "the pixel data starts past the end of the file");
    if (uncompressed(h.compression) && h.bitsPerPixel > 0) {
        const std::int64_t rows = h.height < 0 ? -h.height : h.height;
        const std::int64_t stride = (h.width * h.bitsPerPixel + 31) / 32 * 4;
        require(rows <= (fileSize - h.pixelOffset) / stride, "the file is truncated");
    }
    return h;
}
