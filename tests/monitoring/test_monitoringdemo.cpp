// Monitoring end to end in demo mode, in-process with the real library and the main window: the
// "Monitoring" button over a range around the demo tone, Start, and the event log listing the tone's
// event; the first event is announced once; Stop gives the range calculator back as the operator had
// it; an event filed in the archive reaches the archive file.

#include <gtest/gtest.h>

#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <memory>
#include <vector>

#include "demowindow.h"
#include "devicethread.h"
#include "globals.h"
#include "icalcfft.h"
#include "igraphic.h"
#include "imonitoring.h"
#include "monitoring2window.h"
#include "monitoringlogwindow.h"
#include "newsignalentrydialog.h"
#include "parameters.h"
#include "rangeview.h"
#include "scriptedprompt.h"
#include "ui_monitoring2window.h"
#include "ui_monitoringlogwindow.h"
#include "veltrano.h"

namespace
{
constexpr double kFromMHz = 250.0;
constexpr double kToMHz = 350.0;

TEST(MonitoringDemoTest, StartOverTheDemoToneListsItsEventAndStopGivesTheCalculatorBack)
{
    // Thresholds the tone stands far above.
    g_Parameters.SetDouble(QStringLiteral("Analysis"), QStringLiteral("SquelchValue2"), 10.0);
    g_Parameters.SetInt(QStringLiteral("Analysis"), QStringLiteral("AverValue"), 50);
    auto window = StartDemoWindow();
    ASSERT_TRUE(g_DeviceThread.IsDemoMode());
    auto* view = window->findChild<CRangeView*>(QStringLiteral("m_pRangeGraphView"));
    ASSERT_NE(view, nullptr);

    // The range the operator looks at, shown and stored.
    const QString prefix = g_DeviceThread.GetChannelPrefix(-1);
    g_Parameters.SetDouble(QStringLiteral("RangeSpectrum"), prefix + QStringLiteral("StartXValue"), kFromMHz);
    g_Parameters.SetDouble(QStringLiteral("RangeSpectrum"), prefix + QStringLiteral("EndXValue"), kToMHz);
    view->SetXWindow(kFromMHz, kToMHz);
    ASSERT_NE(view->GetGraphicAt(0), nullptr);
    ASSERT_DOUBLE_EQ(view->GetGraphicAt(0)->GetXFrom(), kFromMHz);

    // The operator's own averaging and window of the range calculator.
    ICalcFft* fft = g_DeviceThread.m_pRangeFft1;
    ASSERT_NE(fft, nullptr);
    fft->SetAveraging(2);
    fft->SetWindow(1);

    IMonitoring* monitoring = g_DeviceThread.m_pMonitoring;
    auto* monitoringWindow = window->findChild<CMonitoring2Window*>();
    ASSERT_NE(monitoringWindow, nullptr);
    window->findChild<QPushButton*>(QStringLiteral("m_pMonitoring2Button"))->click();
    ASSERT_TRUE(monitoringWindow->isVisible());
    EXPECT_DOUBLE_EQ(monitoringWindow->GetStartFreq(), kFromMHz);
    EXPECT_DOUBLE_EQ(monitoringWindow->GetEndFreq(), kToMHz);

    CScriptedPrompt prompt;
    // Demo mode has no front-end unit: the first event is announced without a sector.
    prompt.RunDialog(
        [](QDialog& dialog)
        {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            EXPECT_NE(box, nullptr);
            if (box)
            {
                EXPECT_EQ(box->text(), QStringLiteral("You've got an event!!!"));
            }
            return int(QDialog::Accepted);
        });
    monitoringWindow->Form().m_pStartButton->click();
    ASSERT_TRUE(monitoring->IsRunning());

    auto eventInRange = [monitoring]
    {
        std::vector<MONITORING_EVENT> events;
        monitoring->GetEvents(events);
        for (const MONITORING_EVENT& event : events)
            if (event.peakFreq >= kFromMHz && event.peakFreq <= kToMHz)
                return true;
        return false;
    };
    ASSERT_TRUE(QTest::qWaitFor(eventInRange, 30000)) << "no event within 30 s of demo data";
    EXPECT_EQ(fft->GetWindow(), 6) << "monitoring runs with its own window";
    // The poll runs meanwhile without restarting: the range and settings stay as Start took them.
    monitoringWindow->OnTimer();
    EXPECT_TRUE(monitoring->IsRunning());

    // A new range while running: an enabled task over it runs on, and no event is lost.
    std::vector<MONITORING_EVENT> before;
    monitoring->GetEvents(before);
    monitoringWindow->StartForRange(kFromMHz + 5.0, kToMHz - 5.0);
    EXPECT_TRUE(monitoring->IsRunning());
    ASSERT_EQ(monitoring->GetTasksCount(), 1);
    EXPECT_TRUE(monitoring->GetTaskByOrder(0).Enabled);
    EXPECT_EQ(monitoring->GetTaskByOrder(0).Ranges[0].StartFreq, kFromMHz + 5.0);
    std::vector<MONITORING_EVENT> after;
    monitoring->GetEvents(after);
    for (const MONITORING_EVENT& event : before)
        EXPECT_TRUE(std::any_of(after.begin(), after.end(),
                                [&event](const MONITORING_EVENT& kept) { return kept.id == event.id; }))
            << "event " << event.id << " was dropped";
    // The next poll takes the stored range again.
    monitoringWindow->OnTimer();
    EXPECT_EQ(monitoring->GetTaskByOrder(0).Ranges[0].StartFreq, kFromMHz);
    EXPECT_TRUE(monitoring->IsRunning());

    monitoringWindow->Form().m_pViewLogButton->click();
    CMonitoringLogWindow* log = monitoringWindow->LogWindow();
    ASSERT_TRUE(log->isVisible());
    QTreeWidget* tree = log->Form().m_pLogTree;
    QTreeWidgetItem* toneRow = nullptr;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
    {
        const double freq = tree->topLevelItem(i)->data(2, Qt::UserRole).toDouble();
        if (freq >= kFromMHz && freq <= kToMHz)
            toneRow = tree->topLevelItem(i);
    }
    ASSERT_NE(toneRow, nullptr);
    EXPECT_EQ(prompt.Asked().size(), 1u) << "the new-event box is asked once";

    monitoringWindow->Form().m_pStopButton->click();
    EXPECT_FALSE(monitoring->IsRunning());
    EXPECT_EQ(fft->GetAveraging(), 2);
    EXPECT_EQ(fft->GetWindow(), 1);
    EXPECT_EQ(monitoringWindow->Form().m_pStatusLabel->text(), QStringLiteral("Monitoring stopped"));

    // The event filed in the archive reaches the archive file.
    const QString archivePath =
        QStandardPaths::writableLocation(QStandardPaths::DataLocation) + QStringLiteral("/archive.xml");
    QFile::remove(archivePath);
    tree->clearSelection();
    tree->setCurrentItem(toneRow);
    toneRow->setSelected(true);
    std::unique_ptr<QMenu> menu(log->CreateContextMenu());
    ASSERT_NE(menu, nullptr);
    prompt.RunDialog(
        [](QDialog& dialog)
        {
            static_cast<CNewSignalEntryDialog&>(dialog).accept();
            return dialog.result();
        },
        QStringLiteral("Add Signal to Archive"));
    menu->actions()[0]->trigger();
    QFile archive(archivePath);
    ASSERT_TRUE(archive.open(QIODevice::ReadOnly));
    EXPECT_TRUE(archive.readAll().contains("Source=\"2\"")) << "the monitoring entry is in the file";

    menu.reset();
    EXPECT_TRUE(window->close());
    window.reset();
    g_DeviceThread.Stop();
}
}  // namespace
