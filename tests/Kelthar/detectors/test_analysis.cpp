#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fakegarmconv.h"
#include "fftanalysis.h"

// Spectra here are built from a flat floor with runs of points lifted above a fixed threshold, on a
// converter where point i lies at 100 + i MHz, so every expected frequency can be read off the run.
// A result ends on the first point back at or below the threshold (an exclusive end), so a run lifted
// over points 10..14 is reported from 110 to 115 MHz.

namespace
{
constexpr double kFloor = -100.0;
constexpr double kThreshold = -50.0;

struct Lift
{
    int first;
    int last;
    double level;
};

std::vector<double> Spectrum(int n, const std::vector<Lift>& runs)
{
    std::vector<double> spectrum(static_cast<size_t>(n), kFloor);
    for (const Lift& run : runs)
    {
        for (int i = run.first; i <= run.last; ++i)
            spectrum[static_cast<size_t>(i)] = run.level;
    }
    return spectrum;
}

class AnalysisTest : public testing::Test
{
protected:
    AnalysisTest() : conv(100.0, 1.0)
    {
        analysis.SetGarmConv(&conv);
        analysis.SetParameters(0, kThreshold, 50.0, 5000, 0.0, false, 0);
    }

    // Feeds the spectrum and analyses it against the templates, with history.
    const std::vector<ANALYSIS_RESULT_ITEM>& Analyse(const std::vector<double>& spectrum,
                                                     const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates = {},
                                                     bool noHistory = false)
    {
        analysis.AddSpectrum(spectrum, 0);
        analysis.Start(spectrum, templates, noHistory, spectrum);
        return analysis.GetResults();
    }

    // The published results as (status, first MHz, last MHz), in list order.
    std::vector<std::vector<double>> Summary() { return Summary(analysis.GetResults()); }
    static std::vector<std::vector<double>> Summary(const std::vector<ANALYSIS_RESULT_ITEM>& results)
    {
        std::vector<std::vector<double>> out;
        for (const ANALYSIS_RESULT_ITEM& item : results)
            out.push_back({static_cast<double>(item.status), item.startFreq, item.endFreq});
        return out;
    }

    CFakeGarmConv conv;
    CFftAnalysis analysis;
};

ARCHIVE_SIGNAL_ENTRY Span(double beginMHz, double endMHz)
{
    ARCHIVE_SIGNAL_ENTRY entry;
    entry.FreqBegin = beginMHz;
    entry.FreqEnd = endMHz;
    return entry;
}
}  // namespace

TEST_F(AnalysisTest, FollowingThresholdTracksTheTrendFromBothEnds)
{
    // A constant spectrum gives a constant trace at the offset above it, whatever the length.
    for (int n : {1, 10, 29, 30, 1000})
    {
        analysis.SetParameters(1, 0.0, 12.0, 64, 0.0, false, -1);
        analysis.AddSpectrum(std::vector<double>(static_cast<size_t>(n), -80.0), 7);
        int count = 0;
        const std::vector<double>& trace = analysis.GetAverage(&count);
        EXPECT_EQ(count, 7);
        ASSERT_EQ(trace.size(), static_cast<size_t>(n));
        for (double value : trace)
            EXPECT_DOUBLE_EQ(value, -68.0) << "n " << n;
    }

    // A step from -100 to -40 half way: the slow forward mean lags behind the step, the backward one
    // has already fallen on the low side, and the trace takes the lower of the two on each side.
    std::vector<double> step(3000, -100.0);
    std::fill(step.begin() + 1500, step.end(), -40.0);
    analysis.SetParameters(1, 0.0, 10.0, 50, 0.0, false, -1);
    analysis.AddSpectrum(step, 0);
    const std::vector<double>& trace = analysis.GetAverage(nullptr);
    EXPECT_NEAR(trace[100], -90.0, 1e-9);
    EXPECT_NEAR(trace[2900], -30.0, 1e-9);
    EXPECT_LT(trace[1500], -80.0) << "just past the step the forward mean is still low";
    EXPECT_LT(trace[1499], -80.0);
    for (size_t i = 1; i < trace.size(); ++i)
        ASSERT_GE(trace[i], trace[i - 1] - 1e-9) << "the trace of a rising step never falls, at " << i;

    // An averaging length below 1 would divide by zero: the trace follows the spectrum point by point.
    analysis.SetParameters(1, 0.0, 5.0, 0, 0.0, false, -1);
    analysis.AddSpectrum(step, 0);
    EXPECT_DOUBLE_EQ(analysis.GetAverage(nullptr)[10], -95.0);
    EXPECT_DOUBLE_EQ(analysis.GetAverage(nullptr)[2000], -35.0);

    // Fixed mode, and an empty spectrum leaves the trace alone.
    analysis.SetParameters(0, -42.0, 12.0, 64, 0.0, false, -1);
    analysis.AddSpectrum(std::vector<double>(5, -80.0), 0);
    analysis.AddSpectrum({}, 3);
    EXPECT_EQ(analysis.GetAverage(nullptr), std::vector<double>(5, -42.0));
}

