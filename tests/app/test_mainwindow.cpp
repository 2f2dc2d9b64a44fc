// The main window offscreen: its form's initial state, the demo switch from the File menu, the start
// windows, the window state and pane corners, the hidden key sequences and the stored rectangle.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "ddcview.h"
#include "ddcwavwriterwindow.h"
#include "debugwindow.h"
#include "devicethread.h"
#include "dockwindow.h"
#include "fftoptions.h"
#include "globals.h"
#include "iddcwavwriter.h"
#include "internalswindow.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "rangeview.h"
#include "scriptedprompt.h"
#include "spectrumdialog.h"
#include "tempdir.h"
#include "veltrano.h"
#include "wavfile.h"
#include "zantigo.h"

namespace
{
class MainWindowTest : public testing::Test
{
protected:
    // What the program's entry does before it builds the window: the start-up channel comes from the
    // correction tables.
    static void SetUpTestSuite()
    {
        g_DeviceThread.LoadCorrections();
        g_FftOptions.Init();
    }

    void SetUp() override
    {
        g_DeviceThread.SetDemoMode(false);
        m_window = std::make_unique<Veltrano>(0, QString());
    }

    void TearDown() override
    {
        m_window.reset();
        g_DeviceThread.SetDemoMode(false);
    }

    template <typename T>
    T* Child(const char* name) const
    {
        T* child = m_window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }

    std::unique_ptr<Veltrano> m_window;
};

TEST_F(MainWindowTest, FormStartsWithTheDocumentedChecksAndExclusiveGroups)
{
    const struct
    {
        const char* name;
        bool checked;
    } initial[] = {
        {"m_pIfButton", true},      {"m_pDdcSpectrumButton", true}, {"m_pDemodOscButton", true},
        {"m_pMasterButton", true},  {"m_pStopButton", true},        {"m_pRangeSpectrumButton", false},
        {"m_pRfButton", false},     {"m_pSlaveButton", false},      {"m_pRange1Button", false},
        {"m_pRange2Button", false}, {"m_pRange3Button", false},     {"m_pDemodSpectrumButton", false},
    };
    // Built without the window's own code touching the buttons: the form alone.
    QMainWindow bare;
    Ui::VeltranoClass form;
    form.setupUi(&bare);
    for (const auto& row : initial)
    {
        auto* button = bare.findChild<QPushButton*>(QString::fromLatin1(row.name));
        ASSERT_NE(button, nullptr) << row.name;
        EXPECT_EQ(button->isChecked(), row.checked) << row.name;
    }

    form.m_pRfButton->click();
    EXPECT_TRUE(form.m_pRfButton->isChecked());
    EXPECT_FALSE(form.m_pIfButton->isChecked());

    form.m_pRangeSpectrumButton->click();
    form.m_pRangeWaterfallButton->click();
    EXPECT_TRUE(form.m_pRangeWaterfallButton->isChecked());
    EXPECT_FALSE(form.m_pRangeSpectrumButton->isChecked());
    EXPECT_FALSE(form.m_pRangeOscButton->isChecked());

    // Band and octave buttons are plain toggles beside the pane's mode group.
    form.m_pRange1Button->click();
    form.m_pRange2Button->click();
    form.m_pRangeOctButton->click();
    EXPECT_TRUE(form.m_pRange1Button->isChecked());
    EXPECT_TRUE(form.m_pRange2Button->isChecked());
    EXPECT_TRUE(form.m_pRangeOctButton->isChecked());
    EXPECT_TRUE(form.m_pRangeWaterfallButton->isChecked());

    EXPECT_FALSE(form.m_pHelpManualAction->isVisible());

    // Each function key presses exactly one tool button.
    bare.show();
    QApplication::setActiveWindow(&bare);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&bare));
    const struct
    {
        Qt::Key key;
        QPushButton* button;
    } keys[] = {
        {Qt::Key_F2, form.m_pArchiveButton},    {Qt::Key_F5, form.m_pAnalysisButton},
        {Qt::Key_F6, form.m_pMonitoringButton}, {Qt::Key_F7, form.m_pTemplatesButton},
        {Qt::Key_F8, form.m_pPulseButton},
    };
    for (const auto& k : keys)
    {
        SCOPED_TRACE(k.button->objectName().toStdString());
        std::vector<std::pair<QPushButton*, std::unique_ptr<QSignalSpy>>> spies;
        for (QPushButton* button : bare.findChildren<QPushButton*>())
            spies.emplace_back(button, std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
        QTest::keyClick(&bare, k.key);
        // A shortcut presses its button visibly: the click follows a short animation.
        QTest::qWait(250);
        int pressed = 0;
        for (const auto& spy : spies)
        {
            if (spy.second->count() == 0)
                continue;
            ++pressed;
            EXPECT_EQ(spy.first, k.button) << spy.first->objectName().toStdString();
        }
        EXPECT_EQ(pressed, 1);
    }
}

