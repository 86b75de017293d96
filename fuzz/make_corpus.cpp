// Writes the fuzzers' seeds: one small file of every BMP variant the loader reads and of
// the other picture formats (PNG, JPEG, progressive JPEG, GIF, TIFF, WebP, PGM), for the
// whole road of a picture, and descriptions of files with long streams, for the codec.
#include "bmp_builder.h"
#include "stream_input.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::uint32_t> colours(int count)
{
    std::vector<std::uint32_t> table;
    for (int i = 0; i < count; ++i) {
        table.push_back(static_cast<std::uint32_t>(i) * 0x9e3779u & 0xffffff);
    }
    return table;
}

RawBmp uncompressed(int bits, int width, int height)
{
    RawBmp b;
    b.width = width;
    b.height = height;
    b.bits = static_cast<std::uint16_t>(bits);
    if (bits <= 8) {
        b.colours = colours(1 << bits);
    }
    const int row_bytes = (width * bits + 7) / 8;
    b.pixels = stored_rows(height < 0 ? -height : height, row_bytes, 0x5a);
    return b;
}

RawBmp bitfields(int bits, std::vector<std::uint32_t> masks, std::uint32_t header_size)
{
    RawBmp b = uncompressed(bits, 7, 5);
    b.compression = 3;
    b.header_size = header_size;
    b.masks = std::move(masks);
    return b;
}

RawBmp run_length(int bits, std::vector<std::uint8_t> stream)
{
    RawBmp b;
    b.width = 8;
    b.height = 3;
    b.bits = static_cast<std::uint16_t>(bits);
    b.compression = bits == 8 ? 1 : 2;
    b.colours = colours(1 << bits);
    b.pixels = std::move(stream);
    return b;
}

void save_bytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void save(const std::filesystem::path& folder, const std::string& name, const RawBmp& b)
{
    save_bytes(folder / (name + ".bmp"), b.bytes());
}

void save_pipeline_seeds(const std::filesystem::path& folder)
{
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        save(folder, "rgb" + std::to_string(bits), uncompressed(bits, 9, 6));
        save(folder, "topdown" + std::to_string(bits), uncompressed(bits, 5, -4));
    }
    RawBmp os2 = uncompressed(8, 6, 4);
    os2.header_size = 12;
    save(folder, "os2-8", os2);
    for (std::uint32_t header_size : {16u, 52u, 56u, 64u}) {
        RawBmp other = uncompressed(4, 6, 4);
        other.header_size = header_size;
        save(folder, "header" + std::to_string(header_size) + "-4", other);
    }
    save(folder, "bitfields565", bitfields(16, {0xf800, 0x07e0, 0x001f}, 40));
    save(folder, "bitfields555-v4", bitfields(16, {0x7c00, 0x03e0, 0x001f}, 108));
    save(folder, "bitfields32-v5", bitfields(32, {0xff0000, 0xff00, 0xff}, 124));
    save(folder, "bitfields32-101010", bitfields(32, {0x3ff00000, 0xffc00, 0x3ff}, 52));
    // Runs, a literal stretch, a jump, ends of rows and the end mark.
    save(folder, "rle8", run_length(8, {3, 1, 0, 3, 4, 5, 6, 0, 0, 0, 0, 2, 2, 1, 2, 7, 0, 1}));
    save(folder, "rle4",
         run_length(4, {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 1, 3, 0x77, 0, 1}));
}

QByteArray encoded(const QImage& picture, const char* format, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(picture) ? bytes : QByteArray();
}

// A progressive 1024 x 1024 JPEG whose last scan is repeated up to the 500 scans the walk
// over JPEG files lets through: the slowest JPEG the pipeline decodes for its size.
QByteArray most_scans_jpeg()
{
    // One grey: every refinement scan is a few bytes, and libjpeg still visits every block.
    QImage picture(1024, 1024, QImage::Format_Grayscale8);
    picture.fill(90);
    const QByteArray jpeg = encoded(picture, "jpeg", true);
    const qsizetype end = jpeg.lastIndexOf("\xff\xd9");
    const qsizetype last_scan = jpeg.lastIndexOf("\xff\xda", end);
    if (jpeg.isEmpty() || end < 0 || last_scan < 0) {
        return {};
    }
    const auto scans = static_cast<int>(jpeg.count("\xff\xda"));
    return jpeg.left(end) + jpeg.mid(last_scan, end - last_scan).repeated(500 - scans) +
           jpeg.mid(end);
}

