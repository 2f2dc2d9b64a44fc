// The range view's overlays over its spectrum panes (templates, analysis results, known-frequency
// detections, threshold line) and its own colours.

#include <QPen>

#include <algorithm>
#include <cstring>
#include <exception>

#include "analysisspectrumgraphic.h"
#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "itemplates.h"
#include "multiplerangesspectrumgraphic.h"
#include "parameters.h"
#include "rangeview.h"

namespace
{
constexpr int kThresholdTrace = 3;

// Only 1 selects the custom colour of these two keys.
QColor ChosenColor(const char* key, const QColor& fallback)
{
    const QString section = QStringLiteral("Colors");
    if (g_Parameters.GetUInt(section, QLatin1String(key), 0) != 1)
        return fallback;
    return QColor::fromRgb(g_Parameters.GetUInt(section, QLatin1String(key) + QStringLiteral("Color"), 0));
}
}  // namespace

void CRangeView::SetTemplateActivated(bool on)
{
    m_bTemplatesActive = on;
    if (on)
    {
        m_bAnalysisShown = false;
        m_pSpec->GetTemplates().SetShown(true);
    }
    else
    {
        m_pSpec->GetTemplates().SetShown(false);
        SetTemplateMarkers({});
        m_bTemplateMarkersCurrent = false;
    }
}

bool CRangeView::TemplateSourcesChanged()
{
    ITemplates* templates = g_DeviceThread.m_pTemplates;
    bool changed = false;

    // What FreqToIndices reads: the index table when it holds frequencies, else the sweep plan.
    // Compared bitwise, so that a NaN somewhere does not make every sweep look like a change.
    const auto sameValue = [](double a, double b) { return std::memcmp(&a, &b, sizeof(double)) == 0; };
    const std::vector<double>& table = g_DeviceThread.m_FreqTable;
    IndexTableState& known = m_TemplateIndexState;
    const bool useTable = !table.empty() && table[0] != 0.0;
    bool sweep = false;
    double start = 0.0;
    double step = 0.0;
    if (!useTable)
    {
        IAdf4350* adf = g_DeviceThread.m_pAdf;
        sweep = adf != nullptr && adf->IsEnabled();
        start = sweep ? adf->GetStartFreq() : 0.0;
        step = adf != nullptr ? g_DeviceThread.GetScanStep() : 0.0;
    }
    const bool sameTable =
        !useTable || (known.table.size() == table.size() &&
                      std::memcmp(known.table.data(), table.data(), table.size() * sizeof(double)) == 0);
    if (useTable != known.useTable || !sameTable || sweep != known.sweep || !sameValue(start, known.start) ||
        !sameValue(step, known.step))
    {
        known.useTable = useTable;
        if (useTable)
            known.table = table;
        else
            known.table.clear();
        known.sweep = sweep;
        known.start = start;
        known.step = step;
        m_TemplateIndexCache.clear();
        changed = true;
    }

    std::vector<TemplateState> list;
    const int count = templates->GetCount();
    list.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
    {
        const TEMPLATE_ITEM& item = templates->Get(i);
        TemplateState state;
        state.enabled = item.enabled;
        for (const ARCHIVE_SIGNAL_ENTRY& range : item.entries)
            state.ranges.emplace_back(range.FreqBegin, range.FreqEnd);
        list.push_back(std::move(state));
    }
    const auto sameList = [&]
    {
        if (list.size() != m_TemplateList.size())
            return false;
        for (size_t i = 0; i < list.size(); ++i)
        {
            const TemplateState& a = list[i];
            const TemplateState& b = m_TemplateList[i];
            if (a.enabled != b.enabled || a.ranges.size() != b.ranges.size())
                return false;
            for (size_t k = 0; k < a.ranges.size(); ++k)
                if (!sameValue(a.ranges[k].first, b.ranges[k].first) ||
                    !sameValue(a.ranges[k].second, b.ranges[k].second))
                    return false;
        }
        return true;
    };
    if (!sameList())
    {
        m_TemplateList = std::move(list);
        changed = true;
    }
    return changed;
}

const std::vector<int32_t>& CRangeView::TemplateIndices(double freqMHz)
{
    quint64 key = 0;
    std::memcpy(&key, &freqMHz, sizeof(key));
    auto found = m_TemplateIndexCache.find(key);
    if (found == m_TemplateIndexCache.end())
        found = m_TemplateIndexCache.emplace(key, g_DeviceThread.FreqToIndices(freqMHz)).first;
    return found->second;
}

