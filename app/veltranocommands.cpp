// The operator's commands: the pane buttons, the tool-window buttons, the menus and the reports of
// the tool windows.

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "aboutwindow.h"
#include "analysiswindow.h"
#include "archivewindow.h"
#include "ddcwavwriterwindow.h"
#include "devicethread.h"
#include "dockwindow.h"
#include "globals.h"
#include "gsmanalysiswindow.h"
#include "knownfreqranges2window.h"
#include "knownfreqrangeswindow.h"
#include "memorywindow.h"
#include "monitoring2window.h"
#include "octavefilterswindow.h"
#include "optionswindow.h"
#include "parameters.h"
#include "preferenceswindow.h"
#include "prompt.h"
#include "pulsewindow.h"
#include "rangeview.h"
#include "scanerwindow.h"
#include "spectrumdialog.h"
#include "templateswindow.h"
#include "usermanualwindow.h"
#include "veltrano.h"
#include "videowindow.h"
#include "waterfallgraphic.h"
#include "zantigo.h"

void Veltrano::ConnectPaneButtons()
{
    const auto click = [this](QPushButton* button, void (Veltrano::*slot)())
    { connect(button, &QPushButton::clicked, this, slot); };
    click(ui.m_pRangePauseButton, &Veltrano::OnRangePauseButton);
    click(ui.m_pRangeStepButton, &Veltrano::OnRangeStepButton);
    click(ui.m_pRangeOptionsButton, &Veltrano::OnRangeOptionsButton);
    click(ui.m_pRangeSpectrumButton, &Veltrano::OnRangeSpectrumButton);
    click(ui.m_pRangeWaterfallButton, &Veltrano::OnRangeWaterfallButton);
    click(ui.m_pRangeOscButton, &Veltrano::OnRangeOscButton);
    click(ui.m_pRangeResetButton, &Veltrano::OnRangeResetButton);
    click(ui.m_pRangeZeroButton, &Veltrano::OnRangeZeroButton);
    click(ui.m_pRangeAutoFitButton, &Veltrano::OnRangeAutoFitButton);
    click(ui.m_pDdcPauseButton, &Veltrano::OnDdcPauseButton);
    click(ui.m_pDdcStepButton, &Veltrano::OnDdcStepButton);
    click(ui.m_pDdcOptionsButton, &Veltrano::OnDdcOptionsButton);
    click(ui.m_pDdcSpectrumButton, &Veltrano::OnDdcSpectrumButton);
    click(ui.m_pDdcWaterfallButton, &Veltrano::OnDdcWaterfallButton);
    click(ui.m_pDdcOscButton, &Veltrano::OnDdcOscButton);
    click(ui.m_pDdcResetButton, &Veltrano::OnDdcResetButton);
    click(ui.m_pDdcZeroButton, &Veltrano::OnDdcZeroButton);
    click(ui.m_pDdcAutoFitButton, &Veltrano::OnDdcAutoFitButton);
    click(ui.m_pDemodPauseButton, &Veltrano::OnDemodPauseButton);
    click(ui.m_pDemodStepButton, &Veltrano::OnDemodStepButton);
    click(ui.m_pDemodOptionsButton, &Veltrano::OnDemodOptionsButton);
    click(ui.m_pDemodSpectrumButton, &Veltrano::OnDemodSpectrumButton);
    click(ui.m_pDemodWaterfallButton, &Veltrano::OnDemodWaterfallButton);
    click(ui.m_pDemodOscButton, &Veltrano::OnDemodOscButton);
    click(ui.m_pDemodResetButton, &Veltrano::OnDemodResetButton);
    click(ui.m_pDemodZeroButton, &Veltrano::OnDemodZeroButton);
    click(ui.m_pDemodAutoFitButton, &Veltrano::OnDemodAutoFitButton);
    click(ui.m_pRange1Button, &Veltrano::OnRange1Button);
    click(ui.m_pRange2Button, &Veltrano::OnRange2Button);
    click(ui.m_pRange3Button, &Veltrano::OnRange3Button);
    click(ui.m_pArchiveButton, &Veltrano::OnArchiveButton);
    click(ui.m_pAnalysisButton, &Veltrano::OnAnalysisButton);
    click(ui.m_pMonitoringButton, &Veltrano::OnMonitoringButton);
    connect(ui.m_pMonitoring2Button, &QPushButton::clicked, this, [this] { OnMonitoring2Button(); });
    click(ui.m_pTemplatesButton, &Veltrano::OnTemplatesButton);
    click(ui.m_pPulseButton, &Veltrano::OnPulseButton);
    click(ui.m_pMemoryButton, &Veltrano::OnMemoryButton);
    click(ui.m_pLMX_Button, &Veltrano::OnLMX_Button);
    click(ui.m_pLMX_Button_2, &Veltrano::OnLMX_Button_2);
    click(ui.m_pPlutoTxButton, &Veltrano::OnPlutoTxButton);
    click(ui.m_pQuorrinButton, &Veltrano::OnQuorrinButton);
    click(ui.m_pBrisolaButton, &Veltrano::OnBrisolaButton);
    click(ui.m_pDdcWavWriteButton, &Veltrano::OnDdcWavWriteButton);

    click(ui.m_pDdcVecButton, &Veltrano::OnDdcVectorButton);
    connect(ui.m_pRemoteButton, &QPushButton::clicked, this, &Veltrano::OnRemoteButton);
    click(ui.m_pGsmButton, &Veltrano::OnGsmAnalysisButton);
    click(ui.m_pKnownRangesButton, &Veltrano::OnRangesButton);
    click(ui.m_pKnownRanges2Button, &Veltrano::OnRanges2Button);
    connect(ui.m_pRangeOctButton, &QPushButton::clicked, m_pRangeOctaveFiltersWindow, &QWidget::setVisible);
    connect(ui.m_pDemodOctButton, &QPushButton::clicked, m_pDemodOctaveFiltersWindow, &QWidget::setVisible);
    connect(ui.m_pDdcBandwidthCombo, QOverload<int>::of(&QComboBox::activated), this,
            &Veltrano::OnDeviceBandwidthChanged);
    connect(ui.m_pDemodModeCombo, QOverload<int>::of(&QComboBox::activated), this,
            [this](int) { OnDeviceDemodChanged(); });
    click(ui.m_pRangeSoundButton, &Veltrano::OnRangeSoundStatusChanged);
    click(ui.m_pDemodSoundButton, &Veltrano::OnDemodSoundStatusChanged);
    click(ui.m_pOnlyDdcButton, &Veltrano::OnOnlyDdcChanged);
    connect(ui.m_pVideoButton, &QPushButton::clicked, this, &Veltrano::OnDemodVideoButton);

    ui.m_pMasterButton->hide();
    ui.m_pSlaveButton->hide();
    ui.m_pStartButton->hide();
    ui.m_pStopButton->hide();
    ui.m_pVideoButton->hide();
}

