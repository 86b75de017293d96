#include "picture_input.h"

#include "Exception.h"
#include "file_name.h"
#include "memory_budget.h"
#include "spectrum_stages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

[[noreturn]] void refuse(const QString& file_name, const QString& reason)
{
    throw Exception(QCoreApplication::translate("widmo-cli", "Cannot read the picture \"%1\": %2")
                        .arg(shown_name(file_name), reason)
                        .toStdString());
}

// Calls work(), giving what it raises the file's name.
template <typename Work> void naming_the_file(const QString& file_name, const Work& work)
{
    try {
        work();
    } catch (const Exception& e) {
        refuse(file_name, QString::fromStdString(e.Message()));
    }
}

bool is_regular_file(const QString& file_name)
{
    struct stat status
    {
    };
    return ::stat(file_name_bytes(file_name).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

// Opens the file its name's bytes name, whether they are UTF-8 or not.
bool open_for_reading(QFile& file, const QString& file_name)
{
    const int fd = ::open(file_name_bytes(file_name).constData(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    return fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
}

bool starts_like_a_bmp(const QString& file_name)
{
    QFile file;
    char magic[2] = {};
    return open_for_reading(file, file_name) && file.read(magic, 2) == 2 && magic[0] == 'B' &&
           magic[1] == 'M';
}

// At the peak of decoding, the picture as the plugin decodes it (up to 64 bits a pixel)
// and its 32-bit copy: three 32-bit pictures; afterwards the 32-bit copy and the bitmap's.
std::uint64_t decoding_bytes(int width, int height)
{
    const std::uint64_t one = picture_bytes(width, height, 32);
    constexpr std::uint64_t copies = 3;
    return one > std::numeric_limits<std::uint64_t>::max() / copies ? one : one * copies;
}

int mebibytes_above(std::uint64_t bytes)
{
    const std::uint64_t mebibytes = bytes / (1u << 20) + 1;
    return mebibytes > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                       : static_cast<int>(mebibytes);
}

// The picture as 32-bit pixels, counted against the memory by its sides first.
QImage decode_with_qt(QImageReader& reader, const QString& file_name)
{
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        refuse(file_name, QCoreApplication::translate("widmo-cli", "its sides cannot be read"));
    }
    const std::uint64_t bytes = decoding_bytes(size.width(), size.height());
    naming_the_file(file_name, [&] {
        require_memory(size.width(), size.height(), bytes,
                       QCoreApplication::translate("memory", "to load it").toStdString());
    });
    reader.setAllocationLimit(mebibytes_above(bytes));
    QImage image = reader.read();
    if (image.isNull()) {
        refuse(file_name, reader.errorString());
    }
    if (image.size() != size) {
        refuse(file_name, QCoreApplication::translate(
                              "widmo-cli", "it holds a picture of other sides than it declares"));
    }
    image.convertTo(QImage::Format_RGB32);
    if (image.isNull() || image.format() != QImage::Format_RGB32) {
        refuse(file_name,
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

} // namespace

void load_picture(TBitmap& bitmap, const QString& file_name)
{
    // Only regular files are looked into: reading a FIFO or a device could wait for ever.
    QFile file;
    QImageReader reader;
    reader.setDecideFormatFromContent(true);
    if (is_regular_file(file_name) && !starts_like_a_bmp(file_name) &&
        open_for_reading(file, file_name)) {
        reader.setDevice(&file);
    }
    if (!reader.canRead()) {
        // What is no picture for Qt's plugins gets the BMP reader's reason.
        load_8bit_picture(bitmap, file_name_bytes(file_name).toStdString());
        return;
    }
    const QImage colour = decode_with_qt(reader, file_name);
    naming_the_file(file_name, [&] { reduce_into(bitmap, colour); });
}

standard_input_copy::standard_input_copy()
{
    QTemporaryFile copy(QDir::tempPath() + QStringLiteral("/widmo-cli-input-XXXXXX"));
    const auto failed = [&] {
        return Exception(QCoreApplication::translate(
                             "widmo-cli", "Cannot copy standard input to a temporary file: %1")
                             .arg(copy.errorString())
                             .toStdString());
    };
    QFile input;
    if (!copy.open() || !input.open(STDIN_FILENO, QIODevice::ReadOnly)) {
        throw failed();
    }
    constexpr qint64 piece = qint64{1} << 16;
    while (true) {
        const QByteArray bytes = input.read(piece);
        if (bytes.isEmpty()) {
            break;
        }
        if (copy.write(bytes) != bytes.size()) {
            throw failed();
        }
    }
    copy.setAutoRemove(false);
    name = copy.fileName();
}

standard_input_copy::~standard_input_copy()
{
    QFile::remove(name);
}
