#pragma once

#include <cstdint>

// The blocks of the chunk to be transformed next, asked into the cache a few lines at a
// time while the present chunk is worked on, so memory and arithmetic overlap.
struct lookahead
{
    double* const* blocks;
    int block_count;
    std::uint64_t block_doubles;
    int block;
    std::uint64_t next;
};

// One sweep of the transform: `count` consecutive butterfly passes, starting with the
// pass that pairs rows `2^first` apart, applied to every block of a chunk.
//
// A block is `length` rows of `inner` complex elements, the rows side by side and each
// row contiguous; the passes run along the rows' index, so all elements of one row share
// their rotation factor. `dr` and `di` hold the recurrence increments of each pass of
// the sweep, derived once by the caller (increment_of_pass in fourier_rotation.h).
struct sweep_task
{
    static constexpr int max_blocks = 16;
    static constexpr int max_count = 5;

    double* blocks[max_blocks];
    // Where each block's result goes when the sweep reorders: the block itself, or its
    // neighbour in `blocks` that trades places with it.
    double* targets[max_blocks];
    int block_count;
    std::uint64_t length;
    std::uint64_t inner;
    // The sweep works on complex columns [column_begin, column_end) of each row, so that
    // threads can share the rows in strips; each bound is a whole number of vectors.
    std::uint64_t column_begin;
    std::uint64_t column_end;
    int first;
    int count;
    // Rows of single elements that still stand in the order the axis found them: the
    // sweep puts them in bit-reversed order as it goes, with the first passes.
    bool reorder;
    lookahead* ahead; // or null
    double dr[max_count];
    double di[max_count];
};

// The sweep for each instruction set; each is built with its own compiler flags and runs
// only where the processor has that instruction set.
void sweep_plain(const sweep_task& sweep);
void sweep_avx2(const sweep_task& sweep);
void sweep_avx512(const sweep_task& sweep);

// Internal linkage: each instruction set's file keeps its own copy.
namespace {

// Asks for the next `lines` cache lines of the lookahead's blocks, to the second level.
inline void look_ahead(lookahead* ahead, int lines)
{
    constexpr std::uint64_t line_doubles = 8;
    for (; lines > 0 && ahead->block < ahead->block_count; --lines) {
        __builtin_prefetch(ahead->blocks[ahead->block] + ahead->next, 0, 2);
        ahead->next += line_doubles;
        if (ahead->next >= ahead->block_doubles) {
            ahead->next = 0;
            ++ahead->block;
        }
    }
}

// Counts 0, 1, 2, ... and keeps the bit reversal of the count over log2(length) bits.
class reversed_counter
{
public:
    explicit reversed_counter(std::uint64_t length) : top(length / 2) {}

    std::uint64_t value() const { return reversed; }

    void next()
    {
        std::uint64_t bit = top;
        while ((reversed & bit) != 0) {
            reversed ^= bit;
            bit >>= 1;
        }
        reversed |= bit;
    }

private:
    std::uint64_t top;
    std::uint64_t reversed = 0;
};

} // namespace