// Menus ------------------------------------------------------------------------------------------

void Veltrano::OnHelpAboutMenu()
{
    CAboutWindow about(nullptr);
    Prompt().Exec(about);
}

void Veltrano::OnHelpManualMenu()
{
    if (!m_pUserManualWindow)
        return;
    ui.m_pHelpManualAction->setChecked(ToggleWindow(m_pUserManualWindow));
}

namespace
{
// The folder the parameter-file dialogs start in, kept beside the settings document.
QString ParametersFolder(const QSettings& settings)
{
    return settings
        .value(QStringLiteral("Parameters/Folder"),
               QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .toString();
}
}  // namespace

void Veltrano::OnFileLoadParamMenu()
{
    QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
    const QString file = Prompt().GetOpenFileName(this, tr("Load Parameters"), ParametersFolder(settings),
                                                  tr("Parameter files (*.ini)"));
    if (file.isEmpty())
        return;
    // Taken over by the settings document at the next start; nothing changes now.
    settings.setValue(QStringLiteral("Parameters/LoadFile"), file);
    settings.sync();
    Prompt().Information(this, QCoreApplication::applicationName(), tr("Restart this Program to apply!!!"));
}

void Veltrano::OnFileSaveParamMenu()
{
    QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
    const QString file = Prompt().GetSaveFileName(this, tr("Save Parameters As"), ParametersFolder(settings),
                                                  tr("Parameter files (*.ini)"));
    const int slash = file.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return;
    // The copy is written when the settings document is saved at exit.
    settings.setValue(QStringLiteral("Parameters/Folder"), file.left(slash + 1));
    settings.setValue(QStringLiteral("Parameters/LoadFile"), QString());
    settings.setValue(QStringLiteral("Parameters/SaveFile"), file);
    settings.sync();
    Prompt().Information(this, QCoreApplication::applicationName(),
                         tr("Close this Program to save current parameters into a file!!!"));
}

void Veltrano::OnFileDefParamMenu()
{
    if (Prompt().Question(this, QCoreApplication::applicationName(),
                          tr("Do you want to reset all settings to default values?")) != QMessageBox::Yes)
        return;
    RunCommand(
        "OnFileDefParamMenu",
        [&]
        {
            ResetPaneSizes();
            for (CQDockWindow* dock : std::initializer_list<CQDockWindow*>{
                     m_pOptionsWindow, m_pAnalysisWindow, m_pGsmAnalysisWindow, m_pScanerWindow,
                     m_pUserManualWindow, m_pArchiveWindow, m_pSpectrumDialog, m_pMonitoring2Window,
                     m_pTemplatesWindow, m_pVideoWindow, m_pKnownFreqRangesWindow, m_pKnownFreqRanges2Window})
                dock->SetDefaultGeometry();
            SetCurrentChannel(g_DeviceThread.GetChannelType(), 0.0, true);
            g_Parameters.SetDefaults();
            RestorePaneStates();
            for (int page = 0; page < 3; ++page)
                m_pOptionsWindow->SetupOptionsWindow(page, 0);
        });
}

void Veltrano::OnToolsPreferencesMenu()
{
    CPreferencesWindow preferences(nullptr);
    connect(&preferences, &CPreferencesWindow::colorsChanged, this, &Veltrano::OnColorsChanged);
    Prompt().Exec(preferences);
}

// Tool-window buttons ----------------------------------------------------------------------------

void Veltrano::OnMonitoringButton()
{
    Prompt().Critical(this, QCoreApplication::applicationName(), tr("DO NOT WORK in this version!!!"));
}

void Veltrano::OnBrisolaButton()
{
    Prompt().Information(this, QCoreApplication::applicationName(), tr("Under construction!"));
}

// The windows that need the full-range sweep switch the only-DDC mode off when they are shown.

void Veltrano::OnArchiveButton()
{
    if (ToggleWindow(m_pArchiveWindow))
        SwitchOnlyDdcOff();
}

void Veltrano::OnAnalysisButton()
{
    if (ToggleWindow(m_pAnalysisWindow))
        SwitchOnlyDdcOff();
}

void Veltrano::OnTemplatesButton()
{
    if (ToggleWindow(m_pTemplatesWindow))
        SwitchOnlyDdcOff();
}

void Veltrano::OnPulseButton()
{
    if (m_pPulseWindow->isVisible())
    {
        m_pPulseWindow->hide();
        return;
    }
    if (IAdf4350* adf = g_DeviceThread.m_pAdf)
    {
        m_pPulseWindow->m_dStartFreq = adf->GetStartFreq();
        m_pPulseWindow->m_dEndFreq = adf->GetStopFreq();
    }
    if (g_DeviceThread.m_pControlBits)
        m_pPulseWindow->SetCurrentFreq(g_DeviceThread.m_pControlBits->GetTuneFreq() / 1000000.0);
    SwitchOnlyDdcOff();
    m_pPulseWindow->show();
}

void Veltrano::OnMonitoring2Button(int restart)
{
    if (restart == 0)
        ToggleWindow(m_pMonitoring2Window);
    if (m_pMonitoring2Window->isVisible())
        RunCommand("OnMonitoring2Button", [this] { StartMonitoringForVisibleRange(); });
}

void Veltrano::OnMemoryButton()
{
    ToggleWindow(m_pMemoryWindow);
}

void Veltrano::OnPlutoTxButton()
{
    // The transmitter follows the window: it is never left on behind a hidden window.
    m_pPlutoTxWindow->SetPowerOn(!m_pPlutoTxWindow->isVisible());
    const bool shown = ToggleWindow(m_pPlutoTxWindow);
    m_pPlutoTxWindow->SetPowerOn(shown);
}

void Veltrano::OnGsmAnalysisButton()
{
    if (ToggleWindow(m_pGsmAnalysisWindow))
        SwitchOnlyDdcOff();
}

void Veltrano::OnRangesButton()
{
    ToggleWindow(m_pKnownFreqRangesWindow);
}

void Veltrano::OnRanges2Button()
{
    ToggleWindow(m_pKnownFreqRanges2Window);
}

void Veltrano::OnScanerButton()
{
    if (ToggleWindow(m_pScanerWindow))
        SwitchOnlyDdcOff();
}

void Veltrano::OnDdcWavWriteButton()
{
    ToggleWindow(m_pDdcWavWriterWindow);
}

// Range pane -------------------------------------------------------------------------------------

void Veltrano::OnRangePauseButton()
{
    if (ui.m_pRangeGraphView->GetPauseState() == 0)
    {
        ui.m_pRangePauseButton->setChecked(true);
        ui.m_pRangeGraphView->SetPauseState(1);
    }
    else
    {
        ui.m_pRangePauseButton->setChecked(false);
        ui.m_pRangeGraphView->SetPauseState(0);
    }
}

void Veltrano::OnRangeStepButton()
{
    ui.m_pRangePauseButton->setChecked(true);
    ui.m_pRangeGraphView->SetPauseState(2);
}

void Veltrano::OnRangeOptionsButton()
{
    m_pOptionsWindow->ShowPage(ui.m_pRangeOptionsButton->isChecked(), 0);
}

void Veltrano::OnRangeSpectrumButton()
{
    ui.m_pRangeSpectrumButton->setChecked(true);
    ui.m_pRangeWaterfallButton->setChecked(false);
    ui.m_pRangeOscButton->setChecked(false);
    m_pOptionsWindow->SetupOptionsWindow(0, 0);
    ui.m_pRangeGraphView->SetPaneMode(IsMultiRangeShown() ? 4 : 0);
    g_Parameters.SetInt(QStringLiteral("RangePane"), QStringLiteral("GraphMode"), 0);
    ui.m_pRangeAutoFitButton->show();
}

void Veltrano::OnRangeWaterfallButton()
{
    ui.m_pRangeSpectrumButton->setChecked(false);
    ui.m_pRangeWaterfallButton->setChecked(true);
    ui.m_pRangeOscButton->setChecked(false);
    m_pOptionsWindow->SetupOptionsWindow(0, 0);
    const bool multi = IsMultiRangeShown();
    if (g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("WaterfallSpectrum"), 0) != 0)
    {
        ui.m_pRangeGraphView->SetPaneMode(multi ? 6 : 2);
        ui.m_pRangeAutoFitButton->show();
    }
    else
    {
        ui.m_pRangeAutoFitButton->hide();
        ui.m_pRangeGraphView->SetPaneMode(multi ? 5 : 1);
    }
    g_Parameters.SetInt(QStringLiteral("RangePane"), QStringLiteral("GraphMode"), 1);
    if (auto* waterfall = dynamic_cast<CQWaterfallGraphicBase*>(
            ui.m_pRangeGraphView->GetGraphic(QStringLiteral("Waterfall"))))
        waterfall->ResetTimePosition();
}

