#include "TBitmap.h"

#include "Exception.h"
#include "bitmap_file.h"
#include "bmp_codec.h"
#include "bmp_failure_text.h"
#include "file_name.h"
#include "memory_budget.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>

namespace {

// Every bitmap alive, so that a handle naming none is told apart. Bitmaps are made and
// dropped on any thread: a batch loads its pictures side by side.
class bitmap_registry
{
public:
    void add(const TBitmap* bitmap)
    {
        const std::lock_guard held(lock);
        bitmaps.insert(bitmap);
    }

    void remove(const TBitmap* bitmap)
    {
        const std::lock_guard held(lock);
        bitmaps.erase(bitmap);
    }

    bool contains(const TBitmap* bitmap) const
    {
        const std::lock_guard held(lock);
        return bitmaps.contains(bitmap);
    }

private:
    mutable std::mutex lock;
    std::unordered_set<const TBitmap*> bitmaps;
};

bitmap_registry& live_bitmaps()
{
    static bitmap_registry bitmaps;
    return bitmaps;
}

// Pictures of 8 bits or fewer are held one byte per pixel, deeper ones as 32-bit pixels.
QImage::Format storage_format(TPixelFormat format)
{
    switch (format) {
    case pf1bit:
    case pf4bit:
    case pf8bit:
        return QImage::Format_Indexed8;
    default:
        return QImage::Format_RGB32;
    }
}

TPixelFormat format_of_depth(int bits_per_pixel)
{
    switch (bits_per_pixel) {
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
    default:
        return pf32bit;
    }
}

template <typename T> T& accepted(bmp::outcome<T>& result)
{
    if (!result.ok()) {
        throw Exception(bmp_failure_text(result.reason()));
    }
    return result.value();
}

// QImage counts sides and the bits of a row in int.
void require_image_sides(const bmp::header& header)
{
    const int depth = header.bits_per_pixel <= 8 ? 8 : 32;
    if (header.rows > INT_MAX || header.width > (INT_MAX - 31) / depth) {
        throw Exception(QCoreApplication::translate(
                            "bitmap", "a %1 x %2 picture is larger than this program holds")
                            .arg(QString::number(header.width), QString::number(header.rows)));
    }
}

// The decoded picture as a QImage that owns its pixels; nothing is copied.
QImage image_of(bmp::picture& picture)
{
    const bool indexed = picture.kind == bmp::pixel_kind::indices;
    std::uint8_t* pixels = picture.pixels.get();
    QImage image(
        pixels, static_cast<int>(picture.width), static_cast<int>(picture.height),
        static_cast<qsizetype>(picture.stride),
        indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32,
        [](void* data) { delete[] static_cast<std::uint8_t*>(data); }, pixels);
    if (image.isNull()) {
        throw Exception(
            QCoreApplication::translate("bitmap", "the picture cannot be held in memory"));
    }
    picture.pixels.release();
    if (indexed) {
        image.setColorTable(QList<QRgb>(picture.colours.begin(), picture.colours.end()));
    }
    return image;
}

} // namespace

struct loaded_picture
{
    QImage image;
    int bits_per_pixel = 0; // as the file stores it
};

namespace {

// Budget first, then touch: the picture and the buffers the file is read into are
// counted from the header's sides before any of them is allocated.
loaded_picture read_picture(bmp::byte_source& file)
{
    bmp::outcome<bmp::header> header = bmp::read_header(file);
    const bmp::header& h = accepted(header);
    require_memory(h.width, h.rows, bmp::decoding_bytes(h),
                   QCoreApplication::translate("memory", "to load it").toStdString());
    require_image_sides(h);
    try {
        bmp::outcome<bmp::picture> picture = bmp::read_picture(file, h);
        return {image_of(accepted(picture)), h.bits_per_pixel};
    } catch (const std::bad_alloc&) {
        throw Exception(
            QCoreApplication::translate("bitmap", "there is not enough memory to load it"));
    }
}

// Pixels may hold indices past the end of a short colour table; a full table (black past
// the file's colours) keeps every later conversion and painting inside it.
void complete_colour_table(QImage& image)
{
    QList<QRgb> colours = image.colorTable();
    if (colours.size() < 256) {
        colours.resize(256, qRgb(0, 0, 0));
        image.setColorTable(colours);
    }
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
        grey[i] = grey_level(qRed(colors[i]), qGreen(colors[i]), qBlue(colors[i]));
    }
    return grey;
}

