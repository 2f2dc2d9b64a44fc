// Switching the main window to an input channel type, in-process with the real library: what each
// type shows and enables, when the device is initialised again, where the DDC frequency is kept, the
// range pane's mode, the refusal of a type without a channel, and the reset to default settings.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBox>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysiswindow.h"
#include "archivewindow.h"
#include "devicethread.h"
#include "dockwindow.h"
#include "fftoptions.h"
#include "globals.h"
#include "gsmanalysiswindow.h"
#include "icontrolbits.h"
#include "igraphic.h"
#include "isoundengine.h"
#include "knownfreqranges2window.h"
#include "knownfreqrangeswindow.h"
#include "monitoring2window.h"
#include "optionswindow.h"
#include "parameters.h"
#include "rangeview.h"
#include "scanerwindow.h"
#include "scriptedcore.h"
#include "scriptedprompt.h"
#include "spectrumdialog.h"
#include "templateswindow.h"
#include "testdevice.h"
#include "usermanualwindow.h"
#include "veltrano.h"
#include "videowindow.h"

namespace
{
class CChannelWindow : public Veltrano
{
public:
    CChannelWindow() : Veltrano(0, QString()) {}
    using Veltrano::ui;
};

// The debug lines written while it lives; every message still reaches the previous handler.
class CDebugLines
{
public:
    CDebugLines()
    {
        s_lines = &m_lines;
        s_previous = qInstallMessageHandler(&Handle);
    }
    ~CDebugLines()
    {
        qInstallMessageHandler(s_previous);
        s_lines = nullptr;
    }
    CDebugLines(const CDebugLines&) = delete;
    CDebugLines& operator=(const CDebugLines&) = delete;

    const std::vector<QString>& Lines() const { return m_lines; }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtDebugMsg && s_lines)
            s_lines->push_back(text);
        if (s_previous)
            s_previous(type, context, text);
    }

    std::vector<QString> m_lines;
    static inline std::vector<QString>* s_lines = nullptr;
    static inline QtMessageHandler s_previous = nullptr;
};

const QString kDevice = QStringLiteral("Device");

// The main window on the real library with the device thread stopped, so that nothing but the
// window initialises the device. Its core is replaced by one that counts the connections: every
// device initialisation connects exactly once, so the count is the number of initialisations.
class ChannelSwitchTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { g_FftOptions.Init(); }

    // The device the window is built on: the correction tables give the high-frequency input alone.
    virtual void PrepareDevice() { dev.LoadCorrections(); }

    void SetUp() override
    {
        dev.SetDemoMode(false);
        PrepareDevice();
        window = std::make_unique<CChannelWindow>();
        dev.Stop();
        m_savedCore = dev.m_pKelthar;
        dev.m_pKelthar = &core;
        window->show();
        for (CQDockWindow* dock : window->findChildren<CQDockWindow*>())
            if (!dock->isHidden())
                dock->hide();
    }

    void TearDown() override
    {
        dev.m_pKelthar = m_savedCore;
        window.reset();
        dev.SetDemoMode(false);
    }

    template <typename T>
    T* Find() const
    {
        T* child = window->findChild<T*>();
        EXPECT_NE(child, nullptr);
        return child;
    }

    QToolBox* OptionsPages() const
    {
        return Find<COptionsWindow>()->findChild<QToolBox*>(QStringLiteral("m_pOptionsToolBox"));
    }

    double StoredDdcFreq(int type) const
    {
        return g_Parameters.GetDouble(kDevice, dev.GetChannelPrefix(type) + QStringLiteral("DdcFreq"), -1.0);
    }

    CDeviceThread& dev = g_DeviceThread;
    CScriptedCore core;
    std::unique_ptr<CChannelWindow> window;

private:
    IKelthar* m_savedCore = nullptr;
};

// A device with a channel for every input type.
class ChannelSwitchEveryTypeTest : public ChannelSwitchTest
{
protected:
    void PrepareDevice() override
    {
        dev.LoadCorrections();
        const double rates[] = {61e6, 61e6, 61e6, 61e6, 61e6, 61e6, 61e6};
        PrepareTestDevice(rates);
    }

    // Stores the narrowest DDC band of the type as its band.
    void SelectNarrowestBand(int type)
    {
        IControlBits* bits = dev.m_pControlBits;
        ASSERT_TRUE(dev.SetChannelType(type));
        int narrowest = 0;
        for (int i = 1; i < bits->GetDdcBandCount(); ++i)
            if (bits->GetBandwidth(-1, i) < bits->GetBandwidth(-1, narrowest))
                narrowest = i;
        ASSERT_LT(bits->GetBandwidth(-1, narrowest), 384000.0) << "type " << type;
        g_Parameters.SetInt(kDevice, dev.GetChannelPrefix(type) + QStringLiteral("Bandwidth"), narrowest);
    }

