// The range view's overlays over its spectrum panes (templates, analysis results, known-frequency
// detections, threshold line) and its own colours.

#include <QPen>

#include <exception>

#include "analysisspectrumgraphic.h"
#include "devicethread.h"
#include "globals.h"
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
    }
}

void CRangeView::RebuildTemplateMarkers()
{
    ITemplates* templates = g_DeviceThread.m_pTemplates;
    if (templates == nullptr)
        return;
    QVector<SPECTRUM_MARKER_ITEM> markers;
    try
    {
        const int count = templates->GetCount();
        for (int i = 0; i < count; ++i)
        {
            const TEMPLATE_ITEM& item = templates->Get(i);
            if (!item.enabled)
                continue;
            for (const ARCHIVE_SIGNAL_ENTRY& range : item.entries)
            {
                // One index per ascending run of the frequency table; runs that do not pair up give
                // no marker.
                const std::vector<int32_t> low = g_DeviceThread.FreqToIndices(range.FreqBegin);
                const std::vector<int32_t> high = g_DeviceThread.FreqToIndices(range.FreqEnd);
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
                    marker.colorIndex = i;
                    markers.push_back(marker);
                }
            }
        }
    }
    catch (const std::exception&)
    {
        // The template list changed under the loop: keep the markers of the last complete pass.
        return;
    }
    SetTemplateMarkers(markers);
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
