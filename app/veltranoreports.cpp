// What the tool windows report back: their visibility, which the buttons' check marks follow, and
// their events.

#include "analysiswindow.h"
#include "ddcview.h"
#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "monitoring2window.h"
#include "optionswindow.h"
#include "rangeview.h"
#include "spectrumdialog.h"
#include "veltrano.h"

// Tool-window reports ----------------------------------------------------------------------------

void Veltrano::OnOptionsSelChanged(int page)
{
    ui.m_pRangeOptionsButton->setChecked(page == 0);
    ui.m_pDdcOptionsButton->setChecked(page == 1);
    ui.m_pDemodOptionsButton->setChecked(page == 2);
}

void Veltrano::OnRangeWaterfallBuffer(bool on, const QString& path)
{
    ui.m_pRangeGraphView->SetWaterfallBuffer(on, path);
}

void Veltrano::OnDdcWaterfallBuffer(bool on, const QString& path)
{
    ui.m_pDdcGraphView->SetWaterfallBuffer(on, path);
}

void Veltrano::OnDemodWaterfallBuffer(bool on, const QString& path)
{
    ui.m_pDemodGraphView->SetWaterfallBuffer(on, path);
}

void Veltrano::OnArchiveVisibilityChanged(bool visible)
{
    ui.m_pArchiveButton->setChecked(visible);
    if (!visible)
    {
        ui.m_pRangeGraphView->CloseLoadedData();
        ui.m_pDdcGraphView->CloseLoadedData();
        ui.m_pDemodGraphView->CloseLoadedData();
    }
}

void Veltrano::OnLoadImageFromArchive(QString)
{
}

void Veltrano::OnCloseImages()
{
}

void Veltrano::OnGotoTime(int, time_t, double, const QString&)
{
}

void Veltrano::OnPlutoTxVisibilityChanged(bool visible)
{
    ui.m_pPlutoTxButton->setChecked(visible);
}

void Veltrano::OnMemoryVisibilityChanged(bool visible)
{
    ui.m_pMemoryButton->setChecked(visible);
}

void Veltrano::OnAnalysisThresholdVisibilityChanged(bool)
{
}

void Veltrano::OnAnalysisVisibilityChanged(bool)
{
}

void Veltrano::OnAnalysisFreqChanged(double, double)
{
}

void Veltrano::OnAnalysisFinished(const std::vector<ANALYSIS_RESULT_ITEM>&)
{
}

void Veltrano::OnGsmAnalysisVisibilityChanged(bool visible)
{
    ui.m_pGsmButton->setChecked(visible);
}

void Veltrano::OnGsmAnalysisFreqChanged(double)
{
}

void Veltrano::OnLMX_VisibilityChanged(bool visible)
{
    (m_pSpectrumDialog->m_nBandMode == 0 ? ui.m_pLMX_Button : ui.m_pLMX_Button_2)->setChecked(visible);
    if (visible)
        m_pSpectrumDialog->m_nApply = 1;
    else if (g_DeviceThread.m_pControlBits)
        g_DeviceThread.m_pControlBits->SetLMX2595_Struct(0, 1);
}

void Veltrano::UpdateThresholdLine()
{
    ui.m_pRangeGraphView->SetThresholdLineVisible(m_pAnalysisWindow->isVisible() ||
                                                  m_pMonitoring2Window->isVisible());
}

void Veltrano::OnMonitoring2VisibilityChanged(bool visible)
{
    ui.m_pMonitoring2Button->setChecked(visible);
    UpdateThresholdLine();
}

void Veltrano::OnMonitoringVisibilityChanged(bool visible)
{
    ui.m_pMonitoringButton->setChecked(visible);
    UpdateThresholdLine();
}

void Veltrano::OnTemplatesVisibilityChanged(bool visible)
{
    ui.m_pTemplatesButton->setChecked(visible);
}

