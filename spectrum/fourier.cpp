#include "fourier.h"

#include "fourier_rotation.h"
#include "fourier_sweep.h"
#include "swap_doubles.h"
#include "work_crew.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

// The fast transform: the same butterflies as the plain one, in another order.
//
// The butterflies of one pass are independent of each other, so they may run in any
// order; what decides every bit of the result is that each element goes through the same
// butterflies, pass after pass, with the same rotation factors (fourier_rotation.h). This
// file runs them in an order that suits the memory: the blocks of one axis are taken a
// few at a time while they sit in cache, and up to five neighbouring passes are applied to
// a group of rows held in registers before it goes back to memory.
//
// Terms (docs/performance.md, "How the transform is arranged", says why each exists):
//   axis       one dimension; the axes are transformed in turn, the fastest first. Seen
//              from an axis the array is `blocks` blocks of `length` rows of `inner`
//              complex elements (axis_shape).
//   row        the `inner` neighbouring elements that share one index along the axis, and
//              so one rotation factor; a single element on the fastest axis.
//   block      the `length` rows one transform along the axis combines; one element of
//              the next axis.
//   pass       the butterflies that join transforms of 2^q rows into ones of 2^(q+1): an
//              axis of length 2^n takes n passes.
//   sweep      up to five neighbouring passes in one trip over a chunk: 2^K rows, one
//              vector of each, are loaded, go through K passes in registers and are
//              stored back (sweep_task; sweep_plan cuts an axis's passes into sweeps).
//   chunk      the blocks, as many as fit in 1 MiB (2 to 16), that go through every sweep
//              of the axis while they sit in the second-level cache (gathered_chunk).
//   partner    the block the next axis's bit reversal puts in this block's place; the two
//              are gathered into the same chunk and trade places once both are done, so
//              the next axis finds its rows in the order its passes want.
//   lane       one complex element of a vector: 1, 2 or 4 of them by path.
//   lookahead  the next chunk, asked into the cache a few lines at a time meanwhile.
//   share      one thread's part of an axis: whole chunks in turn, or a strip.
//   strip      complex columns [begin, end) of every row, a whole number of vectors wide,
//              which a thread takes when an axis has too few blocks to deal out in chunks
//              and reorders no rows (column_strip).
//
// A worked example: a 2 x 4 x 8 array, element (i, j, k) at index 32 i + 8 j + k, on the
// portable path (one lane).
//
//   Axis k: length 8, inner 1, 8 blocks (the rows (i, j, 0..7)); the next axis, j, wants
//     its indices in bit-reversed order 0 2 1 3, so blocks (i, 1) and (i, 2) are
//     partners. One chunk takes all eight: (0,0) (0,1)+(0,2) (0,3) (1,0) (1,1)+(1,2)
//     (1,3). No axis came before, so each block first puts its own elements in
//     bit-reversed order (k 1 <-> 4, 3 <-> 6); then one sweep of passes 0, 1 and 2 loads
//     the eight elements of a block, takes them through the three passes and stores them;
//     last, the partners trade places while still in cache.
//   Axis j: length 4, inner 8, 2 blocks (i = 0 and 1, each 4 rows of 8 elements), its
//     rows already in bit-reversed order; the next axis, of length 2, keeps 0 1. One sweep
//     of passes 0 and 1: for each of the 8 columns of a block, the 4 elements of the
//     column are loaded, go through both passes and are stored.
//   Axis i: length 2, inner 32, 1 block. One sweep of pass 0 on each of the 32 columns.
//
// The plain transform does the same butterflies axis by axis, each a bit reversal and then
// pass after pass over the whole array; here the bit reversal of an axis is done by the
// axis before it, through its partners, and on the fastest axis by each block itself.
//
// The vector paths differ in what one load holds. With AVX2 (2 lanes) the first pass of
// axis k pairs neighbours inside one vector: it gets a sweep of its own, which turns 2 x 2
// squares of elements over and also does the bit reversal and the partners' exchange; in
// passes 1 and 2 a vector then holds two neighbouring rows, which need two successive
// rotation factors. On axes j and i a vector holds 2 (AVX-512: 4) neighbouring columns of
// one row, which share their factor. Rows too short for a vector take narrower ones, down
// to one lane: with AVX-512, axis k of this example runs on the portable sweep.
//
// Shared among two threads (from 4096 elements; this array is too small), axis i would be
// cut into two strips, columns 0 to 15 of both rows for one thread and 16 to 31 for the
// other; axes k and j have too few blocks to deal out in chunks, and strips serve only an
// axis that reorders no rows, so one thread would do each of them alone.

