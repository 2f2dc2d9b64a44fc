// The analysis, the archive and the recording loader as they reach the panes: analysis results as
// range markers, tuning to a result, archive images and recordings shown in the views, and bringing
// a frequency into the range view.

#include <QComboBox>
#include <QFileInfo>

#include <algorithm>
#include <iterator>

#include "analysiswindow.h"
#include "ddcview.h"
#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "progressdialog.h"
#include "rangeview.h"
#include "recorderloaderthread.h"
#include "veltrano.h"
#include "waterfallgraphicbase.h"

void Veltrano::OnAnalysisVisibilityChanged(bool visible)
{
    ui.m_pAnalysisButton->setChecked(visible);
    m_pAnalysisWindow->ApplyOptions(visible);
    ui.m_pRangeGraphView->SetThresholdLineVisible(visible);
    if (!visible)
        ui.m_pRangeGraphView->ClearAnalysisResults();
}

void Veltrano::OnAnalysisThresholdVisibilityChanged(bool visible)
{
    ui.m_pRangeGraphView->SetThresholdLineVisible(visible);
}

void Veltrano::OnAnalysisFinished(const std::vector<ANALYSIS_RESULT_ITEM>& results)
{
    QVector<SPECTRUM_MARKER_ITEM> markers;
    markers.reserve(static_cast<int>(results.size()));
    for (const ANALYSIS_RESULT_ITEM& result : results)
    {
        SPECTRUM_MARKER_ITEM marker;
        marker.lowIndex = g_DeviceThread.FreqToIndex(result.startFreq);
        marker.peakIndex = g_DeviceThread.FreqToIndex(result.peakFreq);
        marker.highIndex = g_DeviceThread.FreqToIndex(result.endFreq);
        marker.level = result.level;
        marker.state = result.status;
        marker.label = QString::fromStdWString(result.ident);
        markers.push_back(marker);
    }
    ui.m_pRangeGraphView->SetAnalysisResults(markers);
}

int Veltrano::PickBandwidth(double widthMHz)
{
    // The band names carry their unit in the last four characters (" MHz", " KHz"); the number before
    // it is compared as it stands, whatever the unit.
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    int picked = 0;
    for (int i = 0; i < ui.m_pDdcBandwidthCombo->count(); ++i)
    {
        const QString name = QString::fromStdWString(bits->GetDdcBand(i).Name);
        const double value = name.left(std::max(0, name.size() - 4)).toDouble();
        if (value >= widthMHz * 1000.0)
            picked = i;
    }
    return picked;
}

void Veltrano::OnAnalysisFreqChanged(double freqMHz, double widthMHz)
{
    RunCommand("OnAnalysisFreqChanged",
               [&]
               {
                   g_DeviceThread.m_pControlBits->SetTuneFreq(freqMHz * 1000000.0);
                   OnDeviceBandwidthChanged(PickBandwidth(widthMHz));
                   ShowFreqInRange(freqMHz);
               });
}

void Veltrano::ShowFreqInRange(double freqMHz)
{
    if (freqMHz == 0.0)
        return;
    IGraphic* first = ui.m_pRangeGraphView->GetGraphicAt(0);
    if (!first)
        return;
    const double from = first->GetXFrom();
    const double to = first->GetXTo();
    if (freqMHz >= from && freqMHz <= to)
        return;
    const double half = (to - from) * 0.5;
    first->SetXWindow(freqMHz - half, freqMHz + half);
    if (g_DeviceThread.m_pAdf && g_DeviceThread.m_pAdf->IsEnabled())
        g_DeviceThread.SetScanRange(first->GetXFrom(), first->GetXTo());
}

void Veltrano::ShowRecordedRange(double tuneHz, int bandwidthIndex, double start, double stop, bool clamp)
{
    g_DeviceThread.m_pControlBits->SetTuneFreqAndBandwidth(tuneHz, bandwidthIndex);
    OnDeviceBandwidthChanged(bandwidthIndex);
    IAdf4350* adf = g_DeviceThread.m_pAdf;
    adf->SetScanRange(start, stop);
    if (clamp)
        adf->ClampScanRange(&start, &stop);
    for (const QString& name : {QStringLiteral("Spec"), QStringLiteral("Waterfall")})
    {
        if (IGraphic* pane = ui.m_pRangeGraphView->GetGraphic(name))
            pane->SetXWindow(start, stop);
    }
}

void Veltrano::OnDataLoaded(double tuneHz, int bandwidthIndex, double start, double stop)
{
    // A loaded recording's range is ordered and kept inside the synthesizer's limits before it is shown.
    RunCommand("OnDataLoaded", [&] { ShowRecordedRange(tuneHz, bandwidthIndex, start, stop, true); });
}

