#pragma once

#include <QList>
#include <QRgb>
#include <QtGlobal>

#include <atomic>
#include <memory>
#include <vector>

// One time-stamped line of waterfall history: levels in dBm, one per frequency point, and the colours
// of the plot's pixel columns computed from them once (empty until the line is first coloured).
struct WaterfallLine
{
    // A number no other content of any line had: lines (or merged rows) are recognised by it when
    // the history is rebuilt, so that what is already in memory is not read or merged again.
    static quint64 NewContentId()
    {
        static std::atomic<quint64> last{0};
        return ++last;
    }

    // Whoever changes levels calls this: the colours are stale and the line is new content.
    void LevelsChanged()
    {
        colours.clear();
        sources.clear();
        columnLayout = 0;
        content = NewContentId();
    }

    qint64 timeMs = 0;  // milliseconds since the epoch
    std::vector<double> levels;
    std::vector<QRgb> colours;
    quint64 content = NewContentId();  // copies share it: they hold the same levels
    std::vector<quint64> sources;      // a merged row: the contents of its lines, newest first
    // The highest level of each pixel column under the column layout numbered columnLayout (0: none),
    // kept where memory allows so that a new Y window only looks the colours up again.
    std::vector<double> columnLevels;
    quint64 columnLayout = 0;
};

// Lines are shared between the history, the merged rows (they are the same list when one line makes
// one row) and a page's newest line, so ownership is shared rather than tracked by hand.
using WaterfallLinePtr = std::shared_ptr<WaterfallLine>;
using WaterfallLineList = QList<WaterfallLinePtr>;
