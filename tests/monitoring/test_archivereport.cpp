// The archive window's web page: the list as shown, byte for byte, through the real window over a
// real library archive, written into a temporary folder.

#include <gtest/gtest.h>

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdlib>
#include <ctime>
#include <memory>

#include "archivewindow.h"
#include "htmlreport.h"
#include "isignalsarchive.h"
#include "parameters.h"
#include "privatecore.h"
#include "scriptedprompt.h"
#include "ui_archivewindow.h"

namespace
{
const QByteArray kHead =
    "<html>\r\n<head>\r\n<title>Signals Archive</title>\r\n</head>\r\n<h1>Signals Archive</h1>\r\n"
    "<table border=1 cellspacing=0>";
const QByteArray kHeader =
    "<TR><TD align=middle>Date</TD><TD align=middle>Group</TD><TD align=middle>Frequency</TD>"
    "<TD align=middle></TD><TD align=middle>Level</TD><TD align=middle>Excess</TD>"
    "<TD align=middle>Comment</TD><TD align=middle>Range Image</TD><TD align=middle>IF Image</TD>"
    "<TD align=middle>Demod Image</TD><TD align=middle>Signal Recording</TD>"
    "<TD align=middle>Sound Recording</TD><TD align=middle>Source</TD></TR>\r\n";
const QByteArray kTail = "</table></html>";

class ArchiveReportTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // The dates of the rows are local time.
        qputenv("TZ", "UTC");
        tzset();
    }
    void SetUp() override
    {
        m_archive = m_core.Archive();
        m_archive->SetFolder(m_dir.path().toStdWString());
        m_window = std::make_unique<CArchiveWindow>(nullptr, m_archive, m_dir.filePath("archive.xml"),
                                                    m_core.Recorder());
    }
    void Add(int group, double peakHz, const std::wstring& comment, int source)
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        entry.GroupIndex = group;
        entry.Timestamp = 1700000000 + source;
        entry.FreqPeak = peakHz;
        entry.Level = source == 0 ? -50.0 : -1.0;
        entry.Excess = -1.0;
        entry.Comment = comment;
        entry.Source = source;
        if (source == 2)
        {
            entry.RangeImageFile = L"a_rsd.img";
            entry.SoundRecordingFile = L"a.wav";
        }
        m_archive->AddSignal(entry);
    }
    void ShowGroup(int group)
    {
        QTreeWidget* tree = m_window->Form().m_pGroupsTree;
        QTreeWidgetItem* predefined = tree->topLevelItem(1);
        for (int i = 0; i < predefined->childCount(); ++i)
            if (predefined->child(i)->data(0, Qt::UserRole).toInt() == group)
                m_window->OnGroupsTreeClicked(predefined->child(i), 0);
    }
    QByteArray Save(const QString& path)
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(path, QStringLiteral("Save Archive As Web page"));
        m_window->OnSaveButton();
        EXPECT_EQ(prompt.Asked().at(0).text, QStringLiteral("Web pages (*.htm *.html)"));
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString Stored() const { return g_Parameters.GetString("FilePaths", "ArchiveSave", "none"); }

    QTemporaryDir m_dir;
    CPrivateCore m_core;
    ISignalsArchive* m_archive = nullptr;
    std::unique_ptr<CArchiveWindow> m_window;
};

