// The device-memory window drives the device thread's transfer fields; the device thread's loop is not
// running here, so the test plays its part by setting the counters as the loop would.

#include <gtest/gtest.h>

#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>

#include "devicethread.h"
#include "globals.h"
#include "memorydirectory.h"
#include "memorywindow.h"
#include "scriptedprompt.h"

namespace
{
const QString kTransferWarning = QStringLiteral("Memory data transfer");

QByteArray Image(int size, std::initializer_list<std::pair<int, int>> bytes)
{
    QByteArray image(size, '\0');
    for (const auto& b : bytes)
        image[b.first] = static_cast<char>(b.second);
    return image;
}

class MemoryWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_DeviceThread.m_nTransferMode = 0;
        g_DeviceThread.m_nMemoryOrigin = 0;
        g_DeviceThread.m_bPatternFileLoaded = 0;
        g_DeviceThread.m_bMemoryUpload = false;
        g_DeviceThread.m_nMemoryDone = 0;
        g_DeviceThread.m_nMemoryTotal = 0;
        g_DeviceThread.m_nPatternOffset = 0;
        g_DeviceThread.m_MemoryImage = QByteArray(512, '\0');
    }
    void TearDown() override { g_DeviceThread.m_nTransferMode = 0; }

    // Writes an image file and loads it through the window.
    void LoadFile(CMemoryWindow& window, const QByteArray& image)
    {
        const QString path = m_dir.filePath(QStringLiteral("image.mem"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(image);
        file.close();
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(path, QStringLiteral("Load memory data"));
        window.OnLoadButton();
    }

    QTemporaryDir m_dir;
};

TEST(MemoryDirectory, DecodesTheRegionOffsets)
{
    struct Case
    {
        const char* name;
        QByteArray image;
        MEMORY_DIRECTORY expected;
    } cases[] = {
        {"two records, manual analysis, pattern",
         Image(512, {{0, 2}, {9, 1}, {12, 1}}),
         {2, 0, 512, 2560, 7168}},
        {"three analyses and a pattern", Image(512, {{5, 3}, {12, 1}}), {0, 3, 0, 512, 18944}},
        {"no pattern flag", Image(512, {{0, 1}, {5, 1}}), {1, 1, 512, 1536, 0}},
        {"empty directory", Image(512, {}), {0, 0, 0, 0, 0}},
        {"empty image", QByteArray(), {0, 0, 0, 0, 0}},
        {"counts beyond seven bits are clamped",
         Image(16, {{0, 200}, {12, 1}}),
         {127, 0, 512, 0, 512 + 1024 * 127}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const MEMORY_DIRECTORY d = CMemoryDirectory::Decode(c.image);
        EXPECT_EQ(d.spectrogramCount, c.expected.spectrogramCount);
        EXPECT_EQ(d.analysisCount, c.expected.analysisCount);
        EXPECT_EQ(d.spectrogramOffset, c.expected.spectrogramOffset);
        EXPECT_EQ(d.analysisOffset, c.expected.analysisOffset);
        EXPECT_EQ(d.patternOffset, c.expected.patternOffset);
    }
}

TEST_F(MemoryWindowTest, ShowingHoldsAcquisitionAndHidingResumesIt)
{
    CMemoryWindow window;
    window.setVisible(true);
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 1);
    window.setVisible(false);
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 0);
}

TEST_F(MemoryWindowTest, DownloadRunsToCompletion)
{
    CMemoryWindow window;
    window.setVisible(true);
    g_DeviceThread.m_bPatternFileLoaded = 1;
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kTransferWarning);
        window.OnDownloadButton();
    }
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 2);
    EXPECT_FALSE(g_DeviceThread.m_bMemoryUpload.load());
    EXPECT_EQ(g_DeviceThread.m_nMemoryDone.load(), 0);
    EXPECT_EQ(g_DeviceThread.m_nMemoryTotal.load(), 0);
    EXPECT_EQ(g_DeviceThread.m_bPatternFileLoaded, 0);
    EXPECT_EQ(g_DeviceThread.m_nMemoryOrigin, 0);
    EXPECT_TRUE(window.IsTransferTimerActive());

    window.OnTimer();  // no page count yet
    EXPECT_EQ(window.m_pProgressBar->value(), 0);
    g_DeviceThread.m_MemoryImage = Image(4 * 512, {{0, 1}, {12, 1}, {15, 0x3D}});
    g_DeviceThread.m_nMemoryTotal = 4;
    g_DeviceThread.m_nMemoryDone = 3;
    window.OnTimer();
    EXPECT_EQ(window.m_pProgressBar->value(), 75);
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 2);

    g_DeviceThread.m_nMemoryDone = 4;
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("The operation was done successfully."));
        window.OnTimer();
    }
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 1);
    EXPECT_EQ(g_DeviceThread.m_nMemoryOrigin, 1);
    EXPECT_EQ(window.m_pProgressBar->value(), 100);
    EXPECT_FALSE(window.IsTransferTimerActive());
    EXPECT_EQ(g_DeviceThread.m_nSpectrogramCount, 1);
    EXPECT_EQ(g_DeviceThread.m_nPatternOffset, 1536);

    // Unsaved data: a No keeps everything.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::No, QStringLiteral("has NOT been saved"));
        window.OnDownloadButton();
    }
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 1);
    EXPECT_EQ(g_DeviceThread.m_nMemoryOrigin, 1);
}

