// The monitoring event log and its filter dialog over a scripted list of events (where the exact
// rows matter) and a real library archive: the rows and their sorting, the filter, the new-event box,
// Clear, Delete, filing events in the archive and the web page.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "idlemonitoring.h"
#include "isignalsarchive.h"
#include "monitoringlogfilterdialog.h"
#include "monitoringlogwindow.h"
#include "newsignalentrydialog.h"
#include "parameters.h"
#include "privatecore.h"
#include "scriptedprompt.h"
#include "ui_monitoringlogfilterdialog.h"
#include "ui_monitoringlogwindow.h"
#include "ui_newsignalentrydialog.h"

namespace
{
// 2026-03-02 10:00:00 UTC.
constexpr qint64 kTen = 1772445600;

// A monitoring object that holds a list of finished events and answers for the front-end unit.
class CScriptedMonitoring : public CIdleMonitoring
{
public:
    std::vector<MONITORING_EVENT> events;
    bool coreStatusClear = true;

    void GetEvents(std::vector<MONITORING_EVENT>& out) override { out = events; }
    void RemoveEvent(uint32_t id) override
    {
        events.erase(std::remove_if(events.begin(), events.end(),
                                    [id](const MONITORING_EVENT& e) { return e.id == id; }),
                     events.end());
    }
    void ClearEvents() override { events.clear(); }
    bool IsCoreStatusClear() override { return coreStatusClear; }
};

MONITORING_EVENT Event(uint32_t id, qint64 start, qint64 seconds, double freq, int sector = 0)
{
    MONITORING_EVENT event;
    event.id = id;
    event.startTime = start;
    event.lastTime = start + seconds;
    event.taskName = L"New task";
    event.channel = 0;
    event.iSwitch = sector;
    event.startFreq = freq - 0.1;
    event.endFreq = freq + 0.1;
    event.peakFreq = freq;
    event.level = -60.0 - id;
    event.ident = L"Band " + std::to_wstring(id);
    return event;
}

class MonitoringLogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // The start times are shown in local time.
        qputenv("TZ", "UTC");
        tzset();
    }
    void SetUp() override
    {
        m_archive = m_core.Archive();
        ASSERT_NE(m_archive, nullptr);
        m_archive->SetFolder(m_dir.path().toStdWString());
        int id = 0;
        for (const wchar_t* name :
             {L"New Signals", L"Legal Signals", L"Dangerous Signals", L"Suspicious Signals"})
            m_archive->AddPredefinedGroup(id++, name);
        m_window = std::make_unique<CMonitoringLogWindow>(nullptr, 1, &m_monitoring, m_archive);
        // Refreshes are driven by hand here.
        m_window->Form().m_pRefreshCheck->setChecked(false);
    }

    QTreeWidget* Tree() { return m_window->Form().m_pLogTree; }
    QString Label() { return m_window->Form().m_pEventsLabel->text(); }
    std::vector<uint32_t> ShownIds()
    {
        std::vector<uint32_t> ids;
        for (int i = 0; i < Tree()->topLevelItemCount(); ++i)
            ids.push_back(Tree()->topLevelItem(i)->data(0, Qt::UserRole + 1).toUInt());
        return ids;
    }
    // Runs the filter dialog, setting its controls with `edit` and pressing OK.
    void Filter(const std::function<void(Ui::CMonitoringLogFilterDialog&)>& edit)
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [&edit](QDialog& dialog)
            {
                auto& filter = static_cast<CMonitoringLogFilterDialog&>(dialog);
                edit(filter.Form());
                filter.Form().m_pOkButton->click();
                return int(QDialog::Accepted);
            });
        m_window->OnFilterButton();
    }
    static void TypeInto(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static CScriptedPrompt::DialogAction NoBox()
    {
        return [](QDialog&) { return int(QDialog::Accepted); };
    }

    QTemporaryDir m_dir;
    CPrivateCore m_core;
    ISignalsArchive* m_archive = nullptr;
    CScriptedMonitoring m_monitoring;
    std::unique_ptr<CMonitoringLogWindow> m_window;
};