TEST_F(AnalysisTest, SignalsAreNewThenPresentThenGoneThenDropped)
{
    EXPECT_FALSE(analysis.IsFinished());
    // Peak of A at point 12, with the first of two equal maxima winning.
    std::vector<double> first = Spectrum(200, {{10, 14, -30.0}, {50, 55, -20.0}});
    first[12] = -10.0;
    first[13] = -10.0;
    const std::vector<ANALYSIS_RESULT_ITEM>& results = Analyse(first);
    EXPECT_TRUE(analysis.IsFinished());
    ASSERT_EQ(Summary(), (std::vector<std::vector<double>>{{2, 110, 115}, {2, 150, 156}}));
    EXPECT_DOUBLE_EQ(results[0].peakFreq, 112.0);
    EXPECT_DOUBLE_EQ(results[0].level, -10.0);
    EXPECT_DOUBLE_EQ(results[0].excess, 40.0);
    EXPECT_DOUBLE_EQ(results[1].peakFreq, 150.0);

    // A stays (shifted by a point), B vanishes, C appears; the gone item comes after the found ones.
    Analyse(Spectrum(200, {{11, 14, -30.0}, {80, 85, -20.0}}));
    EXPECT_EQ(Summary(), (std::vector<std::vector<double>>{{0, 111, 115}, {2, 180, 186}, {3, 150, 156}}));

    // Everything vanishes: each is reported gone once...
    Analyse(Spectrum(200, {}));
    EXPECT_EQ(Summary(), (std::vector<std::vector<double>>{{3, 111, 115}, {3, 180, 186}}));
    // ...and is gone from the list after that.
    Analyse(Spectrum(200, {}));
    EXPECT_TRUE(analysis.GetResults().empty());
    EXPECT_TRUE(analysis.IsFinished()) << "nothing clears the finished flag";
}

TEST_F(AnalysisTest, ClearingForgetsTheHistoryButKeepsThePublishedList)
{
    const std::vector<double> spectrum = Spectrum(200, {{10, 14, -30.0}, {50, 55, -20.0}});
    Analyse(spectrum);
    Analyse(spectrum);
    ASSERT_EQ(Summary(), (std::vector<std::vector<double>>{{0, 110, 115}, {0, 150, 156}}));
    analysis.ClearResults();
    EXPECT_EQ(analysis.GetResults().size(), 2u);
    Analyse(spectrum);
    EXPECT_EQ(Summary(), (std::vector<std::vector<double>>{{2, 110, 115}, {2, 150, 156}}));
}

TEST_F(AnalysisTest, SpectraThatDoNotFitTheTraceChangeNothing)
{
    Analyse(Spectrum(200, {{10, 14, -30.0}}));
    const std::vector<std::vector<double>> before = Summary();
    const std::vector<double> other = Spectrum(150, {{60, 70, -30.0}});
    analysis.Start(other, {}, false, other);
    EXPECT_EQ(Summary(), before);

    // A level trace shorter than the spectrum would be read past its end.
    const std::vector<double> spectrum = Spectrum(200, {{60, 70, -30.0}});
    analysis.Start(spectrum, {}, false, std::vector<double>(100, -30.0));
    EXPECT_EQ(Summary(), before);

    CFftAnalysis fresh;
    fresh.SetGarmConv(&conv);
    fresh.Start(spectrum, {}, false, spectrum);
    EXPECT_FALSE(fresh.IsFinished()) << "no trace has been built yet";
    CFftAnalysis noConverter;
    noConverter.AddSpectrum(spectrum, 0);
    noConverter.Start(spectrum, {}, false, spectrum);
    EXPECT_FALSE(noConverter.IsFinished());
}

