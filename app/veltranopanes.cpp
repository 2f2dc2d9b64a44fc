// The DDC and demodulation panes: pause, step, axes, options pages and display modes, which the two
// panes share in shape; the DDC band and tuning, and the demodulator's sound and video.

#include <QComboBox>
#include <QCoreApplication>

#include "ddcview.h"
#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "optionswindow.h"
#include "parameters.h"
#include "prompt.h"
#include "rangeview.h"
#include "veltrano.h"
#include "videowindow.h"
#include "waterfallgraphic.h"

namespace
{
// Sample rates from this one up are too fast for the sound output.
constexpr int kMaxSoundRate = 384000;

int AudioDevice()
{
    return g_Parameters.GetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), 0);
}

QString BandwidthKey()
{
    return g_DeviceThread.GetChannelPrefix() + QStringLiteral("Bandwidth");
}
}  // namespace

// DDC and demodulation panes ---------------------------------------------------------------------

void Veltrano::OnDdcPauseButton()
{
    const bool pause = ui.m_pDdcGraphView->GetPauseState() == 0;
    ui.m_pDdcPauseButton->setChecked(pause);
    ui.m_pDemodPauseButton->setChecked(pause);
    ui.m_pDdcGraphView->SetPauseState(pause ? 1 : 0);
    ui.m_pDemodGraphView->SetPauseState(pause ? 1 : 0);
}

void Veltrano::OnDdcStepButton()
{
    ui.m_pDdcPauseButton->setChecked(true);
    ui.m_pDemodPauseButton->setChecked(true);
    ui.m_pDdcGraphView->SetPauseState(2);
    ui.m_pDemodGraphView->SetPauseState(2);
}

void Veltrano::OnDdcOptionsButton()
{
    m_pOptionsWindow->ShowPage(ui.m_pDdcOptionsButton->isChecked(), 1);
}

void Veltrano::OnDdcSpectrumButton()
{
    SetDdcPaneMode(ui.m_pDdcSpectrumButton, 0);
}

void Veltrano::OnDdcWaterfallButton()
{
    SetDdcPaneMode(ui.m_pDdcWaterfallButton, 1);
}

void Veltrano::OnDdcOscButton()
{
    SetDdcPaneMode(ui.m_pDdcOscButton, 2);
}

void Veltrano::OnDdcVectorButton()
{
    SetDdcPaneMode(ui.m_pDdcVecButton, 3);
}

void Veltrano::OnDdcResetButton()
{
    ui.m_pDdcGraphView->ResetAxes();
}

void Veltrano::OnDdcZeroButton()
{
    ui.m_pDdcGraphView->FitLevelToNoise();
}

void Veltrano::OnDdcAutoFitButton()
{
    ui.m_pDdcGraphView->AutoFit();
}

void Veltrano::OnDdcWriteWavButton()
{
    // Nothing is connected to it: the DDC WAV writer's window opens from its button through
    // OnDdcWavWriteButton, which shows and hides it.
}

void Veltrano::OnDeviceBandwidthChanged(int index)
{
    // An emptied combo reports -1: there is no band to take.
    if (index < 0)
        return;
    RunCommand("OnDeviceBandwidthChanged",
               [&]
               {
                   IControlBits* bits = g_DeviceThread.m_pControlBits;
                   ui.m_pDdcGraphView->SaveAxisSettings();
                   ui.m_pDemodGraphView->SaveAxisSettings();
                   bits->SetBandwidthIndex(index);
                   const int taken = bits->GetBandwidthIndex();
                   // A device without bands takes none: nothing to warn of, show, store or play.
                   if (taken < 0)
                       return;
                   if (taken != index)
                       Prompt().Warning(this, QCoreApplication::applicationName(),
                                        tr("Too wide bandwidth! Switching to the nearest allowed bandwith."));
                   ui.m_pDdcBandwidthCombo->setCurrentIndex(taken);
                   if (m_pOptionsWindow)
                       m_pOptionsWindow->SetDdcBandIndex(taken);
                   g_Parameters.SetInt(QStringLiteral("Device"), BandwidthKey(), taken);
                   ui.m_pDdcGraphView->ApplyAxisSettings();
                   ui.m_pDemodGraphView->ApplyAxisSettings();

                   ISoundEngine* sound = g_DeviceThread.m_pSoundEngine;
                   if (!sound)
                       return;
                   const int rate = static_cast<int>(bits->GetSampleRate(-1));
                   if (rate < kMaxSoundRate)
                   {
                       sound->Open(AudioDevice(), rate);
                       if (g_Parameters.GetInt(QStringLiteral("Device"), QStringLiteral("DemodSoundEnabled"),
                                               0) != 0)
                       {
                           sound->ResetBuffers();
                           ui.m_pDemodSoundButton->setChecked(true);
                       }
                   }
                   else
                   {
                       // Too fast to play: the output is kept open without a rate, the button off.
                       sound->Close();
                       sound->Open(AudioDevice(), 0);
                       ui.m_pDemodSoundButton->setChecked(false);
                   }
               });
}

