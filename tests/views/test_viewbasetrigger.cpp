// The oscillogram trigger: when it asks for the pause, how often, when it is suppressed, the level
// dialog and "level here" on the pointer's row, and auto-scale switching it off.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <vector>

#include "parameters.h"
#include "scriptedprompt.h"
#include "testview.h"

namespace
{
TEST(ViewBaseTrigger, PauseIsAskedOnceForTheFirstSampleAtOrAboveTheLevel)
{
    struct Case
    {
        const char* name;
        std::vector<double> samples;
        bool on;
        bool suppressed;
        int pauses;
    };
    const std::vector<Case> cases = {
        {"first sample exactly at the level", {10.0, 0.0, 0.0}, true, false, 1},
        {"three samples above", {0.0, 11.0, 12.0, 13.0}, true, false, 1},
        {"all below", {9.99, -20.0, 9.0}, true, false, 0},
        {"empty block", {}, true, false, 0},
        {"pause suppressed", {0.0, 50.0}, true, true, 0},
        {"trigger off", {0.0, 50.0}, false, false, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTestView view;
        view.EnableTrigger(c.on, c.suppressed);
        QSignalSpy pauses(&view, &CViewBase::pause);
        view.SetOscData(c.samples);
        EXPECT_EQ(pauses.count(), c.pauses);
    }
}

TEST(ViewBaseTrigger, IQDataTriggersOnTheISamplesOnly)
{
    CTestView view;
    view.EnableTrigger(true, false);
    QSignalSpy pauses(&view, &CViewBase::pause);
    view.SetOscIQData({0.0, 1.0}, {50.0, 60.0});
    EXPECT_EQ(pauses.count(), 0);
    view.SetOscIQData({0.0, 10.5}, {0.0, 0.0});
    EXPECT_EQ(pauses.count(), 1);
}

// Wired as the main window wires it: the pause freezes the block that crossed the level.
TEST(ViewBaseTrigger, TheCrossingBlockIsTheLastOneShown)
{
    CTestView view;
    view.ShowPane(QStringLiteral("Osc"));
    QObject::connect(&view, &CViewBase::pause, &view, [&view] { view.SetPauseState(1); });
    view.SetTriggerLevel(0.5);
    view.EnableTrigger(true, false);

    view.SetOscData({0.1, 0.2});
    view.SetOscData({0.1, 0.7, 0.9});
    view.SetOscData({0.0, 0.0});

    EXPECT_EQ(view.GetPauseState(), 1);
    EXPECT_EQ(*view.m_osc->GetData(0), (std::vector<double>{0.1, 0.7, 0.9}));
}

TEST(ViewBaseTrigger, ArmingSwitchesTheOscillogramsAutoScaleOff)
{
    CTestView view;
    view.m_osc->SetAutoScale(true, true);
    view.EnableTrigger(false, false);
    EXPECT_TRUE(view.m_osc->IsAutoScale());
    view.EnableTrigger(true, true);
    EXPECT_FALSE(view.m_osc->IsAutoScale());
    EXPECT_TRUE(view.IsTriggerEnabled());
    EXPECT_TRUE(view.IsTriggerPauseSuppressed());
}

TEST(ViewBaseTrigger, EnableSlotFollowsTheActionsCheckedState)
{
    CTestView view;
    QAction action(QStringLiteral("Enable trigger"));
    action.setCheckable(true);
    QObject::connect(&action, &QAction::triggered, &view, &CViewBase::OnEnableTrigger);
    view.EnableTrigger(false, true);
    action.trigger();
    EXPECT_TRUE(view.IsTriggerEnabled());
    EXPECT_FALSE(view.IsTriggerPauseSuppressed());
    action.trigger();
    EXPECT_FALSE(view.IsTriggerEnabled());
}

TEST(ViewBaseTrigger, AutoScaleToggleSwitchesTheTriggerOffEitherWay)
{
    CTestView view;
    view.ShowPane(QStringLiteral("Osc"));
    for (bool autoScale : {true, false})
    {
        view.m_osc->SetAutoScale(autoScale, false);
        view.EnableTrigger(true, true);
        view.m_osc->SetAutoScale(autoScale, false);
        view.OnEnableAutoScale();
        EXPECT_EQ(view.m_osc->IsAutoScale(), !autoScale);
        EXPECT_FALSE(view.IsTriggerEnabled());
        EXPECT_FALSE(view.IsTriggerPauseSuppressed());
    }

    // With no oscillogram shown nothing changes.
    view.ShowPane(QStringLiteral("Spec"));
    view.EnableTrigger(true, false);
    view.OnEnableAutoScale();
    EXPECT_TRUE(view.IsTriggerEnabled());
}

class TriggerHereTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.m_osc->SetYLimits(-5.0, 5.0);
        view.m_osc->SetAutoScale(false, false);
        view.m_osc->SetYWindow(-1.0, 1.0);
        view.ShowPane(QStringLiteral("Osc"));
        // The pane covers the whole view: rows 0 .. 300.
        ASSERT_EQ(view.m_osc->GetRect(), QRect(0, 0, 400, 301));
    }

    CTestView view;
};

TEST_F(TriggerHereTest, TheLevelIsTheValueOfThePressedRow)
{
    QSignalSpy changed(&view, &CViewBase::changedTriggerLevel);
    struct Case
    {
        int row;
        double level;
    };
    // Over the pane's area: row 300 is -1 V, row 0 is +1 V.
    for (const Case& c : {Case{75, 0.5}, Case{150, 0.0}, Case{225, -0.5}})
    {
        view.m_PressPoint = QPoint(200, c.row);
        ASSERT_TRUE(view.m_osc->IsInPlot(view.m_PressPoint));
        view.OnSetTriggerLevelHere();
        EXPECT_DOUBLE_EQ(view.GetTriggerLevel(), c.level) << "row " << c.row;
        ASSERT_FALSE(changed.isEmpty());
        EXPECT_DOUBLE_EQ(changed.takeLast().at(0).toDouble(), c.level);
    }
    EXPECT_TRUE(view.IsTriggerEnabled());
}

