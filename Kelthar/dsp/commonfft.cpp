#include "commonfft.h"

#include <algorithm>
#include <cmath>

#include "octavebands.h"
#include "radix2fft.h"

CCommonFft::CCommonFft(IControlBits* controlBits)
    : m_controlBits(controlBits),
      m_engine(controlBits),
      m_fftSize(m_engine.GetFftSize()),
      m_pointCount(m_engine.GetResultSize())
{
}

int CCommonFft::SetAveraging(int mode)
{
    const int previous = m_settings.averaging;
    m_settings.averaging = mode;
    SchedulePendingReset(kClearHistory);
    return previous;
}

int CCommonFft::SetWindow(int type)
{
    const int previous = m_settings.window;
    m_settings.window = type;
    SchedulePendingReset(kKeepHistory);
    return previous;
}

void CCommonFft::SchedulePendingReset(int code)
{
    // A window change after an averaging change must still clear the history.
    m_pending = std::max(m_pending, code);
    PassOnPendingReset(code);
}

int CCommonFft::SetCorrection(double value, int index)
{
    if (index == -1)
    {
        // Out of the int range (or NaN) the shift is left as it was.
        const double rounded = std::round(value);
        if (rounded >= -2147483648.0 && rounded <= 2147483647.0)
        {
            m_correctionShift = static_cast<int>(rounded);
        }
        return m_correctionShift;
    }
    if (index >= 0 && static_cast<size_t>(index) < m_correctionRow.size())
    {
        m_correctionRow[static_cast<size_t>(index)] = value;
    }
    return static_cast<int>(m_correctionRow.size());
}

const std::vector<double>& CCommonFft::GetResult()
{
    CopyPublished(m_engine, m_pointCount, m_result);
    return m_result;
}

std::vector<double>& CCommonFft::GetCorrectionRow()
{
    if (m_correctionShift == 0)
    {
        GetResult();
        return m_result;
    }
    m_correctionRow.resize(static_cast<size_t>(m_pointCount), 0.0);
    return m_correctionRow;
}

int CCommonFft::GetCorrectionShift()
{
    return m_correctionShift;
}

const std::vector<double>& CCommonFft::GetFreqTable()
{
    // The engine fills its tables for 32768-point spectra only; a table of another length than the
    // result would give points frequencies they do not have, so it is handed out empty (no frequencies).
    const std::vector<double>& table = m_engine.GetFreqTable();
    if (table.size() == static_cast<size_t>(m_pointCount))
    {
        m_freqTable = table;
    }
    else
    {
        m_freqTable.clear();
    }
    return m_freqTable;
}

const std::vector<int>& CCommonFft::GetIntTable()
{
    const std::vector<int>& table = m_engine.GetIntTable();
    if (table.size() == static_cast<size_t>(m_pointCount))
    {
        m_intTable = table;
    }
    else
    {
        m_intTable.clear();
    }
    return m_intTable;
}

int CCommonFft::GetPointCount()
{
    return m_pointCount;
}

void CCommonFft::SetFftSize(int n)
{
    if (!CRadix2Fft::IsValidSize(n))
    {
        return;
    }
    m_fftSize = n;
    m_pointCount = m_engine.GetRateIndex() != 0 ? n : n / 2;
    SchedulePendingReset(kClearHistory);
}

int CCommonFft::GetFftSize()
{
    return m_fftSize;
}

int CCommonFft::GetAveraging()
{
    return m_settings.averaging;
}

int CCommonFft::GetWindow()
{
    return m_settings.window;
}

bool CCommonFft::GetOctaveLevels(bool thirdOctave, double maxFreq, std::vector<OCTAVE_LEVEL>& out)
{
    if (maxFreq == 0.0)
    {
        return false;
    }
    const std::vector<double>& spectrum = GetResult();
    COctaveBands::Levels(thirdOctave ? COctaveBands::ThirdOctaves() : COctaveBands::Octaves(), spectrum,
                         maxFreq, out);
    return true;
}

void CCommonFft::SetEnabled(bool on)
{
    m_enabled = on;
}

int CCommonFft::GetBlockCount()
{
    return m_blockCount;
}

void CCommonFft::Configure(int fftSize, int pointCount, int mode, uint8_t rateIndex)
{
    m_engine.SetMode(mode);
    m_engine.SetRateIndex(rateIndex);
    if (m_engine.SetSize(fftSize, pointCount))
    {
        m_fftSize = fftSize;
        m_pointCount = pointCount;
    }
    m_pending = kClearHistory;
}

void CCommonFft::ApplyPendingReset(CCfft& engine, const Settings& settings, int& pending)
{
    if (pending == kNoReset)
    {
        return;
    }
    engine.SetWindowType(settings.window);
    engine.SetAveragingMode(settings.averaging);
    engine.Reset(pending == kClearHistory);
    pending = kNoReset;
}

void CCommonFft::ApplyOwnPendingReset()
{
    if (m_pending == kClearHistory &&
        (m_engine.GetFftSize() != m_fftSize || m_engine.GetResultSize() != m_pointCount))
    {
        m_engine.SetSize(m_fftSize, m_pointCount);
    }
    ApplyPendingReset(m_engine, m_settings, m_pending);
}

void CCommonFft::CalculateOnce(const std::vector<double>& i, const std::vector<double>& q)
{
    if (!m_enabled)
    {
        return;
    }
    ApplyOwnPendingReset();
    m_engine.SetHoldMode(0);
    m_engine.Transform(i, q);
}

void CCommonFft::CopyPublished(const CCfft& engine, int points, std::vector<double>& out)
{
    const std::vector<double>& published = engine.GetPublished();
    const size_t n = static_cast<size_t>(std::max(points, 0));
    out.resize(n);
    const size_t copied = std::min(n, published.size());
    std::copy(published.begin(), published.begin() + static_cast<std::ptrdiff_t>(copied), out.begin());
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(copied), out.end(), CCfft::kFloorDb);
}