void Veltrano::OnBandwidthsChanged()
{
    RunCommand("OnBandwidthsChanged",
               [&]
               {
                   IControlBits* bits = g_DeviceThread.m_pControlBits;
                   ui.m_pDdcBandwidthCombo->clear();
                   const int count = bits->GetDdcBandCount();
                   for (int i = 0; i < count; ++i)
                   {
                       const std::wstring& name = bits->GetDdcBand(i).Name;
                       if (!name.empty())
                           ui.m_pDdcBandwidthCombo->addItem(QString::fromStdWString(name));
                   }
                   // A stored index the refilled list does not hold selects the first band, as the
                   // default does.
                   int stored = g_Parameters.GetInt(QStringLiteral("Device"), BandwidthKey(), -1);
                   if (stored < 0 || stored >= ui.m_pDdcBandwidthCombo->count())
                       stored = 0;
                   ui.m_pDdcBandwidthCombo->setCurrentIndex(stored);
               });
}

void Veltrano::OnDemodAudioDeviceChanged()
{
    // Reopens the sound output on the device just chosen.
    OnDeviceBandwidthChanged(ui.m_pDdcBandwidthCombo->currentIndex());
}

void Veltrano::OnDemodPauseButton()
{
    OnDdcPauseButton();
}

void Veltrano::OnDemodStepButton()
{
    OnDdcStepButton();
}

void Veltrano::OnDemodOptionsButton()
{
    m_pOptionsWindow->ShowPage(ui.m_pDemodOptionsButton->isChecked(), 2);
}

void Veltrano::OnDemodSpectrumButton()
{
    SetDemodPaneMode(ui.m_pDemodSpectrumButton, 0);
}

void Veltrano::OnDemodWaterfallButton()
{
    SetDemodPaneMode(ui.m_pDemodWaterfallButton, 1);
}

void Veltrano::OnDemodOscButton()
{
    SetDemodPaneMode(ui.m_pDemodOscButton, 2);
}

void Veltrano::OnDemodResetButton()
{
    ui.m_pDemodGraphView->ResetAxes();
}

void Veltrano::OnDemodZeroButton()
{
    ui.m_pDemodGraphView->FitLevelToNoise();
}

void Veltrano::OnDemodAutoFitButton()
{
    ui.m_pDemodGraphView->AutoFit();
}

void Veltrano::OnDeviceDemodChanged()
{
    const QString device = QStringLiteral("Device");
    g_Parameters.SetInt(device, QStringLiteral("Demodulation"), ui.m_pDemodModeCombo->currentIndex());
    if (g_DeviceThread.m_pControlBits)
        g_DeviceThread.m_pControlBits->SetDemodType(
            g_Parameters.GetInt(device, QStringLiteral("Demodulation"), 0));
}

void Veltrano::OnDemodSoundStatusChanged()
{
    RunCommand("OnDemodSoundStatusChanged",
               [&]
               {
                   const int rate = static_cast<int>(g_DeviceThread.m_pControlBits->GetSampleRate(-1));
                   ISoundEngine* sound = g_DeviceThread.m_pSoundEngine;
                   if (rate < kMaxSoundRate && ui.m_pDemodSoundButton->isChecked())
                   {
                       if (sound)
                           sound->ResetBuffers();
                   }
                   else
                   {
                       if (ui.m_pDemodSoundButton->isChecked())
                       {
                           Prompt().Warning(
                               this, QCoreApplication::applicationName(),
                               tr("Sound playback is available for \"Bandwidth\" below 192 kHz only!"));
                           ui.m_pDemodSoundButton->setChecked(false);
                       }
                       if (sound)
                           sound->Close();
                   }
                   g_Parameters.SetInt(QStringLiteral("Device"), QStringLiteral("DemodSoundEnabled"),
                                       ui.m_pDemodSoundButton->isChecked() ? 1 : 0);
               });
}

void Veltrano::OnDemodVideoButton(bool on)
{
    if (m_pVideoWindow)
        m_pVideoWindow->setVisible(on);
    const int type = g_DeviceThread.GetChannelType();
    if (type != 0 && type != 3)
        return;
    if (on)
    {
        // Video needs the second band and the DDC to itself; the only-DDC state is put back after.
        ui.m_pDdcBandwidthCombo->setCurrentIndex(1);
        OnDeviceBandwidthChanged(1);
        m_bOnlyDdcBeforeVideo = ui.m_pOnlyDdcButton->isChecked();
        ui.m_pOnlyDdcButton->setChecked(true);
    }
    else
    {
        ui.m_pOnlyDdcButton->setChecked(m_bOnlyDdcBeforeVideo);
    }
    OnOnlyDdcChanged();
}

void Veltrano::OnDdcTriggerPause()
{
    ui.m_pDdcPauseButton->setChecked(true);
    ui.m_pDemodPauseButton->setChecked(true);
    ui.m_pDdcGraphView->SetPauseState(1);
    ui.m_pDemodGraphView->SetPauseState(1);
}

void Veltrano::OnDemodTriggerPause()
{
    OnDdcTriggerPause();
}