TEST_F(AnalysisTest, TemplateSpansAreBlankedWithAMarginOfOneMegahertz)
{
    // The run covers points 20..24, 120..124 MHz, and ends at 125 MHz.
    struct Case
    {
        std::vector<ARCHIVE_SIGNAL_ENTRY> templates;
        std::vector<std::vector<double>> expected;
    };
    const std::vector<Case> cases = {
        {{}, {{2, 120, 125}}},
        {{Span(121.0, 123.0)}, {}},
        {{Span(125.0, 130.0)}, {{2, 120, 124}}},
        {{Span(125.5, 130.0)}, {{2, 120, 125}}},
        {{Span(110.0, 119.0)}, {{2, 121, 125}}},
        {{Span(110.0, 118.5)}, {{2, 120, 125}}},
        {{Span(110.0, 115.0), Span(122.0, 122.0)}, {{2, 120, 121}, {2, 124, 125}}},
        {{Span(130.0, 110.0)}, {{2, 120, 125}}},  // a reversed span blanks nothing
    };
    for (size_t i = 0; i < cases.size(); ++i)
    {
        const Case& c = cases[i];
        CFftAnalysis fresh;
        fresh.SetGarmConv(&conv);
        fresh.SetParameters(0, kThreshold, 0.0, 1, 0.0, false, 0);
        const std::vector<double> spectrum = Spectrum(200, {{20, 24, -30.0}});
        fresh.AddSpectrum(spectrum, 0);
        fresh.Start(spectrum, c.templates, false, spectrum);
        EXPECT_EQ(Summary(fresh.GetResults()), c.expected) << "case " << i;
    }
}

// With the exclusive end, a result of one point (start == end) is a run that opens on the last point.
TEST_F(AnalysisTest, RunsFromTheFirstPointAndOnePointResultsAreDroppedOnlyWithHistory)
{
    const std::vector<double> spectrum =
        Spectrum(200, {{0, 4, -30.0}, {30, 30, -30.0}, {60, 62, -30.0}, {199, 199, -30.0}});
    Analyse(spectrum);
    EXPECT_EQ(Summary(), (std::vector<std::vector<double>>{{2, 130, 131}, {2, 160, 163}}));

    CFftAnalysis plain;
    plain.SetGarmConv(&conv);
    plain.SetParameters(0, kThreshold, 0.0, 1, 0.0, false, 0);
    plain.AddSpectrum(spectrum, 0);
    plain.Start(spectrum, {}, true, spectrum);
    EXPECT_EQ(Summary(plain.GetResults()),
              (std::vector<std::vector<double>>{{0, 100, 105}, {0, 130, 131}, {0, 160, 163}, {0, 299, 299}}));

    // A run still open at the last point ends there.
    const std::vector<double> edge = Spectrum(200, {{195, 199, -30.0}});
    Analyse(edge);
    EXPECT_EQ(Summary(), (std::vector<std::vector<double>>{{2, 295, 299}, {3, 130, 131}, {3, 160, 163}}));
}

