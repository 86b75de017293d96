#include "Exception.h"
#include "TBitmap.h"

#include "bmp_writer.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Every pixel of `bitmap`, row 0 at the top, read through ScanLine (8-bit only).
std::vector<std::uint32_t> bytes_of(TBitmap& bitmap)
{
    std::vector<std::uint32_t> out;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        out.insert(out.end(), row, row + bitmap.Width());
    }
    return out;
}

std::vector<std::uint32_t> pattern(int width, int height, std::uint32_t modulo)
{
    std::vector<std::uint32_t> p;
    for (int i = 0; i < width * height; ++i) {
        p.push_back((i * 37u + i / width * 11u) % modulo);
    }
    return p;
}

std::uint32_t grey_of(std::uint32_t rgb)
{
    return static_cast<std::uint32_t>(grey_level((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255));
}

BmpPicture colour_picture(int bits, int width, int height)
{
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.push_back((i * 2654435761u) & 0xffffff);
    }
    return BmpPicture{width, height, bits, {}, pixels, false};
}

TEST(LoadFromFile, EightBitGreyKeepsItsBytes)
{
    const BmpPicture p = grey_picture(7, 5, pattern(7, 5, 256));
    write_bmp(temp_path("grey8.bmp"), p);
    TBitmap bitmap;
    bitmap.LoadFromFile(temp_path("grey8.bmp"));
    EXPECT_EQ(bitmap.Width(), 7);
    EXPECT_EQ(bitmap.Height(), 5);
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    bitmap.PixelFormat(pf8bit);
    EXPECT_EQ(bytes_of(bitmap), p.pixels);
}