TEST_F(MainWindowTest, ConstructionHidesWhatNothingShowsAndStartsTheTimers)
{
    for (const char* name :
         {"m_pRange1Button", "m_pRange2Button", "m_pRange3Button", "m_pMasterButton", "m_pSlaveButton",
          "m_pStartButton", "m_pStopButton", "m_pVideoButton", "m_pMemoryButton", "m_pPlutoTxButton",
          "m_pBrisolaButton", "m_pKnownRangesButton", "m_pRfButton", "m_pIfButton", "m_pGsmButton"})
        EXPECT_TRUE(Button(name)->isHidden()) << name;
    EXPECT_FALSE(Button("m_pArchiveButton")->isHidden());

    EXPECT_TRUE(m_window->ConnectionTimer().isActive());
    EXPECT_TRUE(m_window->RateTimer().isActive());
    EXPECT_EQ(m_window->ConnectionTimer().interval(), 2000);
    EXPECT_EQ(m_window->CountersTimer().interval(), 100);
    EXPECT_EQ(m_window->DataTimer().interval(), 10);
    EXPECT_EQ(m_window->StatusLabel()->text(), QStringLiteral("Connecting"));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Delvane Veltrano 1.0.26"));
    EXPECT_GT(m_window->ChannelCombo()->count(), 0);
}

TEST_F(MainWindowTest, DemoSwitchAcceptedAndDeclinedInBothDirections)
{
    const struct
    {
        bool startInDemo;
        QMessageBox::StandardButton answer;
        const char* question;
        bool demoAfter;
        bool timersRunning;
        const char* status;  // nullptr: the status is left as it was
    } cases[] = {
        {false, QMessageBox::Yes, "switch to DEMO mode", true, false, "DEMO mode"},
        {false, QMessageBox::No, "switch to DEMO mode", false, true, nullptr},
        {true, QMessageBox::Yes, "switch to online mode", false, true, "Online mode"},
        {true, QMessageBox::No, "switch to online mode", true, false, nullptr},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.question) + (c.answer == QMessageBox::Yes ? " / Yes" : " / No"));
        m_window = std::make_unique<Veltrano>(0, QString());
        auto* action = Child<QAction>("m_pFileDemoModeAction");
        if (c.startInDemo)
        {
            CScriptedPrompt enter;
            enter.Answer(QMessageBox::Yes, QStringLiteral("switch to DEMO mode"));
            action->trigger();
            ASSERT_TRUE(g_DeviceThread.IsDemoMode());
        }
        const QString statusBefore = m_window->StatusLabel()->text();

        CScriptedPrompt prompt;
        prompt.Answer(c.answer, QString::fromLatin1(c.question));
        action->trigger();
        EXPECT_EQ(prompt.Pending(), 0u);

        EXPECT_EQ(g_DeviceThread.IsDemoMode(), c.demoAfter);
        EXPECT_EQ(action->isChecked(), c.demoAfter);
        EXPECT_EQ(m_window->ConnectionTimer().isActive(), c.timersRunning);
        EXPECT_EQ(m_window->RateTimer().isActive(), c.timersRunning);
        EXPECT_EQ(m_window->StatusLabel()->text(), c.status ? QString::fromLatin1(c.status) : statusBefore);
        EXPECT_EQ(m_window->windowTitle(), c.demoAfter ? QStringLiteral("Delvane Veltrano 1.0.26 - DEMO mode")
                                                       : QStringLiteral("Delvane Veltrano 1.0.26"));
        EXPECT_EQ(Button("m_pRangeSoundButton")->isEnabled(), !c.demoAfter);
        g_DeviceThread.SetDemoMode(false);
    }
}

