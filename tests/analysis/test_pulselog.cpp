// The pulse log and its filter over a real pulse detector: the pulses are made the way the receiver
// makes them, as carrier bursts in the sample blocks the detector examines, at times of the test's
// choosing. The log's list, filter, archive entries, web page and the signals it sends are checked.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "newsignalentrydialog.h"
#include "parameters.h"
#include "pulsedetect.h"
#include "pulselogfilterdialog.h"
#include "pulselogwindow.h"
#include "pulsewindow.h"
#include "scriptedprompt.h"
#include "ui_newsignalentrydialog.h"

namespace
{
// The fixed threshold the pulses are cut against, volts; every pulse's level stays below it.
constexpr double kThreshold = 0.05;
constexpr int kBlockPoints = 600;
constexpr int kBurstStart = 50;
// Blocks after a retune that the detector lets pass before it examines one.
constexpr int kSettleBlocks = 5;

struct Burst
{
    int points = 100;          // length of the carrier burst
    double levelVolts = 0.01;  // what the samples settle to after the burst: the pulse's level
};

// A block with a burst of carrier (both swings, so the envelope holds its amplitude) that then settles
// to the level, which stays below the threshold so the envelope falls through it; or a quiet block.
std::vector<double> Block(const Burst* burst)
{
    std::vector<double> block(kBlockPoints, 0.0);
    if (!burst)
        return block;
    for (int i = 0; i < burst->points; ++i)
        block[kBurstStart + i] = (i % 2 == 0) ? 0.5 : -0.5;
    for (int i = kBurstStart + burst->points; i < kBlockPoints; ++i)
        block[i] = burst->levelVolts;
    return block;
}

// Feeds a running search from a retune on: the settling blocks, the burst in the examined block, and
// a quiet block that moves the detector on to its next frequency.
void FeedOnePulse(IPulseDetect& detector, const Burst& burst, const std::function<void()>& beforeBurst = {},
                  const std::function<void()>& seenAgain = {})
{
    for (int i = 0; i < kSettleBlocks; ++i)
        detector.ProcessSamples(Block(nullptr));
    if (beforeBurst)
        beforeBurst();
    detector.ProcessSamples(Block(&burst));
    if (seenAgain)
    {
        // The next block is examined too; the same pulse there renews the record.
        seenAgain();
        detector.ProcessSamples(Block(&burst));
    }
    detector.ProcessSamples(Block(nullptr));
}

struct Pulse
{
    double freqMHz;
    int64_t start;  // seconds since 1970
    int64_t end;
    Burst burst;
};

// A real detector holding the pulses the test asks for, each found at its own frequency at its own
// times.
class PulseMaker
{
public:
    PulseMaker() : m_detector(g_DeviceThread.m_pControlBits)
    {
        m_detector.SetClock([this] { return m_now; });
    }

    void Make(const std::vector<Pulse>& pulses)
    {
        PULSE_DETECT_PARAMS params;
        for (const Pulse& pulse : pulses)
            params.ranges.push_back({pulse.freqMHz, pulse.freqMHz});
        params.level = kThreshold;
        m_detector.SetSettings(params);
        m_detector.Start();
        for (const Pulse& pulse : pulses)
        {
            m_now = pulse.start;
            FeedOnePulse(
                m_detector, pulse.burst, [] {},
                pulse.end != pulse.start ? std::function<void()>([this, &pulse] { m_now = pulse.end; })
                                         : std::function<void()>());
        }
        m_detector.Stop();
    }

    CPulseDetect& Detector() { return m_detector; }

private:
    CPulseDetect m_detector;
    int64_t m_now = 0;
};

int64_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime).toSecsSinceEpoch();
}

class PulseLogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_FftOptions.Init();
        g_DeviceThread.LoadCorrections();
        ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
    }

    std::unique_ptr<CPulseLogWindow> MakeLog(const std::vector<Pulse>& pulses)
    {
        m_maker.Make(pulses);
        EXPECT_EQ(m_maker.Detector().GetPulseCount(), static_cast<int>(pulses.size()));
        auto log = std::make_unique<CPulseLogWindow>(nullptr, &m_maker.Detector());
        log->FillList();
        return log;
    }

    static QStringList Column(const CPulseLogWindow& log, int column)
    {
        QStringList texts;
        const QTreeWidget* tree = log.Form().m_pPulseLogTree;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            texts << tree->topLevelItem(i)->text(column);
        return texts;
    }

    PulseMaker m_maker;
};

