#include "fourier_lanes.h"

void sweep_plain(const Sweep& sweep)
{
    sweep_lanes<1>(sweep);
}
