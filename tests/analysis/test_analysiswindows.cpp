#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTreeWidget>

#include <cmath>
#include <functional>
#include <memory>

#include "analysiswindow.h"
#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "gsmanalysiswindow.h"
#include "knownfreqranges2window.h"
#include "knownfreqrangeswindow.h"
#include "octavefilterswindow.h"
#include "parameters.h"
#include "pulsewindow.h"
#include "scriptedprompt.h"
#include "templateswindow.h"

namespace
{
// Each test runs in its own process on a fresh settings document and a fresh library core, with the
// channels created as at program start.
class AnalysisWindowsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_FftOptions.Init();
        g_DeviceThread.LoadCorrections();
    }

    static QSettings PlainKeys() { return QSettings(g_Parameters.FilePath(), QSettings::IniFormat); }
};

ANALYSIS_RESULT_ITEM Result(int status, double peak, double start, double end)
{
    ANALYSIS_RESULT_ITEM item;
    item.status = status;
    item.peakFreq = peak;
    item.startFreq = start;
    item.endFreq = end;
    item.level = -50.0;
    item.excess = 6.0;
    return item;
}
}  // namespace

TEST_F(AnalysisWindowsTest, EveryWindowBuildsWithItsSettingsNameAndTitle)
{
    struct Case
    {
        std::function<CQDockWindow*()> make;
        const char* settingsName;
        const char* title;
    };
    const Case cases[] = {
        {[] { return new CAnalysisWindow(nullptr); }, "AnalysisWindow", "Full Range Analysis"},
        {[] { return new CGsmAnalysisWindow(30.0); }, "GsmAnalysisWindow", "GSM Analysis"},
        {[] { return new CTemplatesWindow; }, "TemplatesWindow", "Templates Window"},
        {[] { return new CPulseWindow; }, "PulseWindow", "Pulse Detector Window"},
        {[] { return new CKnownFreqRangesWindow; }, "KnownFreqRangesWindow", "Frequency Ranges OLD"},
        {[] { return new CKnownFreqRanges2Window; }, "KnownFreqRanges2Window", "Frequency Ranges"},
        {[]
         {
             return new COctaveFiltersWindow(QStringLiteral("Full Range Octave Filters"),
                                             QStringLiteral("OctaveFilters1"));
         },
         "OctaveFilters1", "Full Range Octave Filters"},
        {[]
         {
             return new COctaveFiltersWindow(QStringLiteral("Demodulation Octave Filters"),
                                             QStringLiteral("OctaveFilters2"));
         },
         "OctaveFilters2", "Demodulation Octave Filters"},
    };
    for (const Case& c : cases)
    {
        std::unique_ptr<CQDockWindow> window(c.make());
        EXPECT_EQ(window->GetSettingsName(), QLatin1String(c.settingsName));
        EXPECT_EQ(window->objectName(), QLatin1String(c.settingsName));
        EXPECT_EQ(window->windowTitle(), QLatin1String(c.title)) << c.settingsName;
        EXPECT_FALSE(window->isVisible()) << c.settingsName;
        EXPECT_TRUE(g_Parameters.HasSection(QLatin1String(c.settingsName)));
    }
}

