// The monitoring task dialog over the device thread's channels: the unit of the ranges, the channel's
// limits at Add and OK, exact values kept through an edit, the hidden fields carried through, the
// recording time left, and the channel requests.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <optional>
#include <string>
#include <vector>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "inputrangedialog.h"
#include "monitoringtaskdialog.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "ui_monitoringtaskdialog.h"
#include "utils.h"

namespace
{
class MonitoringTaskDialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (g_FftOptions.GetWindowNames().isEmpty())
            g_FftOptions.Init();
        // The program's radio input, then one input of every further type; the types 4 and 6 are
        // low-frequency inputs whose ranges are counted in kHz.
        g_DeviceThread.LoadCorrections();
        IControlBits* bits = g_DeviceThread.m_pControlBits;
        for (int type = 1; type <= 6; ++type)
        {
            IChannel* channel = bits->AddChannel(type, L"T", L"Type " + std::to_wstring(type), 61e6);
            const bool low = type == 4 || type == 6;
            channel->SetStartFreq(low ? 0.009 : 20.0);
            channel->SetStopFreq(low ? 30.0 : 6000.0);
        }
    }
    void TearDown() override { g_DeviceThread.SetChannelType(0); }

    // Switches the device to `type` and takes its limits, MHz.
    void UseChannel(int type)
    {
        ASSERT_TRUE(g_DeviceThread.SetChannelType(type));
        IChannel* channel = g_DeviceThread.GetChannel(-1);
        ASSERT_NE(channel, nullptr);
        min = channel->GetStartFreq();
        max = channel->GetStopFreq();
        ASSERT_LT(min, max);
    }

    static MONITORING_TASK Task(int channel, std::vector<MONITORING_RANGE> ranges)
    {
        MONITORING_TASK task;
        task.Name = L"Task";
        task.Channel = channel;
        task.Ranges = std::move(ranges);
        return task;
    }

    // One run of the range input: what it showed, then the two texts typed and OK.
    static CScriptedPrompt::DialogAction Type(const QString& first, const QString& second,
                                              QStringList* shown = nullptr)
    {
        return [=](QDialog& dialog)
        {
            auto* input = dynamic_cast<CInputRangeDialog*>(&dialog);
            EXPECT_NE(input, nullptr);
            auto* firstEdit = dialog.findChild<QLineEdit*>(QStringLiteral("m_pFirstEdit"));
            auto* secondEdit = dialog.findChild<QLineEdit*>(QStringLiteral("m_pSecondEdit"));
            if (shown)
                *shown << firstEdit->text() << secondEdit->text();
            firstEdit->selectAll();
            QTest::keyClicks(firstEdit, first);
            secondEdit->selectAll();
            QTest::keyClicks(secondEdit, second);
            dialog.findChild<QPushButton*>(QStringLiteral("m_pOkButton"))->click();
            return int(QDialog::Accepted);
        };
    }

    static QStringList Row(const QTreeWidget* tree, int index)
    {
        const QTreeWidgetItem* row = tree->topLevelItem(index);
        return {row->text(0), row->text(1), row->text(2)};
    }

    double min = 0.0;
    double max = 0.0;
};

TEST_F(MonitoringTaskDialogTest, RangesOfKhzInputsAreShownAndTypedInKhzAndStoredInMhz)
{
    struct Case
    {
        int type;
        const char* unit;
        double scale;
    } cases[] = {{4, "kHz", 1000.0}, {6, "kHz", 1000.0}, {0, "MHz", 1.0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.type);
        UseChannel(c.type);
        // A band in the lower half of the input, typed in the unit the dialog offers.
        const double start = min + (max - min) / 8.0;
        const double end = min + (max - min) / 4.0;
        CMonitoringTaskDialog dialog(Task(c.type, {{start, end}}));
        QTreeWidget* tree = dialog.Form().m_pRangesTree;
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        EXPECT_EQ(Row(tree, 0), (QStringList{QString::number(start * c.scale, 'g', 6),
                                             QString::number(end * c.scale, 'g', 6), c.unit}));
        const QString typedStart = QString::number(start * c.scale, 'f', 0);
        const QString typedEnd = QString::number(end * c.scale, 'f', 0);
        {
            CScriptedPrompt prompt;
            prompt.RunDialog(Type(typedStart, typedEnd), QStringLiteral("FrequencyRange"));
            dialog.OnAddButton();
        }
        ASSERT_EQ(tree->topLevelItemCount(), 2);
        EXPECT_EQ(Row(tree, 1), (QStringList{typedStart, typedEnd, c.unit}));
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        ASSERT_EQ(dialog.m_Task.Ranges.size(), 2u);
        EXPECT_EQ(dialog.m_Task.Ranges[0].StartFreq, start);
        EXPECT_EQ(dialog.m_Task.Ranges[0].EndFreq, end);
        EXPECT_DOUBLE_EQ(dialog.m_Task.Ranges[1].StartFreq, typedStart.toDouble() / c.scale);
        EXPECT_DOUBLE_EQ(dialog.m_Task.Ranges[1].EndFreq, typedEnd.toDouble() / c.scale);
        EXPECT_EQ(dialog.m_Task.Channel, c.type);
    }
}

