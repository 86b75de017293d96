#pragma once

#include <cstdint>

// A view of an array numbered from 1, the way the transform counts: position 1 is the
// first element. It holds the address of the first element, so no pointer ever points
// before the array.
template <typename T> struct one_based
{
    T* first;

    T& operator[](std::uint64_t position) const { return first[position - 1]; }
};

// In-place radix-2 discrete Fourier transform of a complex array of `dimensions`
// dimensions, stored as (real, imaginary) pairs with the last index fastest.
// `data` counts doubles from 1; `lengths[1]` is the slowest dimension's length and
// `lengths[dimensions]` the fastest one's, each a power of two. `direction` +1 takes
// the sum with the positive exponent, -1 with the negative one; neither is scaled.
// A transform of 4096 elements or more is shared among the worker threads (worth_sharing
// in work_crew.h); sharing changes the order of independent work only, never a result.
void FourierND(one_based<double> data, one_based<const std::uint32_t> lengths, int dimensions,
               int direction);

// The instruction sets FourierND can run on; every one gives the same results to the
// last bit, they differ only in speed.
enum class transform_kernel
{
    scalar,
    avx2,
    avx512
};

// Whether this build and this processor can run `kernel`.
bool fourier_kernel_supported(transform_kernel kernel);

// The kernel FourierND uses: at first the one named by the environment variable
// WIDMO_KERNEL (scalar, avx2 or avx512) when the processor supports it, otherwise the
// widest one it supports.
transform_kernel fourier_kernel();

// Makes FourierND use `kernel`; throws std::invalid_argument when it is not supported.
void use_fourier_kernel(transform_kernel kernel);