void Veltrano::OnRangeOscButton()
{
    ui.m_pRangeSpectrumButton->setChecked(false);
    ui.m_pRangeWaterfallButton->setChecked(false);
    ui.m_pRangeOscButton->setChecked(true);
    m_pOptionsWindow->SetupOptionsWindow(0, 0);
    ui.m_pRangeGraphView->SetPaneMode(3);
    g_Parameters.SetInt(QStringLiteral("RangePane"), QStringLiteral("GraphMode"), 2);
    ui.m_pRangeAutoFitButton->hide();
    ui.m_pRangeZeroButton->hide();
}

void Veltrano::OnRangeResetButton()
{
    ui.m_pRangeGraphView->ResetAxes();
}

void Veltrano::OnRangeZeroButton()
{
    ui.m_pRangeGraphView->FitLevelToNoise();
}

void Veltrano::OnRangeAutoFitButton()
{
    ui.m_pRangeGraphView->AutoFit();
}

namespace
{
// The range pane's band buttons, MHz. The first starts at 32, not at the 30 its text says.
struct RANGE_BAND
{
    double startMHz;
    double stopMHz;
};
constexpr RANGE_BAND kRangeBands[3] = {{32.0, 3616.0}, {816.0, 4400.0}, {2416.0, 6000.0}};
constexpr double kFirstBandViewStopMHz = 4400.0;

// The converter bands of the spectrum dialog: GHz for the title, MHz for the sweep.
struct LMX_BAND
{
    int fromGHz;
    int toGHz;
    int startMHz;
    int endMHz;
};
constexpr LMX_BAND kLmxBands[2] = {{6, 12, 6000, 12000}, {12, 18, 12000, 18000}};
constexpr double kLmxStepMHz = 10.0;

// The sound output's rate argument for the range sound.
constexpr int kRangeSoundRate = 31250;
}  // namespace

