#include "rangeview.h"

#include <QDataStream>
#include <QMetaObject>
#include <QPen>
#include <QSaveFile>
#include <QThread>

#include <limits>

#include "analysisspectrumgraphic.h"
#include "devicethread.h"
#include "globals.h"
#include "iadf4350.h"
#include "measurementswindow.h"
#include "multiplerangesspectrumgraphic.h"
#include "multiplerangeswaterfallgraphic.h"
#include "optionswindow.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "waterfallgraphic.h"

namespace
{
const QString kSpectrumGroup = QStringLiteral("RangeSpectrum");
const QString kOscGroup = QStringLiteral("RangeOscilloscope");
constexpr int kThresholdTrace = 3;

bool SweepEnabled()
{
    IAdf4350* adf = g_DeviceThread.m_pAdf;
    return adf != nullptr && adf->IsEnabled();
}
}  // namespace

CRangeView::CRangeView(QWidget* parent)
    : CViewBase(parent),
      m_pSpec(new CQAnalysisSpectrumGraphic),
      m_pMultiSpec(new CQMultipleRangesSpectrumGraphic),
      m_pWaterfall(new CQWaterfallGraphic),
      m_pMultiWaterfall(new CQMultipleRangesWaterfallGraphic),
      m_pOsc(new CQOscillogramGraphic),
      m_dWrittenXFrom(std::numeric_limits<double>::quiet_NaN()),
      m_dWrittenXTo(std::numeric_limits<double>::quiet_NaN())
{
    const QBrush band(m_AxisBandColor);
    const QPen white(Qt::white);
    auto setUp = [&](CQGraphicBase* pane)
    {
        pane->SetXAxisBand(20, 2);
        pane->SetYAxisBand(37, 3);
        pane->SetXAxisColors(band, white);
        pane->SetYAxisColors(band, white);
        pane->SetXPrecision(1);
    };

    // Trace 1 is the live sweep; trace 3 the threshold line, which the data operations leave alone.
    setUp(m_pSpec);
    m_pSpec->SetYPrecision(1);
    m_pSpec->SetTraceCount(4);
    m_pSpec->SetTraceVisible(kThresholdTrace, false);
    m_pSpec->SetTraceUnprocessed(kThresholdTrace, true);
    // Only this pane hands the data-operation correction to the range transform.
    if (g_DeviceThread.m_pRangeFft1 != nullptr)
        m_pSpec->SetCorrectionTarget(g_DeviceThread.m_pRangeFft1);
    AddGraphic(QStringLiteral("Spec"), m_pSpec);

    setUp(m_pMultiSpec);
    m_pMultiSpec->SetYPrecision(1);
    AddGraphic(QStringLiteral("MultiSpec"), m_pMultiSpec);

    setUp(m_pWaterfall);
    AddGraphic(QStringLiteral("Waterfall"), m_pWaterfall);

    setUp(m_pMultiWaterfall);
    m_pMultiWaterfall->SetBufferFile(QStringLiteral("range_waterfall"));
    AddGraphic(QStringLiteral("MultiWaterfall"), m_pMultiWaterfall);

    setUp(m_pOsc);
    m_pOsc->SetYPrecision(1);
    m_pOsc->SetTraceCount(2);
    m_pOsc->SetPen(0, QPen(Qt::yellow));
    m_pOsc->SetPen(1, QPen(Qt::blue));
    AddGraphic(QStringLiteral("Osc"), m_pOsc);

    m_pMeasurementsWindow = new CMeasurementsWindow(QStringLiteral("RangeMeasuresWindow"), this);
    m_pMeasurementsWindow->setWindowTitle(tr("Range Measurements"));
    m_pMeasurementsWindow->RestoreState();
    m_pMeasurementsWindow->setFloating(true);

    ApplyAxisSettings();

    connect(&m_Timer, &QTimer::timeout, this, &CRangeView::OnTimer);
    m_Timer.start(2000);
}

