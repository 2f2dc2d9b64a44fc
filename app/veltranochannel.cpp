// Switching the whole window to an input channel type: the views' axes, the device thread, the
// per-type settings and pane modes, the buttons that make sense for the type, and the sound path.

#include <QComboBox>
#include <QDebug>

#include "analysiswindow.h"
#include "ddcview.h"
#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "monitoring2window.h"
#include "octavefilterswindow.h"
#include "optionswindow.h"
#include "parameters.h"
#include "pulsewindow.h"
#include "rangeview.h"
#include "veltrano.h"

namespace
{
// The sound output's rate argument for the DLA and acoustic inputs.
constexpr int kSoundRate = 31250;
}  // namespace

void Veltrano::SetCurrentChannel(int type, double ddcFreq, bool init)
{
    // A type the library has no channel for is refused before anything changes: the window, the
    // device and the stored settings stay on the current type.
    if (!g_DeviceThread.HasChannel(type))
    {
        qDebug() << "Channel type" << type << "has no channel; staying on type"
                 << g_DeviceThread.GetChannelType();
        if (m_pChannelCombo)
            m_pChannelCombo->setCurrentIndex(g_DeviceThread.GetChannelType());
        return;
    }
    RunCommand("SetCurrentChannel", [&] { SwitchChannel(type, ddcFreq, init); });
}

void Veltrano::SwitchChannel(int type, double ddcFreq, bool init)
{
    SwitchOnlyDdcOff();
    const bool changed = type != g_DeviceThread.GetChannelType();

    if (m_pAnalysisWindow)
    {
        m_pAnalysisWindow->ClearResults();
        m_pAnalysisWindow->hide();
    }
    if (m_pPulseWindow)
        m_pPulseWindow->hide();

    // The axes are kept per channel type: store those of the type being left.
    ui.m_pRangeGraphView->SaveAxisSettings();
    ui.m_pDdcGraphView->SaveAxisSettings();
    ui.m_pDemodGraphView->SaveAxisSettings();
    ui.m_pRangeGraphView->CloseLoadedData();
    ui.m_pDdcGraphView->CloseLoadedData();
    ui.m_pDemodGraphView->CloseLoadedData();

    g_DeviceThread.SetChannelType(type);

    ui.m_pDemodModeCombo->setCurrentIndex(
        g_Parameters.GetInt(QStringLiteral("Device"), QStringLiteral("Demodulation"), 0));
    g_Parameters.SetInt(QStringLiteral("Device"), QStringLiteral("DemodSoundEnabled"), 0);
    ui.m_pDemodSoundButton->setChecked(
        g_Parameters.GetInt(QStringLiteral("Device"), QStringLiteral("DemodSoundEnabled"), 0) != 0);

    if (g_DeviceThread.m_pAdf)
        ui.m_pOnlyDdcButton->setChecked(g_DeviceThread.m_pAdf->IsOnlyDdc());

    if (ddcFreq != 0.0)
        g_Parameters.SetDouble(QStringLiteral("Device"),
                               g_DeviceThread.GetChannelPrefix() + QStringLiteral("DdcFreq"), ddcFreq);

    OnBandwidthsChanged();
    ApplyDemodSettings();

    const bool dlaOrAcoustic = type == 4 || type == 6;
    if (m_pRangeOctaveFiltersWindow && !dlaOrAcoustic)
        m_pRangeOctaveFiltersWindow->hide();
    ui.m_pRangeOctButton->setVisible(dlaOrAcoustic);
    ui.m_pRangeOscButton->setVisible(type != 0 && type != 3);
    ui.m_pOnlyDdcButton->setVisible(type == 0 || type == 1 || type == 3 || type == 6);

    RestorePaneStates();

    if (type == 4)
    {
        ui.m_pDdcPane->setEnabled(false);
        ui.m_pDemodPane->setEnabled(false);
        ui.m_pRangeGraphView->m_bTuningEnabled = false;
        if (m_pOptionsWindow)
        {
            m_pOptionsWindow->SetPageEnabled(1, false);
            m_pOptionsWindow->SetPageEnabled(2, false);
        }
        if (g_DeviceThread.m_pSoundEngine)
            g_DeviceThread.m_pSoundEngine->Close();
    }
    else
    {
        ui.m_pDdcPane->setEnabled(true);
        ui.m_pDemodPane->setEnabled(true);
        ui.m_pRangeGraphView->m_bTuningEnabled = true;
        if (m_pOptionsWindow)
        {
            m_pOptionsWindow->SetPageEnabled(1, true);
            m_pOptionsWindow->SetPageEnabled(2, true);
        }
    }

    ui.m_pRangeSoundButton->setVisible(dlaOrAcoustic);
    if (type == 4 && g_DeviceThread.m_pSoundEngine)
        g_DeviceThread.m_pSoundEngine->Open(
            g_Parameters.GetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), 0),
            kSoundRate);

    if (type == 0)
    {
        ui.m_pKnownRanges2Button->show();
    }
    else
    {
        ui.m_pPulseButton->hide();
        ui.m_pKnownRangesButton->hide();
    }
    ui.m_pRemoteButton->setVisible(type == 5);

    if (m_pChannelCombo)
        m_pChannelCombo->setCurrentIndex(type);

    ShowFreqInRange(ddcFreq);

    if (m_pAnalysisWindow)
        m_pAnalysisWindow->m_dUpperLimit = g_DeviceThread.GetUpperLimit();
    if (m_pMonitoring2Window && m_pMonitoring2Window->isVisible())
    {
        ui.m_pMonitoring2Button->setChecked(true);
        ui.m_pRangeGraphView->SetThresholdLineVisible(true);
    }

    if (init || changed)
        g_DeviceThread.InitDevice();

    UpdateWindowTitle();
    setFocus();
}