TEST_F(MainWindowTest, SwitchToDemoFromTheNoConnectionWindowDoesNotAsk)
{
    CScriptedPrompt prompt;  // any question would fail the test
    m_window->OnSwitchToDemo();
    EXPECT_TRUE(g_DeviceThread.IsDemoMode());
    EXPECT_TRUE(Child<QAction>("m_pFileDemoModeAction")->isChecked());
    EXPECT_EQ(m_window->StatusLabel()->text(), QStringLiteral("DEMO mode"));
    EXPECT_FALSE(m_window->ConnectionTimer().isActive());
    EXPECT_TRUE(m_window->windowTitle().endsWith(QStringLiteral(" - DEMO mode")));
}

TEST_F(MainWindowTest, ConnectionCheckRunsOnceAndRestartsADeadDeviceThread)
{
    g_DeviceThread.Stop();
    ASSERT_FALSE(g_DeviceThread.isRunning());
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("Device exchange thread died!"));
    m_window->OnConnectionTimer();
    EXPECT_EQ(prompt.Pending(), 0u);
    EXPECT_TRUE(g_DeviceThread.isRunning());
    EXPECT_FALSE(m_window->ConnectionTimer().isActive());
    // No device answers here: the check says so and does not try again by itself.
    EXPECT_EQ(m_window->StatusLabel()->text(), QStringLiteral("Connecting"));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Delvane Veltrano 1.0.26"));

    m_window->OnConnectionTimer();  // a running thread raises nothing
    EXPECT_EQ(prompt.Asked().size(), 1u);
}

TEST_F(MainWindowTest, StartWindowIsShown)
{
    const struct
    {
        const char* name;
        const char* settingsName;
    } cases[] = {
        {"Archive", "ArchiveWindow"},
        {"Analysis", "AnalysisWindow"},
        {"Templates", "TemplatesWindow"},
        {"Pulse", "PulseWindow"},
    };
    const auto find = [](const Veltrano& window, const char* settingsName) -> CQDockWindow*
    {
        for (CQDockWindow* dock : window.findChildren<CQDockWindow*>())
            if (dock->GetSettingsName().startsWith(QLatin1String(settingsName)))
                return dock;
        return nullptr;
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_NE(find(*m_window, c.settingsName), nullptr);
        EXPECT_TRUE(find(*m_window, c.settingsName)->isHidden());

        Veltrano window(0, QString::fromLatin1(c.name));
        EXPECT_FALSE(find(window, c.settingsName)->isHidden());
    }
}