CRangeView::~CRangeView()
{
    m_Timer.stop();
    // The painters are read by the save, so they go after it.
    SaveAxisSettings();
    m_Shown.clear();
    m_Graphics.clear();
    delete m_pOsc;
    delete m_pMultiWaterfall;
    delete m_pWaterfall;
    delete m_pMultiSpec;
    delete m_pSpec;
}

void CRangeView::SetPaneMode(int mode)
{
    switch (mode)
    {
        case 0:
            ShowPane(QStringLiteral("Spec"));
            break;
        case 1:
            ShowPane(QStringLiteral("Waterfall"));
            break;
        case 2:
            ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("Waterfall"));
            break;
        case 3:
            ShowPane(QStringLiteral("Osc"));
            break;
        case 4:
            ShowPane(QStringLiteral("MultiSpec"));
            break;
        case 5:
            ShowPane(QStringLiteral("MultiWaterfall"));
            break;
        case 6:
            ShowTwoPanes(QStringLiteral("MultiSpec"), QStringLiteral("MultiWaterfall"));
            break;
        default:
            update();
            return;
    }
    m_nPaneMode = mode;
    if (mode == 3)
    {
        m_pMeasurementsWindow->SetCurrentList(CMeasurementsWindow::OscList);
        ShowRangeGroups(false, false);
    }
    else
    {
        const bool spectrum = mode == 0 || mode == 2 || mode == 4 || mode == 6;
        const bool waterfall = mode == 1 || mode == 2 || mode == 5 || mode == 6;
        m_pMeasurementsWindow->SetCurrentList(CMeasurementsWindow::SpectrumList);
        ShowRangeGroups(spectrum, waterfall);
        m_bTrigger = false;
    }
    update();
}

void CRangeView::OnWaterfallSpectrum()
{
    if (m_nPaneMode == 1)
    {
        g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("WaterfallSpectrum"), 1);
        ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("Waterfall"));
        m_nPaneMode = 2;
        ShowRangeGroups(true, true);
    }
    else
    {
        g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("WaterfallSpectrum"), 0);
        ShowPane(QStringLiteral("Waterfall"));
        m_nPaneMode = 1;
        ShowRangeGroups(false, true);
    }
    m_pMeasurementsWindow->SetCurrentList(CMeasurementsWindow::SpectrumList);
    m_bTrigger = false;
    update();
}

void CRangeView::ShowRangeGroups(bool spectrum, bool waterfall)
{
    if (m_pOptionsWindow)
        m_pOptionsWindow->SetRangeGroupsVisible(spectrum, waterfall);
}

void CRangeView::SaveAxisSettings()
{
    StoreAxisWindows(kSpectrumGroup, m_pSpec, kOscGroup, m_pOsc, false);
}

void CRangeView::OnTimer()
{
    if (!m_bAxesInitialised)
        return;
    // A NaN never equals itself, so the first tick writes both ends.
    const double from = m_pSpec->GetXFrom();
    if (!(from == m_dWrittenXFrom))
    {
        m_dWrittenXFrom = from;
        WriteAxisValue(kSpectrumGroup, QStringLiteral("StartXValue"), from, false);
    }
    const double to = m_pSpec->GetXTo();
    if (!(to == m_dWrittenXTo))
    {
        m_dWrittenXTo = to;
        WriteAxisValue(kSpectrumGroup, QStringLiteral("EndXValue"), to, false);
    }
}

void CRangeView::SetIndexAxisMode(CQGraphicBase* single, CQGraphicBase* multi)
{
    IAdf4350* adf = g_DeviceThread.m_pAdf;
    const bool sweep = adf != nullptr && adf->IsEnabled();
    const int count = sweep ? adf->GetNumberGarms() : 0;
    for (CQGraphicBase* pane : {single, multi})
    {
        auto* spectrum = dynamic_cast<CQSpectrumGraphicBase*>(pane);
        if (!spectrum)
            continue;
        spectrum->m_indexAxis = sweep;
        if (count > 0)
            spectrum->m_indexCount = count;
    }
}