    // The frame rate of a WAV file the sound engine records now: half the rate it was opened with.
    quint32 RecordedFrameRate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("probe.wav"));
        dev.m_pSoundEngine->StartRecording(path.toStdWString());
        dev.m_pSoundEngine->StopRecording();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray header = file.read(28);
        if (header.size() < 28)
            return 0;
        const auto byte = [&](int i) { return static_cast<quint32>(static_cast<quint8>(header[i])); };
        return byte(24) | byte(25) << 8 | byte(26) << 16 | byte(27) << 24;
    }
};

TEST_F(ChannelSwitchEveryTypeTest, EachTypeShowsItsButtonsEnablesItsPanesAndInitialisesOnce)
{
    const struct
    {
        int type;
        bool rangeOsc, onlyDdc, octaveAndSound, ddcUsable, remote;
    } rows[] = {
        {0, false, true, false, true, false}, {1, true, true, false, true, false},
        {2, true, false, false, true, false}, {3, false, true, false, true, false},
        {4, true, false, true, false, false}, {5, true, false, false, true, true},
        {6, true, true, true, true, false},
    };
    Ui::VeltranoClass& ui = window->ui;
    CRangeView* range = ui.m_pRangeGraphView;
    QToolBox* pages = OptionsPages();
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(window->ChannelCombo()->count(), 7);
    ISoundEngine* sound = dev.m_pSoundEngine;
    ASSERT_NE(sound, nullptr);
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), 0);
    // Each type on its narrowest DDC band: slow enough to be played, so that the band leaves the
    // sound button to the switch.
    for (int type = 0; type <= 6; ++type)
        SelectNarrowestBand(type);
    dev.SetChannelType(0);

    // From the type before: each row is reached from another type, type 4 from one that has the
    // panes enabled and a type with the panes from type 4.
    for (const int order : {3, 4, 0, 1, 6, 2, 5})
    {
        const auto& row = rows[order];
        SCOPED_TRACE(testing::Message() << "type " << row.type);
        // Everything watched starts opposite to what the type gives, so that every check can fail;
        // what a type leaves as it is starts in the state a blanket reset would not keep.
        ui.m_pRangeOscButton->setVisible(!row.rangeOsc);
        ui.m_pOnlyDdcButton->setVisible(!row.onlyDdc);
        ui.m_pRangeOctButton->setVisible(!row.octaveAndSound);
        ui.m_pRangeSoundButton->setVisible(!row.octaveAndSound);
        ui.m_pRemoteButton->setVisible(!row.remote);
        ui.m_pKnownRanges2Button->setVisible(row.type != 0);
        ui.m_pPulseButton->show();
        ui.m_pKnownRangesButton->show();
        ui.m_pDdcPane->setEnabled(!row.ddcUsable);
        ui.m_pDemodPane->setEnabled(!row.ddcUsable);
        range->m_bTuningEnabled = !row.ddcUsable;
        pages->setItemEnabled(1, !row.ddcUsable);
        pages->setItemEnabled(2, !row.ddcUsable);
        window->ChannelCombo()->setCurrentIndex(row.type == 0 ? 1 : 0);
        g_Parameters.SetInt(kDevice, QStringLiteral("DemodSoundEnabled"), 1);
        ui.m_pDemodSoundButton->setChecked(true);
        sound->Open(0, 8000);
        core.connectCount = 0;

        window->SetCurrentChannel(row.type);

        EXPECT_EQ(dev.GetChannelType(), row.type);
        EXPECT_EQ(ui.m_pRangeOscButton->isHidden(), !row.rangeOsc);
        EXPECT_EQ(ui.m_pOnlyDdcButton->isHidden(), !row.onlyDdc);
        EXPECT_EQ(ui.m_pRangeOctButton->isHidden(), !row.octaveAndSound);
        EXPECT_EQ(ui.m_pRangeSoundButton->isHidden(), !row.octaveAndSound);
        EXPECT_EQ(ui.m_pRemoteButton->isHidden(), !row.remote);
        EXPECT_FALSE(ui.m_pKnownRanges2Button->isHidden());
        EXPECT_EQ(ui.m_pPulseButton->isHidden(), row.type != 0);
        EXPECT_EQ(ui.m_pKnownRangesButton->isHidden(), row.type != 0);
        EXPECT_EQ(ui.m_pDdcPane->isEnabled(), row.ddcUsable);
        EXPECT_EQ(ui.m_pDemodPane->isEnabled(), row.ddcUsable);
        EXPECT_EQ(range->m_bTuningEnabled, row.ddcUsable);
        EXPECT_EQ(pages->isItemEnabled(1), row.ddcUsable);
        EXPECT_EQ(pages->isItemEnabled(2), row.ddcUsable);
        EXPECT_TRUE(pages->isItemEnabled(0));
        EXPECT_EQ(window->ChannelCombo()->currentIndex(), row.type);
        EXPECT_EQ(g_Parameters.GetInt(kDevice, QStringLiteral("DemodSoundEnabled"), -1), 0);
        EXPECT_FALSE(ui.m_pDemodSoundButton->isChecked());
        EXPECT_EQ(core.connectCount, 1);
        // The DLA input plays through the sound output, opened at 31250 (the card then runs at half
        // of it). The other types leave it at what the DDC band gave.
        if (row.type == 4)
        {
            EXPECT_EQ(RecordedFrameRate(), 31250u / 2);
        }
    }
}

