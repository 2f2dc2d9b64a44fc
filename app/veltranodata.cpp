// The 10 ms data tick and the hand-over of a fetched sweep to the panes.
#include <QComboBox>
#include <QLabel>
#include <QMutex>
#include <QtGlobal>
#include <exception>
#include <mutex>
#include <vector>
#include "analysiswindow.h"
#include "ddcview.h"
#include "debugwindow.h"
#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "igraphic.h"
#include "internalswindow.h"
#include "knownfreqrangeswindow.h"
#include "monitoring2window.h"
#include "noisequalitywindow.h"
#include "octavefilterswindow.h"
#include "optionswindow.h"
#include "parameters.h"
#include "pulsewindow.h"
#include "rangeview.h"
#include "spectrumdialog.h"
#include "utils.h"
#include "vectorwindow.h"
#include "veltrano.h"
#include "videowindow.h"

namespace
{
bool IsShown(const QWidget* widget)
{
    return widget && widget->isVisible();
}

// Handed to the views where there is nothing to show, so no empty vector is made per tick.
const std::vector<double> kNoData;

// The first block of a list of blocks, or an empty one when the device delivered none.
const std::vector<double>& FirstBlock(const std::vector<std::vector<double>>& blocks)
{
    return blocks.empty() ? kNoData : blocks.front();
}

// The first and the last four samples of a block, or nothing for a block of 8 samples or fewer.
std::vector<double> EdgeSamples(const std::vector<double>& values)
{
    const size_t n = values.size();
    if (n <= 8)
        return {};
    return {values[0],     values[1],     values[2],     values[3],
            values[n - 4], values[n - 3], values[n - 2], values[n - 1]};
}

// A row of edge samples; without them the row keeps its previous text.
void SetSampleRow(CInternalsWindow* window, int row, const QString& name, const std::vector<double>& edges)
{
    if (edges.size() != 8)
        return;
    auto f = [](double v) { return QString("%1").arg(v, 6, 'f', 4); };
    QString text = QString("%1 %2 %3 %4 ... %5 %6 %7 %8")
                       .arg(f(edges[0]), f(edges[1]), f(edges[2]), f(edges[3]), f(edges[4]), f(edges[5]),
                            f(edges[6]), f(edges[7]));
    window->SetInfoRow(row, name, text);
}

// The band levels of a pane's FFT calculator into an octave-filter window. The library's band tables
// are in kHz: maxFreqKHz is the pane's top frequency in kHz, and each centre is shown in MHz units.
void SendOctaveLevels(COctaveFiltersWindow* window, ICalcFft* calc, double maxFreqKHz)
{
    if (!IsShown(window) || !calc)
        return;
    const bool thirdOctave = window->m_pTypeCombo && window->m_pTypeCombo->currentIndex() == 1;
    std::vector<OCTAVE_LEVEL> bands;
    calc->GetOctaveLevels(thirdOctave, maxFreqKHz, bands);
    std::vector<HISTOGRAM_BAR> bars;
    bars.reserve(bands.size());
    for (const OCTAVE_LEVEL& band : bands)
        bars.push_back({CUtils::FormatValue(band.centre / 1000.0, 2, 2), band.level});
    window->SetLevels(bars);
    window->update();
}
}  // namespace