void CRangeView::SetSpectrumData(const std::vector<double>& spectrum)
{
    // The recording loader replays from its own thread; the painters belong to the GUI thread.
    if (QThread::currentThread() != thread())
    {
        QMetaObject::invokeMethod(
            this, [this, spectrum] { SetSpectrumData(spectrum); }, Qt::QueuedConnection);
        return;
    }
    SetIndexAxisMode(m_pSpec, m_pMultiSpec);
    if (m_bTemplatesActive && !m_bAnalysisShown)
        RebuildTemplateMarkers();
    SetSpectrumTraceData(spectrum);
}

void CRangeView::AddWaterfallLine(const std::vector<double>& line)
{
    SetIndexAxisMode(m_pWaterfall, m_pMultiWaterfall);
    CViewBase::AddWaterfallLine(line);
}

void CRangeView::AddWaterfallLineAt(qint64 timeMs, const std::vector<double>& line)
{
    if (QThread::currentThread() != thread())
    {
        QMetaObject::invokeMethod(
            this, [this, timeMs, line] { AddWaterfallLineAt(timeMs, line); }, Qt::QueuedConnection);
        return;
    }
    SetIndexAxisMode(m_pWaterfall, m_pMultiWaterfall);
    CViewBase::AddWaterfallLineAt(timeMs, line);
}

void CRangeView::SetAveragingTrace(const std::vector<double>& average)
{
    if (average.empty())
    {
        m_pSpec->ClearData(kThresholdTrace);
        return;
    }
    m_AverageTrace.assign(average.begin(), average.end());
    m_pSpec->SetData(kThresholdTrace, m_AverageTrace);
}

void CRangeView::AddMultiRange(QString name, double startMHz, double endMHz)
{
    m_pMultiSpec->AddRange(name, startMHz, endMHz);
    m_pMultiWaterfall->AddRange(name, startMHz, endMHz);
}

void CRangeView::ClearMultiRanges()
{
    m_pMultiSpec->ClearRanges();
    m_pMultiWaterfall->ClearRanges();
}

void CRangeView::ResetMultiWaterfallRange()
{
    m_pMultiWaterfall->SetBufferFile(QStringLiteral("range_waterfall"));
}

void CRangeView::SetOscAutoScale(bool on)
{
    m_pOsc->SetAutoScale(on, false);
    if (!on)
        m_pOsc->SetYWindow(-0.05, 0.05);
}

