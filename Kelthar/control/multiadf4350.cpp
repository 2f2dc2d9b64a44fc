#include "multiadf4350.h"

#include "adf4350.h"

CMultiAdf4350::CMultiAdf4350(CAdf4350* adf) : m_adf(adf)
{
}

void CMultiAdf4350::SetEnabled(bool on)
{
    m_enabled = on ? 1 : 0;
}
void CMultiAdf4350::SetSelected(bool on)
{
    m_selected = on ? 1 : 0;
}

void CMultiAdf4350::AddRange(double start, double stop)
{
    m_ranges.push_back({start, stop});
    // Every new list starts its sweep from the first range.
    m_currentRange = 0;
}

void CMultiAdf4350::SetRange(int index, double start, double stop)
{
    if (index >= 0 && index < static_cast<int>(m_ranges.size()))
    {
        m_ranges[index] = {start, stop};
    }
}

int CMultiAdf4350::GetRangeCount()
{
    return static_cast<int>(m_ranges.size());
}

void CMultiAdf4350::ClearRanges()
{
    m_ranges.clear();
    // No range is being swept any more; a stale index would point past the empty list.
    m_currentRange = -1;
}

bool CMultiAdf4350::IsEnabled()
{
    return m_enabled != 0;
}
bool CMultiAdf4350::IsSelected()
{
    return m_selected != 0;
}

void CMultiAdf4350::NextRange()
{
    if (m_ranges.empty())
    {
        // The sweep is switched on before its list is filled: keep the synthesizer on its own range,
        // clamped as the single-range scan does.
        if (m_adf != nullptr)
        {
            double start = m_adf->GetStartFreq();
            double stop = m_adf->GetStopFreq();
            m_adf->ClampScanRange(&start, &stop);
            m_adf->SetScanRange(start, stop);
        }
        return;
    }
    ++m_currentRange;
    if (m_currentRange < 0 || m_currentRange >= static_cast<int>(m_ranges.size()))
    {
        m_currentRange = 0;
    }
    Range& range = m_ranges[m_currentRange];
    if (m_adf != nullptr)
    {
        // Clamped in place: the list keeps what the synthesizer can actually sweep.
        m_adf->ClampScanRange(&range.start, &range.stop);
        m_adf->SetScanRange(range.start, range.stop);
    }
}

int CMultiAdf4350::GetCurrentRange()
{
    return m_currentRange;
}

bool CMultiAdf4350::GetRange(int index, double* start, double* stop) const
{
    if (index < 0 || index >= static_cast<int>(m_ranges.size()))
    {
        return false;
    }
    *start = m_ranges[index].start;
    *stop = m_ranges[index].stop;
    return true;
}
