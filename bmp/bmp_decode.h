#pragma once

// The decoders behind read_picture, each filling a picture of the header's sides.

#include "bmp_header.h"
#include "bmp_picture.h"
#include "bmp_source.h"

namespace bmp {

// Uncompressed rows, one at a time: palette indices of 1, 4 or 8 bits, or 16-, 24- and
// 32-bit pixels through their colour masks. Every byte of the picture is written.
void decode_rows(byte_source& file, const header& h, picture& out);

// RLE8 and RLE4, pulled from the file in chunks; `out` must be all zeros, which pixels the
// stream skips keep.
void decode_run_length(byte_source& file, const header& h, picture& out);

} // namespace bmp