TEST_F(MainWindowTest, PulseSearchLocksTheSweepCommandsUntilItsWindowCloses)
{
    const char* const locked[] = {
        "m_pMemoryButton",       "m_pAnalysisButton",       "m_pArchiveButton",       "m_pMonitoringButton",
        "m_pTemplatesButton",    "m_pRange1Button",         "m_pRange2Button",        "m_pKnownRangesButton",
        "m_pKnownRanges2Button", "m_pRangeWaterfallButton", "m_pRangeSpectrumButton", "m_pDdcPane",
        "m_pDemodPane"};
    auto* range = Child<CRangeView>("m_pRangeGraphView");
    ASSERT_NE(range, nullptr);
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(range->GetGraphic(QStringLiteral("Osc")));
    ASSERT_NE(osc, nullptr);

    using Slot = void (Veltrano::*)();
    const struct
    {
        const char* before;
        Slot pane;
        Slot pause;  // during the search; nullptr: left running
    } cases[] = {
        {"running waterfall", &Veltrano::OnRangeWaterfallButton, nullptr},
        {"paused spectrum", &Veltrano::OnRangeSpectrumButton, &Veltrano::OnRangePauseButton},
        {"single-stepped oscillogram", &Veltrano::OnRangeOscButton, &Veltrano::OnRangeStepButton},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.before);
        (m_window.get()->*c.pane)();
        range->SetOscAutoScale(false);
        range->m_bPulseMode = false;
        for (const char* name : locked)
            ASSERT_TRUE(Child<QWidget>(name)->isEnabled()) << name;

        m_window->OnPulseButton();
        EXPECT_TRUE(Button("m_pPulseButton")->isChecked());
        EXPECT_TRUE(Button("m_pRangeOscButton")->isChecked());
        EXPECT_EQ(range->GetPaneMode(), 3);
        EXPECT_TRUE(range->m_bPulseMode);
        for (const char* name : locked)
            EXPECT_FALSE(Child<QWidget>(name)->isEnabled()) << name;
        // The pause buttons stay free while pulses are searched.
        if (c.pause)
        {
            (m_window.get()->*c.pause)();
            ASSERT_NE(range->GetPauseState(), 0);
        }

        m_window->OnPulseButton();
        EXPECT_FALSE(Button("m_pPulseButton")->isChecked());
        // Closing always returns to the running spectrum, whatever was shown before the search.
        EXPECT_TRUE(Button("m_pRangeSpectrumButton")->isChecked());
        EXPECT_FALSE(Button("m_pRangeOscButton")->isChecked());
        EXPECT_EQ(range->GetPaneMode(), 0);
        EXPECT_FALSE(Button("m_pRangePauseButton")->isChecked());
        EXPECT_EQ(range->GetPauseState(), 0);
        EXPECT_TRUE(osc->IsAutoScale());
        for (const char* name : locked)
            EXPECT_TRUE(Child<QWidget>(name)->isEnabled()) << name;
    }
}

TEST_F(MainWindowTest, BandButtonsSetTheCurrentChannelsLimits)
{
    using Slot = void (Veltrano::*)();
    const struct
    {
        Slot slot;
        const char* button;
        double startMHz, stopMHz, viewStopMHz;
    } bands[] = {
        {&Veltrano::OnRange2Button, "m_pRange2Button", 816.0, 4400.0, 4400.0},
        {&Veltrano::OnRange1Button, "m_pRange1Button", 32.0, 3616.0, 4400.0},
        {&Veltrano::OnRange3Button, "m_pRange3Button", 2416.0, 6000.0, 6000.0},
    };
    IChannel* channel = g_DeviceThread.GetChannel(-1);
    ASSERT_NE(channel, nullptr);
    auto* view = Child<CRangeView>("m_pRangeGraphView");
    IGraphic* spec = view->GetGraphic(QStringLiteral("Spec"));
    ASSERT_NE(spec, nullptr);
    for (const auto& b : bands)
    {
        SCOPED_TRACE(b.button);
        // A zoomed pane: the band's axes replace it.
        spec->SetXWindow(1000.0, 1500.0);
        (m_window.get()->*b.slot)();
        for (const char* name : {"m_pRange1Button", "m_pRange2Button", "m_pRange3Button"})
            EXPECT_EQ(Button(name)->isChecked(), std::string(name) == b.button) << name;
        EXPECT_DOUBLE_EQ(channel->GetStartFreq(), b.startMHz);
        EXPECT_DOUBLE_EQ(channel->GetStopFreq(), b.stopMHz);
        EXPECT_DOUBLE_EQ(channel->GetViewStopFreq(), b.viewStopMHz);
        EXPECT_DOUBLE_EQ(g_DeviceThread.m_pAdf->GetStartFreq(), b.startMHz);
        EXPECT_DOUBLE_EQ(spec->GetXFrom(), b.startMHz);
        EXPECT_DOUBLE_EQ(spec->GetXTo(), b.stopMHz);
    }
}

