#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QThreadPool>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

#include "spectrumgraphicbase.h"
#include "waterfallline.h"
#include "waterfallpage.h"
#include "waterfalltimemarks.h"

class CWaterfallPalette;
class QPainter;

// Common base of the waterfall painters: a history of spectrum lines on a regular time grid, merged
// into image rows, coloured with a fixed 1024-step palette and drawn under a time axis; every line
// can also be spilled into a buffer file from which older lines are read back when the user moves
// back in time. Live lines lie on a 25 ms grid; lines arriving within one period are merged by
// per-point maximum, and a gap in the input is filled with copies of the last line.
class CQWaterfallGraphicBase : public CQSpectrumGraphicBase
{
    Q_OBJECT

public:
    using Clock = std::function<qint64()>;

    static constexpr int kLinePeriodMs = 25;
    static constexpr int kMsPerRowMax = 10000;
    // Memory a page's history (lines and merged rows, levels and colours) may hold at any time scale;
    // rows keep their column levels only in what this leaves.
    static constexpr qint64 kHistoryBudgetBytes = 256LL * 1024 * 1024;
    // Level of a filler line when there is no line to repeat.
    static constexpr double kFillerLevel = -170.0;

    CQWaterfallGraphicBase();
    ~CQWaterfallGraphicBase() override;

    // Forgets the live history and its time marks (the restart of the display).
    virtual void ResetTimePosition() = 0;
    // Asks for the shown lines to be read back from the buffer file at the next paint.
    virtual void SetRebuild(bool rebuild) = 0;

    // Moves the shown window's end (the time position) to timeMs, not past the newest line; ignored
    // unless it lies after the window start.
    void SetTimePosition(qint64 timeMs);
    // The same time handed over as two 32-bit halves (low word first), as the recording loader keeps it.
    void SetTimePosition(quint32 lowPart, qint32 highPart);
    // Milliseconds per image row, clamped to [25, 10000]; lines per row follow.
    void SetTimeScale(int msPerRow);
    // Scrolls in time: delta × 100 × lines per row milliseconds, within the record.
    void ScrollY(double delta) override;

    // Time marks of the shown history (milliseconds since the epoch).
    qint64 GetRangeStart();
    qint64 GetRangeEnd();
    qint64 GetWindowStart();
    qint64 GetWindowEnd();
    int GetMsPerRow() const { return m_msPerRow; }
    int GetLinesPerRow() const { return m_linesPerRow; }
    // Image rows: the plot height after the last SetRect.
    int GetRowCount() const { return m_rows; }

    // Source of the live lines' time stamps; the wall clock unless replaced (tests).
    void SetClock(Clock clock);

    // The palette: level v in the window [yFrom, yTo] as an opaque colour, blue - cyan - green -
    // yellow - red over 1024 steps. Levels outside the window are clamped; NaN is the lowest step.
    static QRgb PaletteColour(double level, double yFrom, double yTo);

protected:
    // Which time marks drive a page: one shared set by default; a painter whose pages are separate
    // histories keeps one set per page.
    virtual WaterfallTimeMarks& Marks(WaterfallPage& page);
    // The marks of the history the pane shows (time axis, scroll strip, readouts, scrolling).
    virtual WaterfallTimeMarks& ShownMarks();

    // Live entry point: stamped with the clock, dropped while paused or while a data operation runs.
    void PushLine(WaterfallPage& page, const std::vector<double>& levels);
    // Lines with a known time (replayed recordings); the grid period is the time per row.
    void PushLineAtTime(WaterfallPage& page, qint64 timeMs, const std::vector<double>& levels);
    // Time marks of the page cleared, its history forgotten, SetRebuild(false).
    void ResetPage(WaterfallPage& page);
    // New plot size: rows follow the plot height, the page's history in memory is dropped and its
    // image reallocated; with a buffer file the shown lines are read back at the next paint.
    void RebuildImage(WaterfallPage& page, QRect plot);
    // The rows to draw, newest first; reads them back from the buffer file when needed. Throws
    // std::runtime_error ("Wrong range!") when the time marks are out of order.
    WaterfallLineList LoadShownLines(WaterfallPage& page);
    // Computes the colours of the lines that lack them (all of them when recolour is set).
    void ColorizeLines(bool& recolour, const WaterfallLineList& lines, QRect plot);
    // Reduces and colours the lines gathered by ColorizeLines under the current column layout, and
    // forgets them.
    void ColourShared(bool shared, const CWaterfallPalette& scale);
    // Copies the rows' colours into the image (newest at the top, black below the last row) and
    // draws it at the plot's top-left.
    void DrawImage(QPainter* painter, QImage& image, const WaterfallLineList& rows, QRect plot,
                   int bytesPerLine, int rowCount);
    void DrawTimeAxis(QPainter* painter, QRect plot);

    // Lines a page may keep in memory at the current scale, point count and plot size.
    int LineCapacity(const WaterfallPage& page);
    // Merged rows a page may keep in memory.
    int RowCapacity(const WaterfallPage& page);

    int m_rows = 100;
    int m_linesPerRow = 8;
    bool m_redraw = false;
    int m_msPerRow = 200;
    int m_linePeriod = kLinePeriodMs;
    int m_msPerRowMax = kMsPerRowMax;
    WaterfallTimeMarks m_marks;

private:
    bool AcceptCount(WaterfallPage& page, const std::vector<double>& levels);
    void PushLineAt(WaterfallPage& page, qint64 timeMs, int periodMs, const std::vector<double>& levels);
    void AddShownLine(WaterfallPage& page, const WaterfallLinePtr& line);
    WaterfallLinePtr MergeLines(const WaterfallLineList& lines, int start) const;
    // The row previous held for the group of lines from start on, when it was merged from the same
    // lines; next walks previous along with the groups, dropping the rows it passes.
    WaterfallLinePtr TakeRow(WaterfallLineList& previous, int& next, const WaterfallLineList& lines,
                             int start) const;
    WaterfallLineList GetRows(WaterfallPage& page);
    void TrimHistory(WaterfallPage& page);
    qint64 BytesPerVector(const WaterfallPage& page);

    Clock m_clock;
    // The parameters a column layout follows, compared bit for bit.
    struct ColumnLayout
    {
        quint64 id = 0;
        size_t points = 0;
        double dataFrom = 0.0;
        double dataTo = 0.0;
        double viewFrom = 0.0;
        double viewTo = 0.0;
        size_t columns = 0;
        int width = 0;
        bool built = false;
        bool shared = false;
    };
    quint64 LayoutId(ColumnLayout layout);
    // Bytes a page's history holds now: levels, colours and everything kept beside them.
    static qint64 HistoryBytes(const WaterfallPage& page);

    std::vector<PixelColumn> m_colourColumns;     // reused by ColorizeLines
    std::vector<WaterfallLine*> m_linesToColour;  // reused by ColorizeLines
    std::vector<double> m_columnLevels;           // reused by ColorizeLines: 4 lines' column levels per task
    // The threads a long recolour is shared with, made on the first one; its tasks never outlive a call.
    std::unique_ptr<QThreadPool> m_colourPool;
    std::vector<ColumnLayout> m_layouts;  // the layouts used last, newest first
    // What the history budget leaves for column levels kept with the rows of the page shown next.
    qint64 m_columnLevelRoom = 0;
};
