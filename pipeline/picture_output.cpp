#include "picture_output.h"

#include "Palette.h"
#include "bmp_encode.h"

#include <QFileInfo>
#include <QIODevice>

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstddef>

#include <cstdint>
#include <new>
#include <stdexcept>

namespace {

bool write_all(QIODevice& device, const char* bytes, qint64 count)
{
    return device.write(bytes, count) == count;
}

bool write_bmp(QIODevice& device, const QImage& grey)
{
    static const QList<QRgb> greys = grey_table();
    const bmp::indexed_picture picture{
        grey.width(),
        grey.height(),
        {grey.constBits(), static_cast<std::size_t>(grey.sizeInBytes())},
        static_cast<std::size_t>(grey.bytesPerLine()),
        {greys.constData(), static_cast<std::size_t>(greys.size())}};
    return bmp::write_indexed_bmp(picture, [&](const std::uint8_t* bytes, std::size_t count) {
        return write_all(device, reinterpret_cast<const char*>(bytes), static_cast<qint64>(count));
    });
}

// Binary PGM: "P5", the sides and the largest level in ASCII, then the rows, top first.
bool write_pgm(QIODevice& device, const QImage& grey)
{
    const QByteArray header = "P5\n" + QByteArray::number(grey.width()) + ' ' +
                              QByteArray::number(grey.height()) + "\n255\n";
    if (!write_all(device, header.constData(), header.size())) {
        return false;
    }
    for (int y = 0; y < grey.height(); ++y) {
        if (!write_all(device, reinterpret_cast<const char*>(grey.constScanLine(y)),
                       grey.width())) {
            return false;
        }
    }
    return true;
}

// libpng reports its errors through longjmp: this function holds no object that has a
// destructor, so the jump back leaves nothing behind.
void write_bytes_to_device(png_structp png, png_bytep bytes, std::size_t count)
{
    auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
    if (!write_all(*device, reinterpret_cast<const char*>(bytes), static_cast<qint64>(count))) {
        png_error(png, "write failed");
    }
}

void flush_nothing(png_structp) {}

[[noreturn]] void stop_writing(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignore_warning(png_structp, png_const_charp) {}

// Spectrum pictures are noise to a compressor beyond the spread of their grey levels: on the
// log spectra of photographs (docs/performance.md) the Up filter with Huffman coding alone
// comes out smaller than libpng's own choice of filters at zlib's default level, in a
// quarter of the time. No time or text chunk: the same picture gives the same bytes.
bool write_png_rows(QIODevice& device, const QImage& grey, png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_write_fn(png, &device, write_bytes_to_device, flush_nothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(grey.width()),
                 static_cast<png_uint_32>(grey.height()), 8, PNG_COLOR_TYPE_GRAY,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_strategy(png, Z_HUFFMAN_ONLY);
    png_write_info(png, info);
    for (int y = 0; y < grey.height(); ++y) {
        png_write_row(png, grey.constScanLine(y));
    }
    png_write_end(png, info);
    return true;
}

bool write_png(QIODevice& device, const QImage& grey)
{
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, stop_writing, ignore_warning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw std::bad_alloc();
    }
    const bool written = write_png_rows(device, grey, png, info);
    png_destroy_write_struct(&png, &info);
    return written;
}

} // namespace

std::optional<picture_format> format_of_file_name(const QString& name)
{
    return value_named(picture_format_names, QFileInfo(name).suffix().toLower());
}

QString extension_of(picture_format format)
{
    return name_of(picture_format_names, format);
}

bool write_grey_picture(QIODevice& device, const QImage& grey, picture_format format)
{
    if (grey.format() != QImage::Format_Grayscale8 || grey.isNull()) {
        throw std::invalid_argument("a spectrum picture is an 8-bit grey image");
    }
    switch (format) {
    case picture_format::bmp:
        return write_bmp(device, grey);
    case picture_format::png:
        return write_png(device, grey);
    case picture_format::pgm:
        return write_pgm(device, grey);
    }
    throw std::invalid_argument("not a picture format");
}
