// The archive window's operations on a real library archive with real files in a temporary folder:
// its settings across a restart, what the operator does to groups and entries, the files that
// deletions take (and those they must leave), the menus, the recordings, the failures the library
// reports, and the web-page report of the list.

#include <gtest/gtest.h>

#include <QAction>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "archivewindow.h"
#include "htmlreport.h"
#include "isignalrecorder.h"
#include "isignalsarchive.h"
#include "parameters.h"
#include "privatecore.h"
#include "scriptedprompt.h"
#include "signalrecorderwindow.h"
#include "ui_archivewindow.h"

namespace
{
const char* const kNoEntry = "CSignalsArchive::FindSignalNo: no such signal entry";

class ArchiveWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_archive = m_core.Archive();
        m_archive->SetFolder(m_dir.path().toStdWString());
        m_window =
            std::make_unique<CArchiveWindow>(nullptr, m_archive, File("archive.xml"), m_core.Recorder());
    }

    QString File(const QString& name) const { return m_dir.filePath(name); }
    // A new window over the same library archive, as after a restart whose file loads nothing more:
    // the tree then lists the groups added to the library directly.
    void Rebuild()
    {
        m_window.reset();
        QFile::remove(File("archive.xml"));
        QFile::remove(File("archive.xml.bak"));
        m_window =
            std::make_unique<CArchiveWindow>(nullptr, m_archive, File("archive.xml"), m_core.Recorder());
        m_window->setVisible(true);
        Show(-1);
    }
    // The pane sizes a splitter state holds.
    static QList<int> SplitterSizes(const QByteArray& state)
    {
        QDataStream stream(state);
        qint32 marker = 0;
        qint32 version = 0;
        QList<int> sizes;
        stream >> marker >> version >> sizes;
        return sizes;
    }
    QString MakeFile(const QString& name)
    {
        QFile file(File(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("data");
        return file.fileName();
    }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    int Add(int group, const QString& comment = QString(), double peakHz = 100e6)
    {
        ARCHIVE_SIGNAL_ENTRY entry;
        entry.GroupIndex = group;
        entry.Comment = comment.toStdWString();
        entry.FreqPeak = peakHz;
        entry.FreqBegin = peakHz - 1000.0;
        entry.FreqEnd = peakHz + 1000.0;
        entry.Level = -1.0;
        entry.Excess = -1.0;
        entry.Channel = 3;
        entry.Timestamp = 1700000000;
        return m_archive->AddSignal(entry);
    }

    QTreeWidget* List() const { return m_window->Form().m_pContentTree; }
    QTreeWidget* Groups() const { return m_window->Form().m_pGroupsTree; }
    QString Count() const { return m_window->Form().m_pCountLabel->text(); }
    // The group item of that id under either folder.
    QTreeWidgetItem* GroupItem(int id) const
    {
        for (int top = 1; top < 3; ++top)
            for (int i = 0; i < Groups()->topLevelItem(top)->childCount(); ++i)
                if (Groups()->topLevelItem(top)->child(i)->data(0, Qt::UserRole).toInt() == id)
                    return Groups()->topLevelItem(top)->child(i);
        return nullptr;
    }
    // Chooses the group as a click does (-1: "All Signals").
    void Show(int group)
    {
        QTreeWidgetItem* item = group == -1 ? Groups()->topLevelItem(0) : GroupItem(group);
        ASSERT_NE(item, nullptr) << group;
        Groups()->setCurrentItem(item);
        m_window->OnGroupsTreeClicked(item, 0);
    }
    // Selects the rows of these entry ids; the first becomes the current row.
    void Select(std::initializer_list<int> ids)
    {
        List()->clearSelection();
        bool first = true;
        for (int id : ids)
        {
            QTreeWidgetItem* row = Row(id);
            ASSERT_NE(row, nullptr) << id;
            if (first)
                List()->setCurrentItem(row);
            row->setSelected(true);
            first = false;
        }
    }
    QTreeWidgetItem* Row(int id) const
    {
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            if (List()->topLevelItem(i)->data(0, Qt::UserRole).toInt() == id)
                return List()->topLevelItem(i);
        return nullptr;
    }
    // "0 2 5": the entry ids of the rows, in display order.
    std::string Ids() const
    {
        QStringList ids;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            ids << List()->topLevelItem(i)->data(0, Qt::UserRole).toString();
        return ids.join(QLatin1Char(' ')).toStdString();
    }
    // "a|b|-|c": a menu's entries, separators as "-", a submenu's entries in brackets after its title.
    static std::string Entries(const QMenu* menu)
    {
        QStringList texts;
        for (const QAction* action : menu->actions())
        {
            if (action->isSeparator())
                texts << QStringLiteral("-");
            else if (action->menu())
                texts << action->text() + QLatin1Char('[') + QString::fromStdString(Entries(action->menu())) +
                             QLatin1Char(']');
            else
                texts << action->text();
        }
        return texts.join(QLatin1Char('|')).toStdString();
    }
    static QAction* Find(const QMenu* menu, const QString& text)
    {
        for (QAction* action : menu->actions())
        {
            if (action->text() == text)
                return action;
            if (action->menu())
                if (QAction* inner = Find(action->menu(), text))
                    return inner;
        }
        return nullptr;
    }

    QTemporaryDir m_dir;
    CPrivateCore m_core;
    ISignalsArchive* m_archive = nullptr;
    std::unique_ptr<CArchiveWindow> m_window;
};

TEST_F(ArchiveWindowTest, TheShownGroupAndTheSplitterComeBackAfterARestart)
{
    Add(2);
    m_window->setVisible(true);
    Show(2);
    m_window->Form().m_pSplitter->setSizes({150, 550});
    m_window.reset();
    EXPECT_EQ(g_Parameters.GetInt("ArchiveWindow", "Group", -5), 2);
    const QByteArray stored =
        QByteArray::fromHex(g_Parameters.GetString("ArchiveWindow", "SplitterState", QString()).toLatin1());
    EXPECT_EQ(SplitterSizes(stored), (QList<int>{150, 550}));

    CPrivateCore second;
    CArchiveWindow next(nullptr, second.Archive(), File("archive.xml"), second.Recorder());
    ASSERT_NE(next.Form().m_pGroupsTree->currentItem(), nullptr);
    EXPECT_EQ(next.Form().m_pGroupsTree->currentItem()->text(0), QStringLiteral("Dangerous Signals"));
    EXPECT_EQ(next.GetShownGroup(), 2);
    EXPECT_EQ(next.Form().m_pContentTree->topLevelItemCount(), 1);
    EXPECT_EQ(SplitterSizes(next.Form().m_pSplitter->saveState()), (QList<int>{150, 550}));

    // A state that is no splitter's gives the panes a third and two thirds of the window.
    g_Parameters.SetString("ArchiveWindow", "SplitterState", "zz");
    CPrivateCore third;
    CArchiveWindow fallback(nullptr, third.Archive(), File("none.xml"), third.Recorder());
    EXPECT_EQ(fallback.width(), 743);
    EXPECT_EQ(SplitterSizes(fallback.Form().m_pSplitter->saveState()), (QList<int>{247, 495}));
}

TEST_F(ArchiveWindowTest, EntryRequestsReachTheMainWindowInOrder)
{
    const QString recording = MakeFile("r.rec");
    ARCHIVE_SIGNAL_ENTRY images;
    images.GroupIndex = 0;
    images.Channel = 5;
    images.FreqPeak = 433.92e6;
    images.Timestamp = 1700000000;
    images.DdcImageFile = MakeFile("1_dsd.img").toStdWString();
    images.DemodImageFile = MakeFile("1_msd.img").toStdWString();
    images.SignalRecordingNo = m_archive->AddRecording(recording.toStdWString());
    const int withImages = m_archive->AddSignal(images);
    const int plain = Add(0);
    m_window->setVisible(true);

    std::vector<std::string> events;
    QObject::connect(
        m_window.get(), &CArchiveWindow::changeChannel,
        [&](int channel, double freq, bool force)
        {
            events.push_back(
                QStringLiteral("channel %1 %2 %3").arg(channel).arg(freq).arg(int(force)).toStdString());
        });
    QObject::connect(m_window.get(), &CArchiveWindow::loadImage,
                     [&](const QString& path)
                     { events.push_back("image " + QFileInfo(path).fileName().toStdString()); });
    QObject::connect(m_window.get(), &CArchiveWindow::gotoTime,
                     [&](int channel, time_t time, double freq, const QString& path)
                     {
                         events.push_back(QStringLiteral("time %1 %2 %3 %4")
                                              .arg(channel)
                                              .arg(qint64(time))
                                              .arg(freq, 0, 'f', 0)
                                              .arg(QFileInfo(path).fileName())
                                              .toStdString());
                     });

    Select({withImages});
    m_window->OnViewImageButton();
    m_window->OnGotoFreqButton();
    m_window->OnGotoTimeButton();
    EXPECT_EQ(events, (std::vector<std::string>{"channel 5 0 0", "image 1_dsd.img", "channel 5 433.92 0",
                                                "time 5 1700000000 433920000 r.rec"}));

    // An entry without images or recording: the channel only, and no time to go to.
    events.clear();
    Select({plain});
    m_window->OnViewImageButton();
    m_window->OnGotoTimeButton();
    EXPECT_EQ(events, (std::vector<std::string>{"channel 3 0 0"}));

    // Changing the current row closes what the views loaded.
    QSignalSpy closes(m_window.get(), &CArchiveWindow::closeImages);
    Select({withImages});
    EXPECT_EQ(closes.count(), 1);
}

TEST_F(ArchiveWindowTest, CommentsAndGroupsAsTheOperatorEditsThem)
{
    const int a = Add(1, "a");
    const int b = Add(1, "b");
    const int c = Add(1, "c");
    m_window->setVisible(true);
    Select({a, c});
    {
        CScriptedPrompt prompt;
        prompt.CancelText(QStringLiteral("Set comment"));
        m_window->OnSetCommentButton();
    }
    EXPECT_EQ(m_archive->GetSignal(a).Comment, L"a");
    EXPECT_EQ(Row(a)->text(6), QStringLiteral("a"));
    {
        CScriptedPrompt prompt;
        prompt.AnswerText(QString(), QStringLiteral("Set comment"));
        m_window->OnSetCommentButton();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].initial, QString());
    }
    for (int id : {a, c})
    {
        EXPECT_EQ(m_archive->GetSignal(id).Comment, L"") << id;
        EXPECT_EQ(Row(id)->text(6), QString()) << id;
    }
    EXPECT_EQ(m_archive->GetSignal(b).Comment, L"b");
    EXPECT_FALSE(Read(File("archive.xml")).contains("Comment=\"a\""));

    QSignalSpy changes(m_window.get(), &CArchiveWindow::groupsChanged);
    {
        CScriptedPrompt prompt;
        prompt.AnswerText(QString(), QStringLiteral("New group name:"));
        m_window->OnAddGroupButton();
    }
    EXPECT_TRUE(m_archive->GetUserGroups().empty());
    EXPECT_EQ(changes.count(), 0);
    {
        CScriptedPrompt prompt;
        prompt.AnswerText(QStringLiteral("Radar"), QStringLiteral("New group name:"));
        m_window->OnAddGroupButton();
    }
    ASSERT_EQ(m_archive->GetUserGroups().size(), 1u);
    const int radar = m_archive->GetUserGroups()[0].id;
    EXPECT_EQ(radar, 4);
    ASSERT_NE(GroupItem(radar), nullptr);
    EXPECT_EQ(GroupItem(radar)->parent(), Groups()->topLevelItem(2));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(Read(File("archive.xml")).contains("Name=\"Radar\""));

    Groups()->setCurrentItem(GroupItem(radar));
    {
        CScriptedPrompt prompt;
        prompt.AnswerText(QStringLiteral("Links"), QStringLiteral("New group name:"));
        m_window->OnRenameGroupButton();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].initial, QStringLiteral("Radar"));
    }
    EXPECT_EQ(m_archive->GetGroup(radar).name, L"Links");
    EXPECT_EQ(GroupItem(radar)->text(0), QStringLiteral("Links"));
    EXPECT_EQ(changes.count(), 2);
    EXPECT_TRUE(Read(File("archive.xml")).contains("Name=\"Links\""));

    // "No" keeps the group.
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::No, QStringLiteral("Are you sure you want to delete 'Links'?"));
        m_window->OnDeleteGroupButton();
    }
    EXPECT_EQ(m_archive->GetUserGroups().size(), 1u);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, QStringLiteral("Are you sure you want to delete 'Links'?"));
        m_window->OnDeleteGroupButton();
    }
    EXPECT_TRUE(m_archive->GetUserGroups().empty());
    EXPECT_EQ(GroupItem(radar), nullptr);
    EXPECT_EQ(changes.count(), 3);
    EXPECT_FALSE(Read(File("archive.xml")).contains("Links"));

    // The predefined groups and the folders are neither renamed nor deleted.
    for (QTreeWidgetItem* item : {GroupItem(3), Groups()->topLevelItem(2), Groups()->topLevelItem(0)})
    {
        Groups()->setCurrentItem(item);
        CScriptedPrompt prompt;  // nothing is asked
        m_window->OnRenameGroupButton();
        m_window->OnDeleteGroupButton();
    }
    EXPECT_EQ(m_archive->GetPredefinedGroups().size(), 4u);
}

