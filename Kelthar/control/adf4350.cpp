#include "adf4350.h"

#include <algorithm>
#include <cmath>

CAdf4350::CAdf4350()
    // Harmonic corrections of the unit as delivered: amplitude in dB, then the fractional and harmonic
    // shifts. Row 0 is the fundamental and needs none.
    : m_corrections{{{0.0, 0, 0},
                     {34.0, 0, 819},
                     {40.0, 0, 410},
                     {45.0, 0, 205},
                     {51.0, 0, 102},
                     {57.0, 0, 51},
                     {64.0, 3, 26},
                     {71.0, 4, 13},
                     {77.0, 17, 7}}}
{
}

void CAdf4350::SetReferenceFreq(double freqHz)
{
    m_referenceHz = freqHz;
    m_referenceMHz = freqHz / 1e6;
    m_registerWord = kRegisterWordAfterReference;
}

void CAdf4350::SetEnabled(bool on)
{
    m_enabled = on ? 1 : 0;
}
void CAdf4350::SetFlag3(bool on)
{
    m_flag3 = on ? 1 : 0;
}

void CAdf4350::SetScanRange(double start, double stop)
{
    m_startFreq = start;
    m_stopFreq = stop;
}

void CAdf4350::SetFreqLimits(double min, double max)
{
    m_minFreq = min;
    m_maxFreq = max;
}

void CAdf4350::SetQuasiIQ(bool on)
{
    m_quasiIQ = on ? 1 : 0;
}
void CAdf4350::SetQuasiIQDiff(bool on)
{
    m_quasiIQDiff = on ? 1 : 0;
}
void CAdf4350::SetHalfBandEnable(bool on)
{
    m_halfBand = on ? 1 : 0;
}
void CAdf4350::SetScanSpeed(uint8_t speed)
{
    m_scanSpeed = speed;
}

void CAdf4350::SetDdcFreq(double freq)
{
    if (freq > 0.0)
    {
        m_ddcFreq = freq;
    }
}

void CAdf4350::SetOnlyDdc(bool on)
{
    m_onlyDdc = on ? 1 : 0;
}
void CAdf4350::SetWithoutDdc(bool on)
{
    m_withoutDdc = on ? 1 : 0;
}
void CAdf4350::SetGroupBlocks(int groupBlocks)
{
    m_groupBlocks = groupBlocks;
}
void CAdf4350::SetValue37(int value)
{
    m_value37 = value;
}
int CAdf4350::GetScanTuneStep()
{
    return m_tuneStep;
}

void CAdf4350::NextScanTuneStep()
{
    // The step may not carry the synthesizer past half the reference, less a margin of 8 steps.
    ++m_tuneStep;
    if (m_tuneStep > m_referenceHz / 2e6 - 8.0)
    {
        m_tuneStep = kFirstTuneStep;
    }
}

void CAdf4350::PrevScanTuneStep()
{
    if (m_tuneStep >= kFirstTuneStep + 1)
    {
        --m_tuneStep;
    }
}

void CAdf4350::SetLpfFilter(uint8_t filter)
{
    m_lpfFilter = filter;
}
void CAdf4350::SetValue44(uint16_t value)
{
    m_value44 = value;
}
void CAdf4350::SetToggleA(uint8_t value)
{
    m_toggleA = value;
}
void CAdf4350::SetToggleB(uint8_t value)
{
    m_toggleB = value;
}
void CAdf4350::SetValue47(uint8_t value)
{
    m_value47 = value;
}
void CAdf4350::FlipToggleA()
{
    m_toggleA = m_toggleA ? 0 : 1;
}
void CAdf4350::FlipToggleB()
{
    m_toggleB = m_toggleB ? 0 : 1;
}
bool CAdf4350::IsEnabled()
{
    return m_enabled != 0;
}
bool CAdf4350::IsFlag3()
{
    return m_flag3 != 0;
}
bool CAdf4350::IsQuasiIQ()
{
    return m_quasiIQ != 0;
}
bool CAdf4350::IsQuasiIQDiff()
{
    return m_quasiIQDiff != 0;
}
bool CAdf4350::IsHalfBandEnable()
{
    return m_halfBand != 0;
}
uint8_t CAdf4350::GetScanSpeed()
{
    return m_scanSpeed;
}
double CAdf4350::GetDdcFreq()
{
    return m_ddcFreq;
}
uint16_t CAdf4350::GetFreqDdcInt()
{
    return m_freqDdcInt;
}
uint16_t CAdf4350::GetFreqStartInt()
{
    return m_freqStartInt;
}
bool CAdf4350::IsOnlyDdc()
{
    return m_onlyDdc != 0;
}
bool CAdf4350::IsWithoutDdc()
{
    return m_withoutDdc != 0;
}
int CAdf4350::GetGroupBlocks()
{
    return m_groupBlocks;
}
int CAdf4350::GetValue37()
{
    return m_value37;
}
uint8_t CAdf4350::GetBlockSize()
{
    return m_blockSize;
}
double CAdf4350::GetMinFreq()
{
    return m_minFreq;
}
double CAdf4350::GetMaxFreq()
{
    return m_maxFreq;
}
double CAdf4350::GetStartFreq()
{
    return m_startFreq;
}
double CAdf4350::GetStopFreq()
{
    return m_stopFreq;
}
uint8_t CAdf4350::GetLpfFilter()
{
    return m_lpfFilter;
}
uint16_t CAdf4350::GetValue44()
{
    return m_value44;
}
uint8_t CAdf4350::GetToggleA()
{
    return m_toggleA;
}
uint8_t CAdf4350::GetToggleB()
{
    return m_toggleB;
}
uint8_t CAdf4350::GetValue47()
{
    return m_value47;
}
uint8_t CAdf4350::GetSize()
{
    return m_blockSize;
}
double CAdf4350::GetFreqOnGarm()
{
    return m_freqOnGarm;
}
int CAdf4350::GetNumberGarms()
{
    return m_numberGarms;
}
uint16_t CAdf4350::GetRegisterWord()
{
    return m_registerWord;
}
void CAdf4350::SetRegisterWord(uint16_t word)
{
    m_registerWord = word;
}

