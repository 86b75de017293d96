// The BMP codec alone, on files described by a few header fields and pieces of pixel data
// repeated up to millions of times: run-length streams of any length from short inputs.
#include "stream_input.h"

#include "bmp_codec.h"

#include <cstdlib>

namespace {

// Larger pictures and streams would only slow the search down: what is refused for memory
// never reaches the decoder, and a stream of 64 MiB holds 2^25 codes.
constexpr std::uint64_t largest_decoding = std::uint64_t{64} << 20;
constexpr std::uint64_t largest_stream = std::uint64_t{64} << 20;

// What a decoded picture must be, whatever the file: the header's sides, rows wide
// enough for its pixels, and the file's colour table.
bool consistent(const bmp::header& h, const bmp::picture& p)
{
    const std::uint64_t pixel_bytes = p.kind == bmp::pixel_kind::indices ? 1 : 4;
    return p.width == h.width && p.height == h.rows && p.stride % 4 == 0 &&
           p.stride >= static_cast<std::uint64_t>(p.width) * pixel_bytes &&
           p.colours == h.colours && (h.bits_per_pixel > 8 || !p.colours.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    stream_file source(decode_stream_input(data, size), largest_stream);
    const bmp::outcome<bmp::header> header = bmp::read_header(source);
    if (!header.ok() || bmp::decoding_bytes(header.value()) > largest_decoding) {
        return 0;
    }
    const bmp::outcome<bmp::picture> picture = bmp::read_picture(source, header.value());
    if (picture.ok() && !consistent(header.value(), picture.value())) {
        std::abort();
    }
    return 0;
}