bool CRangeView::SaveOscData(QString path)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream stream(&file);
    stream.setVersion(QDataStream::Qt_5_12);
    stream << QStringLiteral("rod");
    m_pOsc->SaveShownData(stream);
    if (stream.status() != QDataStream::Ok)
    {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void CRangeView::FollowScanRange()
{
    if (!SweepEnabled() || m_Shown.isEmpty())
        return;
    IGraphic* last = m_Shown.last();
    if (!last->IsXFixed())
        g_DeviceThread.SetScanRange(last->GetXFrom(), last->GetXTo());
}

void CRangeView::SetXFrom(double value)
{
    CViewBase::SetXFrom(value);
    FollowScanRange();
}

void CRangeView::SetXTo(double value)
{
    CViewBase::SetXTo(value);
    if (m_bTuningEnabled)
        FollowScanRange();
}

void CRangeView::SetXWindow(double from, double to)
{
    CViewBase::SetXWindow(from, to);
    if (m_bTuningEnabled)
        FollowScanRange();
}

void CRangeView::ScrollX(double delta)
{
    CViewBase::ScrollX(delta);
    if (m_bTuningEnabled)
        FollowScanRange();
}

void CRangeView::ApplySpectrumXRange()
{
    const double min = g_DeviceThread.GetMinFreq(-1);
    const double max = g_DeviceThread.GetMaxFreq(-1);
    const double limit = g_DeviceThread.GetUpperLimit();
    const double from = ReadAxisValue(kSpectrumGroup, QStringLiteral("StartXValue"), 0.0, false, false);
    const double to = ReadAxisValue(kSpectrumGroup, QStringLiteral("EndXValue"), 0.0, false, false);
    for (IGraphic* pane : {static_cast<IGraphic*>(m_pSpec), static_cast<IGraphic*>(m_pMultiSpec)})
    {
        pane->SetXLimits(min, max, limit);
        pane->SetXWindow(from, to);
    }
    // While the synthesizer sweeps, it sweeps only the visible window.
    if (m_bTuningEnabled && SweepEnabled())
        g_DeviceThread.SetScanRange(m_pSpec->GetXFrom(), m_pSpec->GetXTo());
    m_pWaterfall->SetXLimits(min, max, limit);
    m_pWaterfall->SetXWindow(from, to);
    m_pWaterfall->ResetTimePosition();
    m_pMultiWaterfall->SetXLimits(min, max, limit);
    m_pMultiWaterfall->SetXWindow(from, to);
    m_pMultiWaterfall->ResetTimePosition();
}

void CRangeView::ApplySpectrumYRange()
{
    const double from = ReadAxisValue(kSpectrumGroup, QStringLiteral("StartYValue"), 0.0, false, false);
    const double to = ReadAxisValue(kSpectrumGroup, QStringLiteral("EndYValue"), 0.0, false, false);
    for (IGraphic* pane : {static_cast<IGraphic*>(m_pSpec), static_cast<IGraphic*>(m_pMultiSpec),
                           static_cast<IGraphic*>(m_pWaterfall), static_cast<IGraphic*>(m_pMultiWaterfall)})
    {
        pane->SetYLimits(-170.0, 30.0);
        pane->SetYWindow(from, to);
    }
    m_pWaterfall->ResetTimePosition();
    m_pMultiWaterfall->ResetTimePosition();
}

void CRangeView::ApplyOscXRange()
{
    m_pOsc->SetXRange(0.0, g_DeviceThread.GetBlockDuration(-1));
    m_pOsc->SetXWindow(ReadAxisValue(kOscGroup, QStringLiteral("StartXValue"), 0.0, false, false),
                       ReadAxisValue(kOscGroup, QStringLiteral("EndXValue"), 0.0, false, false));
}

void CRangeView::ApplyOscYRange()
{
    m_pOsc->SetYLimits(-5.0, 5.0);
    m_pOsc->SetYWindow(ReadAxisValue(kOscGroup, QStringLiteral("StartYValue"), 0.0, false, false),
                       ReadAxisValue(kOscGroup, QStringLiteral("EndYValue"), 0.0, false, false));
    for (int i = 0; i < 2; ++i)
        m_pOsc->MoveTrace(i, -m_pOsc->GetTraceOffset(i));
    m_pOsc->SetAutoScale(true, false);
}

void CRangeView::ResetSpectrumXRange()
{
    WriteAxisValue(kSpectrumGroup, QStringLiteral("StartXValue"), g_DeviceThread.GetMinFreq(-1), false);
    WriteAxisValue(kSpectrumGroup, QStringLiteral("EndXValue"), g_DeviceThread.GetMaxFreq(-1), false);
    if (!m_Shown.isEmpty() && m_Shown.first() == m_pMultiSpec)
        m_pMultiSpec->ResetXWindows();
    ApplySpectrumXRange();
}

void CRangeView::ResetOscXRange()
{
    WriteAxisValue(kOscGroup, QStringLiteral("StartXValue"), 0.0, false);
    WriteAxisValue(kOscGroup, QStringLiteral("EndXValue"), g_DeviceThread.GetBlockDuration(-1), false);
    ApplyOscXRange();
}

void CRangeView::ResetSpectrumYRange()
{
    WriteAxisValue(kSpectrumGroup, QStringLiteral("EndYValue"), 0.0, false);
    ApplySpectrumYRange();
    FitLevelToNoise();
}

void CRangeView::ResetOscYRange()
{
    ApplyOscYRange();
}

void CRangeView::FitLevelToNoise()
{
    FitSpectrumLevelToNoise();
}

double CRangeView::IndexToX(int index)
{
    return g_DeviceThread.IndexToFreq(index);
}

int CRangeView::XToIndex(double x)
{
    return g_DeviceThread.FreqToIndex(x);
}

bool CRangeView::CanZoomWhilePaused()
{
    return false;
}

void CRangeView::OnCancelOp()
{
    CancelPressedDataOperation();
}