void Veltrano::SetRangeBand(int band)
{
    QPushButton* const buttons[3] = {ui.m_pRange1Button, ui.m_pRange2Button, ui.m_pRange3Button};
    for (int i = 0; i < 3; ++i)
        buttons[i]->setChecked(i == band);
    IChannel* channel =
        g_DeviceThread.m_pControlBits ? g_DeviceThread.m_pControlBits->GetChannel(-1) : nullptr;
    if (!channel)
        return;
    channel->SetStartFreq(kRangeBands[band].startMHz);
    channel->SetStopFreq(kRangeBands[band].stopMHz);
    if (band == 0)
        channel->SetViewStopFreq(kFirstBandViewStopMHz);
    if (g_DeviceThread.m_pAdf)
        g_DeviceThread.m_pAdf->SetFreqLimits(channel->GetStartFreq(), channel->GetStopFreq());
    ui.m_pRangeGraphView->ResetAxes();
}

void Veltrano::ToggleLmxBand(int band)
{
    (band == 0 ? ui.m_pLMX_Button_2 : ui.m_pLMX_Button)->setChecked(false);
    const bool wasHidden = m_pSpectrumDialog->isHidden();
    const LMX_BAND& row = kLmxBands[band];
    m_pSpectrumDialog->m_nBandMode = band;
    m_pSpectrumDialog->setWindowTitle(tr("Spectrum %1-%2 GHz").arg(row.fromGHz).arg(row.toGHz));
    const QString mhz = tr("MHz");
    m_pSpectrumDialog->m_strSquelch = tr("Squelch:");
    m_pSpectrumDialog->m_strBegin = QStringLiteral("%1 %2").arg(row.startMHz).arg(mhz);
    m_pSpectrumDialog->m_strEnd = QStringLiteral("%1 %2").arg(row.endMHz).arg(mhz);
    m_pSpectrumDialog->m_strStep = tr("Step:") + QStringLiteral("%1 %2").arg(kLmxStepMHz, 0, 'f', 2).arg(mhz);
    m_pSpectrumDialog->m_nSweepStart = row.startMHz;
    m_pSpectrumDialog->m_nSweepEnd = row.endMHz;
    std::fill(std::begin(g_LmxPanorama), std::end(g_LmxPanorama), 0.0);
    std::fill(std::begin(g_LmxPanorama2), std::end(g_LmxPanorama2), 0.0);
    m_pSpectrumDialog->setVisible(wasHidden);
}