void Veltrano::OnDeviceDataArrived()
{
    try
    {
        if (!g_DeviceThread.IsDataReady())
            return;
        // A busy buffer drops this sweep: data ready is cleared so the device loop goes on with
        // the next block instead of waiting for this one.
        if (!g_DeviceThread.FetchData())
        {
            g_DeviceThread.ClearDataReady();
            return;
        }
        CDeviceThread& dev = g_DeviceThread;
        if (dev.m_pMonitoring && dev.m_pMonitoring->IsRunning())
            dev.m_pMonitoring->ProcessSpectrum(dev.m_pRangeFft1, dev.m_pDdcFft1);

        int channelType = dev.GetChannelType();
        if ((channelType == 0 || channelType == 3) && IsShown(m_pPulseWindow) && dev.m_pPulseDetect)
        {
            bool envelope = m_pPulseWindow->IsShowEnvelope();
            if (dev.m_pPulseDetect->IsRunning())
                dev.m_pPulseDetect->ProcessSamples(dev.m_RangeI);
            else
                m_pPulseWindow->ApplyTriggerSettings();
            if (envelope)
                dev.m_pPulseDetect->ProcessSpectrum(dev.m_RangeI);
            dev.m_pPulseDetect->UpdateThreshold();
            ui.m_pRangeGraphView->SetTriggerLevel(dev.m_pPulseDetect->GetThresholdLevel());
        }

        if (ui.m_pRangeGraphView->GetPauseState() != 1 && IsShown(m_pKnownFreqRangesWindow) &&
            dev.m_pKnownFreq1)
        {
            std::vector<ARCHIVE_SIGNAL_ENTRY> templates;
            if (dev.m_pTemplates)
            {
                int count = dev.m_pTemplates->GetCount();
                for (int index = 0; index < count; ++index)
                {
                    const TEMPLATE_ITEM& item = dev.m_pTemplates->Get(index);
                    if (item.enabled)
                        templates.insert(templates.end(), item.entries.begin(), item.entries.end());
                }
            }
            dev.m_pKnownFreq1->ProcessSpectrum(dev.m_pRangeFft1, dev.m_pMultiRangeFft1, templates);
        }

        SendDataToGraph(RangePane);
        FitDemoLevels();
        if (dev.m_pAdf)
            ui.m_pRangeGraphView->SetHarmonicCount(dev.m_pAdf->GetNumberGarms());
        if (!IsShown(m_pPulseWindow))
        {
            SendDataToGraph(DdcPane);
            SendDataToGraph(DemodPane);
        }
        dev.ClearDataReady();
        // A start-up prompt runs the event loop before the overlay exists.
        if (m_pDebugWindow)
            m_pDebugWindow->Refresh(dev.m_pAdf, dev.m_pDemoSignal, dev.m_pVideoEngine);
    }
    catch (const std::exception& error)
    {
        qWarning("Data tick: %s", error.what());
        g_DeviceThread.ClearDataReady();
    }
}

