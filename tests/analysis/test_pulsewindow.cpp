// The pulse detector window on its form: the stored settings it starts from (including damaged ones),
// the range list and its add dialog, stepping, and the signal orders of a search that the main window
// relies on.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "parameters.h"
#include "pulselogfilterdialog.h"
#include "pulselogwindow.h"
#include "pulsewindow.h"
#include "rangedialogscript.h"
#include "scriptedprompt.h"

namespace
{
const QString kSection = QStringLiteral("PulseWindow");

// Each test runs in its own process on a fresh settings document and a fresh library core, on the
// first high-frequency input.
class PulseWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_FftOptions.Init();
        g_DeviceThread.LoadCorrections();
        ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
        IChannel* channel = g_DeviceThread.GetChannel(-1);
        ASSERT_NE(channel, nullptr);
        m_lo = channel->GetStartFreq();
        m_hi = channel->GetViewStopFreq();
    }

    double m_lo = 0.0;
    double m_hi = 0.0;
};

// The names of the window's signals in the order they were emitted, with their argument.
class SignalLog
{
public:
    explicit SignalLog(CPulseWindow& window)
    {
        QObject::connect(&window, &CPulseWindow::started, [this] { m_log.push_back("started"); });
        QObject::connect(&window, &CPulseWindow::stopped, [this] { m_log.push_back("stopped"); });
        QObject::connect(&window, &CPulseWindow::clkDivCntChanged,
                         [this](int divider)
                         { m_log.push_back("clkDivCntChanged " + std::to_string(divider)); });
        QObject::connect(&window, &CPulseWindow::enableTrigger,
                         [this](bool on) { m_log.push_back(on ? "enableTrigger 1" : "enableTrigger 0"); });
        QObject::connect(&window, &CPulseWindow::triggerLevelChanged,
                         [this](double volts)
                         { m_log.push_back("triggerLevelChanged " + QString::number(volts).toStdString()); });
        QObject::connect(&window, &CPulseWindow::viewPulse,
                         [this](const std::vector<double>& envelope)
                         { m_log.push_back("viewPulse " + std::to_string(envelope.size())); });
        QObject::connect(&window, &CPulseWindow::closeViewPulse,
                         [this] { m_log.push_back("closeViewPulse"); });
        QObject::connect(&window, &CPulseWindow::savePulse,
                         [this](const QString& path) { m_log.push_back("savePulse " + path.toStdString()); });
    }

    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(m_log);
        return taken;
    }

private:
    std::vector<std::string> m_log;
};

using Names = std::vector<std::string>;

// Types a range into the add dialog and accepts it; the texts the dialog showed are kept.
CScriptedPrompt::DialogAction TypeRange(const QString& start, const QString& end, QStringList* shown)
{
    return [=](QDialog& dialog)
    {
        QString title;
        QString first;
        QString second;
        const int result = TypeRange(start, end, &title, "m_pOkButton", &first, &second)(dialog);
        *shown << title << first << second;
        return result;
    };
}

QStringList RowTexts(const QTreeWidget* tree)
{
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        texts << tree->topLevelItem(i)->text(0) + QStringLiteral("-") + tree->topLevelItem(i)->text(1);
    return texts;
}
}  // namespace

