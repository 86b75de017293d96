#include "picture_output.h"

#include "Palette.h"
#include "bmp_encode.h"

#include <QFileInfo>
#include <QImageWriter>

#include <cstdint>
#include <stdexcept>

namespace {

bool write_all(QIODevice& device, const char* bytes, qint64 count)
{
    return device.write(bytes, count) == count;
}

bool write_bmp(QIODevice& device, const QImage& grey)
{
    static const QList<QRgb> greys = grey_table();
    const bmp::indexed_picture picture{grey.width(),
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

// Qt's PNG writer takes each row's own bytes and adds no time or text of its own.
bool write_png(QIODevice& device, const QImage& grey)
{
    QImageWriter writer(&device, "png");
    return writer.write(grey);
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
