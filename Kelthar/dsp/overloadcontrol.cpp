#include "overloadcontrol.h"

#include <algorithm>

#include "controlbits.h"

void COverloadControl::Update(int channelType, int maximum, int minimum, CControlBits& bits)
{
    bool overload = m_state != 0;
    if (m_mode == 0)
    {
        const bool radio = channelType == 0 || channelType == 2 || channelType == 3;
        const int level = radio ? kRadioOverloadLevel : kLineOverloadLevel;
        overload = maximum > level || minimum < -level;
    }
    StepGain(channelType, overload, maximum - minimum < kQuietSpan, bits);

    if (m_mode == 1)
    {
        m_state = static_cast<int32_t>((m_statusWord >> 6) & 1);
    }
    else if (m_mode == 0)
    {
        if (overload)
        {
            m_state = 1;
            m_hold = kHoldBlocks;
        }
        else
        {
            if (m_hold > 0)
                --m_hold;
            if (m_hold == 0)
                m_state = 0;
        }
    }
}

void COverloadControl::StepGain(int channelType, bool overload, bool quiet, CControlBits& bits)
{
    // An overloaded block lowers the gain even when its samples span little (a large offset).
    if (!overload && !quiet)
        return;
    switch (channelType)
    {
        case 4:
        {
            CDlaControl& dla = bits.Dla();
            const int row = dla.GetGainRow();
            const int next = overload ? std::max(row - 1, 0) : std::min(row + 1, CDlaControl::kGainRows - 1);
            if (next != row)
                dla.SetGainRow(next);
            break;
        }
        case 6:
        {
            CAcousticControl& acoustic = bits.Acoustic();
            const int gain = acoustic.GetGain();
            const int next =
                overload ? std::max(gain - 1, 1) : std::min(gain + 1, CAcousticControl::kGainIndexes - 1);
            if (next != gain)
                acoustic.SetGain(next);
            break;
        }
        case 2:
        {
            // The gain-index table ends at its top row, the highest amplitude code.
            CSkyControl& sky = bits.Sky();
            const int index = sky.GetGainIndex();
            const int next =
                overload ? std::max(index - 1, 0) : std::min(index + 1, CSkyControl::kGainIndexes - 1);
            if (next == index)
                break;
            m_skyStepDue = !m_skyStepDue;
            if (!m_skyStepDue)
                sky.SetGainIndex(next);
            break;
        }
        default:
            break;
    }
}