PULSE_ITEM Item(double durationMs, double freqMHz, double levelVolts)
{
    PULSE_ITEM item;
    item.duration = durationMs;
    item.frequency = freqMHz;
    item.level = levelVolts;
    return item;
}
}  // namespace

TEST(PulseLogFilterTest, TruthTable)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    PULSE_LOG_FILTER off;
    off.byDuration = off.byFreq = off.byAmpl = true;  // criteria set, filter off
    off.maxDuration = off.maxFreq = off.maxAmpl = -1.0;
    PULSE_LOG_FILTER noCriteria;
    noCriteria.enabled = true;
    PULSE_LOG_FILTER duration;
    duration.enabled = duration.byDuration = true;
    duration.minDuration = 2.0;
    duration.maxDuration = 5.0;
    PULSE_LOG_FILTER freq;
    freq.enabled = freq.byFreq = true;
    freq.minFreq = 430.0;
    freq.maxFreq = 440.0;
    PULSE_LOG_FILTER ampl;
    ampl.enabled = ampl.byAmpl = true;
    ampl.minAmpl = 10.0;
    ampl.maxAmpl = 20.0;
    PULSE_LOG_FILTER fresh;  // a fresh document's bounds, duration switched on
    fresh.enabled = fresh.byDuration = true;
    PULSE_LOG_FILTER all = duration;
    all.byFreq = all.byAmpl = true;
    all.minFreq = 430.0;
    all.maxFreq = 440.0;
    all.minAmpl = 10.0;
    all.maxAmpl = 20.0;
    PULSE_LOG_FILTER nanBound = duration;
    nanBound.maxDuration = nan;

    const struct
    {
        const char* name;
        const PULSE_LOG_FILTER& filter;
        PULSE_ITEM pulse;
        bool passes;
    } cases[] = {
        {"disabled lists all", off, Item(3.0, 433.0, 0.015), true},
        {"enabled without criteria lists all", noCriteria, Item(1e9, -5.0, 99.0), true},
        {"duration at its minimum", duration, Item(2.0, 0.0, 0.0), true},
        {"duration at its maximum", duration, Item(5.0, 0.0, 0.0), true},
        {"duration below", duration, Item(1.999, 0.0, 0.0), false},
        {"duration above", duration, Item(5.001, 0.0, 0.0), false},
        {"frequency at both bounds", freq, Item(0.0, 430.0, 0.0), true},
        {"frequency above", freq, Item(0.0, 440.5, 0.0), false},
        {"10 to 20 mV keeps 15 mV", ampl, Item(0.0, 0.0, 0.015), true},
        {"10 to 20 mV drops 25 mV", ampl, Item(0.0, 0.0, 0.025), false},
        {"10 to 20 mV drops 5 mV", ampl, Item(0.0, 0.0, 0.005), false},
        {"fresh 0 to 0 keeps duration 0", fresh, Item(0.0, 433.0, 0.01), true},
        {"fresh 0 to 0 drops any other", fresh, Item(0.001, 433.0, 0.01), false},
        {"every criterion holds", all, Item(3.0, 433.0, 0.015), true},
        {"one criterion fails", all, Item(3.0, 433.0, 0.025), false},
        {"a value that is no number passes", duration, Item(nan, 0.0, 0.0), true},
        {"a bound that is no number passes", nanBound, Item(50.0, 0.0, 0.0), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PassesPulseLogFilter(c.filter, c.pulse), c.passes) << c.name;
}

