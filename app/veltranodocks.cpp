// The tool windows around the panes, created once with their connections, and the status bar.

#include <QComboBox>
#include <QLabel>
#include <QStatusBar>

#include "analysiswindow.h"
#include "archivewindow.h"
#include "ddcview.h"
#include "ddcwavwriterwindow.h"
#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "gsmanalysiswindow.h"
#include "internalswindow.h"
#include "knownfreqranges2window.h"
#include "knownfreqrangeswindow.h"
#include "memorywindow.h"
#include "monitoring2window.h"
#include "monitoringlogwindow.h"
#include "noisequalitywindow.h"
#include "octavefilterswindow.h"
#include "optionswindow.h"
#include "parameters.h"
#include "pulselogwindow.h"
#include "pulsewindow.h"
#include "rangeview.h"
#include "scanerwindow.h"
#include "signalrecorderwindow.h"
#include "soundrecorderwindow.h"
#include "spectrumdialog.h"
#include "templateswindow.h"
#include "usermanualwindow.h"
#include "vectorwindow.h"
#include "veltrano.h"
#include "videowindow.h"
#include "zantigo.h"

void Veltrano::CreateDockWindows()
{
    // Created and wired in this order. Only the options window goes into a dock area; the others are
    // children of the main window that float, or sit over the panes, as their stored state says.
    m_pOptionsWindow = new COptionsWindow(this);
    connect(&g_DeviceThread, &CDeviceThread::declickerAvailable, m_pOptionsWindow, &QWidget::setEnabled);
    addDockWidget(Qt::RightDockWidgetArea, m_pOptionsWindow);
    connect(m_pOptionsWindow, &COptionsWindow::selectionChanged, this, &Veltrano::OnOptionsSelChanged);
    connect(m_pOptionsWindow, &COptionsWindow::rangeWaterfallChanged, this,
            &Veltrano::OnRangeWaterfallButton);
    connect(m_pOptionsWindow, &COptionsWindow::rangeWaterfallBuffer, this, &Veltrano::OnRangeWaterfallBuffer);
    connect(m_pOptionsWindow, &COptionsWindow::ddcWaterfallChanged, this, &Veltrano::OnDdcWaterfallButton);
    connect(m_pOptionsWindow, &COptionsWindow::ddcWaterfallBuffer, this, &Veltrano::OnDdcWaterfallBuffer);
    connect(m_pOptionsWindow, &COptionsWindow::demodWaterfallChanged, this,
            &Veltrano::OnDemodWaterfallButton);
    connect(m_pOptionsWindow, &COptionsWindow::demodWaterfallBuffer, this, &Veltrano::OnDemodWaterfallBuffer);
    connect(m_pOptionsWindow, &COptionsWindow::ddcBandChanged, this, &Veltrano::OnDeviceBandwidthChanged);
    connect(m_pOptionsWindow, &COptionsWindow::bandwidthsChanged, this, &Veltrano::OnBandwidthsChanged);
    connect(m_pOptionsWindow, &COptionsWindow::rangeEnvelopeChanged, ui.m_pRangeGraphView,
            &CViewBase::SetEnvelope);
    connect(m_pOptionsWindow, &COptionsWindow::ddcEnvelopeChanged, ui.m_pDdcGraphView,
            &CViewBase::SetEnvelope);
    connect(m_pOptionsWindow, &COptionsWindow::demodEnvelopeChanged, ui.m_pDemodGraphView,
            &CViewBase::SetEnvelope);
    ui.m_pRangeGraphView->m_pOptionsWindow = m_pOptionsWindow;
    ui.m_pDdcGraphView->SetOptionsWindow(m_pOptionsWindow);
    ui.m_pDemodGraphView->SetOptionsWindow(m_pOptionsWindow);

    // The archive, generator and memory windows are not docked either: the dock call the window
    // layout once had for them named no dock area, which docks nothing.
    m_pArchiveWindow = new CArchiveWindow(this);
    connect(m_pArchiveWindow, &QDockWidget::visibilityChanged, this, &Veltrano::OnArchiveVisibilityChanged);
    connect(m_pArchiveWindow, &CArchiveWindow::loadImage, this, &Veltrano::OnLoadImageFromArchive);
    connect(m_pArchiveWindow, &CArchiveWindow::closeImages, this, &Veltrano::OnCloseImages);
    connect(m_pArchiveWindow, &CArchiveWindow::changeChannel, this, &Veltrano::SetCurrentChannel);
    connect(m_pArchiveWindow, &CArchiveWindow::gotoTime, this, &Veltrano::OnGotoTime);

    m_pPlutoTxWindow = new Zantigo(this);
    connect(m_pPlutoTxWindow, &QDockWidget::visibilityChanged, this, &Veltrano::OnPlutoTxVisibilityChanged);

    m_pMemoryWindow = new CMemoryWindow(this);
    connect(m_pMemoryWindow, &QDockWidget::visibilityChanged, this, &Veltrano::OnMemoryVisibilityChanged);
    connect(m_pMemoryWindow, &CMemoryWindow::addArchiveEntry, ui.m_pRangeGraphView,
            QOverload<int, QString, double, double, double, double, double, int, int>::of(
                &CViewBase::AddEntryToArchive));

    m_pAnalysisWindow = new CAnalysisWindow(ui.m_pRangeGraphView->GetGraphic(QStringLiteral("Spec")), this);
    connect(m_pAnalysisWindow, &CAnalysisWindow::thresholdVisibilityChanged, this,
            &Veltrano::OnAnalysisThresholdVisibilityChanged);
    connect(m_pAnalysisWindow, &QDockWidget::visibilityChanged, this, &Veltrano::OnAnalysisVisibilityChanged);
    connect(m_pAnalysisWindow, &CAnalysisWindow::freqChange, this, &Veltrano::OnAnalysisFreqChanged);
    connect(m_pAnalysisWindow, &CAnalysisWindow::analysisFinished, this, &Veltrano::OnAnalysisFinished);
    connect(m_pAnalysisWindow, &CAnalysisWindow::addArchiveEntry, ui.m_pRangeGraphView,
            QOverload<int, QString, double, double, double, double, double, int, int>::of(
                &CViewBase::AddEntryToArchive));

    // Half the sample rate of the current channel spans the spectrum the GSM analysis sees.
    m_pGsmAnalysisWindow = new CGsmAnalysisWindow(g_DeviceThread.GetSampleRate(-1) * 0.5 / 1000000.0, this);
    connect(m_pGsmAnalysisWindow, &QDockWidget::visibilityChanged, this,
            &Veltrano::OnGsmAnalysisVisibilityChanged);
    connect(m_pGsmAnalysisWindow, &CGsmAnalysisWindow::ddcFreqChanged, this,
            &Veltrano::OnGsmAnalysisFreqChanged);

    m_pScanerWindow = new CScanerWindow(this);
    connect(m_pScanerWindow, &QDockWidget::visibilityChanged, this, &Veltrano::OnScanerVisibilityChanged);
    connect(m_pScanerWindow, &CScanerWindow::freqChanged, this, &Veltrano::OnScanerFreqChanged);
    connect(m_pScanerWindow, &CScanerWindow::modelChanged, this, &Veltrano::OnScanerModelChanged);

    m_pSpectrumDialog = new CSpectrumDialog(this);
    connect(m_pSpectrumDialog, &QDockWidget::visibilityChanged, this, &Veltrano::OnLMX_VisibilityChanged);

    m_pMonitoring2Window = new CMonitoring2Window(this);
    connect(m_pMonitoring2Window, &QDockWidget::visibilityChanged, this,
            &Veltrano::OnMonitoring2VisibilityChanged);
    // Events the log files in the archive reach the archive file as the views' entries do.
    connect(m_pMonitoring2Window->LogWindow(), &CMonitoringLogWindow::saveArchive, this,
            &Veltrano::OnSaveArchive);

    m_pTemplatesWindow = new CTemplatesWindow(this);
    connect(m_pTemplatesWindow, &QDockWidget::visibilityChanged, this,
            &Veltrano::OnTemplatesVisibilityChanged);
    connect(m_pArchiveWindow, &CArchiveWindow::groupsChanged, m_pTemplatesWindow,
            &CTemplatesWindow::OnRefreshGroups);
    connect(m_pTemplatesWindow, &CTemplatesWindow::templateActivated, ui.m_pRangeGraphView,
            &CRangeView::SetTemplateActivated);

    m_pPulseWindow = new CPulseWindow(this);
    connect(m_pPulseWindow, &QDockWidget::visibilityChanged, this, &Veltrano::OnPulseVisibilityChanged);
    connect(m_pPulseWindow, &CPulseWindow::started, this, &Veltrano::OnPulseDetectStarted);
    connect(m_pPulseWindow, &CPulseWindow::stopped, this, &Veltrano::OnPulseDetectStopped);
    connect(m_pPulseWindow, &CPulseWindow::clkDivCntChanged, this, &Veltrano::OnClkDivCntChanged);
    connect(m_pPulseWindow, &CPulseWindow::enableTrigger, this, &Veltrano::OnPulseEnableTrigger);
    connect(m_pPulseWindow, &CPulseWindow::triggerLevelChanged, this, &Veltrano::OnPulseTriggerLevelChanged);
    connect(m_pPulseWindow, &CPulseWindow::viewPulse, this, &Veltrano::OnPulseViewPulse);
    connect(m_pPulseWindow, &CPulseWindow::closeViewPulse, this, &Veltrano::OnPulseCloseViewPulse);
    connect(m_pPulseWindow, &CPulseWindow::savePulse, this, &Veltrano::OnPulseSavePulse);
    // Pulses the log files in the archive reach the archive file as the views' entries do.
    connect(m_pPulseWindow->LogWindow(), &CPulseLogWindow::saveArchive, this, &Veltrano::OnSaveArchive);

    m_pKnownFreqRangesWindow = new CKnownFreqRangesWindow(this);
    connect(m_pKnownFreqRangesWindow, &QDockWidget::visibilityChanged, this,
            &Veltrano::OnKnownFreqRangesVisibilityChanged);
    connect(m_pKnownFreqRangesWindow, &CKnownFreqRangesWindow::multipleFreqRangesSelected, this,
            &Veltrano::OnKnownMultipleFreqRangesSelected);

    m_pKnownFreqRanges2Window = new CKnownFreqRanges2Window(this);
    connect(m_pKnownFreqRanges2Window, &QDockWidget::visibilityChanged, this,
            &Veltrano::OnKnownFreqRanges2VisibilityChanged);

    m_pSignalRecorderWindow = new CSignalRecorderWindow(this);
    connect(m_pSignalRecorderWindow, &QDockWidget::visibilityChanged, this,
            &Veltrano::OnSignalRecorderVisibilityChanged);
    connect(m_pSignalRecorderWindow, &CSignalRecorderWindow::playbackStarted, this,
            &Veltrano::OnSignalPlaybackStarted);
    connect(m_pSignalRecorderWindow, &CSignalRecorderWindow::playbackStopped, this,
            &Veltrano::OnSignalPlaybackStopped);
    m_pArchiveWindow->m_pSignalRecorderWindow = m_pSignalRecorderWindow;
    ui.m_pRangeGraphView->m_pSignalRecorderWindow = m_pSignalRecorderWindow;
    ui.m_pDdcGraphView->m_pSignalRecorderWindow = m_pSignalRecorderWindow;
    ui.m_pDemodGraphView->m_pSignalRecorderWindow = m_pSignalRecorderWindow;

    m_pSoundRecorderWindow = new CSoundRecorderWindow(this);
    connect(m_pSoundRecorderWindow, &QDockWidget::visibilityChanged, this,
            &Veltrano::OnSoundRecorderVisibilityChanged);
    connect(m_pSoundRecorderWindow, &CSoundRecorderWindow::recordingStarted, this,
            &Veltrano::OnSoundRecordingStarted);
    connect(m_pSoundRecorderWindow, &CSoundRecorderWindow::recordingStopped, this,
            &Veltrano::OnSoundRecordingStopped);
    m_pArchiveWindow->m_pSoundRecorderWindow = m_pSoundRecorderWindow;
    ui.m_pRangeGraphView->m_pSoundRecorderWindow = m_pSoundRecorderWindow;
    ui.m_pDdcGraphView->m_pSoundRecorderWindow = m_pSoundRecorderWindow;
    ui.m_pDemodGraphView->m_pSoundRecorderWindow = m_pSoundRecorderWindow;

    m_pNoiseQualityWindow = new CNoiseQualityWindow(this);
    ui.m_pRangeGraphView->m_pNoiseQualityWindow = m_pNoiseQualityWindow;

    m_pRangeOctaveFiltersWindow =
        new COctaveFiltersWindow(tr("Full Range Octave Filters"), QStringLiteral("OctaveFilters1"), this);
    connect(m_pRangeOctaveFiltersWindow, &QDockWidget::visibilityChanged, this,
            &Veltrano::OnRangeOctaveFiltersVisibilityChanged);

    m_pDemodOctaveFiltersWindow =
        new COctaveFiltersWindow(tr("Demodulation Octave Filters"), QStringLiteral("OctaveFilters2"), this);
    connect(m_pDemodOctaveFiltersWindow, &QDockWidget::visibilityChanged, this,
            &Veltrano::OnDemodOctaveFiltersVisibilityChanged);

    m_pUserManualWindow = new CUserManualWindow(this);

    m_pVectorWindow = new CVectorWindow(this);
    connect(m_pVectorWindow, &QDockWidget::visibilityChanged, this, &Veltrano::OnVectorVisibilityChanged);

    m_pVideoWindow = new CVideoWindow(this);
    connect(m_pVideoWindow, &QDockWidget::visibilityChanged, this, &Veltrano::OnVideoVisibilityChanged);

    m_pDdcWavWriterWindow = new CDdcWavWriterWindow(this);

    m_pInternalsWindow = new CInternalsWindow(this);
    connect(m_pInternalsWindow, &CInternalsWindow::clkDivCntChanged, this, &Veltrano::OnClkDivCntChanged);
    connect(m_pInternalsWindow, &CInternalsWindow::showOscButton, ui.m_pRangeOscButton, &QWidget::setVisible);
    connect(m_pInternalsWindow, &CInternalsWindow::useDdcFftCorr, ui.m_pDdcGraphView, &CDdcView::SetFftCorr);

    m_pArchiveWindow->RestoreState();
    m_pPlutoTxWindow->RestoreState();
    m_pMemoryWindow->RestoreState();
    m_pOptionsWindow->RestoreState();
    m_pAnalysisWindow->RestoreState();
    m_pGsmAnalysisWindow->RestoreState();
    m_pScanerWindow->RestoreState();
    m_pSpectrumDialog->RestoreState();
    m_pMonitoring2Window->RestoreState();
    m_pTemplatesWindow->RestoreState();
    m_pPulseWindow->RestoreState();
    m_pKnownFreqRangesWindow->RestoreState();
    m_pKnownFreqRanges2Window->RestoreState();
    m_pUserManualWindow->RestoreState();
    m_pSignalRecorderWindow->RestoreState();
    m_pSoundRecorderWindow->RestoreState();
    m_pRangeOctaveFiltersWindow->RestoreState();
    m_pDemodOctaveFiltersWindow->RestoreState();
    m_pVectorWindow->RestoreState();
    m_pVideoWindow->RestoreState();
    m_pNoiseQualityWindow->RestoreState();
    m_pDdcWavWriterWindow->RestoreState();
    m_pVideoWindow->RestoreState();

    // The probe identification is not asked of the front-end unit in this program.
    if (g_DeviceThread.m_pKelthar)
        g_DeviceThread.m_pKelthar->SetIgnoreProbeIdent(true);

    if (!ui.m_pKnownRanges2Button->isChecked())
    {
        ui.m_pKnownRanges2Button->setChecked(false);
        m_pOptionsWindow->SetupOptionsWindow(0, 1);
    }

    ui.m_pMemoryButton->hide();
    ui.m_pMonitoringButton->hide();
    ui.m_pPulseButton->hide();
    ui.m_pPlutoTxButton->hide();
    ui.m_pBrisolaButton->hide();
    ui.m_pKnownRangesButton->hide();
}

