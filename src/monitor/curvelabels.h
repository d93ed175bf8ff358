#pragma once
// The speed labels under the curve: the fourteen grid lines carry step x 1
// .. step x 14, where the step is the curve scale over 13, rounded down, so
// the last label lies one step beyond the scale.

#include <cmath>

inline int curveLabelStep(int scale)
{
    return int(std::floor(double(scale) / 13.0));
}
