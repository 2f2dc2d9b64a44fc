#include "rangefft.h"

CRangeFft::CRangeFft(IControlBits* controlBits) : CRangeFftBase(controlBits)
{
}

void CRangeFft::Init(uint8_t rateIndex)
{
    // Any rate index but 0 keeps the whole transform.
    const uint8_t rate = rateIndex != 0 ? 1 : 0;
    Configure(kFftSize, (rate + 1) * (kFftSize / 2), CCfft::kRangeMode, rate);
}
