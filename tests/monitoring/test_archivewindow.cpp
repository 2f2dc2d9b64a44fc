// The archive file and the archive window's load and save, on a fresh library archive per test and
// files in a temporary folder.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSaveFile>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QXmlStreamReader>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "archivefile.h"
#include "archivewindow.h"
#include "isignalsarchive.h"
#include "parameters.h"
#include "privatecore.h"
#include "scriptedprompt.h"
#include "ui_archivewindow.h"

// Load results by name in failure messages.
void PrintTo(CArchiveFile::LoadResult result, std::ostream* out)
{
    static const char* const names[] = {"Missing", "Complete", "Partial", "Unreadable"};
    *out << names[static_cast<int>(result)];
}

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
    QByteArray Read() const { return ReadFile(Path()); }
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
    // "4 6": the user group ids, in the archive's order.
    static std::string GroupIds(ISignalsArchive& archive)
    {
        QStringList ids;
        for (const ARCHIVE_GROUP& group : archive.GetUserGroups())
            ids << QString::number(group.id);
        return ids.join(QLatin1Char(' ')).toStdString();
    }
    // "7/0 9/1": id and group of every entry, in the archive's order.
    static std::string EntryIds(ISignalsArchive& archive)
    {
        QStringList ids;
        for (const ARCHIVE_SIGNAL_ENTRY& entry : Entries(archive))
            ids << QStringLiteral("%1/%2").arg(entry.Index).arg(entry.GroupIndex);
        return ids.join(QLatin1Char(' ')).toStdString();
    }
    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Every name in the test folder, sorted, separated by blanks.
    std::string Files() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::Files | QDir::Hidden, QDir::Name)
            .join(QLatin1Char(' '))
            .toStdString();
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
        const char* groups;   // GroupIds after loading
        const char* entries;  // EntryIds after loading
        const char* refused;  // a text the report must hold, when not complete
    } cases[] = {
        {"declaration and comment first",
         "<?xml version=\"1.0\"?><!-- x --><SignalsArchive><UserGroups/><SignalEntries>"
         "<SignalEntry Index=\"1\" GroupIndex=\"0\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, "", "1/0", nullptr},
        {"ids out of order",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry Index=\"5\" GroupIndex=\"1\"/>"
         "<SignalEntry Index=\"3\" GroupIndex=\"2\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, "", "3/2 5/1", nullptr},
        {"missing attributes read as 0",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry "
         "Index=\"2\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, "", "2/0", nullptr},
        {"a duplicate id and a group of -1 are skipped, the rest loads",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry Index=\"1\" GroupIndex=\"0\"/>"
         "<SignalEntry Index=\"1\" GroupIndex=\"0\"/><SignalEntry Index=\"2\" GroupIndex=\"-1\"/>"
         "<SignalEntry Index=\"4\" GroupIndex=\"3\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Partial, "", "1/0 4/3", "non-unique id"},
        {"only the entries: no list is taken for the groups",
         "<SignalsArchive><SignalEntries><SignalEntry Index=\"7\" GroupIndex=\"1\"/>"
         "<SignalEntry Index=\"9\" GroupIndex=\"2\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, "", "7/1 9/2", nullptr},
        {"only the groups",
         "<SignalsArchive><UserGroups><UserGroup Index=\"4\" Name=\"A\"/><UserGroup Index=\"6\" "
         "Name=\"B\"/></UserGroups></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, "4 6", "", nullptr},
        {"an id that is not a number takes no other entry's place",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry Index=\"1\" GroupIndex=\"1\"/>"
         "<SignalEntry Index=\"x1\" GroupIndex=\"2\"/><SignalEntry Index=\"3\" GroupIndex=\"3\"/>"
         "</SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Partial, "", "1/1 3/3", "x1"},
        {"a group that is not a number moves no entry to New Signals",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry Index=\"1\" GroupIndex=\"two\"/>"
         "<SignalEntry Index=\"2\" GroupIndex=\"3\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Partial, "", "2/3", "two"},
        {"a user group id that is not a number",
         "<SignalsArchive><UserGroups><UserGroup Index=\"four\" Name=\"A\"/><UserGroup Index=\"5\" "
         "Name=\"B\"/></UserGroups><SignalEntries/></SignalsArchive>",
         CArchiveFile::LoadResult::Partial, "5", "", "four"},
        {"an id of -1 takes the next free id, not one of the file",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry Index=\"-1\" GroupIndex=\"1\"/>"
         "<SignalEntry Index=\"0\" GroupIndex=\"2\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, "", "0/2 1/1", nullptr},
        {"an entry of an unknown group",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry Index=\"1\" GroupIndex=\"17\"/>"
         "</SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, "", "1/17", nullptr},
        {"a second list of entries loses nothing",
         "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry Index=\"2\"/></SignalEntries>"
         "<SignalEntries><SignalEntry Index=\"1\"/></SignalEntries></SignalsArchive>",
         CArchiveFile::LoadResult::Complete, "", "1/0 2/0", nullptr},
        {"truncated", "<SignalsArchive><UserGroups><UserGroup Index=\"4\"",
         CArchiveFile::LoadResult::Unreadable, "", "", "line"},
        {"empty", "", CArchiveFile::LoadResult::Unreadable, "", "", "line"},
        {"another document", "<Parameters/>", CArchiveFile::LoadResult::Unreadable, "", "", "Parameters"},
        {"another document holding the archive's lists",
         "<Archive><UserGroups><UserGroup Index=\"4\" Name=\"A\"/></UserGroups><SignalEntries>"
         "<SignalEntry Index=\"1\"/></SignalEntries></Archive>",
         CArchiveFile::LoadResult::Unreadable, "", "", "Archive"},
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
        EXPECT_EQ(GroupIds(archive), c.groups);
        EXPECT_EQ(EntryIds(archive), c.entries);
        EXPECT_EQ(error.isEmpty(), c.result == CArchiveFile::LoadResult::Complete) << error.toStdString();
        if (c.refused)
        {
            EXPECT_TRUE(error.contains(QLatin1String(c.refused))) << error.toStdString();
        }
    }
}

TEST_F(ArchiveTest, ADeeplyNestedFileIsReadWithoutExhaustingTheStack)
{
    // Far deeper than a reader that recurses per level survives on the main thread's stack.
    const int depth = 200000;
    const QByteArray open = QByteArray("<a>").repeated(depth);
    const QByteArray close = QByteArray("</a>").repeated(depth);
    const QByteArray head = "<SignalsArchive><UserGroups><UserGroup Index=\"4\" Name=\"A\">";
    const QByteArray tail = "</UserGroup></UserGroups></SignalsArchive>";
    struct Case
    {
        const char* name;
        QByteArray text;
        CArchiveFile::LoadResult result;
        const char* groups;
    } cases[] = {
        {"closed", head + open + close + tail, CArchiveFile::LoadResult::Complete, "4"},
        {"never closed", head + open, CArchiveFile::LoadResult::Unreadable, ""},
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
        EXPECT_EQ(GroupIds(archive), c.groups);
    }
}

TEST_F(ArchiveTest, ARefusedEntryDoesNotKeepItsRecordingInUse)
{
    ISignalsArchive& archive = *m_core.Archive();
    AddPredefined(archive);
    archive.SetFolder(m_dir.path().toStdWString());
    const QString recording = m_dir.filePath(QStringLiteral("shared.rec"));
    {
        QFile file(recording);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("rec");
    }
    // The second entry repeats the first one's id and is refused.
    Write(
        "<SignalsArchive><UserGroups/><SignalEntries>"
        "<SignalEntry Index=\"1\" SignalRecordingFile=\"shared.rec\"/>"
        "<SignalEntry Index=\"1\" SignalRecordingFile=\"shared.rec\"/>"
        "<SignalEntry Index=\"2\" GroupIndex=\"-1\" SignalRecordingFile=\"shared.rec\"/>"
        "</SignalEntries></SignalsArchive>");
    QString error;
    ASSERT_EQ(CArchiveFile::Load(archive, Path(), &error), CArchiveFile::LoadResult::Partial);
    ASSERT_EQ(EntryIds(archive), "1/0");
    // The one entry that names the recording goes, and the recording with it.
    archive.DeleteSignal(1);
    EXPECT_FALSE(QFile::exists(recording));
}

TEST_F(ArchiveTest, SavesAreStableAndKeepTheFileTheyReplaced)
{
    // As an operator may leave it: attributes in any order, other spacing, a declaration.
    const QByteArray handEdited =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SignalsArchive>\n<UserGroups>"
        "<UserGroup Name=\"Radar &amp; links\" Index=\"4\"/></UserGroups>\n<SignalEntries>\n"
        "<SignalEntry Source=\"2\" Comment=\"line&#10;two\" FreqPeak=\"433920000.5\" Index=\"3\" "
        "GroupIndex=\"4\" Level=\"-71.25\" SignalRecordingFile=\"/tmp/a.rec\" Timestamp=\"-5\"/>\n"
        "<SignalEntry Index=\"8\" Excess=\"0.1\" SignalRecordingFile=\"/tmp/a.rec\" Channel=\"6\"/>\n"
        "</SignalEntries></SignalsArchive>";
    Write(handEdited);
    const QString backup = Path() + QStringLiteral(".bak");
    QByteArray saves[2];
    for (QByteArray& save : saves)
    {
        CPrivateCore core;
        ISignalsArchive& archive = *core.Archive();
        AddPredefined(archive);
        const QByteArray before = Read();
        QString error;
        ASSERT_EQ(CArchiveFile::Load(archive, Path(), &error), CArchiveFile::LoadResult::Complete)
            << error.toStdString();
        ASSERT_TRUE(CArchiveFile::Save(archive, Path(), &error)) << error.toStdString();
        save = Read();
        EXPECT_EQ(ReadFile(backup), before);
    }
    EXPECT_EQ(saves[1], saves[0]);
    EXPECT_EQ(Files(), "archive.xml archive.xml.bak");

    // The attributes stand in the order of the format, whatever the process's hash seed.
    QXmlStreamReader reader(saves[0]);
    while (!reader.atEnd() && !(reader.isStartElement() && reader.name() == QLatin1String("SignalEntry")))
        reader.readNext();
    ASSERT_FALSE(reader.hasError());
    ASSERT_TRUE(reader.isStartElement());
    QStringList names;
    for (const QXmlStreamAttribute& attribute : reader.attributes())
        names << attribute.name().toString();
    EXPECT_EQ(names.join(QLatin1Char(' ')).toStdString(),
              "Index GroupIndex Timestamp FreqBegin FreqEnd FreqPeak Level Excess Comment RangeImageFile "
              "DdcImageFile DemodImageFile SignalRecordingFile SoundRecordingFile Channel Source");
    EXPECT_TRUE(saves[0].startsWith("<SignalsArchive>\n <UserGroups>\n  <UserGroup Index=\"4\""));
}

TEST_F(ArchiveTest, TextThatXmlCannotHoldIsSavedReadably)
{
    ISignalsArchive& archive = *m_core.Archive();
    AddPredefined(archive);
    // A control character and a lone surrogate half, as a pasted comment may bring them.
    std::wstring comment = L"a";
    comment += wchar_t(0x01);
    comment += wchar_t(0xD800);
    comment += L"b";
    archive.AddUserGroup(4, std::wstring(L"g") + wchar_t(0x1F));
    ARCHIVE_SIGNAL_ENTRY entry;
    entry.Comment = comment;
    entry.DdcImageFile = L"tab\tline\nreturn\r";
    archive.AddSignal(entry);
    QString error;
    ASSERT_TRUE(CArchiveFile::Save(archive, Path(), &error)) << error.toStdString();

    CPrivateCore second;
    ISignalsArchive& loaded = *second.Archive();
    AddPredefined(loaded);
    ASSERT_EQ(CArchiveFile::Load(loaded, Path(), &error), CArchiveFile::LoadResult::Complete)
        << error.toStdString();
    const auto entries = Entries(loaded);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Comment, L"a\uFFFD\uFFFDb");
    EXPECT_EQ(entries[0].DdcImageFile, L"tab\tline\nreturn\r");
    ASSERT_EQ(loaded.GetUserGroups().size(), 1u);
    EXPECT_EQ(loaded.GetUserGroups()[0].name, L"g\uFFFD");
}

TEST_F(ArchiveTest, FirstStartHasThePredefinedGroupsAndSavesAnEmptyArchive)
{
    CArchiveWindow window(nullptr, m_core.Archive(), Path());
    EXPECT_EQ(window.GetSettingsName(), QStringLiteral("ArchiveWindow1"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Signals Archive"));
    QTreeWidget* groups = window.Form().m_pGroupsTree;
    ASSERT_EQ(groups->topLevelItemCount(), 3);
    EXPECT_EQ(groups->topLevelItem(0)->data(0, Qt::UserRole).toInt(), -1);
    EXPECT_EQ(groups->topLevelItem(1)->data(0, Qt::UserRole).toInt(), 0);
    EXPECT_EQ(groups->topLevelItem(1)->childCount(), 4);
    EXPECT_EQ(groups->topLevelItem(2)->data(0, Qt::UserRole).toInt(), 3);
    EXPECT_EQ(groups->topLevelItem(2)->childCount(), 0);
    EXPECT_EQ(groups->currentItem(), groups->topLevelItem(0));
    EXPECT_EQ(window.GetShownGroup(), -1);
    EXPECT_EQ(window.Form().m_pCountLabel->text(), QStringLiteral("0 signals"));
    ASSERT_EQ(window.Form().m_pContentTree->columnCount(), 13);
    for (int column = 0; column < 13; ++column)
    {
        EXPECT_EQ(window.Form().m_pContentTree->columnWidth(column), 120) << column;
        EXPECT_EQ(g_Parameters.GetInt("ArchiveWindow", QStringLiteral("Column%1").arg(column), 0), 120);
    }
    EXPECT_EQ(g_Parameters.GetInt("ArchiveWindow", "Group", 0), -1);
    EXPECT_FALSE(QFile::exists(Path()));
    EXPECT_TRUE(window.SaveArchive());
    const QByteArray text = Read();
    EXPECT_TRUE(text.contains("<UserGroups/>"));
    EXPECT_TRUE(text.contains("<SignalEntries/>"));

    // A width stored below the least shows the least; the others come back as stored.
    g_Parameters.SetInt("ArchiveWindow", "Column5", 30);
    g_Parameters.SetInt("ArchiveWindow", "Column6", 200);
    CPrivateCore second;
    CArchiveWindow next(nullptr, second.Archive(), Path());
    EXPECT_EQ(next.Form().m_pContentTree->columnWidth(5), 50);
    EXPECT_EQ(next.Form().m_pContentTree->columnWidth(6), 200);
}

TEST_F(ArchiveTest, ADamagedFileIsKeptAsideAndNotOverwrittenUntilAChange)
{
    struct Case
    {
        const char* name;
        QByteArray text;
        int userGroups;       // what loaded all the same
        const char* refused;  // what the message names
    } cases[] = {
        {"truncated", "<SignalsArchive><UserGroups><UserGroup Index=\"4\" Name=\"Radar\"/>", 0, "line 1"},
        {"empty", "", 0, "line 1"},
        {"another document",
         "<Archive><UserGroups><UserGroup Index=\"4\" Name=\"A\"/></UserGroups></Archive>", 0, "<Archive>"},
        {"an id that is not a number",
         "<SignalsArchive><UserGroups><UserGroup Index=\"4\" Name=\"A\"/></UserGroups><SignalEntries>"
         "<SignalEntry Index=\"x\"/></SignalEntries></SignalsArchive>",
         1, "entry \"x\""},
        {"a duplicate id",
         "<SignalsArchive><UserGroups><UserGroup Index=\"4\" Name=\"A\"/><UserGroup Index=\"4\" Name=\"B\"/>"
         "</UserGroups></SignalsArchive>",
         1, "group 4"},
    };
    // Every copy, checked again at the end: several are made within the same second.
    std::vector<std::pair<QString, QByteArray>> copies;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Write(c.text);
        {
            CPrivateCore core;
            CScriptedPrompt prompt;
            prompt.Answer(QMessageBox::Ok, QStringLiteral("Failed to load the archive!"));
            CArchiveWindow window(nullptr, core.Archive(), Path());
            ASSERT_FALSE(window.GetSetAsidePath().isEmpty());
            ASSERT_EQ(prompt.Asked().size(), 1u);
            EXPECT_TRUE(prompt.Asked()[0].text.contains(QLatin1String(c.refused)))
                << prompt.Asked()[0].text.toStdString();
            EXPECT_TRUE(prompt.Asked()[0].text.contains(
                QStringLiteral("The file was copied to %1.")
                    .arg(QDir::toNativeSeparators(window.GetSetAsidePath()))));
            EXPECT_EQ(ReadFile(window.GetSetAsidePath()), c.text);
            EXPECT_TRUE(window.IsSaveHeld());
            EXPECT_EQ(window.Form().m_pGroupsTree->topLevelItem(2)->childCount(), c.userGroups);
            copies.emplace_back(window.GetSetAsidePath(), c.text);
            // Showing the window, like the exit below, leaves the file as it was.
            window.setVisible(true);
            EXPECT_EQ(Read(), c.text);
        }
        EXPECT_EQ(Read(), c.text);
        EXPECT_FALSE(QFile::exists(Path() + QStringLiteral(".bak")));
    }
    for (const auto& copy : copies)
        EXPECT_EQ(ReadFile(copy.first), copy.second) << copy.first.toStdString();

    // A change the operator made is saved, and the damaged file stays beside it as the previous one.
    const QByteArray damaged = cases[0].text;
    Write(damaged);
    CPrivateCore core;
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("Failed to load the archive!"));
    CArchiveWindow window(nullptr, core.Archive(), Path());
    ARCHIVE_SIGNAL_ENTRY entry;
    core.Archive()->AddSignal(entry);
    EXPECT_TRUE(window.SaveArchive());
    EXPECT_FALSE(window.IsSaveHeld());
    EXPECT_TRUE(Read().contains("<SignalEntry"));
    EXPECT_EQ(ReadFile(Path() + QStringLiteral(".bak")), damaged);
    EXPECT_EQ(ReadFile(window.GetSetAsidePath()), damaged);
}

TEST_F(ArchiveTest, AFailedSaveIsReported)
{
    CArchiveWindow window(nullptr, m_core.Archive(), m_dir.filePath(QStringLiteral("missing/archive.xml")));
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("Failed to save the archive!"));
    EXPECT_FALSE(window.SaveArchive());
}

TEST_F(ArchiveTest, ASaveThatFailsLeavesTheArchiveAndItsPredecessorAsTheyWere)
{
    Write(
        "<SignalsArchive><UserGroups><UserGroup Index=\"4\" Name=\"A\"/></UserGroups><SignalEntries>"
        "<SignalEntry Index=\"1\" GroupIndex=\"4\"/></SignalEntries></SignalsArchive>");
    ISignalsArchive& archive = *m_core.Archive();
    CArchiveWindow window(nullptr, &archive, Path());
    ASSERT_TRUE(window.SaveArchive());
    const QByteArray saved = Read();
    const QByteArray previous = ReadFile(Path() + QStringLiteral(".bak"));
    ASSERT_FALSE(previous.isEmpty());

    // The write breaks off before the new file replaces the old one, as on a full disk.
    struct FailingWrites
    {
        FailingWrites()
        {
            CArchiveFile::s_pBeforeCommit = [](QSaveFile& file) { file.cancelWriting(); };
        }
        ~FailingWrites() { CArchiveFile::s_pBeforeCommit = nullptr; }
    } failing;
    ARCHIVE_SIGNAL_ENTRY entry;
    entry.Comment = L"not saved";
    archive.AddSignal(entry);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Failed to save the archive!"));
        EXPECT_FALSE(window.SaveArchive());
    }
    EXPECT_EQ(Read(), saved);
    EXPECT_EQ(ReadFile(Path() + QStringLiteral(".bak")), previous);
    // Nothing half-written is left behind.
    EXPECT_EQ(Files(), "archive.xml archive.xml.bak");
}

TEST_F(ArchiveTest, AnEntryOfAnUnknownGroupFromTheFileListsTheGroupId)
{
    Write(
        "<SignalsArchive><UserGroups/><SignalEntries><SignalEntry Index=\"3\" GroupIndex=\"17\" "
        "FreqPeak=\"1e8\"/></SignalEntries></SignalsArchive>");
    CArchiveWindow window(nullptr, m_core.Archive(), Path());
    EXPECT_FALSE(window.IsSaveHeld());
    window.setVisible(true);
    ASSERT_EQ(window.Form().m_pContentTree->topLevelItemCount(), 1);
    EXPECT_EQ(window.Form().m_pContentTree->topLevelItem(0)->data(0, Qt::UserRole).toInt(), 3);
    EXPECT_EQ(window.Form().m_pContentTree->topLevelItem(0)->text(1), QStringLiteral("#17"));
}

TEST_F(ArchiveTest, ListShowsTheEntriesOfTheShownGroup)
{
    ISignalsArchive& archive = *m_core.Archive();
    CArchiveWindow window(nullptr, &archive, Path());
    // Source 0 to 5 in turn, the peaks chosen so that their texts sort otherwise than their values, and
    // the widths (column 3) in yet another order.
    struct Row
    {
        int source;
        double peakHz;
        double widthHz;
        double level;
        double excess;
        const char* sourceText;
        const char* levelText;
        const char* excessText;
    } rows[] = {
        {0, 9.5e6, 3000.0, -1.0, -1.0, "Normal mode", "n/a", "n/a"},
        {1, 100e6, 25.0, -50.0, 6.5, "Analysis mode", "-50.0 dBm", "6.5 dBm"},
        {2, 1200e6, 200000.0, -1.0, 3.0, "Monitoring mode", "n/a", "3.0 dBm"},
        {3, 45e6, 1e6, -73.34, -1.0, "Pulse detect mode", "-73.3 dBm", "n/a"},
        {4, 433.92e6, 12.5, -20.0, 0.0, "Device memory mode", "-20.0 dBm", "0.0 dBm"},
        {5, 2e9, 50.0, 0.0, 0.0, "", "0.0 dBm", "0.0 dBm"},
    };
    for (const Row& row : rows)
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        entry.GroupIndex = 1;
        entry.Source = row.source;
        entry.FreqPeak = row.peakHz;
        entry.FreqBegin = row.peakHz - row.widthHz / 2;
        entry.FreqEnd = row.peakHz + row.widthHz / 2;
        entry.Level = row.level;
        entry.Excess = row.excess;
        archive.AddSignal(entry);
    }
    ARCHIVE_SIGNAL_ENTRY unknown;
    unknown.GroupIndex = 17;  // a group the archive does not know
    archive.AddSignal(unknown);
    window.setVisible(true);
    QTreeWidget* list = window.Form().m_pContentTree;
    ASSERT_EQ(list->topLevelItemCount(), 7);
    EXPECT_EQ(window.Form().m_pCountLabel->text(), QStringLiteral("7 signals"));
    EXPECT_EQ(list->topLevelItem(6)->text(1), QStringLiteral("#17"));
    for (int i = 0; i < 6; ++i)
    {
        SCOPED_TRACE(i);
        const QTreeWidgetItem* item = list->topLevelItem(i);
        EXPECT_EQ(item->data(0, Qt::UserRole).toInt(), i);
        EXPECT_EQ(item->text(1), QStringLiteral("Legal Signals"));
        EXPECT_EQ(item->text(4), QString::fromUtf8(rows[i].levelText));
        EXPECT_EQ(item->text(5), QString::fromUtf8(rows[i].excessText));
        EXPECT_EQ(item->text(12), QString::fromUtf8(rows[i].sourceText));
        for (int column : {2, 3, 4, 7, 8, 9, 10})
            EXPECT_EQ(item->textAlignment(column), int(Qt::AlignLeft)) << column;
    }

    // Sorted by value, not by text: the ids in the order of each column's numbers.
    auto order = [&](int column)
    {
        list->sortByColumn(column, Qt::AscendingOrder);
        QStringList ids;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            ids << list->topLevelItem(i)->data(0, Qt::UserRole).toString();
        return ids.join(QLatin1Char(' ')).toStdString();
    };
    EXPECT_EQ(order(2), "6 0 3 1 4 2 5");
    EXPECT_EQ(order(3), "6 4 1 5 0 2 3");
    EXPECT_EQ(order(0), "0 1 2 3 4 5 6");
}
}  // namespace
