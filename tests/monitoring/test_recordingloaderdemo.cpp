// A recording replayed into the main window in demo mode, as the archive's go-to-time does it: the
// live device goes on acquiring and a live signal recording made meanwhile ends with its trailer; a
// second go-to-time during the load changes nothing. With VELTRANO_LOADER_IMAGE set, the range pane
// after the replay is saved to that path (the documentation's picture).

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

#include "demorecording.h"
#include "demowindow.h"
#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "isignalrecorder.h"
#include "privatecore.h"
#include "rangeview.h"
#include "veltrano.h"

namespace
{
constexpr int kBlocks = 600;
constexpr int64_t kStepMs = 100;

QWidget* ProgressDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qstrcmp(widget->metaObject()->className(), "CProgressDialog") == 0)
            return widget;
    return nullptr;
}

TEST(RecordingLoaderDemo, TheLiveDeviceKeepsAcquiringAndRecordingWhileARecordingLoads)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString replay = dir.filePath(QStringLiteral("replay.rec"));
    const QString livePath = dir.filePath(QStringLiteral("live.rec"));
    // The recording of a minute of the demo signal, a little before now.
    const int64_t firstMs = (QDateTime::currentMSecsSinceEpoch() / 1000 - 3600) * 1000;
    auto window = StartDemoWindow();
    window->resize(1280, 900);
    ASSERT_TRUE(g_DeviceThread.IsDemoMode());
    ASSERT_NE(WaitForRangeSpectrum(*window), nullptr);
    // Made at the live tuning, as a recording of this device would be.
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    ASSERT_EQ(WriteDemoRecording(replay, kBlocks, firstMs, kStepMs, 250.0, 350.0, bits->GetTuneFreq(),
                                 bits->GetBandwidthIndex()),
              kBlocks);
    ISignalRecorder* live = g_DeviceThread.m_pRecorder;
    ASSERT_TRUE(live->StartRecording(livePath.toStdWString(), QDateTime::currentMSecsSinceEpoch(), 100.0,
                                     200.0, false));

    const int cyclesBefore = g_DeviceThread.GetCycles();
    const time_t entry = static_cast<time_t>(firstMs / 1000 + 30);
    window->OnGotoTime(0, entry, 0.0, replay);
    QWidget* progress = ProgressDialog();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    // Asked again while loading: refused, the load goes on to its end.
    window->OnGotoTime(0, entry + 10, 0.0, dir.filePath(QStringLiteral("missing.rec")));
    EXPECT_TRUE(QTest::qWaitFor([progress] { return !progress->isVisible(); }, 30000));
    const int cyclesAfterLoad = g_DeviceThread.GetCycles();
    EXPECT_GT(cyclesAfterLoad, cyclesBefore) << "the device thread went on while the recording loaded";

    auto* view = window->findChild<CRangeView*>(QStringLiteral("m_pRangeGraphView"));
    ASSERT_NE(view, nullptr);
    const QImage image = view->grab().toImage();
    EXPECT_FALSE(image.isNull());
    const QString imagePath = qEnvironmentVariable("VELTRANO_LOADER_IMAGE");
    if (!imagePath.isEmpty())
    {
        EXPECT_TRUE(image.save(imagePath));
    }

    live->StopRecording(QDateTime::currentMSecsSinceEpoch());
    window.reset();
    g_DeviceThread.Stop();

    // The live recording is whole: every block read ends where its trailer begins.
    CPrivateCore core;
    ISignalRecorder* player = core.Recorder();
    RECORDING_FILE_INFO info;
    ASSERT_TRUE(player->CheckRecordingFile(livePath.toStdWString(), info));
    ASSERT_TRUE(player->OpenRecording(livePath.toStdWString(), 0, false));
    std::vector<uint8_t> block;
    int blocks = 0;
    while (player->ReadBlock(block))
        ++blocks;
    EXPECT_GT(blocks, 0);
    EXPECT_EQ(player->GetFilePosition(), player->GetFileSize() - 8);
}
}  // namespace
