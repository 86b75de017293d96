#include "bmp_failure_text.h"

#include <cstdint>

namespace {

using bmp::fault;

std::string number(std::int64_t value)
{
    return std::to_string(value);
}

// The compression a code stands for; codes 3 and 4 mean other things after an OS/2 2.x
// header (16 or 64 bytes) than after a Windows one.
std::string compression_name(std::int64_t code, std::int64_t headerSize)
{
    const bool os2 = headerSize == 16 || headerSize == 64;
    switch (code) {
    case 0:
        return "no";
    case 1:
        return "RLE8";
    case 2:
        return "RLE4";
    case 3:
        return os2 ? "Huffman" : "bit-field";
    case 4:
        return os2 ? "RLE24" : "JPEG";
    case 5:
        return "PNG";
    default:
        return "unknown (" + number(code) + ")";
    }
}

} // namespace

std::string bmp_failure_text(const bmp::failure& failure)
{
    const auto& [a, b, c] = failure.values;
    switch (failure.kind) {
    case fault::file_empty:
        return "the file is empty";
    case fault::not_bmp:
        return "it is not a BMP file";
    case fault::ends_inside_header:
        return "the file ends inside its header";
    case fault::header_size_unknown:
        return "the header size " + number(a) + " is not one this program reads";
    case fault::size_invalid:
        return "the picture size " + number(a) + " x " + number(b) + " is invalid";
    case fault::plane_count:
        return "the plane count " + number(a) + " is not 1";
    case fault::coding_unsupported:
        return number(a) + " bits per pixel with " + compression_name(b, c) +
               " compression are not supported";
    case fault::ends_inside_masks:
        return "the file ends inside its colour masks";
    case fault::mask_not_a_run:
        return "the colour mask " + number(a) + " is not one run of pixel bits";
    case fault::masks_overlap:
        return "the colour masks overlap";
    case fault::colour_table_too_long:
        return "the colour table has " + number(a) + " entries, more than the " + number(b) +
               " that " + number(c) + " bits per pixel can use";
    case fault::colour_table_missing:
        return "the colour table is missing";
    case fault::pixels_inside_headers:
        return "the pixel data starts inside the headers";
    case fault::pixels_past_end:
        return "the pixel data starts past the end of the file";
    case fault::truncated:
        return "the file is truncated";
    case fault::compressed_top_down:
        return "a compressed picture cannot be stored top row first";
    case fault::stream_ends_early:
        return "the compressed pixel data ends before its end mark";
    case fault::run_past_picture:
        return "the compressed pixel data runs past the picture";
    case fault::jump_past_picture:
        return "the compressed pixel data jumps past the picture";
    case fault::rows_past_picture:
        return "the compressed pixel data runs past the picture's last row";
    }
    return "the file cannot be read";
}
