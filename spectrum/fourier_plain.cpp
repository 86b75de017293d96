#include "fourier_lanes.h"

void sweep_plain(const sweep_task& sweep)
{
    sweep_lanes<1>(sweep);
}
