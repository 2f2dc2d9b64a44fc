// What the tool windows report back: their visibility, which the buttons' check marks follow, and
// their events.

#include <QSettings>

#include <algorithm>
#include <vector>

#include "analysiswindow.h"
#include "ddcview.h"
#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "iknownfreqdetect.h"
#include "isimplegraphic.h"
#include "monitoring2window.h"
#include "optionswindow.h"
#include "parameters.h"
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

void Veltrano::OnPlutoTxVisibilityChanged(bool visible)
{
    ui.m_pPlutoTxButton->setChecked(visible);
}

void Veltrano::OnMemoryVisibilityChanged(bool visible)
{
    ui.m_pMemoryButton->setChecked(visible);
}

void Veltrano::OnGsmAnalysisVisibilityChanged(bool visible)
{
    ui.m_pGsmButton->setChecked(visible);
}

void Veltrano::OnGsmAnalysisFreqChanged(double freqMHz)
{
    if (g_DeviceThread.m_pControlBits)
        g_DeviceThread.m_pControlBits->SetTuneFreq(freqMHz * 1000000.0);
    ShowFreqInRange(freqMHz);
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

void Veltrano::OnPulseViewPulse(const std::vector<double>& samples)
{
    auto* osc = dynamic_cast<ISimpleGraphic*>(ui.m_pRangeGraphView->GetGraphic(QStringLiteral("Osc")));
    if (!osc)
        return;
    osc->SetData(1, samples);
    // Held: live samples must not replace the saved pulse while it is shown.
    osc->SetDataOperation(1);
    ui.m_pRangeGraphView->update();
    ui.m_pRangeGraphView->SetInfoText(tr("Saved data"), false);
}

void Veltrano::OnPulseCloseViewPulse()
{
    IGraphic* osc = ui.m_pRangeGraphView->GetGraphic(QStringLiteral("Osc"));
    if (!osc)
        return;
    osc->SetDataOperation(0);
    ui.m_pRangeGraphView->SetInfoText(QString(), false);
}

void Veltrano::OnPulseSavePulse(const QString& file)
{
    ui.m_pRangeGraphView->SaveOscData(file);
}

void Veltrano::OnKnownFreqRangesVisibilityChanged(bool visible)
{
    // The known ranges drive the sweep themselves while their window is shown.
    if (!visible)
    {
        if (g_DeviceThread.m_pMultiAdf)
            g_DeviceThread.m_pMultiAdf->SetEnabled(false);
        ui.m_pRangeGraphView->SetPaneMode(0);
    }
    for (QWidget* widget : {ui.m_pMemoryButton, ui.m_pAnalysisButton, ui.m_pArchiveButton,
                            ui.m_pMonitoringButton, ui.m_pTemplatesButton, ui.m_pRange1Button,
                            ui.m_pRange2Button, ui.m_pRangeOscButton, ui.m_pPulseButton})
        widget->setEnabled(!visible);
    m_pOptionsWindow->SetRangeAveragingEnabled(visible);
}

void Veltrano::OnKnownMultipleFreqRangesSelected(const QVector<int>& indices)
{
    RunCommand(
        "OnKnownMultipleFreqRangesSelected",
        [&]
        {
            CDeviceThread& dev = g_DeviceThread;
            IKnownFreqDetect* known = dev.m_pKnownFreq1;
            if (!known)
                return;
            // Only ranges the detector holds take part: an index from outside never reads past
            // its list.
            std::vector<int> selected;
            std::vector<int> averaging;
            std::vector<const KNOWN_FREQ_RANGE*> ranges;
            for (int index : indices)
            {
                if (const KNOWN_FREQ_RANGE* range = known->GetRange(index))
                {
                    selected.push_back(index);
                    averaging.push_back(range->Averaging);
                    ranges.push_back(range);
                }
            }
            if (ranges.empty())
                return;
            dev.SetMultipleRanges(averaging);
            known->SelectRanges(selected);

            double start = ranges.front()->StartFreq;
            double stop = ranges.front()->EndFreq;
            ui.m_pRangeGraphView->ClearMultiRanges();
            dev.m_pMultiAdf->ClearRanges();
            for (const KNOWN_FREQ_RANGE* range : ranges)
            {
                start = std::min(start, range->StartFreq);
                stop = std::max(stop, range->EndFreq);
                ui.m_pRangeGraphView->AddMultiRange(QString::fromStdWString(range->Name), range->StartFreq,
                                                    range->EndFreq);
                dev.m_pMultiAdf->AddRange(range->StartFreq, range->EndFreq);
            }
            ui.m_pRangeGraphView->ResetMultiWaterfallRange();

            if (dev.m_pAdf && dev.m_pAdf->IsEnabled())
            {
                dev.m_pAdf->SetScanRange(start, stop);
                dev.m_pMultiAdf->SetEnabled(true);
                dev.m_pMultiAdf->SetSelected(QSettings(g_Parameters.FilePath(), QSettings::IniFormat)
                                                 .value(QStringLiteral("KnownFreqRanges/Analysis"), false)
                                                 .toBool());
            }

            // The multiple-range twin of the mode shown.
            const int mode = ui.m_pRangeGraphView->GetPaneMode();
            if (mode >= 0 && mode <= 2)
                ui.m_pRangeGraphView->SetPaneMode(mode + 4);
        });
}

void Veltrano::OnKnownFreqRanges2VisibilityChanged(bool visible)
{
    ui.m_pKnownRanges2Button->setChecked(visible);
    // The ranges window owns the antenna switch while it is shown.
    m_pOptionsWindow->SetupOptionsWindow(0, visible ? 2 : 1);
}

void Veltrano::OnSignalRecorderVisibilityChanged(bool visible)
{
    if (visible)
        return;
    if (g_DeviceThread.m_pRecorder)
        g_DeviceThread.m_pRecorder->SetIdle();
    ui.m_pRangeGraphView->ClearWaterfall();
    ui.m_pDdcGraphView->ClearWaterfall();
    ui.m_pDemodGraphView->ClearWaterfall();
    ui.m_pRangeGraphView->SetInfoText(QString(), false);
}

void Veltrano::OnSignalPlaybackStarted(double freq, int bandwidth, double start, double stop)
{
    RunCommand("OnSignalPlaybackStarted",
               [&]
               {
                   ui.m_pRangeGraphView->SetInfoText(tr("Recorded data"), false);
                   ui.m_pRangeGraphView->ClearWaterfall();
                   ui.m_pDdcGraphView->ClearWaterfall();
                   ui.m_pDemodGraphView->ClearWaterfall();
                   ShowRecordedRange(freq, bandwidth, start, stop, false);
               });
}

void Veltrano::OnSoundRecordingStarted()
{
    // The radio inputs record sound without the full-range sweep competing for the device.
    const int type = g_DeviceThread.GetChannelType();
    if (type != 0 && type != 3)
        return;
    ui.m_pOnlyDdcButton->setChecked(true);
    OnOnlyDdcChanged();
}

void Veltrano::OnSoundRecordingStopped()
{
    const int type = g_DeviceThread.GetChannelType();
    if (type != 0 && type != 3)
        return;
    SwitchOnlyDdcOff();
}

void Veltrano::OnRangeOctaveFiltersVisibilityChanged(bool visible)
{
    ui.m_pRangeOctButton->setChecked(visible);
}

void Veltrano::OnDemodOctaveFiltersVisibilityChanged(bool visible)
{
    ui.m_pDemodOctButton->setChecked(visible);
}

void Veltrano::OnVectorVisibilityChanged(bool visible)
{
    // A closed vector window hands the I/Q vector back to the DDC pane.
    if (!visible)
        OnDdcVectorButton();
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

void Veltrano::OnRecorderEnableDdcTuning(bool enable)
{
    ui.m_pRangeGraphView->m_bTuningEnabled = enable;
    ui.m_pDdcGraphView->m_bTuningEnabled = enable;
    for (QWidget* widget :
         {static_cast<QWidget*>(ui.m_pDdcBandwidthCombo), static_cast<QWidget*>(ui.m_pRangePauseButton),
          static_cast<QWidget*>(ui.m_pRangeStepButton), static_cast<QWidget*>(ui.m_pDdcPauseButton),
          static_cast<QWidget*>(ui.m_pDdcStepButton), static_cast<QWidget*>(ui.m_pDemodPauseButton),
          static_cast<QWidget*>(ui.m_pDemodStepButton), static_cast<QWidget*>(ui.m_pIfButton),
          static_cast<QWidget*>(ui.m_pRfButton)})
        widget->setEnabled(enable);
}

void Veltrano::OnMonitoringAdfRangeChanged(double startMHz, double stopMHz)
{
    if (g_DeviceThread.m_pAdf && g_DeviceThread.m_pAdf->IsEnabled())
        g_DeviceThread.SetScanRange(startMHz, stopMHz);
}

// These answer buttons and reports that have no effect in this program: the connections name them,
// and each says below why it has nothing to do.
void Veltrano::OnSignalPlaybackStopped()
{
    // The played recording stays on the panes until the recorder window closes, which clears them.
}

void Veltrano::OnScanerModelChanged()
{
    // The external receiver's model matters only to its own window, which talks to the receiver.
}

void Veltrano::OnChannelChanged()
{
    // The RF and IF buttons stay hidden: the input is the one "Device"/"Channel" names.
}

void Veltrano::OnScanerVisibilityChanged(bool)
{
    // No button of the main window shows the scanner window's state.
}

void Veltrano::OnScanerFreqChanged(double, int)
{
    // The external receiver tunes itself; the device's own tuning is not moved with it.
}

void Veltrano::OnSoundRecorderVisibilityChanged(bool)
{
    // No button of the main window shows the sound recorder's state; its recording start and stop
    // have slots of their own.
}

void Veltrano::OnMasterButton()
{
    // The master and slave buttons stay hidden: the device's master mode is only shown
    // (OnDeviceMasterMode), never chosen here.
}

void Veltrano::OnSlaveButton()
{
    // Hidden with the master button, for the same reason.
}

void Veltrano::OnStartButton()
{
    // The start and stop buttons stay hidden: acquisition runs while the device thread runs.
}

void Veltrano::OnStopButton()
{
    // Hidden with the start button, for the same reason.
}
