#include "ddcfft.h"

CDdcFft::CDdcFft(IControlBits* controlBits) : CCommonFft(controlBits)
{
}

void CDdcFft::Calculate(const std::vector<double>& i, const std::vector<double>& q)
{
    CalculateOnce(i, q);
}

void CDdcFft::Init(uint8_t rateIndex)
{
    // Any rate index but 0 keeps the whole transform.
    const uint8_t rate = rateIndex != 0 ? 1 : 0;
    Configure(kFftSize, (rate + 1) * (kFftSize / 2), CCfft::kDdcMode, rate);
}