TEST_F(MonitoringLogTest, RowsShowTheEventsAndSortByTheirNumbers)
{
    m_monitoring.events = {Event(1, kTen, 65, 433.92), Event(2, kTen - 3600, 25 * 3600, 101.5, 10),
                           Event(3, kTen + 30, 0, 2400.0, 9)};
    // The band names run opposite to the band starts.
    m_monitoring.events[0].ident = L"a";
    m_monitoring.events[1].ident = L"c";
    m_monitoring.events[2].ident = L"b";
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(NoBox());
        m_window->FillList();
    }
    ASSERT_EQ(Tree()->topLevelItemCount(), 3);
    EXPECT_EQ(Label(), QStringLiteral("3 events"));
    // A language change puts the form's texts back, but the count stays the list's.
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(m_window.get(), &change);
    EXPECT_EQ(Label(), QStringLiteral("3 events"));

    // Sorted by duration at first.
    EXPECT_EQ(ShownIds(), (std::vector<uint32_t>{3, 1, 2}));
    const QTreeWidgetItem* row = Tree()->topLevelItem(1);
    EXPECT_EQ(row->text(0), QStringLiteral("02.03.2026 10:00:00"));
    EXPECT_EQ(row->data(0, Qt::UserRole).toLongLong(), kTen);
    EXPECT_EQ(row->text(1), QStringLiteral("00:01:05"));
    EXPECT_EQ(row->data(1, Qt::UserRole).toInt(), 65);
    EXPECT_EQ(row->textAlignment(1), int(Qt::AlignRight));
    EXPECT_EQ(row->data(2, Qt::UserRole).toDouble(), 433.92);
    EXPECT_TRUE(row->text(2).contains(QStringLiteral("433.9"))) << row->text(2).toStdString();
    double level = -61.0;
    g_DeviceThread.CorrectLevel(&level);
    EXPECT_EQ(row->data(3, Qt::UserRole).toDouble(), level);
    EXPECT_EQ(row->text(4), QStringLiteral("0"));
    EXPECT_EQ(row->textAlignment(4), int(Qt::AlignCenter));
    EXPECT_EQ(row->text(5), QStringLiteral("a"));
    EXPECT_EQ(row->data(5, Qt::UserRole).toDouble(), 433.92 - 0.1);
    EXPECT_EQ(row->data(5, Qt::UserRole + 1).toDouble(), 433.92 + 0.1);
    // A day and more counts on in hours.
    EXPECT_EQ(Tree()->topLevelItem(2)->text(1), QStringLiteral("25:00:00"));

    struct Sort
    {
        int column;
        std::vector<uint32_t> ascending;
    } sorts[] = {
        {0, {2, 1, 3}},  // start in seconds
        {2, {2, 1, 3}},  // frequency
        {3, {3, 2, 1}},  // corrected level
        {4, {1, 2, 3}},  // the sector's text: "0", "10", "9"
        {5, {2, 1, 3}},  // band start, not the band's name
    };
    for (const Sort& sort : sorts)
    {
        SCOPED_TRACE(sort.column);
        Tree()->sortByColumn(sort.column, Qt::AscendingOrder);
        EXPECT_EQ(ShownIds(), sort.ascending);
    }
    EXPECT_EQ(CMonitoringLogWindow::FormatDuration(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(CMonitoringLogWindow::FormatDuration(100 * 3600 + 59), QStringLiteral("100:00:59"));
}

TEST_F(MonitoringLogTest, TheFilterKeepsItsBoundsAndSaysSo)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    m_monitoring.events = {Event(1, kTen, 60, 100.0), Event(2, kTen, 60, 200.0), Event(3, kTen, 60, 99.9999),
                           Event(4, kTen, 60, 200.0001), Event(5, kTen + 120, 60, nan)};
    struct Case
    {
        const char* name;
        std::function<void(Ui::CMonitoringLogFilterDialog&)> edit;
        std::vector<uint32_t> shown;
        const char* label;
    } cases[] = {
        {"on, both parts off",
         [](Ui::CMonitoringLogFilterDialog& f) { f.m_pFilterCheck->setChecked(true); },
         {1, 2, 3, 4, 5},
         "5 events [filtered]"},
        {"100 to 200 MHz",
         [](Ui::CMonitoringLogFilterDialog& f)
         {
             f.m_pRangeCheck->setChecked(true);
             TypeInto(f.m_pFreqFromEdit, QStringLiteral("100"));
             TypeInto(f.m_pFreqToEdit, QStringLiteral("200"));
         },
         {1, 2, 5},
         "3 events [filtered]"},
        {"the period of the first four, range off",
         [](Ui::CMonitoringLogFilterDialog& f)
         {
             f.m_pRangeCheck->setChecked(false);
             f.m_pPeriodCheck->setChecked(true);
             f.m_pStartDateTimeEdit->setDateTime(QDateTime::fromSecsSinceEpoch(kTen));
             f.m_pEndDateTimeEdit->setDateTime(QDateTime::fromSecsSinceEpoch(kTen + 60));
         },
         {1, 2, 3, 4},
         "4 events [filtered]"},
        {"From after To",
         [](Ui::CMonitoringLogFilterDialog& f)
         {
             f.m_pStartDateTimeEdit->setDateTime(QDateTime::fromSecsSinceEpoch(kTen + 60));
             f.m_pEndDateTimeEdit->setDateTime(QDateTime::fromSecsSinceEpoch(kTen));
         },
         {},
         "0 events [filtered]"},
        {"off",
         [](Ui::CMonitoringLogFilterDialog& f) { f.m_pFilterCheck->setChecked(false); },
         {1, 2, 3, 4, 5},
         "5 events"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Filter(c.edit);
        Tree()->sortByColumn(0, Qt::AscendingOrder);
        std::vector<uint32_t> ids = ShownIds();
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, c.shown);
        EXPECT_EQ(Label(), QString::fromLatin1(c.label));
    }
}