TEST_F(MonitoringTaskDialogTest, OnKhzInputsOneHundredToTwoHundredKhzIsATenthToAFifthOfAMegahertz)
{
    for (const int type : {4, 6})
    {
        SCOPED_TRACE(type);
        UseChannel(type);
        if (min > 0.1 || max < 0.2)
            GTEST_SKIP() << "the input does not reach 100 to 200 kHz: " << min << " to " << max;
        CMonitoringTaskDialog dialog(Task(type, {}));
        {
            CScriptedPrompt prompt;
            prompt.RunDialog(Type(QStringLiteral("100"), QStringLiteral("200")));
            dialog.OnAddButton();
        }
        dialog.accept();
        ASSERT_EQ(dialog.m_Task.Ranges.size(), 1u);
        EXPECT_DOUBLE_EQ(dialog.m_Task.Ranges[0].StartFreq, 0.1);
        EXPECT_DOUBLE_EQ(dialog.m_Task.Ranges[0].EndFreq, 0.2);
        CMonitoringTaskDialog again(dialog.m_Task);
        EXPECT_EQ(Row(again.Form().m_pRangesTree, 0),
                  (QStringList{QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("kHz")}));
    }
}

TEST_F(MonitoringTaskDialogTest, TheInputsLimitsAndAPointPassAndOutsideIsRefusedAtAddAndOk)
{
    UseChannel(0);
    const double mid = (min + max) / 2.0;
    struct Case
    {
        const char* name;
        double start;
        double end;
        const char* refusal;  // null: accepted
    } cases[] = {
        {"the limits", min, max, nullptr},
        {"start equal to end", mid, mid, nullptr},
        {"below the input", min - 1.0, mid, "Wrong start frequency!"},
        {"above the input", mid, max + 1.0, "Wrong end frequency!"},
        {"reversed", mid + 1.0, mid, "Wrong range!"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QString typedStart = QString::number(c.start, 'f', 5);
        const QString typedEnd = QString::number(c.end, 'f', 5);

        // Add: a refused range is asked again with what was typed.
        CMonitoringTaskDialog dialog(Task(0, {}));
        {
            CScriptedPrompt prompt;
            QStringList shownAgain;
            prompt.RunDialog(Type(typedStart, typedEnd));
            if (c.refusal)
            {
                prompt.Answer(QMessageBox::Ok, QString::fromLatin1(c.refusal))
                    .RunDialog(
                        [&shownAgain](QDialog& input)
                        {
                            shownAgain
                                << input.findChild<QLineEdit*>(QStringLiteral("m_pFirstEdit"))->text()
                                << input.findChild<QLineEdit*>(QStringLiteral("m_pSecondEdit"))->text();
                            return int(QDialog::Rejected);
                        });
            }
            dialog.OnAddButton();
            if (c.refusal)
            {
                EXPECT_EQ(shownAgain, (QStringList{typedStart, typedEnd}));
            }
        }
        EXPECT_EQ(dialog.Form().m_pRangesTree->topLevelItemCount(), c.refusal ? 0 : 1);

        // OK over a task that holds the range already.
        CMonitoringTaskDialog stored(Task(0, {{c.start, c.end}}));
        CScriptedPrompt prompt;
        if (c.refusal)
            prompt.Answer(QMessageBox::Ok, QStringLiteral("Wrong frequency ranges specified!"));
        stored.accept();
        EXPECT_EQ(stored.result(), c.refusal ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(stored.m_Task.Ranges.size(), 1u);
    }

    CMonitoringTaskDialog empty(Task(0, {}));
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("No one frequency range specified!"));
    empty.accept();
    EXPECT_EQ(empty.result(), QDialog::Rejected);
}

TEST_F(MonitoringTaskDialogTest, OkKeepsExactValuesStoresThresholdModeOneAndCarriesTheHiddenFields)
{
    UseChannel(0);
    MONITORING_TASK task = Task(0, {{min + (max - min) / 3.0, min + (max - min) / 7.0 * 3.0}});
    task.Enabled = true;
    task.ThresholdMode = 0;
    task.AbsThreshold = -83.123456789;
    task.AverThreshold = 6.0000001;
    task.AverCoef = 12;
    task.UseHysteresis = true;
    task.HysteresisValue = 7.25;
    task.WaitCycles = 9;
    task.SetAverMode = true;
    task.AverMode = 3;
    task.SetWindow = true;
    task.Window = 6;
    task.RecordSignal = true;
    task.SignalFileName = L"/data/run.rec";
    task.DoMerge = true;
    CMonitoringTaskDialog dialog(task);
    EXPECT_TRUE(dialog.Form().m_pSquelchRadio1->isChecked());
    EXPECT_TRUE(dialog.Form().m_pSquelchRadio1->isHidden());
    EXPECT_EQ(dialog.Form().m_pSquelchEdit2->text(), QStringLiteral("6"));
    // A recording path given with the task does not ask the disk.
    EXPECT_EQ(dialog.Form().m_pTimeAvailableLabel->text(), QStringLiteral("Recording time available: n/a"));
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const MONITORING_TASK& out = dialog.m_Task;
    EXPECT_EQ(out.ThresholdMode, 1);
    EXPECT_TRUE(out.Enabled);
    EXPECT_EQ(out.Ranges[0].StartFreq, task.Ranges[0].StartFreq);
    EXPECT_EQ(out.Ranges[0].EndFreq, task.Ranges[0].EndFreq);
    EXPECT_EQ(out.AbsThreshold, task.AbsThreshold);
    EXPECT_EQ(out.AverThreshold, task.AverThreshold);
    EXPECT_EQ(out.HysteresisValue, 7.25);
    EXPECT_EQ(out.WaitCycles, 9);
    EXPECT_EQ(out.AverCoef, 12);
    EXPECT_EQ(out.AverMode, 3);
    EXPECT_EQ(out.Window, 6);
    EXPECT_TRUE(out.UseHysteresis && out.RecordSignal && out.DoMerge && out.SetAverMode && out.SetWindow);
    EXPECT_EQ(out.SignalFileName, task.SignalFileName);

    // A threshold the operator typed is taken as typed; text that is no number is 0.
    CMonitoringTaskDialog typed(task);
    typed.Form().m_pSquelchEdit2->selectAll();
    QTest::keyClicks(typed.Form().m_pSquelchEdit2, QStringLiteral("4.5"));
    typed.Form().m_pAverEdit->setText(QStringLiteral("abc"));
    typed.accept();
    EXPECT_EQ(typed.m_Task.AverThreshold, 4.5);
    EXPECT_EQ(typed.m_Task.AverCoef, 0);
}

TEST_F(MonitoringTaskDialogTest, TheTimeLeftCountsWholeDaysOfTheChosenVolume)
{
    std::optional<QString> asked;
    CUtils::SetDiskFreeSpaceQuery(
        [&asked](const QString& folder) -> std::optional<quint64>
        {
            asked = folder;
            return quint64(460800) * (86400 + 3600 + 60 + 1) + 460799;
        });
    CMonitoringTaskDialog dialog(Task(0, {}));
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QStringLiteral("/srv/records/run.rec"), QStringLiteral("Save Recording As"));
        dialog.OnBrowseButton();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].text, QStringLiteral("Recording files (*.rec)"));
    }
    CUtils::SetDiskFreeSpaceQuery(nullptr);
    EXPECT_EQ(asked, QStringLiteral("/srv/records/"));
    EXPECT_EQ(dialog.Form().m_pTimeAvailableLabel->text(),
              QStringLiteral("Recording time available: 1 days 01:01:01"));
    EXPECT_TRUE(dialog.Form().m_pRecordSignalCheck->isChecked());
    EXPECT_EQ(dialog.Form().m_pRecordingPathEdit->text(), QStringLiteral("/srv/records/run.rec"));
    EXPECT_EQ(QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
                  .value(QStringLiteral("MonitoringTaskDialog/SignalFolder"))
                  .toString(),
              QStringLiteral("/srv/records/"));

    // The next Browse starts there; a path without a folder has no volume to ask.
    CScriptedPrompt prompt;
    prompt.AnswerSaveFile(QStringLiteral("run.rec"));
    dialog.OnBrowseButton();
    EXPECT_EQ(prompt.Asked()[0].initial, QStringLiteral("/srv/records/"));
    EXPECT_EQ(dialog.Form().m_pTimeAvailableLabel->text(), QStringLiteral("Recording time available: n/a"));
}