TEST_F(AnalysisWindowsTest, AnalysisListsOnlyRealResultsUpToTheUpperLimitButSendsThemAll)
{
    std::vector<ANALYSIS_RESULT_ITEM>& results = g_DeviceThread.m_pAnalysis->GetResults();
    results = {
        Result(2, 100.0, 99.0, 101.0),     // listed, new
        Result(0, 0.0, 99.0, 101.0),       // no signal
        Result(0, 200.0, 200.0, 200.0),    // empty span
        Result(255, 300.0, 299.0, 301.0),  // deleted by the operator
        Result(0, 499.0, 498.0, 500.5),    // ends above the limit
        Result(3, 499.0, 498.0, 500.0),    // ends on the limit: listed, gone
    };
    results[5].excess = -2.5;
    CAnalysisWindow window(nullptr);
    window.m_dUpperLimit = 500.0;
    QSignalSpy finished(&window, &CAnalysisWindow::analysisFinished);
    window.ApplyOptions(true);

    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("m_pTreeWidget"));
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->data(3, Qt::UserRole).toInt(), 0);
    EXPECT_EQ(tree->topLevelItem(1)->data(3, Qt::UserRole).toInt(), 5);
    EXPECT_EQ(tree->topLevelItem(0)->background(0).color(), QColor(Qt::red));
    EXPECT_EQ(tree->topLevelItem(1)->background(0).color(), QColor(100, 100, 255));
    // Level and excess are sorted by their numbers, kept beside their texts.
    EXPECT_DOUBLE_EQ(tree->topLevelItem(0)->data(2, Qt::UserRole).toDouble(), 6.0);
    EXPECT_DOUBLE_EQ(tree->topLevelItem(1)->data(2, Qt::UserRole).toDouble(), -2.5);
    EXPECT_DOUBLE_EQ(tree->topLevelItem(1)->data(1, Qt::UserRole).toDouble(), -50.0);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).value<std::vector<ANALYSIS_RESULT_ITEM>>().size(), results.size());

    // Not refreshing does nothing at all.
    window.ApplyOptions(false);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(AnalysisWindowsTest, ClearedAnalysisResultsDoNotComeBackOnTheNextShow)
{
    g_DeviceThread.m_pAnalysis->GetResults() = {Result(2, 100.0, 99.0, 101.0)};
    CAnalysisWindow window(nullptr);
    window.m_dUpperLimit = 1000.0;
    window.ApplyOptions(true);
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("m_pTreeWidget"));
    ASSERT_EQ(tree->topLevelItemCount(), 1);

    QSignalSpy finished(&window, &CAnalysisWindow::analysisFinished);
    QSignalSpy tune(&window, &CAnalysisWindow::freqChange);
    tree->setCurrentItem(tree->topLevelItem(0));
    ASSERT_EQ(tune.count(), 1);
    EXPECT_DOUBLE_EQ(tune.at(0).at(0).toDouble(), 100.0);
    EXPECT_DOUBLE_EQ(tune.at(0).at(1).toDouble(), 0.0);

    // A channel change clears the results; the library still publishes its old list.
    window.ClearResults();
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    window.ApplyOptions(true);
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_TRUE(finished.at(0).at(0).value<std::vector<ANALYSIS_RESULT_ITEM>>().empty());
}

TEST_F(AnalysisWindowsTest, GsmWindowRetunesToTheStoredBandWhenShown)
{
    struct Case
    {
        QVariant stored;  // invalid: no key
        double freqMHz;
        int written;
    };
    const Case cases[] = {{QVariant(), 948.0, 0}, {1, 1844.0, 1}, {5, 1844.0, 1}, {0, 948.0, 0}};
    for (const Case& c : cases)
    {
        {
            QSettings keys = PlainKeys();
            if (c.stored.isValid())
                keys.setValue(QStringLiteral("GsmAnalysisWindow/GsmMode"), c.stored);
            else
                keys.remove(QStringLiteral("GsmAnalysisWindow/GsmMode"));
        }
        CGsmAnalysisWindow window(30.0);
        QSignalSpy tune(&window, &CGsmAnalysisWindow::ddcFreqChanged);
        window.setVisible(true);
        ASSERT_EQ(tune.count(), 1) << c.stored.toString().toStdString();
        EXPECT_DOUBLE_EQ(tune.at(0).at(0).toDouble(), c.freqMHz);
        EXPECT_EQ(PlainKeys().value(QStringLiteral("GsmAnalysisWindow/GsmMode")).toInt(), c.written);
        EXPECT_EQ(window.Form().m_pG900Radio->isChecked(), c.written == 0);
        EXPECT_EQ(window.Form().m_pG1800Radio->isChecked(), c.written == 1);
        window.setVisible(false);
    }
}