TEST_F(PulseWindowTest, EveryObjectOfTheThreeFormsIsThere)
{
    CPulseWindow window;
    for (const char* name : {"label_2",
                             "label_3",
                             "label_4",
                             "label_5",
                             "label_6",
                             "m_pRangesTree",
                             "m_pAddButton",
                             "m_pDeleteButton",
                             "m_pMaxTimeCombo",
                             "m_pEnvelopeCheck",
                             "m_pTriggerLevelEdit",
                             "m_pAutoRadio",
                             "m_pManualRadio",
                             "m_pFreqSlider",
                             "m_pStartFreqLabel",
                             "m_pCurrentFreqLabel",
                             "m_pEndFreqLabel",
                             "m_pStartButton",
                             "m_pStopButton",
                             "m_pPrevButton",
                             "m_pNextButton",
                             "m_pStatusLabel",
                             "m_pViewLogButton"})
        EXPECT_NE(window.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    CPulseLogWindow* log = window.LogWindow();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->GetSettingsName(), QStringLiteral("PulseLog"));
    EXPECT_EQ(log->windowTitle(), QStringLiteral("Pulse Detector Log Window"));
    for (const char* name : {"m_pPulseLogTree", "m_pFilterButton", "m_pClearButton", "m_pSaveButton",
                             "m_pEventsLabel", "m_pRefreshButton", "m_pRefreshCheck"})
        EXPECT_NE(log->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    CPulseLogFilterDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pulse Log Filter"));
    for (const char* name : {"m_pEnableFilterCheck", "m_pDurationCheck", "m_pStartDurationEdit", "label",
                             "m_pEndDurationEdit", "label_2", "m_pFreqCheck", "m_pStartFreqEdit", "label_3",
                             "m_pEndFreqEdit", "label_4", "m_pAmplCheck", "m_pStartAmplEdit", "label_5",
                             "m_pEndAmplEdit", "label_6", "m_pApplyButton", "m_pOkButton", "m_pCancelButton"})
        EXPECT_NE(dialog.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;

    // The form's own ranges and flags, before the channel's limits are applied.
    const Ui::CPulseWindow& form = window.Form();
    EXPECT_FALSE(form.m_pRangesTree->rootIsDecorated());
    EXPECT_TRUE(form.m_pRangesTree->uniformRowHeights());
    EXPECT_FALSE(form.m_pRangesTree->itemsExpandable());
    EXPECT_FALSE(form.m_pRangesTree->expandsOnDoubleClick());
    EXPECT_EQ(form.m_pFreqSlider->singleStep(), 1);
    EXPECT_EQ(form.m_pFreqSlider->pageStep(), 64);
    EXPECT_EQ(form.m_pFreqSlider->tickInterval(), 10);
    EXPECT_EQ(form.m_pFreqSlider->tickPosition(), QSlider::TicksBelow);
    EXPECT_EQ(form.m_pFreqSlider->minimum(), static_cast<int>(m_lo));
    EXPECT_EQ(form.m_pFreqSlider->maximum(), static_cast<int>(m_hi));
    EXPECT_EQ(form.m_pTriggerLevelEdit->maximumWidth(), 70);
    EXPECT_EQ(form.m_pMaxTimeCombo->minimumWidth(), 120);
}

TEST_F(PulseWindowTest, AFreshDocumentGivesTheDefaultRangeAndThreshold)
{
    g_Parameters.SetInt(kSection, QStringLiteral("Left"), 30);
    g_Parameters.SetInt(kSection, QStringLiteral("Top"), 40);
    g_Parameters.SetInt(kSection, QStringLiteral("Visible"), 1);
    CPulseWindow window;
    // Written before the main window restores the dock: hidden, its own size from the stored corner.
    EXPECT_EQ(g_Parameters.GetInt(kSection, QStringLiteral("Right"), 0), 580);
    EXPECT_EQ(g_Parameters.GetInt(kSection, QStringLiteral("Bottom"), 0), 140);
    EXPECT_EQ(g_Parameters.GetInt(kSection, QStringLiteral("Visible"), 1), 0);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("PulseLog"), QStringLiteral("Visible"), 1), 0);

    const Ui::CPulseWindow& form = window.Form();
    EXPECT_EQ(RowTexts(form.m_pRangesTree), QStringList{QStringLiteral("500-2500")});
    EXPECT_EQ(form.m_pRangesTree->topLevelItem(0)->text(2), QStringLiteral("MHz"));
    EXPECT_EQ(form.m_pTriggerLevelEdit->text(), QStringLiteral("5.00"));
    EXPECT_EQ(form.m_pMaxTimeCombo->currentIndex(), 0);
    EXPECT_EQ(form.m_pMaxTimeCombo->count(), 5);
    EXPECT_EQ(form.m_pMaxTimeCombo->itemText(4), QStringLiteral("1 ms - 208 ms"));
    EXPECT_FALSE(form.m_pEnvelopeCheck->isChecked());
    EXPECT_TRUE(form.m_pManualRadio->isChecked());
    EXPECT_TRUE(form.m_pAutoRadio->isHidden());
    EXPECT_TRUE(form.m_pManualRadio->isHidden());
    EXPECT_FALSE(form.m_pStopButton->isEnabled());
    EXPECT_EQ(form.m_pStatusLabel->text(), QStringLiteral("Ready"));
    EXPECT_TRUE(form.m_pCurrentFreqLabel->text().isEmpty());
    EXPECT_EQ(form.m_pStartFreqLabel->text(), QString::number(m_lo, 'g', 17) + QStringLiteral(" MHz"));
    EXPECT_EQ(form.m_pEndFreqLabel->text(), QString::number(m_hi, 'g', 17) + QStringLiteral(" MHz"));
}