TEST_F(MainWindowTest, ConverterBandButtonShowsAndHidesTheSpectrumDialog)
{
    auto* dialog = m_window->findChild<CSpectrumDialog*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isHidden());
    for (bool shown : {true, false})
    {
        SCOPED_TRACE(shown);
        g_LmxPanorama[7] = 42.0;
        g_LmxPanorama2[1007] = 42.0;
        m_window->OnLMX_Button_2();
        EXPECT_EQ(dialog->isHidden(), !shown);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Spectrum 12-18 GHz"));
        EXPECT_EQ(dialog->m_nBandMode, 1);
        EXPECT_EQ(dialog->m_strBegin, QStringLiteral("12000 MHz"));
        EXPECT_EQ(dialog->m_strEnd, QStringLiteral("18000 MHz"));
        EXPECT_EQ(dialog->m_strStep, QStringLiteral("Step:10.00 MHz"));
        EXPECT_EQ(dialog->m_nSweepStart, 12000);
        EXPECT_EQ(dialog->m_nSweepEnd, 18000);
        EXPECT_EQ(g_LmxPanorama[7], 0.0);
        EXPECT_EQ(g_LmxPanorama2[1007], 0.0);
    }
}

TEST_F(MainWindowTest, StartWindowNamesAreCaseSensitive)
{
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("DO NOT WORK in this version!!!"));
        Veltrano window(0, QStringLiteral("Monitoring"));
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Critical);
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Delvane Veltrano"));
    }
    for (const char* name : {"monitoring", "MONITORING", "Nothing", ""})
    {
        SCOPED_TRACE(name);
        CScriptedPrompt prompt;  // nothing may be asked
        Veltrano window(0, QString::fromLatin1(name));
        EXPECT_TRUE(prompt.Asked().empty());
    }
}

TEST_F(MainWindowTest, WindowStateFromTheSettings)
{
    const QSize desktop = QGuiApplication::primaryScreen()->availableGeometry().size();
    const QString section = QStringLiteral("MainWindow");

    // The defaults ask for a maximised window.
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Maximized"), 0), 1);
    EXPECT_TRUE(m_window->windowState() & Qt::WindowMaximized);

    const struct
    {
        int width, height, left, top;
        QSize size;
        QPoint pos;
    } cases[] = {
        // Too small, or not smaller than the desktop: the minimum size at the origin.
        {0, 0, 0, 0, QSize(1024, 768), QPoint(0, 0)},
        {800, 600, 10, 10, QSize(1024, 768), QPoint(0, 0)},
        {desktop.width(), desktop.height(), 0, 0, QSize(1024, 768), QPoint(0, 0)},
        {1024, 768, -5, 3, QSize(1024, 768), QPoint(0, 0)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "+" << c.left << "+" << c.top);
        g_Parameters.SetInt(section, QStringLiteral("Maximized"), 0);
        g_Parameters.SetInt(section, QStringLiteral("Width"), c.width);
        g_Parameters.SetInt(section, QStringLiteral("Height"), c.height);
        g_Parameters.SetInt(section, QStringLiteral("Left"), c.left);
        g_Parameters.SetInt(section, QStringLiteral("Top"), c.top);
        // The window loads the stored document when it is built.
        ASSERT_TRUE(g_Parameters.Save());
        Veltrano window(0, QString());
        EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
        EXPECT_EQ(window.size(), c.size);
        EXPECT_EQ(window.pos(), c.pos);
    }
}

TEST_F(MainWindowTest, ClosingMaximisedKeepsTheNormalSizeAndStoresSplitters)
{
    const QString section = QStringLiteral("MainWindow");
    g_Parameters.SetInt(section, QStringLiteral("Width"), 1111);
    g_Parameters.SetInt(section, QStringLiteral("Height"), 888);
    m_window->setWindowState(Qt::WindowMaximized);
    m_window->show();
    m_window->close();
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Maximized"), 0), 1);
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Width"), 0), 1111);
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("Height"), 0), 888);
    const QString hex = g_Parameters.GetString(section, QStringLiteral("HorizSplitterState"), QString());
    EXPECT_FALSE(hex.isEmpty());
    EXPECT_EQ(QByteArray::fromHex(hex.toLatin1()), Child<QSplitter>("m_pHorizSplitter")->saveState());
}

