// The recording loader on recordings made in demo mode: one waterfall line per block at its time,
// the spectrum from the blocks of the archive entry's second, values equal to what calculators set up
// like the live pair give after the live post-processing, a fresh private core per load, a refused
// second load, a failed open, and a load that stops at once when the thread is destroyed.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "demorecording.h"
#include "devicethread.h"
#include "globals.h"
#include "icalcfft.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "recorderloaderthread.h"
#include "recordingloader.h"
#include "scriptedcalc.h"

namespace
{
// Archive times are whole seconds; the blocks are 250 ms apart, four to a second.
constexpr int64_t kFirstMs = 1700000000000;
constexpr int64_t kStepMs = 250;
constexpr qint64 kEntrySecond = 1700000001;
// The converter's gain on the shown levels.
constexpr double kConverterGainDb = 30.0;

template <typename T>
T* Interface(IKelthar* core, int id)
{
    void* out = nullptr;
    return core->GetInterface(id, &out) ? static_cast<T*>(out) : nullptr;
}

// What a replay must show: the same blocks through a core and two calculators set up as the live
// device sets up its pair, from the live window and averaging, before the post-processing.
struct EXPECTED_REPLAY
{
    std::vector<qint64> times;
    std::vector<std::vector<double>> lines;
    std::vector<std::vector<double>> spectra;  // the spectrum calculator's result after each block
};

EXPECTED_REPLAY ReplayLikeTheLivePair(const QString& path)
{
    EXPECTED_REPLAY expected;
    IKelthar* raw = nullptr;
    FPGAQueryInterface(&raw);
    std::unique_ptr<IKelthar> core(raw);
    IChannel* live = g_DeviceThread.GetChannel(-1);
    auto* bits = Interface<IControlBits>(core.get(), 0);
    auto* recorder = Interface<ISignalRecorder>(core.get(), 12);
    if (!live || !bits || !recorder)
    {
        ADD_FAILURE() << "no core or no live channel";
        return expected;
    }
    bits->Reset();
    bits->Init();
    bits->AddChannel(live->GetType(), live->GetShortName(), live->GetName(), live->GetSampleRate());
    bits->SetCurrentChannel(live->GetType());
    // The live level corrections of the range spectrum.
    for (int k = 0; k < 3; ++k)
        bits->GetChannel(-1)->SetDbmCorrection(k, live->GetDbmCorrection(k));
    for (int j = 1; j <= 8; ++j)
        bits->GetChannel(0)->SetDbmCorrection2(
            j, g_DeviceThread.m_pControlBits->GetChannel(0)->GetDbmCorrection2(j));
    std::unique_ptr<ICalcFft> first(Interface<ICalcFft>(core.get(), 5));
    std::unique_ptr<ICalcFft> second(Interface<ICalcFft>(core.get(), 5));
    // The radio inputs are scanned: rate index 1.
    const uint8_t rate = live->GetType() == 0 || live->GetType() == 3 ? 1 : 0;
    first->Init(rate);
    first->SetWindow(g_DeviceThread.m_pRangeFft1->GetWindow());
    first->SetAveraging(g_DeviceThread.m_pRangeFft1->GetAveraging());
    second->Init(rate);
    second->SetAveraging(0);
    second->SetWindow(g_DeviceThread.m_pRangeFft1->GetWindow());
    EXPECT_TRUE(recorder->OpenRecording(path.toStdWString(), 0, false));
    std::vector<uint8_t> block;
    std::vector<double> i;
    std::vector<double> q;
    while (recorder->ReadBlock(block))
    {
        expected.times.push_back(recorder->GetBlockTime());
        core->ProcessBlock(block, i, q);
        first->Calculate(i, q);
        expected.spectra.push_back(first->GetResult());
        second->Calculate(i, q);
        expected.lines.push_back(second->GetResult());
    }
    return expected;
}

// The live post-processing written out: corrections, then with a converter the gain, reversed for
// the inverted bands up to 7000 MHz.
std::vector<double> Finished(std::vector<double> levels, double offsetMHz)
{
    g_DeviceThread.CorrectLevels(levels);
    if (offsetMHz > 0.0)
    {
        for (double& level : levels)
            level += kConverterGainDb;
        if (offsetMHz <= 7000.0)
            std::reverse(levels.begin(), levels.end());
    }
    return levels;
}

// The live pair with an averaging and a window of the operator's, not the calculator's defaults, and
// level corrections of a calibrated device.
class RecordingLoader : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The spies keep the spectra as values of their own type.
        qRegisterMetaType<std::vector<double>>("std::vector<double>");
        InitCalculatorsWithoutDevice(g_DeviceThread);
        m_window = g_DeviceThread.m_pRangeFft1->SetWindow(3);
        m_averaging = g_DeviceThread.m_pRangeFft1->SetAveraging(2);
        // Calibrated levels, as a device with its correction files has them.
        IChannel* live = g_DeviceThread.GetChannel(-1);
        IChannel* first = g_DeviceThread.m_pControlBits->GetChannel(0);
        ASSERT_TRUE(live && first);
        for (int k = 0; k < 3; ++k)
        {
            m_dbm[k] = live->GetDbmCorrection(k);
            live->SetDbmCorrection(k, 31.5 + k);
        }
        for (int j = 1; j <= 8; ++j)
        {
            m_bands[j] = first->GetDbmCorrection2(j);
            first->SetDbmCorrection2(j, 60.25 + j);
        }
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("demo.rec"));
    }
    void TearDown() override
    {
        g_DeviceThread.m_pRangeFft1->SetWindow(m_window);
        g_DeviceThread.m_pRangeFft1->SetAveraging(m_averaging);
        for (int k = 0; k < 3; ++k)
            g_DeviceThread.GetChannel(-1)->SetDbmCorrection(k, m_dbm[k]);
        for (int j = 1; j <= 8; ++j)
            g_DeviceThread.m_pControlBits->GetChannel(0)->SetDbmCorrection2(j, m_bands[j]);
        g_FreqOffset = 0.0;
    }

    QTemporaryDir m_dir;
    QString m_path;
    int m_window = 0;
    int m_averaging = 0;
    double m_dbm[3] = {};
    double m_bands[9] = {};
};