TEST_F(MonitoringLogTest, TheFilterDialogEditsACopyAndKeepsExactBoundsUnlessTyped)
{
    const QDateTime before = QDateTime::currentDateTime();
    // The log's own starting filter.
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [&before](QDialog& dialog)
            {
                auto& f = static_cast<CMonitoringLogFilterDialog&>(dialog).Form();
                EXPECT_FALSE(f.m_pFilterCheck->isChecked());
                EXPECT_FALSE(f.m_pPeriodCheck->isEnabled());
                EXPECT_EQ(f.m_pFreqFromEdit->text(), QStringLiteral("0"));
                EXPECT_EQ(f.m_pFreqToEdit->text(), QStringLiteral("0"));
                EXPECT_LE(std::llabs(f.m_pStartDateTimeEdit->dateTime().secsTo(before)), 5);
                EXPECT_EQ(f.m_pStartDateTimeEdit->dateTime(), f.m_pEndDateTimeEdit->dateTime());
                f.m_pFilterCheck->setChecked(true);
                return int(QDialog::Rejected);
            });
        m_window->OnFilterButton();
        EXPECT_FALSE(m_window->GetFilter().Enabled) << "Cancel keeps the log's filter";
    }

    MONITORING_LOG_FILTER filter;
    filter.FreqFrom = 433.123456;
    filter.FreqTo = 433.92;
    CMonitoringLogFilterDialog dialog(filter);
    EXPECT_EQ(dialog.Form().m_pFreqFromEdit->text(), QStringLiteral("433.123"));
    EXPECT_EQ(dialog.Form().m_pFreqToEdit->text(), QStringLiteral("433.92"));
    dialog.accept();
    EXPECT_EQ(dialog.GetFilter().FreqFrom, 433.123456);
    EXPECT_EQ(dialog.GetFilter().FreqTo, 433.92);

    CMonitoringLogFilterDialog typed(filter);
    typed.Form().m_pFilterCheck->setChecked(true);
    TypeInto(typed.Form().m_pFreqFromEdit, QStringLiteral("abc"));
    TypeInto(typed.Form().m_pFreqToEdit, QStringLiteral("500.5"));
    typed.accept();
    EXPECT_EQ(typed.GetFilter().FreqFrom, 0.0);
    EXPECT_EQ(typed.GetFilter().FreqTo, 500.5);
}

