#include "fourier_lanes.h"

void sweep_avx512(const sweep_task& sweep)
{
    sweep_lanes<4>(sweep);
}
