#include "fourier_lanes.h"

void sweep_avx2(const sweep_task& sweep)
{
    sweep_lanes<2>(sweep);
}
