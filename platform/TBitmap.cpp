#include "TBitmap.h"

#include "BmpDecode.h"
#include "BmpHeader.h"
#include "Exception.h"
#include "MemoryBudget.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_set>

namespace {

// Qt refuses pictures above 128 MB unless told otherwise; a 16384 x 16384 picture of
// 32-bit pixels needs 1 GiB, so the reader may allocate up to 4 GiB.
constexpr int reader_allocation_limit_mb = 4096;

std::unordered_set<const TBitmap*>& live_bitmaps()
{
    static std::unordered_set<const TBitmap*> bitmaps;
    return bitmaps;
}

QImage::Format storage_format(TPixelFormat format)
{
    switch (format) {
    case pf1bit:
        return QImage::Format_Mono;
    case pf4bit:
    case pf8bit:
        return QImage::Format_Indexed8;
    default:
        return QImage::Format_RGB32;
    }
}

TPixelFormat format_of_depth(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        return pf16bit;
    case 24:
        return pf24bit;
    case 32:
        return pf32bit;
    default:
        return pfCustom;
    }
}

// The file's headers, checked against its length before anything reads the pixels: Qt's
// reader would fill a truncated picture with zeros rather than refuse it.
struct FileHead
{
    BmpHeader header;
    QByteArray bytes;
    std::int64_t fileSize = 0;
};

void open_for_reading(QFile& file)
{
    if (QFileInfo(file.fileName()).isDir()) {
        throw Exception("it is a folder, not a file");
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw Exception(file.errorString().toStdString());
    }
}

FileHead read_head(QFile& file)
{
    FileHead head{{}, file.read(bmp_head_bytes), file.size()};
    head.header = ParseBmpHeader(head.bytes, head.fileSize);
    return head;
}

// Qt's reader handles the uncompressed palette pictures and 24-bit ones. Run-length and
// masked pixels are decoded here: Qt reads run-length data that runs past the picture or
// past the end of the file into some picture instead of refusing it, and it widens 5- and
// 6-bit channels by a plain shift, so white comes out as 248.
bool decoded_here(const BmpHeader& header)
{
    return header.compression == BI_RLE4 || header.compression == BI_RLE8 ||
           header.bitsPerPixel == 16 || header.bitsPerPixel == 32;
}

// Memory for the decoded picture, and for the pixel data when it is decoded here.
std::uint64_t loading_bytes(const FileHead& head)
{
    const BmpHeader& h = head.header;
    const int heldBits = h.bitsPerPixel == 1 ? 1 : h.bitsPerPixel <= 8 ? 8 : 32;
    const std::uint64_t data = decoded_here(h) ? head.fileSize - h.pixelOffset : 0;
    return PictureBytes(h.width, h.rows(), heldBits) + data;
}

QImage decode_here(QFile& file, const FileHead& head)
{
    if (!file.seek(head.header.pixelOffset)) {
        throw Exception(file.errorString().toStdString());
    }
    const QByteArray pixels = file.readAll();
    if (head.header.bitsPerPixel > 8) {
        return DecodeMasked(pixels, head.header);
    }
    return DecodeRunLength(pixels, head.header, ParseColourTable(head.bytes, head.header));
}

QImage read_with_qt(QFile& file)
{
    if (!file.seek(0)) {
        throw Exception(file.errorString().toStdString());
    }
    QImageReader reader(&file, "bmp");
    reader.setAllocationLimit(reader_allocation_limit_mb);
    QImage loaded = reader.read();
    if (loaded.isNull()) {
        throw Exception(reader.errorString().toStdString());
    }
    return loaded;
}

struct LoadedPicture
{
    QImage image;
    int bitsPerPixel = 0; // as the file stores it
};

LoadedPicture read_picture(const QString& fileName)
{
    // One open file for the checks and the pixels, so both see the same bytes.
    QFile file(fileName);
    open_for_reading(file);
    const FileHead head = read_head(file);
    RequireMemory(head.header.width, head.header.rows(), loading_bytes(head), "to load it");
    QImage image = decoded_here(head.header) ? decode_here(file, head) : read_with_qt(file);
    return {std::move(image), head.header.bitsPerPixel};
}

