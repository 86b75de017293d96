#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

// Exchanges two runs of `count` doubles that do not overlap, a cache line at a time
// through registers.
inline void swap_doubles(double* a, double* b, std::uint64_t count)
{
    constexpr std::uint64_t line = 8;
    std::uint64_t k = 0;
    for (; k + line <= count; k += line) {
        double from_a[line];
        double from_b[line];
        std::memcpy(from_a, a + k, sizeof from_a);
        std::memcpy(from_b, b + k, sizeof from_b);
        std::memcpy(a + k, from_b, sizeof from_b);
        std::memcpy(b + k, from_a, sizeof from_a);
    }
    std::swap_ranges(a + k, a + count, b + k);
}
