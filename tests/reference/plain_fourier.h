#pragma once

#include "fourier.h"

// The transform written step by step, one butterfly after another along every axis in
// the order of its loops. It is slow on large arrays and is kept as the reference that
// FourierND must reproduce to the last bit.
void plain_fourier_nd(one_based<double> data, one_based<const std::uint32_t> lengths,
                      int dimensions, int direction);