// A small picture in each of the other formats Qt's plugins read.
void save_other_format_seeds(const std::filesystem::path& folder)
{
    QImage picture(12, 9, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgba(x * 20, y * 28, (x ^ y) * 16, 255 - x * y));
        }
    }
    const auto save_as = [&](const std::string& name, const char* format, bool progressive) {
        const QByteArray bytes = encoded(picture, format, progressive);
        if (!bytes.isEmpty()) {
            save_bytes(folder / name, {bytes.begin(), bytes.end()});
        } else {
            std::fprintf(stderr, "make_corpus: no %s writer, seed %s left out\n", format,
                         name.c_str());
        }
    };
    save_as("picture.png", "png", false);
    save_as("picture.jpg", "jpeg", false);
    save_as("progressive.jpg", "jpeg", true);
    const QByteArray scans = most_scans_jpeg();
    save_bytes(folder / "scans-500.jpg", {scans.begin(), scans.end()});
    save_as("picture.tif", "tiff", false);
    save_as("picture.webp", "webp", false);
    save_as("picture.pgm", "pgm", false);
    // Qt writes no GIF: two colours, a graphic control block, one 2 x 2 image, the trailer.
    save_bytes(folder / "picture.gif",
               {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0xf0,
                0x01, 0x00, 0x00, 0x00, 0x00, 0xff, 0xff, 0xff, 0x21, 0xf9, 0x04,
                0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x02,
                0x00, 0x02, 0x00, 0x00, 0x02, 0x02, 0x44, 0x5e, 0x00, 0x3b});
}

// A description of a 16 x 16 picture (header choice 2: 40 bytes) whose pixel data are
// the pieces.
stream_input stream_seed(std::uint8_t depth, std::uint8_t compression,
                         std::vector<stream_piece> pieces)
{
    stream_input input;
    input.depth_choice = depth;
    input.compression = compression;
    input.width = 16;
    input.height = 16;
    input.pieces = std::move(pieces);
    return input;
}

void save_stream_seeds(const std::filesystem::path& folder)
{
    const auto save_seed = [&](const std::string& name, const stream_input& input) {
        save_bytes(folder / name, encode_stream_input(input));
    };
    constexpr std::uint8_t eight = 2;
    constexpr std::uint8_t four = 1;
    for (std::uint8_t header = 0; header < 8; ++header) {
        stream_input rows = stream_seed(eight, 0, {{16, std::vector<std::uint8_t>(16, 0x5a)}});
        rows.header_choice = header;
        save_seed("rows-header" + std::to_string(header), rows);
    }
    stream_input masked = stream_seed(3, 3, {{16, std::vector<std::uint8_t>(32, 0xa7)}});
    masked.masks = {0xf800, 0x07e0, 0x001f};
    save_seed("masked16", masked);
    save_seed("rgb24", stream_seed(4, 0, {{16, std::vector<std::uint8_t>(48, 0x33)}}));
    stream_input short_table = stream_seed(eight, 0, {{16, std::vector<std::uint8_t>(16, 2)}});
    short_table.colour_count = 200;
    short_table.colour_entries = 3;
    save_seed("short-table", short_table);
    for (const auto& [depth, name] : {std::pair{eight, "rle8"}, std::pair{four, "rle4"}}) {
        const std::uint8_t coding = depth == eight ? 1 : 2;
        const std::string prefix = name;
        save_seed(prefix + "-codes", stream_seed(depth, coding,
                                                 {{1, {3, 1, 0, 3, 4, 5, 6, 0, 0, 0}},
                                                  {1, {0, 2, 2, 1, 2, 7, 0, 0}},
                                                  {14, {16, 0x21, 0, 0}},
                                                  {1, {0, 1}}}));
        save_seed(prefix + "-rows-up", stream_seed(depth, coding, {{8'421'505, {0, 2, 0, 255}}}));
        save_seed(prefix + "-row-ends", stream_seed(depth, coding, {{1'000'000, {0, 0}}}));
        save_seed(prefix + "-idle-jumps",
                  stream_seed(depth, coding, {{4'000'000, {0, 2, 0, 0}}, {1, {0, 1}}}));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: make_corpus FOLDER (writes FOLDER/pipeline and FOLDER/stream)\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder / "pipeline");
    std::filesystem::create_directories(folder / "stream");
    save_pipeline_seeds(folder / "pipeline");
    save_other_format_seeds(folder / "pipeline");
    save_stream_seeds(folder / "stream");
    return 0;
}