// Pixels may hold indices past the end of a short colour table; a full table (black past
// the file's colours) keeps every later conversion and painting inside it.
void complete_colour_table(QImage& image)
{
    const qsizetype full = image.format() == QImage::Format_Mono ? 2 : 256;
    QList<QRgb> colours = image.colorTable();
    if (colours.size() < full) {
        colours.resize(full, qRgb(0, 0, 0));
        image.setColorTable(colours);
    }
}

QList<QRgb> grey_table()
{
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i) {
        table[i] = qRgb(i, i, i);
    }
    return table;
}

std::size_t row_bytes(const QImage& image, int pixels)
{
    return (static_cast<std::size_t>(pixels) * image.depth() + 7) / 8;
}

// Grey level of every index of a colour table; indices past its end show black.
std::array<std::uint8_t, 256> grey_of_indices(const QList<QRgb>& colors)
{
    std::array<std::uint8_t, 256> grey{};
    for (qsizetype i = 0; i < std::min<qsizetype>(colors.size(), 256); ++i) {
        grey[i] = GreyLevel(qRed(colors[i]), qGreen(colors[i]), qBlue(colors[i]));
    }
    return grey;
}

QImage grey_from_indexed(const QImage& source)
{
    QImage grey = source.convertToFormat(QImage::Format_Indexed8);
    const std::array<std::uint8_t, 256> lut = grey_of_indices(grey.colorTable());
    for (int y = 0; y < grey.height(); ++y) {
        std::uint8_t* row = grey.scanLine(y);
        std::transform(row, row + grey.width(), row, [&](std::uint8_t i) { return lut[i]; });
    }
    return grey;
}

QImage grey_from_colour(const QImage& source)
{
    const bool direct =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32;
    const QImage rgb = direct ? source : source.convertToFormat(QImage::Format_ARGB32);
    QImage grey(rgb.width(), rgb.height(), QImage::Format_Indexed8);
    if (grey.isNull()) {
        throw Exception("Not enough memory to reduce the picture to 8 bits");
    }
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint8_t* out = grey.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            out[x] = GreyLevel(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
        }
    }
    return grey;
}

bool is_indexed(const QImage& image)
{
    return image.format() == QImage::Format_Mono || image.format() == QImage::Format_Indexed8;
}

// The 8-bit copy, and the 32-bit one colour pictures in other layouts pass through.
std::uint64_t reduction_bytes(const QImage& image)
{
    const bool direct = is_indexed(image) || image.format() == QImage::Format_RGB32 ||
                        image.format() == QImage::Format_ARGB32;
    return PictureBytes(image.width(), image.height(), 8) +
           (direct ? 0 : PictureBytes(image.width(), image.height(), 32));
}

} // namespace

TBitmap::TBitmap()
{
    live_bitmaps().insert(this);
}

TBitmap::~TBitmap()
{
    live_bitmaps().erase(this);
}

HBITMAP TBitmap::Handle() const
{
    return reinterpret_cast<HBITMAP>(const_cast<TBitmap*>(this));
}

const TBitmap* TBitmap::FromHandle(HBITMAP handle)
{
    const auto* bitmap = reinterpret_cast<const TBitmap*>(handle);
    return live_bitmaps().contains(bitmap) ? bitmap : nullptr;
}

void TBitmap::Changed()
{
    if (OnChange) {
        OnChange();
    }
}

void TBitmap::Width(int newWidth)
{
    Resize(newWidth, height);
}

void TBitmap::Height(int newHeight)
{
    Resize(width, newHeight);
}