TEST_F(AnalysisTest, HysteresisKeepsAWeakenedSignalPresent)
{
    // The signal drops from 30 dB above the threshold to 5 dB below it.
    struct Case
    {
        double hysteresisDb;
        int expectedStatus;
    };
    for (const Case& c : std::vector<Case>{{0.0, 3}, {4.9, 3}, {5.1, 0}, {20.0, 0}})
    {
        CFftAnalysis fresh;
        fresh.SetGarmConv(&conv);
        fresh.SetParameters(0, kThreshold, 0.0, 1, c.hysteresisDb, false, 0);
        const std::vector<double> strong = Spectrum(200, {{40, 45, -20.0}});
        fresh.AddSpectrum(strong, 0);
        fresh.Start(strong, {}, false, strong);
        fresh.Start(strong, {}, false, strong);
        std::vector<double> weak = Spectrum(200, {{40, 45, -56.0}});
        weak[43] = -55.0;
        fresh.Start(weak, {}, false, weak);
        ASSERT_EQ(fresh.GetResults().size(), 1u) << c.hysteresisDb;
        EXPECT_EQ(fresh.GetResults()[0].status, c.expectedStatus) << c.hysteresisDb;
        EXPECT_DOUBLE_EQ(fresh.GetResults()[0].startFreq, 140.0);
    }
}

TEST_F(AnalysisTest, ASignalHeldByTheHysteresisIsStillKnownWhenItComesBack)
{
    analysis.SetParameters(0, kThreshold, 0.0, 1, 10.0, false, 0);
    Analyse(Spectrum(200, {{40, 45, -20.0}, {100, 105, -20.0}, {150, 155, -20.0}}));
    // A dips below the threshold and is held after B and C, which were found again: the history is no
    // longer in point order.
    Analyse(Spectrum(200, {{40, 45, -55.0}, {100, 105, -20.0}, {150, 155, -20.0}}));
    EXPECT_EQ(Summary(), (std::vector<std::vector<double>>{{0, 200, 206}, {0, 250, 256}, {0, 140, 146}}));
    Analyse(Spectrum(200, {{42, 45, -20.0}, {100, 105, -20.0}, {150, 155, -20.0}}));
    EXPECT_EQ(Summary(), (std::vector<std::vector<double>>{{0, 142, 146}, {0, 200, 206}, {0, 250, 256}}));
}

TEST_F(AnalysisTest, HistoryOfALongerSpectrumIsReportedGoneWithinThisOne)
{
    analysis.SetParameters(0, kThreshold, 0.0, 1, 10.0, false, 0);
    Analyse(Spectrum(400, {{300, 320, -30.0}}));
    Analyse(Spectrum(400, {{300, 320, -30.0}}));
    Analyse(Spectrum(100, {}));
    ASSERT_EQ(analysis.GetResults().size(), 1u);
    EXPECT_EQ(analysis.GetResults()[0].status, 3);
    EXPECT_DOUBLE_EQ(analysis.GetResults()[0].startFreq, 199.0) << "published at this spectrum's last point";
}

TEST_F(AnalysisTest, MergingJoinsNeighboursOfOneSwitchWithinTwoPercent)
{
    struct Case
    {
        int secondFirst;  // the second run covers secondFirst .. secondFirst + 4
        int secondSwitch;
        std::vector<std::vector<double>> expected;
    };
    const std::vector<Case> cases = {
        // The first result ends at point 105. A gap of 2 points against a start of 107: 1.9 %.
        {107, 0, {{2, 200, 212}}},
        // A gap of 3 against 108: 2.8 %.
        {108, 0, {{2, 200, 205}, {2, 208, 213}}},
        {107, 1, {{2, 200, 205}, {2, 207, 212}}},
    };
    for (const Case& c : cases)
    {
        CFakeGarmConv switches(100.0, 1.0);
        switches.SetSwitch(c.secondFirst, c.secondFirst + 4, c.secondSwitch);
        CFftAnalysis fresh;
        fresh.SetGarmConv(&switches);
        fresh.SetParameters(0, kThreshold, 0.0, 1, 0.0, true, 0);
        std::vector<double> spectrum =
            Spectrum(300, {{100, 104, -30.0}, {c.secondFirst, c.secondFirst + 4, -30.0}});
        spectrum[static_cast<size_t>(c.secondFirst + 2)] = -10.0;
        fresh.AddSpectrum(spectrum, 0);
        fresh.Start(spectrum, {}, false, spectrum);
        ASSERT_EQ(Summary(fresh.GetResults()), c.expected) << c.secondFirst << " " << c.secondSwitch;
        if (c.expected.size() == 1)
        {
            EXPECT_DOUBLE_EQ(fresh.GetResults()[0].peakFreq, 100.0 + c.secondFirst + 2) << "the higher peak";
            EXPECT_DOUBLE_EQ(fresh.GetResults()[0].level, -10.0);
        }
    }
}