TEST_F(ArchiveWindowTest, DeletionsTakeTheirFilesAndLeaveEveryOtherFile)
{
    // Files named like entry ids and recording numbers, in the archive folder, which is also the
    // working folder here: a delete that takes a number for a path would hit them.
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const QStringList decoys = {MakeFile("0"), MakeFile("1"), MakeFile("2"), MakeFile("3"), MakeFile("-1")};

    const QString shared = MakeFile("shared.rec");
    ARCHIVE_SIGNAL_ENTRY entry;
    entry.GroupIndex = 1;
    entry.SignalRecordingNo = m_archive->AddRecording(shared.toStdWString());
    const int first = m_archive->AddSignal(entry);
    entry.SignalRecordingNo = m_archive->AddRecording(shared.toStdWString());
    const int second = m_archive->AddSignal(entry);
    const int group = m_archive->AddUserGroup(-1, L"Radar");
    ARCHIVE_SIGNAL_ENTRY filed;
    filed.GroupIndex = group;
    filed.RangeImageFile = MakeFile("20240131235959123_rsd.img").toStdWString();
    filed.SoundRecordingFile = MakeFile("sound.wav").toStdWString();
    const int third = m_archive->AddSignal(filed);
    Rebuild();
    ASSERT_EQ(Ids(), "0 1 2");

    Select({first});
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, QStringLiteral("Are you sure you want to delete selected entries?"));
        m_window->OnDeleteButton();
    }
    EXPECT_TRUE(QFile::exists(shared));
    EXPECT_EQ(Ids(), "1 2");
    EXPECT_EQ(Count(), QStringLiteral("2 signals"));
    Select({second});
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes);
        m_window->OnDeleteButton();
    }
    EXPECT_FALSE(QFile::exists(shared));
    EXPECT_EQ(Count(), QStringLiteral("1 signals"));

    // The group goes with its entry's files; the list showed it and now shows every entry left.
    Show(group);
    ASSERT_EQ(Ids(), std::to_string(third));
    Groups()->setCurrentItem(GroupItem(group));
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, QStringLiteral("Radar"));
        m_window->OnDeleteGroupButton();
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdWString(filed.RangeImageFile)));
    EXPECT_FALSE(QFile::exists(QString::fromStdWString(filed.SoundRecordingFile)));
    EXPECT_EQ(Groups()->currentItem(), Groups()->topLevelItem(0));
    EXPECT_EQ(m_window->GetShownGroup(), -1);
    EXPECT_EQ(Ids(), "");
    EXPECT_EQ(Count(), QStringLiteral("0 signals"));
    // No stale row is left to offer a menu on.
    EXPECT_EQ(m_window->CreateContentMenu(), nullptr);

    for (const QString& decoy : decoys)
        EXPECT_TRUE(QFile::exists(decoy)) << decoy.toStdString();
    QDir::setCurrent(working);
}