// Closing the program while the band is written to a WAV file closes the file with its sizes.
TEST_F(MainWindowTest, ClosingFinishesTheBandWavFile)
{
    auto* wavWindow = m_window->findChild<CDdcWavWriterWindow*>();
    ASSERT_NE(wavWindow, nullptr);
    IDdcWavWriter* writer = g_DeviceThread.m_pDdcWavWriter;
    CTempDir dir;
    const QString path = QString::fromStdString(dir.File("band.wav"));
    wavWindow->findChild<QLineEdit*>(QStringLiteral("m_pFilePathEdit"))->setText(path);
    m_window->show();
    wavWindow->show();
    wavWindow->findChild<QPushButton*>(QStringLiteral("m_pStartButton"))->click();
    ASSERT_TRUE(writer->IsWriting());
    for (int n = 0; n < 500; ++n)
        writer->WriteSample(n, -n);
    m_window->close();
    EXPECT_FALSE(writer->IsWriting());
    const SWavFile wav = ReadWavFile(path);
    ASSERT_TRUE(wav.read);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.dataBytes, 500 * 4);
    EXPECT_EQ(wav.dataAvailable, wav.dataBytes);
    EXPECT_EQ(wav.riffBytes, wav.fileBytes - 8);
}

// The transmitter never stays on after the program: closing the main window with the generator shown
// and powered sends it a block whose output level is 0.
TEST_F(MainWindowTest, ClosingSwitchesTheGeneratorOff)
{
    auto* generator = m_window->findChild<Zantigo*>();
    ASSERT_NE(generator, nullptr);
    m_window->show();
    m_window->OnPlutoTxButton();
    ASSERT_TRUE(generator->isVisible());
    auto* power = generator->findChild<QCheckBox*>(QStringLiteral("m_pPowerCheckBox"));
    ASSERT_NE(power, nullptr);
    EXPECT_TRUE(power->isChecked());
    // The first ticks fill the RF power list from the stored step; then the output level is that step.
    generator->OnTimer();
    generator->OnTimer();
    const int kOutputLevel = 207;
    ASSERT_NE(generator->GetBlock()[kOutputLevel], 0);
    m_window->close();
    EXPECT_FALSE(power->isChecked());
    EXPECT_EQ(generator->GetBlock()[kOutputLevel], 0);
}

TEST_F(MainWindowTest, PaneCornersEnlargeAndRestore)
{
    m_window->showNormal();
    m_window->resize(1200, 800);
    QApplication::processEvents();
    auto* horiz = Child<QSplitter>("m_pHorizSplitter");
    auto* vert = Child<QSplitter>("m_pVertSplitter");

    using Slot = void (Veltrano::*)();
    const struct
    {
        const char* name;
        Slot slot;
        int enlarged;
        bool rangeShown, ddcShown, demodShown;
    } corners[] = {
        {"range", &Veltrano::OnPressCornerRange, 1, true, false, false},
        {"ddc", &Veltrano::OnPressCornerDdc, 2, false, true, false},
        {"demod", &Veltrano::OnPressCornerDemod, 3, false, false, true},
    };
    for (const auto& c : corners)
    {
        SCOPED_TRACE(c.name);
        (m_window.get()->*c.slot)();
        EXPECT_EQ(m_window->GetEnlargedPane(), c.enlarged);
        EXPECT_EQ(horiz->sizes()[0] > 0, c.rangeShown);
        EXPECT_EQ(horiz->sizes()[1] > 0, !c.rangeShown);
        if (!c.rangeShown)
        {
            EXPECT_EQ(vert->sizes()[0] > 0, c.ddcShown);
            EXPECT_EQ(vert->sizes()[1] > 0, c.demodShown);
        }
        // Any corner while a pane is enlarged gives equal halves again.
        for (const auto& other : corners)
        {
            SCOPED_TRACE(other.name);
            (m_window.get()->*other.slot)();
            EXPECT_EQ(m_window->GetEnlargedPane(), 0);
            EXPECT_LE(std::abs(horiz->sizes()[0] - horiz->sizes()[1]), 1);
            EXPECT_LE(std::abs(vert->sizes()[0] - vert->sizes()[1]), 1);
            (m_window.get()->*c.slot)();
            EXPECT_EQ(m_window->GetEnlargedPane(), c.enlarged);
        }
        (m_window.get()->*c.slot)();
        EXPECT_EQ(m_window->GetEnlargedPane(), 0);
    }
}

