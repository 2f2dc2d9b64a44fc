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
            std::copy(v, v + n, m_history[m_writeRow].begin());
            SumHistory();
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
            std::copy(v, v + n, m_history[m_writeRow].begin());
            SumHistory();
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
