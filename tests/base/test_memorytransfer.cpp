// The device-memory transfer through a core whose board exchange is played by scripted analyser replies
// (tests/common/analysercore.h); everything else is the real library core.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTreeWidget>

#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

#include "analysercore.h"
#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "memorywindow.h"
#include "scriptedprompt.h"
#include "tempdir.h"
#include "veltrano.h"

namespace
{
using analyser::BigEndian16;
using analyser::CAnalyserCore;
using analyser::kPage;

// The analyser's content of a page: distinct per page and position.
uint8_t PageByte(int page, int i)
{
    return static_cast<uint8_t>(page * 7 + i * 3 + 1);
}

// The analyser's reply carrying page `page` of its content.
void Answer(std::vector<uint8_t>& reply, int page, int count)
{
    uint8_t* payload = analyser::AnswerFrame(reply, page, count);
    for (int i = 0; i < kPage; ++i)
        payload[i] = PageByte(page, i);
}

class MemoryTransferTest : public testing::Test
{
protected:
    MemoryTransferTest() : m_core(new CAnalyserCore), m_thread(m_core) {}

    // As the memory window starts a download.
    void StartDownload()
    {
        m_thread.m_bPatternFileLoaded = 0;
        m_thread.m_nMemoryOrigin = 0;
        m_thread.StartMemoryDownload();
    }

    // The analyser answers the given pages in order, each with the announced count; a page of -1 is a
    // reply whose checksum the core rejects.
    void Script(std::deque<int> pages, int count)
    {
        m_core->exchange =
            [pages, count](const std::vector<uint8_t>& command, std::vector<uint8_t>& reply) mutable
        {
            EXPECT_EQ(command[66], 0) << "a download asks without the write code";
            if (pages.empty())
                return false;
            const int page = pages.front();
            pages.pop_front();
            if (page < 0)
                return false;
            Answer(reply, page, count);
            return true;
        };
    }