TEST_F(MonitoringLogTest, TheNewEventBoxComesOncePerClearWithTheSectorOrTheGenericText)
{
    const QString sheet = QStringLiteral(
        "QLabel{min-width:500 px; font-size: 48px;} QPushButton{ width:100px; font-size: 18px; }");
    struct Case
    {
        bool coreStatusClear;
        const char* text;
    } cases[] = {{true, "You've got an event in the sector 3 !!!"}, {false, "You've got an event!!!"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        m_monitoring.coreStatusClear = c.coreStatusClear;
        m_window->OnClearButton();
        EXPECT_EQ(Label(), QStringLiteral("0 events"));
        m_monitoring.events = {Event(1, kTen, 5, 100.0, 0)};
        {
            // A sector-0 event with a working front end is no news.
            CScriptedPrompt prompt;
            if (!c.coreStatusClear)
                prompt.RunDialog(NoBox());
            m_window->FillList();
        }
        m_monitoring.events.push_back(Event(2, kTen, 5, 200.0, 3));
        m_monitoring.events.push_back(Event(3, kTen, 5, 300.0, 4));
        if (c.coreStatusClear)
        {
            CScriptedPrompt prompt;
            prompt.RunDialog(
                [this, &sheet, &c](QDialog& dialog)
                {
                    auto* box = qobject_cast<QMessageBox*>(&dialog);
                    EXPECT_NE(box, nullptr);
                    EXPECT_EQ(box->text(), QString::fromLatin1(c.text));
                    EXPECT_EQ(box->styleSheet(), sheet);
                    EXPECT_EQ(box->windowTitle(), QString());
                    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
                    EXPECT_EQ(dialog.parent(), nullptr);
                    // The autorefresh fires while the box is open.
                    m_window->FillList();
                    return int(QDialog::Accepted);
                });
            m_window->FillList();
        }
        else
        {
            CScriptedPrompt quiet;
            m_window->FillList();
        }
        EXPECT_EQ(Tree()->topLevelItemCount(), 3) << "no row twice";
        // Until the next Clear there is no box.
        CScriptedPrompt quiet;
        m_monitoring.events.push_back(Event(4, kTen, 5, 400.0, 5));
        m_window->FillList();
        EXPECT_EQ(quiet.Asked().size(), 0u);
        EXPECT_EQ(Label(), QStringLiteral("4 events"));
    }
    // Clear empties the library's list too.
    m_window->OnClearButton();
    EXPECT_TRUE(m_monitoring.events.empty());
    EXPECT_EQ(Tree()->topLevelItemCount(), 0);
}

TEST_F(MonitoringLogTest, TheMenuWorksOnTheRowsItOpenedOnAndDeletesTheCurrentOnly)
{
    m_monitoring.events = {Event(1, kTen, 5, 100.0), Event(2, kTen, 6, 200.0), Event(3, kTen, 7, 300.0)};
    m_window->FillList();
    m_window->Form().m_pRefreshCheck->setChecked(true);
    // Without a selection there is no menu, but the autorefresh is off all the same.
    EXPECT_EQ(m_window->CreateContextMenu(), nullptr);
    EXPECT_FALSE(m_window->Form().m_pRefreshCheck->isChecked());

    Tree()->topLevelItem(0)->setSelected(true);
    Tree()->setCurrentItem(Tree()->topLevelItem(1), 0, QItemSelectionModel::Select);
    std::unique_ptr<QMenu> menu(m_window->CreateContextMenu());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Add to Archive..."));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Delete..."));
    // A refresh rebuilds the rows under the open menu; the delete still means the row it opened on.
    m_window->FillList();
    menu->actions()[1]->trigger();
    EXPECT_EQ(ShownIds(), (std::vector<uint32_t>{1, 3}));
    ASSERT_EQ(m_monitoring.events.size(), 2u);
}