int CAdf4350::CorrectionRow(int row) const
{
    if (row == -1)
    {
        row = m_groupBlocks;
    }
    return std::clamp(row, 0, kCorrectionRows - 1);
}

double CAdf4350::GetCorrAmpl(int row)
{
    return m_corrections[CorrectionRow(row)].corrAmpl;
}
uint16_t CAdf4350::GetShiftGarm(int row)
{
    return m_corrections[CorrectionRow(row)].shiftGarm;
}
uint16_t CAdf4350::GetShiftFrac(int row)
{
    return m_corrections[CorrectionRow(row)].shiftFrac;
}

void CAdf4350::SetCorrAmpl(int row, double value)
{
    if (row >= 0 && row < kCorrectionRows)
    {
        m_corrections[row].corrAmpl = value;
    }
}

void CAdf4350::SetShiftGarm(int row, uint16_t value)
{
    if (row >= 0 && row < kCorrectionRows)
    {
        m_corrections[row].shiftGarm = value;
    }
}

void CAdf4350::SetShiftFrac(int row, uint16_t value)
{
    if (row >= 0 && row < kCorrectionRows)
    {
        m_corrections[row].shiftFrac = value;
    }
}

int CAdf4350::ClampScanRange(double* start, double* stop)
{
    if (*start > *stop)
    {
        *stop = *start;
    }
    if (m_minFreq > *start)
    {
        *start = m_minFreq;
    }
    // The start is deliberately not held below the upper limit: only the stop and the DDC frequency are.
    if (*start > m_ddcFreq)
    {
        m_ddcFreq = *start;
    }
    if (*stop > m_maxFreq)
    {
        *stop = m_maxFreq;
    }
    if (m_ddcFreq > m_maxFreq)
    {
        m_ddcFreq = m_maxFreq;
    }

    // Centre of the first capture, as the 16-bit integer the unit takes; the unit tops out at 6 GHz.
    // Values far outside 16 bits are held there first so the conversion stays defined; the low 16 bits
    // then decide, as in the unit's register.
    const double firstCentre = std::clamp(*start + m_captureWidth * 0.5, -1e9, 1e9);
    const auto centre = static_cast<uint16_t>(std::isnan(firstCentre) ? 0 : std::llround(firstCentre));
    m_freqStartInt = centre > kMaxFreqStartInt ? kMaxFreqStartInt : centre;

    // Number of captures the span needs, rounded up to a power of two; the 32768-point block is shared
    // between them in units of 128 points.
    const double captures = (*stop - *start) / m_captureWidth;
    int k = 1;
    for (int i = 0; i < 8 && captures > k; ++i)
    {
        k *= 2;
    }
    const int size = 32768 / (k * 128);
    // 256 does not fit the byte: a single capture is sent as 0.
    m_blockSize = size < 256 ? static_cast<uint8_t>(size) : 0;
    m_fetchFlag = 1;
    return size;
}

void CAdf4350::SetFetchFlag(bool on)
{
    m_fetchFlag = on ? 1 : 0;
}

double CAdf4350::ApplyDdcFreqInt()
{
    // The synthesizer is set in whole MHz just above the DDC frequency, moved on by the tune step; the
    // DDC's oscillator covers the rest. The first capture's centre is the lowest allowed setting.
    const double ddcCeil = std::clamp(std::trunc(m_ddcFreq) + 1.0, 0.0, 65535.0);
    const auto whole = static_cast<uint16_t>(ddcCeil);
    const double lowest = std::clamp(std::trunc(m_minFreq + m_captureWidth * 0.5), 0.0, 65535.0);
    const auto lowestInt = static_cast<uint16_t>(lowest);
    if (whole < lowestInt)
    {
        m_freqDdcInt = lowestInt;
        return lowestInt - m_ddcFreq;
    }
    m_freqDdcInt = static_cast<uint16_t>(whole + m_tuneStep);
    return whole - m_ddcFreq + m_tuneStep;
}

uint16_t CAdf4350::BuildRegisterWord()
{
    constexpr uint16_t kToggleABit = 1u << 6;
    constexpr uint16_t kToggleBBit = 1u << 13;
    uint16_t word = m_registerWord & static_cast<uint16_t>(~(kToggleABit | kToggleBBit));
    if (m_toggleA)
    {
        word |= kToggleABit;
    }
    if (m_toggleB)
    {
        word |= kToggleBBit;
    }
    m_registerWord = word;
    return word;
}
