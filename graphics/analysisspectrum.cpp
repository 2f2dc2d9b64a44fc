#include "analysisspectrum.h"

#include <QPainter>

#include "devicethread.h"
#include "globals.h"
#include "utils.h"

CAnalysisSpectrum::CAnalysisSpectrum()
    : m_freqSource([](int index) { return g_DeviceThread.IndexToFreq(index); })
{
}

CAnalysisSpectrum::~CAnalysisSpectrum() = default;

void CAnalysisSpectrum::Add(const SPECTRUM_MARKER_ITEM& item)
{
    m_items.push_back(item);
    m_hasResults = true;
}

void CAnalysisSpectrum::Clear()
{
    m_items.resize(0);
    m_hasResults = false;
}

void CAnalysisSpectrum::PaintLabel(QPainter* painter, int x, double yMin, double yMax, const QRect& plot,
                                   int itemIndex, const PixelColumn& column)
{
    if (itemIndex < 0 || itemIndex >= m_items.size())
        return;
    const SPECTRUM_MARKER_ITEM& item = m_items[itemIndex];
    // Only the column holding the peak labels the item.
    if (item.peakIndex < column.firstIndex || item.peakIndex > column.lastIndex)
        return;
    int row = 0;
    if (!LevelToRow(item.level, yMin, yMax, plot, row))
        return;
    const double freqMHz = m_freqSource ? m_freqSource(item.peakIndex) : 0.0;
    DrawLabel(painter, plot.left(), plot.right(), x, row - 30, CUtils::FormatValue(freqMHz, 2, 4));
}

void CAnalysisSpectrum::FindColumnItems(const std::vector<PixelColumn>& columns, std::vector<int>& out)
{
    m_spans.clear();
    for (const SPECTRUM_MARKER_ITEM& item : m_items)
    {
        // A hidden marker is given an empty span so that list indexes stay those of the items.
        if (item.state == kMarkerHidden)
            m_spans.emplace_back(1, 0);
        else
            m_spans.emplace_back(item.lowIndex, item.highIndex);
    }
    CAnalysisSpectrumBase::FindColumnItems(m_spans, columns, out);
}

void CAnalysisSpectrum::SetFreqSource(FreqSource source)
{
    m_freqSource = std::move(source);
}