TEST_F(ArchiveReportTest, ThePageHoldsTheRowsAsShownInTheirOrder)
{
    Add(1, 433.92e6, L"ping", 0);
    Add(2, 1e9, L"elsewhere", 1);
    Add(1, 100e6, L"", 2);
    m_window->setVisible(true);
    ShowGroup(1);
    m_window->Form().m_pContentTree->sortByColumn(2, Qt::AscendingOrder);
    const QString path = m_dir.filePath("page.html");
    const QByteArray page = Save(path);
    const QByteArray rows =
        "<TR><TD align=middle>14.11.2023 22:13:22</TD><TD align=middle>Legal Signals</TD>"
        "<TD align=middle>100.00 MHz</TD><TD align=middle></TD><TD align=middle>n/a</TD>"
        "<TD align=middle>n/a</TD><TD align=middle></TD><TD align=middle>Yes</TD><TD align=middle></TD>"
        "<TD align=middle></TD><TD align=middle></TD><TD align=middle>Yes</TD>"
        "<TD align=middle>Monitoring mode</TD></TR>\r\n"
        "<TR><TD align=middle>14.11.2023 22:13:20</TD><TD align=middle>Legal Signals</TD>"
        "<TD align=middle>433.92 MHz</TD><TD align=middle></TD><TD align=middle>-50.0 dBm</TD>"
        "<TD align=middle>n/a</TD><TD align=middle>ping</TD><TD align=middle></TD><TD align=middle></TD>"
        "<TD align=middle></TD><TD align=middle></TD><TD align=middle></TD>"
        "<TD align=middle>Normal mode</TD></TR>\r\n";
    EXPECT_EQ(page.toStdString(), (kHead + kHeader + rows + kTail).toStdString());
    EXPECT_EQ(Stored(), m_dir.path());

    // An empty list: the header row alone.
    ShowGroup(3);
    EXPECT_EQ(Save(m_dir.filePath("empty.htm")), kHead + kHeader + kTail);
}

TEST_F(ArchiveReportTest, MarkupAndTextBeyondAsciiAreEscaped)
{
    Add(0, 1e6, L"a<&>b \u041F\u0443\u0441\u043A \u00E9", 5);
    m_window->setVisible(true);
    const QByteArray page = Save(m_dir.filePath("page.html"));
    EXPECT_TRUE(page.contains("<TD align=middle>a&lt;&amp;&gt;b &#1055;&#1091;&#1089;&#1082; &#233;</TD>"))
        << page.toStdString();
    for (const char c : page)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80u);

    // Titles go the same way, and a first cell may carry a colour.
    CHtmlReport report(QString::fromUtf8("Архив <1>"));
    report.AddRow({"x", "y"}, "#ff0000");
    EXPECT_EQ(
        report.ToBytes(),
        "<html>\r\n<head>\r\n<title>&#1040;&#1088;&#1093;&#1080;&#1074; &lt;1&gt;</title>\r\n</head>\r\n"
        "<h1>&#1040;&#1088;&#1093;&#1080;&#1074; &lt;1&gt;</h1>\r\n<table border=1 cellspacing=0>"
        "<TR><TD align=middle bgcolor=#ff0000>x</TD><TD align=middle>y</TD></TR>\r\n</table></html>");
}

TEST_F(ArchiveReportTest, CancelAndFailuresStoreNoFolder)
{
    Add(0, 1e6, L"", 0);
    m_window->setVisible(true);
    g_Parameters.SetString("FilePaths", "ArchiveSave", m_dir.filePath("before"));
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString());
        m_window->OnSaveButton();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].initial, m_dir.filePath("before"));
    }
    EXPECT_EQ(Stored(), m_dir.filePath("before"));

    // A folder that does not exist, and a write that breaks off as on a full disk.
    struct FailingWrites
    {
        FailingWrites()
        {
            CHtmlReport::s_pBeforeCommit = [](QSaveFile& file) { file.cancelWriting(); };
        }
        ~FailingWrites() { CHtmlReport::s_pBeforeCommit = nullptr; }
    };
    for (const bool failWrite : {false, true})
    {
        SCOPED_TRACE(failWrite);
        const QString path = failWrite ? m_dir.filePath("full.html") : m_dir.filePath("missing/page.html");
        std::unique_ptr<FailingWrites> failing(failWrite ? new FailingWrites : nullptr);
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(path).Answer(QMessageBox::Ok, QStringLiteral("Error saving the archive! "));
        m_window->OnSaveButton();
        EXPECT_EQ(prompt.Asked().back().icon, QMessageBox::Warning);
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_EQ(Stored(), m_dir.filePath("before"));
    }
}
}  // namespace