TEST_F(PulseLogTest, TheFilterIsKeptInTheSettingsAndEditedInItsDialog)
{
    const QString section = QStringLiteral("PulseLog");
    g_Parameters.SetInt(section, QStringLiteral("FilterEnabled"), 1);
    g_Parameters.SetInt(section, QStringLiteral("FilterByAmpl"), 2);
    g_Parameters.SetDouble(section, QStringLiteral("FilterMinAmpl"), 10.0);
    g_Parameters.SetDouble(section, QStringLiteral("FilterMaxAmpl"), 20.0);
    g_Parameters.SetDouble(section, QStringLiteral("FilterMaxFreq"), 433.123456789);
    std::unique_ptr<CPulseLogWindow> log = MakeLog({
        {433.0, 1000, 1000, {100, 0.015}},
        {434.0, 2000, 2000, {100, 0.025}},
        {435.0, 3000, 3000, {100, 0.012}},
    });
    EXPECT_TRUE(log->m_Filter.enabled);
    EXPECT_TRUE(log->m_Filter.byAmpl);
    EXPECT_FALSE(log->m_Filter.byDuration);
    // The label counts the rows shown, and says they are filtered.
    EXPECT_EQ(Column(*log, 1), (QStringList{QStringLiteral("433.00 MHz"), QStringLiteral("435.00 MHz")}));
    EXPECT_EQ(log->Form().m_pEventsLabel->text(), QStringLiteral("2 events filtered"));

    // The dialog shows the record; Apply hands the edited one over at once and leaves the dialog open,
    // and a Cancel after it keeps what was applied.
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [&log](QDialog& dialog)
            {
                const Ui::CPulseLogFilterDialog& form = static_cast<CPulseLogFilterDialog&>(dialog).Form();
                EXPECT_EQ(dialog.parent(), nullptr);
                EXPECT_TRUE(form.m_pEnableFilterCheck->isChecked());
                EXPECT_TRUE(form.m_pAmplCheck->isChecked());
                EXPECT_FALSE(form.m_pFreqCheck->isChecked());
                EXPECT_EQ(form.m_pStartAmplEdit->text(), QStringLiteral("10"));
                EXPECT_EQ(form.m_pEndFreqEdit->text(), QStringLiteral("433.123"));
                form.m_pEndAmplEdit->setText(QStringLiteral("30"));
                form.m_pApplyButton->click();
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(log->Form().m_pEventsLabel->text(), QStringLiteral("3 events filtered"));
                form.m_pEndAmplEdit->setText(QStringLiteral("12.5"));
                form.m_pCancelButton->click();
                return dialog.result();
            },
            QStringLiteral("Pulse Log Filter"));
        log->OnFilterButton();
    }
    EXPECT_DOUBLE_EQ(log->m_Filter.maxAmpl, 30.0);
    EXPECT_EQ(log->Form().m_pPulseLogTree->topLevelItemCount(), 3);

    // OK takes the dialog's record; text that is no number reads as 0, and switching the filter off
    // lists everything whatever the criteria.
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [](QDialog& dialog)
            {
                const Ui::CPulseLogFilterDialog& form = static_cast<CPulseLogFilterDialog&>(dialog).Form();
                form.m_pStartAmplEdit->setText(QStringLiteral("ten"));
                form.m_pEnableFilterCheck->setChecked(false);
                form.m_pOkButton->click();
                return dialog.result();
            });
        log->OnFilterButton();
    }
    EXPECT_FALSE(log->m_Filter.enabled);
    EXPECT_EQ(log->m_Filter.minAmpl, 0.0);
    EXPECT_EQ(log->Form().m_pEventsLabel->text(), QStringLiteral("3 events"));

    // The record goes back at destruction: flags as ints, bounds as doubles.
    log.reset();
    EXPECT_EQ(g_Parameters.GetString(section, QStringLiteral("FilterEnabled"), QString()),
              QStringLiteral("0"));
    EXPECT_EQ(g_Parameters.GetString(section, QStringLiteral("FilterByAmpl"), QString()),
              QStringLiteral("1"));
    EXPECT_EQ(g_Parameters.GetString(section, QStringLiteral("FilterMaxAmpl"), QString()),
              QStringLiteral("30.000000"));
    EXPECT_EQ(g_Parameters.GetString(section, QStringLiteral("FilterMinDuration"), QString()),
              QStringLiteral("0.000000"));
}

