#include "acousticcontrol.h"

#include <algorithm>

namespace
{
struct Gain
{
    int db;
    int scale;
};

// Index 0 and 1 are both unity gain: the input stage has no attenuating setting.
constexpr Gain kGainTable[CAcousticControl::kGainIndexes] = {{0, 1},  {0, 1},   {6, 2},   {12, 4},
                                                             {18, 8}, {24, 16}, {30, 32}, {36, 64}};

const Gain& GainRow(int index)
{
    return kGainTable[std::clamp(index, 0, CAcousticControl::kGainIndexes - 1)];
}
}  // namespace

void CAcousticControl::SetGain(int gain)
{
    m_gain = gain;
    m_gainIndex = gain;
}

int CAcousticControl::GetGain()
{
    return m_gain;
}
void CAcousticControl::SetGainIndex(int index)
{
    m_gainIndex = index;
}
int CAcousticControl::GetGainIndex()
{
    return m_gainIndex;
}
int CAcousticControl::GetGainDb()
{
    return GainRow(m_gainIndex).db;
}
int CAcousticControl::GetGainScale()
{
    return GainRow(m_gainIndex).scale;
}