TEST_F(MonitoringTaskDialogTest, TheChannelIsRequestedOnlyForAChosenRowThatDiffers)
{
    UseChannel(0);
    CMonitoringTaskDialog dialog(Task(1, {{min, max}}));
    QSignalSpy requests(&dialog, &CMonitoringTaskDialog::channelChanged);
    QComboBox* combo = dialog.Form().m_pChannelCombo;
    ASSERT_GT(combo->count(), 1);
    EXPECT_EQ(combo->currentIndex(), 1);

    // A refill passes through -1: nothing is requested or lost.
    const QStringList names = [combo]
    {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    }();
    {
        const QSignalBlocker blocker(combo);
        combo->clear();
    }
    dialog.OnChannelCombo(-1);
    EXPECT_EQ(requests.count(), 0);
    EXPECT_EQ(dialog.Form().m_pRangesTree->topLevelItemCount(), 1);
    combo->addItems(names);  // the first row becomes current: the device's own type
    EXPECT_EQ(requests.count(), 0);

    combo->setCurrentIndex(1);
    ASSERT_EQ(requests.count(), 1);
    EXPECT_EQ(requests.at(0).at(0).toInt(), 1);

    // Opening asks for the task's channel once more, then runs.
    CScriptedPrompt prompt;
    prompt.RunDialog([](QDialog&) { return int(QDialog::Rejected); });
    EXPECT_EQ(prompt.Exec(dialog), QDialog::Rejected);
    EXPECT_EQ(requests.count(), 2);
}
}  // namespace