void Veltrano::ApplyDemodSettings()
{
    const QString device = QStringLiteral("Device");
    g_Parameters.SetInt(device, QStringLiteral("Demodulation"), ui.m_pDemodModeCombo->currentIndex());
    if (g_DeviceThread.m_pControlBits)
        g_DeviceThread.m_pControlBits->SetDemodType(
            g_Parameters.GetInt(device, QStringLiteral("Demodulation"), 0));
    OnChangeDdcFreq(
        g_Parameters.GetDouble(device, g_DeviceThread.GetChannelPrefix() + QStringLiteral("DdcFreq"), 0.0));
    OnDeviceBandwidthChanged(ui.m_pDdcBandwidthCombo->currentIndex());
}

void Veltrano::RestorePaneStates()
{
    const bool rf = g_Parameters.GetInt(QStringLiteral("Device"), QStringLiteral("Channel"), 0) == 0;
    ui.m_pIfButton->setChecked(!rf);
    ui.m_pRfButton->setChecked(rf);
    // Called at every channel switch: one connection each, not one per call.
    connect(ui.m_pRfButton, &QPushButton::clicked, this, &Veltrano::OnChannelChanged, Qt::UniqueConnection);
    connect(ui.m_pIfButton, &QPushButton::clicked, this, &Veltrano::OnChannelChanged, Qt::UniqueConnection);
    ui.m_pRfButton->hide();
    ui.m_pIfButton->hide();

    const int type = g_DeviceThread.GetChannelType();
    switch (g_Parameters.GetInt(QStringLiteral("RangePane"), QStringLiteral("GraphMode"), 0))
    {
        case 0:
            OnRangeSpectrumButton();
            break;
        case 1:
            OnRangeWaterfallButton();
            break;
        case 2:
            // The radio inputs have no range oscillogram.
            if (type == 0 || type == 3)
                OnRangeSpectrumButton();
            else
                OnRangeOscButton();
            break;
        default:
            break;
    }

    const bool analysisShown = m_pAnalysisWindow && m_pAnalysisWindow->isVisible();
    ui.m_pAnalysisButton->setChecked(analysisShown);
    if (m_pAnalysisWindow)
        m_pAnalysisWindow->ApplyOptions(analysisShown);
    ui.m_pRangeGraphView->SetThresholdLineVisible(analysisShown);
    if (!analysisShown)
        ui.m_pRangeGraphView->ClearAnalysisResults();
    ui.m_pGsmButton->hide();

    ui.m_pRangeGraphView->ApplyAxisSettings();
    ui.m_pDdcGraphView->ApplyAxisSettings();
    ui.m_pDemodGraphView->ApplyAxisSettings();
    ui.m_pDdcGraphView->m_pVectorWindow = m_pVectorWindow;

    switch (g_Parameters.GetInt(QStringLiteral("DdcPane"), QStringLiteral("GraphMode"), 0))
    {
        case 0:
            OnDdcSpectrumButton();
            break;
        case 1:
            OnDdcWaterfallButton();
            break;
        case 2:
            OnDdcOscButton();
            break;
        case 3:
            OnDdcVectorButton();
            break;
        default:
            break;
    }
    OnBandwidthsChanged();

    switch (g_Parameters.GetInt(QStringLiteral("DemodPane"), QStringLiteral("GraphMode"), 0))
    {
        case 0:
            OnDemodSpectrumButton();
            break;
        case 1:
            OnDemodWaterfallButton();
            break;
        case 2:
            OnDemodOscButton();
            break;
        default:
            break;
    }

    ui.m_pRangeGraphView->ApplyColors();
    ui.m_pDdcGraphView->ApplyColors();
    ui.m_pDemodGraphView->ApplyColors();
    ui.m_pRangeGraphView->SetTriggerLevel(
        CViewBase::ReadTriggerLevel(QStringLiteral("RangeOscilloscope"), false));
    ui.m_pDdcGraphView->SetTriggerLevel(CViewBase::ReadTriggerLevel(QStringLiteral("DdcOscilloscope"), true));
    ui.m_pDemodGraphView->SetTriggerLevel(
        CViewBase::ReadTriggerLevel(QStringLiteral("DemodOscilloscope"), true));
}
