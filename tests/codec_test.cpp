// The BMP codec on its own, on files built in memory.
#include "bmp_codec.h"

#include "bmp_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

bmp::outcome<bmp::picture> decode_bytes(const std::vector<std::uint8_t>& bytes)
{
    bmp::memory_source source(bytes);
    return bmp::decode(source);
}

void expect_refused(const RawBmp& file, bmp::fault kind)
{
    const bmp::outcome<bmp::picture> result = decode_bytes(file.bytes());
    ASSERT_FALSE(result.ok()) << "decoded";
    EXPECT_EQ(result.reason().kind, kind);
}

// The picture of a file that must decode.
bmp::picture decoded(const RawBmp& file)
{
    bmp::outcome<bmp::picture> result = decode_bytes(file.bytes());
    if (!result.ok()) {
        ADD_FAILURE() << "refused, fault " << static_cast<int>(result.reason().kind);
        return {};
    }
    return std::move(result.value());
}

// Every byte of every row, padding included, row 0 at the top.
std::vector<std::uint8_t> stored_bytes(bmp::picture& p)
{
    return {p.pixels.get(), p.pixels.get() + p.stride * static_cast<std::size_t>(p.height)};
}

// The pixel bytes only: `width` bytes of each row.
std::vector<std::uint8_t> indices(bmp::picture& p)
{
    std::vector<std::uint8_t> out;
    for (std::int64_t y = 0; y < p.height; ++y) {
        out.insert(out.end(), p.row(y), p.row(y) + p.width);
    }
    return out;
}

// Streams of millions of codes, each harmless alone, that together once carried the
// position out of int: every code that would leave the picture is refused at once.
TEST(RunLengthCodec, JumpsAndEndsOfRowRepeatedMillionsOfTimesAreRefused)
{
    // 34 MB: 2^31 rows upward in jumps of 255.
    const std::vector<std::uint8_t> upward = repeated({0, 2, 0, 255}, 8'421'505);
    // Two million ends of row; two million steps of one pixel to the right.
    const std::vector<std::uint8_t> rowEnds = repeated({0, 0}, 2'000'000);
    const std::vector<std::uint8_t> rightward = repeated({0, 2, 1, 0}, 2'000'000);
    for (const auto make : {rle8, rle4}) {
        expect_refused(make(16, 16, upward), bmp::fault::jump_past_picture);
        expect_refused(make(16, 16, rowEnds), bmp::fault::rows_past_picture);
        expect_refused(make(16, 16, rightward), bmp::fault::jump_past_picture);
    }
}