    CAnalyserCore* m_core;  // owned by the thread
    CDeviceThread m_thread;
};

TEST_F(MemoryTransferTest, UploadSendsEveryPageAndStopsAfterTheLast)
{
    constexpr int kPages = 5991;
    constexpr int kOrigin = 100;  // the block sent starts here in the image
    QByteArray image(kPages * kPage, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>((i * 13) >> 3);
    m_thread.m_MemoryImage = image;

    std::vector<int> pagesSeen;
    bool packetsGood = true;
    m_core->exchange = [&](const std::vector<uint8_t>& command, std::vector<uint8_t>&)
    {
        const int page = BigEndian16(command, 68);
        pagesSeen.push_back(page);
        bool good = command.size() == 1095 && command[63] == 0x6F && command[64] == 0x67 &&
                    command[65] == 0x80 && command[66] == 0xA2 &&
                    command[67] == static_cast<uint8_t>(image[14]) && BigEndian16(command, 70) == kPages &&
                    command[72] == 0 && command[73] == 0;
        for (int i = 0; i < kPage; ++i)
        {
            const int at = page * kPage + kOrigin + i;
            const uint8_t expected = at < image.size() ? static_cast<uint8_t>(image[at]) : 0;
            good = good && command[74 + static_cast<size_t>(i)] == expected;
        }
        packetsGood = packetsGood && good;
        return true;
    };

    m_thread.StartMemoryUpload(image, kOrigin, kPages);
    // The device sends from the copy made at the start: what the image becomes meanwhile never reaches it.
    m_thread.m_MemoryImage.fill('\x55');
    int exchanges = 0;
    while (m_thread.m_nTransferMode == 2 && exchanges < kPages + 10)
    {
        ASSERT_TRUE(m_thread.Step());
        ++exchanges;
    }

    EXPECT_EQ(exchanges, kPages);
    EXPECT_EQ(m_thread.m_nMemoryDone.load(), kPages);
    EXPECT_EQ(m_thread.m_nTransferMode.load(), 1);
    EXPECT_TRUE(packetsGood) << "a packet differed from the image";
    ASSERT_EQ(pagesSeen.size(), static_cast<size_t>(kPages));
    for (int page = 0; page < kPages; ++page)
        ASSERT_EQ(pagesSeen[static_cast<size_t>(page)], page);
    EXPECT_EQ(m_core->readCount, 0);
}

struct DOWNLOAD_CASE
{
    const char* name;
    std::deque<int> pages;  // answered in this order; -1 fails the exchange (bad checksum)
    std::vector<bool> stepResults;
    int finalPage;
    int finalTotal;
    int finalMode;
    std::vector<int> storedPages;  // pages of the transfer buffer that must hold the analyser's content
    int bufferSize;
};

TEST_F(MemoryTransferTest, DownloadStoresPagesAsTheBoardNumbersThem)
{
    const DOWNLOAD_CASE cases[] = {
        {"three pages", {1, 2, 3}, {true, true, true}, 3, 3, 1, {1, 2, 3}, 3 * kPage},
        {"page 2 before page 1", {2}, {true}, 2, 0, 2, {}, 0},
        {"page 2 before page 1, then the rest",
         {2, 1, 2, 3},
         {true, true, true, true},
         3,
         3,
         1,
         {1, 2, 3},
         3 * kPage},
        {"checksum error retried", {1, -1, 2, 3}, {true, false, true, true}, 3, 3, 1, {1, 2, 3}, 3 * kPage},
        {"page beyond the count", {1, 5}, {true, true}, 5, 3, 2, {1}, 3 * kPage},
    };
    for (const DOWNLOAD_CASE& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QByteArray shown(kPage, 'Q');
        m_thread.m_MemoryImage = shown;
        Script(c.pages, 3);
        StartDownload();
        for (size_t s = 0; s < c.stepResults.size(); ++s)
        {
            const int before = m_thread.m_nMemoryDone;
            EXPECT_EQ(m_thread.Step(), c.stepResults[s]) << "step " << s;
            if (!c.stepResults[s])
            {
                EXPECT_EQ(m_thread.m_nMemoryDone.load(), before) << "a failed exchange advanced the page";
            }
        }
        EXPECT_EQ(m_thread.m_nMemoryDone.load(), c.finalPage);
        EXPECT_EQ(m_thread.m_nMemoryTotal.load(), c.finalTotal);
        EXPECT_EQ(m_thread.m_nTransferMode.load(), c.finalMode);
        // The pages go into the transfer's own buffer; the image the window shows is never written.
        EXPECT_EQ(m_thread.m_MemoryImage, shown);
        const QByteArray buffer = m_thread.MemoryTransferBuffer();
        ASSERT_EQ(buffer.size(), c.bufferSize);
        for (int page = 1; page * kPage <= c.bufferSize; ++page)
        {
            const bool stored =
                std::find(c.storedPages.begin(), c.storedPages.end(), page) != c.storedPages.end();
            int mismatches = 0;
            for (int i = 0; i < kPage; ++i)
            {
                const uint8_t expected = stored ? PageByte(page, i) : 0;
                mismatches += static_cast<uint8_t>(buffer[(page - 1) * kPage + i]) != expected;
            }
            EXPECT_EQ(mismatches, 0) << "page " << page;
        }
    }
}

TEST_F(MemoryTransferTest, CompletedDownloadIsHandedOverOnce)
{
    Script({1, 2}, 2);
    StartDownload();
    QByteArray image;
    ASSERT_TRUE(m_thread.Step());
    EXPECT_FALSE(m_thread.TakeDownloadedImage(image)) << "handed over before the last page";
    ASSERT_TRUE(m_thread.Step());
    ASSERT_TRUE(m_thread.TakeDownloadedImage(image));
    ASSERT_EQ(image.size(), 2 * kPage);
    EXPECT_EQ(static_cast<uint8_t>(image[kPage + 5]), PageByte(2, 5));
    EXPECT_FALSE(m_thread.TakeDownloadedImage(image)) << "handed over twice";
}

TEST_F(MemoryTransferTest, ReplyOfACancelledTransferIsDropped)
{
    // The window cancels and starts anew while a page is on the wire: the reply of the old transfer
    // must not reach the new one, whichever direction either had.
    struct Case
    {
        const char* name;
        bool firstUpload;
    } cases[] = {{"download replaced", false}, {"upload replaced", true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        bool restarted = false;
        m_core->exchange = [&](const std::vector<uint8_t>&, std::vector<uint8_t>& reply)
        {
            if (!restarted)
            {
                restarted = true;
                m_thread.CancelMemoryTransfer();
                m_thread.StartMemoryDownload();
            }
            Answer(reply, 1, 4);
            return true;
        };
        if (c.firstUpload)
            m_thread.StartMemoryUpload(QByteArray(8 * kPage, '\x22'), 0, 8);
        else
            StartDownload();
        EXPECT_TRUE(m_thread.Step());
        EXPECT_EQ(m_thread.m_nMemoryDone.load(), 0) << "the old reply advanced the new transfer";
        EXPECT_EQ(m_thread.m_nMemoryTotal.load(), 0);
        EXPECT_TRUE(m_thread.MemoryTransferBuffer().isEmpty());
        EXPECT_FALSE(m_thread.m_bMemoryUpload.load());
        // The next exchange belongs to the new download.
        EXPECT_TRUE(m_thread.Step());
        EXPECT_EQ(m_thread.m_nMemoryDone.load(), 1);
        EXPECT_EQ(m_thread.m_nMemoryTotal.load(), 4);
        EXPECT_EQ(m_thread.MemoryTransferBuffer().size(), 4 * kPage);
        m_thread.CancelMemoryTransfer();
    }
}

TEST_F(MemoryTransferTest, HoldTouchesNothing)
{
    m_core->exchange = [](const std::vector<uint8_t>&, std::vector<uint8_t>&) { return true; };
    m_thread.m_nTransferMode = 1;
    EXPECT_TRUE(m_thread.Step());
    EXPECT_TRUE(m_thread.Step());
    EXPECT_EQ(m_core->sendCount, 0);
    EXPECT_EQ(m_core->readCount, 0);
    EXPECT_EQ(m_thread.m_nTransferMode.load(), 1);
}

TEST_F(MemoryTransferTest, DemoCoreCannotTransfer)
{
    // Without the fake board the exchange is the library's own, which refuses in demo mode.
    CDeviceThread thread;
    thread.m_pKelthar->SetDemoMode(true);
    thread.StartMemoryUpload(QByteArray(2 * kPage, '\x11'), 0, 1);
    EXPECT_FALSE(thread.Step());
    EXPECT_EQ(thread.m_nMemoryDone.load(), 0);
    EXPECT_EQ(thread.m_nTransferMode.load(), 2);
    thread.m_pKelthar->SetDemoMode(false);
}
// The program's close with unsaved analyser memory: the question comes once, from the main window,
// before any window goes away; a save that does not complete keeps the program open.
class MemoryCloseTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        g_DeviceThread.LoadCorrections();
        g_FftOptions.Init();
    }
    void SetUp() override
    {
        m_window = std::make_unique<Veltrano>(0, QString());
        m_memory = m_window->findChild<CMemoryWindow*>(QStringLiteral("CMemoryWindow"));
        ASSERT_NE(m_memory, nullptr);
    }
    void TearDown() override
    {
        // Destroying the windows asks nothing more.
        CScriptedPrompt none;
        m_window.reset();
        EXPECT_TRUE(none.Asked().empty());
        g_DeviceThread.m_nMemoryOrigin = 0;
    }

    QString Path(const char* name) const { return QString::fromStdString(m_dir.File(name)); }

    CTempDir m_dir;
    std::unique_ptr<Veltrano> m_window;
    CMemoryWindow* m_memory = nullptr;
};

const QString kSaveQuestion =
    QStringLiteral("The changed memory data has NOT been saved. Do you want to save it?");

TEST_F(MemoryCloseTest, UnsavedDownloadIsSavedOrKeepsTheProgramOpen)
{
    // As a completed download leaves it.
    const QByteArray image(3 * kPage, '\x3D');
    g_DeviceThread.m_MemoryImage = image;
    g_DeviceThread.m_nMemoryOrigin = 1;
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, kSaveQuestion)
            .AnswerSaveFile(Path("missing/memory.mem"))
            .Answer(QMessageBox::Ok, QStringLiteral("Failed to save the memory data!"));
        EXPECT_FALSE(m_window->close());
    }
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, kSaveQuestion).AnswerSaveFile(QString());
        EXPECT_FALSE(m_window->close()) << "a cancelled save dialog closed the program";
    }
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, kSaveQuestion).AnswerSaveFile(Path("memory.mem"));
        EXPECT_TRUE(m_window->close());
        EXPECT_EQ(prompt.Asked().size(), 2u) << "asked more than once";
    }
    QFile file(Path("memory.mem"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), image);
}

TEST_F(MemoryCloseTest, NoQuestionOnceDeletionsAreSaved)
{
    // A loaded image with one record; the record deleted and the image saved.
    QByteArray image(512 + 1024, '\0');
    image[0] = 1;
    image[15] = 0x3D;
    image[512] = 't';
    {
        QFile file(Path("loaded.mem"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(image);
    }
    {
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(Path("loaded.mem"));
        m_memory->OnLoadButton();
    }
    m_memory->ui.m_pDataTree->topLevelItem(0)->setSelected(true);
    m_memory->OnDataDeleteAction();
    ASSERT_TRUE(m_memory->IsChanged());
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(Path("saved.mem"));
        m_memory->OnSaveButton();
    }
    CScriptedPrompt none;
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(none.Asked().empty());
}

TEST_F(MemoryCloseTest, AnsweringNoClosesWithoutSaving)
{
    g_DeviceThread.m_nMemoryOrigin = 1;
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::No, kSaveQuestion);
    EXPECT_TRUE(m_window->close());
}
}  // namespace
