#include "skycontrol.h"

#include <algorithm>

namespace
{
struct Gain
{
    int db;
    int scale;
};

// Front-end amplitude codes: 3 dB steps up to 42 dB; above that the scale grows linearly, as the unit's
// calibration gives it.
constexpr Gain kAmplTable[CSkyControl::kAmplCodes] = {
    {-3, 6},    {0, 8},     {3, 11},    {6, 16},    {9, 22},    {12, 32},   {15, 45},
    {18, 63},   {21, 89},   {24, 126},  {27, 178},  {30, 251},  {33, 355},  {36, 501},
    {39, 708},  {42, 1000}, {45, 1100}, {48, 1200}, {51, 1300}, {54, 1400}, {57, 1500},
    {60, 1600}, {63, 1700}, {66, 1800}, {69, 1900}, {71, 2000}};

constexpr Gain kGainTable[CSkyControl::kGainCodes] = {{0, 1}, {10, 3}};

// Gain index -> amplitude code; the gain code is always 0 on this path.
constexpr uint8_t kGainIndexAmpl[CSkyControl::kGainIndexes] = {0, 2, 5, 8, 11, 13, 16, 18, 21, 25};

constexpr uint8_t kAttenuatorStepDb = 5;
// Calls skipped after an attenuator step, so one step has time to show before the next.
constexpr int kAttenuatorHold = 4;

const Gain& AmplRow(uint8_t ampl)
{
    return kAmplTable[std::min<int>(ampl, CSkyControl::kAmplCodes - 1)];
}
const Gain& GainRow(uint8_t gain)
{
    return kGainTable[std::min<int>(gain, CSkyControl::kGainCodes - 1)];
}
}  // namespace

CSkyControl::CSkyControl() = default;

void CSkyControl::SetAuxByte(uint8_t value)
{
    m_auxByte = value;
}
void CSkyControl::SetStrob(uint8_t strob)
{
    m_strob = strob;
}

void CSkyControl::SetAmpl(uint8_t ampl)
{
    m_ampl = ampl;
    m_strob = kStrobResend;
}

void CSkyControl::SetGain(uint8_t gain)
{
    m_gain = gain;
    m_strob = kStrobResend;
}

void CSkyControl::SetFreq(uint8_t freq)
{
    m_freq = freq;
    m_strob = kStrobResend;
}

void CSkyControl::SetStep(uint8_t step)
{
    m_step = step;
    m_strob = kStrobResend;
}

void CSkyControl::SetStepStrob(uint8_t stepStrob)
{
    m_stepStrob = stepStrob;
    m_strob = kStrobResend;
}

void CSkyControl::SetValue28(uint8_t value)
{
    m_value28 = value;
}

bool CSkyControl::StepAttenuatorUp()
{
    if (m_attenuator >= kMaxAttenuatorDb)
    {
        return false;
    }
    if (m_attStepHold > 0)
    {
        --m_attStepHold;
        return true;
    }
    m_attStepHold = kAttenuatorHold;
    m_attenuator = std::min<uint8_t>(m_attenuator + kAttenuatorStepDb, kMaxAttenuatorDb);
    if (m_strob == 0)
    {
        m_strob = kStrobResend;
    }
    return true;
}

void CSkyControl::StepAttenuatorDown()
{
    if (m_attStepHold > 0)
    {
        --m_attStepHold;
        return;
    }
    m_attenuator = m_attenuator > kAttenuatorStepDb ? m_attenuator - kAttenuatorStepDb : 0;
    m_attStepHold = kAttenuatorHold;
    if (m_strob == 0)
    {
        m_strob = kStrobResend;
    }
}

// The settings below only ask for a resend when no strobe count is pending: a running count already
// carries them.
void CSkyControl::SetAttenuator(uint8_t attenuatorDb)
{
    m_attenuator = attenuatorDb;
    if (m_strob == 0)
    {
        m_strob = kStrobResend;
    }
}

void CSkyControl::SetAttSwitch(uint8_t on)
{
    m_attSwitch = on;
    if (m_strob == 0)
    {
        m_strob = kStrobResend;
    }
}

void CSkyControl::SetAmplSwitch(uint8_t on)
{
    m_amplSwitch = on;
    if (m_strob == 0)
    {
        m_strob = kStrobResend;
    }
}

void CSkyControl::SetFilter(uint8_t filter)
{
    m_filter = filter;
}

void CSkyControl::SetCommutator(uint8_t commutator)
{
    m_commutator = commutator;
    if (m_strob == 0)
    {
        m_strob = kStrobResend;
    }
}

void CSkyControl::SetCommutatorLevel(const int levels[3])
{
    std::copy(levels, levels + m_commutatorLevel.size(), m_commutatorLevel.begin());
}

uint8_t CSkyControl::GetLMX()
{
    return m_lmx;
}
void CSkyControl::SetLMX(uint8_t lmx)
{
    m_lmx = lmx;
}
void CSkyControl::SetUri(const std::string& uri)
{
    m_uri = uri;
}

void CSkyControl::SetGainIndex(int index)
{
    if (index < 0)
    {
        return;
    }
    // Automatic gain may ask for more than the table holds; the top row is the most gain there is.
    index = std::min(index, kGainIndexes - 1);
    m_gainIndex = index;
    m_ampl = kGainIndexAmpl[index];
    m_gain = 0;
    if (m_strob == 0)
    {
        m_strob = kStrobResend;
    }
}

uint8_t CSkyControl::GetAuxByte()
{
    return m_auxByte;
}
uint8_t CSkyControl::GetStrob()
{
    return m_strob;
}
uint8_t CSkyControl::GetAmpl()
{
    return m_ampl;
}
uint8_t CSkyControl::GetGain()
{
    return m_gain;
}
uint8_t CSkyControl::GetFreq()
{
    return m_freq;
}
uint8_t CSkyControl::GetStep()
{
    return m_step;
}
uint8_t CSkyControl::GetStepStrob()
{
    return m_stepStrob;
}
uint8_t CSkyControl::GetValue28()
{
    return m_value28;
}
uint8_t CSkyControl::GetAttenuator()
{
    return m_attenuator;
}
uint8_t CSkyControl::GetAttSwitch()
{
    return m_attSwitch;
}
uint8_t CSkyControl::GetAmplSwitch()
{
    return m_amplSwitch;
}
uint8_t CSkyControl::GetFilter()
{
    return m_filter;
}
uint8_t CSkyControl::GetCommutator()
{
    return m_commutator;
}
int* CSkyControl::GetCommutatorLevel()
{
    return m_commutatorLevel.data();
}
int CSkyControl::GetGainIndex()
{
    return m_gainIndex;
}
int CSkyControl::GetGainDb()
{
    return GainRow(m_gain).db + AmplRow(m_ampl).db;
}
int CSkyControl::GetGainScale()
{
    return GainRow(m_gain).scale * AmplRow(m_ampl).scale;
}

void CSkyControl::ResetDefaults()
{
    m_strob = kStrobResend;
    m_ampl = 1;
    m_freq = 27;
    m_step = 60;
    m_stepStrob = 1;
    m_gainIndex = 2;
    m_commutator = 1;
    m_commutatorLevel = {};
    m_uri.clear();
}

void CSkyControl::CountDownStrob()
{
    if (m_strob != 0 && m_strob != kStrobResend)
    {
        --m_strob;
    }
}

void CSkyControl::CountDownStepStrob()
{
    if (m_stepStrob > 0)
    {
        --m_stepStrob;
    }
}