TEST_F(PulseWindowTest, AStoredDurationOutsideTheListCountsAsTheFirst)
{
    const struct
    {
        int stored;
        int index;
    } cases[] = {{7, 0}, {-3, 0}, {5, 0}, {4, 4}, {2, 2}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.stored);
        g_Parameters.SetInt(kSection, QStringLiteral("MaxTime"), c.stored);
        {
            CPulseWindow window;
            EXPECT_EQ(window.Form().m_pMaxTimeCombo->currentIndex(), c.index);
            QSignalSpy divider(&window, &CPulseWindow::clkDivCntChanged);
            window.setVisible(true);
            ASSERT_EQ(divider.count(), 1);
            EXPECT_EQ(divider.at(0).at(0).toInt(), 2 * c.index);
            window.setVisible(false);
        }
        EXPECT_EQ(g_Parameters.GetInt(kSection, QStringLiteral("MaxTime"), -1), c.index);
    }
}

TEST_F(PulseWindowTest, TheStoredRangeCountIsCheckedBeforeItIsUsed)
{
    const struct
    {
        const char* count;
        int rows;
        bool defaultRow;
    } cases[] = {
        // A count beyond any int is damaged, a large one loads as many rows as are kept at most.
        {"2.9", 2, false},     {"1", 1, false},  {"nan", 1, true},
        {"1e30", 1, true},     {"3e9", 1, true}, {"2147483647", 1000, false},
        {"-5", 1, true},       {"0.5", 1, true}, {"inf", 1, true},
        {"5000", 1000, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.count);
        g_Parameters.SetString(kSection, QStringLiteral("RangesCount"), QLatin1String(c.count));
        for (int i = 0; i < 2; ++i)
        {
            g_Parameters.SetDouble(kSection, QStringLiteral("StartFreq%1").arg(i), 100.5 + i);
            g_Parameters.SetDouble(kSection, QStringLiteral("EndFreq%1").arg(i), 200.25 + i);
        }
        CPulseWindow window;
        const QTreeWidget* tree = window.Form().m_pRangesTree;
        ASSERT_EQ(tree->topLevelItemCount(), c.rows);
        EXPECT_EQ(tree->topLevelItem(0)->text(0),
                  c.defaultRow ? QStringLiteral("500") : QStringLiteral("100.5"));
        EXPECT_EQ(tree->topLevelItem(0)->text(1),
                  c.defaultRow ? QStringLiteral("2500") : QStringLiteral("200.25"));
        if (c.rows == 2)
        {
            EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("101.5"));
        }
    }
    // The count and the rows go back as doubles.
    EXPECT_EQ(g_Parameters.GetString(kSection, QStringLiteral("RangesCount"), QString()),
              QStringLiteral("1000.000000"));
    EXPECT_EQ(g_Parameters.GetString(kSection, QStringLiteral("StartFreq1"), QString()),
              QStringLiteral("101.500000"));
}