TEST_F(MemoryWindowTest, CancelAndHideStopATransfer)
{
    CMemoryWindow window;
    window.setVisible(true);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kTransferWarning);
        window.OnDownloadButton();
    }
    g_DeviceThread.m_bPatternFileLoaded = 1;
    window.OnCancelButton();
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 1);
    EXPECT_FALSE(g_DeviceThread.m_bMemoryUpload.load());
    EXPECT_EQ(g_DeviceThread.m_bPatternFileLoaded, 0);
    EXPECT_FALSE(window.IsTransferTimerActive());

    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kTransferWarning);
        window.OnDownloadButton();
    }
    window.setVisible(false);
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 0);
    EXPECT_FALSE(window.IsTransferTimerActive());
}

TEST_F(MemoryWindowTest, UploadIsRefusedUntilAPatternFileIsLoaded)
{
    CMemoryWindow window;
    window.setVisible(true);
    const QByteArray withPattern = Image(512 + 1024 + 2048, {{0, 1}, {12, 1}, {15, 0x3D}});
    struct Case
    {
        const char* name;
        std::function<void()> arrange;
        const char* refusal;  // null: the upload starts
    } cases[] = {
        {"no pattern", [] {}, "There is NO pattern"},
        {"just downloaded",
         []
         {
             g_DeviceThread.m_nPatternOffset = 1536;
             g_DeviceThread.m_nMemoryOrigin = 1;
         },
         "just has been downloaded"},
        {"pattern file not loaded",
         []
         {
             g_DeviceThread.m_nPatternOffset = 1536;
             g_DeviceThread.m_nMemoryOrigin = 0;
             g_DeviceThread.m_bPatternFileLoaded = 0;
         },
         "The pattern file must be loaded before"},
        {"pattern beyond the image",
         []
         {
             g_DeviceThread.m_nPatternOffset = 1536;
             g_DeviceThread.m_bPatternFileLoaded = 1;
             g_DeviceThread.m_MemoryImage = QByteArray(1536 + 100, '\0');
         },
         "incomplete"},
        {"loaded pattern",
         [&]
         {
             g_DeviceThread.m_MemoryImage = withPattern;
             g_DeviceThread.m_nPatternOffset = 1536;
             g_DeviceThread.m_bPatternFileLoaded = 1;
         },
         nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        g_DeviceThread.m_nTransferMode = 1;
        c.arrange();
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QString::fromLatin1(c.refusal ? c.refusal : "Memory data transfer"));
        window.OnUploadButton();
        if (c.refusal)
        {
            EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 1);
            continue;
        }
        EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 2);
        EXPECT_TRUE(g_DeviceThread.m_bMemoryUpload.load());
        EXPECT_EQ(g_DeviceThread.m_nMemoryDone.load(), 0);
        EXPECT_EQ(g_DeviceThread.m_nMemoryTotal.load(), CMemoryWindow::kUploadPages);
    }
    window.OnCancelButton();
}

TEST_F(MemoryWindowTest, LoadTakesOnlyImagesWithTheCheckByteAndSaveWritesThemWhole)
{
    CMemoryWindow window;
    const QByteArray image = Image(512 + 1024 + 1024, {{0, 1}, {12, 1}, {15, 0x3D}, {600, 7}});
    LoadFile(window, Image(512, {{0, 1}}));  // no check byte: ignored
    EXPECT_EQ(g_DeviceThread.m_MemoryImage.size(), 512);
    EXPECT_EQ(g_DeviceThread.m_bPatternFileLoaded, 0);

    LoadFile(window, image);
    EXPECT_EQ(g_DeviceThread.m_MemoryImage, image);
    EXPECT_EQ(g_DeviceThread.m_bPatternFileLoaded, 1);
    EXPECT_EQ(g_DeviceThread.m_nPatternOffset, 1536);
    EXPECT_EQ(g_DeviceThread.m_nMemoryOrigin, 0);

    // Nothing downloaded and nothing changed: there is nothing to save.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("must be loaded before"));
        window.OnSaveButton();
    }
    g_DeviceThread.m_nMemoryOrigin = 1;
    const QString saved = m_dir.filePath(QStringLiteral("saved.mem"));
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(saved, QStringLiteral("Save memory data"));
        window.OnSaveButton();
    }
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), image);
    EXPECT_EQ(g_DeviceThread.m_nMemoryOrigin, 2);

    // A write that fails says so and leaves the origin.
    g_DeviceThread.m_nMemoryOrigin = 1;
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(m_dir.filePath(QStringLiteral("missing/x.mem")))
            .Answer(QMessageBox::Ok, QStringLiteral("Failed to save the memory data!"));
        window.OnSaveButton();
    }
    EXPECT_EQ(g_DeviceThread.m_nMemoryOrigin, 1);
}
}  // namespace
