#include "waveformbuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "messagesink.h"
#include "plainfft.h"

namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr int kPhaseSteps = 16;
constexpr int kHopTraces = 99;
constexpr int kPhaseTraces = 300;

// The phase index of a tone: counts up a sample at a time and wraps to 0 at the current period.
struct Phase
{
    int64_t n = 0;

    double Angle(int64_t period) const
    {
        return 2 * kPi * static_cast<double>(n) / static_cast<double>(period);
    }
    void Advance(int64_t period)
    {
        ++n;
        if (n >= period)
            n = 0;
    }
};

int64_t Trunc(double value)
{
    return static_cast<int64_t>(value);
}

// Counts samples and says when the (P + 1)-th, (2P + 2)-th, ... sample of the buffer has come.
struct StepCounter
{
    int64_t every;
    int64_t count = 0;

    bool Tick()
    {
        if (++count < every)
            return false;
        count = 0;
        return true;
    }
};
}  // namespace

CWaveformBuilder::CWaveformBuilder(std::function<int()> random) : m_random(std::move(random))
{
}

void CWaveformBuilder::Build(const WAVEFORM_PARAMS& params, int amplitude, CPlainFft& multiCarrier,
                             std::vector<uint16_t>& samples, bool& swap)
{
    samples.assign(2 * params.bufferSamples, 0);
    Build(params, amplitude, multiCarrier, reinterpret_cast<uint8_t*>(samples.data()), sizeof(uint16_t),
          2 * sizeof(uint16_t), swap);
}

