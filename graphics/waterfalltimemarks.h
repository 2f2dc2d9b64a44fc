#pragma once

#include <QtGlobal>

// The four time marks of a waterfall history (milliseconds since the epoch) with the bookkeeping of a
// pause. Range: the whole record; window: what the plot shows, whose end is the time position.
struct WaterfallTimeMarks
{
    qint64 rangeStart = 0;
    qint64 rangeEnd = 0;
    qint64 windowStart = 0;
    qint64 windowEnd = 0;
    int pausedLines = 0;        // lines dropped during the current pause
    bool wasFollowing = false;  // the window followed the newest line when the pause began

    bool IsFollowing() const { return windowEnd == rangeEnd; }
};
