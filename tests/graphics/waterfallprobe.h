#pragma once

// A waterfall history without a painter around it: one page, a settable clock and the protected
// history operations opened up, so that the tests drive the time line directly.

#include <QDataStream>
#include <QPainter>
#include <QRect>

#include <vector>

#include "waterfallgraphicbase.h"
#include "waterfallpage.h"

class WaterfallProbe : public CQWaterfallGraphicBase
{
public:
    // The plot is width x height; the pane adds the default axis bands and margin.
    explicit WaterfallProbe(int width = 400, int height = 100)
    {
        SetClock([this] { return nowMs; });
        SetRect(QRect(0, 0, width + 27, height + 27));
        SetFixedYRange(-120.0, -20.0);
        RebuildImage(page, GetPlotRect());
    }

    void ResetTimePosition() override { ResetPage(page); }
    void SetRebuild(bool rebuild) override { page.rebuild = rebuild; }
    int GetTraceCount() override { return 0; }
    int GetPointCount() override { return page.count; }
    void Paint(QPainter*, int) override {}
    QDataStream& Save(QDataStream& stream) override { return stream; }
    QDataStream& Load(QDataStream& stream) override { return stream; }

    void Push(const std::vector<double>& levels) { PushLine(page, levels); }
    // n live lines, each arriving just after the newest one's slot of the grid, so that each makes
    // exactly one new line (no merge, no filler).
    void AddLines(int n, const std::vector<double>& levels)
    {
        for (int i = 0; i < n; ++i)
        {
            if (page.newest)
                nowMs = m_marks.rangeEnd + 1;
            PushLine(page, levels);
        }
    }
    void PushAt(qint64 timeMs, const std::vector<double>& levels) { PushLineAtTime(page, timeMs, levels); }
    WaterfallLineList Shown() { return LoadShownLines(page); }
    WaterfallTimeMarks& TimeMarks() { return m_marks; }
    int Capacity() { return LineCapacity(page); }

    WaterfallPage page;
    qint64 nowMs = 1'700'000'000'000;
};