TEST_F(PulseWindowTest, AddTakesRangesInsideTheChannelAndAsksAgainWithWhatWasTyped)
{
    CPulseWindow window;
    window.m_dStartFreq = 433.0;
    window.m_dEndFreq = 435.5;
    QTreeWidget* tree = window.Form().m_pRangesTree;
    const QString lo = QString::number(m_lo, 'f', 5);
    const QString hi = QString::number(m_hi, 'f', 5);
    {
        // The channel's limits themselves, and a range of one frequency, are taken.
        QStringList shown;
        CScriptedPrompt prompt;
        prompt.RunDialog(TypeRange(lo, hi, &shown), QStringLiteral("FrequencyRange"))
            .RunDialog(TypeRange(QStringLiteral("868"), QStringLiteral("868"), &shown),
                       QStringLiteral("FrequencyRange"));
        window.OnAddButton();
        window.OnAddButton();
        EXPECT_EQ(shown.mid(0, 3), (QStringList{QStringLiteral("Frequency Range"),
                                                QStringLiteral("433.00000"), QStringLiteral("435.50000")}));
    }
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(1)->text(0), QString::number(m_lo, 'g', 6));
    EXPECT_EQ(tree->topLevelItem(1)->text(1), QString::number(m_hi, 'g', 6));
    EXPECT_EQ(tree->topLevelItem(2)->text(0), QStringLiteral("868"));
    EXPECT_EQ(tree->topLevelItem(2)->text(2), QStringLiteral("MHz"));

    const struct
    {
        QString start;
        QString end;
        const char* warning;
    } refused[] = {
        {QString::number(m_lo - 1.0, 'f', 5), QStringLiteral("900"), "Wrong start frequency!"},
        {QStringLiteral("900"), QString::number(m_hi + 1.0, 'f', 5), "Wrong end frequency!"},
        {QStringLiteral("900"), QStringLiteral("800"), "Wrong range!"},
    };
    for (const auto& c : refused)
    {
        SCOPED_TRACE(c.warning);
        QStringList shown;
        CScriptedPrompt prompt;
        prompt.RunDialog(TypeRange(c.start, c.end, &shown), QStringLiteral("FrequencyRange"))
            .Answer(QMessageBox::Ok, QLatin1String(c.warning))
            .RunDialog([](QDialog&) { return int(QDialog::Rejected); }, QStringLiteral("FrequencyRange"));
        window.OnAddButton();
        EXPECT_EQ(prompt.Pending(), 0u);
        // Cancelled after the warning: nothing added.
        EXPECT_EQ(tree->topLevelItemCount(), 3);
    }

    // After a warning the dialog shows what was typed; correcting it adds the range.
    QStringList shown;
    CScriptedPrompt prompt;
    prompt.RunDialog(TypeRange(QStringLiteral("900"), QStringLiteral("800"), &shown))
        .Answer(QMessageBox::Ok, QStringLiteral("Wrong range!"))
        .RunDialog(TypeRange(QStringLiteral("800"), QStringLiteral("900"), &shown));
    window.OnAddButton();
    ASSERT_EQ(shown.size(), 6);
    EXPECT_EQ(shown.at(4), QStringLiteral("900.00000"));
    EXPECT_EQ(shown.at(5), QStringLiteral("800.00000"));
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    EXPECT_EQ(tree->topLevelItem(3)->text(0), QStringLiteral("800"));

    // Delete takes the current row away, and nothing without one.
    tree->setCurrentItem(tree->topLevelItem(0));
    window.Form().m_pDeleteButton->click();
    EXPECT_EQ(RowTexts(tree).first(),
              QString::number(m_lo, 'g', 6) + QStringLiteral("-") + QString::number(m_hi, 'g', 6));
    tree->setCurrentItem(nullptr);
    window.OnDeleteButton();
    EXPECT_EQ(tree->topLevelItemCount(), 3);
}