// Each index becomes the grey level of its colour, in the picture's own rows.
void grey_in_place(QImage& image)
{
    const std::array<std::uint8_t, 256> lut = grey_of_indices(image.colorTable());
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* row = image.scanLine(y);
        std::transform(row, row + width, row, [&](std::uint8_t i) { return lut[i]; });
    }
}

// An image Qt allocated for the 8-bit picture, or the reason it could not.
QImage allocated(QImage image)
{
    if (image.isNull()) {
        throw Exception(QCoreApplication::translate(
            "bitmap", "Not enough memory to reduce the picture to 8 bits"));
    }
    return image;
}

// The grey levels of a picture of 32-bit pixels (Format_RGB32), rows padded with zeros.
QImage grey_from_colour(const QImage& source)
{
    QImage grey = allocated(QImage(source.width(), source.height(), QImage::Format_Indexed8));
    const auto width = static_cast<std::size_t>(source.width());
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        std::uint8_t* out = grey.scanLine(y);
        for (std::size_t x = 0; x < width; ++x) {
            out[x] = grey_level(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
        }
        // An 8-bit row holds at least its width in bytes, so this cannot wrap.
        std::memset(out + width, 0, static_cast<std::size_t>(grey.bytesPerLine()) - width);
    }
    return grey;
}

bool is_indexed(const QImage& image)
{
    return image.format() == QImage::Format_Indexed8;
}

} // namespace

TBitmap::TBitmap()
{
    live_bitmaps().add(this);
}