TEST_F(PulseLogTest, ColumnWidthsStartAt120AndNeverShowBelow70)
{
    const QString section = QStringLiteral("PulseLogWindow");
    {
        CPulseLogWindow log;
        for (int column = 0; column < 5; ++column)
        {
            EXPECT_EQ(log.Form().m_pPulseLogTree->columnWidth(column), 120) << column;
            EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Column%1").arg(column), 0), 120);
        }
        EXPECT_TRUE(log.Form().m_pRefreshCheck->isChecked());
        EXPECT_FALSE(log.isVisible());
        log.Form().m_pPulseLogTree->setColumnWidth(3, 150);
    }
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Column3"), 0), 150);
    g_Parameters.SetInt(section, QStringLiteral("Column2"), 50);
    g_Parameters.SetInt(section, QStringLiteral("Autorefresh"), 0);
    {
        CPulseLogWindow log;
        EXPECT_EQ(log.Form().m_pPulseLogTree->columnWidth(2), 70);
        EXPECT_EQ(log.Form().m_pPulseLogTree->columnWidth(3), 150);
        EXPECT_FALSE(log.Form().m_pRefreshCheck->isChecked());
        log.Form().m_pRefreshCheck->setChecked(true);
    }
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Autorefresh"), 0), 1);
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Column2"), 0), 70);
}

TEST_F(PulseLogTest, RowsHoldTheirNumbersAndTheEnvelopeAndSortByThem)
{
    const int64_t start = LocalTime(2024, 5, 3, 12, 34, 56);
    std::unique_ptr<CPulseLogWindow> log = MakeLog({
        {2000.0, start + 60, start + 60, {100, 0.02}},
        {900.5, start, start + 7200, {160, 0.015}},
        {433.92, start + 30, start + 25 * 3600 + 30, {40, 0.011}},
    });
    QTreeWidget* tree = log->Form().m_pPulseLogTree;
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(log->Form().m_pEventsLabel->text(), QStringLiteral("3 events"));
    // By start time at first.
    EXPECT_EQ(Column(*log, 0),
              (QStringList{QStringLiteral("03.05.2024 12:34:56"), QStringLiteral("03.05.2024 12:35:26"),
                           QStringLiteral("03.05.2024 12:35:56")}));
    // A signal of a day or more counts its hours on; the sort uses the full length.
    EXPECT_EQ(Column(*log, 3), (QStringList{QStringLiteral("02:00:00"), QStringLiteral("25:00:00"),
                                            QStringLiteral("00:00:00")}));
    tree->sortByColumn(3, Qt::AscendingOrder);
    EXPECT_EQ(Column(*log, 3), (QStringList{QStringLiteral("00:00:00"), QStringLiteral("02:00:00"),
                                            QStringLiteral("25:00:00")}));
    tree->sortByColumn(1, Qt::AscendingOrder);
    EXPECT_EQ(Column(*log, 1), (QStringList{QStringLiteral("433.92 MHz"), QStringLiteral("900.50 MHz"),
                                            QStringLiteral("2000.0 MHz")}));
    const QTreeWidgetItem* first = tree->topLevelItem(0);
    EXPECT_EQ(first->data(0, Qt::UserRole).toLongLong(), start + 30);
    EXPECT_DOUBLE_EQ(first->data(1, Qt::UserRole).toDouble(), 433.92);
    EXPECT_EQ(first->data(3, Qt::UserRole).toLongLong(), 25 * 3600);
    EXPECT_DOUBLE_EQ(first->data(4, Qt::UserRole).toDouble(), 0.011);
    EXPECT_EQ(first->textAlignment(2), int(Qt::AlignCenter));
    // Longer bursts are longer pulses.
    tree->sortByColumn(2, Qt::AscendingOrder);
    EXPECT_DOUBLE_EQ(tree->topLevelItem(0)->data(1, Qt::UserRole).toDouble(), 433.92);
    EXPECT_DOUBLE_EQ(tree->topLevelItem(2)->data(1, Qt::UserRole).toDouble(), 900.5);
    EXPECT_LT(tree->topLevelItem(0)->data(2, Qt::UserRole).toDouble(),
              tree->topLevelItem(2)->data(2, Qt::UserRole).toDouble());

    // A click sends the envelope the pulse was found in.
    std::vector<std::vector<double>> shown;
    QObject::connect(log.get(), &CPulseLogWindow::viewPulse,
                     [&shown](const std::vector<double>& envelope) { shown.push_back(envelope); });
    log->OnItemClicked(tree->topLevelItem(0), 3);
    log->OnItemClicked(nullptr, 0);
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].size(), static_cast<size_t>(kBlockPoints));
    EXPECT_DOUBLE_EQ(shown[0][kBurstStart + 10], 0.5);
    // A row without an envelope sends nothing.
    tree->topLevelItem(1)->setData(0, Qt::UserRole + 1, QVariantList());
    log->OnItemClicked(tree->topLevelItem(1), 0);
    EXPECT_EQ(shown.size(), 1u);
}