TEST_F(ChannelSwitchEveryTypeTest, InitialisesWhenAskedOrChangedAndKeepsTheDdcFrequencyPerType)
{
    const struct
    {
        int from, to;
        double ddcFreq;
        bool init;
        int inits;
        double stored;
    } cases[] = {
        {0, 0, 0.0, false, 0, 1000.0},   {0, 0, 0.0, true, 1, 1200.5},     {0, 2, 0.0, false, 1, 300.0},
        {2, 2, 0.0, true, 1, 77.125},    {0, 0, 433.92, false, 0, 1000.0}, {0, 2, 150.25, false, 1, 300.0},
        {2, 5, 2400.5, true, 1, 3000.0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to << " at " << c.ddcFreq
                                        << (c.init ? " with" : " without") << " init");
        window->SetCurrentChannel(c.from, 0.0, false);
        ASSERT_EQ(dev.GetChannelType(), c.from);
        // A frequency inside the channel, so that tuning to it reads back the same.
        g_Parameters.SetDouble(kDevice, dev.GetChannelPrefix(c.to) + QStringLiteral("DdcFreq"), c.stored);
        // Each type's stored frequency as the switch found it.
        std::vector<double> before;
        for (int type = 0; type <= 6; ++type)
            before.push_back(StoredDdcFreq(type));
        core.connectCount = 0;

        window->SetCurrentChannel(c.to, c.ddcFreq, c.init);

        EXPECT_EQ(core.connectCount, c.inits);
        ASSERT_EQ(dev.GetChannelType(), c.to);
        const double expected = c.ddcFreq != 0.0 ? c.ddcFreq : before[static_cast<size_t>(c.to)];
        EXPECT_NEAR(StoredDdcFreq(c.to), expected, 1e-3);
        // The DDC is tuned to what is stored.
        EXPECT_NEAR(dev.m_pControlBits->GetTuneFreq() / 1e6, expected, 1e-3);
        for (int type = 0; type <= 6; ++type)
        {
            if (type != c.to)
            {
                EXPECT_EQ(StoredDdcFreq(type), before[static_cast<size_t>(type)]) << "type " << type;
            }
        }
    }
}

TEST_F(ChannelSwitchEveryTypeTest, StoredOscillogramModeGivesTheSpectrumOnTheRadioTypes)
{
    const struct
    {
        int type;
        bool oscillogram;
    } cases[] = {{0, false}, {3, false}, {2, true}, {5, true}};
    Ui::VeltranoClass& ui = window->ui;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "type " << c.type);
        // Leaving an oscillogram switches back to the spectrum on the way: start from one.
        window->SetCurrentChannel(0, 0.0, false);
        ASSERT_EQ(ui.m_pRangeGraphView->GetPaneMode(), 0);
        g_Parameters.SetInt(QStringLiteral("RangePane"), QStringLiteral("GraphMode"), 2);

        window->SetCurrentChannel(c.type);

        EXPECT_EQ(ui.m_pRangeOscButton->isChecked(), c.oscillogram);
        EXPECT_EQ(ui.m_pRangeSpectrumButton->isChecked(), !c.oscillogram);
        EXPECT_EQ(ui.m_pRangeGraphView->GetPaneMode(), c.oscillogram ? 3 : 0);
        EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangePane"), QStringLiteral("GraphMode"), -1),
                  c.oscillogram ? 2 : 0);
    }
}

