#pragma once

#include <QList>
#include <QRgb>
#include <QtGlobal>

#include <memory>
#include <vector>

// One time-stamped line of waterfall history: levels in dBm, one per frequency point, and the colours
// of the plot's pixel columns computed from them once (empty until the line is first coloured).
struct WaterfallLine
{
    qint64 timeMs = 0;  // milliseconds since the epoch
    std::vector<double> levels;
    std::vector<QRgb> colours;
};

// Lines are shared between the history, the merged rows (they are the same list when one line makes
// one row) and a page's newest line, so ownership is shared rather than tracked by hand.
using WaterfallLinePtr = std::shared_ptr<WaterfallLine>;
using WaterfallLineList = QList<WaterfallLinePtr>;