TBitmap::~TBitmap()
{
    live_bitmaps().remove(this);
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

void TBitmap::Width(int new_width)
{
    Resize(new_width, height);
}

void TBitmap::Height(int new_height)
{
    Resize(width, new_height);
}

void TBitmap::Resize(int new_width, int new_height)
{
    if (new_width < 0 || new_height < 0) {
        throw Exception(QCoreApplication::translate("bitmap", "A bitmap cannot be %1 x %2 pixels")
                            .arg(new_width)
                            .arg(new_height));
    }
    if (new_width == width && new_height == height) {
        return;
    }
    QImage next;
    if (new_width > 0 && new_height > 0) {
        const int held_bits = storage_format(format) == QImage::Format_RGB32 ? 32 : 8;
        require_memory(new_width, new_height, picture_bytes(new_width, new_height, held_bits),
                       QCoreApplication::translate("memory", "for its bitmap").toStdString());
        next = QImage(new_width, new_height, storage_format(format));
        if (next.isNull()) {
            throw Exception(
                QCoreApplication::translate("bitmap", "Not enough memory for a %1 x %2 bitmap")
                    .arg(new_width)
                    .arg(new_height));
        }
        next.fill(0);
        if (next.format() != QImage::Format_RGB32) {
            next.setColorTable(palette ? palette_colors(palette.get()) : grey_table());
        }
        // A bitmap given its height first holds no pixels yet: nothing to keep.
        const int shared = image.isNull() ? 0 : std::min(new_width, width);
        for (int y = 0; shared > 0 && y < std::min(new_height, height); ++y) {
            std::memcpy(next.scanLine(y), image.constScanLine(y), row_bytes(image, shared));
        }
    }
    image = std::move(next);
    width = new_width;
    height = new_height;
    Changed();
}

void TBitmap::PixelFormat(TPixelFormat new_format)
{
    if (new_format == format) {
        return;
    }
    if (new_format == pf8bit) {
        ReduceToGrey();
    } else if (image.isNull()) {
        format = new_format;
    } else if (storage_format(new_format) == QImage::Format_RGB32) {
        require_memory(width, height, picture_bytes(width, height, 32),
                       QCoreApplication::translate("memory", "to convert it").toStdString());
        QImage converted = image.convertToFormat(QImage::Format_RGB32);
        if (converted.isNull()) {
            throw Exception(
                QCoreApplication::translate("bitmap", "Not enough memory to convert the picture"));
        }
        image = std::move(converted);
        palette.reset();
        format = new_format;
    } else {
        throw Exception(QCoreApplication::translate(
            "bitmap", "This bitmap cannot be converted to that pixel format"));
    }
    Changed();
}

void TBitmap::ReduceToGrey()
{
    const QList<QRgb> greys = grey_table();
    palette_pointer grey_palette(palette_from_colors(greys));
    const auto count_copy = [&] {
        require_memory(
            width, height, picture_bytes(width, height, 8),
            QCoreApplication::translate("memory", "to reduce it to 8 bits").toStdString());
    };
    if (is_indexed(image)) {
        // Indices turn grey where they are; only rows another image shares are copied first.
        if (!image.isDetached()) {
            count_copy();
            image = allocated(image.copy());
        }
        grey_in_place(image);
    } else if (!image.isNull()) {
        count_copy();
        image = grey_from_colour(image);
    }
    // Nothing from here on can fail.
    if (!image.isNull()) {
        image.setColorTable(greys);
    }
    palette = std::move(grey_palette);
    format = pf8bit;
}

void TBitmap::Palette(HPALETTE new_palette)
{
    if (new_palette != palette.get()) {
        palette.reset(new_palette);
    }
    if (is_indexed(image) && palette) {
        image.setColorTable(palette_colors(palette.get()));
    }
    Changed();
}

void TBitmap::Assign(const TBitmap* source)
{
    if (source == this) {
        return;
    }
    palette_pointer copied(
        source->palette ? palette_from_colors(palette_colors(source->palette.get())) : nullptr);
    // Nothing below can fail.
    width = source->width;
    height = source->height;
    format = source->format;
    handle_type = source->handle_type;
    palette = std::move(copied);
    image = source->image;
    Changed();
}

std::uint8_t* TBitmap::ScanLine(int y)
{
    if (y < 0 || y >= height || image.isNull()) {
        throw Exception(
            QCoreApplication::translate("bitmap", "Scan line %1 is outside the %2 x %3 bitmap")
                .arg(y)
                .arg(width)
                .arg(height));
    }
    std::uint8_t* row = image.scanLine(y);
    Changed();
    return row;
}

void TBitmap::LoadFromFile(const std::string& file_name)
{
    LoadNamed(file_name, [&] {
        bitmap_file file(file_name);
        return read_picture(file);
    });
}

void TBitmap::LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& name)
{
    LoadNamed(name, [&] {
        bmp::memory_source source(bytes);
        return read_picture(source);
    });
}

void TBitmap::LoadNamed(const std::string& name, const std::function<loaded_picture()>& read)
{
    loaded_picture picture;
    try {
        picture = read();
    } catch (const Exception& e) {
        throw Exception(
            QCoreApplication::translate("bitmap", "Cannot read the bitmap \"%1\": %2")
                .arg(shown_name(file_name_from_bytes(name)), QString::fromStdString(e.Message())));
    }
    QImage& loaded = picture.image;
    const TPixelFormat loaded_format = format_of_depth(picture.bits_per_pixel);
    palette_pointer loaded_palette(is_indexed(loaded) ? palette_from_colors(loaded.colorTable())
                                                      : nullptr);
    if (is_indexed(loaded)) {
        complete_colour_table(loaded);
    }
    // Nothing below can fail: the bitmap changes all at once or not at all.
    width = loaded.width();
    height = loaded.height();
    format = loaded_format;
    palette = std::move(loaded_palette);
    image = std::move(loaded);
    Changed();
}
