#pragma once

#include <QDataStream>
#include <QString>
#include <QtGlobal>

#include <vector>

#include "iwaterfallgraphic.h"
#include "waterfallgraphicbase.h"
#include "waterfallpage.h"
#include "waterfalltimemarks.h"

// The "Waterfall" pane of the range, band and demodulation views. Page 1 holds the live lines (and the
// optional buffer file), page 2 the lines of a recording being replayed; each page keeps its own time
// marks so that a replay and the live stream never mix on one time line.
class CQWaterfallGraphic : public CQWaterfallGraphicBase, public IWaterfallGraphic
{
    Q_OBJECT

public:
    CQWaterfallGraphic();
    ~CQWaterfallGraphic() override;

    // IWaterfallGraphic: live lines into page 1; timed lines into page 2, which is shown from then on.
    void AddLine(const std::vector<double>& levels) override;
    void AddLineAt(qint64 timeMs, const std::vector<double>& levels) override;

    // Clears the live page: time marks, history, count and buffer write position.
    void ResetTimePosition() override;
    void SetRebuild(bool rebuild) override;
    // The restart of the display when a pane switches to the waterfall: the live page starts anew.
    void Restart();
    // Clears the replay page (the user goes to another time of a recording).
    void ResetLoadedPage();
    // Shows the live page again (loaded data closed).
    void ShowLiveData();
    bool IsShowingLoadedData() const { return m_showLoaded; }
    // On: a new buffer file at path for the live page, filled with the live history oldest first;
    // false when the file cannot be created (the page then runs without one). Off: the file is
    // closed and deleted.
    bool SetBufferFile(bool on, const QString& path);
    bool HasBufferFile() const { return m_live.HasFile(); }

    int GetPointCount() override;
    void SetRect(QRect rect) override;
    void SetXFrom(double value) override;
    void SetXTo(double value) override;
    void SetXWindow(double from, double to) override;
    void SetYWindow(double from, double to) override;
    int GetTraceCount() override;
    // With nothing to draw (no history, an empty X range, disordered time marks) the pane is filled
    // with the background; no exception leaves Paint.
    void Paint(QPainter* painter, int mode) override;
    // A waterfall pane's data file holds only its tag: nothing is written or read.
    QDataStream& Save(QDataStream& stream) override;
    QDataStream& Load(QDataStream& stream) override;

    // For tests and diagnostics.
    const WaterfallPage& LivePage() const { return m_live; }
    const WaterfallPage& LoadedPage() const { return m_loaded; }

protected:
    WaterfallTimeMarks& Marks(WaterfallPage& page) override;
    WaterfallTimeMarks& ShownMarks() override;

private:
    void PaintPane(QPainter* painter, int mode);
    WaterfallPage& ShownPage() { return m_showLoaded ? m_loaded : m_live; }
    void MarkRecolour();

    WaterfallPage m_live;
    WaterfallPage m_loaded;
    WaterfallTimeMarks m_loadedMarks;  // the live page uses the base's marks
    bool m_showLoaded = false;
};