void TBitmap::Resize(int newWidth, int newHeight)
{
    if (newWidth < 0 || newHeight < 0) {
        throw Exception("A bitmap cannot be " + std::to_string(newWidth) + " x " +
                        std::to_string(newHeight) + " pixels");
    }
    if (newWidth == width && newHeight == height) {
        return;
    }
    QImage next;
    if (newWidth > 0 && newHeight > 0) {
        const int heldBits = storage_format(format) == QImage::Format_RGB32 ? 32 : 8;
        RequireMemory(newWidth, newHeight, PictureBytes(newWidth, newHeight, heldBits),
                      "for its bitmap");
        next = QImage(newWidth, newHeight, storage_format(format));
        if (next.isNull()) {
            throw Exception("Not enough memory for a " + std::to_string(newWidth) + " x " +
                            std::to_string(newHeight) + " bitmap");
        }
        next.fill(0);
        if (next.format() != QImage::Format_RGB32) {
            next.setColorTable(palette ? PaletteColors(palette.get()) : grey_table());
        }
        // A bitmap given its height first holds no pixels yet: nothing to keep.
        const int shared = image.isNull() ? 0 : std::min(newWidth, width);
        for (int y = 0; shared > 0 && y < std::min(newHeight, height); ++y) {
            std::memcpy(next.scanLine(y), image.constScanLine(y), row_bytes(image, shared));
        }
    }
    image = std::move(next);
    width = newWidth;
    height = newHeight;
    Changed();
}

void TBitmap::PixelFormat(TPixelFormat newFormat)
{
    if (newFormat == format) {
        return;
    }
    if (newFormat == pf8bit) {
        ReduceToGrey();
    } else if (image.isNull()) {
        format = newFormat;
    } else if (storage_format(newFormat) == QImage::Format_RGB32) {
        QImage converted = image.convertToFormat(QImage::Format_RGB32);
        if (converted.isNull()) {
            throw Exception("Not enough memory to convert the picture");
        }
        image = std::move(converted);
        palette.reset();
        format = newFormat;
    } else {
        throw Exception("This bitmap cannot be converted to that pixel format");
    }
    Changed();
}

void TBitmap::ReduceToGrey()
{
    QImage grey;
    if (!image.isNull()) {
        RequireMemory(width, height, reduction_bytes(image), "to reduce it to 8 bits");
        grey = is_indexed(image) ? grey_from_indexed(image) : grey_from_colour(image);
        grey.setColorTable(grey_table());
    }
    PalettePtr greyPalette(PaletteFromColors(grey_table()));
    image = std::move(grey);
    palette = std::move(greyPalette);
    format = pf8bit;
}

void TBitmap::Palette(HPALETTE newPalette)
{
    if (newPalette != palette.get()) {
        palette.reset(newPalette);
    }
    if (is_indexed(image) && palette) {
        image.setColorTable(PaletteColors(palette.get()));
    }
    Changed();
}

void TBitmap::Assign(const TBitmap* source)
{
    if (source == this) {
        return;
    }
    PalettePtr copied(source->palette ? PaletteFromColors(PaletteColors(source->palette.get()))
                                      : nullptr);
    // Nothing below can fail.
    width = source->width;
    height = source->height;
    format = source->format;
    handleType = source->handleType;
    palette = std::move(copied);
    image = source->image;
    Changed();
}

std::uint8_t* TBitmap::ScanLine(int y)
{
    if (y < 0 || y >= height || image.isNull()) {
        throw Exception("Scan line " + std::to_string(y) + " is outside the " +
                        std::to_string(width) + " x " + std::to_string(height) + " bitmap");
    }
    std::uint8_t* row = image.scanLine(y);
    Changed();
    return row;
}

void TBitmap::LoadFromFile(const std::string& fileName)
{
    const QString name = QString::fromStdString(fileName);
    LoadedPicture picture;
    try {
        picture = read_picture(name);
    } catch (const Exception& e) {
        throw Exception("Cannot read the bitmap \"" + fileName + "\": " + e.Message());
    }
    QImage& loaded = picture.image;
    const TPixelFormat loadedFormat = format_of_depth(picture.bitsPerPixel);
    PalettePtr loadedPalette(is_indexed(loaded) ? PaletteFromColors(loaded.colorTable()) : nullptr);
    if (is_indexed(loaded)) {
        complete_colour_table(loaded);
    }
    // Nothing below can fail: the bitmap changes all at once or not at all.
    width = loaded.width();
    height = loaded.height();
    format = loadedFormat == pf8bit && loaded.format() != QImage::Format_Indexed8 ? pfCustom
                                                                                  : loadedFormat;
    palette = std::move(loadedPalette);
    image = std::move(loaded);
    Changed();
}
