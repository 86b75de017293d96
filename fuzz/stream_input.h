#pragma once

// The input of the codec's fuzzer: a few header fields and a list of pieces of pixel
// data, each a run of bytes with a repeat count, so that a short input stands for a
// stream of many megabytes.

#include "bmp_source.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct stream_piece
{
    std::uint32_t times = 1;         // below 2^24
    std::vector<std::uint8_t> bytes; // at most 255
};

struct stream_input
{
    std::uint8_t header_choice = 2; // 12, 16, 40, 52, 56, 64, 108 or 124 bytes
    std::uint8_t depth_choice = 2;  // 1, 4, 8, 16, 24, 32, 2 or 0 bits
    std::uint8_t compression = 0;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint8_t colour_count = 0;   // the header's count
    std::uint8_t colour_entries = 0; // entries stored; 0 stores 256
    std::int8_t offset_shift = 0;    // moves the pixel data from right after the table
    std::array<std::uint32_t, 3> masks{};
    std::vector<stream_piece> pieces;
};

// The bytes that stand for an input, and back; missing bytes read as zeros.
std::vector<std::uint8_t> encode_stream_input(const stream_input& input);
stream_input decode_stream_input(const std::uint8_t* data, std::size_t size);

// The BMP file an input describes, its pixel data the pieces one after the other, each
// repeated its number of times: expanded as the decoder reads it, so that a stream of
// gigabytes costs no memory. The stream stops at `most_pixel_bytes`.
class stream_file final : public bmp::byte_source
{
public:
    stream_file(const stream_input& input, std::uint64_t most_pixel_bytes);

    std::uint64_t size() const override { return length; }
    std::size_t read_at(std::uint64_t offset, std::uint8_t* to, std::size_t count) override;

private:
    // Where each piece's bytes start in the file, and where the last one ends.
    std::vector<std::uint8_t> head; // the headers, the colour table and the gap after them
    std::vector<stream_piece> pieces;
    std::vector<std::uint64_t> starts;
    std::uint64_t length = 0;
};