void Veltrano::OnRange1Button()
{
    SetRangeBand(0);
}

void Veltrano::OnRange2Button()
{
    SetRangeBand(1);
}

void Veltrano::OnRange3Button()
{
    SetRangeBand(2);
}

void Veltrano::OnLMX_Button()
{
    ToggleLmxBand(0);
}

void Veltrano::OnLMX_Button_2()
{
    ToggleLmxBand(1);
}

void Veltrano::OnRangeSoundStatusChanged()
{
    // Only one of the two sound paths plays at a time.
    ui.m_pDemodSoundButton->setChecked(false);
    const bool on = ui.m_pRangeSoundButton->isChecked();
    const bool acoustic = g_DeviceThread.GetChannelType() == 6;
    ISoundEngine* sound = g_DeviceThread.m_pSoundEngine;
    if (!on)
        OnDeviceBandwidthChanged(ui.m_pDdcBandwidthCombo->currentIndex());
    if (acoustic)
    {
        ui.m_pRangeGraphView->m_bTuningEnabled = !on;
        ui.m_pDdcPane->setEnabled(!on);
        ui.m_pDemodPane->setEnabled(!on);
    }
    if (g_DeviceThread.m_pControlBits)
        g_DeviceThread.m_pControlBits->SetRangeSoundOn(on);
    if (!sound)
        return;
    if (on)
    {
        sound->Open(g_Parameters.GetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), 0),
                    kRangeSoundRate);
        sound->SetRangeSoundOn(true);
        sound->ResetBuffers();
    }
    else
    {
        sound->SetRangeSoundOn(false);
        sound->Close();
    }
}

