#include "fourier_lanes.h"

void sweep_avx512(const Sweep& sweep)
{
    sweep_lanes<4>(sweep);
}
