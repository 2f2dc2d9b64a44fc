#pragma once

#include <vector>

#include "igraphic.h"

class QPen;

// A painter of a few traces of doubles, each with its own pen. Trace indices must be valid
// (0 .. GetTraceCount() - 1).
class ISimpleGraphic : public virtual IGraphic
{
public:
    virtual void SetPen(int i, const QPen& pen) = 0;
    // Dropped while the pause state is 1; in state 2 the data are taken and the state becomes 1.
    virtual void SetData(int i, const std::vector<double>& data) = 0;
    // Trace i's data, to read or modify in place.
    virtual std::vector<double>* GetData(int i) = 0;
};