TEST_F(MainWindowTest, ServiceSequenceRestartsOnAWrongKey)
{
    const struct
    {
        const char* keys;
        int serviceMode;
    } cases[] = {
        {"574", 1},    {"1574", 1}, {"57", 0},
        {"5x74", 0},   {"5574", 0},  // the wrong 5 is not taken as a new start
        {"57574", 0},                // nor is this one: the match starts again only with a 5 after the reset
        {"575574", 1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.keys);
        m_window = std::make_unique<Veltrano>(0, QString());
        QTest::keyClicks(m_window.get(), QString::fromLatin1(c.keys));
        EXPECT_EQ(m_window->GetServiceMode(), c.serviceMode);
    }
}

TEST_F(MainWindowTest, ServiceSequenceRevealsTheServiceControls)
{
    const char* const names[] = {"m_pLMX_Check_20", "m_pLMX_Check_21", "m_pLMX_Check_",  "m_pLMX_Check_18",
                                 "m_pLMX_Check_19", "m_pLMX_Check_22", "m_pLMX_Check_0", "m_pLMX_Check_16",
                                 "m_pLMX_Check_17", "m_pDebugGroupBox"};
    for (const char* name : names)
        EXPECT_TRUE(Child<QWidget>(name)->isHidden()) << name;
    QTest::keyClicks(m_window.get(), QStringLiteral("574"));
    for (const char* name : names)
        EXPECT_FALSE(Child<QWidget>(name)->isHidden()) << name;
}

// The internals window opens only from service mode: the first sequence reveals the service controls,
// each further one shows the window.
TEST_F(MainWindowTest, ServiceSequenceAgainOpensTheInternalsWindow)
{
    auto* internals = m_window->findChild<CInternalsWindow*>();
    ASSERT_NE(internals, nullptr);
    m_window->show();
    QTest::keyClicks(m_window.get(), QStringLiteral("574"));
    EXPECT_EQ(m_window->GetServiceMode(), 1);
    EXPECT_FALSE(internals->isVisible());
    QTest::keyClicks(m_window.get(), QStringLiteral("57"));
    EXPECT_FALSE(internals->isVisible());
    QTest::keyClicks(m_window.get(), QStringLiteral("4"));
    EXPECT_TRUE(internals->isVisible());
    internals->hide();
    QTest::keyClicks(m_window.get(), QStringLiteral("574"));
    EXPECT_TRUE(internals->isVisible());

    // Its two display switches reach the band view and the range pane's buttons.
    auto* ddc = Child<CDdcView>("m_pDdcGraphView");
    auto* useCorrection = internals->findChild<QCheckBox*>(QStringLiteral("m_pUseDdcFftCorrCheck"));
    auto* showOsc = internals->findChild<QCheckBox*>(QStringLiteral("m_pShowOscBtnCheck"));
    ASSERT_NE(useCorrection, nullptr);
    ASSERT_NE(showOsc, nullptr);
    for (bool on : {false, true})
    {
        useCorrection->click();
        EXPECT_EQ(useCorrection->isChecked(), on);
        EXPECT_EQ(ddc->IsFftCorrOn(), on);
        showOsc->click();
        EXPECT_EQ(Button("m_pRangeOscButton")->isVisible(), !on);
    }
}

TEST_F(MainWindowTest, LanguageIsStoredForTheNextStartOnly)
{
    const QString before = Button("m_pArchiveButton")->text();
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("New setting will take effect after appication restart!"))
        .Answer(QMessageBox::Ok, QStringLiteral("New setting will take effect after appication restart!"));
    Child<QAction>("m_pViewLanguageRussianAction")->trigger();
    EXPECT_TRUE(QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
                    .value(QStringLiteral("Global/Language"))
                    .toString()
                    .startsWith(QStringLiteral("ru")));
    EXPECT_EQ(Button("m_pArchiveButton")->text(), before);
    Child<QAction>("m_pViewLanguageEnglishAction")->trigger();
    EXPECT_TRUE(QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
                    .value(QStringLiteral("Global/Language"))
                    .toString()
                    .startsWith(QStringLiteral("en")));
    EXPECT_EQ(prompt.Pending(), 0u);
}

