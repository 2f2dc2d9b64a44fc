#pragma once

#include <vector>

#include "igraphic.h"

// A painter of several frequency ranges side by side, fed per range.
class IMultiGraphic : public virtual IGraphic
{
public:
    // Ignored for an index outside the range list or while paused.
    virtual void SetRangeData(int index, const std::vector<double>& data) = 0;
};
