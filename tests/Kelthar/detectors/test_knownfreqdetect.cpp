#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "fakegarmconv.h"
#include "icalcfft.h"
#include "icalcmultifft.h"
#include "kelthar.h"
#include "kelthar_core.h"
#include "knownfreqdetect.h"
#include "multiadf4350.h"

// The converter puts point i at 900 + i / 32 MHz, so channel edges on quarter megahertz are exact
// points (every 8th) and a peak can sit exactly on an edge.

namespace
{
constexpr double kStartMHz = 900.0;
constexpr double kStepMHz = 1.0 / 32.0;
constexpr int kPoints = 1024;

// A range calculator that hands out a spectrum the test sets.
class CSpectrumFft : public ICalcFft
{
public:
    std::vector<double> spectrum;

    void Init(uint8_t) override {}
    void Calculate(const std::vector<double>&, const std::vector<double>&) override {}
    int SetAveraging(int) override { return 0; }
    int SetWindow(int) override { return 0; }
    int SetCorrection(double, int) override { return 0; }
    const std::vector<double>& GetResult() override { return spectrum; }
    std::vector<double>& GetCorrectionRow() override { return spectrum; }
    int GetCorrectionShift() override { return 0; }
    const std::vector<double>& GetFreqTable() override { return m_none; }
    const std::vector<int>& GetIntTable() override { return m_noInts; }
    int GetPointCount() override { return static_cast<int>(spectrum.size()); }
    void SetFftSize(int) override {}
    int GetFftSize() override { return 32768; }
    int GetAveraging() override { return 0; }
    int GetWindow() override { return 0; }
    bool GetOctaveLevels(bool, double, std::vector<OCTAVE_LEVEL>&) override { return false; }
    void SetEnabled(bool) override {}
    int GetBlockCount() override { return 1; }

private:
    std::vector<double> m_none;
    std::vector<int> m_noInts;
};

// A multi-range calculator with one spectrum per range.
class CSpectraMultiFft : public ICalcMultiFft
{
public:
    std::vector<std::vector<double>> spectra;

    void SetRanges(const std::vector<int>&) override {}
    void Calculate(int, const std::vector<double>&, const std::vector<double>&) override {}
    const std::vector<double>& GetResult(int range) override
    {
        return spectra.at(static_cast<size_t>(range));
    }
};

// A flat floor with a five-point signal whose peak (20 dB above its shoulders) sits at `peak`.
std::vector<double> WithSignals(const std::vector<int>& peaks)
{
    std::vector<double> spectrum(kPoints, -100.0);
    for (int peak : peaks)
    {
        for (int i = peak - 2; i <= peak + 2; ++i)
            spectrum[static_cast<size_t>(i)] = -60.0;
        spectrum[static_cast<size_t>(peak)] = -40.0;
    }
    return spectrum;
}

KNOWN_FREQ_RANGE Range(double startMHz, double endMHz, double bandMHz, double stepMHz, int first, int last)
{
    KNOWN_FREQ_RANGE range;
    range.Name = L"range";
    range.StartFreq = startMHz;
    range.EndFreq = endMHz;
    range.Band = bandMHz;
    range.Step = stepMHz;
    range.StartChannel = first;
    range.EndChannel = last;
    return range;
}

int PointOf(double freqMHz)
{
    return static_cast<int>((freqMHz - kStartMHz) / kStepMHz);
}

class KnownFreqTest : public testing::Test
{
protected:
    KnownFreqTest() : conv(kStartMHz, kStepMHz) { detector.SetGarmConv(&conv, nullptr); }

    std::vector<KNOWN_FREQ_DETECTION> Detect(const std::vector<int>& peaks,
                                             const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates = {})
    {
        fft.spectrum = WithSignals(peaks);
        detector.ProcessSpectrum(&fft, nullptr, templates);
        return detector.GetDetections();
    }

    CFakeGarmConv conv;
    CSpectrumFft fft;
    CKnownFreqDetect detector;
};
}  // namespace