TEST_F(ArchiveWindowTest, DeleteAllEmptiesTheShownGroupOnly)
{
    Add(1);
    Add(2);
    Add(1);
    m_window->setVisible(true);
    Show(1);
    Select({0});
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::No, QStringLiteral("Are you sure you want to delete all shown entries?"));
        m_window->OnDeleteAllButton();
    }
    EXPECT_EQ(Ids(), "0 2");
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Yes, QStringLiteral("Are you sure you want to delete all shown entries?"));
        m_window->OnDeleteAllButton();
    }
    EXPECT_EQ(Ids(), "");
    EXPECT_EQ(Count(), QStringLiteral("0 signals"));
    std::vector<ARCHIVE_SIGNAL_ENTRY> left;
    m_archive->GetSignalsOfGroup(left, -1);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].GroupIndex, 2);
}

TEST_F(ArchiveWindowTest, MenusOfferWhatTheEntryAndTheSelectionAllow)
{
    m_archive->AddUserGroup(-1, L"Radar");
    ARCHIVE_SIGNAL_ENTRY full;
    full.GroupIndex = 1;
    full.SignalRecordingNo = m_archive->AddRecording(MakeFile("s.rec").toStdWString());
    full.SoundRecordingFile = L"sound.wav";
    full.DemodImageFile = L"x_msd.img";
    const int rich = m_archive->AddSignal(full);
    const int bare = Add(1);
    const int other = Add(2);
    Rebuild();

    // Groups: the folders and predefined groups offer no rename or delete.
    const std::string plain = "Add Group...|-|Collapse All|Expand All";
    const std::string user = "Add Group...|Rename Group...|Delete Group...|-|Collapse All|Expand All";
    struct GroupCase
    {
        QTreeWidgetItem* item;
        std::string entries;
    } groupCases[] = {{Groups()->topLevelItem(0), plain},
                      {Groups()->topLevelItem(2), plain},
                      {GroupItem(3), plain},
                      {GroupItem(4), user}};
    for (const GroupCase& c : groupCases)
    {
        Groups()->setCurrentItem(c.item);
        std::unique_ptr<QMenu> menu(m_window->CreateGroupsMenu());
        ASSERT_TRUE(menu);
        EXPECT_EQ(Entries(menu.get()), c.entries) << c.item->text(0).toStdString();
    }

    Show(-1);
    const std::string move =
        "Move To Group[New Signals|Legal Signals|Dangerous Signals|Suspicious Signals|-|Radar]";
    struct ListCase
    {
        const char* name;
        std::initializer_list<int> rows;
        std::string entries;
    } listCases[] = {
        {"an entry with everything",
         {rich},
         "Go To This Frequency...|View Signal Recording...|Play Sound Recording...|View Image...|Set "
         "Comment...|Delete...|Delete All...|-|" +
             move},
        {"an entry with nothing",
         {bare},
         "Go To This Frequency...|Set Comment...|Delete...|Delete All...|-|" + move},
        {"several", {rich, bare}, "Set Comment...|Delete...|Delete All...|-|" + move},
    };
    for (const ListCase& c : listCases)
    {
        SCOPED_TRACE(c.name);
        Select(c.rows);
        std::unique_ptr<QMenu> menu(m_window->CreateContentMenu());
        ASSERT_TRUE(menu);
        EXPECT_EQ(Entries(menu.get()), c.entries);
    }

    // In "All Signals" a moved row stays, with its new group.
    Select({bare});
    std::unique_ptr<QMenu> menu(m_window->CreateContentMenu());
    Find(menu.get(), QStringLiteral("Radar"))->trigger();
    EXPECT_EQ(m_archive->GetSignal(bare).GroupIndex, 4);
    ASSERT_NE(Row(bare), nullptr);
    EXPECT_EQ(Row(bare)->text(1), QStringLiteral("Radar"));
    EXPECT_EQ(Ids(), "0 1 2");
    EXPECT_EQ(Count(), QStringLiteral("3 signals"));
    EXPECT_TRUE(Read(File("archive.xml")).contains("GroupIndex=\"4\""));

    // In a group the menu leaves that group out, and a moved row leaves the list.
    Show(1);
    Select({rich});
    menu.reset(m_window->CreateContentMenu());
    EXPECT_NE(
        Entries(menu.get()).find("Move To Group[New Signals|Dangerous Signals|Suspicious Signals|-|Radar]"),
        std::string::npos);
    Find(menu.get(), QStringLiteral("Dangerous Signals"))->trigger();
    EXPECT_EQ(m_archive->GetSignal(rich).GroupIndex, 2);
    EXPECT_EQ(Ids(), "");
    EXPECT_EQ(Count(), QStringLiteral("0 signals"));

    // No current row, or a row whose entry went: no menu.
    Show(2);
    ASSERT_EQ(Ids(), "0 2");
    Select({other});
    m_archive->DeleteSignal(other);
    EXPECT_EQ(m_window->CreateContentMenu(), nullptr);
    List()->setCurrentItem(nullptr);
    EXPECT_EQ(m_window->CreateContentMenu(), nullptr);
}