void Veltrano::CreateStatusBar(int channelType)
{
    QStatusBar* bar = ui.m_pStatusBar;

    m_pMessageLabel = new QLabel(tr("Ready"), bar);
    bar->addWidget(m_pMessageLabel, 1);

    m_pChannelCombo = new QComboBox(bar);
    const int count = g_DeviceThread.GetChannelCount();
    for (int i = 0; i < count; ++i)
    {
        IChannel* channel = g_DeviceThread.GetChannel(i);
        m_pChannelCombo->addItem(channel ? QString::fromStdWString(channel->GetName()) : QString());
    }
    m_pChannelCombo->setCurrentIndex(channelType);
    m_pChannelCombo->setMinimumWidth(300);
    m_pChannelCombo->setStyleSheet(QStringLiteral("QComboBox { border: 0px }"));
    connect(m_pChannelCombo, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) { SetCurrentChannel(index); });
    bar->addWidget(m_pChannelCombo, 0);

    m_pRateLabel = new QLabel(tr("0 B/s"), bar);
    m_pRateLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar->addWidget(m_pRateLabel, 0);

    m_pSpareLabel = new QLabel(bar);
    m_pSpareLabel->hide();
    bar->addWidget(m_pSpareLabel, 0);

    m_pStatusLabel = new QLabel(tr("No connection"), bar);
    bar->addWidget(m_pStatusLabel, 0);
}