void CWaveformBuilder::Build(const WAVEFORM_PARAMS& params, int amplitude, CPlainFft& multiCarrier,
                             uint8_t* first, ptrdiff_t secondOffset, ptrdiff_t stride, bool& swap)
{
    const size_t count = params.bufferSamples;
    swap = params.swap;
    const double a = amplitude;

    Phase phase;
    int64_t period = params.length > 0 ? params.length : 1;
    StepCounter changes{params.parameter + 1};

    // Type 1: the moving amplitude.
    double moving = a;
    bool upwards = true;
    const double movingLow = a / 1.41;
    const double movingStep = (a - movingLow) / 10;
    // Type 2: the sweeping exponent.
    double exponent = params.startExponent;
    const double exponentStep = (11.0 - params.startExponent) / 10;
    // Type 3: the counter between the two periods.
    int64_t alternation = 0;
    // Hopping types.
    int hops = 0;
    // Symbol types: symbol index, sample within the symbol, the phase offset of type 18.
    int64_t symbol = 0;
    int64_t symbolSample = 0;
    double offset = 0.0;
    int offsetChanges = 0;

    int64_t i = 0;
    int64_t q = 0;
    for (size_t k = 0; k < count; ++k)
    {
        switch (params.type)
        {
            case 0:
                i = Trunc(a * std::sin(phase.Angle(period)));
                q = Trunc(a * std::cos(phase.Angle(period)));
                phase.Advance(period);
                break;
            case 1:
                if (changes.Tick())
                {
                    moving += upwards ? movingStep : -movingStep;
                    if (moving > a)
                        upwards = false;
                    else if (moving < movingLow)
                        upwards = true;
                }
                i = Trunc(moving * std::sin(phase.Angle(period)));
                q = Trunc(moving * std::cos(phase.Angle(period)));
                phase.Advance(period);
                break;
            case 2:
                if (changes.Tick())
                {
                    exponent += upwards ? exponentStep : -exponentStep;
                    if (exponent > 11)
                        upwards = false;
                    else if (exponent < params.startExponent)
                        upwards = true;
                    period = std::max<int64_t>(1, Trunc(std::pow(2.0, exponent)));
                }
                i = Trunc(a * std::sin(phase.Angle(period)));
                q = Trunc(a * std::cos(phase.Angle(period)));
                phase.Advance(period);
                break;
            case 3:
                alternation = alternation == params.parameter ? 0 : alternation + 1;
                period = alternation <= params.parameter / 2 ? params.further1 : params.further2;
                if (phase.n >= period)
                    phase.n = 0;
                i = Trunc(a * std::sin(phase.Angle(period)));
                q = Trunc(a * std::cos(phase.Angle(period)));
                phase.Advance(period);
                break;
            case 4:
            case 16:
                if (changes.Tick())
                {
                    const int span = static_cast<int>(params.further2 - params.further1 + 1);
                    period = int64_t{1} << (Draw(span) + params.further1);
                    swap = Draw(2) != 0;
                    if (phase.n >= period)
                        phase.n = 0;
                    if (hops++ < kHopTraces)
                        kplatform::Trace("freq0=" + std::to_string(period));
                }
                i = Trunc(a * std::cos(phase.Angle(period)));
                q = Trunc(a * std::sin(phase.Angle(period)));
                phase.Advance(period);
                break;
            case 5:
            case 10:
            case 11:
            case 12:
            case 14:
            case 15:
                if (amplitude != 0)
                {
                    i = Draw(2 * amplitude) - amplitude;
                    q = Draw(2 * amplitude) - amplitude;
                }
                break;
            case 6:
            case 8:
            case 9:
            case 13:
                // One tone burst at the start; the cyclic buffer repeats it after the pause.
                if (static_cast<int64_t>(k) < params.parameter - 1)
                {
                    i = Trunc(a * std::sin(phase.Angle(period)));
                    q = Trunc(a * std::cos(phase.Angle(period)));
                    phase.Advance(period);
                }
                else
                {
                    i = q = 0;
                }
                break;
            case 17:
                if (symbolSample == 0)
                {
                    const int64_t m = params.further2;
                    i = Trunc((Draw(m) + 0.5) * 2 * a / m - a);
                    q = Trunc((Draw(m) + 0.5) * 2 * a / m - a);
                }
                break;
            case 18:
                if (symbolSample == 0)
                {
                    const double theta = 2 * kPi * static_cast<double>(symbol) / kPhaseSteps + offset;
                    i = Trunc(a * std::sin(theta));
                    q = Trunc(a * std::cos(theta));
                    if (++symbol == kPhaseSteps)
                    {
                        const int64_t m = params.further2;
                        symbol = 0;
                        offset = kPi / m + 2 * kPi * static_cast<double>(Draw(m)) / m;
                        if (offsetChanges++ < kPhaseTraces)
                        {
                            kplatform::Trace("phi=" + std::to_string(Trunc(offset * 180 / kPi)));
                            kplatform::Trace("\tn=" + std::to_string(offsetChanges));
                        }
                    }
                }
                break;
            case 19:
                if (symbolSample == 0)
                {
                    if (!multiCarrier.HasResult())
                        RunMultiCarrier(multiCarrier);
                    const double scale = a / kMultiCarrierPeak;
                    i = Trunc(multiCarrier.RealResult()[symbol] * scale);
                    q = Trunc(multiCarrier.ImaginaryResult()[symbol] * scale);
                    if (++symbol == multiCarrier.Size())
                    {
                        symbol = 0;
                        RunMultiCarrier(multiCarrier);
                    }
                }
                break;
            default:
                // 7: silence.
                break;
        }
        if (params.type >= 17 && ++symbolSample >= params.further1)
            symbolSample = 0;

        // Without the quadrature flag both channels carry I.
        const uint16_t firstValue = Stored(params.quadrature && swap ? q : i);
        const uint16_t secondValue = Stored(!params.quadrature ? i : swap ? i : q);
        uint8_t* at = first + static_cast<ptrdiff_t>(k) * stride;
        at[0] = static_cast<uint8_t>(firstValue & 0xFF);
        at[1] = static_cast<uint8_t>(firstValue >> 8);
        at[secondOffset] = static_cast<uint8_t>(secondValue & 0xFF);
        at[secondOffset + 1] = static_cast<uint8_t>(secondValue >> 8);
    }
}

void CWaveformBuilder::RunMultiCarrier(CPlainFft& fft)
{
    std::vector<double> real(fft.Size(), 0.0);
    const std::vector<double> imaginary(fft.Size(), 0.0);
    for (int k = 0; k < kCarriers && k < fft.Size(); ++k)
        real[k] = kCarrierLevel;
    fft.InverseTwoArrays(real.data(), imaginary.data());
}
