#pragma once

#include <cstdint>

#include "commonfft.h"
#include "icalcfft.h"

// The demodulator calculator: a 4096-point transform of the demodulated audio (I the audio, Q zero).
// Rate index 0 keeps the first 2048 points; 1 keeps all 4096, centred.
class CDemodFft : public CCommonFft, public ICalcFft
{
public:
    static constexpr int kFftSize = 4096;

    explicit CDemodFft(IControlBits* controlBits);

    void Calculate(const std::vector<double>& i, const std::vector<double>& q) override;
    void Init(uint8_t rateIndex) override;
};