// Waits until the thread's queued progress reached 100 and the thread ended.
bool WaitForEnd(CRecorderLoaderThread& loader, QSignalSpy& progress, int timeoutMs = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs)
    {
        if (!loader.isRunning() && !progress.isEmpty() && progress.last().at(0).toInt() == 100)
        {
            QTest::qWait(10);  // whatever else was queued before the end
            return true;
        }
        QTest::qWait(10);
    }
    return false;
}

TEST_F(RecordingLoader, EveryBlockGivesALineAtItsTimeAndTheEntrysSecondTheSpectrumTheLastWinning)
{
    constexpr int kBlocks = 12;
    ASSERT_EQ(WriteDemoRecording(m_path, kBlocks, kFirstMs, kStepMs), kBlocks);
    const EXPECTED_REPLAY expected = ReplayLikeTheLivePair(m_path);
    ASSERT_EQ(expected.times.size(), static_cast<size_t>(kBlocks));

    CRecordingLoader loader;
    QSignalSpy lines(&loader, &CRecordingLoader::waterfallLineLoaded);
    QSignalSpy spectra(&loader, &CRecordingLoader::spectrumLoaded);
    QSignalSpy progress(&loader, &CRecordingLoader::progress);
    double tune = -1.0;
    int band = -1;
    double begin = 0.0;
    double end = 0.0;
    ASSERT_TRUE(loader.Open(m_path, &tune, &band, &begin, &end));
    EXPECT_EQ(begin, 100.0);
    EXPECT_EQ(end, 200.0);
    loader.Load(kEntrySecond);

    ASSERT_EQ(lines.count(), kBlocks);
    for (int n = 0; n < kBlocks; ++n)
    {
        SCOPED_TRACE(n);
        EXPECT_EQ(lines.at(n).at(0).toLongLong(), kFirstMs + n * kStepMs);
        EXPECT_EQ(lines.at(n).at(1).value<std::vector<double>>(), expected.lines[static_cast<size_t>(n)]);
    }
    // Blocks 4 to 7 lie in the entry's second; what stays shown is block 7's.
    ASSERT_EQ(spectra.count(), 4);
    EXPECT_EQ(spectra.last().at(0).value<std::vector<double>>(), expected.spectra[7]);
    EXPECT_NE(expected.spectra[7], expected.spectra[4]) << "the blocks differ, so the last one is told apart";

    // One progress per block, rising with the file position, then the extra 100.
    ASSERT_EQ(progress.count(), kBlocks + 1);
    for (int n = 1; n < kBlocks; ++n)
        EXPECT_LE(progress.at(n - 1).at(0).toInt(), progress.at(n).at(0).toInt());
    EXPECT_LT(progress.at(0).at(0).toInt(), progress.at(kBlocks - 1).at(0).toInt());
    EXPECT_EQ(progress.last().at(0).toInt(), 100);
}

