#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

#include <vector>

#include "graphicbase.h"
#include "graphicrange.h"
#include "imultigraphic.h"

class IMultiAdf4350;

// Common base of the painters that lay several frequency ranges side by side in one pane, each in a
// column as wide as its share of the visible spans. It keeps the ranges, lays their columns out and
// finds the range under a point. No Q_OBJECT: the concrete painters already derive from a QObject
// painter class, and a second meta-object here would make moc warn; translate with
// QCoreApplication::translate.
class CQMultiRangesGraphicBase : public virtual CQGraphicBase, public IMultiGraphic
{
public:
    CQMultiRangesGraphicBase();
    ~CQMultiRangesGraphicBase() override;

    // Ignored for a bad index or while paused; a single step takes this block and then pauses.
    void SetRangeData(int index, const std::vector<double>& data) override;
    // Appends a range (window = full span) and lays all ranges out again. A range without a usable
    // span is kept (indices follow the device's range list) and gets an empty column.
    virtual void AddRange(const QString& name, double from, double to);
    virtual void ClearRanges();
    // Called by the layout for each range with its new column; the waterfall painter overrides it.
    virtual void SetRangeRect(int index, const QRect& rect);

    // Lays the columns out across the pane area. AddRange calls it; a concrete painter calls it from
    // its SetRect, after storing the new area.
    void LayoutRanges();
    // Index of the first range whose column, extended down over the X band, holds the point; -1 if none.
    int RangeAt(const QPoint& point) const;
    // The range under the hover point, -1 when none.
    int HoverRange() const;
    void SetHoverPoint(const QPoint& point) { m_hoverPoint = point; }
    const QPoint& GetHoverPoint() const { return m_hoverPoint; }

    int GetRangeCount() const { return m_ranges.size(); }
    // Index must be below GetRangeCount().
    const GraphicRange& GetRange(int index) const { return m_ranges[index]; }

    // Sets a range's visible window; refused (false, nothing changed) for a bad index, a window that
    // is empty, inverted, not finite or reaches outside the range's full span. The layout is not
    // redone: columns follow the windows at the next AddRange or SetRect.
    bool SetRangeWindow(int index, double from, double to);
    // Index of the first range whose visible window holds the frequency (MHz, bounds included); -1.
    int RangeOfFreq(double freq) const;
    // Pane column (x) of a frequency in the given range's column; -1 for a bad index, an empty
    // column or a frequency outside the range's visible window.
    int ColumnOfFreq(int index, double freq) const;

    // The multi-range synthesizer that receives the range windows; the device thread's unless one is
    // set here (null: none).
    void SetSynthesizer(IMultiAdf4350* synthesizer);

protected:
    // Stores the window of range index when it is a proper, finite part of the range's span, then
    // re-tunes that range of the sweep; false (nothing changed, nothing sent) otherwise.
    bool ApplyRangeWindow(int index, double from, double to);
    // The start or end of the window of the range under the hover point, kept within its span.
    void SetHoverRangeFrom(double value);
    void SetHoverRangeTo(double value);
    // Called after a range's window changed; the waterfall recolours that range.
    virtual void RangeWindowApplied(int index);
    IMultiAdf4350* Synthesizer() const;

    QVector<GraphicRange> m_ranges;
    // Mouse position over the pane, stored by the view; per-range operations act on the range under it.
    QPoint m_hoverPoint;

private:
    IMultiAdf4350* m_pSynthesizer = nullptr;
    bool m_synthesizerSet = false;
};
