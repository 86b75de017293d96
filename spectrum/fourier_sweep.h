#pragma once

#include <cstdint>

// One sweep of the transform: `count` consecutive butterfly passes, starting with the
// pass that pairs rows `2^first` apart, applied to every block of a chunk.
//
// A block is `length` rows of `inner` complex elements, the rows side by side and each
// row contiguous; the passes run along the rows' index, so all elements of one row share
// their rotation factor. `dr` and `di` hold the recurrence increments of each pass of
// the sweep, derived once by the caller from the pass's angle.
struct Sweep
{
    static constexpr int max_blocks = 16;
    static constexpr int max_count = 4;

    double* blocks[max_blocks];
    int block_count;
    std::uint64_t length;
    std::uint64_t inner;
    int first;
    int count;
    double dr[max_count];
    double di[max_count];
};

// The sweep for each instruction set; each is built with its own compiler flags and runs
// only where the processor has that instruction set.
void sweep_plain(const Sweep& sweep);
void sweep_avx2(const Sweep& sweep);
void sweep_avx512(const Sweep& sweep);
