#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "frontendlink.h"
#include "icalcfft.h"
#include "kelthar_core.h"

// Demo mode end to end on a bare core (no Init, no channel, no Connect, no SDR, no front-end unit): the
// device thread's steps, then the range and DDC calculators find the demo signal where its formulas
// put it, at the level the engine's scale gives.

namespace
{
constexpr double kPi = 3.14159265358979323846;

// The engine's level of a bin of magnitude |X|: 20 log10(|X| / 8) + window correction - 170 dB.
double EngineLevelDb(double magnitude, double windowCorrectionDb)
{
    return 20.0 * std::log10(magnitude * 0.125) + windowCorrectionDb - 170.0;
}

// Hanning: coherent gain 1/2, correction 5.9 dB, and the loss of a tone delta bins off a bin centre.
constexpr double kHanningGain = 0.5;
constexpr double kHanningCorrectionDb = 5.9;
double HanningScallop(double delta)
{
    if (delta == 0.0)
        return 1.0;
    return std::abs(std::sin(kPi * delta) / (kPi * delta) / (1.0 - delta * delta));
}

std::unique_ptr<ICalcFft> Calculator(CKelthar& core, int id, uint8_t rateIndex)
{
    void* out = nullptr;
    if (!core.GetInterface(id, &out))
        return nullptr;
    std::unique_ptr<ICalcFft> calculator(static_cast<ICalcFft*>(out));
    calculator->Init(rateIndex);
    calculator->SetAveraging(0);  // "Instant"
    calculator->SetWindow(6);     // "Hanning"
    return calculator;
}

size_t PeakIndex(const std::vector<double>& spectrum)
{
    return static_cast<size_t>(std::max_element(spectrum.begin(), spectrum.end()) - spectrum.begin());
}
}  // namespace

TEST(DemoEndToEnd, RangeAndDdcSpectraShowTheDemoTones)
{
    // No unit on the bench: the front-end status is "not found", which demo mode does not look at.
    CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kNotFound);
    CKelthar core;
    core.SetDemoMode(true);

    std::vector<uint8_t> block;
    std::vector<double> rangeI;
    std::vector<double> rangeQ;
    std::vector<std::vector<double>> ddcI;
    std::vector<std::vector<double>> ddcQ;
    std::vector<std::vector<double>> audio;
    std::unique_ptr<ICalcFft> range = Calculator(core, 5, 0);
    std::unique_ptr<ICalcFft> ddc = Calculator(core, 6, 1);
    ASSERT_NE(range, nullptr);
    ASSERT_NE(ddc, nullptr);
    // The device thread's step, then the program's fetch, which feeds the calculators.
    const int steps = 3;
    for (int step = 0; step < steps; ++step)
    {
        ASSERT_TRUE(core.ReadData(block, 0, nullptr));
        ASSERT_TRUE(core.ProcessBlock(block, rangeI, rangeQ));
        ASSERT_TRUE(core.ProcessDemod(block, ddcI, ddcQ, audio));
        range->Calculate(rangeI, rangeQ);
        ddc->Calculate(ddcI[0], ddcQ[0]);
    }

    // DDC: I = sin, Q = cos, 500 cycles in 4096 samples, amplitude 10000 and x10 from the demodulator
    // step (no bandwidth chosen). That is a tone 500 bins below the centre, on a bin: with the halves
    // exchanged it sits at 2048 - 500.
    const std::vector<double>& ddcSpectrum = ddc->GetResult();
    ASSERT_EQ(ddcSpectrum.size(), 4096u);
    EXPECT_EQ(PeakIndex(ddcSpectrum), 2048u - 500u);
    const double ddcLevel = EngineLevelDb(10000.0 * 10.0 * 4096 * kHanningGain, kHanningCorrectionDb);
    EXPECT_NEAR(ddcSpectrum[2048 - 500], ddcLevel, 0.05);
    EXPECT_LT(ddcSpectrum[2048 + 500], ddcLevel - 60.0) << "nothing above the centre";

    // Range: without a synthesizer scan the sweep is one real stream (the demo writes one int16 per
    // sample and the sweep step passes the values on in order), a tone of 0.8 MHz in 61 MHz, on for
    // 256 samples and off for the next 256. Gated at half duty, its carrier keeps half the amplitude,
    // and a real tone of amplitude a gives a/2 in its positive bin. The pulse amplitude alternates
    // 1000/2000 from fill to fill; "Instant" shows the last one, the third fill: 1000.
    const std::vector<double>& rangeSpectrum = range->GetResult();
    ASSERT_EQ(rangeSpectrum.size(), 16384u);
    const double toneBin = 0.8 / 61.0 * 32768;
    const size_t expectedBin = static_cast<size_t>(std::lround(toneBin));
    EXPECT_EQ(PeakIndex(rangeSpectrum), expectedBin);
    const double amplitude = steps % 2 == 1 ? 1000.0 : 2000.0;
    const double magnitude = amplitude * 0.5 * 0.5 * 32768 * kHanningGain *
                             HanningScallop(toneBin - static_cast<double>(expectedBin));
    EXPECT_NEAR(rangeSpectrum[expectedBin], EngineLevelDb(magnitude, kHanningCorrectionDb), 0.3);
}
