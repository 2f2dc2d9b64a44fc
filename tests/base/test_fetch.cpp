#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMutex>
#include <QThread>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"
#include "scriptedcalc.h"

// The spectrum fetch and the point <-> frequency conversions on the program's device thread, bound to
// the real library core: its input controls give the level corrections, and calculators scripted here
// stand in for the FFT where a test needs a known spectrum or point table. The last test runs the real
// library in demo mode through the acquisition loop.

namespace
{
constexpr double kSentinel = -7777.0;

// Every input type gets a channel, so that every type can be selected; the gains are set to distinct
// non-zero values so that each correction term shows in the result.
class FetchTest : public testing::Test
{
protected:
    CDeviceThread& thread = g_DeviceThread;

    void SetUp() override
    {
        g_FreqOffset = 0.0;
        IControlBits* bits = thread.m_pControlBits;
        bits->ClearChannels();
        for (int type = 0; type <= 6; ++type)
            bits->AddChannel(type, L"T", L"Type", 61e6);
    }

    void TearDown() override { g_FreqOffset = 0.0; }

    // Selects the type, then sets the gains (selecting the wired-line type resets its gain stages).
    void SelectType(int type)
    {
        ASSERT_TRUE(thread.SetChannelType(type));
        thread.m_pSky->SetAttenuator(15);
        thread.m_pSky->SetAmplSwitch(1);
        thread.m_pSky->SetAmpl(12);
        thread.m_pSky->SetGain(1);
        thread.m_pDla->SetGainRow(9);
        thread.m_pAcoustic->SetGain(4);
        attenuatorDb = thread.m_pSky->GetAttenuator();
        skyGainDb = thread.m_pSky->GetGainDb();
        acousticGainDb = thread.m_pAcoustic->GetGainDb();
        dlaGainDb = thread.m_pDla->GetGainDb();
        ASSERT_NE(attenuatorDb, 0);
        ASSERT_NE(skyGainDb, 0);
        ASSERT_NE(acousticGainDb, 0);
        ASSERT_NE(dlaGainDb, 0);
    }

    double attenuatorDb = 0.0;
    double skyGainDb = 0.0;
    double acousticGainDb = 0.0;
    double dlaGainDb = 0.0;
};

TEST_F(FetchTest, LevelCorrectionsFollowTheInputChainOfEachType)
{
    struct Row
    {
        int type;
        bool attenuator, skyGain, acousticGain, dlaGain;
    };
    const Row rows[] = {
        {0, true, true, false, false},  {1, false, true, false, false}, {2, false, true, false, false},
        {3, true, false, false, false}, {4, false, false, true, true},  {5, false, true, false, false},
        {6, false, false, true, false},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.type);
        SelectType(row.type);
        // The amplifier switch is on in every row: 20 dB off everywhere.
        const double expectedOffset =
            (row.attenuator ? attenuatorDb : 0.0) - 20.0 - (row.skyGain ? skyGainDb : 0.0) -
            (row.acousticGain ? acousticGainDb : 0.0) - (row.dlaGain ? dlaGainDb : 0.0);
        std::vector<double> levels{-100.0, 0.0, 12.5};
        thread.CorrectLevels(levels);
        EXPECT_DOUBLE_EQ(levels[0], -100.0 + expectedOffset);
        EXPECT_DOUBLE_EQ(levels[1], expectedOffset);
        EXPECT_DOUBLE_EQ(levels[2], 12.5 + expectedOffset);

        double one = -50.0;
        thread.CorrectLevel(&one);
        EXPECT_DOUBLE_EQ(one, -50.0 + expectedOffset);
    }
}

