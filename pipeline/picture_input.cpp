#include "picture_input.h"

#include "Exception.h"
#include "byte_counts.h"
#include "file_name.h"
#include "memory_budget.h"
#include "picture_refusal.h"
#include "picture_scan.h"
#include "quiet_libraries.h"
#include "spectrum_stages.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <span>

namespace {

bool is_regular_file(const QString& file_name)
{
    struct stat status
    {
    };
    return ::stat(file_name_bytes(file_name).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

// The first bytes of a file, enough to tell what it is.
QByteArray first_bytes(QIODevice& device)
{
    constexpr qint64 enough = 4096;
    return device.peek(enough);
}

bool starts_like_a_bmp(const QByteArray& first)
{
    return first.startsWith("BM");
}

// At the peak of decoding, the picture as the plugin decodes it (up to 64 bits a pixel)
// and its 32-bit copy: three 32-bit pictures; afterwards the 32-bit copy and the bitmap's.
std::uint64_t decoding_bytes(int width, int height)
{
    return bmp::saturating_product(picture_bytes(width, height, 32), 3);
}

int mebibytes_above(std::uint64_t bytes)
{
    const std::uint64_t mebibytes = bytes / (1u << 20) + 1;
    return mebibytes > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                       : static_cast<int>(mebibytes);
}

// Opens the picture's bytes from their start, once for the reader and once for the walk.
using device_opener = std::function<std::unique_ptr<QIODevice>()>;

QSize sides_as_shown(const QImageReader& reader, QSize stored)
{
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)
               ? stored.transposed()
               : stored;
}

void require_decoding_memory(QSize size, const QString& file_name)
{
    naming_the_file(file_name, [&] {
        require_memory(size.width(), size.height(), decoding_bytes(size.width(), size.height()),
                       QCoreApplication::translate("memory", "to load it").toStdString());
    });
}

QString undecodable(const QByteArray& format)
{
    return QCoreApplication::translate(
               "picture", "its %1 data is damaged or of a kind the installed reader cannot decode")
        .arg(QString::fromLatin1(format.toUpper()));
}

// The picture as 32-bit pixels, counted against the memory by its sides and walked
// through (JPEG, GIF) first.
QImage decode_with_qt(QImageReader& reader, const device_opener& open, const QString& file_name)
{
    const QSize size = reader.size();
    const QByteArray format = reader.format();
    if (!size.isValid() || size.isEmpty()) {
        const QString kind = refused_kind(first_bytes(*open()));
        refuse_picture(file_name, kind.isEmpty() ? QCoreApplication::translate(
                                                       "widmo-cli", "its sides cannot be read")
                                                 : kind);
    }
    require_decoding_memory(size, file_name);
    const QString fault = structure_fault(*open(), format, size);
    if (!fault.isEmpty()) {
        refuse_picture(file_name, fault);
    }
    reader.setAllocationLimit(mebibytes_above(decoding_bytes(size.width(), size.height())));
    QImage image = reader.read();
    if (image.isNull()) {
        refuse_picture(file_name, undecodable(format));
    }
    if (image.size() != sides_as_shown(reader, size)) {
        refuse_picture(file_name,
                       QCoreApplication::translate(
                           "widmo-cli", "it holds a picture of other sides than it declares"));
    }
    image.convertTo(QImage::Format_RGB32);
    if (image.isNull() || image.format() != QImage::Format_RGB32) {
        refuse_picture(file_name,
                       QCoreApplication::translate("widmo-cli", "not enough memory to convert it"));
    }
    return image;
}

// The bitmap takes the 32-bit pixels and reduces them as it reduces a 32-bit BMP.
void reduce_into(TBitmap& bitmap, const QImage& colour)
{
    TBitmap reduced;
    reduced.PixelFormat(pf32bit);
    reduced.Width(colour.width());
    reduced.Height(colour.height());
    const auto row_bytes = static_cast<std::size_t>(colour.width()) * sizeof(QRgb);
    for (int y = 0; y < colour.height(); ++y) {
        std::memcpy(reduced.ScanLine(y), colour.constScanLine(y), row_bytes);
    }
    reduced.PixelFormat(pf8bit);
    bitmap.Assign(&reduced);
}

device_opener memory_opener(const QByteArray& bytes)
{
    return [bytes]() -> std::unique_ptr<QIODevice> {
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(bytes);
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    };
}

// The file's bytes with the alpha of a TIFF file declared unspecified at `alpha`.
QByteArray alpha_unspecified(QIODevice& file, qint64 alpha, const QString& file_name)
{
    const auto size = static_cast<std::uint64_t>(file.size());
    const std::uint64_t available = available_memory();
    if (size + memory_reserve > available) {
        refuse_picture(file_name,
                       QCoreApplication::translate(
                           "picture", "it needs %1 of memory to be read, but only %2 are available")
                           .arg(QString::fromStdString(memory_text(size)),
                                QString::fromStdString(memory_text(available))));
    }
    file.seek(0);
    QByteArray bytes = file.readAll();
    if (bytes.size() >= alpha + 2) {
        bytes[alpha] = 0;
        bytes[alpha + 1] = 0;
    }
    return bytes;
}

// The picture as Qt's plugins decode it, with the libraries' own lines kept off standard
// error; nothing when they do not take it, or when its first bytes start a BMP file.
std::optional<QImage> decoded_by_qt(const device_opener& open, const QString& file_name)
{
    const quiet_libraries quiet;
    const std::unique_ptr<QIODevice> device = open();
    const QByteArray first = first_bytes(*device);
    QImageReader reader(device.get());
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    if (starts_like_a_bmp(first) || !reader.canRead()) {
        if (const QString kind = refused_kind(first); !kind.isEmpty()) {
            refuse_picture(file_name, kind);
        }
        return std::nullopt;
    }
    return decode_with_qt(reader, open, file_name);
}

// Loads through Qt's plugins what they recognise; `not_for_qt` loads the rest (with the
// BMP reader's reasons) unless its first bytes show a kind we can name. The BMP reader
// prints nothing, so it runs outside the silence, beside other threads' decoding.
void load_through(TBitmap& bitmap, const device_opener& open, const QString& file_name,
                  const std::function<void()>& not_for_qt)
{
    if (const std::unique_ptr<QIODevice> probe = open();
        const std::optional<qint64> alpha = unassociated_alpha_at(*probe)) {
        const QByteArray bytes = alpha_unspecified(*probe, *alpha, file_name);
        load_through(bitmap, memory_opener(bytes), file_name, not_for_qt);
        return;
    }
    const std::optional<QImage> colour = decoded_by_qt(open, file_name);
    if (!colour) {
        not_for_qt();
        return;
    }
    naming_the_file(file_name, [&] { reduce_into(bitmap, *colour); });
}

} // namespace

void load_picture(TBitmap& bitmap, const QString& file_name)
{
    const auto bmp_reader = [&] {
        load_8bit_picture(bitmap, file_name_bytes(file_name).toStdString());
    };
    // Only regular files are looked into: reading a FIFO or a device could wait for ever.
    if (!is_regular_file(file_name)) {
        bmp_reader();
        return;
    }
    const auto open = [&]() -> std::unique_ptr<QIODevice> {
        auto file = std::make_unique<QFile>();
        open_for_reading(*file, file_name);
        return file;
    };
    load_through(bitmap, open, file_name, bmp_reader);
}

void load_picture_bytes(TBitmap& bitmap, const QByteArray& bytes, const QString& name)
{
    load_through(bitmap, memory_opener(bytes), name, [&] {
        const std::span<const std::uint8_t> span(
            reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size()));
        load_8bit_bytes(bitmap, span, name.toStdString());
    });
}
