#pragma once

#include <cstdint>

#include "icalcfft.h"
#include "rangefftbase.h"

// The range (panorama) calculator: a 32768-point transform of the sweep. Rate index 0 keeps the first
// 16384 points; 1 keeps all 32768, centred, with the scan range spread over them.
class CRangeFft : public CRangeFftBase, public ICalcFft
{
public:
    static constexpr int kFftSize = 32768;

    explicit CRangeFft(IControlBits* controlBits);

    void Init(uint8_t rateIndex) override;
};