// Through the thread the lines and the spectrum are finished as the live ones are: corrected, and
// with a converter raised by its gain and, up to the inversion limit, reversed.
TEST_F(RecordingLoader, ThreadFinishesTheSpectraAsTheLivePathDoesForEachConverterOffset)
{
    constexpr int kBlocks = 8;
    ASSERT_EQ(WriteDemoRecording(m_path, kBlocks, kFirstMs, kStepMs), kBlocks);
    const EXPECTED_REPLAY expected = ReplayLikeTheLivePair(m_path);
    ASSERT_EQ(expected.lines.size(), static_cast<size_t>(kBlocks));

    for (double offset : {0.0, 5000.0, 7000.0, 9000.0})
    {
        SCOPED_TRACE(offset);
        g_FreqOffset = offset;
        CRecorderLoaderThread loader;
        QSignalSpy progress(&loader, &CRecorderLoaderThread::progress);
        QSignalSpy loaded(&loader, &CRecorderLoaderThread::dataLoaded);
        QSignalSpy lines(&loader, &CRecorderLoaderThread::waterfallLineLoaded);
        QSignalSpy spectra(&loader, &CRecorderLoaderThread::spectrumLoaded);
        ASSERT_TRUE(loader.Load(m_path, kEntrySecond));
        ASSERT_TRUE(WaitForEnd(loader, progress));
        EXPECT_EQ(loaded.count(), 1);
        ASSERT_EQ(lines.count(), kBlocks);
        for (int n = 0; n < kBlocks; ++n)
            EXPECT_EQ(lines.at(n).at(1).value<std::vector<double>>(),
                      Finished(expected.lines[static_cast<size_t>(n)], offset))
                << "line " << n;
        ASSERT_FALSE(spectra.isEmpty());
        EXPECT_EQ(spectra.last().at(0).value<std::vector<double>>(), Finished(expected.spectra[7], offset));
    }
}

// An input that is not scanned takes its level correction from its own channel: the replay's copy of
// the channel carries the live one's.
TEST_F(RecordingLoader, AnInputThatIsNotScannedReplaysWithItsChannelsCalibration)
{
    constexpr int kType = 2;
    const int liveType = g_DeviceThread.GetChannelType();
    // Channels are held one per input type, in type order.
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    while (bits->GetChannelCount() <= kType)
        bits->AddChannel(bits->GetChannelCount(), L"T", L"Input", 61000000.0);
    ASSERT_TRUE(g_DeviceThread.SetChannelType(kType));
    g_DeviceThread.GetChannel(-1)->SetDbmCorrection(0, 31.5);
    ASSERT_EQ(WriteDemoRecording(m_path, 4, kFirstMs, kStepMs), 4);
    const EXPECTED_REPLAY expected = ReplayLikeTheLivePair(m_path);

    CRecorderLoaderThread loader;
    QSignalSpy progress(&loader, &CRecorderLoaderThread::progress);
    QSignalSpy lines(&loader, &CRecorderLoaderThread::waterfallLineLoaded);
    ASSERT_TRUE(loader.Load(m_path, kEntrySecond));
    ASSERT_TRUE(WaitForEnd(loader, progress));
    g_DeviceThread.GetChannel(-1)->SetDbmCorrection(0, 0.0);
    g_DeviceThread.SetChannelType(liveType);
    ASSERT_EQ(lines.count(), 4);
    ASSERT_EQ(expected.lines.size(), 4u);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(lines.at(n).at(1).value<std::vector<double>>(),
                  Finished(expected.lines[static_cast<size_t>(n)], 0.0))
            << "line " << n;
}

// The replay is no live sweep: the converter's panorama keeps what the live spectra put there.
TEST_F(RecordingLoader, AReplayLeavesTheConverterPanoramaAlone)
{
    ASSERT_EQ(WriteDemoRecording(m_path, 4, kFirstMs, kStepMs), 4);
    LMX2595_STRUCT saved;
    g_DeviceThread.m_pControlBits->GetLMX2595_Struct(&saved);
    g_DeviceThread.m_pControlBits->SetLMX2595_Struct(2, 4);
    std::fill(std::begin(g_LmxPanorama), std::end(g_LmxPanorama), 7.0);

    CRecorderLoaderThread loader;
    QSignalSpy progress(&loader, &CRecorderLoaderThread::progress);
    QSignalSpy lines(&loader, &CRecorderLoaderThread::waterfallLineLoaded);
    ASSERT_TRUE(loader.Load(m_path, kEntrySecond));
    ASSERT_TRUE(WaitForEnd(loader, progress));
    EXPECT_EQ(lines.count(), 4);
    EXPECT_TRUE(std::all_of(std::begin(g_LmxPanorama), std::end(g_LmxPanorama),
                            [](double value) { return value == 7.0; }));

    // The live path with the same converter state does fill it.
    std::vector<double> out;
    std::vector<double> freqTable;
    std::vector<int> valueTable;
    const std::vector<double> samples(65536, 0.001);
    g_DeviceThread.GetRangeSpectrum(g_DeviceThread.m_pRangeFft2, g_DeviceThread.m_pMultiRangeFft2, samples,
                                    samples, out, freqTable, valueTable);
    EXPECT_FALSE(std::all_of(std::begin(g_LmxPanorama), std::end(g_LmxPanorama),
                             [](double value) { return value == 7.0; }));
    g_DeviceThread.m_pControlBits->SetLMX2595_Struct(saved.count, saved.lmx2);
}