TEST(RunLengthCodec, JumpsAndEndsOfRowMayReachTheEdgeButNotWritePastIt)
{
    // To the right edge of the bottom row, then past the top row by ends of row.
    bmp::picture edge = decoded(rle8(3, 2, {0, 2, 3, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(indices(edge), std::vector<std::uint8_t>(6, 0));
    expect_refused(rle8(3, 2, {0, 2, 3, 0, 1, 5, 0, 1}), bmp::fault::run_past_picture);
    expect_refused(rle8(3, 2, {0, 2, 0, 2, 1, 5, 0, 1}), bmp::fault::run_past_picture);
    expect_refused(rle8(3, 2, {0, 2, 0, 3, 0, 1}), bmp::fault::jump_past_picture);
    expect_refused(rle4(3, 2, {0, 0, 0, 0, 0, 0, 0, 1}), bmp::fault::rows_past_picture);
    // A literal stretch longer than the rest of its row is refused before it is read.
    expect_refused(rle4(3, 2, {0, 4, 0x12}), bmp::fault::run_past_picture);
}

TEST(RunLengthCodec, CodesLandOnTheirPixelsAndSkippedPixelsAreZero)
{
    // Bottom row: a run of 2 then a jump of 1 right and 1 up; top row from x = 3: an odd
    // RLE4 literal of 3 (two bytes, padded to an even count), then the end mark.
    bmp::picture p = decoded(rle4(6, 2, {2, 0x9a, 0, 2, 1, 1, 0, 3, 0x12, 0x30, 0, 1}));
    EXPECT_EQ(stored_bytes(p), (std::vector<std::uint8_t>{0, 0, 0, 1, 2, 3, 0, 0, //
                                                          9, 10, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(p.colours.size(), 16u);
}

// The same 5 x 3 picture of 8-bit indices under every header this codec reads.
TEST(HeaderCodec, EveryHeaderSizeGivesTheSamePicture)
{
    RawBmp file = grey_palette(5, 3);
    file.colours.resize(7);
    file.pixels = {1, 2, 3, 4, 5, 0, 0, 0, 6, 5, 4, 3, 2, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0};
    const std::vector<std::uint8_t> topFirst = {0, 1, 0, 1, 0, 6, 5, 4, 3, 2, 1, 2, 3, 4, 5};
    std::vector<std::uint32_t> opaque;
    for (std::uint32_t colour : file.colours) {
        opaque.push_back(0xff000000u | colour);
    }
    for (std::uint32_t size : {12u, 16u, 40u, 52u, 56u, 64u, 108u, 124u}) {
        SCOPED_TRACE(size);
        file.header_size = size;
        bmp::picture p = decoded(file);
        EXPECT_EQ(indices(p), topFirst);
        EXPECT_EQ(p.colours, opaque);
    }
}

// OS/2 1.x sides are unsigned 16-bit numbers and its rows are stored bottom first.
TEST(HeaderCodec, Os2SidesReachPast32767)
{
    RawBmp tall = grey_palette(1, 40000);
    tall.header_size = 12;
    for (int i = 0; i < 40000; ++i) {
        tall.pixels.insert(tall.pixels.end(), {static_cast<std::uint8_t>(i % 251), 0, 0, 0});
    }
    bmp::picture p = decoded(tall);
    ASSERT_EQ(p.height, 40000);
    for (std::int64_t y : {0, 1, 20000, 39999}) {
        EXPECT_EQ(p.row(y)[0], (39999 - y) % 251) << y;
    }
    RawBmp wide = grey_palette(65535, 1);
    wide.header_size = 12;
    wide.pixels = stored_rows(1, 65535, 3);
    bmp::picture w = decoded(wide);
    EXPECT_EQ(w.width, 65535);
    EXPECT_EQ(indices(w), std::vector<std::uint8_t>(65535, 3));
}

// Run-length codes mean the same after the full OS/2 2.x header; code 3 there is
// Huffman coding, which is refused.
TEST(HeaderCodec, Os2Version2RunLengthIsReadAndHuffmanRefused)
{
    RawBmp file = rle8(2, 1, {2, 5, 0, 1});
    file.header_size = 64;
    bmp::picture p = decoded(file);
    EXPECT_EQ(indices(p), (std::vector<std::uint8_t>{5, 5}));
    RawBmp huffman = grey_palette(8, 1);
    huffman.header_size = 64;
    huffman.bits = 1;
    huffman.compression = 3;
    huffman.colours.resize(2);
    huffman.pixels = {0, 0, 0, 0};
    const bmp::outcome<bmp::picture> refused = decode_bytes(huffman.bytes());
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.reason().kind, bmp::fault::coding_unsupported);
    EXPECT_EQ(refused.reason().values, (std::array<std::int64_t, 3>{1, 3, 64}));
}

// Bit-field masks after a 40-byte header are part of the head: a file that ends among
// them is refused as such, wherever it ends.
TEST(HeaderCodec, AFileEndingInsideItsMasksIsRefused)
{
    RawBmp file;
    file.width = 2;
    file.height = 1;
    file.bits = 16;
    file.compression = 3;
    file.masks = {0xf800, 0x07e0, 0x001f};
    file.pixels = {1, 2, 3, 4};
    const std::vector<std::uint8_t> whole = file.bytes();
    ASSERT_TRUE(decode_bytes(whole).ok());
    for (std::size_t length : {55u, 58u, 61u, 65u}) {
        SCOPED_TRACE(length);
        const bmp::outcome<bmp::picture> cut =
            decode_bytes(std::vector<std::uint8_t>(whole.begin(), whole.begin() + length));
        ASSERT_FALSE(cut.ok());
        EXPECT_EQ(cut.reason().kind, bmp::fault::ends_inside_masks);
    }
}

// A colour table shorter than its count: it ends where the pixel data begins, and the
// rows are read from there.
TEST(ColourTableCodec, AShortTableEndsWhereThePixelsBegin)
{
    RawBmp file = grey_palette(4, 2);
    file.colourCount = 256;
    file.colours.resize(3);
    file.pixels = {200, 1, 2, 0, 9, 8, 7, 6};
    bmp::picture p = decoded(file);
    EXPECT_EQ(p.colours, (std::vector<std::uint32_t>{0xff000000, 0xff010101, 0xff020202}));
    EXPECT_EQ(indices(p), (std::vector<std::uint8_t>{9, 8, 7, 6, 200, 1, 2, 0}));
}

// What the file pads its rows with never reaches the picture, whose own padding is zero.
TEST(RowCodec, PaddingIsClearedWhateverTheFileHolds)
{
    RawBmp eight = grey_palette(5, 2);
    eight.pixels = {1, 2, 3, 4, 5, 0xee, 0xee, 0xee, 6, 7, 8, 9, 10, 0xee, 0xee, 0xee};
    bmp::picture p = decoded(eight);
    EXPECT_EQ(stored_bytes(p),
              (std::vector<std::uint8_t>{6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}));
    RawBmp four = grey_palette(3, 1);
    four.bits = 4;
    four.colours.resize(16);
    four.pixels = {0x12, 0x3f, 0xee, 0xee};
    bmp::picture q = decoded(four);
    EXPECT_EQ(stored_bytes(q), (std::vector<std::uint8_t>{1, 2, 3, 0}));
}

} // namespace