void Veltrano::OnChangeDdcFreq(double freqMHz)
{
    RunCommand(
        "OnChangeDdcFreq",
        [&]
        {
            IControlBits* bits = g_DeviceThread.m_pControlBits;
            bits->SetTuneFreqAndBandwidth(freqMHz * 1000000.0, ui.m_pDdcBandwidthCombo->currentIndex());
            const double freq = bits->GetTuneFreq() / 1000000.0;
            g_Parameters.SetDouble(QStringLiteral("Device"),
                                   g_DeviceThread.GetChannelPrefix() + QStringLiteral("DdcFreq"), freq);

            // A tuning outside the sweep moves the sweep over it, at its width and inside the
            // channel.
            IAdf4350* adf = g_DeviceThread.m_pAdf;
            if (adf && adf->IsEnabled() && (freq < adf->GetStartFreq() || freq > adf->GetStopFreq()))
            {
                const double half = (adf->GetStopFreq() - adf->GetStartFreq()) * 0.5;
                double start = freq - half;
                double stop = freq + half;
                if (IChannel* channel = bits->GetChannel(-1))
                {
                    if (start < channel->GetStartFreq())
                    {
                        stop += channel->GetStartFreq() - start;
                        start = channel->GetStartFreq();
                    }
                    if (stop > channel->GetUpperLimit())
                    {
                        start -= stop - channel->GetUpperLimit();
                        stop = channel->GetUpperLimit();
                    }
                }
                adf->SetScanRange(start, stop);
            }

            ui.m_pDdcGraphView->ApplySpectrumXRange();
            ui.m_pDdcGraphView->ApplyOscXRange();
            ui.m_pDemodGraphView->ApplySpectrumXRange();
            ui.m_pDemodGraphView->ApplyOscXRange();
            ui.m_pRangeGraphView->update();
            ShowFreqInRange(freq);
        });
}

void Veltrano::SetDdcPaneMode(QPushButton* pressed, int graphMode)
{
    for (QPushButton* button :
         {ui.m_pDdcSpectrumButton, ui.m_pDdcWaterfallButton, ui.m_pDdcOscButton, ui.m_pDdcVecButton})
        button->setChecked(button == pressed);
    if (graphMode != 3)
        m_pOptionsWindow->SetupOptionsWindow(1, 0);
    switch (graphMode)
    {
        case 0:
            ui.m_pDdcGraphView->SetPaneMode(0);
            ui.m_pDdcAutoFitButton->show();
            break;
        case 1:
        {
            const bool withSpectrum = g_Parameters.GetInt(QStringLiteral("DdcOptions"),
                                                          QStringLiteral("WaterfallSpectrum"), 0) != 0;
            ui.m_pDdcGraphView->SetPaneMode(withSpectrum ? 2 : 1);
            ui.m_pDdcAutoFitButton->setVisible(withSpectrum);
            break;
        }
        case 2:
            ui.m_pDdcGraphView->SetPaneMode(3);
            ui.m_pDdcGraphView->ApplyAxisSettings();
            ui.m_pDdcAutoFitButton->hide();
            ui.m_pDdcZeroButton->hide();
            break;
        default:
            ui.m_pDdcGraphView->SetPaneMode(4);
            ui.m_pDdcAutoFitButton->hide();
            break;
    }
    g_Parameters.SetInt(QStringLiteral("DdcPane"), QStringLiteral("GraphMode"), graphMode);
    if (graphMode == 1)
        RestartWaterfall(ui.m_pDdcGraphView);
}

void Veltrano::SetDemodPaneMode(QPushButton* pressed, int graphMode)
{
    for (QPushButton* button : {ui.m_pDemodSpectrumButton, ui.m_pDemodWaterfallButton, ui.m_pDemodOscButton})
        button->setChecked(button == pressed);
    m_pOptionsWindow->SetupOptionsWindow(2, 0);
    switch (graphMode)
    {
        case 0:
            ui.m_pDemodGraphView->SetPaneMode(0);
            ui.m_pDemodAutoFitButton->show();
            break;
        case 1:
        {
            const bool withSpectrum = g_Parameters.GetInt(QStringLiteral("DemodOptions"),
                                                          QStringLiteral("WaterfallSpectrum"), 0) != 0;
            ui.m_pDemodGraphView->SetPaneMode(withSpectrum ? 2 : 1);
            ui.m_pDemodAutoFitButton->setVisible(withSpectrum);
            break;
        }
        default:
            ui.m_pDemodGraphView->SetPaneMode(3);
            ui.m_pDemodAutoFitButton->hide();
            ui.m_pDemodZeroButton->hide();
            break;
    }
    g_Parameters.SetInt(QStringLiteral("DemodPane"), QStringLiteral("GraphMode"), graphMode);
    if (graphMode == 1)
        RestartWaterfall(ui.m_pDemodGraphView);
}

void Veltrano::RestartWaterfall(CViewBase* view)
{
    if (auto* waterfall = dynamic_cast<CQWaterfallGraphic*>(view->GetGraphic(QStringLiteral("Waterfall"))))
        waterfall->Restart();
}