TEST_F(AnalysisTest, MergingAPresentNeighbourMakesANewItemPresent)
{
    analysis.SetParameters(0, kThreshold, 0.0, 1, 0.0, true, 0);
    Analyse(Spectrum(300, {{107, 111, -30.0}}));
    Analyse(Spectrum(300, {{100, 104, -30.0}, {107, 111, -30.0}}));
    EXPECT_EQ(Summary(), (std::vector<std::vector<double>>{{0, 200, 212}}));
}

TEST_F(AnalysisTest, ResultListIsCappedAtOneThousandAndOne)
{
    // 1500 two-point runs; the second spectrum moves every run so that all are new and all old gone.
    std::vector<Lift> runs;
    std::vector<Lift> moved;
    for (int k = 0; k < 1500; ++k)
    {
        runs.push_back({8 * k + 1, 8 * k + 2, -30.0});
        moved.push_back({8 * k + 5, 8 * k + 6, -30.0});
    }
    Analyse(Spectrum(12004, runs));
    ASSERT_EQ(analysis.GetResults().size(), 1001u);
    EXPECT_DOUBLE_EQ(analysis.GetResults().back().startFreq, 100.0 + 8 * 1000 + 1);
    Analyse(Spectrum(12004, moved));
    ASSERT_EQ(analysis.GetResults().size(), 1001u) << "new items fill the list; no gone item fits";
    EXPECT_EQ(analysis.GetResults().back().status, 2);
}

TEST_F(AnalysisTest, BandNamesFollowTheRegionMask)
{
    // 1950 MHz lies in a 3G uplink of regions 0..3 and a 2G downlink of region 4.
    const struct
    {
        int region;
        std::wstring ident;
    } cases[] = {
        {0, L"B1-2100-3G mobile"}, {3, L"B1-2100-3G mobile"}, {4, L"B2-1900-2G base"}, {5, L""}, {40, L""}};
    CFakeGarmConv high(1900.0, 1.0);
    for (const auto& c : cases)
    {
        CFftAnalysis fresh;
        fresh.SetGarmConv(&high);
        fresh.SetParameters(0, kThreshold, 0.0, 1, 0.0, false, c.region);
        std::vector<double> spectrum = Spectrum(200, {{45, 55, -30.0}});
        spectrum[50] = -20.0;
        fresh.AddSpectrum(spectrum, 0);
        fresh.Start(spectrum, {}, false, spectrum);
        ASSERT_EQ(fresh.GetResults().size(), 1u);
        EXPECT_EQ(fresh.GetResults()[0].ident, c.ident) << "region " << c.region;
        // -1 keeps the region.
        fresh.SetParameters(0, kThreshold, 0.0, 1, 0.0, false, -1);
        fresh.Start(spectrum, {}, false, spectrum);
        EXPECT_EQ(fresh.GetResults()[0].ident, c.ident) << "region " << c.region;
    }
    EXPECT_EQ(CFftAnalysis::BandName(433.5, 0), L"ISM 433");
    EXPECT_EQ(CFftAnalysis::BandName(10.0, 0), L"");
}

TEST_F(AnalysisTest, SwitchNumberIsThePeakPointsAndAsksTheConverterPerPointOnce)
{
    conv.SetSwitch(0, 199, 1);
    conv.SetSwitch(33, 33, 7);
    std::vector<double> spectrum = Spectrum(200, {{30, 36, -30.0}});
    spectrum[33] = -25.0;
    conv.indexToFreqCalls = 0;
    Analyse(spectrum, {Span(500.0, 501.0), Span(502.0, 503.0), Span(600.0, 700.0)});
    ASSERT_EQ(analysis.GetResults().size(), 1u);
    EXPECT_EQ(analysis.GetResults()[0].iSwitch, 7);
    EXPECT_LE(conv.indexToFreqCalls, 200 + 3) << "one call per point plus the published positions";
}