void Veltrano::OnPulseVisibilityChanged(bool visible)
{
    // While pulses are searched the range pane shows the oscillogram and the commands that would
    // change the sweep are locked.
    QWidget* const locked[] = {ui.m_pMemoryButton,
                               ui.m_pAnalysisButton,
                               ui.m_pArchiveButton,
                               ui.m_pMonitoringButton,
                               ui.m_pTemplatesButton,
                               ui.m_pRange1Button,
                               ui.m_pRange2Button,
                               ui.m_pKnownRangesButton,
                               ui.m_pKnownRanges2Button,
                               ui.m_pRangeWaterfallButton,
                               ui.m_pRangeSpectrumButton,
                               ui.m_pDdcPane,
                               ui.m_pDemodPane};
    if (visible)
    {
        // Nothing clears the flag again: the view's pulse commands stay once a search was shown.
        ui.m_pRangeGraphView->m_bPulseMode = true;
        for (QWidget* widget : locked)
            widget->setEnabled(false);
        OnRangeOscButton();
    }
    else
    {
        OnRangeSpectrumButton();
        ui.m_pRangePauseButton->setChecked(false);
        ui.m_pRangeGraphView->SetPauseState(0);
        ui.m_pRangeGraphView->SetOscAutoScale(true);
        for (QWidget* widget : locked)
            widget->setEnabled(true);
    }
    ui.m_pPulseButton->setChecked(visible);
}

void Veltrano::OnPulseDetectStarted()
{
    ui.m_pRangeGraphView->EnableTrigger(true, true);
    ui.m_pRangePauseButton->setChecked(false);
    ui.m_pRangeGraphView->SetPauseState(0);
}

void Veltrano::OnPulseDetectStopped()
{
    ui.m_pRangeGraphView->EnableTrigger(true, false);
}

void Veltrano::OnClkDivCntChanged(int value)
{
    if (g_DeviceThread.m_pControlBits)
        g_DeviceThread.m_pControlBits->SetClkDivCnt(value);
    ui.m_pRangeGraphView->ResetOscXRange();
}

void Veltrano::OnPulseEnableTrigger(bool on)
{
    ui.m_pRangeGraphView->EnableTrigger(on, false);
}

void Veltrano::OnPulseTriggerLevelChanged(double level)
{
    ui.m_pRangeGraphView->SetTriggerLevel(level);
}

void Veltrano::OnPulseViewPulse(const std::vector<double>&)
{
}

void Veltrano::OnPulseCloseViewPulse()
{
}

void Veltrano::OnPulseSavePulse(const QString&)
{
}

void Veltrano::OnKnownFreqRangesVisibilityChanged(bool)
{
}

void Veltrano::OnKnownMultipleFreqRangesSelected(const QVector<int>&)
{
}

void Veltrano::OnKnownFreqRanges2VisibilityChanged(bool visible)
{
    ui.m_pKnownRanges2Button->setChecked(visible);
    // The ranges window owns the antenna switch while it is shown.
    m_pOptionsWindow->SetupOptionsWindow(0, visible ? 2 : 1);
}

void Veltrano::OnSignalRecorderVisibilityChanged(bool)
{
}

void Veltrano::OnSignalPlaybackStarted(double, int, double, double)
{
}

void Veltrano::OnSoundRecordingStarted()
{
}

void Veltrano::OnSoundRecordingStopped()
{
}

void Veltrano::OnRangeOctaveFiltersVisibilityChanged(bool visible)
{
    ui.m_pRangeOctButton->setChecked(visible);
}

void Veltrano::OnDemodOctaveFiltersVisibilityChanged(bool visible)
{
    ui.m_pDemodOctButton->setChecked(visible);
}

void Veltrano::OnVectorVisibilityChanged(bool)
{
}

void Veltrano::OnVideoVisibilityChanged(bool visible)
{
    ui.m_pVideoButton->setChecked(visible);
    if (g_DeviceThread.m_pVideoEngine)
        g_DeviceThread.m_pVideoEngine->Enable(visible);
}

void Veltrano::OnColorsChanged()
{
    ui.m_pRangeGraphView->ApplyColors();
    ui.m_pDdcGraphView->ApplyColors();
    ui.m_pDemodGraphView->ApplyColors();
}

void Veltrano::OnRecorderEnableDdcTuning(bool)
{
}

void Veltrano::OnMonitoringAdfRangeChanged(double, double)
{
}

// These answer buttons and reports that have no effect in this program.
void Veltrano::OnSignalPlaybackStopped()
{
}

void Veltrano::OnScanerModelChanged()
{
}

void Veltrano::OnChannelChanged()
{
}

void Veltrano::OnScanerVisibilityChanged(bool)
{
}

void Veltrano::OnScanerFreqChanged(double, int)
{
}

void Veltrano::OnSoundRecorderVisibilityChanged(bool)
{
}

void Veltrano::OnMasterButton()
{
}

void Veltrano::OnSlaveButton()
{
}

void Veltrano::OnStartButton()
{
}

void Veltrano::OnStopButton()
{
}
