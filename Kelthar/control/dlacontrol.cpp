#include "dlacontrol.h"

#include <algorithm>

#include "acousticcontrol.h"

namespace
{
struct Gain
{
    int db;
    int scale;
};

// First amplifier stage, 6 dB steps.
constexpr Gain kGainTableA[8] = {{0, 1}, {6, 2}, {12, 4}, {18, 8}, {24, 16}, {30, 32}, {36, 64}, {42, 128}};
// Second amplifier stage; code 0 is the attenuating setting.
constexpr Gain kGainTableB[10] = {{-14, 2},  {0, 10},   {20, 100}, {26, 200},  {29, 300},
                                  {32, 400}, {35, 600}, {38, 800}, {41, 1200}, {44, 1570}};

struct GainRowEntry
{
    uint8_t gainA;
    uint8_t gainB;
    int acousticIndex;
};

// The operator's gain rows: stage A first, then stage B, and the acoustic stage only at the very top.
constexpr GainRowEntry kRowTable[CDlaControl::kGainRows] = {
    {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}, {2, 1, 1}, {3, 1, 1}, {4, 1, 1}, {5, 1, 1},
    {6, 1, 1}, {7, 1, 1}, {5, 2, 1}, {6, 2, 1}, {7, 2, 1}, {7, 2, 2}, {7, 2, 3}, {7, 2, 4}};

constexpr int kGainToRow[CDlaControl::kGains] = {0, 0, 2, 4, 6, 9, 12, 15};

// The unit's line word scales the whole gain by 40 on top of the two stages.
constexpr int kLineScale = 40;

uint8_t PinBit(uint8_t pin)
{
    // Pin 0 is "not connected"; pins beyond the unit's eight are treated the same.
    return pin >= 1 && pin <= 8 ? static_cast<uint8_t>(1u << (pin - 1)) : 0;
}

// The unit reads the gain code with its bits in the opposite order.
uint8_t ReverseBits(uint8_t x)
{
    uint8_t r = 0;
    for (int i = 0; i < 8; ++i)
    {
        if (x & (1u << i))
        {
            r |= static_cast<uint8_t>(1u << (7 - i));
        }
    }
    return r;
}
}  // namespace

CDlaControl::CDlaControl(CAcousticControl* acoustic) : m_acoustic(acoustic)
{
    // Starts as after a reinitialisation with the line input off.
    SetComm(0);
}

void CDlaControl::SetComm(int comm)
{
    if (comm == -1)
    {
        return;
    }
    const uint8_t previous = m_comm;
    m_comm = static_cast<uint8_t>(comm);
    m_comm8 = 0;
    switch (comm)
    {
        case 0:
            m_pinCode[0] = 0x08;
            m_pinCode[1] = 0x10;
            break;
        case 1:
            m_pinCode[0] = 0x04;
            m_pinCode[1] = 0x20;
            break;
        case 2:
            m_pinCode[0] = 0x01;
            m_pinCode[1] = 0x02;
            break;
        case 3:
            m_pinCode[0] = 0x40;
            m_pinCode[1] = 0x80;
            break;
        case 4:
        case 5:
            m_pinCode[0] = PinBit(m_pin1);
            m_pinCode[1] = PinBit(m_pin2);
            break;
        case 6:
            // A command, not a pair: swap the wires of the pair in use.
            m_comm = previous;
            m_swap = m_swap ? 0 : 1;
            break;
        case 7:
            m_pinCode[0] = 0;
            m_pinCode[1] = 0;
            break;
        case 8:
            m_comm8 = 1;
            break;
        default:
            // Not a known pair: stored, nothing else changes.
            break;
    }
}

uint8_t CDlaControl::GetComm()
{
    return m_comm;
}

void CDlaControl::SetPins(uint8_t first, uint8_t second)
{
    m_pin1 = first;
    m_pin2 = second;
}

void CDlaControl::SetGain(int gain)
{
    if (gain < 0)
    {
        return;
    }
    gain = std::min(gain, kGains - 1);
    m_gainIndex = gain;
    SetGainRow(kGainToRow[gain]);
}

void CDlaControl::SetGainRow(int row)
{
    if (row < 0)
    {
        return;
    }
    row = std::min(row, kGainRows - 1);
    m_gainRow = row;
    m_gainA = kRowTable[row].gainA;
    m_gainB = kRowTable[row].gainB;
    if (m_acoustic != nullptr)
    {
        m_acoustic->SetGainIndex(kRowTable[row].acousticIndex);
    }
}

int CDlaControl::GetGain()
{
    return m_gainIndex;
}
int CDlaControl::GetGainRow()
{
    return m_gainRow;
}

int CDlaControl::GetGainDb()
{
    return kGainTableB[std::min<int>(m_gainB, 9)].db + kGainTableA[std::min<int>(m_gainA, 7)].db;
}

int CDlaControl::GetGainScale()
{
    return kGainTableB[std::min<int>(m_gainB, 9)].scale * kGainTableA[std::min<int>(m_gainA, 7)].scale *
           kLineScale;
}

float CDlaControl::GetVoltage()
{
    return m_voltage;
}

void CDlaControl::SetDebugMode(bool on)
{
    m_debugMode = on ? 1 : 0;
    m_debugModeCopy = m_debugMode;
}

void CDlaControl::Reinit(bool lineMode)
{
    CAcousticControl* acoustic = m_acoustic;
    *this = CDlaControl(acoustic);
    m_pin1 = 1;
    m_pin2 = 3;
    m_lineMode = lineMode ? 1 : 0;
    SetComm(0);
}

uint32_t CDlaControl::LineWordA() const
{
    const uint32_t pair = m_swap ? (static_cast<uint32_t>(m_pinCode[1]) << 8) | m_pinCode[0]
                                 : (static_cast<uint32_t>(m_pinCode[0]) << 8) | m_pinCode[1];
    return pair | (static_cast<uint32_t>(m_gainA) << 16) | (static_cast<uint32_t>(m_debugMode) << 19) |
           (static_cast<uint32_t>(m_comm8) << 20) | (static_cast<uint32_t>(m_lineMode) << 23);
}

uint32_t CDlaControl::LineWordB() const
{
    // Stage B code as the unit counts it: 0 is its ninth setting, the others are one lower. The low bit
    // of 2g + 1 marks the byte as valid and ends up in bit 7 after the reversal.
    const int g = m_gainB == 0 ? 9 : m_gainB - 1;
    const uint8_t code = ReverseBits(static_cast<uint8_t>(2 * g + 1));
    return code | (static_cast<uint32_t>(m_debugModeCopy) << 14);
}

void CDlaControl::BuildLineWords(uint32_t* word14, uint32_t* word11)
{
    const uint32_t wordA = LineWordA();
    const uint32_t wordB = LineWordB();
    m_lastWordA = wordA;
    m_lastWordB = wordB;
    // The unit takes a new setting when the toggle bit changes: after a change it alternates on the next
    // blocks, then rests at 1.
    if (wordA != m_sentWordA || wordB != m_sentWordB)
    {
        m_sentWordA = wordA;
        m_sentWordB = wordB;
        m_repeat = kRepeatBlocks;
    }
    if (m_repeat > 0)
    {
        --m_repeat;
        m_toggle = m_toggle ? 0 : 1;
    }
    else
    {
        m_toggle = 1;
    }
    m_optionSaved = m_option;
    *word14 = wordA | (static_cast<uint32_t>(m_option) << 21) | (static_cast<uint32_t>(m_toggle) << 22);
    *word11 = wordB;
}