void Veltrano::OnLoadImageFromArchive(QString name)
{
    // The type code sits between the first "_" of the file's own name and its extension, or a counter
    // that keeps two images of one second apart: "rsd" in "20261211093015123_rsd.img" is the range
    // view's spectrum, "rod" in "..._rod_2.img" its oscillogram. A folder's "_" is not the file's.
    const QString fileName = QFileInfo(name).fileName();
    const int underscore = fileName.indexOf(QLatin1Char('_'));
    if (underscore < 0)
        return;
    const int counter = fileName.indexOf(QLatin1Char('_'), underscore + 1);
    const int length = (counter >= 0 ? counter : fileName.size() - 4) - (underscore + 1);
    if (length <= 0)
        return;
    const QString type = fileName.mid(underscore + 1, length);

    // By the first letter the view, by the second the pane, through that pane's own button.
    using PaneSlot = void (Veltrano::*)();
    struct IMAGE_TARGET
    {
        char letter;
        CViewBase* view;
        PaneSlot spectrum, waterfall, osc;
    };
    const IMAGE_TARGET targets[] = {
        {'r', ui.m_pRangeGraphView, &Veltrano::OnRangeSpectrumButton, &Veltrano::OnRangeWaterfallButton,
         &Veltrano::OnRangeOscButton},
        {'d', ui.m_pDdcGraphView, &Veltrano::OnDdcSpectrumButton, &Veltrano::OnDdcWaterfallButton,
         &Veltrano::OnDdcOscButton},
        {'m', ui.m_pDemodGraphView, &Veltrano::OnDemodSpectrumButton, &Veltrano::OnDemodWaterfallButton,
         &Veltrano::OnDemodOscButton},
    };
    const auto target =
        std::find_if(std::begin(targets), std::end(targets),
                     [&type](const IMAGE_TARGET& t) { return type.at(0) == QLatin1Char(t.letter); });
    if (target == std::end(targets))
        return;
    const QChar pane = type.size() > 1 ? type.at(1) : QChar();
    if (pane == QLatin1Char('s'))
        (this->*target->spectrum)();
    else if (pane == QLatin1Char('w'))
        (this->*target->waterfall)();
    else if (pane == QLatin1Char('o'))
        (this->*target->osc)();
    CViewBase* view = target->view;
    view->OnLoadImageFromArchive(name, type);
    // The shown image belongs to the band it was taken in: no other band may be picked meanwhile.
    if (view != ui.m_pRangeGraphView)
        ui.m_pDdcBandwidthCombo->setEnabled(false);
}

void Veltrano::OnCloseImages()
{
    ui.m_pRangeGraphView->CloseLoadedData();
    ui.m_pDdcGraphView->CloseLoadedData();
    ui.m_pDemodGraphView->CloseLoadedData();
    const int type = g_DeviceThread.GetChannelType();
    if ((type == 0 || type == 3) && ui.m_pRangeOscButton->isChecked())
        OnRangeSpectrumButton();
    ui.m_pDdcBandwidthCombo->setEnabled(true);
    OnDeviceBandwidthChanged(ui.m_pDdcBandwidthCombo->currentIndex());
}

void Veltrano::OnGotoTime(int, time_t time, double, const QString& file)
{
    // One recording at a time: a second go-to-time would reset the views under the running load.
    if (m_pRecorderLoaderThread->isRunning())
        return;
    OnRangeWaterfallButton();
    m_pProgressDialog->SetText(tr("Loading data"));
    m_pProgressDialog->show();
    ui.m_pRangeGraphView->ResetWaterfallTime();
    ui.m_pDdcGraphView->ResetWaterfallTime();
    ui.m_pDemodGraphView->ResetWaterfallTime();
    m_pRecorderLoaderThread->m_pRangeView = ui.m_pRangeGraphView;
    m_pRecorderLoaderThread->m_pDdcView = ui.m_pDdcGraphView;
    m_pRecorderLoaderThread->m_pDemodView = ui.m_pDemodGraphView;
    m_pRecorderLoaderThread->Load(file, static_cast<qint64>(time));
    ui.m_pRangeGraphView->SetInfoText(tr("Loaded data"), false);
}

void Veltrano::OnProgress(int percent)
{
    m_pProgressDialog->SetValue(percent);
    if (percent != 100)
        return;
    OnRangePauseButton();
    OnDdcPauseButton();
    // The waterfall shows the page of the time asked for.
    if (auto* waterfall = dynamic_cast<CQWaterfallGraphicBase*>(
            ui.m_pRangeGraphView->GetGraphic(QStringLiteral("Waterfall"))))
        waterfall->SetTimePosition(m_pRecorderLoaderThread->m_nTime * 1000);
    m_pProgressDialog->hide();
    update();
}