TEST_F(MonitoringLogTest, ArchivedEventsAreMonitoringEntriesWithTheirOwnRecording)
{
    const QString recording = m_dir.filePath(QStringLiteral("run.rec"));
    {
        QFile file(recording);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    MONITORING_EVENT recorded = Event(17, kTen, 5, 433.92);
    recorded.signalFileName = recording.toStdWString();
    recorded.channel = 3;
    m_monitoring.events = {recorded, Event(18, kTen + 10, 5, 868.3)};
    m_window->FillList();
    Tree()->sortByColumn(0, Qt::AscendingOrder);
    Tree()->selectAll();
    std::unique_ptr<QMenu> menu(m_window->CreateContextMenu());
    ASSERT_NE(menu, nullptr);
    QSignalSpy saves(m_window.get(), &CMonitoringLogWindow::saveArchive);
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [](QDialog& dialog)
            {
                auto& entry = static_cast<CNewSignalEntryDialog&>(dialog);
                entry.Form().m_pGroupCombo->setCurrentIndex(3);
                entry.Form().m_pCommentEdit->setText(QStringLiteral("two"));
                entry.accept();
                return dialog.result();
            },
            QStringLiteral("Add Signal to Archive"));
        // The rows are replaced while the dialog is open.
        m_window->FillList();
        menu->actions()[0]->trigger();
    }
    EXPECT_EQ(saves.count(), 1);
    std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
    m_archive->GetSignalsOfGroup(entries, -1);
    ASSERT_EQ(entries.size(), 2u);
    for (const ARCHIVE_SIGNAL_ENTRY& entry : entries)
    {
        EXPECT_EQ(entry.Source, 2);
        EXPECT_EQ(entry.GroupIndex, 3);
        EXPECT_EQ(entry.Excess, -1.0);
        EXPECT_EQ(entry.Comment, L"two");
        EXPECT_TRUE(entry.RangeImageFile.empty() && entry.SoundRecordingFile.empty());
    }
    EXPECT_EQ(entries[0].Timestamp, kTen);
    EXPECT_DOUBLE_EQ(entries[0].FreqPeak, 433.92e6);
    EXPECT_DOUBLE_EQ(entries[0].FreqBegin, (433.92 - 0.1) * 1e6);
    EXPECT_DOUBLE_EQ(entries[0].FreqEnd, (433.92 + 0.1) * 1e6);
    EXPECT_EQ(entries[0].Channel, 3);
    ASSERT_NE(entries[0].SignalRecordingNo, -1);
    EXPECT_EQ(QString::fromStdWString(m_archive->FindRecordingNo(entries[0].SignalRecordingNo)), recording);
    EXPECT_EQ(entries[1].SignalRecordingNo, -1) << "no recording, and never the event's number";

    // Deleting the entry without a recording leaves a file named like its event alone.
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    QFile decoy(QStringLiteral("18"));
    ASSERT_TRUE(decoy.open(QIODevice::WriteOnly));
    decoy.close();
    m_archive->DeleteSignal(entries[1].Index);
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("18"))));
    QDir::setCurrent(cwd);

    // A cancelled entry dialog files nothing.
    CScriptedPrompt prompt;
    prompt.RunDialog([](QDialog&) { return int(QDialog::Rejected); });
    menu->actions()[0]->trigger();
    m_archive->GetSignalsOfGroup(entries, -1);
    EXPECT_EQ(entries.size(), 1u);
    EXPECT_EQ(saves.count(), 1);
}

TEST_F(MonitoringLogTest, TheWebPageOfAnEmptyListHasTheSixHeadingsAndNoRows)
{
    g_Parameters.SetString(QStringLiteral("FilePaths"), QStringLiteral("MonitoringSave"), m_dir.path());
    const QString path = m_dir.filePath(QStringLiteral("pages/log.html"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("pages"))));
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(path, QStringLiteral("Save Log As Web page"));
        m_window->OnSaveButton();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].initial, m_dir.path());
        EXPECT_EQ(prompt.Asked()[0].text, QStringLiteral("Web pages (*.htm *.html)"));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("<html>\r\n<head>\r\n<title>Discovered signals</title>\r\n</head>\r\n"
                         "<h1>Discovered signals</h1>\r\n<table border=1 cellspacing=0>"
                         "<TR><TD align=middle>Start Time</TD><TD align=middle>Duration</TD>"
                         "<TD align=middle>Frequency</TD><TD align=middle>Peak Level</TD>"
                         "<TD align=middle>Sector</TD><TD align=middle>Ident</TD></TR>\r\n"
                         "</table></html>"));
    EXPECT_EQ(
        g_Parameters.GetString(QStringLiteral("FilePaths"), QStringLiteral("MonitoringSave"), QString()),
        m_dir.filePath(QStringLiteral("pages")));

    // A page that cannot be written is told, and the stored folder stays.
    CScriptedPrompt prompt;
    prompt.AnswerSaveFile(m_dir.filePath(QStringLiteral("none/log.html")))
        .Answer(QMessageBox::Ok, QStringLiteral("Error saving monitoring results! "));
    m_window->OnSaveButton();
    EXPECT_EQ(
        g_Parameters.GetString(QStringLiteral("FilePaths"), QStringLiteral("MonitoringSave"), QString()),
        m_dir.filePath(QStringLiteral("pages")));
}
}  // namespace