namespace {

// Blocks of one axis transformed together, chosen to stay in the second-level cache.
constexpr std::uint64_t chunk_bytes = 1024 * 1024;

using sweep_function = void (*)(const sweep_task&);

// One axis of the array seen as `blocks` blocks of `length` rows of `inner` complex
// elements. `partner_length` is the length of the next axis to transform: the blocks
// are its elements, and it wants them in bit-reversed order along it.
struct axis_shape
{
    std::uint64_t length;
    std::uint64_t inner;
    std::uint64_t blocks;
    std::uint64_t partner_length;
};

int log2_of(std::uint64_t power_of_two)
{
    int bits = 0;
    while ((std::uint64_t{1} << bits) < power_of_two) {
        ++bits;
    }
    return bits;
}

// The reordering reads a block out of order, which the processor cannot foresee; asking
// for the block's cache lines in order first lets them stream in from memory.
void ask_for_block(const double* block, std::uint64_t doubles)
{
    constexpr std::uint64_t line_doubles = 8;
    for (std::uint64_t k = 0; k < doubles; k += line_doubles) {
        __builtin_prefetch(block + k, 1);
    }
}

// Put the rows of a block in bit-reversed order of their index. A row index is split
// into high and low bits, rev(high : low) = rev(low) : rev(high); the reversals of the
// low bits are worked out once, so the inner loop runs without the counter's branches.
void reverse_rows(double* block, const axis_shape& axis)
{
    constexpr int low_bits_max = 6;
    const int bits = log2_of(axis.length);
    const int low_bits = std::min(bits, low_bits_max);
    const std::uint64_t lows = std::uint64_t{1} << low_bits;
    std::uint64_t low_reversed[std::uint64_t{1} << low_bits_max];
    reversed_counter low_rev(lows);
    for (std::uint64_t low = 0; low < lows; ++low, low_rev.next()) {
        low_reversed[low] = low_rev.value() << (bits - low_bits);
    }
    const std::uint64_t row = 2 * axis.inner;
    reversed_counter high_rev(axis.length >> low_bits);
    for (std::uint64_t i = 0; i < axis.length; i += lows, high_rev.next()) {
        for (std::uint64_t low = 0; low < lows; ++low) {
            const std::uint64_t rev = low_reversed[low] | high_rev.value();
            if (i + low < rev) {
                swap_doubles(block + (i + low) * row, block + rev * row, row);
            }
        }
    }
}

// The passes of one axis cut into sweeps of at most `depth` passes.
struct sweep_plan
{
    static constexpr int max_sweeps = 33; // 31 passes at most, one sweep each, and one more
    sweep_task sweeps[max_sweeps];
    int count = 0;
    bool reorders = false; // the first sweep puts the rows in bit-reversed order

