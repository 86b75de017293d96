#pragma once

#include <cstdint>
#include <functional>
#include <string>

// What the picture pipeline will need, known before it allocates, and what the machine
// can give. Counting up front turns a picture too large for this machine into a clear
// message instead of std::bad_alloc or, after overcommit, the out-of-memory killer.

// Bytes this process can still get: the smaller of the physical memory the system has
// available (MemAvailable) and what the address-space and data-size limits leave.
std::uint64_t available_memory();

// The source of available_memory, replaceable for tests; an empty probe restores the
// real one. Returns the probe it replaces.
using memory_probe = std::function<std::uint64_t()>;
memory_probe set_memory_probe(memory_probe probe);

// Memory kept free for everything else the program holds (Qt, the window, the stack).
constexpr std::uint64_t memory_reserve = std::uint64_t{64} << 20;

// No cap on the padded area: the memory alone decides.
constexpr std::uint64_t no_pixel_cap = UINT64_MAX;

// The power of two at or above a side (1 for sides up to 1). The largest side, 2^63 - 1,
// gives 2^63, which still fits.
std::uint64_t power_of_two_at_or_above(std::int64_t side);

// Caps the padded area a picture may have in this process: its width and height each
// raised to the power of two at or above it, multiplied. Returns the cap it replaces.
// A server that takes files from strangers sets one, so that a small file declaring a
// huge picture is refused by its sides alone.
std::uint64_t set_padded_pixel_cap(std::uint64_t cap);
// The cap set now (no_pixel_cap when there is none).
std::uint64_t padded_pixel_cap();

// Raises Exception naming the picture size when its padded area exceeds the cap; then
// naming the picture size, the memory `bytes` and what it is for when `bytes` plus the
// reserve exceed available_memory().
void require_memory(std::int64_t width, std::int64_t height, std::uint64_t bytes,
                    const std::string& purpose);

// "1.5 GiB", "640 MiB", "12 KiB": a byte count as people read it.
std::string memory_text(std::uint64_t bytes);

// Bytes of a decoded picture held one, eight or 32 bits per pixel, rows padded to 4.
std::uint64_t picture_bytes(std::int64_t width, std::int64_t height, int bits_per_pixel);

// Bytes of the list of row addresses a stage keeps while it works on `rows` rows.
std::uint64_t row_list_bytes(std::int64_t rows);