// The correction tables give one channel, the high-frequency input: a type the library has no
// channel for is refused whichever way it is asked for, and nothing at all changes.
TEST_F(ChannelSwitchTest, TypeWithoutAChannelChangesNothing)
{
    using Request = std::function<void(CChannelWindow&)>;
    const struct
    {
        const char* name;
        Request request;
    } requests[] = {
        {"direct call", [](CChannelWindow& w) { w.SetCurrentChannel(4, 433.92, true); }},
        {"status bar selector", [](CChannelWindow& w) { emit w.ChannelCombo()->activated(4); }},
        {"archive window",
         [](CChannelWindow& w) { emit w.findChild<CArchiveWindow*>()->changeChannel(4, 433.92, true); }},
    };
    ASSERT_EQ(dev.GetChannelCount(), 1);
    Ui::VeltranoClass& ui = window->ui;
    CRangeView* range = ui.m_pRangeGraphView;
    IGraphic* spec = range->GetGraphic(QStringLiteral("Spec"));
    ASSERT_NE(spec, nullptr);
    QTemporaryDir dir;
    const QString paneFile = dir.filePath(QStringLiteral("spectrum.rsd"));
    range->SavePaneData(paneFile, QStringLiteral("rsd"), spec, 0);

    double shift = 0.0;
    for (const auto& r : requests)
    {
        SCOPED_TRACE(r.name);
        window->SetCurrentChannel(0, 0.0, false);
        // A state a switch would undo: a tool window shown, only-DDC on, loaded data in the range
        // pane, its window moved since the axes were stored, the selector moved away.
        auto* analysis = Find<CAnalysisWindow>();
        analysis->show();
        ui.m_pOnlyDdcButton->setChecked(true);
        window->OnOnlyDdcChanged();
        range->LoadPaneData(paneFile, QStringLiteral("rsd"), spec, 0);
        ASSERT_TRUE(range->IsLoadedData());
        // Each request its own window, so that none matches what an earlier one might have stored.
        shift += 10.0;
        spec->SetXWindow(spec->GetXFrom() + shift, spec->GetXTo() - shift);
        const double xFrom = spec->GetXFrom();
        window->ChannelCombo()->setCurrentIndex(-1);
        const QString settings = g_Parameters.toString();
        std::vector<double> ddcFreqs;
        for (int type = 0; type <= 6; ++type)
            ddcFreqs.push_back(StoredDdcFreq(type));
        core.connectCount = 0;

        CDebugLines debug;
        r.request(*window);

        EXPECT_EQ(dev.GetChannelType(), 0);
        EXPECT_EQ(core.connectCount, 0);
        EXPECT_FALSE(analysis->isHidden());
        EXPECT_TRUE(ui.m_pOnlyDdcButton->isChecked());
        EXPECT_TRUE(dev.m_pAdf->IsOnlyDdc());
        EXPECT_TRUE(range->IsLoadedData());
        EXPECT_EQ(spec->GetXFrom(), xFrom);
        EXPECT_EQ(window->ChannelCombo()->currentIndex(), 0);
        // Neither a DDC frequency (of any type) nor the axes nor anything else was stored.
        for (int type = 0; type <= 6; ++type)
        {
            EXPECT_EQ(StoredDdcFreq(type), ddcFreqs[static_cast<size_t>(type)]) << "type " << type;
        }
        EXPECT_TRUE(g_Parameters.toString() == settings) << "the settings document changed";
        ASSERT_EQ(debug.Lines().size(), 1u);
        EXPECT_TRUE(debug.Lines()[0].contains(QStringLiteral("has no channel")))
            << debug.Lines()[0].toStdString();

        analysis->hide();
    }
}

TEST_F(ChannelSwitchTest, DefaultParametersResetOnlyWhenConfirmed)
{
    const std::vector<CQDockWindow*> docks = {
        Find<COptionsWindow>(),  Find<CAnalysisWindow>(),        Find<CGsmAnalysisWindow>(),
        Find<CScanerWindow>(),   Find<CUserManualWindow>(),      Find<CArchiveWindow>(),
        Find<CSpectrumDialog>(), Find<CMonitoring2Window>(),     Find<CTemplatesWindow>(),
        Find<CVideoWindow>(),    Find<CKnownFreqRangesWindow>(), Find<CKnownFreqRanges2Window>(),
    };
    const QString mainWindow = QStringLiteral("MainWindow");
    auto* action = window->findChild<QAction*>(QStringLiteral("m_pFileDefParamAction"));
    ASSERT_NE(action, nullptr);
    for (const bool confirmed : {false, true})
    {
        SCOPED_TRACE(confirmed ? "Yes" : "No");
        g_Parameters.SetInt(mainWindow, QStringLiteral("Width"), 1500);
        for (CQDockWindow* dock : docks)
            dock->show();
        core.connectCount = 0;

        CScriptedPrompt prompt;
        prompt.Answer(confirmed ? QMessageBox::Yes : QMessageBox::No,
                      QStringLiteral("Do you want to reset all settings to default values?"));
        action->trigger();
        EXPECT_EQ(prompt.Pending(), 0u);

        EXPECT_EQ(g_Parameters.GetInt(mainWindow, QStringLiteral("Width"), 0), confirmed ? 1024 : 1500);
        for (CQDockWindow* dock : docks)
            EXPECT_EQ(dock->isHidden(), confirmed) << dock->metaObject()->className();
        // The current type is switched to again, which initialises the device.
        EXPECT_EQ(core.connectCount, confirmed ? 1 : 0);
        EXPECT_EQ(dev.GetChannelType(), 0);
    }
}
}  // namespace