    // Along rows of single elements the first passes pair elements inside one vector of
    // `lanes` elements; they get a sweep of their own, which can also do the reordering
    // of the rows when `reorder` asks for it.
    sweep_plan(const axis_shape& axis, int direction, int depth, int lanes, bool reorder)
    {
        const int passes = log2_of(axis.length);
        const int within = log2_of(static_cast<std::uint64_t>(lanes));
        int first = 0;
        if (axis.inner == 1 && within > 0 && passes >= 2 * within) {
            add(axis, direction, 0, within);
            sweeps[0].reorder = reorder;
            reorders = reorder;
            first = within;
        }
        // As few sweeps as the depth allows, their lengths as even as possible.
        const int sweeps_left = (passes - first + depth - 1) / depth;
        for (int k = 0; k < sweeps_left; ++k) {
            const int length = (passes - first) / (sweeps_left - k);
            add(axis, direction, first, length);
            first += length;
        }
    }

    void add(const axis_shape& axis, int direction, int first, int passes)
    {
        sweep_task& sweep = sweeps[count++];
        sweep.length = axis.length;
        sweep.inner = axis.inner;
        sweep.column_begin = 0;
        sweep.column_end = axis.inner;
        sweep.first = first;
        sweep.count = passes;
        sweep.reorder = false;
        for (int q = 0; q < passes; ++q) {
            const rotation_increment increment =
                increment_of_pass(direction, std::uint64_t{1} << (first + q));
            sweep.dr[q] = increment.dr;
            sweep.di[q] = increment.di;
        }
    }
};

// Blocks gathered for one round of sweeps; a block and its partner in the next axis's
// bit-reversed order are always gathered together and exchanged when both are done.
struct gathered_chunk
{
    double* blocks[sweep_task::max_blocks];
    bool paired[sweep_task::max_blocks];
    int count = 0;
};

// The complex columns of every row that one thread works on.
struct column_strip
{
    std::uint64_t begin;
    std::uint64_t end;
};

struct axis_work
{
    const axis_shape& axis;
    const sweep_plan& plan;
    sweep_function sweep;
    bool reverse_own_rows;

