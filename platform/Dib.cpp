#include "Dib.h"

#include "Exception.h"
#include "byte_counts.h"
#include "memory_budget.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace {

// The depth the export uses: the depth the pixels are held in.
int export_depth(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
        return 1;
    case QImage::Format_Indexed8:
        return 8;
    default:
        return 32;
    }
}

std::uint64_t colour_count(int depth)
{
    return depth <= 8 ? std::uint64_t{1} << depth : 0;
}

struct dib_layout
{
    int depth;
    std::uint64_t colours;
    std::uint64_t row_bytes;
    std::uint64_t info_bytes;
    std::uint64_t image_bytes;
};

dib_layout layout_of(const TBitmap& bitmap)
{
    const int depth = export_depth(bitmap.Image());
    const std::uint64_t colours = colour_count(depth);
    return {depth, colours,
            bmp::padded_row_bytes(static_cast<std::uint64_t>(bitmap.Width()),
                                  static_cast<std::uint64_t>(depth)),
            sizeof(BITMAPINFOHEADER) + 4 * colours,
            picture_bytes(bitmap.Width(), bitmap.Height(), depth)};
}

const TBitmap& known_bitmap(HBITMAP handle)
{
    const TBitmap* bitmap = TBitmap::FromHandle(handle);
    if (bitmap == nullptr) {
        throw Exception(QCoreApplication::translate("bitmap", "The handle names no bitmap"));
    }
    return *bitmap;
}

void write_header(const TBitmap& bitmap, const dib_layout& layout, std::byte* out)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = bitmap.Width();
    header.biHeight = bitmap.Height();
    header.biPlanes = 1;
    header.biBitCount = static_cast<std::uint16_t>(layout.depth);
    header.biSizeImage =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(layout.image_bytes, UINT32_MAX));
    header.biClrUsed = static_cast<std::uint32_t>(layout.colours);
    std::memcpy(out, &header, sizeof header);
}

// Colour table entries are blue, green, red, reserved; unused entries are black.
void write_colours(const QList<QRgb>& colors, const dib_layout& layout, std::byte* out)
{
    std::memset(out, 0, 4 * layout.colours);
    const std::uint64_t used = std::min<std::uint64_t>(colors.size(), layout.colours);
    for (std::uint64_t i = 0; i < used; ++i) {
        const QRgb c = colors[static_cast<qsizetype>(i)];
        const std::byte entry[4] = {std::byte(qBlue(c)), std::byte(qGreen(c)), std::byte(qRed(c)),
                                    std::byte{0}};
        std::memcpy(out + 4 * i, entry, 4);
    }
}

void write_rows(const QImage& image, const dib_layout& layout, std::byte* out)
{
    const std::uint64_t used = (static_cast<std::uint64_t>(image.width()) * layout.depth + 7) / 8;
    // 0 <= y < height, and an exported row is the used bytes rounded up to 4, so neither
    // height - 1 - y nor row_bytes - used can wrap.
    for (int y = 0; y < image.height(); ++y) {
        std::byte* row =
            out + layout.row_bytes * static_cast<std::uint64_t>(image.height() - 1 - y);
        std::memcpy(row, image.constScanLine(y), used);
        std::memset(row + used, 0, layout.row_bytes - used);
    }
}

} // namespace

void GetDIBSizes(HBITMAP bitmap, std::uint64_t& info_header_size, std::uint64_t& image_size)
{
    const dib_layout layout = layout_of(known_bitmap(bitmap));
    info_header_size = layout.info_bytes;
    image_size = layout.image_bytes;
}

bool GetDIB(HBITMAP handle, HPALETTE palette, void* bitmapInfo, void* bits)
{
    const TBitmap* bitmap = TBitmap::FromHandle(handle);
    if (bitmap == nullptr || bitmap->Image().isNull() || bitmapInfo == nullptr || bits == nullptr) {
        return false;
    }
    const dib_layout layout = layout_of(*bitmap);
    auto* info = static_cast<std::byte*>(bitmapInfo);
    write_header(*bitmap, layout, info);
    const QList<QRgb> colors =
        palette != nullptr ? palette_colors(palette) : bitmap->Image().colorTable();
    write_colours(colors, layout, info + sizeof(BITMAPINFOHEADER));
    write_rows(bitmap->Image(), layout, static_cast<std::byte*>(bits));
    return true;
}