TEST_F(AnalysisWindowsTest, HidingARunningGsmAnalysisStopsItAndLetsTheSynthesiserScanAgain)
{
    CGsmAnalysisWindow window(30.0);
    window.setVisible(true);
    window.OnStartStopButton();
    ASSERT_TRUE(g_DeviceThread.m_pGsmAnalysis->IsRunning());
    EXPECT_FALSE(g_DeviceThread.m_pAdf->IsEnabled());
    EXPECT_EQ(window.Form().m_pStartStopButton->text(), QStringLiteral("Stop"));
    window.setVisible(false);
    EXPECT_FALSE(g_DeviceThread.m_pGsmAnalysis->IsRunning());
    EXPECT_TRUE(g_DeviceThread.m_pAdf->IsEnabled());
    EXPECT_EQ(window.Form().m_pStartStopButton->text(), QStringLiteral("Start"));
    EXPECT_EQ(PlainKeys().value(QStringLiteral("GsmAnalysisWindow/Channels")).toInt(), 80);
}

TEST_F(AnalysisWindowsTest, TemplatesReportWhetherAnyTemplateIsOn)
{
    CTemplatesWindow window;
    QSignalSpy activated(&window, &CTemplatesWindow::templateActivated);
    const QString key = g_DeviceThread.GetChannelPrefix(-1) + QStringLiteral("Enable");

    TEMPLATE_ITEM named;
    named.name = L"airport";
    named.enabled = true;
    ARCHIVE_SIGNAL_ENTRY range;
    range.FreqBegin = 118.0;
    range.FreqEnd = 137.0;
    named.entries.push_back(range);
    ASSERT_TRUE(g_DeviceThread.m_pTemplates->Add(named));
    window.OnRefreshGroups();
    window.OnChangedParams();
    ASSERT_EQ(activated.count(), 1);
    EXPECT_TRUE(activated.at(0).at(0).toBool());
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("TemplatesWindow"), key, -1), 1);

    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("m_pTreeWidget"));
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* row = tree->topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("airport"));
    ASSERT_EQ(row->childCount(), 1);
    EXPECT_EQ(row->child(0)->text(0), QStringLiteral("118.00"));

    // Switching the only template off reports false and reaches the library.
    row->setCheckState(0, Qt::Unchecked);
    window.OnTreeWidgetItemClicked(row, 0);
    ASSERT_EQ(activated.count(), 2);
    EXPECT_FALSE(activated.at(1).at(0).toBool());
    EXPECT_FALSE(g_DeviceThread.m_pTemplates->Get(0).enabled);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("TemplatesWindow"), key, -1), 0);
}

TEST_F(AnalysisWindowsTest, PulseWindowTakesOverTheHighFrequencyInputWhileShown)
{
    ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
    g_Parameters.SetInt(QStringLiteral("PulseWindow"), QStringLiteral("MaxTime"), 2);
    CPulseWindow window;
    g_DeviceThread.m_pAdf->SetOnlyDdc(false);
    g_DeviceThread.m_pAdf->SetEnabled(true);

    QSignalSpy trigger(&window, &CPulseWindow::enableTrigger);
    QSignalSpy level(&window, &CPulseWindow::triggerLevelChanged);
    QSignalSpy divider(&window, &CPulseWindow::clkDivCntChanged);
    window.setVisible(true);
    EXPECT_TRUE(g_DeviceThread.m_pAdf->IsOnlyDdc());
    EXPECT_FALSE(g_DeviceThread.m_pAdf->IsEnabled());
    ASSERT_EQ(trigger.count(), 1);
    EXPECT_TRUE(trigger.at(0).at(0).toBool());
    ASSERT_EQ(level.count(), 1);
    EXPECT_DOUBLE_EQ(level.at(0).at(0).toDouble(), 0.005);  // the default 5 mV
    ASSERT_EQ(divider.count(), 1);
    EXPECT_EQ(divider.at(0).at(0).toInt(), 4);

    window.setVisible(false);
    EXPECT_FALSE(g_DeviceThread.m_pAdf->IsOnlyDdc());
    EXPECT_TRUE(g_DeviceThread.m_pAdf->IsEnabled());
    ASSERT_EQ(trigger.count(), 2);
    EXPECT_FALSE(trigger.at(1).at(0).toBool());
    ASSERT_EQ(divider.count(), 2);
    EXPECT_EQ(divider.at(1).at(0).toInt(), 0);

    // Shown while only the DDC ran: hiding gives that mode back and leaves the sweep off.
    g_DeviceThread.m_pAdf->SetOnlyDdc(true);
    g_DeviceThread.m_pAdf->SetEnabled(false);
    window.setVisible(true);
    window.setVisible(false);
    EXPECT_TRUE(g_DeviceThread.m_pAdf->IsOnlyDdc());
    EXPECT_FALSE(g_DeviceThread.m_pAdf->IsEnabled());
}