TEST_F(ArchiveWindowTest, AClickChoosesTheGroupShownAndTheKeysDoNot)
{
    Add(1);
    Add(2);
    Add(1);
    m_window->setVisible(true);
    QTreeWidget* tree = Groups();
    QTreeWidgetItem* legal = GroupItem(1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(legal).center());
    EXPECT_EQ(tree->currentItem(), legal);
    EXPECT_EQ(Ids(), "0 2");
    EXPECT_EQ(Count(), QStringLiteral("2 signals"));
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(tree->currentItem(), GroupItem(2));
    EXPECT_EQ(Ids(), "0 2");
    EXPECT_EQ(m_window->GetShownGroup(), 1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(GroupItem(2)).center());
    EXPECT_EQ(Ids(), "1");
}

TEST_F(ArchiveWindowTest, ARecordingIsPlayedThroughItsWindowButNeverWhileOneIsRecorded)
{
    ISignalRecorder* recorder = m_core.Recorder();
    CSignalRecorderWindow recorderWindow(nullptr, recorder);
    m_window->m_pSignalRecorderWindow = &recorderWindow;
    const QString archived = File("archived.rec");
    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    ASSERT_TRUE(recorder->StartRecording(archived.toStdWString(), start, 1e6, 2e6, false));
    recorder->StopRecording(start + 4000);
    ARCHIVE_SIGNAL_ENTRY entry;
    entry.Channel = 2;
    entry.SignalRecordingNo = m_archive->AddRecording(archived.toStdWString());
    const int id = m_archive->AddSignal(entry);
    m_window->setVisible(true);
    Select({id});
    QSignalSpy channels(m_window.get(), &CArchiveWindow::changeChannel);
    QSignalSpy started(&recorderWindow, &CSignalRecorderWindow::playbackStarted);
    QSignalSpy stopped(&recorderWindow, &CSignalRecorderWindow::playbackStopped);

    // A recording runs: checking the archived file would close it without its length.
    const QString live = File("live.rec");
    ASSERT_TRUE(recorder->StartRecording(live.toStdWString(), start, 1e6, 2e6, false));
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Unable to play back file!"));
        m_window->OnViewSignalRecordingButton();
    }
    EXPECT_TRUE(recorder->IsRecording());
    EXPECT_EQ(channels.count(), 0);
    recorder->StopRecording(start + 2000);
    RECORDING_FILE_INFO info;
    ASSERT_TRUE(recorder->CheckRecordingFile(live.toStdWString(), info));
    EXPECT_EQ(info.duration, 2);

    m_window->OnViewSignalRecordingButton();
    EXPECT_TRUE(recorder->IsPlaying());
    ASSERT_EQ(channels.count(), 1);
    EXPECT_EQ(channels[0], (QVariantList{2, 0.0, false}));
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(recorderWindow.GetStatus(), QStringLiteral("Playing"));
    EXPECT_TRUE(recorderWindow.IsTicking());

    // Asked again while it plays: the window stops the playback first, then plays from the start.
    m_window->OnViewSignalRecordingButton();
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_EQ(started.count(), 2);
    EXPECT_TRUE(recorder->IsPlaying());
    recorderWindow.OnStopButton();

    // A file that is no recording is refused.
    QFile::remove(archived);
    MakeFile("archived.rec");
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Unable to play back file!"));
        m_window->OnViewSignalRecordingButton();
    }
    EXPECT_EQ(started.count(), 2);
}