void Veltrano::SendDataToGraph(PanesEnum pane)
{
    CDeviceThread& dev = g_DeviceThread;
    int channelType = dev.GetChannelType();
    bool silenced = channelType == 4 || (channelType == 6 && ui.m_pRangeSoundButton->isChecked());
    switch (pane)
    {
        case RangePane:
        {
            CRangeView* view = ui.m_pRangeGraphView;
            SendOctaveLevels(m_pRangeOctaveFiltersWindow, dev.m_pRangeFft1, dev.GetMaxFreq(-1) * 1000.0);
            if (IsShown(m_pNoiseQualityWindow) && dev.m_pNoiseQuality)
            {
                dev.m_pNoiseQuality->Calculate(dev.m_RangeIRaw);
                m_pNoiseQualityWindow->SetData(dev.m_pNoiseQuality->GetValues());
                m_pNoiseQualityWindow->SetEntropy(dev.m_pNoiseQuality->GetValueA());
                m_pNoiseQualityWindow->SetEntropyCoef(dev.m_pNoiseQuality->GetValueB());
            }
            view->SetSpectrumData(dev.m_RangeSpectrum);
            view->AddWaterfallLine(dev.m_RangeSpectrum2);
            bool knownShown = IsShown(m_pKnownFreqRangesWindow);
            if (knownShown && dev.m_pMultiAdf)
                view->SetMultiRangeData(dev.m_pMultiAdf->GetCurrentRange(), dev.m_RangeSpectrum);
            view->SetOscData(dev.m_RangeI);
            const int paneMode = view->GetPaneMode();
            if (paneMode == 0 || paneMode == 2)
            {
                // The threshold trace follows the analysis or the monitoring, whichever is shown.
                const bool analysis =
                    IsShown(m_pAnalysisWindow) &&
                    g_Parameters.GetInt(QStringLiteral("Analysis"), QStringLiteral("ShowAveraging"), 0) != 0;
                const std::vector<double>* average = nullptr;
                if (analysis || IsShown(m_pMonitoring2Window))
                    average = dev.GetAnalysisSpectrum();
                view->SetAveragingTrace(average ? *average : kNoData);
            }
            if (!knownShown)
                view->SetKnownFreqResultsVisible(false);
            else if (dev.m_pKnownFreq1)
            {
                int range = -1;
                if (dev.m_pMultiAdf && dev.m_pMultiAdf->IsEnabled())
                    range = dev.m_pMultiAdf->GetCurrentRange();
                view->SetKnownFreqResultsVisible(true);
                view->SetKnownFreqResults(range, dev.m_pKnownFreq1->GetDetections());
            }
            view->SetPaintMode(dev.m_pControlBits && dev.m_pControlBits->GetKnownRangeCount() != 0 ? 1 : 0);
            view->update();
            view->UpdateMeasurements(dev.m_RangeI, {}, dev.m_RangeSpectrum);
            break;
        }
        case DdcPane:
        {
            CDdcView* view = ui.m_pDdcGraphView;
            if (silenced)
            {
                view->SetSpectrumData({});
                view->SetOscData({}, {});
                view->repaint();
                break;
            }
            view->SetSpectrumData(dev.m_DdcSpectrum);
            // The calculator's block count may exceed the lines actually delivered.
            for (int i = 0; dev.m_pDdcFft2 && i < dev.m_pDdcFft2->GetBlockCount() &&
                            static_cast<size_t>(i) < dev.m_DdcSpectra2.size();
                 ++i)
                view->AddWaterfallLine(dev.m_DdcSpectra2[static_cast<size_t>(i)]);
            const std::vector<double>& i = FirstBlock(dev.m_DdcI);
            const std::vector<double>& q = FirstBlock(dev.m_DdcQ);
            view->SetOscData(i, q);
            view->update();
            if (IsShown(m_pVectorWindow))
            {
                m_pVectorWindow->SetData(i, q);
                m_pVectorWindow->update();
            }
            view->UpdateMeasurements(i, q, dev.m_DdcSpectrum);
            break;
        }
        case DemodPane:
        {
            CDemodView* view = ui.m_pDemodGraphView;
            if (silenced)
            {
                view->SetSpectrumTraceData({});
                view->SetOscData({});
                view->repaint();
                break;
            }
            const double rate = dev.m_pControlBits ? dev.m_pControlBits->GetSampleRate(-1) : 0.0;
            SendOctaveLevels(m_pDemodOctaveFiltersWindow, dev.m_pDemodFft1, rate / 1000.0);
            view->SetSpectrumTraceData(dev.m_DemodSpectrum);
            if (!dev.m_DemodSpectra2.empty())
                view->AddWaterfallLine(dev.m_DemodSpectra2.front());
            const std::vector<double>& audio = FirstBlock(dev.m_Audio);
            view->SetOscData(audio);
            view->update();
            if (IsShown(m_pVideoWindow))
                m_pVideoWindow->UpdateStatus();
            view->UpdateMeasurements(audio, {}, dev.m_DemodSpectrum);
            break;
        }
    }
}

void Veltrano::ApplySpectrumDialogRange(bool secondBand)
{
    if (!m_pSpectrumDialog)
        return;
    double start = secondBand ? m_pSpectrumDialog->m_nF1_Start : m_pSpectrumDialog->m_nF0_Start;
    double end = secondBand ? m_pSpectrumDialog->m_nF1_End : m_pSpectrumDialog->m_nF0_End;
    if (g_DeviceThread.m_pAdf)
        g_DeviceThread.m_pAdf->SetScanRange(start, end);
    if (IGraphic* spec = ui.m_pRangeGraphView->GetGraphic("Spec"))
    {
        spec->SetXFrom(start);
        spec->SetXTo(end);
    }
}