TEST_F(FetchTest, ConverterBandRaisesTheRangeSpectrumAndInvertsTheLowerBands)
{
    SelectType(0);
    CScriptedCalc calc;
    calc.result = {-90.0, -80.0, -70.0, -60.0};
    calc.freqTable = {100.0, 101.0, 102.0, 103.0};
    calc.intTable = {1, 1, 2, 2};
    std::vector<double> corrected = calc.result;
    thread.CorrectLevels(corrected);
    std::vector<double> reversed(corrected.rbegin(), corrected.rend());

    struct Row
    {
        double offsetMHz;
        double addedDb;
        bool inverted;
    };
    const Row rows[] = {{0.0, 0.0, false}, {5000.0, 30.0, true}, {7000.0, 30.0, true}, {7000.5, 30.0, false}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.offsetMHz);
        g_FreqOffset = row.offsetMHz;
        std::vector<double> out;
        std::vector<double> freqTable;
        std::vector<int> valueTable;
        const std::vector<double> i{1.0, 2.0};
        ASSERT_TRUE(thread.GetRangeSpectrum(&calc, nullptr, i, i, out, freqTable, valueTable));
        const std::vector<double>& base = row.inverted ? reversed : corrected;
        ASSERT_EQ(out.size(), base.size());
        for (size_t k = 0; k < out.size(); ++k)
            EXPECT_DOUBLE_EQ(out[k], base[k] + row.addedDb) << k;
        // The point tables keep the calculator's order: the views map points through them.
        EXPECT_EQ(freqTable, calc.freqTable);
        EXPECT_EQ(valueTable, calc.intTable);
    }
}

TEST_F(FetchTest, RangeSpectrumOfEmptySamplesOrAMultiRangeSweep)
{
    SelectType(0);
    CScriptedCalc calc;
    calc.result = {-90.0, -80.0};
    calc.freqTable = {100.0, 101.0};
    std::vector<double> out{1.0, 2.0, 3.0};
    std::vector<double> freqTable{55.0};
    std::vector<int> valueTable{7};
    EXPECT_FALSE(thread.GetRangeSpectrum(&calc, nullptr, {}, {}, out, freqTable, valueTable));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(calc.calculations, 0);

    // A multi-range sweep takes the current range's spectrum and leaves the point tables alone.
    CScriptedMultiCalc multi;
    multi.result = {-50.0, -40.0, -30.0};
    thread.m_pMultiAdf->AddRange(100.0, 150.0);
    thread.m_pMultiAdf->AddRange(200.0, 250.0);
    thread.m_pMultiAdf->SetEnabled(true);
    const std::vector<double> i{1.0};
    EXPECT_TRUE(thread.GetRangeSpectrum(&calc, &multi, i, i, out, freqTable, valueTable));
    thread.m_pMultiAdf->SetEnabled(false);
    EXPECT_EQ(multi.lastRange, thread.m_pMultiAdf->GetCurrentRange());
    EXPECT_EQ(calc.calculations, 0);
    std::vector<double> expected = multi.result;
    thread.CorrectLevels(expected);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(freqTable, std::vector<double>{55.0});
    EXPECT_EQ(valueTable, std::vector<int>{7});
}