TEST(KnownFreqRaster, ChannelsFollowTheBandPlan)
{
    struct Case
    {
        KNOWN_FREQ_RANGE range;
        size_t count;
        int firstChannel;
        int lastChannel;
        double lastLowMHz;
    };
    const Case cases[] = {
        {Range(900.0, 901.0, 0.25, 0.25, 1, 100), 4, 1, 4, 900.75},    // the end frequency limits
        {Range(900.0, 910.0, 0.25, 0.25, 10, 11), 2, 10, 11, 900.25},  // the last channel limits
        {Range(900.0, 901.0, 0.5, 0.25, 0, 100), 3, 0, 2, 900.5},      // overlapping channels
        {Range(900.0, 900.1, 0.25, 0.25, 5, 9), 1, 5, 5, 900.0},       // the first channel always
        {Range(900.0, 901.0, 0.25, 0.25, 5, 2), 1, 5, 5, 900.0},
        {Range(900.0, 901.0, 0.0, 0.25, 1, 10), 0, 0, 0, 0.0},
        {Range(900.0, 901.0, 0.25, 0.0, 1, 10), 0, 0, 0, 0.0},
        {Range(900.0, 901.0, 0.25, -0.25, 1, 10), 0, 0, 0, 0.0},
        {Range(900.0, 1e9, 1e-9, 1e-9, 0, INT_MAX), CKnownFreqDetect::kMaxChannels, 0,
         CKnownFreqDetect::kMaxChannels - 1, 900.0 + (CKnownFreqDetect::kMaxChannels - 1) * 1e-9},
        {Range(900.0, 1e9, 1.0, 1.0, INT_MAX - 1, INT_MAX), 2, INT_MAX - 1, INT_MAX, 901.0},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        const KNOWN_FREQ_RANGE built = CKnownFreqDetect::WithChannels(cases[i].range);
        ASSERT_EQ(built.channels.size(), cases[i].count) << "case " << i;
        if (built.channels.empty())
            continue;
        EXPECT_EQ(built.channels.front().channel, cases[i].firstChannel) << "case " << i;
        EXPECT_EQ(built.channels.back().channel, cases[i].lastChannel) << "case " << i;
        EXPECT_DOUBLE_EQ(built.channels.back().lowFreq, cases[i].lastLowMHz) << "case " << i;
        EXPECT_DOUBLE_EQ(built.channels.back().highFreq, cases[i].lastLowMHz + cases[i].range.Band)
            << "case " << i;
    }
}

TEST_F(KnownFreqTest, RangesAreCopiedWithTheirOwnRasterAndIndexesAreChecked)
{
    KNOWN_FREQ_RANGE withStaleChannels = Range(900.0, 901.0, 0.25, 0.25, 1, 100);
    withStaleChannels.channels.push_back({77, 1.0, 2.0});
    detector.AddRange(withStaleChannels);
    ASSERT_EQ(detector.GetRangeCount(), 1);
    EXPECT_EQ(detector.GetRange(0)->channels.size(), 4u);
    EXPECT_EQ(detector.GetRange(0)->channels[0].channel, 1);

    detector.SetRange(0, Range(900.0, 902.0, 0.5, 0.5, 3, 100));
    EXPECT_EQ(detector.GetRange(0)->channels.size(), 4u);
    EXPECT_EQ(detector.GetRange(0)->channels.back().channel, 6);
    EXPECT_DOUBLE_EQ(detector.GetRange(0)->EndFreq, 902.0);

    EXPECT_EQ(detector.GetRange(1), nullptr);
    EXPECT_EQ(detector.GetRange(-1), nullptr);
    detector.SetRange(3, Range(1.0, 2.0, 0.5, 0.5, 0, 1));
    detector.RemoveRange(-1);
    detector.RemoveRange(1);
    EXPECT_EQ(detector.GetRangeCount(), 1);

    detector.SelectRange(0);
    detector.ClearRanges();
    EXPECT_EQ(detector.GetRangeCount(), 0);
    EXPECT_TRUE(detector.GetSelectedRanges().empty());
}

TEST_F(KnownFreqTest, RemovingARangeRenumbersTheSelection)
{
    struct Case
    {
        int removed;
        std::vector<int> selection;
    };
    const Case cases[] = {{2, {4}}, {0, {1, 4}}, {5, {2}}, {3, {2, 4}}, {7, {2, 5}}};
    for (const Case& c : cases)
    {
        CKnownFreqDetect fresh;
        for (int i = 0; i < 6; ++i)
        {
            KNOWN_FREQ_RANGE range = Range(900.0 + i, 901.0 + i, 0.25, 0.25, 0, 10);
            range.Name = std::to_wstring(i);
            fresh.AddRange(range);
        }
        fresh.SelectRanges({2, 5});
        fresh.RemoveRange(c.removed);
        EXPECT_EQ(fresh.GetSelectedRanges(), c.selection) << "removed " << c.removed;
        // Still the same ranges by name.
        for (int index : fresh.GetSelectedRanges())
        {
            const std::wstring name = fresh.GetRange(index)->Name;
            EXPECT_TRUE(name == L"2" || name == L"5") << "removed " << c.removed;
        }
    }
}

