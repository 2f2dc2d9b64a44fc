#include "frontendplan.h"

namespace
{
constexpr int64_t kThresholdUnitKHz = 25000;
}  // namespace

int CFrontEndPlan::FilterCode(int64_t loKHz)
{
    static const struct
    {
        int64_t lowerEdgeKHz;
        int code;
    } kBands[] = {{4000000, 7}, {3000000, 0}, {1500000, 1}, {750000, 2},
                  {375000, 3},  {187500, 4},  {93750, 5}};
    for (const auto& band : kBands)
    {
        if (loKHz >= band.lowerEdgeKHz)
            return band.code;
    }
    return 6;
}

int CFrontEndPlan::AntennaInput(int commutator, int64_t loKHz, const int thresholds[3])
{
    if (commutator < 0)
        return -1;
    if (commutator > 0)
        return commutator - 1;
    if (thresholds[0] == 0 || thresholds[1] == 0 || thresholds[2] == 0)
        return 0;
    for (int input = 3; input >= 1; --input)
    {
        if (loKHz > thresholds[input - 1] * kThresholdUnitKHz)
            return input;
    }
    return 0;
}
