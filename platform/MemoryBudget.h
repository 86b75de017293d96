#pragma once

#include <cstdint>
#include <functional>
#include <string>

// What the picture pipeline will need, known before it allocates, and what the machine
// can give. Counting up front turns a picture too large for this machine into a clear
// message instead of std::bad_alloc or, after overcommit, the out-of-memory killer.

// Bytes this process can still get: the smaller of the physical memory the system has
// available (MemAvailable) and what the address-space and data-size limits leave.
std::uint64_t AvailableMemory();

// The source of AvailableMemory, replaceable for tests; an empty probe restores the
// real one. Returns the probe it replaces.
using MemoryProbe = std::function<std::uint64_t()>;
MemoryProbe SetMemoryProbe(MemoryProbe probe);

// Memory kept free for everything else the program holds (Qt, the window, the stack).
constexpr std::uint64_t memory_reserve = std::uint64_t{64} << 20;

// Raises Exception naming the picture size, the memory `bytes` and what it is for when
// `bytes` plus the reserve exceed AvailableMemory().
void RequireMemory(std::int64_t width, std::int64_t height, std::uint64_t bytes,
                   const std::string& purpose);

// "1.5 GiB", "640 MiB", "12 KiB": a byte count as people read it.
std::string MemoryText(std::uint64_t bytes);

// Bytes of a decoded picture held one, eight or 32 bits per pixel, rows padded to 4.
std::uint64_t PictureBytes(std::int64_t width, std::int64_t height, int bitsPerPixel);

// Peak need of one spectrum whose padded sides are paddedWidth x paddedHeight: the
// matrix of doubles, and beside it one 8-bit copy at a time, no larger than the padded
// picture: the exported pixels while the matrix is filled, the painted spectrum after.
std::uint64_t SpectrumBytes(std::int64_t paddedWidth, std::int64_t paddedHeight);