TEST_F(MainWindowTest, DebugSequenceShowsTheOverlayAndIgnoresStrayKeys)
{
    ASSERT_NE(m_window->DebugWindow(), nullptr);
    EXPECT_FALSE(m_window->DebugWindow()->isVisible());
    QTest::keyClicks(m_window.get(), QStringLiteral("3x1y"));
    EXPECT_FALSE(m_window->DebugWindow()->isVisible());
    QTest::keyClicks(m_window.get(), QStringLiteral("4"));
    EXPECT_TRUE(m_window->DebugWindow()->isVisible());
    m_window->DebugWindow()->hide();
    QTest::keyClicks(m_window.get(), QStringLiteral("4"));
    EXPECT_TRUE(m_window->DebugWindow()->isVisible());
}

TEST(MainWindowGeometryTest, StoredRectangleRoundTripsAndBadSetsAreReplaced)
{
    const QString section = QStringLiteral("mainWindow2");
    QWidget window;

    window.setGeometry(QRect(QPoint(40, 60), QSize(900, 700)));
    Veltrano::StoreGeometry(&window);
    const int left = g_Parameters.GetInt(section, QStringLiteral("Left"), -1);
    const int top = g_Parameters.GetInt(section, QStringLiteral("Top"), -1);
    const int right = g_Parameters.GetInt(section, QStringLiteral("Right"), -1);
    const int bottom = g_Parameters.GetInt(section, QStringLiteral("Bottom"), -1);
    EXPECT_EQ(left, 40);
    EXPECT_EQ(right, 40 + 900 - 1);
    EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("CheckSum"), -1), left + top + right + bottom);

    QWidget restored;
    Veltrano::RestoreGeometry(&restored);
    EXPECT_EQ(restored.geometry(), QRect(QPoint(40, 60), QSize(900, 700)));

    // A hand-edited edge without a matching sum gives the fixed rectangle.
    g_Parameters.SetInt(section, QStringLiteral("Left"), 41);
    QWidget edited;
    Veltrano::RestoreGeometry(&edited);
    EXPECT_EQ(edited.geometry(), QRect(QPoint(30, 50), QPoint(2100, 1300)));

    // Nothing stored yet: the window keeps what it had rather than becoming one pixel.
    for (const char* key : {"Left", "Top", "Right", "Bottom", "CheckSum"})
        g_Parameters.SetInt(section, QString::fromLatin1(key), 0);
    QWidget first;
    first.setGeometry(QRect(5, 6, 640, 480));
    Veltrano::RestoreGeometry(&first);
    EXPECT_EQ(first.geometry(), QRect(5, 6, 640, 480));
}

TEST(MainWindowTextTest, RecordingTimeCountsWholeDays)
{
    const struct
    {
        quint64 bytes;
        const char* text;
    } cases[] = {
        {0, "Recording time available: 0 days 00:00:00"},
        {1600000ull * 59, "Recording time available: 0 days 00:00:59"},
        {1600000ull * 90061, "Recording time available: 1 days 01:01:01"},
        {1600000ull * 86400 * 40 + 1599999, "Recording time available: 40 days 00:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Veltrano::FormatRecordingTime(c.bytes), QString::fromLatin1(c.text)) << c.bytes;

    EXPECT_EQ(Veltrano::RecordingTimeText(QStringLiteral("waterfall.buf")),
              QStringLiteral("Recording time available: n/a"));
    // The options dock keeps the range buffer path in the platform's own form.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString native = QDir::toNativeSeparators(dir.filePath(QStringLiteral("waterfall.buf")));
    EXPECT_TRUE(Veltrano::RecordingTimeText(native).contains(QStringLiteral(" days ")))
        << native.toStdString();
}
}  // namespace
