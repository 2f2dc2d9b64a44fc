#include "channel.h"

namespace
{
template <typename Array>
bool InRow(const Array& row, int i, int first = 0)
{
    return i >= first && i < static_cast<int>(row.size());
}
}  // namespace

CChannel::CChannel(int type, const std::wstring& shortName, const std::wstring& name, double sampleRateHz)
    : m_type(type),
      m_shortName(shortName),
      m_sampleRate(sampleRateHz),
      m_stopFreq(sampleRateHz * 0.5),
      m_viewStopFreq(sampleRateHz * 0.5),
      m_upperLimit(sampleRateHz * 0.5)
{
    // A new channel always takes the name it is given, an empty one included.
    SetName(name);
}

int CChannel::GetType()
{
    return m_type;
}

std::wstring CChannel::GetName()
{
    return m_name;
}

std::wstring CChannel::GetShortName()
{
    return m_shortName;
}

double CChannel::GetSampleRate()
{
    return m_sampleRate;
}

double CChannel::GetStartFreq()
{
    return m_startFreq;
}

double CChannel::GetStopFreq()
{
    return m_stopFreq;
}

double CChannel::GetViewStopFreq()
{
    return m_viewStopFreq;
}

double CChannel::GetUpperLimit()
{
    return m_upperLimit;
}

double CChannel::GetOscCorrection(int i)
{
    return InRow(m_oscCorrection, i) ? m_oscCorrection[i] : 1.0;
}

double CChannel::GetDbmCorrection(int i)
{
    return InRow(m_dbmCorrection, i) ? m_dbmCorrection[i] : 0.0;
}

double CChannel::GetDbmCorrection2(int i)
{
    return InRow(m_dbmCorrection2, i) ? m_dbmCorrection2[i] : 0.0;
}

int CChannel::SetType(int type)
{
    m_type = type;
    return type;
}

void CChannel::SetName(const std::wstring& name)
{
    if (&name != &m_name)
        m_name = name;
}

void CChannel::SetSampleRate(double rateHz)
{
    m_sampleRate = rateHz;
}

void CChannel::SetStartFreq(double freqMHz)
{
    m_startFreq = freqMHz;
}

void CChannel::SetStopFreq(double freqMHz)
{
    // The band buttons rely on the view stop and the tuning limit following the sweep stop.
    m_stopFreq = freqMHz;
    m_viewStopFreq = freqMHz;
    m_upperLimit = freqMHz;
}

void CChannel::SetViewStopFreq(double freqMHz)
{
    m_viewStopFreq = freqMHz;
}

void CChannel::SetUpperLimit(double freqMHz)
{
    m_upperLimit = freqMHz;
}

int CChannel::SetOscCorrection(int i, double value)
{
    if (InRow(m_oscCorrection, i))
        m_oscCorrection[i] = value;
    return i;
}

int CChannel::SetDbmCorrection(int i, double value)
{
    if (InRow(m_dbmCorrection, i))
        m_dbmCorrection[i] = value;
    return i;
}

int CChannel::SetDbmCorrection2(int i, double value)
{
    // The row is addressed 1..8 like its file line; slot 0 stays 0.0.
    if (InRow(m_dbmCorrection2, i, 1))
        m_dbmCorrection2[i] = value;
    return i;
}

int32_t CChannel::GetDcOffset(DcOffset which) const
{
    return static_cast<int32_t>(m_words[1 + static_cast<int>(which)]);
}

void CChannel::SetDcOffset(DcOffset which, int32_t value)
{
    m_words[1 + static_cast<int>(which)] = static_cast<uint32_t>(value);
}
