#pragma once

// A Windows BMP decoder for files from anyone: bytes in, a picture or a reason out. Every
// position and size taken from the file is bounded before it is used; the file is read in
// rows or chunks, never whole.

#include "bmp_failure.h"
#include "bmp_header.h"
#include "bmp_picture.h"
#include "bmp_source.h"

#include <cstdint>

namespace bmp {

// The headers and colour table, checked; or why the file is not one this codec reads.
outcome<header> read_header(byte_source& file);

// Bytes read_picture allocates for a picture of this header: the picture itself and the
// buffers it reads the file into (saturating at 2^64 - 1).
std::uint64_t decoding_bytes(const header& h);

// The picture of a file whose header read_header returned.
outcome<picture> read_picture(byte_source& file, const header& h);

// Both in one, for callers that need not count the memory first.
outcome<picture> decode(byte_source& file);

} // namespace bmp
