#pragma once

#include <cstdint>
#include <limits>

namespace bmp {

// Byte counts of pictures, in 64-bit arithmetic that stops at the largest count instead of
// wrapping, so that a count from hostile sides is refused as too large, never taken small.

constexpr std::uint64_t largest_count = std::numeric_limits<std::uint64_t>::max();

constexpr std::uint64_t saturating_sum(std::uint64_t a, std::uint64_t b)
{
    return a > largest_count - b ? largest_count : a + b;
}

constexpr std::uint64_t saturating_product(std::uint64_t a, std::uint64_t b)
{
    return b != 0 && a > largest_count / b ? largest_count : a * b;
}

// Bytes of one row of `width` pixels of `bits_per_pixel` bits, padded to a multiple of 4
// bytes as BMP files and device-independent bitmaps store their rows.
// Example: 3 pixels of 24 bits are 72 bits, 9 bytes, stored in 12.
constexpr std::uint64_t padded_row_bytes(std::uint64_t width, std::uint64_t bits_per_pixel)
{
    return saturating_sum(saturating_product(width, bits_per_pixel), 31) / 32 * 4;
}

} // namespace bmp
