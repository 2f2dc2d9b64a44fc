#pragma once

#include <QDataStream>
#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

#include "multirangesgraphicbase.h"
#include "waterfallgraphicbase.h"
#include "waterfallpage.h"

class IMultiAdf4350;
class QPainter;

// The range view's "MultiWaterfall" pane: one waterfall per range of the multi-range sweep, side by
// side as in the multi-range spectrum. Each range has its own history page, image and buffer file;
// the time marks, rows, time scale and pause bookkeeping are one set shared by all pages, so the
// ranges scroll in time together. Lines arrive per range through SetRangeData.
class CQMultipleRangesWaterfallGraphic : public CQWaterfallGraphicBase, public CQMultiRangesGraphicBase
{
    Q_OBJECT

public:
    CQMultipleRangesWaterfallGraphic();
    ~CQMultipleRangesWaterfallGraphic() override;

    // A live line into the page of range index; ignored for an index without a range.
    void SetRangeData(int index, const std::vector<double>& levels) override;
    // Appends a range with an empty page (no buffer file until the next SetBufferFile).
    void AddRange(const QString& name, double from, double to) override;
    // Removes every range and page; each page closes and deletes the buffer file it created.
    void ClearRanges() override;
    // The range's page gets an image of the column's size (and drops its history in memory) when
    // the size changed.
    void SetRangeRect(int index, const QRect& rect) override;

    // Every page goes to the time of the last line it spilled into its buffer file.
    void ResetTimePosition() override;
    void SetRebuild(bool rebuild) override;
    // Opens "<baseName><range index>" as the buffer file of every page, in range order (a page's
    // previous file is deleted); false at the first file that cannot be opened (later pages keep
    // what they had), true when all opened or there are no pages.
    bool SetBufferFile(const QString& baseName);
    QString GetBufferBaseName() const { return m_bufferBaseName; }

    // Per-range X window of the range under the hover point, which also re-tunes that range of the
    // sweep; a window that is not a proper part of the range is refused and nothing is sent.
    void SetXFrom(double value) override;
    void SetXTo(double value) override;
    void SetXWindow(double from, double to) override;
    void SetYWindow(double from, double to) override;
    void SetRect(QRect rect) override;
    double GetMinAtPoint(int trace, const QPoint& point) override;
    double GetMaxAtPoint(int trace, const QPoint& point) override;
    int GetTraceCount() override;
    // Range 0's data, which this pane never keeps: 0.
    int GetPointCount() override;
    // Any range without lines, an empty X range or disordered time marks turn the whole pane into
    // "No data"; no exception leaves Paint.
    void Paint(QPainter* painter, int mode) override;
    // The pane's data file holds only its tag: nothing is written or read.
    QDataStream& Save(QDataStream& stream) override;
    QDataStream& Load(QDataStream& stream) override;

    // For tests and diagnostics; index must be below GetRangeCount().
    const WaterfallPage& GetPage(int index) const { return *m_pages[static_cast<size_t>(index)]; }

protected:
    // A changed range window recolours that range's page.
    void RangeWindowApplied(int index) override;

private:
    void PaintPane(QPainter* painter, int mode);

    // Page i belongs to range i; the two lists always have the same length.
    std::vector<std::unique_ptr<WaterfallPage>> m_pages;
    QString m_bufferBaseName;
};