void Veltrano::OnRemoteButton(bool on)
{
    if (g_DeviceThread.m_pControlBits)
        g_DeviceThread.m_pControlBits->SetClkDivCnt(on ? 8 : 0);
    if (g_DeviceThread.m_pSky)
        g_DeviceThread.m_pSky->SetFreq(on ? 29 : 27);
    ui.m_pRangeGraphView->ResetSpectrumXRange();
    ui.m_pRangeGraphView->ResetOscXRange();
}

void Veltrano::OnOnlyDdcChanged()
{
    const bool onlyDdc = ui.m_pOnlyDdcButton->isChecked();
    if (g_DeviceThread.m_pAdf)
        g_DeviceThread.m_pAdf->SetOnlyDdc(onlyDdc);
    if (!onlyDdc && ui.m_pRangeGraphView->GetPaneMode() == 3)
        OnRangeSpectrumButton();
    // Without the sweep there is nothing to show in the range pane: it stays paused meanwhile.
    ui.m_pRangeGraphView->SetPauseState(onlyDdc ? 1 : 0);
    ui.m_pRangePauseButton->setEnabled(!onlyDdc);
}

void Veltrano::OnRangeTriggerPause()
{
    if (ui.m_pPulseButton->isChecked())
        return;
    ui.m_pRangePauseButton->setChecked(true);
    ui.m_pRangeGraphView->SetPauseState(1);
}

void Veltrano::OnRangeChangedTriggerLevel(double level)
{
    if (m_pPulseWindow->isVisible())
        m_pPulseWindow->setTriggerLevel(level);
}

// Views, loader and device thread ----------------------------------------------------------------

void Veltrano::OnSaveArchive()
{
    RunCommand("OnSaveArchive", [this] { m_pArchiveWindow->SaveArchive(); });
}

void Veltrano::OnDeviceMasterMode(bool master)
{
    ui.m_pMasterButton->setChecked(master);
    ui.m_pSlaveButton->setChecked(!master);
    ui.m_pStartButton->setEnabled(master);
    ui.m_pStopButton->setEnabled(master);
}

bool Veltrano::IsMultiRangeShown() const
{
    return m_pKnownFreqRangesWindow && m_pKnownFreqRangesWindow->isVisible() && g_DeviceThread.m_pMultiAdf &&
           g_DeviceThread.m_pMultiAdf->GetRangeCount() > 0;
}

void Veltrano::OnStatusMessage(QString text)
{
    m_pMessageLabel->setText(text);
}
