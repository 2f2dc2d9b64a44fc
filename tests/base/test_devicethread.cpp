#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <functional>
#include <stdexcept>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"
#include "scriptedcore.h"
#include "tempdir.h"

namespace
{
// Polls until the condition holds or the time is up, consuming every sweep the loop offers so the
// loop never spins on an untaken one.
bool WaitFor(CDeviceThread& thread, const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs)
    {
        if (thread.IsDataReady())
            thread.ClearDataReady();
        if (condition())
            return true;
        QThread::msleep(2);
    }
    return condition();
}

// A core whose device delivers 100-byte blocks that process into a five-sample sweep and one
// demodulated chunk.
CScriptedCore* NewDeliveringCore()
{
    auto* core = new CScriptedCore;
    core->readData = [](std::vector<uint8_t>& block, int* byteCount)
    {
        block.assign(100, 0);
        *byteCount = 100;
        return true;
    };
    core->processBlock = [](std::vector<double>& i, std::vector<double>& q)
    {
        i = {5.0, 6.0, 7.0, 8.0, 9.0};
        q = {1.0, 1.0, 1.0, 1.0, 1.0};
        return true;
    };
    core->processDemod = [](std::vector<std::vector<double>>& i, std::vector<std::vector<double>>& q,
                            std::vector<std::vector<double>>& audio)
    {
        i.assign(1, std::vector<double>(8, 0.5));
        q.assign(1, std::vector<double>(8, 0.25));
        audio.assign(1, std::vector<double>(8, 0.125));
        return true;
    };
    return core;
}

void AddChannelsOfEveryType(CDeviceThread& thread)
{
    for (int type = 0; type <= 6; ++type)
    {
        IChannel* channel = thread.m_pControlBits->AddChannel(type, L"C", L"Channel", 61e6);
        channel->SetStartFreq(40.0);
        channel->SetStopFreq(6000.0);
    }
}
}  // namespace

