#include "fourier.h"

#include "fourier_sweep.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

// The butterflies of one pass are independent of each other, so they may run in any
// order; what decides every bit of the result is that each element goes through the same
// butterflies, pass after pass, with the same rotation factors. This file runs them in an
// order that suits the memory: the lines of one axis are taken a few at a time while they
// sit in cache, and up to four neighbouring passes are applied to a group of rows held in
// registers before it goes back to memory.

namespace {

// 2 pi as the transform has always written it; the last digits differ from the
// double nearest 2 pi, and keeping them keeps every result bit for bit.
constexpr double two_pi = 6.28318530717959;

// Blocks of one axis transformed together, chosen to stay in the second-level cache.
constexpr std::uint64_t chunk_bytes = 512 * 1024;

using SweepFunction = void (*)(const Sweep&);

// One axis of the array seen as `blocks` blocks of `length` rows of `inner` complex
// elements. `partner_length` is the length of the next axis to transform: the blocks
// are its elements, and it wants them in bit-reversed order along it.
struct Axis
{
    std::uint64_t length;
    std::uint64_t inner;
    std::uint64_t blocks;
    std::uint64_t partner_length;
};

// Counts 0, 1, 2, ... and keeps the bit reversal of the count over log2(length) bits.
class ReversedCounter
{
public:
    explicit ReversedCounter(std::uint64_t length) : top(length / 2) {}

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

int log2_of(std::uint64_t power_of_two)
{
    int bits = 0;
    while ((std::uint64_t{1} << bits) < power_of_two) {
        ++bits;
    }
    return bits;
}

void swap_runs(double* a, double* b, std::uint64_t doubles)
{
    std::swap_ranges(a, a + doubles, b);
}

// Put the rows of a block in bit-reversed order of their index.
void reverse_rows(double* block, const Axis& axis)
{
    const std::uint64_t row = 2 * axis.inner;
    ReversedCounter rev(axis.length);
    for (std::uint64_t i = 0; i < axis.length; ++i, rev.next()) {
        if (i < rev.value()) {
            swap_runs(block + i * row, block + rev.value() * row, row);
        }
    }
}

// The increments of the recurrence for the pass that joins halves of `half` elements:
// the pass's angle, then the sines of half of it and of all of it.
void set_increments(Sweep& sweep, int q, int direction, std::uint64_t half)
{
    const double angle = direction * two_pi / static_cast<double>(2 * half);
    const double s = std::sin(0.5 * angle);
    sweep.dr[q] = -2.0 * s * s;
    sweep.di[q] = std::sin(angle);
}

// The passes of one axis cut into sweeps of at most `depth` passes.
struct SweepPlan
{
    static constexpr int max_sweeps = 64;
    Sweep sweeps[max_sweeps];
    int count = 0;

    SweepPlan(const Axis& axis, int direction, int depth)
    {
        const int passes = log2_of(axis.length);
        for (int first = 0; first < passes; first += depth) {
            Sweep& sweep = sweeps[count++];
            sweep.length = axis.length;
            sweep.inner = axis.inner;
            sweep.first = first;
            sweep.count = std::min(depth, passes - first);
            for (int q = 0; q < sweep.count; ++q) {
                set_increments(sweep, q, direction, std::uint64_t{1} << (first + q));
            }
        }
    }
};

// Blocks gathered for one round of sweeps; a block and its partner in the next axis's
// bit-reversed order are always gathered together and exchanged when both are done.
struct Chunk
{
    double* blocks[Sweep::max_blocks];
    bool paired[Sweep::max_blocks];
    int count = 0;
};

struct AxisWork
{
    const Axis& axis;
    const SweepPlan& plan;
    SweepFunction sweep;
    bool reverse_own_rows;

