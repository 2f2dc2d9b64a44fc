#pragma once

#include <QRect>
#include <QVector>

#include <functional>
#include <utility>
#include <vector>

#include "analysisspectrumbase.h"
#include "pixelcolumn.h"
#include "spectrummarkeritem.h"

class QPainter;

// The results of the full-range analysis on the range spectrum: each shown result highlights the
// columns it covers and is labelled with its peak frequency. While results are present the painter
// dims everything else and keeps the X window fixed.
class CAnalysisSpectrum : public CAnalysisSpectrumBase
{
public:
    // Frequency in MHz of a range-spectrum point.
    using FreqSource = std::function<double(int)>;

    CAnalysisSpectrum();
    ~CAnalysisSpectrum() override;

    void Add(const SPECTRUM_MARKER_ITEM& item);
    void Clear();
    bool HasResults() const { return m_hasResults; }
    const QVector<SPECTRUM_MARKER_ITEM>& GetItems() const { return m_items; }

    // Draws the frequency label of item itemIndex when the column holds its peak; nothing for -1.
    void PaintLabel(QPainter* painter, int x, double yMin, double yMax, const QRect& plot, int itemIndex,
                    const PixelColumn& column);

    // FindItem of every column, computed once per columns build.
    void FindColumnItems(const std::vector<PixelColumn>& columns, std::vector<int>& out);

    // Where label frequencies come from; by default the device thread's point-to-frequency table.
    void SetFreqSource(FreqSource source);

private:
    QVector<SPECTRUM_MARKER_ITEM> m_items;
    bool m_hasResults = false;
    FreqSource m_freqSource;
    std::vector<std::pair<int, int>> m_spans;
};
