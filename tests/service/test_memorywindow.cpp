// The device-memory window on its form. Transfers run through the real device thread's Step against
// scripted analyser replies (tests/common/analysercore.h) put behind g_DeviceThread.m_pKelthar; the
// window's timer slot is driven directly.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <atomic>
#include <cmath>
#include <functional>
#include <memory>
#include <thread>

#include "analysercore.h"
#include "devicethread.h"
#include "globals.h"
#include "isignalsarchive.h"
#include "label.h"
#include "memorydirectory.h"
#include "memoryfixture.h"
#include "memorywindow.h"
#include "memorywindowtest.h"
#include "parameters.h"
#include "scriptedprompt.h"

namespace
{
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
        {"both counts beyond seven bits",
         Image(16, {{0, 200}, {5, 255}, {12, 1}}),
         {127, 127, 512, 512 + 1024 * 127, 512 + 1024 * 127 + 4608 * 128}},
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

TEST_F(MemoryWindowTest, FormCarriesEveryObjectWithItsCaption)
{
    CMemoryWindow window;
    EXPECT_EQ(window.objectName(), QStringLiteral("CMemoryWindow"));
    EXPECT_EQ(window.GetSettingsName(), QStringLiteral("MemoryWindow"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Internal Memory of the Morvik"));
    EXPECT_EQ(window.size(), QSize(750, 500));
    EXPECT_TRUE(window.isFloating());
    EXPECT_EQ(window.allowedAreas(), Qt::NoDockWidgetArea);
    struct Object
    {
        const char* name;
        const char* className;
        const char* text;  // caption of buttons and labels; null: not checked
    } objects[] = {
        {"m_pDownloadButton", "QPushButton", "Download from Morvik"},
        {"m_pSaveButton", "QPushButton", "Save..."},
        {"m_pLoadButton", "QPushButton", "Load..."},
        {"m_pUploadButton", "QPushButton", "Upload the pattern to Morvik"},
        {"m_pProgressBar", "QProgressBar", nullptr},
        {"m_pCancelButton", "QPushButton", "Cancel"},
        {"m_pTabWidget", "QTabWidget", nullptr},
        {"m_pSplitter", "QSplitter", nullptr},
        {"label", "QLabel", "List of Analysis"},
        {"m_pGroupsTree", "QTreeWidget", nullptr},
        {"label_2", "QLabel", "List of signals in selected analysis"},
        {"m_pCountLabel", "QLabel", "0 signals"},
        {"m_pContentTree", "QTreeWidget", nullptr},
        {"m_pDataTree", "QTreeWidget", nullptr},
        {"m_pGraphLabel", "CLabel", ""},
        {"m_pGraphLabelL", "QLabel", ""},
        {"m_pGraphLabelBand", "QLabel", ""},
        {"m_pGraphLabelR", "QLabel", ""},
        {"m_pGraphLabelT", "QLabel", ""},
        {"m_pGraphLabelMAX_2", "QLabel", ""},
        {"m_pGraphLabelMAX", "QLabel", ""},
        {"m_pGraphLabelB", "QLabel", ""},
        {"m_pPatternLabel", "CLabel", ""},
        {"m_pPatternLabelT", "QLabel", ""},
        {"m_pPatternLabelMAX_2", "QLabel", ""},
        {"m_pPatternLabelMAX", "QLabel", ""},
        {"m_pPatternLabelB", "QLabel", ""},
        {"m_pPatternLabelL", "QLabel", ""},
        {"m_pPatternLabelR", "QLabel", ""},
    };
    for (const Object& o : objects)
    {
        SCOPED_TRACE(o.name);
        QWidget* widget = window.findChild<QWidget*>(QLatin1String(o.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->inherits(o.className));
        if (o.text == nullptr)
            continue;
        const QVariant text = widget->property("text");
        EXPECT_EQ(text.toString(), QString::fromLatin1(o.text));
    }
    const Ui::CMemoryWindowClass& ui = window.ui;
    EXPECT_EQ(ui.m_pProgressBar->minimum(), 0);
    EXPECT_EQ(ui.m_pProgressBar->maximum(), 100);
    EXPECT_EQ(ui.m_pTabWidget->currentIndex(), 2);
    EXPECT_TRUE(ui.m_pTabWidget->documentMode());
    EXPECT_EQ(ui.m_pTabWidget->iconSize(), QSize(24, 24));
    EXPECT_EQ(ui.m_pTabWidget->elideMode(), Qt::ElideRight);
    ASSERT_EQ(ui.m_pTabWidget->count(), 3);
    EXPECT_EQ(ui.m_pTabWidget->tabText(0), QStringLiteral("Analysis List"));
    EXPECT_EQ(ui.m_pTabWidget->tabText(1), QStringLiteral("Spectrograms"));
    EXPECT_EQ(ui.m_pTabWidget->tabText(2), QStringLiteral("Pattern"));
    EXPECT_EQ(ui.m_pSplitter->orientation(), Qt::Horizontal);
    EXPECT_EQ(ui.m_pSplitter->count(), 2);
    const char* headers[] = {"Frequency, MHz", "Band", "Level, dBm", "Excess, dBm", ""};
    ASSERT_EQ(ui.m_pContentTree->columnCount(), 5);
    for (int column = 0; column < 5; ++column)
        EXPECT_EQ(ui.m_pContentTree->headerItem()->text(column), QString::fromLatin1(headers[column]));
    EXPECT_EQ(ui.m_pContentTree->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_FALSE(ui.m_pContentTree->rootIsDecorated());
    EXPECT_FALSE(ui.m_pContentTree->isSortingEnabled());
    EXPECT_FALSE(ui.m_pContentTree->itemsExpandable());
    EXPECT_EQ(ui.m_pContentTree->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(ui.m_pGroupsTree->headerItem()->text(0), QStringLiteral("Name"));
    EXPECT_EQ(ui.m_pDataTree->headerItem()->text(0), QStringLiteral("Name"));
    EXPECT_TRUE(ui.m_pGroupsTree->isAnimated());
    for (QTreeWidget* tree : {ui.m_pContentTree, ui.m_pGroupsTree, ui.m_pDataTree})
        EXPECT_EQ(tree->contextMenuPolicy(), Qt::CustomContextMenu) << tree->objectName().toStdString();

    // A language change puts the form's captions back, and the count stays the list's.
    ui.m_pDownloadButton->setText(QStringLiteral("x"));
    window.setWindowTitle(QStringLiteral("x"));
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(ui.m_pDownloadButton->text(), QStringLiteral("Download from Morvik"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Internal Memory of the Morvik"));
}

TEST_F(MemoryWindowTest, ColumnWidthsAndSplitterAreKept)
{
    // Absent widths are written as 100; a stored width below 50 comes back as 50.
    {
        CMemoryWindow window;
        for (int column = 0; column < 5; ++column)
        {
            EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("MemoryWindow"),
                                          QStringLiteral("Column%1").arg(column), 0),
                      100);
            EXPECT_EQ(window.ui.m_pContentTree->columnWidth(column), 100);
        }
        const QList<int> sizes = window.ui.m_pSplitter->sizes();
        ASSERT_EQ(sizes.size(), 2);
        EXPECT_LT(sizes[0], sizes[1]);
        window.ui.m_pContentTree->setColumnWidth(2, 140);
        window.ui.m_pSplitter->setSizes({300, 400});
    }
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("MemoryWindow"), QStringLiteral("Column2"), 0), 140);
    EXPECT_FALSE(
        g_Parameters.GetString(QStringLiteral("MemoryWindow"), QStringLiteral("SplitterState"), QString())
            .isEmpty());
    g_Parameters.SetInt(QStringLiteral("MemoryWindow"), QStringLiteral("Column3"), 30);
    CMemoryWindow window;
    EXPECT_EQ(window.ui.m_pContentTree->columnWidth(2), 140);
    EXPECT_EQ(window.ui.m_pContentTree->columnWidth(3), 50);
    // Restored in proportion, not as the default quarter.
    const QList<int> sizes = window.ui.m_pSplitter->sizes();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_NEAR(sizes[0] * 4.0 / 3.0, sizes[1], 4.0);
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
    constexpr int kPages = 8;
    CAnalyserMemory memory(AnalyserImage(kPages, 3));
    m_core->exchange = memory.Exchange();
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
    for (QPushButton* button : {window.ui.m_pDownloadButton, window.ui.m_pUploadButton,
                                window.ui.m_pLoadButton, window.ui.m_pSaveButton})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();

    window.OnTimer();  // no page count yet
    EXPECT_EQ(window.ui.m_pProgressBar->value(), 0);
    ASSERT_EQ(RunTransfer(6), 6);
    window.OnTimer();
    EXPECT_EQ(window.ui.m_pProgressBar->value(), 75);
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 2);
    EXPECT_EQ(g_DeviceThread.m_MemoryImage, QByteArray(512, '\0')) << "the shown image changed mid-transfer";

    ASSERT_EQ(RunTransfer(10), 2);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kDone);
        window.OnTimer();
    }
    EXPECT_EQ(g_DeviceThread.m_MemoryImage, memory.image);
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 1);
    EXPECT_EQ(g_DeviceThread.m_nMemoryOrigin, 1);
    EXPECT_EQ(window.ui.m_pProgressBar->value(), 100);
    EXPECT_FALSE(window.IsTransferTimerActive());
    EXPECT_TRUE(window.ui.m_pDownloadButton->isEnabled());
    EXPECT_EQ(g_DeviceThread.m_nSpectrogramCount, 1);
    EXPECT_EQ(g_DeviceThread.m_nPatternOffset, 1536);
    // The views are rebuilt from the downloaded image.
    ASSERT_EQ(window.ui.m_pDataTree->topLevelItemCount(), 1);
    EXPECT_EQ(window.ui.m_pDataTree->topLevelItem(0)->data(0, Qt::UserRole).toInt(), 0);
    EXPECT_EQ(window.ui.m_pPatternLabelL->text(), QStringLiteral("30 MHz"));