TEST(PulseLogDurationTest, TheSignalDurationCountsItsHoursPastADay)
{
    const struct
    {
        int64_t seconds;
        const char* text;
    } cases[] = {{0, "00:00:00"},
                 {59, "00:00:59"},
                 {3661, "01:01:01"},
                 {86399, "23:59:59"},
                 {86400, "24:00:00"},
                 {90000, "25:00:00"},
                 {100 * 3600 + 61, "100:01:01"}};
    for (const auto& c : cases)
        EXPECT_EQ(CPulseLogWindow::SignalDurationText(c.seconds), QLatin1String(c.text)) << c.seconds;
}

TEST_F(PulseLogTest, OpeningTheContextMenuAlwaysTurnsAutorefreshOff)
{
    std::unique_ptr<CPulseLogWindow> log = MakeLog({{433.92, 1000, 1000, {}}});
    QCheckBox* refresh = log->Form().m_pRefreshCheck;
    ASSERT_TRUE(refresh->isChecked());
    // No row selected: no menu, but the refresh is off all the same (through the real event).
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QCoreApplication::sendEvent(log.get(), &event);
    EXPECT_FALSE(refresh->isChecked());
    refresh->setChecked(true);
    EXPECT_EQ(std::unique_ptr<QMenu>(log->CreateContextMenu()), nullptr);
    EXPECT_FALSE(refresh->isChecked());

    log->Form().m_pPulseLogTree->topLevelItem(0)->setSelected(true);
    refresh->setChecked(true);
    std::unique_ptr<QMenu> menu(log->CreateContextMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(refresh->isChecked());
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Add to Archive..."), QStringLiteral("-"),
                                  QStringLiteral("Clear..."), QStringLiteral("Save...")}));
    // "Clear..." empties the detector's list and the window, without asking.
    menu->actions().at(2)->trigger();
    EXPECT_EQ(m_maker.Detector().GetPulseCount(), 0);
    EXPECT_EQ(log->Form().m_pPulseLogTree->topLevelItemCount(), 0);
    EXPECT_EQ(log->Form().m_pEventsLabel->text(), QStringLiteral("0 events"));
}