TEST_F(FetchTest, BasebandInputsGetTheDdcSpectrumMirroredWithoutItsFirstBin)
{
    CScriptedCalc calc;
    calc.result = {-10.0, -20.0, -30.0, -40.0, -50.0};
    // The converter adds its 30 dB to the DDC spectrum too, but never inverts it.
    g_FreqOffset = 3000.0;
    for (int type = 0; type <= 6; ++type)
    {
        SCOPED_TRACE(type);
        SelectType(type);
        std::vector<double> expected =
            type == 0 || type == 3 ? calc.result : std::vector<double>{-50.0, -40.0, -30.0, -20.0};
        thread.CorrectLevels(expected);
        for (double& level : expected)
            level += 30.0;
        std::vector<double> out;
        const std::vector<double> i{1.0, 2.0};
        ASSERT_TRUE(thread.GetDdcData(&calc, i, i, out));
        EXPECT_EQ(out, expected);
    }
    std::vector<double> out{1.0};
    EXPECT_FALSE(thread.GetDdcData(&calc, {}, {}, out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(thread.GetDemodData(&calc, {}, out));
}

TEST_F(FetchTest, ConverterSweepFillsItsPanoramaSlots)
{
    SelectType(0);
    CScriptedCalc calc;
    // 504 points in 4 sweep steps: 252 slots of two points each.
    for (int k = 0; k < 504; ++k)
        calc.result.push_back(-150.0 + (k * 37 % 101));
    struct Row
    {
        int count;
        int steps;
        int filledSlots;  // from slot 0
        bool fromTheEnd;
    };
    const Row rows[] = {{0, 4, 0, false}, {2, 4, 252, false},  {1, 4, 252, true},
                        {2, 0, 0, false}, {2, 1009, 0, false}, {2, 1, 1008, false}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::Message() << row.count << " " << row.steps);
        std::fill(std::begin(g_LmxPanorama), std::end(g_LmxPanorama), kSentinel);
        thread.m_pControlBits->SetLMX2595_Struct(row.count, row.steps);
        std::vector<double> out;
        std::vector<double> freqTable;
        std::vector<int> valueTable;
        const std::vector<double> i{1.0};
        ASSERT_TRUE(thread.GetRangeSpectrum(&calc, nullptr, i, i, out, freqTable, valueTable));
        const int n = static_cast<int>(out.size());
        const double perSlot = row.filledSlots > 0 ? static_cast<double>(n) / row.filledSlots : 0.0;
        for (int slot = 0; slot < kLmxPanoramaSize; ++slot)
        {
            if (slot >= row.filledSlots)
            {
                ASSERT_EQ(g_LmxPanorama[slot], kSentinel) << slot;
                continue;
            }
            double maximum = -1000.0;
            for (int j = 0; j < perSlot; ++j)
            {
                const int offset = static_cast<int>(j + slot * perSlot);
                maximum =
                    std::max(maximum, out[static_cast<size_t>(row.fromTheEnd ? n - 1 - offset : offset)]);
            }
            ASSERT_DOUBLE_EQ(g_LmxPanorama[slot], maximum + 130.0) << slot;
        }
    }
    thread.m_pControlBits->SetLMX2595_Struct(0, 1);
}

// Fills the point tables through a range spectrum, as a fetch does.
void LoadTables(CDeviceThread& thread, const std::vector<double>& freqTable, const std::vector<int>& intTable)
{
    CScriptedCalc calc;
    calc.result.assign(freqTable.size(), -100.0);
    calc.freqTable = freqTable;
    calc.intTable = intTable;
    std::vector<double> out;
    const std::vector<double> i{1.0};
    thread.GetRangeSpectrum(&calc, nullptr, i, i, out, thread.m_FreqTable, thread.m_ValueTable);
}

TEST_F(FetchTest, FrequencyToPointTakesTheNearestAndTheLowerOfTwoEqual)
{
    LoadTables(thread, {100.0, 110.0, 120.0}, {4, 5, 6});
    struct Row
    {
        double freqMHz;
        int index;
    };
    const Row rows[] = {{105.0, 0}, {115.0, 1}, {115.1, 2}, {50.0, 0}, {500.0, 2}, {110.0, 1}};
    for (const Row& row : rows)
        EXPECT_EQ(thread.FreqToIndex(row.freqMHz), row.index) << row.freqMHz;
    EXPECT_EQ(thread.GetValue(1), 5);
    EXPECT_EQ(thread.GetValue(3), 0) << "outside the table";
    EXPECT_EQ(thread.GetValue(-1), 0);
}

TEST_F(FetchTest, FrequencyToPointsGivesOneIndexPerAscendingRun)
{
    struct Row
    {
        std::vector<double> table;
        double freqMHz;
        std::vector<int32_t> indices;
    };
    const Row rows[] = {
        {{100.0, 110.0, 120.0, 105.0, 115.0}, 112.0, {1, 4}},
        {{100.0, 110.0, 120.0, 105.0, 115.0}, 100.0, {0, 3}},
        {{100.0, 110.0, 120.0}, 119.0, {2}},
        {{100.0, 110.0, 90.0, 95.0, 80.0}, 92.5, {0, 2, 4}},
        {{100.0, 110.0, 120.0, 100.0, 110.0, 120.0}, 105.0, {0, 3}},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.freqMHz);
        LoadTables(thread, row.table, std::vector<int>(row.table.size(), 0));
        EXPECT_EQ(thread.FreqToIndices(row.freqMHz), row.indices);
    }
}