    // Just downloaded: no upload of it.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("just has been downloaded"));
        window.OnUploadButton();
    }
    // Unsaved data: a No keeps everything.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::No, kUnsavedDownload);
        window.OnDownloadButton();
    }
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 1);
    EXPECT_EQ(g_DeviceThread.m_nMemoryOrigin, 1);
    EXPECT_EQ(g_DeviceThread.m_MemoryImage, memory.image);
}

TEST_F(MemoryWindowTest, UploadSendsThePatternOfTheLoadedFile)
{
    CMemoryWindow window;
    window.setVisible(true);
    const QByteArray image = memoryfixture::Image();
    LoadFile(window, image);
    ASSERT_EQ(g_DeviceThread.m_nPatternOffset, memoryfixture::kPattern);
    ASSERT_EQ(g_DeviceThread.m_bPatternFileLoaded, 1);

    CAnalyserMemory memory{QByteArray()};
    m_core->exchange = memory.Exchange();
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kTransferWarning);
        window.OnUploadButton();
    }
    EXPECT_EQ(RunTransfer(10000), CMemoryWindow::kUploadPages);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kDone);
        window.OnTimer();
    }
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 1);
    EXPECT_EQ(g_DeviceThread.m_nMemoryOrigin, 0) << "an upload leaves the origin";
    ASSERT_EQ(memory.uploadHeaders.size(), static_cast<size_t>(CMemoryWindow::kUploadPages));
    int badHeaders = 0;
    for (int page = 0; page < CMemoryWindow::kUploadPages; ++page)
    {
        // Command bytes 63..73: the sync bytes, the write code, image byte 14, page and count big-endian.
        const std::vector<uint8_t> expected = {0x6F,
                                               0x67,
                                               0x80,
                                               0xA2,
                                               0x42,
                                               static_cast<uint8_t>(page >> 8),
                                               static_cast<uint8_t>(page),
                                               5991 >> 8,
                                               5991 & 0xFF,
                                               0,
                                               0};
        badHeaders += memory.uploadHeaders[static_cast<size_t>(page)] != expected;
    }
    EXPECT_EQ(badHeaders, 0);
    // Bytes 74..585 of page n: the image from the pattern offset on, zeros past its end.
    QByteArray pattern = image.mid(memoryfixture::kPattern);
    pattern.append(QByteArray(CMemoryWindow::kUploadPages * kPage - pattern.size(), '\0'));
    EXPECT_TRUE(memory.uploaded == pattern);

    // Refused until the next Load.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok,
                      QStringLiteral("The pattern file must be loaded before. Use 'Load' button."));
        window.OnUploadButton();
    }
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 1);
    LoadFile(window, image);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kTransferWarning);
        window.OnUploadButton();
    }
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 2);
    window.OnCancelButton();
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
    EXPECT_TRUE(window.ui.m_pLoadButton->isEnabled());

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
    // Files that are no image leave everything as it was.
    struct Refused
    {
        const char* name;
        QByteArray bytes;
    } refused[] = {
        {"empty", QByteArray()},
        {"one byte", QByteArray(1, '=')},
        {"fifteen bytes", QByteArray(15, '=')},
        {"no check byte", Image(512, {{0, 1}})},
    };
    for (const Refused& r : refused)
    {
        SCOPED_TRACE(r.name);
        LoadFile(window, r.bytes);
        EXPECT_EQ(g_DeviceThread.m_MemoryImage, QByteArray(512, '\0'));
        EXPECT_EQ(g_DeviceThread.m_bPatternFileLoaded, 0);
        EXPECT_EQ(window.ui.m_pDataTree->topLevelItemCount(), 0);
    }

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

