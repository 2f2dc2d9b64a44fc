// The archive file and the archive window's load and save, on a fresh library archive per test and
// files in a temporary folder.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <vector>

#include "archivefile.h"
#include "archivewindow.h"
#include "isignalsarchive.h"
#include "privatecore.h"
#include "scriptedprompt.h"

namespace
{
class ArchiveTest : public ::testing::Test
{
protected:
    QString Path() const { return m_dir.filePath(QStringLiteral("archive.xml")); }

    void Write(const QByteArray& text)
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    QByteArray Read() const
    {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The predefined groups, as the window adds them before loading.
    static void AddPredefined(ISignalsArchive& archive)
    {
        for (int id = 0; id < 4; ++id)
            archive.AddPredefinedGroup(id, L"group");
    }
    static std::vector<ARCHIVE_SIGNAL_ENTRY> Entries(ISignalsArchive& archive)
    {
        std::vector<ARCHIVE_SIGNAL_ENTRY> out;
        archive.GetSignalsOfGroup(out, -1);
        return out;
    }

    QTemporaryDir m_dir;
    CPrivateCore m_core;
};

TEST_F(ArchiveTest, RoundTripKeepsEveryValueExactly)
{
    ISignalsArchive& archive = *m_core.Archive();
    AddPredefined(archive);
    archive.AddUserGroup(4, L"Radar");
    archive.AddUserGroup(6, L"Links <&>");
    ARCHIVE_SIGNAL_ENTRY entry;
    entry.GroupIndex = 6;
    entry.Timestamp = 1700000000;
    entry.FreqBegin = 2412345678.0;
    entry.FreqEnd = 2412345679.5;
    entry.FreqPeak = 2412345678.25;
    entry.Level = -73.123456789;
    entry.Excess = -1.0;
    entry.Comment = L"Пример \"<&>\"";
    entry.SoundRecordingFile = L"/tmp/s.wav";
    entry.Channel = 3;
    entry.Source = 4;
    entry.SignalRecordingNo = archive.AddRecording(L"/tmp/shared.rec");
    archive.AddSignal(entry);
    entry.SignalRecordingNo = archive.AddRecording(L"/tmp/shared.rec");
    entry.GroupIndex = 0;
    archive.AddSignal(entry);
    QString error;
    ASSERT_TRUE(CArchiveFile::Save(archive, Path(), &error)) << error.toStdString();

    CPrivateCore second;
    ISignalsArchive& loaded = *second.Archive();
    AddPredefined(loaded);
    ASSERT_EQ(CArchiveFile::Load(loaded, Path(), &error), CArchiveFile::LoadResult::Complete);
    ASSERT_EQ(loaded.GetUserGroups().size(), 2u);
    EXPECT_EQ(loaded.GetUserGroups()[1].id, 6);
    EXPECT_EQ(loaded.GetUserGroups()[1].name, L"Links <&>");
    const auto entries = Entries(loaded);
    ASSERT_EQ(entries.size(), 2u);
    const ARCHIVE_SIGNAL_ENTRY& e = entries[0];
    EXPECT_EQ(e.GroupIndex, 6);
    EXPECT_EQ(e.Timestamp, 1700000000);
    EXPECT_EQ(e.FreqBegin, 2412345678.0);
    EXPECT_EQ(e.FreqEnd, 2412345679.5);
    EXPECT_EQ(e.FreqPeak, 2412345678.25);
    EXPECT_EQ(e.Level, -73.123456789);
    EXPECT_EQ(e.Excess, -1.0);
    EXPECT_EQ(e.Comment, L"Пример \"<&>\"");
    EXPECT_EQ(e.SoundRecordingFile, L"/tmp/s.wav");
    EXPECT_EQ(e.Channel, 3);
    EXPECT_EQ(e.Source, 4);
    // Both entries name one recording.
    EXPECT_NE(e.SignalRecordingNo, -1);
    EXPECT_EQ(entries[1].SignalRecordingNo, e.SignalRecordingNo);
    EXPECT_EQ(loaded.FindRecordingNo(e.SignalRecordingNo), L"/tmp/shared.rec");
}

TEST_F(ArchiveTest, HandEditedFilesLoadWhatTheyCan)
{
    struct Case
    {
        const char* name;
        const char* text;
        CArchiveFile::LoadResult result;
        size_t entries;
    } cases[] = {
        {"declaration and comment first",
         "<?xml version=\"1.0\"?><!-- x --><SignalsArchive><UserGroups/><SignalEntries>"
         "<SignalEntry Index=\"1\" GroupIndex=\"0\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, 1},
        {"ids out of order",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry Index=\"5\" GroupIndex=\"1\"/>"
         "<SignalEntry Index=\"3\" GroupIndex=\"2\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, 2},
        {"missing attributes",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry "
         "Index=\"2\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, 1},
        {"a duplicate id and a group of -1 are skipped, the rest loads",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry Index=\"1\" GroupIndex=\"0\"/>"
         "<SignalEntry Index=\"1\" GroupIndex=\"0\"/><SignalEntry Index=\"2\" GroupIndex=\"-1\"/>"
         "<SignalEntry Index=\"4\" GroupIndex=\"3\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Partial, 2},
        {"truncated", "<SignalsArchive><UserGroups><UserGroup Index=\"4\"",
         CArchiveFile::LoadResult::Unreadable, 0},
        {"another document", "<Parameters/>", CArchiveFile::LoadResult::Unreadable, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CPrivateCore core;
        ISignalsArchive& archive = *core.Archive();
        AddPredefined(archive);
        Write(c.text);
        QString error;
        EXPECT_EQ(CArchiveFile::Load(archive, Path(), &error), c.result);
        EXPECT_EQ(Entries(archive).size(), c.entries);
        EXPECT_EQ(error.isEmpty(), c.result == CArchiveFile::LoadResult::Complete);
    }
}

TEST_F(ArchiveTest, FirstStartHasThePredefinedGroupsAndSavesAnEmptyArchive)
{
    CArchiveWindow window(nullptr, m_core.Archive(), Path());
    EXPECT_EQ(window.GetSettingsName(), QStringLiteral("ArchiveWindow1"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Signals Archive"));
    ASSERT_EQ(window.m_pGroupsTree->topLevelItemCount(), 3);
    EXPECT_EQ(window.m_pGroupsTree->topLevelItem(0)->data(0, Qt::UserRole).toInt(), -1);
    EXPECT_EQ(window.m_pGroupsTree->topLevelItem(1)->childCount(), 4);
    EXPECT_EQ(window.m_pGroupsTree->topLevelItem(2)->data(0, Qt::UserRole).toInt(), 3);
    EXPECT_FALSE(QFile::exists(Path()));
    EXPECT_TRUE(window.SaveArchive());
    const QByteArray text = Read();
    EXPECT_TRUE(text.contains("<UserGroups/>"));
    EXPECT_TRUE(text.contains("<SignalEntries/>"));
}

TEST_F(ArchiveTest, ADamagedFileIsKeptAsideAndNotOverwrittenUntilAChange)
{
    const QByteArray damaged = "<SignalsArchive><UserGroups><UserGroup Index=\"4\" Name=\"Radar\"/>";
    Write(damaged);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Failed to load the archive!"));
        CArchiveWindow window(nullptr, m_core.Archive(), Path());
        ASSERT_FALSE(window.GetSetAsidePath().isEmpty());
        QFile aside(window.GetSetAsidePath());
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), damaged);
        EXPECT_TRUE(window.IsSaveHeld());
        // Showing the window, like the exit below, leaves the file as it was.
        window.setVisible(true);
        EXPECT_EQ(Read(), damaged);
    }
    EXPECT_EQ(Read(), damaged);

    // A change the operator made is saved.
    CPrivateCore core;
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("Failed to load the archive!"));
    CArchiveWindow window(nullptr, core.Archive(), Path());
    ARCHIVE_SIGNAL_ENTRY entry;
    core.Archive()->AddSignal(entry);
    EXPECT_TRUE(window.SaveArchive());
    EXPECT_FALSE(window.IsSaveHeld());
    EXPECT_TRUE(Read().contains("<SignalEntry"));
}

TEST_F(ArchiveTest, AFailedSaveIsReported)
{
    CArchiveWindow window(nullptr, m_core.Archive(), m_dir.filePath(QStringLiteral("missing/archive.xml")));
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("Failed to save the archive!"));
    EXPECT_FALSE(window.SaveArchive());
}

TEST_F(ArchiveTest, ListShowsTheEntriesOfTheShownGroup)
{
    ISignalsArchive& archive = *m_core.Archive();
    CArchiveWindow window(nullptr, &archive, Path());
    ARCHIVE_SIGNAL_ENTRY entry;
    entry.GroupIndex = 1;
    entry.Level = -1.0;
    entry.FreqPeak = 433920000.0;
    archive.AddSignal(entry);
    entry.GroupIndex = 17;  // a group the archive does not know
    entry.Level = -50.0;
    archive.AddSignal(entry);
    window.setVisible(true);
    ASSERT_EQ(window.m_pContentTree->topLevelItemCount(), 2);
    EXPECT_EQ(window.m_pCountLabel->text(), QStringLiteral("2 signals"));
    EXPECT_EQ(window.m_pContentTree->topLevelItem(0)->text(4), QStringLiteral("n/a"));
    EXPECT_EQ(window.m_pContentTree->topLevelItem(1)->text(1), QStringLiteral("#17"));
}
}  // namespace