TEST_F(TriggerHereTest, TheTraceOffsetIsTakenOff)
{
    view.m_osc->MoveTrace(0, 0.25);
    view.m_PressPoint = QPoint(200, 75);
    view.OnSetTriggerLevelHere();
    EXPECT_DOUBLE_EQ(view.GetTriggerLevel(), 0.25);
}

TEST_F(TriggerHereTest, AnAxisBandClickArmsAndKeepsTheLevel)
{
    QSignalSpy changed(&view, &CViewBase::changedTriggerLevel);
    view.m_bPulseMode = true;
    view.m_PressPoint = QPoint(200, view.m_osc->GetPlotRect().bottom() + 5);
    ASSERT_FALSE(view.m_osc->IsInPlot(view.m_PressPoint));
    view.OnSetTriggerLevelHere();
    EXPECT_TRUE(view.IsTriggerEnabled());
    EXPECT_TRUE(view.IsTriggerPauseSuppressed());
    EXPECT_EQ(view.GetTriggerLevel(), 10.0);
    EXPECT_TRUE(changed.isEmpty());
}

TEST_F(TriggerHereTest, NothingHappensAwayFromAnOscillogram)
{
    view.ShowPane(QStringLiteral("Spec"));
    view.m_PressPoint = QPoint(200, 75);
    view.OnSetTriggerLevelHere();
    EXPECT_FALSE(view.IsTriggerEnabled());
    EXPECT_EQ(view.GetTriggerLevel(), 10.0);
}

// Types `text` into the dialog's value field as the operator would, then presses `button`.
CScriptedPrompt::DialogAction TypeAndPress(const QString& text, const char* button, QString* shown = nullptr,
                                           QString* unit = nullptr)
{
    return [=](QDialog& dialog)
    {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("m_pFirstEdit"));
        auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("m_pFirstCombo"));
        auto* press = dialog.findChild<QPushButton*>(QLatin1String(button));
        if (edit == nullptr || combo == nullptr || press == nullptr)
        {
            ADD_FAILURE() << "the level dialog lacks its fields";
            return 0;
        }
        if (shown != nullptr)
            *shown = edit->text();
        if (unit != nullptr)
            *unit = combo->currentText();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        press->click();
        return dialog.result();
    };
}

TEST(ViewBaseTriggerDialog, TheTypedLevelInMillivoltsIsStoredInVolts)
{
    g_Parameters.SetDouble(QStringLiteral("InputRangeDialog"), QStringLiteral("SetTriggerLevel1"), 0.0);
    CTestView view;
    view.SetTriggerLevel(0.5);
    QSignalSpy changed(&view, &CViewBase::changedTriggerLevel);
    QString shown;
    QString unit;
    CScriptedPrompt prompt;
    prompt.RunDialog(TypeAndPress(QStringLiteral("250"), "m_pOkButton", &shown, &unit));

    view.OnSetTriggerLevel();

    ASSERT_EQ(prompt.Asked().size(), 1u);
    EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Set Trigger Level"));
    EXPECT_EQ(shown, QStringLiteral("500.00"));
    EXPECT_EQ(unit, QStringLiteral("mV"));
    EXPECT_DOUBLE_EQ(view.GetTriggerLevel(), 0.25);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_DOUBLE_EQ(changed.at(0).at(0).toDouble(), 0.25);
    EXPECT_TRUE(view.IsTriggerEnabled());
    EXPECT_FALSE(view.IsTriggerPauseSuppressed());
}

TEST(ViewBaseTriggerDialog, InPulseModeTheTriggerIsArmedWithoutItsPause)
{
    CTestView view;
    view.m_bPulseMode = true;
    CScriptedPrompt prompt;
    prompt.RunDialog(TypeAndPress(QStringLiteral("100"), "m_pOkButton"));
    view.OnSetTriggerLevel();
    EXPECT_TRUE(view.IsTriggerEnabled());
    EXPECT_TRUE(view.IsTriggerPauseSuppressed());
    QSignalSpy pauses(&view, &CViewBase::pause);
    view.SetOscData({0.0, 1.0});
    EXPECT_EQ(pauses.count(), 0);
}

TEST(ViewBaseTriggerDialog, CancelLeavesTheTriggerAlone)
{
    CTestView view;
    QSignalSpy changed(&view, &CViewBase::changedTriggerLevel);
    CScriptedPrompt prompt;
    prompt.RunDialog(TypeAndPress(QStringLiteral("300"), "m_pCancelButton"));
    view.OnSetTriggerLevel();
    EXPECT_EQ(view.GetTriggerLevel(), 10.0);
    EXPECT_FALSE(view.IsTriggerEnabled());
    EXPECT_TRUE(changed.isEmpty());
}

TEST(ViewBaseTriggerDialog, TextThatIsNoFiniteNumberGivesLevelZero)
{
    for (const char* text : {"nan", "inf", "abc"})
    {
        SCOPED_TRACE(text);
        CTestView view;
        CScriptedPrompt prompt;
        prompt.RunDialog(TypeAndPress(QLatin1String(text), "m_pOkButton"));
        view.OnSetTriggerLevel();
        EXPECT_EQ(view.GetTriggerLevel(), 0.0);
        EXPECT_TRUE(view.IsTriggerEnabled());
    }
}
}  // namespace