    void run(Chunk& chunk) const
    {
        const std::uint64_t block_doubles = 2 * axis.length * axis.inner;
        if (reverse_own_rows) {
            for (int b = 0; b < chunk.count; ++b) {
                reverse_rows(chunk.blocks[b], axis);
            }
        }
        for (int s = 0; s < plan.count; ++s) {
            Sweep sweep_of_chunk = plan.sweeps[s];
            std::copy(chunk.blocks, chunk.blocks + chunk.count, sweep_of_chunk.blocks);
            sweep_of_chunk.block_count = chunk.count;
            sweep(sweep_of_chunk);
        }
        for (int b = 0; b < chunk.count; ++b) {
            if (chunk.paired[b]) {
                swap_runs(chunk.blocks[b], chunk.blocks[b + 1], block_doubles);
                ++b;
            }
        }
        chunk.count = 0;
    }
};

int chunk_capacity(const Axis& axis)
{
    const std::uint64_t block_bytes = 16 * axis.length * axis.inner;
    const std::uint64_t fit = chunk_bytes / block_bytes;
    return static_cast<int>(std::clamp<std::uint64_t>(fit, 2, Sweep::max_blocks));
}

// Transform every block along the axis; afterwards the blocks stand in bit-reversed
// order along the partner axis.
void transform_axis(double* x, const Axis& axis, const AxisWork& work)
{
    const std::uint64_t block_doubles = 2 * axis.length * axis.inner;
    const int capacity = chunk_capacity(axis);
    Chunk chunk;
    ReversedCounter rev(axis.partner_length);
    for (std::uint64_t b = 0, i = 0; b < axis.blocks; ++b) {
        const std::uint64_t partner = b - i + rev.value();
        if (partner >= b) {
            const int needed = partner > b ? 2 : 1;
            if (chunk.count + needed > capacity) {
                work.run(chunk);
            }
            chunk.paired[chunk.count] = partner > b;
            chunk.blocks[chunk.count++] = x + b * block_doubles;
            if (partner > b) {
                chunk.paired[chunk.count] = false;
                chunk.blocks[chunk.count++] = x + partner * block_doubles;
            }
        }
        if (++i == axis.partner_length) {
            i = 0;
            rev = ReversedCounter(axis.partner_length);
        } else {
            rev.next();
        }
    }
    if (chunk.count > 0) {
        work.run(chunk);
    }
}

struct KernelInfo
{
    FourierKernel kernel;
    const char* name;
    SweepFunction sweep;
    int depth;
};

#if defined(WIDMO_X86_KERNELS)
constexpr KernelInfo kernels[] = {
    {FourierKernel::scalar, "scalar", sweep_plain, 4},
    {FourierKernel::avx2, "avx2", sweep_avx2, 3},
    {FourierKernel::avx512, "avx512", sweep_avx512, 4},
};
#else
constexpr KernelInfo kernels[] = {{FourierKernel::scalar, "scalar", sweep_plain, 4}};
#endif

const KernelInfo* find_kernel(FourierKernel kernel)
{
    for (const KernelInfo& info : kernels) {
        if (info.kernel == kernel) {
            return &info;
        }
    }
    return nullptr;
}

FourierKernel best_supported()
{
    FourierKernel best = FourierKernel::scalar;
    for (const KernelInfo& info : kernels) {
        if (fourier_kernel_supported(info.kernel)) {
            best = info.kernel;
        }
    }
    return best;
}

// WIDMO_KERNEL=scalar|avx2|avx512 chooses the path; an unknown or unsupported name
// leaves the best one the processor supports.
FourierKernel initial_kernel()
{
    const char* wanted = std::getenv("WIDMO_KERNEL");
    for (const KernelInfo& info : kernels) {
        if (wanted != nullptr && std::strcmp(wanted, info.name) == 0 &&
            fourier_kernel_supported(info.kernel)) {
            return info.kernel;
        }
    }
    return best_supported();
}

std::atomic<FourierKernel>& chosen_kernel()
{
    static std::atomic<FourierKernel> chosen{initial_kernel()};
    return chosen;
}

} // namespace

bool fourier_kernel_supported(FourierKernel kernel)
{
    if (find_kernel(kernel) == nullptr) {
        return false;
    }
#if defined(WIDMO_X86_KERNELS)
    switch (kernel) {
    case FourierKernel::avx2:
        return __builtin_cpu_supports("avx2");
    case FourierKernel::avx512:
        return __builtin_cpu_supports("avx512f");
    default:
        return true;
    }
#else
    return true;
#endif
}

FourierKernel fourier_kernel()
{
    return chosen_kernel().load();
}

void use_fourier_kernel(FourierKernel kernel)
{
    if (!fourier_kernel_supported(kernel)) {
        throw std::invalid_argument("this processor cannot run the chosen transform kernel");
    }
    chosen_kernel().store(kernel);
}

void FourierND(one_based<double> data, one_based<const std::uint32_t> lengths, int dimensions,
               int direction)
{
    const KernelInfo& kernel = *find_kernel(fourier_kernel());
    std::uint64_t total = 1;
    for (int d = 1; d <= dimensions; ++d) {
        total *= lengths[d];
    }
    std::uint64_t done = 1;
    for (int d = dimensions; d >= 1; --d) {
        const std::uint64_t length = lengths[d];
        const Axis axis{length, done, total / (length * done), d > 1 ? lengths[d - 1] : 1u};
        const SweepPlan plan(axis, direction, kernel.depth);
        // The first axis reorders its own rows; every later axis finds its rows already
        // reordered by the axis before it.
        const AxisWork work{axis, plan, kernel.sweep, d == dimensions};
        transform_axis(data.first, axis, work);
        done *= length;
    }
}