TEST_F(PulseLogTest, AddToArchiveSavesTheImageFirstAndFilesThePulseInHertz)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ISignalsArchive* archive = g_DeviceThread.m_pArchive;
    ASSERT_NE(archive, nullptr);
    archive->SetFolder(folder.path().toStdWString());
    const int64_t start = LocalTime(2024, 5, 3, 12, 34, 56);
    std::unique_ptr<CPulseLogWindow> log = MakeLog({
        {433.92, start, start + 5, {100, 0.015}},
        {868.3, start, start, {100, 0.02}},
    });
    QTreeWidget* tree = log->Form().m_pPulseLogTree;
    ASSERT_EQ(tree->topLevelItemCount(), 2);

    // The image is written by whoever receives the path, before the entry is filed.
    std::vector<std::pair<QString, size_t>> saved;
    QObject::connect(log.get(), &CPulseLogWindow::savePulse,
                     [&saved, archive](const QString& path)
                     {
                         std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
                         archive->GetSignalsOfGroup(entries, -1);
                         saved.emplace_back(path, entries.size());
                         QFile image(path);
                         ASSERT_TRUE(image.open(QIODevice::WriteOnly));
                         image.write("image");
                     });
    std::vector<ARCHIVE_SIGNAL_ENTRY> before;
    archive->GetSignalsOfGroup(before, -1);
    QSignalSpy filed(log.get(), &CPulseLogWindow::saveArchive);

    // Cancelled: nothing saved, nothing filed; no current row: not even asked.
    tree->setCurrentItem(tree->topLevelItem(0));
    {
        CScriptedPrompt prompt;
        prompt.RunDialog([](QDialog&) { return int(QDialog::Rejected); },
                         QStringLiteral("Add Signal to Archive"));
        log->OnAddToArchive();
    }
    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(filed.count(), 0);

    const auto add = [&log](const QString& comment)
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(
            [comment](QDialog& dialog)
            {
                auto& entry = static_cast<CNewSignalEntryDialog&>(dialog);
                EXPECT_TRUE(entry.Form().m_pImageCheck->isHidden());
                entry.Form().m_pCommentEdit->setText(comment);
                entry.accept();
                return dialog.result();
            });
        log->OnAddToArchive();
    };
    for (int row = 0; row < 2; ++row)
    {
        tree->setCurrentItem(tree->topLevelItem(row));
        add(QStringLiteral("pulse %1").arg(row));
    }

    const QString first = folder.path() + QStringLiteral("/20240503123456000_rod.img");
    const QString second = folder.path() + QStringLiteral("/20240503123456000_rod_2.img");
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].first, first);
    EXPECT_EQ(saved[0].second, before.size());
    // A second pulse of the same second keeps its own image.
    EXPECT_EQ(saved[1].first, second);
    EXPECT_EQ(saved[1].second, before.size() + 1);

    std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
    archive->GetSignalsOfGroup(entries, -1);
    ASSERT_EQ(entries.size(), before.size() + 2);
    // Each entry asks for the archive file to be written.
    EXPECT_EQ(filed.count(), 2);
    const ARCHIVE_SIGNAL_ENTRY& entry = entries[before.size()];
    EXPECT_EQ(entry.FreqBegin, 433920000.0);
    EXPECT_EQ(entry.FreqEnd, 433920000.0);
    EXPECT_EQ(entry.FreqPeak, 433920000.0);
    EXPECT_DOUBLE_EQ(entry.Level, 0.015);
    EXPECT_EQ(entry.Excess, -1.0);
    EXPECT_EQ(entry.Source, 3);
    EXPECT_EQ(entry.Channel, g_DeviceThread.GetChannelType());
    EXPECT_EQ(entry.Timestamp, start);
    EXPECT_EQ(entry.Comment, L"pulse 0");
    EXPECT_EQ(QString::fromStdWString(entry.RangeImageFile), first);
    EXPECT_TRUE(entry.DdcImageFile.empty());
    EXPECT_TRUE(entry.DemodImageFile.empty());
    EXPECT_TRUE(entry.SoundRecordingFile.empty());
    EXPECT_EQ(entry.SignalRecordingNo, -1);
    EXPECT_EQ(entries[before.size() + 1].FreqPeak, 868300000.0);
    EXPECT_EQ(QString::fromStdWString(entries[before.size() + 1].RangeImageFile), second);

    tree->setCurrentItem(nullptr);
    {
        CScriptedPrompt prompt;  // nothing may be asked
        log->OnAddToArchive();
    }
    EXPECT_EQ(saved.size(), 2u);
}

