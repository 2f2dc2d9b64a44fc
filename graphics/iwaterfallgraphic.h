#pragma once

#include <QtGlobal>

#include <vector>

#include "igraphic.h"

// A painter that keeps a history of spectrum lines.
class IWaterfallGraphic : public virtual IGraphic
{
public:
    // A live line, stamped with the current time.
    virtual void AddLine(const std::vector<double>& levels) = 0;
    // A replayed line with its own time, milliseconds since the epoch.
    virtual void AddLineAt(qint64 timeMs, const std::vector<double>& levels) = 0;
};