void CRangeView::RebuildTemplateMarkers()
{
    if (g_DeviceThread.m_pTemplates == nullptr)
        return;
    QVector<SPECTRUM_MARKER_ITEM> markers;
    try
    {
        if (!TemplateSourcesChanged() && m_bTemplateMarkersCurrent)
            return;
        // Look-ups of frequencies no longer in the list are dropped once they pile up.
        size_t ranges = 0;
        for (const TemplateState& item : m_TemplateList)
            ranges += item.ranges.size();
        if (m_TemplateIndexCache.size() > 4 * ranges + 64)
            m_TemplateIndexCache.clear();
        for (size_t i = 0; i < m_TemplateList.size(); ++i)
        {
            const TemplateState& item = m_TemplateList[i];
            if (!item.enabled)
                continue;
            for (const auto& range : item.ranges)
            {
                // One index per ascending run of the frequency table; runs that do not pair up give
                // no marker. (References into the cache stay valid while it grows.)
                const std::vector<int32_t>& low = TemplateIndices(range.first);
                const std::vector<int32_t>& high = TemplateIndices(range.second);
                if (low.size() != high.size())
                    continue;
                for (size_t k = 0; k < low.size(); ++k)
                {
                    SPECTRUM_MARKER_ITEM marker;
                    marker.lowIndex = low[k];
                    marker.peakIndex = low[k];
                    marker.highIndex = high[k];
                    marker.level = -170.0;
                    marker.state = 1;
                    marker.colorIndex = static_cast<int>(i);
                    markers.push_back(marker);
                }
            }
        }
    }
    catch (const std::exception&)
    {
        // The template list changed under the loop: keep the markers of the last complete pass and
        // look again at the next sweep.
        m_TemplateList.clear();
        m_bTemplateMarkersCurrent = false;
        return;
    }
    SetTemplateMarkers(markers);
    m_bTemplateMarkersCurrent = true;
}

void CRangeView::SetTemplateMarkers(const QVector<SPECTRUM_MARKER_ITEM>& markers)
{
    CTemplateSpectrum& overlay = m_pSpec->GetTemplates();
    overlay.Clear();
    for (const SPECTRUM_MARKER_ITEM& marker : markers)
        overlay.Add(marker);
}

void CRangeView::SetAnalysisResults(const QVector<SPECTRUM_MARKER_ITEM>& markers)
{
    CAnalysisSpectrum& overlay = m_pSpec->GetAnalysis();
    overlay.Clear();
    for (const SPECTRUM_MARKER_ITEM& marker : markers)
        overlay.Add(marker);
    m_bAnalysisShown = true;
    update();
}

void CRangeView::ClearAnalysisResults()
{
    m_pSpec->GetAnalysis().Clear();
    m_bAnalysisShown = false;
}

void CRangeView::SetKnownFreqResults(int rangeIndex, const std::vector<KNOWN_FREQ_DETECTION>& detections)
{
    if (rangeIndex == CQAnalysisSpectrumGraphic::kSingleRangeKey)
        m_pSpec->GetKnownFreq().SetItems(rangeIndex, detections);
    else
        m_pMultiSpec->GetKnownFreq().SetItems(rangeIndex, detections);
}

void CRangeView::SetKnownFreqResultsVisible(bool on)
{
    m_pSpec->GetKnownFreq().SetShown(on);
    m_pMultiSpec->GetKnownFreq().SetShown(on);
}

void CRangeView::SetThresholdLineVisible(bool on)
{
    m_pSpec->SetTraceVisible(kThresholdTrace, on);
}

void CRangeView::ApplyColors()
{
    CViewBase::ApplyColors();
    if (!m_Shown.isEmpty())
    {
        m_TuningLineColor = ChosenColor("CustomMainCursor", Qt::white);
        m_BandwidthColor = ChosenColor("CustomBandwidth", Qt::red);
    }
    // Any non-zero value selects the custom threshold colour, alpha included.
    const QString section = QStringLiteral("Colors");
    QPen threshold(Qt::white);
    if (g_Parameters.GetUInt(section, QStringLiteral("CustomThresholdLine"), 0) != 0)
        threshold = QPen(
            QColor::fromRgba(g_Parameters.GetUInt(section, QStringLiteral("CustomThresholdLineColor"), 0)));
    m_pSpec->SetPen(kThresholdTrace, threshold);
}