TEST_F(PulseWindowTest, StepsMoveBy61MHzWithinTheChannel)
{
    CPulseWindow window;
    IPulseDetect* detector = g_DeviceThread.m_pPulseDetect;
    const struct
    {
        const char* name;
        double from;
        bool up;
        double to;
    } cases[] = {
        {"Step+ near the top", m_hi - 30.0, true, m_hi},
        {"Step+ inside", m_lo + 100.0, true, m_lo + 161.0},
        {"Step- near the start", m_lo + 10.0, false, m_lo},
        {"Step- inside", m_lo + 200.0, false, m_lo + 139.0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        detector->SetCurrentFreq(c.from);
        (c.up ? window.Form().m_pNextButton : window.Form().m_pPrevButton)->click();
        // The slider follows with whole megahertz; when its value changes it retunes to that.
        EXPECT_NEAR(detector->GetCurrentFreq(), c.to, 1.0);
        EXPECT_GE(detector->GetCurrentFreq(), m_lo);
        EXPECT_LE(detector->GetCurrentFreq(), m_hi);
        EXPECT_EQ(window.Form().m_pFreqSlider->value(), static_cast<int>(c.to));
    }
}

TEST_F(PulseWindowTest, StartLocksTheSettingsAndStopFreesThemInTheirSignalOrder)
{
    g_Parameters.SetInt(kSection, QStringLiteral("MaxTime"), 3);
    CPulseWindow window;
    const Ui::CPulseWindow& form = window.Form();
    QWidget* const settings[] = {form.m_pRangesTree,       form.m_pAddButton,  form.m_pDeleteButton,
                                 form.m_pMaxTimeCombo,     form.m_pAutoRadio,  form.m_pManualRadio,
                                 form.m_pTriggerLevelEdit, form.m_pFreqSlider, form.m_pPrevButton,
                                 form.m_pNextButton,       form.m_pStartButton};
    SignalLog log(window);
    form.m_pTriggerLevelEdit->setText(QStringLiteral("12.5"));
    form.m_pStartButton->click();
    ASSERT_TRUE(g_DeviceThread.m_pPulseDetect->IsRunning());
    EXPECT_EQ(log.Take(), (Names{"triggerLevelChanged 0.0125", "closeViewPulse", "started"}));
    for (QWidget* widget : settings)
        EXPECT_FALSE(widget->isEnabled()) << widget->objectName().toStdString();
    EXPECT_TRUE(form.m_pStopButton->isEnabled());
    EXPECT_EQ(form.m_pStatusLabel->text(), QStringLiteral("Digital signals detection started"));
    const PULSE_DETECT_PARAMS& params = g_DeviceThread.m_pPulseDetect->GetSettings();
    ASSERT_EQ(params.ranges.size(), 1u);
    EXPECT_EQ(params.ranges[0].start, 500.0);
    EXPECT_EQ(params.ranges[0].end, 2500.0);
    EXPECT_DOUBLE_EQ(params.level, 0.0125);

    // While searching, the slider only shows where the detector is.
    const double searching = g_DeviceThread.m_pPulseDetect->GetCurrentFreq();
    window.OnFreqSliderMoved(1234);
    EXPECT_EQ(form.m_pCurrentFreqLabel->text(), QStringLiteral("1234 MHz"));
    EXPECT_EQ(g_DeviceThread.m_pPulseDetect->GetCurrentFreq(), searching);
    window.OnTimer();
    EXPECT_EQ(form.m_pStatusLabel->text(),
              QStringLiteral("Searching for digital signals. 0 signals found so far..."));
    EXPECT_EQ(form.m_pCurrentFreqLabel->text(), QStringLiteral("500 MHz"));
    log.Take();

    form.m_pStopButton->click();
    EXPECT_FALSE(g_DeviceThread.m_pPulseDetect->IsRunning());
    EXPECT_EQ(log.Take(), (Names{"stopped", "clkDivCntChanged 6"}));
    for (QWidget* widget : settings)
        EXPECT_TRUE(widget->isEnabled()) << widget->objectName().toStdString();
    EXPECT_FALSE(form.m_pStopButton->isEnabled());
    EXPECT_EQ(form.m_pStatusLabel->text(), QStringLiteral("Ready"));
}

TEST_F(PulseWindowTest, StartWithoutRangesWarnsAndStaysIdle)
{
    CPulseWindow window;
    delete window.Form().m_pRangesTree->topLevelItem(0);
    SignalLog log(window);
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("No one frequency range specified!"));
    window.OnStartButton();
    EXPECT_FALSE(g_DeviceThread.m_pPulseDetect->IsRunning());
    EXPECT_TRUE(log.Take().empty());
    EXPECT_TRUE(window.Form().m_pStartButton->isEnabled());
    EXPECT_TRUE(window.Form().m_pRangesTree->isEnabled());
}

