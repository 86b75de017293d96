#include "Dib.h"
#include "Exception.h"
#include "Palette.h"
#include "TBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// A 5 x 3 8-bit bitmap whose pixel (x, y) is 10 y + x.
void fill_numbered(TBitmap& bitmap)
{
    bitmap.PixelFormat(pf8bit);
    bitmap.Height(3);
    bitmap.Width(5);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            bitmap.ScanLine(y)[x] = static_cast<std::uint8_t>(10 * y + x);
        }
    }
}

TEST(GetDIB, ExportsHeaderColourTableAndBottomUpPaddedRows)
{
    TBitmap bitmap;
    fill_numbered(bitmap);
    std::uint64_t info_size = 0;
    std::uint64_t image_size = 0;
    GetDIBSizes(bitmap.Handle(), info_size, image_size);
    EXPECT_EQ(info_size, 40u + 256u * 4u);
    EXPECT_EQ(image_size, 8u * 3u); // 5 bytes padded to 8, three rows

    std::vector<std::uint8_t> info(info_size, 0xcc);
    std::vector<std::uint8_t> bits(image_size, 0xcc);
    ASSERT_TRUE(GetDIB(bitmap.Handle(), bitmap.Palette(), info.data(), bits.data()));

    BITMAPINFOHEADER header;
    std::memcpy(&header, info.data(), sizeof header);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 5);
    EXPECT_EQ(header.biHeight, 3);
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_EQ(header.biClrUsed, 256u);
    // The grey palette of an 8-bit reduction: entry 77 is blue = green = red = 77.
    EXPECT_EQ(info[40 + 4 * 77], 77);
    EXPECT_EQ(info[40 + 4 * 77 + 2], 77);
    EXPECT_EQ(info[40 + 4 * 77 + 3], 0);

    const std::vector<std::uint8_t> lastRowFirst = {20, 21, 22, 23, 24, 0, 0, 0};
    EXPECT_TRUE(std::equal(lastRowFirst.begin(), lastRowFirst.end(), bits.begin()));
    EXPECT_EQ(bits[16], 0);
    EXPECT_EQ(bits[20], 4);
}

// Both blocks filled twice, over buffers holding different bytes: any byte the export
// leaves unset (row padding, the header's gaps, unused colour entries) tells them apart.
TEST(GetDIB, SetsEveryByteOfBothBlocks)
{
    TBitmap grey;
    grey.PixelFormat(pf8bit);
    grey.Height(3);
    grey.Width(1);
    TBitmap mono;
    mono.PixelFormat(pf1bit);
    mono.Height(2);
    mono.Width(3);
    TBitmap colour;
    colour.PixelFormat(pf32bit);
    colour.Height(1);
    colour.Width(1);
    for (TBitmap* bitmap : {&grey, &mono, &colour}) {
        std::uint64_t info_size = 0;
        std::uint64_t image_size = 0;
        GetDIBSizes(bitmap->Handle(), info_size, image_size);
        std::vector<std::uint8_t> filled[2][2];
        for (int run = 0; run < 2; ++run) {
            const std::uint8_t before = run == 0 ? 0xaa : 0x55;
            filled[run][0].assign(info_size, before);
            filled[run][1].assign(image_size, before);
            ASSERT_TRUE(GetDIB(bitmap->Handle(), bitmap->Palette(), filled[run][0].data(),
                               filled[run][1].data()));
        }
        EXPECT_EQ(filled[0][0], filled[1][0]) << bitmap->PixelFormat();
        EXPECT_EQ(filled[0][1], filled[1][1]) << bitmap->PixelFormat();
    }
}

TEST(GetDIB, TakesTheColourTableFromTheGivenPalette)
{
    TBitmap bitmap;
    fill_numbered(bitmap);
    const HPALETTE palette = palette_from_colors({qRgb(10, 20, 30)});
    std::uint64_t info_size = 0;
    std::uint64_t image_size = 0;
    GetDIBSizes(bitmap.Handle(), info_size, image_size);
    std::vector<std::uint8_t> info(info_size);
    std::vector<std::uint8_t> bits(image_size);
    ASSERT_TRUE(GetDIB(bitmap.Handle(), palette, info.data(), bits.data()));
    EXPECT_EQ(info[40], 30);
    EXPECT_EQ(info[41], 20);
    EXPECT_EQ(info[42], 10);
    EXPECT_EQ(info[44], 0); // entries the palette lacks are black
    DeleteObject(palette);
}

TEST(GetDIB, FailsForEmptyBitmapsUnknownHandlesAndMissingBuffers)
{
    std::vector<std::uint8_t> info(2048);
    std::vector<std::uint8_t> bits(64);
    TBitmap empty;
    EXPECT_FALSE(GetDIB(empty.Handle(), nullptr, info.data(), bits.data()));

    HBITMAP stale;
    {
        TBitmap gone;
        fill_numbered(gone);
        stale = gone.Handle();
    }
    EXPECT_FALSE(GetDIB(stale, nullptr, info.data(), bits.data()));
    std::uint64_t info_size = 0;
    std::uint64_t image_size = 0;
    EXPECT_THROW(GetDIBSizes(stale, info_size, image_size), Exception);

    TBitmap live;
    fill_numbered(live);
    EXPECT_FALSE(GetDIB(live.Handle(), nullptr, nullptr, bits.data()));
    EXPECT_FALSE(GetDIB(live.Handle(), nullptr, info.data(), nullptr));
}

TEST(CreatePalette, BuildsThePaletteOfALogicalRecord)
{
    std::vector<std::byte> storage(log_palette_size(3));
    auto* record = reinterpret_cast<LOGPALETTE*>(storage.data());
    record->palVersion = 0x300;
    record->palNumEntries = 3;
    PALETTEENTRY* entries = palette_entries(record);
    entries[0] = {1, 2, 3, 0};
    entries[1] = {4, 5, 6, 0};
    entries[2] = {255, 128, 0, 0};
    const HPALETTE palette = CreatePalette(record);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette_colors(palette),
              (QList<QRgb>{qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(255, 128, 0)}));
    DeleteObject(palette);
    EXPECT_EQ(log_palette_size(256), 1028u);
    EXPECT_EQ(CreatePalette(nullptr), nullptr);
}

} // namespace
