#include "spectrumaverager.h"

#include <algorithm>

CSpectrumAverager::CSpectrumAverager() = default;

void CSpectrumAverager::SetSize(int bins)
{
    m_bins = std::max(bins, 0);
    const size_t n = static_cast<size_t>(m_bins);
    m_result.assign(n, kFloorDb);
    m_hold.assign(n, kFloorDb);
    for (std::vector<double>& row : m_history)
    {
        row.assign(n, kFloorDb);
    }
    m_sum.assign(m_history.empty() ? 0 : n, 0.0);
    m_writeRow = 0;
    if (!m_history.empty())
    {
        SumHistory();
    }
}

void CSpectrumAverager::Reset(int kind, int depth, bool clearHistory)
{
    m_kind = kind;
    m_depth = std::clamp(depth, 1, kMaxDepth);
    const size_t rows = KeepsHistory(kind) ? static_cast<size_t>(m_depth) : 0;
    const size_t n = static_cast<size_t>(m_bins);
    m_history.resize(rows);
    m_history.shrink_to_fit();
    // The scratch row of per-bin sums serves the kinds with history only.
    m_sum.resize(rows > 0 ? n : 0);
    m_sum.shrink_to_fit();
    for (std::vector<double>& row : m_history)
    {
        if (clearHistory || row.size() != n)
        {
            row.assign(n, kFloorDb);
        }
    }
    if (clearHistory)
    {
        std::fill(m_result.begin(), m_result.end(), kFloorDb);
        std::fill(m_hold.begin(), m_hold.end(), kFloorDb);
        m_writeRow = 0;
    }
    if (m_writeRow >= m_depth)
    {
        m_writeRow = 0;
    }
    if (!m_history.empty())
    {
        SumHistory();
    }
}

bool CSpectrumAverager::Add(const double* levelsDb)
{
    const int n = m_bins;
    const double* v = levelsDb;
    if (m_holdMode != kHoldOff)
    {
        if (m_holdMode == kHoldRestart)
        {
            std::fill(m_hold.begin(), m_hold.end(), kFloorDb);
        }
        for (int k = 0; k < n; ++k)
        {
            m_hold[k] = std::max(m_hold[k], v[k]);
        }
        if (m_holdMode != kHoldUse)
        {
            return false;
        }
        v = m_hold.data();
    }

    switch (m_kind)
    {
        case kInstant:
            std::copy(v, v + n, m_result.begin());
            break;
        case kMean:
        {
            ReplaceRow(v);
            const double depth = m_depth;
            for (int k = 0; k < n; ++k)
            {
                m_result[k] = m_sum[k] / depth;
            }
            break;
        }
        case kPeak:
            for (int k = 0; k < n; ++k)
            {
                m_result[k] = std::max(m_result[k], v[k]);
            }
            break;
        case kPeakDecay:
        {
            ReplaceRow(v);
            const double depth = m_depth;
            for (int k = 0; k < n; ++k)
            {
                if (v[k] <= m_result[k])
                {
                    m_result[k] = m_sum[k] / depth;
                }
                else
                {
                    // A new maximum is taken at once and becomes the whole memory of the bin.
                    m_result[k] = v[k];
                    for (std::vector<double>& row : m_history)
                    {
                        row[k] = v[k];
                    }
                    m_sum[k] = v[k] * depth;
                }
            }
            break;
        }
        default:  // kNone: the result stays until a reset chooses a kind
            break;
    }

    ++m_writeRow;
    if (m_writeRow >= m_depth)
    {
        m_writeRow = 0;
    }
    return true;
}

void CSpectrumAverager::SumHistory()
{
    const int n = m_bins;
    std::copy(m_history[0].begin(), m_history[0].end(), m_sum.begin());
    for (size_t r = 1; r < m_history.size(); ++r)
    {
        const double* row = m_history[r].data();
        double* sum = m_sum.data();
        for (int k = 0; k < n; ++k)
        {
            sum[k] += row[k];
        }
    }
}

void CSpectrumAverager::ReplaceRow(const double* levelsDb)
{
    double* row = m_history[m_writeRow].data();
    double* sum = m_sum.data();
    for (int k = 0; k < m_bins; ++k)
    {
        sum[k] += levelsDb[k] - row[k];
        row[k] = levelsDb[k];
    }
    RefreshSumSlice();
}

void CSpectrumAverager::RefreshSumSlice()
{
    const int rows = static_cast<int>(m_history.size());
    const int slice = (m_bins + rows - 1) / rows;
    if (m_refreshBin >= m_bins)
    {
        m_refreshBin = 0;
    }
    const int first = m_refreshBin;
    const int end = std::min(m_bins, first + slice);
    double* sum = m_sum.data();
    std::copy(m_history[0].begin() + first, m_history[0].begin() + end, sum + first);
    for (int r = 1; r < rows; ++r)
    {
        const double* row = m_history[static_cast<size_t>(r)].data();
        for (int k = first; k < end; ++k)
        {
            sum[k] += row[k];
        }
    }
    m_refreshBin = end;
}