TEST_F(AnalysisWindowsTest, PulseTriggerLevelReachesTheDetectorInVolts)
{
    CPulseWindow window;
    QSignalSpy level(&window, &CPulseWindow::triggerLevelChanged);
    window.setTriggerLevel(0.0125);
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("m_pTriggerLevelEdit"))->text(),
              QStringLiteral("12.50"));
    ASSERT_EQ(level.count(), 1);
    EXPECT_DOUBLE_EQ(level.at(0).at(0).toDouble(), 0.0125);
    window.ApplyTriggerSettings();
    EXPECT_DOUBLE_EQ(g_DeviceThread.m_pPulseDetect->GetSettings().level, 0.0125);
    EXPECT_FALSE(g_DeviceThread.m_pPulseDetect->GetSettings().autoThreshold);
    EXPECT_FALSE(window.IsShowEnvelope());

    // A threshold that is no finite number counts as 0 V; the automatic choice goes with it.
    auto* edit = window.findChild<QLineEdit*>(QStringLiteral("m_pTriggerLevelEdit"));
    for (const char* text : {"nan", "inf", "five"})
    {
        edit->setText(QLatin1String(text));
        window.ApplyTriggerSettings();
        EXPECT_EQ(g_DeviceThread.m_pPulseDetect->GetSettings().level, 0.0) << text;
    }
    window.Form().m_pAutoRadio->setChecked(true);
    window.ApplyTriggerSettings();
    EXPECT_TRUE(g_DeviceThread.m_pPulseDetect->GetSettings().autoThreshold);
    // The range view's line sets the level back to manual.
    window.setTriggerLevel(0.002);
    EXPECT_TRUE(window.Form().m_pManualRadio->isChecked());
    window.ApplyTriggerSettings();
    EXPECT_FALSE(g_DeviceThread.m_pPulseDetect->GetSettings().autoThreshold);
    EXPECT_DOUBLE_EQ(g_DeviceThread.m_pPulseDetect->GetSettings().level, 0.002);
}

TEST_F(AnalysisWindowsTest, PulseRangesOutsideTheChannelOrNotNumbersNeverReachTheDetector)
{
    ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
    IChannel* channel = g_DeviceThread.GetChannel(-1);
    const double lo = channel->GetStartFreq();
    const double hi = channel->GetViewStopFreq();
    struct Case
    {
        QString start;
        QString end;
        bool accepted;
    };
    const Case cases[] = {
        {QString::number(lo), QString::number(hi), true},
        {QString::number(lo - 1.0), QString::number(hi), false},
        {QString::number(lo), QString::number(hi + 1.0), false},
        {QString::number(hi), QString::number(lo), false},
        {QStringLiteral("nan"), QString::number(hi), false},
        {QString::number(lo), QStringLiteral("nan"), false},
        {QStringLiteral("-inf"), QStringLiteral("inf"), false},
        {QStringLiteral("900"), QStringLiteral("900"), true},
    };
    for (const Case& c : cases)
    {
        g_Parameters.SetDouble(QStringLiteral("PulseWindow"), QStringLiteral("RangesCount"), 1.0);
        g_Parameters.SetString(QStringLiteral("PulseWindow"), QStringLiteral("StartFreq0"), c.start);
        g_Parameters.SetString(QStringLiteral("PulseWindow"), QStringLiteral("EndFreq0"), c.end);
        PULSE_DETECT_PARAMS before;
        g_DeviceThread.m_pPulseDetect->SetSettings(before);
        CPulseWindow window;
        CScriptedPrompt prompt;
        if (!c.accepted)
            prompt.Answer(QMessageBox::Ok, QStringLiteral("Wrong frequency ranges specified!"));
        EXPECT_EQ(window.ApplyRanges(), c.accepted) << c.start.toStdString() << " " << c.end.toStdString();
        EXPECT_EQ(g_DeviceThread.m_pPulseDetect->GetSettings().ranges.size(), c.accepted ? 1u : 0u);
    }
}

