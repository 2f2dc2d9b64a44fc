#include "fftdevicelink.h"

#include <cmath>
#include <limits>

#include "adf4350.h"
#include "iadf4350.h"
#include "ichannel.h"
#include "icontrolbits.h"

namespace
{
constexpr int kRangeMode = 0;
// Width of one receiver capture, and of its useful part with the half-band filter on, MHz.
constexpr double kCaptureMHz = 61.0;
constexpr double kHalfBandMHz = 28.0;
// A long-scan block of unknown size.
constexpr int kDefaultBlockLength = 8192;

// The integer part, held inside the int range (NaN gives 0).
int TruncToInt(double v)
{
    if (!(v == v))
    {
        return 0;
    }
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::fmin(std::fmax(v, lo), hi)));
}

bool IsPowerOfTwo(int v)
{
    return v > 0 && (v & (v - 1)) == 0;
}

int Log2(int v)
{
    int r = 0;
    while ((1 << r) < v)
    {
        ++r;
    }
    return r;
}
}  // namespace

CFftDeviceLink::CFftDeviceLink(IControlBits* controlBits) : m_controlBits(controlBits)
{
}

IAdf4350* CFftDeviceLink::Adf() const
{
    void* adf = nullptr;
    if (m_controlBits == nullptr || !m_controlBits->GetInterface(1, &adf))
    {
        return nullptr;
    }
    return static_cast<IAdf4350*>(adf);
}

FftDeviceState CFftDeviceLink::Prepare(int mode, int fftSize, int resultSize, bool knownRangesMode)
{
    FftDeviceState state;
    if (m_controlBits == nullptr)
    {
        return state;
    }
    IAdf4350* adf = Adf();
    CAdf4350* model = dynamic_cast<CAdf4350*>(adf);
    state.knownRanges = m_controlBits->GetKnownRangeCount() > 0;

    if (mode == kRangeMode && !knownRangesMode && adf != nullptr)
    {
        if (adf->IsFlag3())
        {
            const int length = adf->GetSize() != 0 ? adf->GetSize() * 128 : kDefaultBlockLength;
            const int blocks = length > 0 ? fftSize / length : 0;
            adf->SetValue37(blocks);
            if (IsPowerOfTwo(blocks) && blocks <= 128)
            {
                adf->SetGroupBlocks(Log2(blocks));
            }
            if (model != nullptr)
            {
                model->SetFreqOnGarm(std::trunc(m_controlBits->GetChannelSampleRate(-1) / length));
            }
            state.longScanBlockLength = length;
            state.quasiIq = adf->IsQuasiIQ();
            state.quasiIqDiff = adf->IsQuasiIQDiff();
            state.shiftPoints = adf->GetShiftGarm(-1);
            const double binHz = adf->GetFreqOnGarm();
            if (binHz > 0.0)
            {
                const double usefulMHz = adf->IsHalfBandEnable() ? kHalfBandMHz : kCaptureMHz;
                state.gatherStep = usefulMHz * 1e6 / binHz;
                if (model != nullptr)
                {
                    state.gatherOffset = TruncToInt((model->GetReferenceMHz() - model->GetCaptureWidth()) *
                                                    1e6 / (binHz * 2.0));
                }
            }
            state.scanSpanMHz = TruncToInt(adf->GetStopFreq() - adf->GetStartFreq());
        }
        else
        {
            adf->SetGroupBlocks(0);
            adf->SetValue37(1);
        }
    }

    // Synthesizer-scanned channels take the correction of the harmonic row in use from the first
    // channel's row; the others the channel's own value for this kind of spectrum.
    const int channel = m_controlBits->GetCurrentChannelIndex();
    if (mode == kRangeMode && (channel == 0 || channel == 3) && adf != nullptr)
    {
        IChannel* first = m_controlBits->GetChannel(0);
        state.levelCorrectionDb = first != nullptr ? first->GetDbmCorrection2(adf->GetGroupBlocks()) : 0.0;
    }
    else
    {
        // The channel's triple holds one value each for the range, DDC and demodulator spectra.
        IChannel* current = m_controlBits->GetChannel(-1);
        state.levelCorrectionDb =
            current != nullptr && mode >= 0 && mode <= 2 ? current->GetDbmCorrection(mode) : 0.0;
    }

    if (resultSize == 4096)
    {
        const int band = m_controlBits->GetBandwidthIndex();
        if (band >= 0 && band < m_controlBits->GetDdcBandCount())
        {
            state.trimCount = m_controlBits->GetDdcBand(band).TrimCount;
        }
    }
    if (resultSize == 32768 && adf != nullptr)
    {
        // Point 0 of the centred spectrum lies half a capture below the integer start frequency.
        const double firstMHz = adf->GetFreqStartInt() - kCaptureMHz / 2.0;
        const double pointMHz = kCaptureMHz / resultSize;
        state.rangeFirst = TruncToInt((adf->GetStartFreq() - firstMHz) / pointMHz);
        state.rangeEnd = TruncToInt((adf->GetStopFreq() - firstMHz) / pointMHz);
    }
    return state;
}

void CFftDeviceLink::StorePointCount(int points)
{
    if (CAdf4350* model = dynamic_cast<CAdf4350*>(Adf()))
    {
        model->SetNumberGarms(points);
    }
}
