// The DDC and demodulation panes: pause, step, axes, options pages and display modes, which the two
// panes share in shape.

#include "ddcview.h"
#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "optionswindow.h"
#include "parameters.h"
#include "veltrano.h"
#include "waterfallgraphic.h"

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

void Veltrano::OnDeviceBandwidthChanged(int)
{
}

void Veltrano::OnBandwidthsChanged()
{
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
}

void Veltrano::OnDemodVideoButton(bool)
{
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

void Veltrano::OnChangeDdcFreq(double)
{
}

void Veltrano::ShowFreqInRange(double)
{
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