TEST_F(AnalysisWindowsTest, KnownRangesSelectionGoesOutInListOrder)
{
    CKnownFreqRangesWindow window;
    IKnownFreqDetect* detector = g_DeviceThread.m_pKnownFreq1;
    detector->ClearRanges();
    for (const wchar_t* name : {L"GSM 900 mobile", L"GSM 900 base", L"DCS Mobile", L"UMTS mobile"})
    {
        KNOWN_FREQ_RANGE range;
        range.Name = name;
        range.StartFreq = 900.0;
        range.EndFreq = 915.0;
        range.Band = 0.2;
        range.Averaging = 3;
        detector->AddRange(range);
    }
    window.FillTree();
    QSignalSpy selected(&window, &CKnownFreqRangesWindow::multipleFreqRangesSelected);
    window.OnMobileButton();
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).value<QVector<int>>(), (QVector<int>{0, 3}));
    window.OnBaseButton();
    ASSERT_EQ(selected.count(), 2);
    EXPECT_EQ(selected.at(1).at(0).value<QVector<int>>(), QVector<int>{1});

    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("m_pTreeWidget"));
    EXPECT_EQ(tree->topLevelItem(0)->text(8), QStringLiteral("x8"));
    // Unchecking the last checked row sends nothing.
    tree->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    window.OnTreeItemClicked(tree->topLevelItem(1), 0);
    EXPECT_EQ(selected.count(), 2);
}

TEST_F(AnalysisWindowsTest, RegionalRangesAreTheDeviceListOnlyWhileShown)
{
    {
        QSettings keys = PlainKeys();
        keys.setValue(QStringLiteral("KnownFreqRanges2/Country"), 3);  // Korea, bit 8
        keys.setValue(QStringLiteral("KnownFreqRanges2/0_Count"), 4);
        const int masks[] = {8, 8, 1, 31};
        const int enables[] = {2, 0, 2, 2};
        for (int i = 0; i < 4; ++i)
        {
            keys.setValue(QStringLiteral("KnownFreqRanges2/0_Name_%1").arg(i),
                          QStringLiteral("Range %1").arg(i));
            keys.setValue(QStringLiteral("KnownFreqRanges2/0_StartFreq_%1").arg(i), 100.0 + i);
            keys.setValue(QStringLiteral("KnownFreqRanges2/0_EndFreq_%1").arg(i), 100.5 + i);
            keys.setValue(QStringLiteral("KnownFreqRanges2/0_Switch_%1").arg(i), i);
            keys.setValue(QStringLiteral("KnownFreqRanges2/0_regionMask_%1").arg(i), masks[i]);
            keys.setValue(QStringLiteral("KnownFreqRanges2/0_Enable_%1").arg(i), enables[i]);
        }
    }
    CKnownFreqRanges2Window window;
    window.setVisible(true);
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("m_pTreeWidget"));
    ASSERT_EQ(tree->topLevelItemCount(), 3);  // rows 0, 1 and 3 belong to the region
    EXPECT_EQ(g_DeviceThread.m_pControlBits->GetKnownRangeCount(), 2);

    window.setVisible(false);
    EXPECT_EQ(g_DeviceThread.m_pControlBits->GetKnownRangeCount(), 0);

    window.setVisible(true);
    QTreeWidgetItem* second = tree->topLevelItem(1);
    second->setCheckState(0, Qt::Checked);
    window.OnTreeItemClicked(second, 0);
    EXPECT_EQ(PlainKeys().value(QStringLiteral("KnownFreqRanges2/0_Enable_1")).toInt(), 2);
    EXPECT_EQ(g_DeviceThread.m_pControlBits->GetKnownRangeCount(), 3);
}

