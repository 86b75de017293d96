#include "fourier_lanes.h"

void sweep_avx2(const Sweep& sweep)
{
    sweep_lanes<2>(sweep);
}