    // `next`, when given, is the chunk that follows: it is asked into the cache meanwhile.
    void run(const gathered_chunk& chunk, const gathered_chunk* next, column_strip columns) const
    {
        lookahead ahead{};
        if (next != nullptr) {
            ahead = lookahead{next->blocks, next->count, 2 * axis.length * axis.inner, 0, 0};
        }
        const std::uint64_t block_doubles = 2 * axis.length * axis.inner;
        if (reverse_own_rows) {
            for (int b = 0; b < chunk.count; ++b) {
                ask_for_block(chunk.blocks[b], block_doubles);
            }
            for (int b = 0; b < chunk.count && !plan.reorders; ++b) {
                reverse_rows(chunk.blocks[b], axis);
            }
        }
        for (int s = 0; s < plan.count; ++s) {
            sweep_task sweep_of_chunk = plan.sweeps[s];
            sweep_of_chunk.block_count = chunk.count;
            sweep_of_chunk.column_begin = columns.begin;
            sweep_of_chunk.column_end = columns.end;
            sweep_of_chunk.ahead = next != nullptr ? &ahead : nullptr;
            for (int b = 0; b < chunk.count; ++b) {
                sweep_of_chunk.blocks[b] = chunk.blocks[b];
                sweep_of_chunk.targets[b] = chunk.blocks[b];
                if (chunk.paired[b]) {
                    sweep_of_chunk.targets[b] = chunk.blocks[b + 1];
                } else if (b > 0 && chunk.paired[b - 1]) {
                    sweep_of_chunk.targets[b] = chunk.blocks[b - 1];
                }
            }
            sweep(sweep_of_chunk);
        }
        // Without a reordering sweep the partners trade places here, while in cache.
        for (int b = 0; b < chunk.count && !plan.reorders; ++b) {
            if (chunk.paired[b]) {
                swap_doubles(chunk.blocks[b], chunk.blocks[b + 1], block_doubles);
                ++b;
            }
        }
    }
};

int chunk_capacity(const axis_shape& axis)
{
    const std::uint64_t block_bytes = 16 * axis.length * axis.inner;
    const std::uint64_t fit = chunk_bytes / block_bytes;
    return static_cast<int>(std::clamp<std::uint64_t>(fit, 2, sweep_task::max_blocks));
}

// One of the threads that share an axis, and how many share it.
struct thread_share
{
    int index;
    int count;
};

// How the threads divide an axis: chunks of whole blocks in turn when there are enough,
// otherwise strips of columns, which only works when no block changes places or has its
// rows reordered (each thread would move only its strip of them).
enum class axis_division
{
    whole,
    chunks,
    columns
};

// Column strips are whole numbers of the widest vector, so every strip takes the same
// path through the sweeps.
constexpr std::uint64_t strip_unit = 4;

axis_division division_of(const axis_work& work, int shares)
{
    const axis_shape& axis = work.axis;
    const auto needed = static_cast<std::uint64_t>(shares);
    if (shares == 1) {
        return axis_division::whole;
    }
    if (axis.blocks >= needed * static_cast<std::uint64_t>(chunk_capacity(axis))) {
        return axis_division::chunks;
    }
    if (axis.partner_length == 1 && !work.reverse_own_rows && axis.inner % strip_unit == 0 &&
        axis.inner >= needed * strip_unit) {
        return axis_division::columns;
    }
    return axis_division::whole;
}

column_strip columns_of(const axis_shape& axis, thread_share share)
{
    const std::uint64_t units = axis.inner / strip_unit;
    const auto index = static_cast<std::uint64_t>(share.index);
    const auto count = static_cast<std::uint64_t>(share.count);
    return {units * index / count * strip_unit, units * (index + 1) / count * strip_unit};
}

// Transform this share of the blocks along the axis; once every share is done, the
// blocks stand in bit-reversed order along the partner axis.
void transform_axis(double* x, const axis_shape& axis, const axis_work& work, thread_share share)
{
    const axis_division division = division_of(work, share.count);
    if (division == axis_division::whole && share.index > 0) {
        return;
    }
    const column_strip columns =
        division == axis_division::columns ? columns_of(axis, share) : column_strip{0, axis.inner};
    const std::uint64_t block_doubles = 2 * axis.length * axis.inner;
    const int capacity = chunk_capacity(axis);
    // One chunk waits, gathered, while the next one is gathered: then the waiting one
    // runs and the next one streams into the cache meanwhile. Sharing by chunks, every
    // thread gathers them all and keeps its own turns.
    gathered_chunk waiting;
    gathered_chunk gathering;
    std::uint64_t gathered = 0;
    const auto run_waiting = [&](const gathered_chunk* next) {
        if (waiting.count > 0) {
            work.run(waiting, next, columns);
        }
    };
    const auto close_gathering = [&] {
        if (division != axis_division::chunks ||
            gathered % static_cast<std::uint64_t>(share.count) ==
                static_cast<std::uint64_t>(share.index)) {
            run_waiting(&gathering);
            waiting = gathering;
        }
        ++gathered;
        gathering.count = 0;
    };
    reversed_counter rev(axis.partner_length);
    for (std::uint64_t b = 0, i = 0; b < axis.blocks; ++b) {
        const std::uint64_t partner = b - i + rev.value();
        if (partner >= b) {
            const int needed = partner > b ? 2 : 1;
            if (gathering.count + needed > capacity) {
                close_gathering();
            }
            gathering.paired[gathering.count] = partner > b;
            gathering.blocks[gathering.count++] = x + b * block_doubles;
            if (partner > b) {
                gathering.paired[gathering.count] = false;
                gathering.blocks[gathering.count++] = x + partner * block_doubles;
            }
        }
        if (++i == axis.partner_length) {
            i = 0;
            rev = reversed_counter(axis.partner_length);
        } else {
            rev.next();
        }
    }
    close_gathering();
    run_waiting(nullptr);
}

struct kernel_info
{
    transform_kernel kernel;
    const char* name;
    sweep_function sweep;
    int depth;     // passes per sweep across rows of many elements
    int row_depth; // passes per sweep along rows of single elements
    int lanes;
};

#if defined(WIDMO_X86_KERNELS)
constexpr kernel_info kernels[] = {
    {transform_kernel::scalar, "scalar", sweep_plain, 3, 4, 1},
    {transform_kernel::avx2, "avx2", sweep_avx2, 3, 4, 2},
    {transform_kernel::avx512, "avx512", sweep_avx512, 4, 5, 4},
};
#else
constexpr kernel_info kernels[] = {{transform_kernel::scalar, "scalar", sweep_plain, 3, 4, 1}};
#endif

const kernel_info* find_kernel(transform_kernel kernel)
{
    for (const kernel_info& info : kernels) {
        if (info.kernel == kernel) {
            return &info;
        }
    }
    return nullptr;
}

transform_kernel best_supported()
{
    transform_kernel best = transform_kernel::scalar;
    for (const kernel_info& info : kernels) {
        if (fourier_kernel_supported(info.kernel)) {
            best = info.kernel;
        }
    }
    return best;
}

// WIDMO_KERNEL=scalar|avx2|avx512 chooses the path; an unknown or unsupported name
// leaves the best one the processor supports.
transform_kernel initial_kernel()
{
    const char* wanted = std::getenv("WIDMO_KERNEL");
    for (const kernel_info& info : kernels) {
        if (wanted != nullptr && std::strcmp(wanted, info.name) == 0 &&
            fourier_kernel_supported(info.kernel)) {
            return info.kernel;
        }
    }
    return best_supported();
}

std::atomic<transform_kernel>& chosen_kernel()
{
    static std::atomic<transform_kernel> chosen{initial_kernel()};
    return chosen;
}

// A transform moves its whole array through memory once per butterfly pass.
std::uint64_t bytes_moved_by_transform(std::uint64_t total)
{
    return 16 * total * static_cast<std::uint64_t>(log2_of(total));
}

} // namespace