TEST_F(MemoryWindowTest, UnsavedDataIsOfferedASaveBeforeItIsReplaced)
{
    CMemoryWindow window;
    window.setVisible(true);
    const QByteArray fixture = memoryfixture::Image();
    const QString other = WriteFile(QStringLiteral("other.mem"), fixture);
    CAnalyserMemory memory(AnalyserImage(3, 9));
    Download(window, memory);
    ASSERT_EQ(g_DeviceThread.m_nMemoryOrigin, 1);

    // Yes, then a cancelled save dialog: the downloaded image stays and nothing is loaded.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, kUnsavedLoad).AnswerSaveFile(QString());
        window.OnLoadButton();
    }
    EXPECT_EQ(g_DeviceThread.m_MemoryImage, memory.image);
    EXPECT_EQ(g_DeviceThread.m_nMemoryOrigin, 1);
    // No: the file is loaded over it.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::No, kUnsavedLoad).AnswerOpenFile(other);
        window.OnLoadButton();
    }
    EXPECT_EQ(g_DeviceThread.m_MemoryImage, fixture);
    EXPECT_FALSE(window.HasUnsavedData());

    // Unsaved deletions make Download ask; No changes nothing.
    window.ui.m_pDataTree->topLevelItem(0)->setSelected(true);
    window.OnDataDeleteAction();
    ASSERT_TRUE(window.IsChanged());
    const QByteArray edited = g_DeviceThread.m_MemoryImage;
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::No, kUnsavedDownload);
        window.OnDownloadButton();
    }
    EXPECT_EQ(g_DeviceThread.m_nTransferMode.load(), 1);
    EXPECT_EQ(g_DeviceThread.m_MemoryImage, edited);
    EXPECT_TRUE(window.IsChanged());
    // Yes on the save question, with a save that completes: the caller may go on, and nothing is unsaved.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, kUnsavedLoad)
            .AnswerSaveFile(m_dir.filePath(QStringLiteral("edited.mem")));
        EXPECT_TRUE(window.AskToSaveChanges());
    }
    EXPECT_FALSE(window.HasUnsavedData());
    QFile file(m_dir.filePath(QStringLiteral("edited.mem")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), edited);
    // Nothing unsaved: no question at all.
    CScriptedPrompt none;
    EXPECT_TRUE(window.AskToSaveChanges());
    EXPECT_TRUE(none.Asked().empty());
}