// Every load runs on a core of its own: the averaging of one load does not reach the next.
TEST_F(RecordingLoader, ASecondLoadStartsAfreshAndOneDuringALoadIsRefused)
{
    constexpr int kBlocks = 60;
    ASSERT_EQ(WriteDemoRecording(m_path, kBlocks, kFirstMs, kStepMs), kBlocks);
    const QString other = m_dir.filePath(QStringLiteral("other.rec"));
    CRecorderLoaderThread loader;
    QSignalSpy progress(&loader, &CRecorderLoaderThread::progress);
    QSignalSpy spectra(&loader, &CRecorderLoaderThread::spectrumLoaded);
    ASSERT_TRUE(loader.Load(m_path, kEntrySecond));
    // A go-to-time while the load runs changes neither the file nor the time.
    if (loader.isRunning())
    {
        EXPECT_FALSE(loader.Load(other, kEntrySecond + 5));
        EXPECT_EQ(loader.m_strFile, m_path);
        EXPECT_EQ(loader.m_nTime, kEntrySecond);
    }
    ASSERT_TRUE(WaitForEnd(loader, progress));
    ASSERT_FALSE(spectra.isEmpty());
    const auto first = spectra.last().at(0).value<std::vector<double>>();
    spectra.clear();
    progress.clear();

    ASSERT_TRUE(loader.Load(m_path, kEntrySecond));
    ASSERT_TRUE(WaitForEnd(loader, progress));
    ASSERT_FALSE(spectra.isEmpty());
    EXPECT_EQ(spectra.last().at(0).value<std::vector<double>>(), first);
}

TEST(RecorderLoaderThread, AMissingRecordingStillReportsItsEnd)
{
    CRecorderLoaderThread loader;
    QSignalSpy progress(&loader, &CRecorderLoaderThread::progress);
    QSignalSpy loaded(&loader, &CRecorderLoaderThread::dataLoaded);
    QSignalSpy lines(&loader, &CRecorderLoaderThread::waterfallLineLoaded);
    QTemporaryDir dir;
    ASSERT_TRUE(loader.Load(dir.filePath(QStringLiteral("none.rec")), 1700000000));
    ASSERT_TRUE(WaitForEnd(loader, progress));
    // No tuning reaches the device from a file that was never read; only the end is reported.
    EXPECT_EQ(loaded.count(), 0);
    EXPECT_EQ(lines.count(), 0);
    ASSERT_EQ(progress.count(), 1);
    EXPECT_EQ(progress.last().at(0).toInt(), 100);
    EXPECT_EQ(loader.m_nTime, 1700000000);
}

TEST_F(RecordingLoader, DestroyingTheThreadDuringALongLoadReturnsWithinASecond)
{
    constexpr int kBlocks = 600;
    ASSERT_EQ(WriteDemoRecording(m_path, kBlocks, kFirstMs, kStepMs), kBlocks);
    auto loader = std::make_unique<CRecorderLoaderThread>();
    // Counted on the worker as they are made, not as they arrive here.
    QSignalSpy made(&loader->Loader(), &CRecordingLoader::waterfallLineLoaded);
    QSignalSpy lines(loader.get(), &CRecorderLoaderThread::waterfallLineLoaded);
    ASSERT_TRUE(loader->Load(m_path, kEntrySecond));
    while (lines.isEmpty())
        QTest::qWait(1);
    QElapsedTimer clock;
    clock.start();
    loader.reset();
    EXPECT_LT(clock.elapsed(), 1000);
    // The worker stopped at the next block instead of running to the end of the file.
    EXPECT_LT(made.count(), kBlocks / 2);
}
}  // namespace