TEST_F(PulseWindowTest, HidingDuringASearchStopsItBeforeGivingTheInputBack)
{
    g_Parameters.SetInt(kSection, QStringLiteral("MaxTime"), 1);
    CPulseWindow window;
    window.setVisible(true);
    window.OnStartButton();
    ASSERT_TRUE(g_DeviceThread.m_pPulseDetect->IsRunning());
    SignalLog log(window);
    window.setVisible(false);
    EXPECT_FALSE(g_DeviceThread.m_pPulseDetect->IsRunning());
    EXPECT_EQ(log.Take(), (Names{"stopped", "clkDivCntChanged 2", "enableTrigger 0", "clkDivCntChanged 0"}));
    EXPECT_TRUE(window.Form().m_pStartButton->isEnabled());

    // On another input the window is only shown and hidden.
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    while (bits->GetChannelCount() <= 2)
        bits->AddChannel(bits->GetChannelCount(), L"T", L"Type", 61e6);
    ASSERT_TRUE(g_DeviceThread.SetChannelType(2));
    window.setVisible(true);
    window.setVisible(false);
    EXPECT_TRUE(log.Take().empty());
}

TEST_F(PulseWindowTest, TheThresholdRadiosAskForTheTrigger)
{
    CPulseWindow window;
    SignalLog log(window);
    window.Form().m_pTriggerLevelEdit->setText(QStringLiteral("7.5"));
    window.OnAutoRadioClicked(true);
    window.OnAutoRadioClicked(false);
    EXPECT_EQ(log.Take(), (Names{"enableTrigger 1"}));
    window.OnManualRadioClicked(true);
    window.OnManualRadioClicked(false);
    EXPECT_EQ(log.Take(), (Names{"enableTrigger 1", "triggerLevelChanged 0.0075"}));
    QTest::keyClick(window.Form().m_pTriggerLevelEdit, Qt::Key_Return);
    EXPECT_EQ(log.Take(), (Names{"triggerLevelChanged 0.0075"}));
    window.Form().m_pMaxTimeCombo->activated(4);
    EXPECT_EQ(log.Take(), (Names{"clkDivCntChanged 8"}));
}

TEST_F(PulseWindowTest, TheLogOpensFromTheWindowAndItsClosingEndsTheShownPulse)
{
    QWidget parent;
    auto* window = new CPulseWindow(&parent);
    CPulseLogWindow* logWindow = window->LogWindow();
    ASSERT_NE(logWindow, nullptr);
    // Created beside the window, under the same parent.
    EXPECT_EQ(logWindow->parent(), &parent);
    EXPECT_FALSE(logWindow->isVisible());
    parent.show();
    SignalLog log(*window);
    window->Form().m_pViewLogButton->click();
    EXPECT_TRUE(logWindow->isVisible());
    EXPECT_TRUE(log.Take().empty());
    logWindow->hide();
    EXPECT_EQ(log.Take(), (Names{"closeViewPulse"}));

    // What the log asks of the main window goes out unchanged.
    emit logWindow->savePulse(QStringLiteral("/tmp/a_rod.img"));
    EXPECT_EQ(log.Take(), (Names{"savePulse /tmp/a_rod.img"}));

    // The window saves the log's dock state when it goes.
    logWindow->setGeometry(40, 50, 300, 200);
    delete window;
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("PulseLog"), QStringLiteral("Left"), 0), 40);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("PulseLog"), QStringLiteral("Top"), 0), 50);
}

TEST_F(PulseWindowTest, ALanguageChangeKeepsWhatTheLabelsShow)
{
    CPulseWindow window;
    const Ui::CPulseWindow& form = window.Form();
    const QString start = form.m_pStartFreqLabel->text();
    ASSERT_FALSE(start.isEmpty());
    window.OnStartButton();
    window.OnTimer();
    const QString status = form.m_pStatusLabel->text();
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(form.m_pStatusLabel->text(), status);
    EXPECT_EQ(form.m_pStartFreqLabel->text(), start);
    EXPECT_EQ(form.m_pCurrentFreqLabel->text(), QStringLiteral("500 MHz"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Pulse Detector Window"));
    window.OnStopButton();
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(form.m_pStatusLabel->text(), QStringLiteral("Ready"));

    // The log's count stays the list's, filtered or not.
    CPulseLogWindow* log = window.LogWindow();
    log->m_Filter.enabled = true;
    log->FillList();
    QCoreApplication::sendEvent(log, &change);
    EXPECT_EQ(log->Form().m_pEventsLabel->text(), QStringLiteral("0 events filtered"));
}