TEST_F(MemoryWindowTest, TransfersOwnTheirDataAgainstTheGuiThread)
{
    CMemoryWindow window;
    window.setVisible(true);
    const QByteArray fixture = memoryfixture::Image();
    const QString path = WriteFile(QStringLiteral("fixture.mem"), fixture);

    // The operator's buttons while a step loops on another thread: none of them acts and no prompt is
    // asked. The analyser holds back the transfer's last page until the buttons have been tried, so the
    // transfer is still running whenever they are pressed.
    std::atomic<bool> release{false};
    auto pressButtons = [&](const std::function<bool()>& nearlyDone)
    {
        CScriptedPrompt prompt;  // any prompt fails the test
        for (int rounds = 0; !nearlyDone() || rounds < 50; ++rounds)
        {
            ASSERT_EQ(g_DeviceThread.m_nTransferMode.load(), 2);
            window.OnLoadButton();
            window.OnSaveButton();
            window.OnDownloadButton();
            window.OnUploadButton();
            window.OnDataDeleteAction();
        }
        release = true;
    };
    auto runOnWorker = []
    {
        return std::thread(
            []
            {
                while (g_DeviceThread.m_nTransferMode == 2)
                    g_DeviceThread.Step();
            });
    };
    auto pace = [] { std::this_thread::sleep_for(std::chrono::microseconds(20)); };

    // A download of 300 pages.
    CAnalyserMemory download(AnalyserImage(300, 5));
    download.gate = [&]
    {
        pace();
        if (download.next == 299)
            while (!release)
                std::this_thread::yield();
    };
    m_core->exchange = download.Exchange();
    g_DeviceThread.m_nMemoryOrigin = 2;
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kTransferWarning);
        window.OnDownloadButton();
    }
    std::thread downloading = runOnWorker();
    pressButtons([] { return g_DeviceThread.m_nMemoryDone >= 299; });
    release = true;
    downloading.join();
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kDone);
        window.OnTimer();
    }
    EXPECT_TRUE(g_DeviceThread.m_MemoryImage == download.image)
        << "the downloaded image differs from the pages";

    // An upload from a loaded file, while the image is replaced under it.
    g_DeviceThread.m_nMemoryOrigin = 2;
    {
        CScriptedPrompt prompt;
        prompt.AnswerOpenFile(path);
        window.OnLoadButton();
    }
    CAnalyserMemory upload{QByteArray()};
    release = false;
    upload.gate = [&]
    {
        if (upload.uploadHeaders.size() % 64 == 0)
            pace();
        if (upload.uploadHeaders.size() == CMemoryWindow::kUploadPages - 1)
            while (!release)
                std::this_thread::yield();
    };
    m_core->exchange = upload.Exchange();
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kTransferWarning);
        window.OnUploadButton();
    }
    std::thread uploading = runOnWorker();
    g_DeviceThread.m_MemoryImage.fill('\x5A');
    pressButtons([] { return g_DeviceThread.m_nMemoryDone >= CMemoryWindow::kUploadPages - 1; });
    release = true;
    uploading.join();
    QByteArray pattern = fixture.mid(memoryfixture::kPattern);
    pattern.append(QByteArray(CMemoryWindow::kUploadPages * kPage - pattern.size(), '\0'));
    EXPECT_TRUE(upload.uploaded == pattern) << "the uploaded pages differ from the pattern at the start";
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kDone);
        window.OnTimer();
    }

    // Cancel, then a new download while a step of the old one is on the wire: the image ends with only
    // the new transfer's pages.
    CAnalyserMemory first(AnalyserImage(4, 1));
    CAnalyserMemory second(AnalyserImage(4, 2));
    std::atomic<int> stage{0};  // 1: the old step is on the wire; 2: it may answer
    auto firstExchange = first.Exchange();
    auto secondExchange = second.Exchange();
    m_core->exchange = [&](const std::vector<uint8_t>& command, std::vector<uint8_t>& reply)
    {
        if (stage == 0)
        {
            // The old transfer's reply is built now, from the old memory, and returned late.
            const bool result = firstExchange(command, reply);
            stage = 1;
            while (stage != 2)
                std::this_thread::yield();
            return result;
        }
        return secondExchange(command, reply);
    };
    g_DeviceThread.m_nMemoryOrigin = 2;
    window.OnCancelButton();
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kTransferWarning);
        window.OnDownloadButton();
    }
    ASSERT_EQ(g_DeviceThread.m_nTransferMode.load(), 2);
    std::thread inFlight([] { g_DeviceThread.Step(); });
    while (stage != 1)
        std::this_thread::yield();
    window.OnCancelButton();
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kTransferWarning);
        window.OnDownloadButton();
    }
    stage = 2;
    inFlight.join();
    EXPECT_EQ(g_DeviceThread.m_nMemoryDone.load(), 0) << "the old step advanced the new download";
    RunTransfer(100);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kDone);
        window.OnTimer();
    }
    EXPECT_TRUE(g_DeviceThread.m_MemoryImage == second.image);
}

}  // namespace