// Every operation on a row whose entry the library no longer holds, or on a group it no longer
// knows: the operation's message with the library's text, and the file is not written.
TEST_F(ArchiveWindowTest, ALibraryFailureIsShownAndSkipsTheSave)
{
    QAction move(nullptr);
    move.setData(2);

    enum Asks
    {
        Nothing,
        Text,
        Question
    };
    struct Case
    {
        const char* message;
        Asks asks;  // what the operation asks before it reaches the library
        std::function<void()> run;
        bool groupGone = false;
    } cases[] = {
        {"Failed to change DDC frequency!", Nothing, [&] { m_window->OnGotoFreqButton(); }},
        {"Failed to view an image!", Nothing, [&] { m_window->OnViewImageButton(); }},
        {"Failed view a recording!", Nothing, [&] { m_window->OnViewSignalRecordingButton(); }},
        {"", Nothing, [&] { m_window->OnGotoTimeButton(); }},
        {"", Nothing, [&] { m_window->OnPlaySoundRecordingButton(); }},
        {"Failed to set comment!", Text, [&] { m_window->OnSetCommentButton(); }},
        {"Failed to delete items!", Question, [&] { m_window->OnDeleteButton(); }},
        {"Failed to delete an item!", Question, [&] { m_window->OnDeleteAllButton(); }},
        {"Failed to move to the other group!", Nothing, [&] { move.trigger(); }},
        {"Failed to rename group!", Nothing, [&] { m_window->OnRenameGroupButton(); }, true},
        {"Failed to delete group!", Question, [&] { m_window->OnDeleteGroupButton(); }, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.message);
        // A row of an entry that is then taken away behind the window's back, and a saved file.
        if (m_archive->GetUserGroups().empty())
            m_archive->AddUserGroup(-1, L"Radar");
        const int group = m_archive->GetUserGroups().back().id;
        ARCHIVE_SIGNAL_ENTRY entry;
        entry.GroupIndex = group;
        entry.SignalRecordingNo = m_archive->AddRecording(File("a.rec").toStdWString());
        entry.SoundRecordingFile = L"s.wav";
        const int id = m_archive->AddSignal(entry);
        Rebuild();
        QObject::disconnect(&move, nullptr, nullptr, nullptr);
        QObject::connect(&move, &QAction::triggered, m_window.get(), &CArchiveWindow::OnMoveToGroup);
        Select({id});
        Groups()->setCurrentItem(GroupItem(group));
        const QByteArray saved = Read(File("archive.xml"));

        if (c.groupGone)
            m_archive->RemoveUserGroup(group);
        else
            m_archive->DeleteSignal(id);
        CScriptedPrompt prompt;
        const std::string what = c.groupGone ? "CSignalsArchive::FindGroupNo: no such group" : kNoEntry;
        if (c.asks == Text)
            prompt.AnswerText(QStringLiteral("x"));
        else if (c.asks == Question)
            prompt.Answer(QMessageBox::Yes);
        prompt.Answer(QMessageBox::Ok, QString::fromStdString(what));
        c.run();
        ASSERT_FALSE(prompt.Asked().empty());
        const QString expected =
            *c.message ? QString::fromUtf8(c.message) + QLatin1Char(' ') + QString::fromStdString(what)
                       : QString::fromStdString(what);
        EXPECT_EQ(prompt.Asked().back().text, expected);
        EXPECT_EQ(prompt.Asked().back().icon, QMessageBox::Critical);
        EXPECT_EQ(Read(File("archive.xml")), saved);
    }
}
}  // namespace