TEST_F(KnownFreqTest, PeaksStrictlyInsideChannelsOfSelectedRangesAreDetected)
{
    // Range 0: quarter-megahertz channels 1.. from 900 MHz; range 1: half-megahertz channels every
    // quarter (each point in two channels); range 2 is never selected.
    detector.AddRange(Range(900.0, 920.0, 0.25, 0.25, 1, 1000));
    detector.AddRange(Range(900.0, 920.0, 0.5, 0.25, 0, 1000));
    detector.AddRange(Range(900.0, 920.0, 0.25, 0.25, 1, 1000));
    detector.SelectRanges({1, 0});

    // 900.625 MHz (point 20), and 901.5 MHz (point 48): on an edge of range 0, inside a channel of
    // range 1. Detections come by selection order, then result order, then channel order.
    const std::vector<KNOWN_FREQ_DETECTION> found = Detect({20, PointOf(901.5)});
    struct Expected
    {
        int range;
        int channel;
        int peak;
    };
    const std::vector<Expected> expected = {{1, 1, 20}, {1, 2, 20}, {1, 5, 48}, {0, 3, 20}};
    ASSERT_EQ(found.size(), expected.size());
    for (size_t i = 0; i < found.size(); ++i)
    {
        EXPECT_EQ(found[i].rangeIndex, expected[i].range) << i;
        EXPECT_EQ(found[i].channel, expected[i].channel) << i;
        EXPECT_EQ(found[i].startIndex, expected[i].peak - 2) << i;
        EXPECT_EQ(found[i].peakIndex, expected[i].peak) << i;
        EXPECT_EQ(found[i].endIndex, expected[i].peak + 3) << i;  // exclusive
        EXPECT_DOUBLE_EQ(found[i].level, -40.0) << i;
    }

    // A template over the signal hides it (a fresh detector: this one would still report the signal
    // once more as gone).
    ARCHIVE_SIGNAL_ENTRY span;
    span.FreqBegin = 900.6;
    span.FreqEnd = 900.65;
    fft.spectrum = WithSignals({20});
    CKnownFreqDetect other;
    other.SetGarmConv(&conv, nullptr);
    other.AddRange(Range(900.0, 920.0, 0.25, 0.25, 1, 1000));
    other.SelectRange(0);
    other.ProcessSpectrum(&fft, nullptr, {span});
    EXPECT_TRUE(other.GetDetections().empty());
}

TEST_F(KnownFreqTest, NoSelectionOrAStaleOneGivesNothing)
{
    detector.AddRange(Range(900.0, 920.0, 0.25, 0.25, 1, 1000));
    detector.SelectRange(0);
    ASSERT_EQ(Detect({100}).size(), 1u);
    detector.SelectRanges({});
    EXPECT_TRUE(Detect({100}).empty());
    // A position past the list (made before the list shrank) is skipped, the valid one still counts.
    detector.SelectRanges({4, 0, -2});
    EXPECT_EQ(Detect({100}).size(), 1u);
    // Without a calculator there is no spectrum, and the old detections do not linger.
    detector.ProcessSpectrum(nullptr, nullptr, {});
    EXPECT_TRUE(detector.GetDetections().empty());
}

TEST_F(KnownFreqTest, TheMultiRangeSpectrumIsUsedWhileTheSweepIsEnabled)
{
    CMultiAdf4350 multiAdf;
    multiAdf.AddRange(900.0, 932.0);
    multiAdf.AddRange(932.0, 964.0);
    CSpectraMultiFft multi;
    multi.spectra = {WithSignals({100}), WithSignals({300})};
    fft.spectrum = WithSignals({500});
    detector.SetGarmConv(&conv, &multiAdf);
    detector.AddRange(Range(900.0, 932.0, 0.25, 0.25, 0, 1000));
    detector.SelectRange(0);

    auto peakOf = [&]()
    {
        detector.ProcessSpectrum(&fft, &multi, {});
        const std::vector<KNOWN_FREQ_DETECTION> found = detector.GetDetections();
        return found.empty() ? -1 : found.front().peakIndex;
    };
    EXPECT_EQ(peakOf(), 500) << "disabled: the range calculator";
    multiAdf.SetEnabled(true);
    EXPECT_EQ(peakOf(), 100);
    multiAdf.NextRange();
    ASSERT_EQ(multiAdf.GetCurrentRange(), 1);
    EXPECT_EQ(peakOf(), 300);
}

TEST(KnownFreqCore, AnalysisAndDetectorAreNewObjectsOfTheCaller)
{
    setenv("KELTHAR_FRONTEND_PORT", "/dev/veltrano-no-such-port", 1);
    IKelthar* core = nullptr;
    ASSERT_TRUE(FPGAQueryInterface(&core));
    void* a = nullptr;
    void* b = nullptr;
    ASSERT_TRUE(core->GetInterface(8, &a));
    ASSERT_TRUE(core->GetInterface(8, &b));
    EXPECT_NE(a, b);
    EXPECT_FALSE(static_cast<IAnalysis*>(a)->IsFinished());
    delete static_cast<IAnalysis*>(a);
    delete static_cast<IAnalysis*>(b);

    ASSERT_TRUE(core->GetInterface(19, &a));
    ASSERT_TRUE(core->GetInterface(19, &b));
    EXPECT_NE(a, b);
    EXPECT_EQ(static_cast<IKnownFreqDetect*>(a)->GetRangeCount(), 0);
    delete static_cast<IKnownFreqDetect*>(a);
    delete static_cast<IKnownFreqDetect*>(b);
    delete core;
}
