#include "bmp_encode.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

using bmp::indexed_picture;
using bmp::write_indexed_bmp;

namespace {

// The file a writer produced, and the size of every piece it was handed in.
struct Collected
{
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> pieces;
    bool written = false;
};

Collected write(const indexed_picture& picture)
{
    Collected out;
    out.written = write_indexed_bmp(picture, [&](const std::uint8_t* bytes, std::size_t count) {
        out.bytes.insert(out.bytes.end(), bytes, bytes + count);
        out.pieces.push_back(count);
        return true;
    });
    return out;
}

void put_le(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

TEST(IndexedBmp, SetsEveryByteAndTakesNoneFromBetweenTheRows)
{
    // Two rows of three pixels, eight bytes apart: the bytes past each row hold what a
    // picture's row alignment may hold, anything.
    const std::vector<std::uint8_t> pixels = {1, 2, 3, 0xee, 0xee, 0xee, 0xee, 0xee, 4, 5, 6};
    const std::vector<std::uint32_t> colours = {0xff102030, 0x00405060};
    const Collected got = write({3, 2, pixels, 8, colours});
    ASSERT_TRUE(got.written);

    std::vector<std::uint8_t> want = {'B', 'M'};
    put_le(want, 14 + 40 + 8 + 8, 4); // file size
    put_le(want, 0, 4);
    put_le(want, 14 + 40 + 8, 4); // pixel offset
    for (const std::uint32_t field : {40u, 3u, 2u}) {
        put_le(want, field, 4);
    }
    put_le(want, 1, 2);
    put_le(want, 8, 2);
    for (const std::uint32_t field : {0u, 8u, 2835u, 2835u, 2u, 0u}) {
        put_le(want, field, 4);
    }
    want.insert(want.end(), {0x30, 0x20, 0x10, 0, 0x60, 0x50, 0x40, 0});
    want.insert(want.end(), {4, 5, 6, 0, 1, 2, 3, 0}); // the bottom row first
    EXPECT_EQ(got.bytes, want);
}

TEST(IndexedBmp, HandsALongFileOverInPiecesOfAtMost64KiB)
{
    // 40000 rows of one pixel: 160 000 bytes of rows, not 40000 calls.
    constexpr int height = 40000;
    std::vector<std::uint8_t> pixels(height);
    for (int y = 0; y < height; ++y) {
        pixels[y] = static_cast<std::uint8_t>(y);
    }
    const std::vector<std::uint32_t> colours(256, 0);
    const Collected got = write({1, height, pixels, 1, colours});
    ASSERT_TRUE(got.written);
    const std::size_t offset = 14 + 40 + 4 * 256;
    ASSERT_EQ(got.bytes.size(), offset + 4 * height);
    EXPECT_EQ(got.pieces.size(), 3u);
    for (const std::size_t piece : got.pieces) {
        EXPECT_LE(piece, std::size_t{64} << 10);
    }
    for (int stored = 0; stored < height; ++stored) {
        const std::uint8_t* row = got.bytes.data() + offset + 4 * stored;
        ASSERT_EQ(row[0], static_cast<std::uint8_t>(height - 1 - stored)) << stored;
        ASSERT_EQ(row[1] | row[2] | row[3], 0) << stored;
    }

    int calls = 0;
    const bool written =
        write_indexed_bmp({1, height, pixels, 1, colours}, [&](const std::uint8_t*, std::size_t) {
            ++calls;
            return false;
        });
    EXPECT_FALSE(written);
    EXPECT_EQ(calls, 1) << "pieces offered after the sink refused one";
}

TEST(IndexedBmp, RefusesAPictureItCannotWriteBeforeWritingAByte)
{
    const std::vector<std::uint8_t> pixels(64, 7);
    const std::vector<std::uint32_t> grey(256, 0);
    const std::vector<std::uint32_t> tooMany(257, 0);
    const std::vector<indexed_picture> refused = {
        {0, 1, pixels, 4, grey},
        {4, -1, pixels, 4, grey},
        {4, 2, pixels, 4, {}},
        {4, 2, pixels, 4, tooMany},
        {4, 2, pixels, 3, grey},                // rows overlapping
        {8, 8, {pixels.data(), 63}, 8, grey},   // one byte short of the last row
        {4, 3, pixels, SIZE_MAX / 2 + 1, grey}, // two strides wrap past the span
        {INT32_MAX, 3, pixels, SIZE_MAX, grey}, // a file of 6 GiB
        {65536, 65536, pixels, 65536, grey},    // exactly 4 GiB of rows
    };
    for (const indexed_picture& picture : refused) {
        SCOPED_TRACE(std::to_string(picture.width) + " x " + std::to_string(picture.height));
        bool called = false;
        EXPECT_THROW(write_indexed_bmp(picture,
                                       [&](const std::uint8_t*, std::size_t) {
                                           called = true;
                                           return true;
                                       }),
                     std::invalid_argument);
        EXPECT_FALSE(called);
    }
    // The largest of those that fit: 8 rows of 8 bytes, exactly the 64 held.
    EXPECT_TRUE(write({8, 8, pixels, 8, grey}).written);
}

} // namespace