TEST(LoadFromFile, EightBitColourPaletteKeepsIndicesAndPalette)
{
    std::vector<std::uint32_t> colours;
    for (std::uint32_t i = 0; i < 16; ++i) {
        colours.push_back(0xff0000 - i * 0x0f0f01);
    }
    const BmpPicture p{5, 3, 8, colours, pattern(5, 3, 16), false};
    write_bmp(temp_path("colour8.bmp"), p);
    TBitmap bitmap;
    bitmap.LoadFromFile(temp_path("colour8.bmp"));
    bitmap.PixelFormat(pf8bit);
    EXPECT_EQ(bytes_of(bitmap), p.pixels);
    const QList<QRgb> table = palette_colors(bitmap.Palette());
    ASSERT_GE(table.size(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(table[i] & 0xffffff, colours[i]) << i;
    }
}

TEST(LoadFromFile, TopDownRowsComeOutTopFirst)
{
    BmpPicture p = grey_picture(3, 4, pattern(3, 4, 256));
    p.topDown = true;
    write_bmp(temp_path("topdown.bmp"), p);
    TBitmap bitmap;
    bitmap.LoadFromFile(temp_path("topdown.bmp"));
    EXPECT_EQ(bytes_of(bitmap), p.pixels);
}

class Reduction : public testing::TestWithParam<int>
{
};

TEST_P(Reduction, ColourPixelsBecomeTheirGreyLevel)
{
    const int bits = GetParam();
    const BmpPicture p = colour_picture(bits, 9, 4); // odd width: rows are padded
    const std::string path = temp_path("colour" + std::to_string(bits) + ".bmp");
    write_bmp(path, p);
    TBitmap bitmap;
    bitmap.LoadFromFile(path);
    EXPECT_EQ(bitmap.PixelFormat(), bits == 24 ? pf24bit : pf32bit);
    bitmap.PixelFormat(pf8bit);
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    std::vector<std::uint32_t> want;
    for (std::uint32_t rgb : p.pixels) {
        want.push_back(grey_of(rgb));
    }
    EXPECT_EQ(bytes_of(bitmap), want);
    const QList<QRgb> table = palette_colors(bitmap.Palette());
    ASSERT_EQ(table.size(), 256);
    EXPECT_EQ(table[200], qRgb(200, 200, 200));
}

INSTANTIATE_TEST_SUITE_P(Depths, Reduction, testing::Values(24, 32));

TEST(LoadFromFile, FewerBitsPerPixelAreReducedThroughTheirPalette)
{
    const std::vector<std::uint32_t> two = {0x000000, 0xffffff};
    const std::vector<std::uint32_t> sixteen = {
        0x102030, 0xff8000, 0x00ff00, 0x0000ff, 0x808080, 0x123456, 0xabcdef, 0x010101,
        0xfefefe, 0x7f0000, 0x007f00, 0x00007f, 0x333333, 0x999999, 0xcccccc, 0xffff00};
    for (const BmpPicture& p : {BmpPicture{13, 3, 1, two, pattern(13, 3, 2), false},
                                BmpPicture{7, 5, 4, sixteen, pattern(7, 5, 16), true}}) {
        const std::string path = temp_path("low" + std::to_string(p.bits) + ".bmp");
        write_bmp(path, p);
        TBitmap bitmap;
        bitmap.LoadFromFile(path);
        EXPECT_EQ(bitmap.PixelFormat(), p.bits == 1 ? pf1bit : pf4bit);
        bitmap.PixelFormat(pf8bit);
        std::vector<std::uint32_t> want;
        for (std::uint32_t index : p.pixels) {
            want.push_back(grey_of(p.colours[index]));
        }
        EXPECT_EQ(bytes_of(bitmap), want) << p.bits << " bits";
    }
}

// A failed load raises, names the file and leaves the previous picture as it was.
void expect_refused_and_kept(const std::string& path)
{
    const BmpPicture before = grey_picture(4, 2, pattern(4, 2, 256));
    write_bmp(temp_path("before.bmp"), before);
    TBitmap bitmap;
    bitmap.LoadFromFile(temp_path("before.bmp"));
    bitmap.PixelFormat(pf8bit);
    try {
        bitmap.LoadFromFile(path);
        ADD_FAILURE() << path << " was accepted";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
    }
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    EXPECT_EQ(bytes_of(bitmap), before.pixels);
}

TEST(LoadFromFile, TruncatedFileIsRefused)
{
    std::vector<std::uint8_t> bytes = encode_bmp(grey_picture(64, 64, pattern(64, 64, 256)));
    bytes.resize(bytes.size() / 2);
    write_file(temp_path("truncated.bmp"), bytes);
    expect_refused_and_kept(temp_path("truncated.bmp"));
}

TEST(LoadFromFile, OtherFormatsUnderABmpNameAreRefused)
{
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(Qt::red);
    ASSERT_TRUE(png.save(QString::fromStdString(temp_path("picture.png")), "png"));
    std::rename(temp_path("picture.png").c_str(), temp_path("renamed.bmp").c_str());
    expect_refused_and_kept(temp_path("renamed.bmp"));
    write_file(temp_path("text.bmp"), {'h', 'e', 'l', 'l', 'o'});
    expect_refused_and_kept(temp_path("text.bmp"));
    expect_refused_and_kept(temp_path("does-not-exist.bmp"));
}

TEST(TBitmap, ScanLineOutsideThePictureRaises)
{
    TBitmap bitmap;
    EXPECT_THROW(bitmap.ScanLine(0), Exception);
    bitmap.PixelFormat(pf8bit);
    bitmap.Height(3);
    bitmap.Width(2);
    EXPECT_NO_THROW(bitmap.ScanLine(2));
    EXPECT_THROW(bitmap.ScanLine(3), Exception);
    EXPECT_THROW(bitmap.ScanLine(-1), Exception);
}

TEST(TBitmap, ResizingKeepsTheOverlapAndClearsTheRest)
{
    TBitmap bitmap;
    bitmap.PixelFormat(pf8bit);
    bitmap.Height(2);
    bitmap.Width(3);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            bitmap.ScanLine(y)[x] = static_cast<std::uint8_t>(10 * y + x + 1);
        }
    }
    bitmap.Width(4);
    bitmap.Height(3);
    EXPECT_EQ(bytes_of(bitmap),
              (std::vector<std::uint32_t>{1, 2, 3, 0, 11, 12, 13, 0, 0, 0, 0, 0}));
    bitmap.Width(2);
    EXPECT_EQ(bytes_of(bitmap), (std::vector<std::uint32_t>{1, 2, 11, 12, 0, 0}));
    EXPECT_THROW(bitmap.Width(-1), Exception);
    EXPECT_EQ(bitmap.Width(), 2);
}

TEST(TBitmap, KeepsThePaletteItIsGivenAndPaintsWithIt)
{
    TBitmap bitmap;
    bitmap.PixelFormat(pf8bit);
    bitmap.Height(1);
    bitmap.Width(1);
    bitmap.Palette(palette_from_colors({qRgb(1, 2, 3)}));
    const HPALETTE second = palette_from_colors({qRgb(9, 8, 7), qRgb(4, 5, 6)});
    bitmap.Palette(second); // the first is released here, the second kept
    EXPECT_EQ(bitmap.Palette(), second);
    EXPECT_EQ(bitmap.Image().color(1), qRgb(4, 5, 6));
}

TEST(TBitmap, ReportsEveryChange)
{
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&] { ++changes; };
    bitmap.PixelFormat(pf8bit);
    bitmap.Height(2);
    bitmap.Width(2);
    bitmap.Palette(palette_from_colors({qRgb(0, 0, 0)}));
    EXPECT_EQ(changes, 4);
}

} // namespace