TEST_F(AnalysisWindowsTest, OctaveWindowsKeepTypeAndRangeApartAndFitTheScale)
{
    g_Parameters.SetInt(QStringLiteral("OctaveFilters2"), QStringLiteral("Range"), 1);
    g_Parameters.SetInt(QStringLiteral("OctaveFilters2"), QStringLiteral("Type"), 1);
    {
        COctaveFiltersWindow range(QStringLiteral("Full Range Octave Filters"),
                                   QStringLiteral("OctaveFilters1"));
        COctaveFiltersWindow demod(QStringLiteral("Demodulation Octave Filters"),
                                   QStringLiteral("OctaveFilters2"));
        EXPECT_EQ(range.m_pTypeCombo->currentIndex(), 0);
        EXPECT_EQ(demod.m_pTypeCombo->currentIndex(), 1);
        EXPECT_DOUBLE_EQ(range.m_pDiagramWidget->m_dUpperLevel, -60.0);
        EXPECT_DOUBLE_EQ(demod.m_pDiagramWidget->m_dUpperLevel, 0.0);  // -120 + 120 dB

        range.SetLevels({{QStringLiteral("31.5 Hz"), -80.0},
                         {QStringLiteral("63 Hz"), -95.5},
                         {QStringLiteral("125 Hz"), -170.0}});
        range.OnAutoZeroButton();
        EXPECT_DOUBLE_EQ(range.m_pDiagramWidget->m_dLowerLevel, -96.5);
        EXPECT_DOUBLE_EQ(range.m_pDiagramWidget->m_dUpperLevel, -36.5);
        range.m_pRangeCombo->setCurrentIndex(1);
        EXPECT_DOUBLE_EQ(range.m_pDiagramWidget->m_dUpperLevel, 23.5);
        range.m_pRangeCombo->setCurrentIndex(0);
        EXPECT_DOUBLE_EQ(range.m_pDiagramWidget->m_dLowerLevel, -96.5);
        EXPECT_DOUBLE_EQ(range.m_pDiagramWidget->m_dUpperLevel, -36.5);

        // Without real levels the scale goes to 29 dB and keeps its span.
        demod.SetLevels({{QStringLiteral("1 kHz"), -170.0}});
        demod.OnAutoZeroButton();
        EXPECT_DOUBLE_EQ(demod.m_pDiagramWidget->m_dLowerLevel, 29.0);
        EXPECT_DOUBLE_EQ(demod.m_pDiagramWidget->m_dUpperLevel, 149.0);

        range.m_pDiagramWidget->m_nScrollOffset = 40;
        range.m_pTypeCombo->setCurrentIndex(1);
        EXPECT_EQ(range.m_pDiagramWidget->m_nScrollOffset, 0);
        demod.m_pTypeCombo->setCurrentIndex(0);
    }
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("OctaveFilters1"), QStringLiteral("Type"), -1), 1);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("OctaveFilters1"), QStringLiteral("Range"), -1), 0);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("OctaveFilters2"), QStringLiteral("Type"), -1), 0);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("OctaveFilters2"), QStringLiteral("Range"), -1), 1);

    // Indexes the combos do not have (a hand-edited file) count as the first item.
    g_Parameters.SetInt(QStringLiteral("OctaveFilters1"), QStringLiteral("Type"), 5);
    g_Parameters.SetInt(QStringLiteral("OctaveFilters1"), QStringLiteral("Range"), -1);
    {
        COctaveFiltersWindow range(QStringLiteral("Full Range Octave Filters"),
                                   QStringLiteral("OctaveFilters1"));
        EXPECT_EQ(range.m_pTypeCombo->currentIndex(), 0);
        EXPECT_EQ(range.m_pRangeCombo->currentIndex(), 0);
        EXPECT_DOUBLE_EQ(range.m_pDiagramWidget->m_dUpperLevel, -60.0);
    }
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("OctaveFilters1"), QStringLiteral("Type"), -1), 0);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("OctaveFilters1"), QStringLiteral("Range"), -1), 0);
}
