#pragma once

#include <QColor>
#include <QRect>
#include <QVector>

#include <utility>
#include <vector>

#include "analysisspectrumbase.h"
#include "pixelcolumn.h"
#include "spectrummarkeritem.h"

class QPainter;

// The ranges of the enabled templates, shown as coloured vertical bands over the range spectrum,
// each template in its own colour.
class CTemplateSpectrum : public CAnalysisSpectrumBase
{
public:
    // The library keeps at most this many templates; one colour each.
    static constexpr int kColorCount = 14;

    CTemplateSpectrum();
    ~CTemplateSpectrum() override;

    void Add(const SPECTRUM_MARKER_ITEM& item);
    void Clear();
    const QVector<SPECTRUM_MARKER_ITEM>& GetItems() const { return m_items; }

    bool IsShown() const { return m_shown; }
    void SetShown(bool shown) { m_shown = shown; }

    // Colours every column covered by a template marker; nothing when skip is not 0.
    void Paint(QPainter* painter, int skip, const QRect& plot, const std::vector<PixelColumn>& columns);

    // Colour of a template index (alpha 150). Indexes past the table wrap around, so a template
    // beyond the library's limit is still shown.
    static QColor ColorOf(int colorIndex);

private:
    QVector<SPECTRUM_MARKER_ITEM> m_items;
    bool m_shown = false;
    std::vector<std::pair<int, int>> m_spans;
    std::vector<int> m_columnItems;
};
