#include "BmpDecode.h"

#include "Exception.h"

#include <bit>
#include <cstdint>
#include <string>

namespace {

QImage blank_image(const BmpHeader& header, QImage::Format format)
{
    QImage image(static_cast<int>(header.width), static_cast<int>(header.rows()), format);
    if (image.isNull()) {
        throw Exception("a " + std::to_string(header.width) + " x " +
                        std::to_string(header.rows()) + " picture cannot be held in memory");
    }
    image.fill(0);
    return image;
}

// Walks a run-length stream: rows are stored bottom first, each code either a run of one
// value, an end of row, a jump, the end of the picture or a stretch of literal values.
class RunLengthReader
{
public:
    RunLengthReader(const QByteArray& stream, QImage& image, bool fourBit)
        : stream(stream), image(image), fourBit(fourBit)
    {
    }

    void Read()
    {
        for (;;) {
            const int count = NextByte();
            const int code = NextByte();
            if (count > 0) {
                Run(count, code);
            } else if (code == 0) {
                x = 0;
                ++y;
            } else if (code == 1) {
                return;
            } else if (code == 2) {
                x += NextByte();
                y += NextByte();
            } else {
                Literal(code);
            }
        }
    }

private:
    int NextByte()
    {
        if (at >= stream.size()) {
            throw Exception("the compressed pixel data ends before its end mark");
        }
        return static_cast<unsigned char>(stream[at++]);
    }

    void Put(int value)
    {
        if (x >= image.width() || y >= image.height()) {
            throw Exception("the compressed pixel data runs past the picture");
        }
        image.scanLine(image.height() - 1 - y)[x++] = static_cast<std::uint8_t>(value);
    }

    // A run of RLE4 alternates the two values of its byte, high one first.
    void Run(int count, int value)
    {
        for (int i = 0; i < count; ++i) {
            Put(fourBit ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
        }
    }

    // Literal values, packed two to a byte in RLE4; the stretch is padded to 2 bytes.
    void Literal(int count)
    {
        const int bytes = fourBit ? (count + 1) / 2 : count;
        for (int i = 0; i < bytes; ++i) {
            const int value = NextByte();
            if (fourBit) {
                Put(value >> 4);
                if (2 * i + 1 < count) {
                    Put(value & 15);
                }
            } else {
                Put(value);
            }
        }
        if (bytes % 2 == 1) {
            NextByte();
        }
    }

    const QByteArray& stream;
    QImage& image;
    const bool fourBit;
    qsizetype at = 0;
    int x = 0;
    int y = 0;
};

// One colour channel of a pixel, widened to 8 bits.
class Channel
{
public:
    explicit Channel(std::uint32_t mask)
        : shift(std::countr_zero(mask)), maximum(mask >> std::countr_zero(mask))
    {
    }

    int Of(std::uint32_t pixel) const
    {
        const std::uint32_t value = pixel >> shift & maximum;
        const int width = std::bit_width(maximum);
        return static_cast<int>(width > 8 ? value >> (width - 8) : value * 255 / maximum);
    }

private:
    int shift;
    std::uint32_t maximum;
};

std::uint32_t little_endian(const char* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

} // namespace

QImage DecodeRunLength(const QByteArray& pixels, const BmpHeader& header,
                       const QList<QRgb>& colours)
{
    QImage image = blank_image(header, QImage::Format_Indexed8);
    image.setColorTable(colours);
    RunLengthReader(pixels, image, header.compression == BI_RLE4).Read();
    return image;
}

QImage DecodeMasked(const QByteArray& pixels, const BmpHeader& header)
{
    if (pixels.size() / header.stride() < header.rows()) {
        throw Exception("the file is truncated");
    }
    QImage image = blank_image(header, QImage::Format_RGB32);
    const Channel red(header.masks[0]);
    const Channel green(header.masks[1]);
    const Channel blue(header.masks[2]);
    const int bytesPerPixel = header.bitsPerPixel / 8;
    for (int row = 0; row < image.height(); ++row) {
        const int y = header.topDown() ? row : image.height() - 1 - row;
        const char* in = pixels.constData() + row * header.stride();
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x, in += bytesPerPixel) {
            const std::uint32_t pixel = little_endian(in, bytesPerPixel);
            out[x] = qRgb(red.Of(pixel), green.Of(pixel), blue.Of(pixel));
        }
    }
    return image;
}