TEST(DeviceThreadStep, CountsBlocksAndRaisesDataReadyFromTheSecondOn)
{
    struct Case
    {
        const char* name;
        int transferMode;
        bool readSucceeds;
        bool skipPending;
        bool expectedResult;
        int expectedReads;
        int expectedCycles;
        int expectedBytes;
    };
    const Case cases[] = {
        {"acquire", 0, true, false, true, 1, 1, 100},
        {"skip-pending block is dropped", 0, true, true, true, 1, 0, 0},
        {"failed read", 0, false, false, false, 1, 0, 0},
        {"hold: the device is left alone", 1, true, false, true, 0, 0, 0},
        {"unknown mode", 7, true, false, false, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CScriptedCore* core = NewDeliveringCore();
        if (!c.readSucceeds)
            core->readData = [](std::vector<uint8_t>&, int*) { return false; };
        core->skipPending = c.skipPending;
        int processed = 0;
        auto process = core->processBlock;
        core->processBlock = [&](std::vector<double>& i, std::vector<double>& q)
        {
            ++processed;
            return process(i, q);
        };
        CDeviceThread thread(core);
        thread.m_nTransferMode = c.transferMode;
        const int cycle1Before = g_Cycle1Count;

        EXPECT_EQ(thread.Step(), c.expectedResult);
        EXPECT_EQ(core->readCount, c.expectedReads);
        EXPECT_EQ(thread.GetCycles(), c.expectedCycles);
        EXPECT_EQ(thread.GetReceivedBytes(), c.expectedBytes);
        EXPECT_EQ(processed, c.expectedCycles);
        EXPECT_EQ(g_Cycle1Count - cycle1Before, c.expectedCycles);
        EXPECT_FALSE(core->skipPending) << "the flag is cleared once its block is dropped";
        // A single block only settles the filters: never a sweep for the GUI.
        EXPECT_FALSE(thread.IsDataReady());
    }
}

TEST(DeviceThreadStep, TheSecondProcessedBlockRaisesDataReadyAndDemodulatorData)
{
    CScriptedCore* core = NewDeliveringCore();
    CDeviceThread thread(core);
    const int cycle2Before = g_Cycle2Count;
    ASSERT_TRUE(thread.Step());
    EXPECT_FALSE(thread.IsDataReady());
    ASSERT_TRUE(thread.Step());
    EXPECT_TRUE(thread.IsDataReady());
    EXPECT_TRUE(thread.IsDemodDataReady());
    EXPECT_EQ(thread.GetReceivedBytes(), 200);
    EXPECT_EQ(g_Cycle2Count - cycle2Before, 2);
    thread.ClearDataReady();
    EXPECT_FALSE(thread.IsDataReady());

    // An empty sweep is no sweep, however many blocks came before.
    core->processBlock = [](std::vector<double>& i, std::vector<double>& q)
    {
        i.clear();
        q.clear();
        return false;
    };
    core->processDemod = [](std::vector<std::vector<double>>&, std::vector<std::vector<double>>&,
                            std::vector<std::vector<double>>&) { return false; };
    ASSERT_TRUE(thread.Step());
    EXPECT_FALSE(thread.IsDataReady());
    EXPECT_FALSE(thread.IsDemodDataReady());
}

TEST(DeviceThreadStep, AcousticInputRepairsTheFirstTwoSamplesButNotTheRawCopy)
{
    CDeviceThread thread(NewDeliveringCore());
    AddChannelsOfEveryType(thread);
    ASSERT_TRUE(thread.SetChannelType(6));
    ASSERT_TRUE(thread.Step());
    EXPECT_EQ(thread.m_RangeI, (std::vector<double>{7.0, 7.0, 7.0, 8.0, 9.0}));
    EXPECT_EQ(thread.m_RangeIRaw, (std::vector<double>{5.0, 6.0, 7.0, 8.0, 9.0}));

    // Other inputs keep the samples as processed.
    ASSERT_TRUE(thread.SetChannelType(2));
    ASSERT_TRUE(thread.Step());
    EXPECT_EQ(thread.m_RangeI, thread.m_RangeIRaw);
}

TEST(DeviceThreadInit, TheSdrAddressComesFromTheSelectedSetting)
{
    struct Case
    {
        const char* name;
        int selection;
        const char* address;
        bool demo;
        bool expectedConnect;
    };
    // Selection 0 takes the built-in address and ignores the stored one; an empty stored address
    // never reaches the SDR link (it would start network discovery).
    const Case cases[] = {
        {"built-in address, stored one ignored", 0, "", false, true},
        {"stored address", 1, "127.0.0.1:1", false, true},
        {"empty stored address", 1, "", false, false},
        {"demo mode needs no device", 1, "127.0.0.1:1", true, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        g_Parameters.SetInt("PlutoSDR", "IP_Selection", c.selection);
        g_Parameters.SetString("PlutoSDR", "IP_Address", c.address);
        CScriptedCore* core = NewDeliveringCore();
        core->demoMode = c.demo;
        core->connect = [] { return true; };
        CDeviceThread thread(core);
        thread.m_RangeI = {1.0};
        thread.m_DdcI.assign(2, {1.0});

        EXPECT_EQ(thread.InitDevice(), c.expectedConnect);
        EXPECT_EQ(core->connectCount, c.expectedConnect ? 1 : 0);
        // A successful connection starts from empty buffers.
        EXPECT_EQ(thread.m_RangeI.empty(), c.expectedConnect);
        EXPECT_EQ(thread.m_DdcI.empty(), c.expectedConnect);
    }
}

TEST(DeviceThreadLoop, StoppingAThreadThatNeverRanReturnsAtOnce)
{
    QElapsedTimer timer;
    timer.start();
    {
        CDeviceThread thread(NewDeliveringCore());
        thread.Stop();
        EXPECT_TRUE(thread.IsFinished());
    }
    EXPECT_LT(timer.elapsed(), 1000);
}

TEST(DeviceThreadLoop, DemoModeStepsEvery400MsWithoutInitialisingTheDevice)
{
    CScriptedCore* core = NewDeliveringCore();
    core->demoMode = true;
    CDeviceThread thread(core);
    thread.Start();
    QElapsedTimer timer;
    timer.start();
    WaitFor(
        thread, [] { return false; }, 1000);
    const qint64 elapsedMs = timer.elapsed();
    thread.Stop();
    EXPECT_TRUE(thread.IsFinished());
    // Steps at 0, 400, 800 ms: a fast loop would have read hundreds of blocks.
    EXPECT_GE(core->readCount, 2);
    EXPECT_LE(core->readCount, elapsedMs / 400 + 2);
    EXPECT_EQ(core->connectCount, 0);
}

TEST(DeviceThreadLoop, AFailedStepReturnsTheDeviceToInitialisation)
{
    g_Parameters.SetInt("PlutoSDR", "IP_Selection", 1);
    g_Parameters.SetString("PlutoSDR", "IP_Address", "127.0.0.1:1");
    CScriptedCore* core = NewDeliveringCore();
    core->connect = [core]
    {
        core->state = 3;
        return true;
    };
    core->readData = [](std::vector<uint8_t>&, int*) { return false; };
    CDeviceThread thread(core);
    thread.Start();
    // Connect, fail, back to state 1, connect again.
    EXPECT_TRUE(WaitFor(
        thread, [core] { return core->connectCount >= 2; }, 3000));
    thread.Stop();
    EXPECT_GE(core->readCount, 1);
}

TEST(DeviceThreadLoop, AnExceptionEndsTheLoopAndStartRevivesIt)
{
    g_Parameters.SetInt("PlutoSDR", "IP_Selection", 1);
    g_Parameters.SetString("PlutoSDR", "IP_Address", "127.0.0.1:1");
    CScriptedCore* core = NewDeliveringCore();
    core->connect = [core]
    {
        core->state = 3;
        return true;
    };
    std::atomic<bool> fail{true};
    auto deliver = core->readData;
    core->readData = [&fail, deliver](std::vector<uint8_t>& block, int* byteCount)
    {
        if (fail)
            throw std::runtime_error("device gone");
        return deliver(block, byteCount);
    };
    CDeviceThread thread(core);
    thread.Start();
    ASSERT_TRUE(WaitFor(
        thread, [&] { return core->readCount >= 1 && thread.IsFinished(); }, 3000));
    // Dead, though nobody stopped it: the main window's watch sees exactly this.
    EXPECT_TRUE(thread.IsRunning());
    const int readsWhenDead = core->readCount;
    QThread::msleep(50);
    EXPECT_EQ(core->readCount, readsWhenDead);

    fail = false;
    thread.Start();
    EXPECT_TRUE(WaitFor(
        thread, [&] { return thread.GetCycles() >= 3; }, 3000));
    EXPECT_FALSE(thread.IsFinished());
    thread.Stop();
    EXPECT_TRUE(thread.IsFinished());
}

TEST(DeviceThreadAccessors, ChannelPrefixesAndChannelTypes)
{
    CDeviceThread thread(NewDeliveringCore());
    const struct
    {
        int type;
        const char* prefix;
    } prefixes[] = {{0, "Hf"}, {1, "HfWl"}, {2, "Wl"}, {3, "WlHf"}, {4, "Dla"},
                    {5, "Ir"}, {6, "Ac"},   {7, ""},   {-2, ""}};
    for (const auto& p : prefixes)
        EXPECT_EQ(thread.GetChannelPrefix(p.type), QString(p.prefix)) << p.type;

    // Only type 0 has a channel: the others are refused and the type stays.
    thread.m_pControlBits->ClearChannels();
    thread.m_pControlBits->AddChannel(0, L"HRF", L"Radio", 61e6);
    EXPECT_EQ(thread.GetChannelType(), 2);
    EXPECT_TRUE(thread.SetChannelType(0));
    EXPECT_FALSE(thread.SetChannelType(6));
    EXPECT_FALSE(thread.SetChannelType(-1));
    EXPECT_EQ(thread.GetChannelType(), 0);
    EXPECT_EQ(thread.GetChannelPrefix(-1), QString("Hf"));
}

TEST(DeviceThreadAccessors, ClockDividerAndMissingChannel)
{
    CDeviceThread thread(NewDeliveringCore());
    thread.m_pControlBits->ClearChannels();
    EXPECT_EQ(thread.GetBlockDuration(0), 0.0);
    EXPECT_EQ(thread.GetSampleRate(0), 0.0);

    AddChannelsOfEveryType(thread);
    ASSERT_TRUE(thread.SetChannelType(0));
    const struct
    {
        int divider;
        double maxFreq;
        double blockDuration;
    } cases[] = {
        {0, 6000.0, 32768.0 / 61e6}, {1, 1500.0, 4 * 32768.0 / 61e6}, {2, 750.0, 8 * 32768.0 / 61e6}};
    for (const auto& c : cases)
    {
        thread.m_pControlBits->SetClkDivCnt(c.divider);
        EXPECT_DOUBLE_EQ(thread.GetMaxFreq(), c.maxFreq) << c.divider;
        EXPECT_DOUBLE_EQ(thread.GetBlockDuration(0), c.blockDuration) << c.divider;
    }
    thread.SetAdfDbmCorrection(0, 1, 2.5);
    thread.SetAdfDbmCorrection(0, 8, -1.5);
    EXPECT_EQ(thread.GetAdfDbmCorrection(0, 1), 2.5);
    EXPECT_EQ(thread.GetAdfDbmCorrection(0, 8), -1.5);
}

TEST(DeviceThreadDemo, TheRealLibraryDeliversRangeDdcAndDemodulatorSpectra)
{
    CDeviceThread thread;
    thread.LoadCorrections();
    ASSERT_TRUE(thread.SetChannelType(0));
    thread.SetDemoMode(true);
    thread.Start();

    bool range = false;
    bool ddc = false;
    bool demod = false;
    QElapsedTimer timer;
    timer.start();
    qint64 rangeMs = -1;
    while (timer.elapsed() < 6000 && !(range && ddc && demod))
    {
        if (thread.IsDataReady())
        {
            if (thread.FetchData())
            {
                if (!range && !thread.m_RangeSpectrum.empty())
                    rangeMs = timer.elapsed();
                range = range || !thread.m_RangeSpectrum.empty();
                ddc = ddc || !thread.m_DdcSpectrum.empty();
                demod = demod || !thread.m_DemodSpectrum.empty();
            }
            thread.ClearDataReady();
        }
        QThread::msleep(5);
    }
    thread.Stop();
    ASSERT_TRUE(range);
    EXPECT_LT(rangeMs, 2000);
    EXPECT_TRUE(ddc);
    EXPECT_TRUE(demod);
    EXPECT_FALSE(thread.IsOnline()) << "demo mode is not a device";
}

TEST(DeviceThreadSession, AProcessThatLeavesTheLoopRunningExitsCleanlyAndSavesItsSettings)
{
    CTempDir dir;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", QString::fromStdString(dir.Path()));
    environment.insert("KELTHAR_SDR_URI", "ip:127.0.0.1:1");
    environment.insert("KELTHAR_MESSAGES", "stderr");
    process.setProcessEnvironment(environment);
    process.start(DEVICETHREAD_SESSION, QStringList());
    ASSERT_TRUE(process.waitForFinished(60000));
    const QByteArray errors = process.readAllStandardError();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << errors.constData();
    EXPECT_EQ(process.exitCode(), 0) << errors.constData();
    EXPECT_FALSE(errors.contains("Destroyed while thread")) << errors.constData();

    const QString path = QString::fromStdString(dir.Path()) + "/Tarvolen/Delvane Veltrano/settings.ini";
    ASSERT_TRUE(QFile::exists(path));
    CParameters saved(path);
    saved.Load();
    EXPECT_EQ(saved.GetString("Session", "Ended", "<missing>"), QString("yes"));
}
