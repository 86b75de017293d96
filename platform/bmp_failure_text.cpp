#include "bmp_failure_text.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

using bmp::fault;

QString number(std::int64_t value)
{
    return QString::number(value);
}

// "24 bits per pixel" in the words of the interface language, which may depend on the
// count. The count is a 16-bit field of the header; the clamp only keeps any value in
// the int that the plural rules take.
QString bits_per_pixel(std::int64_t bits)
{
    const int count = static_cast<int>(std::clamp<std::int64_t>(bits, 0, INT_MAX));
    //: Follows "pictures of" in the reasons below.
    return QCoreApplication::translate("bmp", "%n bit(s) per pixel", nullptr, count);
}

// The compression a code stands for; codes 3 and 4 mean other things after an OS/2 2.x
// header (16 or 64 bytes) than after a Windows one.
QString compression_name(std::int64_t code, std::int64_t header_size)
{
    const bool os2 = header_size == 16 || header_size == 64;
    switch (code) {
    case 1:
        return QStringLiteral("RLE8");
    case 2:
        return QStringLiteral("RLE4");
    case 3:
        return os2 ? QStringLiteral("Huffman") : QCoreApplication::translate("bmp", "bit-field");
    case 4:
        return os2 ? QStringLiteral("RLE24") : QStringLiteral("JPEG");
    case 5:
        return QStringLiteral("PNG");
    default:
        return QCoreApplication::translate("bmp", "unknown (%1)").arg(code);
    }
}

QString unsupported_coding(std::int64_t bits, std::int64_t code, std::int64_t header_size)
{
    if (code == 0) {
        return QCoreApplication::translate("bmp",
                                           "pictures of %1 without compression are not supported")
            .arg(bits_per_pixel(bits));
    }
    return QCoreApplication::translate("bmp",
                                       "pictures of %1 with %2 compression are not supported")
        .arg(bits_per_pixel(bits), compression_name(code, header_size));
}

QString reason(const bmp::failure& failure)
{
    const auto& [a, b, c] = failure.values;
    switch (failure.kind) {
    case fault::file_empty:
        return QCoreApplication::translate("bmp", "the file is empty");
    case fault::not_bmp:
        return QCoreApplication::translate("bmp", "it is not a BMP file");
    case fault::ends_inside_header:
        return QCoreApplication::translate("bmp", "the file ends inside its header");
    case fault::header_size_unknown:
        return QCoreApplication::translate("bmp",
                                           "the header size %1 is not one this program reads")
            .arg(a);
    case fault::size_invalid:
        return QCoreApplication::translate("bmp", "the picture size %1 x %2 is invalid")
            .arg(number(a), number(b));
    case fault::plane_count:
        return QCoreApplication::translate("bmp", "the plane count %1 is not 1").arg(a);
    case fault::coding_unsupported:
        return unsupported_coding(a, b, c);
    case fault::ends_inside_masks:
        return QCoreApplication::translate("bmp", "the file ends inside its colour masks");
    case fault::mask_not_a_run:
        return QCoreApplication::translate("bmp", "the colour mask %1 is not one run of pixel bits")
            .arg(a);
    case fault::masks_overlap:
        return QCoreApplication::translate("bmp", "the colour masks overlap");
    case fault::colour_table_too_long:
        return QCoreApplication::translate(
                   "bmp", "the colour table has %1 entries, more than the %2 that pictures of %3 "
                          "can use")
            .arg(number(a), number(b), bits_per_pixel(c));
    case fault::colour_table_missing:
        return QCoreApplication::translate("bmp", "the colour table is missing");
    case fault::pixels_inside_headers:
        return QCoreApplication::translate("bmp", "the pixel data starts inside the headers");
    case fault::pixels_past_end:
        return QCoreApplication::translate("bmp", "the pixel data starts past the end of the file");
    case fault::truncated:
        return QCoreApplication::translate("bmp", "the file is truncated");
    case fault::compressed_top_down:
        return QCoreApplication::translate("bmp",
                                           "a compressed picture cannot be stored top row first");
    case fault::stream_ends_early:
        return QCoreApplication::translate("bmp",
                                           "the compressed pixel data ends before its end mark");
    case fault::run_past_picture:
        return QCoreApplication::translate("bmp",
                                           "the compressed pixel data runs past the picture");
    case fault::jump_past_picture:
        return QCoreApplication::translate("bmp",
                                           "the compressed pixel data jumps past the picture");
    case fault::rows_past_picture:
        return QCoreApplication::translate(
            "bmp", "the compressed pixel data runs past the picture's last row");
    }
    return QCoreApplication::translate("bmp", "the file cannot be read");
}

} // namespace

std::string bmp_failure_text(const bmp::failure& failure)
{
    return reason(failure).toStdString();
}