TEST_F(FetchTest, PointToFrequencyFallsBackToTheScanRangeAtAZeroEntry)
{
    LoadTables(thread, {0.0, 110.0, 120.0}, {0, 0, 0});
    IAdf4350* adf = thread.m_pAdf;
    adf->SetScanRange(400.0, 460.0);
    adf->SetEnabled(true);
    // The point count comes from the device link; with none yet the scan step is 0 and the formula
    // gives the scan start.
    ASSERT_EQ(adf->GetNumberGarms(), 0);
    EXPECT_EQ(thread.GetScanStep(), 0.0);

    adf->SetFreqLimits(30.0, 6000.0);
    EXPECT_DOUBLE_EQ(thread.IndexToFreq(1), 110.0);
    EXPECT_DOUBLE_EQ(thread.IndexToFreq(0), 400.0);
    EXPECT_DOUBLE_EQ(thread.IndexToFreq(7), 400.0) << "beyond the table: formula";
    g_FreqOffset = 9000.0;
    EXPECT_DOUBLE_EQ(thread.IndexToFreq(1), 9110.0);
    EXPECT_DOUBLE_EQ(thread.IndexToFreq(0), 9400.0);

    // Below the synthesizer's minimum the point has no frequency, converter or not.
    adf->SetFreqLimits(500.0, 6000.0);
    EXPECT_EQ(thread.IndexToFreq(0), 0.0);
    EXPECT_DOUBLE_EQ(thread.IndexToFreq(2), 9120.0);

    // A zero first entry selects the formula, whose zero step must not produce an index from inf.
    EXPECT_EQ(thread.FreqToIndex(500.0), 0);
    EXPECT_EQ(thread.FreqToIndices(500.0), std::vector<int32_t>{0});
    adf->SetEnabled(false);
}

TEST_F(FetchTest, DdcAndDemodulatorFrequenciesMapToBinsOfTheDdcCalculator)
{
    SelectType(0);
    thread.m_pControlBits->SetTuneFreq(100e6);
    const double rateHz = thread.m_pControlBits->GetSampleRate(-1);
    const double tuneHz = thread.m_pControlBits->GetTuneFreq();
    ASSERT_GT(rateHz, 0.0);
    CScriptedCalc calc;
    calc.pointCount = 4096;
    ICalcFft* saved = thread.m_pDdcFft1;
    thread.m_pDdcFft1 = &calc;
    const double lowerMHz = (tuneHz - rateHz / 2) / 1e6;
    const double binMHz = rateHz / 1e6 / 4096;
    const int ddcLower = thread.DdcFreqToIndex(lowerMHz + 0.5 * binMHz);
    const int ddcTenth = thread.DdcFreqToIndex(lowerMHz + 10.5 * binMHz);
    const int demodTenth = thread.DemodFreqToIndex(10.5 * binMHz);
    // Without a point count there is no bin width: index 0, not a conversion of infinity.
    calc.pointCount = 0;
    const int ddcNoPoints = thread.DdcFreqToIndex(lowerMHz + 10.5 * binMHz);
    const int demodNoPoints = thread.DemodFreqToIndex(10.5 * binMHz);
    thread.m_pDdcFft1 = saved;
    EXPECT_EQ(ddcLower, 0);
    EXPECT_EQ(ddcTenth, 10);
    EXPECT_EQ(demodTenth, 10);
    EXPECT_EQ(ddcNoPoints, 0);
    EXPECT_EQ(demodNoPoints, 0);
}

TEST_F(FetchTest, AnalysisThresholdIsCorrectedInPlaceOnlyWithoutACorrectionShift)
{
    SelectType(0);
    const std::vector<double> spectrum(64, -100.0);
    thread.m_pAnalysis->AddSpectrum(spectrum, 3);
    int shift = 0;
    const std::vector<double> shifted = thread.m_pAnalysis->GetAverage(&shift);
    ASSERT_EQ(shift, 3);
    ASSERT_FALSE(shifted.empty());
    EXPECT_EQ(*thread.GetAnalysisSpectrum(), shifted);

    thread.m_pAnalysis->AddSpectrum(spectrum, 0);
    const std::vector<double> uncorrected = thread.m_pAnalysis->GetAverage(&shift);
    std::vector<double> expected = uncorrected;
    thread.CorrectLevels(expected);
    ASSERT_NE(expected, uncorrected);
    const std::vector<double>* corrected = thread.GetAnalysisSpectrum();
    EXPECT_EQ(*corrected, expected);
    EXPECT_EQ(corrected, &thread.m_pAnalysis->GetAverage(&shift)) << "the library's own trace";
}

