#include "stream_input.h"

#include "bmp_builder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::array<std::uint32_t, 8> header_sizes = {12, 16, 40, 52, 56, 64, 108, 124};
constexpr std::array<std::uint16_t, 8> depths = {1, 4, 8, 16, 24, 32, 2, 0};

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// Reads little-endian numbers from the fuzzer's bytes; past their end, zeros.
class input_reader
{
public:
    input_reader(const std::uint8_t* bytes, std::size_t length) : data(bytes), size(length) {}

    std::uint32_t take(int bytes)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i, ++at) {
            value |= static_cast<std::uint32_t>(at < size ? data[at] : 0) << (8 * i);
        }
        return value;
    }

    bool done() const { return at >= size; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

} // namespace

std::vector<std::uint8_t> encode_stream_input(const stream_input& input)
{
    std::vector<std::uint8_t> out = {input.header_choice, input.depth_choice, input.compression};
    put(out, static_cast<std::uint32_t>(input.width), 4);
    put(out, static_cast<std::uint32_t>(input.height), 4);
    out.insert(out.end(), {input.colour_count, input.colour_entries,
                           static_cast<std::uint8_t>(input.offset_shift)});
    for (std::uint32_t mask : input.masks) {
        put(out, mask, 4);
    }
    for (const stream_piece& piece : input.pieces) {
        put(out, piece.times, 3);
        put(out, static_cast<std::uint32_t>(piece.bytes.size()), 1);
        out.insert(out.end(), piece.bytes.begin(), piece.bytes.end());
    }
    return out;
}

stream_input decode_stream_input(const std::uint8_t* data, std::size_t size)
{
    input_reader in(data, size);
    stream_input input;
    input.header_choice = static_cast<std::uint8_t>(in.take(1));
    input.depth_choice = static_cast<std::uint8_t>(in.take(1));
    input.compression = static_cast<std::uint8_t>(in.take(1));
    input.width = static_cast<std::int32_t>(in.take(4));
    input.height = static_cast<std::int32_t>(in.take(4));
    input.colour_count = static_cast<std::uint8_t>(in.take(1));
    input.colour_entries = static_cast<std::uint8_t>(in.take(1));
    input.offset_shift = static_cast<std::int8_t>(in.take(1));
    for (std::uint32_t& mask : input.masks) {
        mask = in.take(4);
    }
    while (!in.done()) {
        stream_piece piece;
        piece.times = in.take(3);
        piece.bytes.resize(in.take(1));
        for (std::uint8_t& byte : piece.bytes) {
            byte = static_cast<std::uint8_t>(in.take(1));
        }
        input.pieces.push_back(std::move(piece));
    }
    return input;
}

namespace {

// The headers and colour table of the file an input describes, with no pixel data.
std::vector<std::uint8_t> head_of(const stream_input& input)
{
    RawBmp file;
    file.header_size = header_sizes[input.header_choice % header_sizes.size()];
    file.bits = depths[input.depth_choice % depths.size()];
    file.compression = input.compression % 8;
    file.width = input.width;
    file.height = input.height;
    file.colourCount = input.colour_count;
    const std::uint32_t entries = input.colour_entries == 0 ? 256 : input.colour_entries;
    for (std::uint32_t i = 0; i < entries; ++i) {
        file.colours.push_back(i * 0x010101);
    }
    file.masks.assign(input.masks.begin(), input.masks.end());
    // Where RawBmp puts the pixel data, moved by the shift.
    const std::uint32_t info = file.header_size + (file.header_size == 40 ? 12 : 0) +
                               entries * (file.header_size == 12 ? 3 : 4);
    file.pixelOffset =
        static_cast<std::uint32_t>(std::max(0, 14 + static_cast<int>(info) + input.offset_shift));
    return file.bytes();
}

} // namespace

stream_file::stream_file(const stream_input& input, std::uint64_t most_pixel_bytes)
    : head(head_of(input))
{
    length = head.size();
    for (const stream_piece& piece : input.pieces) {
        const std::uint64_t bytes = std::uint64_t{piece.times} * piece.bytes.size();
        if (bytes == 0 || length - head.size() + bytes > most_pixel_bytes) {
            continue;
        }
        pieces.push_back(piece);
        starts.push_back(length);
        length += bytes;
    }
}

namespace {

// Fills `count` bytes at `to` with the endless repetition of `pattern` from its byte `at`
// on: one period byte by byte, then doubling what is there.
void fill_repeating(const std::vector<std::uint8_t>& pattern, std::size_t at, std::uint8_t* to,
                    std::size_t count)
{
    std::size_t done = 0;
    for (; done < std::min(count, pattern.size()); ++done) {
        to[done] = pattern[(at + done) % pattern.size()];
    }
    // `done` stays a multiple of the period, so the copy continues the repetition.
    while (done < count) {
        const std::size_t copied = std::min(done, count - done);
        std::memcpy(to + done, to, copied);
        done += copied;
    }
}

} // namespace

std::size_t stream_file::read_at(std::uint64_t offset, std::uint8_t* to, std::size_t count)
{
    std::size_t done = 0;
    if (offset < head.size() && count > 0) {
        done = static_cast<std::size_t>(std::min<std::uint64_t>(count, head.size() - offset));
        std::memcpy(to, head.data() + offset, done);
        offset += done;
    }
    // Pieces starting at or before `offset`: the last of them holds it.
    auto next = static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), offset) -
                                         starts.begin());
    for (; done < count && offset < length && next > 0; ++next) {
        const std::size_t index = next - 1;
        const std::vector<std::uint8_t>& bytes = pieces[index].bytes;
        const std::uint64_t end = next < starts.size() ? starts[next] : length;
        const auto part =
            static_cast<std::size_t>(std::min<std::uint64_t>(count - done, end - offset));
        fill_repeating(bytes, static_cast<std::size_t>((offset - starts[index]) % bytes.size()),
                       to + done, part);
        done += part;
        offset += part;
    }
    return done;
}