bool fourier_kernel_supported(transform_kernel kernel)
{
    if (find_kernel(kernel) == nullptr) {
        return false;
    }
#if defined(WIDMO_X86_KERNELS)
    switch (kernel) {
    case transform_kernel::avx2:
        return __builtin_cpu_supports("avx2");
    case transform_kernel::avx512:
        return __builtin_cpu_supports("avx512f");
    default:
        return true;
    }
#else
    return true;
#endif
}

transform_kernel fourier_kernel()
{
    return chosen_kernel().load();
}

void use_fourier_kernel(transform_kernel kernel)
{
    if (!fourier_kernel_supported(kernel)) {
        throw std::invalid_argument("this processor cannot run the chosen transform kernel");
    }
    chosen_kernel().store(kernel);
}

void FourierND(one_based<double> data, one_based<const std::uint32_t> lengths, int dimensions,
               int direction)
{
    const kernel_info& kernel = *find_kernel(fourier_kernel());
    std::uint64_t total = 1;
    for (int d = 1; d <= dimensions; ++d) {
        total *= lengths[d];
    }
    // Every axis is shared when the whole transform is worth it: the threads meet once
    // per axis.
    const bool sharing_pays = worth_sharing(bytes_moved_by_transform(total));
    std::uint64_t done = 1;
    for (int d = dimensions; d >= 1; --d) {
        const std::uint64_t length = lengths[d];
        const axis_shape axis{length, done, total / (length * done), d > 1 ? lengths[d - 1] : 1u};
        // The first axis reorders its own rows; every later axis finds its rows already
        // reordered by the axis before it.
        const bool first_axis = d == dimensions;
        const int depth = axis.inner == 1 ? kernel.row_depth : kernel.depth;
        const sweep_plan plan(axis, direction, depth, kernel.lanes, first_axis);
        const axis_work work{axis, plan, kernel.sweep, first_axis};
        share_work(sharing_pays, [&](int share, int shares) {
            transform_axis(data.first, axis, work, thread_share{share, shares});
        });
        done *= length;
    }
}