TEST_F(PulseLogTest, TheWebPageHoldsTheRowsShownInTheirOrder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const int64_t start = LocalTime(2024, 5, 3, 12, 34, 56);
    std::unique_ptr<CPulseLogWindow> log = MakeLog({
        {433.92, start, start + 90000, {100, 0.015}},
        {868.3, start + 1, start + 61, {200, 0.012}},
        {2400.0, start + 2, start + 2, {100, 0.025}},
    });
    // The filter drops the 25 mV pulse; the list is shown by frequency, highest first.
    log->m_Filter.enabled = log->m_Filter.byAmpl = true;
    log->m_Filter.minAmpl = 10.0;
    log->m_Filter.maxAmpl = 20.0;
    log->FillList();
    log->Form().m_pPulseLogTree->sortByColumn(1, Qt::DescendingOrder);
    // The bursts and the fall of the envelope after them, at the core's sample rate.
    ASSERT_EQ(Column(*log, 2), (QStringList{QStringLiteral("5.93 us"), QStringLiteral("4.36 us")}));

    const QString path = folder.path() + QStringLiteral("/log.html");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(path, QStringLiteral("Save Log As Web page"));
        log->OnSaveButton();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].text, QStringLiteral("Web pages (*.htm *.html)"));
        EXPECT_TRUE(prompt.Asked()[0].initial.isEmpty());
    }
    QFile page(path);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray expected =
        "<html>\r\n<head>\r\n<title>Discovered signals</title>\r\n</head>\r\n<h1>Discovered signals</h1>\r\n"
        "<table border=1 cellspacing=0><TR><TD align=middle>Date/time</TD><TD align=middle>Freq. (+/- 32 "
        "MHz)</TD><TD align=middle>Pulse Duration</TD><TD align=middle>Signal Duration</TD><TD "
        "align=middle>Peak Level</TD></TR>\r\n"
        "<TR><TD align=middle>03.05.2024 12:34:57</TD><TD align=middle>868.30 MHz</TD><TD align=middle>5.93 "
        "us</TD>"
        "<TD align=middle>00:01:00</TD><TD align=middle>12.0 mV</TD></TR>\r\n"
        "<TR><TD align=middle>03.05.2024 12:34:56</TD><TD align=middle>433.92 MHz</TD><TD align=middle>4.36 "
        "us</TD>"
        "<TD align=middle>25:00:00</TD><TD align=middle>15.0 mV</TD></TR>\r\n"
        "</table></html>";
    EXPECT_EQ(page.readAll(), expected);
    EXPECT_EQ(g_Parameters.GetString(QStringLiteral("FilePaths"), QStringLiteral("PulseLogSave"), QString()),
              folder.path());

    // A page that cannot be written says so and leaves the stored folder alone.
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(folder.path() + QStringLiteral("/missing/log.html"))
            .Answer(QMessageBox::Ok, QStringLiteral("Error saving pulse detection results!"));
        log->OnSaveButton();
        EXPECT_EQ(prompt.Asked()[0].initial, folder.path());
    }
    EXPECT_EQ(g_Parameters.GetString(QStringLiteral("FilePaths"), QStringLiteral("PulseLogSave"), QString()),
              folder.path());
    // Cancelled: nothing written.
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString());
        log->OnSaveButton();
    }
}

TEST_F(PulseLogTest, AClickInTheLogStopsTheSearchBeforeThePulseIsShown)
{
    CPulseWindow window;
    window.OnStartButton();
    IPulseDetect* detector = g_DeviceThread.m_pPulseDetect;
    ASSERT_TRUE(detector->IsRunning());
    // The search is at its first frequency; the receiver brings a burst there that settles below the
    // window's 5 mV threshold.
    FeedOnePulse(*detector, Burst{100, 0.001});
    ASSERT_EQ(detector->GetPulseCount(), 1);

    CPulseLogWindow* log = window.LogWindow();
    ASSERT_NE(log, nullptr);
    log->OnRefreshButton();
    ASSERT_EQ(log->Form().m_pPulseLogTree->topLevelItemCount(), 1);
    EXPECT_EQ(log->Form().m_pEventsLabel->text(), QStringLiteral("1 events"));

    std::vector<std::string> order;
    QObject::connect(&window, &CPulseWindow::stopped, [&order] { order.push_back("stopped"); });
    QObject::connect(&window, &CPulseWindow::clkDivCntChanged,
                     [&order](int divider)
                     { order.push_back("clkDivCntChanged " + std::to_string(divider)); });
    QObject::connect(&window, &CPulseWindow::viewPulse,
                     [&order, detector](const std::vector<double>& envelope)
                     {
                         EXPECT_FALSE(detector->IsRunning());
                         order.push_back("viewPulse " + std::to_string(envelope.size()));
                     });
    log->OnItemClicked(log->Form().m_pPulseLogTree->topLevelItem(0), 0);
    EXPECT_EQ(order, (std::vector<std::string>{"stopped", "clkDivCntChanged 0",
                                               "viewPulse " + std::to_string(kBlockPoints)}));
    EXPECT_TRUE(window.Form().m_pStartButton->isEnabled());
}