void Veltrano::OnCountersTimer()
{
    try
    {
        CDeviceThread& dev = g_DeviceThread;
        if (m_pOptionsWindow && m_pOptionsWindow->m_nLmxMode != 0)
        {
            qDebug("OnCountersTimer");
            ApplySpectrumDialogRange(m_pOptionsWindow->m_nLmxMode - 1 != 0);
            m_pOptionsWindow->m_nLmxMode = 0;
        }
        if (IsShown(m_pSpectrumDialog) && m_pSpectrumDialog->m_nApply != 0)
        {
            qDebug("OnCountersTimer");
            m_pSpectrumDialog->m_nApply = 0;
            if (m_pOptionsWindow)
                m_pOptionsWindow->ResetRangeAveraging();
            int band = m_pSpectrumDialog->m_nBandMode == 1 ? 1 : 0;
            ApplySpectrumDialogRange(band == 1);
            int steps = band == 1 ? m_pSpectrumDialog->m_nF1_End - m_pSpectrumDialog->m_nF1_Start
                                  : m_pSpectrumDialog->m_nF0_End - m_pSpectrumDialog->m_nF0_Start;
            // An empty window would divide by zero; the converter state is then left alone.
            if (dev.m_pControlBits && steps != 0)
                dev.m_pControlBits->SetLMX2595_Struct(band + 1, 6000 / steps);
        }
        if (!dev.m_pKelthar)
            return;
        KELTHAR_COUNTERS counters = *dev.m_pKelthar->GetCounters();
        int maxDdc = 0;
        int lostDdc = 0;
        dev.m_pKelthar->TakeDdcSampleCounters(&maxDdc, &lostDdc);
        if (IsShown(m_pInternalsWindow))
        {
            CInternalsWindow* w = m_pInternalsWindow;
            // The device loop rewrites the sample blocks under the data mutex at any time: copy what the
            // rows show under it, and keep the previous rows rather than wait when it is busy.
            std::vector<double> rangeEdges;
            std::vector<double> ddcIEdges;
            std::vector<double> ddcQEdges;
            {
                std::unique_lock<QMutex> lock(g_DataMutex, std::try_to_lock);
                if (lock.owns_lock())
                {
                    rangeEdges = EdgeSamples(dev.m_RangeI);
                    ddcIEdges = EdgeSamples(FirstBlock(dev.m_DdcI));
                    ddcQEdges = EdgeSamples(FirstBlock(dev.m_DdcQ));
                }
            }
            w->SetInfoRow(0, "Raw data arrived", QString::number(counters.rawBlocks));
            w->SetInfoRow(1, "Range data arrived", QString::number(counters.rangeBlocks));
            w->SetInfoRow(2, "DDC data arrived", QString::number(counters.ddcBlocks));
            SetSampleRow(w, 3, "Range samples", rangeEdges);
            SetSampleRow(w, 4, "DDC I samples", ddcIEdges);
            SetSampleRow(w, 5, "DDC Q samples", ddcQEdges);
            w->SetInfoRow(6, "USB errors", QString::number(counters.usbErrors));
            w->SetInfoRow(7, "USB code errors", QString::number(counters.usbCodeErrors));
            w->SetInfoRow(8, "Max DDC samples", QString::number(maxDdc));
            w->SetInfoRow(9, "Lost DDC samples", QString::number(lostDdc));
            if (dev.m_pAdf)
            {
                w->SetInfoRow(10, "GroupBlock", QString::number(dev.m_pAdf->GetGroupBlocks()));
                w->SetInfoRow(11, "ADF Freq", QString::number(dev.m_pAdf->GetFreqDdcInt()));
                w->SetInfoRow(12, "ADF Start", QString::number(dev.m_pAdf->GetFreqStartInt()));
                w->SetInfoRow(13, "ADF Size", QString::number(dev.m_pAdf->GetSize()));
            }
            if (dev.m_pDla)
                w->SetInfoRow(14, "DLA Volt",
                              QString::number(static_cast<double>(dev.m_pDla->GetVoltage()), 'g', 6));
            QString add;
            const KELTHAR_COUNTERS2* bytes = dev.m_pKelthar->GetCounters2();
            for (uint8_t b : bytes->bytes)
                add += QString("%1 ").arg(static_cast<int>(b), 3, 10, QChar('0'));
            w->SetInfoRow(15, "Add data", add);
        }
        if (counters.usbErrors > 0 || counters.usbCodeErrors > 0)
        {
            m_pSpareLabel->setText(tr("USB errors: ") + QString::number(counters.usbErrors));
            m_pSpareLabel->show();
        }
        else
            m_pSpareLabel->hide();
    }
    catch (const std::exception& error)
    {
        qWarning("Counters: %s", error.what());
    }
}