TEST_F(FetchTest, FetchGivesUpWhileTheBuffersAreBusy)
{
    thread.m_RangeI = {1.0, 2.0};
    thread.m_RangeQ = {3.0, 4.0};
    g_DataMutex.lock();
    EXPECT_FALSE(thread.FetchData());
    g_DataMutex.unlock();
    EXPECT_EQ(thread.m_RangeI, (std::vector<double>{1.0, 2.0})) << "nothing scaled";
}

TEST_F(FetchTest, FetchScalesEachSampleBufferOverItsOwnLength)
{
    SelectType(2);
    CScriptedCalc calc;
    calc.result = {-90.0, -80.0};
    ICalcFft* saved = thread.m_pRangeFft1;
    thread.m_pRangeFft1 = &calc;
    thread.m_RangeI = {1000.0, -2000.0, 3000.0};
    thread.m_RangeQ = {4000.0};
    const bool fetched = thread.FetchData();
    thread.m_pRangeFft1 = saved;
    ASSERT_TRUE(fetched);

    const double factor = 6.25e-05 * thread.m_pKelthar->GetChannelOscCorr0() / thread.m_pSky->GetGainScale();
    ASSERT_NE(factor, 0.0);
    ASSERT_EQ(thread.m_RangeI.size(), 3u);
    ASSERT_EQ(thread.m_RangeQ.size(), 1u);
    EXPECT_DOUBLE_EQ(thread.m_RangeI[2], 3000.0 * factor);
    EXPECT_DOUBLE_EQ(thread.m_RangeQ[0], 4000.0 * factor);
    std::vector<double> expected = calc.result;
    thread.CorrectLevels(expected);
    EXPECT_EQ(thread.m_RangeSpectrum, expected);
    // The mutex is free again.
    ASSERT_TRUE(g_DataMutex.tryLock());
    g_DataMutex.unlock();
}

// Runs the loop until `done` holds, fetching and clearing every data-ready, as the GUI does.
template <typename Done>
bool FetchUntil(CDeviceThread& thread, int timeoutMs, Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs)
    {
        if (thread.IsDataReady())
        {
            const bool fetched = thread.FetchData();
            thread.ClearDataReady();
            if (fetched && done())
                return true;
        }
        QThread::msleep(5);
    }
    return false;
}

TEST_F(FetchTest, DemoModeDeliversRangeThenDdcAndDemodulatorSpectra)
{
    ASSERT_TRUE(thread.SetChannelType(0));
    InitCalculatorsWithoutDevice(thread);
    g_Parameters.SetInt("RangePane", "GraphMode", 1);
    g_Parameters.SetInt("DdcPane", "GraphMode", 1);
    g_Parameters.SetInt("DemodPane", "GraphMode", 1);
    thread.SetDemoMode(true);
    thread.Start();

    EXPECT_TRUE(FetchUntil(thread, 2000, [&] { return !thread.m_RangeSpectrum.empty(); }));
    EXPECT_FALSE(thread.m_RangeSpectrum2.empty());
    EXPECT_TRUE(FetchUntil(thread, 5000,
                           [&] { return !thread.m_DdcSpectrum.empty() && !thread.m_DemodSpectrum.empty(); }));
    ASSERT_FALSE(thread.m_DdcSpectra2.empty());
    EXPECT_EQ(thread.m_DdcSpectra2[0].size(), thread.m_DdcSpectrum.size());
    ASSERT_FALSE(thread.m_DemodSpectra2.empty());
    EXPECT_EQ(thread.m_DemodSpectra2[0].size(), thread.m_DemodSpectrum.size());

    // A library exception during a fetch drops the sweep and clears data ready.
    CScriptedCalc failing;
    failing.throwOnCalculate = true;
    // The loop itself never uses the range calculators: only the fetch does.
    ICalcFft* saved = thread.m_pRangeFft1;
    thread.m_pRangeFft1 = &failing;
    bool threw = false;
    for (int attempt = 0; attempt < 400 && !threw; ++attempt)
    {
        if (thread.IsDataReady())
        {
            // While data ready is set the loop takes no block, so the buffers are never busy here.
            threw = !thread.FetchData();
            if (threw)
            {
                EXPECT_FALSE(thread.IsDataReady());
            }
            thread.ClearDataReady();
        }
        QThread::msleep(5);
    }
    thread.m_pRangeFft1 = saved;
    thread.Stop();
    EXPECT_TRUE(threw);
    EXPECT_TRUE(thread.IsFinished());
}
}  // namespace
