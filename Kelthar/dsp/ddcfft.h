#pragma once

#include <cstdint>

#include "commonfft.h"
#include "icalcfft.h"

// The DDC calculator: a 4096-point transform of the down-converter's I/Q block. Rate index 0 keeps the
// first 2048 points; 1 keeps all 4096, centred on the tune frequency.
class CDdcFft : public CCommonFft, public ICalcFft
{
public:
    static constexpr int kFftSize = 4096;

    explicit CDdcFft(IControlBits* controlBits);

    void Calculate(const std::vector<double>& i, const std::vector<double>& q) override;
    void Init(uint8_t rateIndex) override;
};
