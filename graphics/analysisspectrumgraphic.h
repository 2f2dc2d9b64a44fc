#pragma once

#include <QPen>
#include <QRect>

#include <vector>

#include "analysisspectrum.h"
#include "knownfreqspectrum.h"
#include "pixelcolumn.h"
#include "spectrumgraphic.h"
#include "templatespectrum.h"

class QPainter;

// The range view's spectrum painter: the spectrum painter with three overlays that mark what the
// analysis functions found. Analysis results highlight and label the columns they cover while the
// rest of the trace is dimmed (and the X window stays fixed); known-frequency detections carry their
// channel numbers; enabled templates colour their columns. The view fills the overlays and switches
// them on and off; the painter only reads them.
class CQAnalysisSpectrumGraphic : public CQSpectrumGraphic
{
    Q_OBJECT

public:
    // Known-frequency key of the single-range spectrum (the multi-range painter uses range indexes).
    static constexpr int kSingleRangeKey = -1;
    // Alpha of the pens of columns outside every analysis result while results are shown.
    static constexpr int kDimAlpha = 90;

    CQAnalysisSpectrumGraphic();
    ~CQAnalysisSpectrumGraphic() override;

    // Fixed while analysis results are shown (unless the templates are active), so that X zoom
    // and the X scroll strip are off; otherwise the frame's flag. SetXFrom and SetXTo still test
    // only the frame's flag.
    bool IsXFixed() override;
    // Zoomed while analysis results are shown; otherwise the frame's rule.
    bool IsXZoomed() override;

    // The single-range spectrum's trace drawing: DrawAnalysisTrace with its own key, no E-GSM
    // numbering.
    void DrawTrace(QPainter* painter, int unprocessed, bool visible, const QPen& pen, const QPen& fillPen,
                   const QRect& plot, const std::vector<PixelColumn>& columns) override;

    // Overlay-aware trace drawing from pixel columns (one per plot pixel from plot.left). rangeIndex
    // is the known-frequency key of the range drawn; otherNumbering shows its channel numbers in
    // E-GSM numbering. The marker of every column is found once per call, not per point.
    void DrawAnalysisTrace(QPainter* painter, int unprocessed, bool visible, const QPen& pen,
                           const QPen& fillPen, const QRect& plot, const std::vector<PixelColumn>& columns,
                           int rangeIndex, bool otherNumbering);

    // The overlays; the view fills them and sets their flags.
    CAnalysisSpectrum& GetAnalysis() { return m_analysis; }
    CTemplateSpectrum& GetTemplates() { return m_templates; }
    CKnownFreqSpectrum& GetKnownFreq() { return m_knownFreq; }

protected:
    CAnalysisSpectrum m_analysis;
    CTemplateSpectrum m_templates;
    CKnownFreqSpectrum m_knownFreq;

private:
    // Per-paint scratch, reused so that steady-state drawing allocates nothing.
    std::vector<int> m_columnItems;
    std::vector<int> m_knownItems;
    std::vector<QLine> m_fullLines;
    std::vector<QLine> m_dimLines;
    std::vector<QLine> m_fullFills;
    std::vector<QLine> m_dimFills;
};
