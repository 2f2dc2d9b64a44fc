#include "demodview.h"

#include <QPen>

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

#include "archiveentryfactory.h"
#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "measurementswindow.h"
#include "optionswindow.h"
#include "oscillogramgraphic.h"
#include "spectrumgraphic.h"
#include "waterfallgraphic.h"

namespace
{
const QString kSpectrumGroup = QStringLiteral("DemodSpectrum");
const QString kOscGroup = QStringLiteral("DemodOscilloscope");

std::optional<double> SampleRate()
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    if (!bits)
        return std::nullopt;
    try
    {
        return bits->GetSampleRate(-1);
    }
    catch (const std::exception&)
    {
        return std::nullopt;
    }
}
}  // namespace

CDemodView::CDemodView(QWidget* parent)
    : CViewBase(parent),
      m_pSpec(new CQSpectrumGraphic),
      m_pWaterfall(new CQWaterfallGraphic),
      m_pOsc(new CQOscillogramGraphic)
{
    const QBrush band(m_AxisBandColor);
    const QPen white(Qt::white);
    struct PaneSetUp
    {
        CQGraphicBase* pane;
        int xPrecision;
    };
    const PaneSetUp panes[] = {{m_pSpec, 5}, {m_pWaterfall, 5}, {m_pOsc, 1}};
    for (const PaneSetUp& p : panes)
    {
        p.pane->SetXAxisBand(20, 2);
        p.pane->SetYAxisBand(37, 3);
        p.pane->SetXAxisColors(band, white);
        p.pane->SetYAxisColors(band, white);
        p.pane->SetXPrecision(p.xPrecision);
    }
    m_pSpec->SetYPrecision(1);
    m_pOsc->SetYPrecision(1);
    m_pOsc->SetTraceCount(2);
    m_pOsc->SetPen(0, QPen(Qt::green));
    m_pOsc->SetPen(1, QPen(Qt::darkGreen));

    AddGraphic(QStringLiteral("Spec"), m_pSpec);
    AddGraphic(QStringLiteral("Waterfall"), m_pWaterfall);
    AddGraphic(QStringLiteral("Osc"), m_pOsc);

    m_pMeasurementsWindow = new CMeasurementsWindow(QStringLiteral("DemodMeasuresWindow"), this);
    m_pMeasurementsWindow->setWindowTitle(tr("Demodulation Measurements"));
    m_pMeasurementsWindow->RestoreState();
    m_pMeasurementsWindow->setFloating(true);
    // The main window chooses the first pane mode and applies the axis settings.
}

CDemodView::~CDemodView()
{
    SaveAxisSettings();
    m_Shown.clear();
    m_Graphics.clear();
    delete m_pOsc;
    delete m_pWaterfall;
    delete m_pSpec;
}

void CDemodView::SetPaneMode(int mode)
{
    switch (mode)
    {
        case 0:
            ShowPane(QStringLiteral("Spec"));
            ShowDemodGroups(true, false, false);
            break;
        case 1:
            ShowPane(QStringLiteral("Waterfall"));
            ShowDemodGroups(false, true, false);
            break;
        case 2:
            ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("Waterfall"));
            ShowDemodGroups(true, true, false);
            break;
        case 3:
            ShowPane(QStringLiteral("Osc"));
            ShowDemodGroups(false, false, true);
            break;
        default:
            break;
    }
    if (mode >= 0 && mode <= 3)
    {
        m_nPaneMode = mode;
        m_pMeasurementsWindow->SetCurrentList(mode == 3 ? CMeasurementsWindow::OscList
                                                        : CMeasurementsWindow::SpectrumList);
        if (mode != 3)
            m_bTrigger = false;
    }
    CheckSampleRate();
    update();
}

void CDemodView::ShowDemodGroups(bool spectrum, bool waterfall, bool osc)
{
    if (m_pOptionsWindow)
        m_pOptionsWindow->SetDemodGroupsVisible(spectrum, waterfall, osc);
}

void CDemodView::CheckSampleRate()
{
    const std::optional<double> rate = SampleRate();
    if (!rate || *rate == m_dLastSampleRate)
        return;
    ApplyAxisSettings();
    m_dLastSampleRate = *rate;
}

void CDemodView::SaveAxisSettings()
{
    StoreAxisWindows(kSpectrumGroup, m_pSpec, kOscGroup, m_pOsc, true);
}

void CDemodView::ApplySpectrumXRange()
{
    if (!HasDdcBands())
        return;
    const std::optional<double> span = CurrentBandValue(&CDeviceThread::GetDemodSpan);
    if (!span)
        return;
    const double min = g_DeviceThread.GetFreqOffset(-1);
    const double start = ReadAxisValue(kSpectrumGroup, QStringLiteral("StartXValue"), 0.0, true, true);
    const double end = ReadAxisValue(kSpectrumGroup, QStringLiteral("EndXValue"), 0.0, true, true);
    m_pSpec->SetXRange(min, *span);
    m_pSpec->SetXWindow(start, end);
    m_pWaterfall->SetXRange(min, *span);
    m_pWaterfall->SetXWindow(start, end);
    m_pWaterfall->ResetTimePosition();
}

void CDemodView::ApplySpectrumYRange()
{
    if (!HasDdcBands())
        return;
    const double start = ReadAxisValue(kSpectrumGroup, QStringLiteral("StartYValue"), 0.0, true, true);
    const double end = ReadAxisValue(kSpectrumGroup, QStringLiteral("EndYValue"), 0.0, true, true);
    m_pSpec->SetYLimits(-170.0, 30.0);
    m_pSpec->SetYWindow(start, end);
    m_pWaterfall->SetYLimits(-170.0, 30.0);
    m_pWaterfall->SetYWindow(start, end);
    m_pWaterfall->ResetTimePosition();
}

void CDemodView::ApplyOscXRange()
{
    if (!HasDdcBands())
        return;
    const std::optional<double> block = CurrentBandValue(&CDeviceThread::GetOscDuration);
    if (!block)
        return;
    m_pOsc->SetXRange(g_DeviceThread.GetFreqOffset(-1), *block * m_nCombine);
    m_pOsc->SetXWindow(ReadAxisValue(kOscGroup, QStringLiteral("StartXValue"), 0.0, true, false),
                       ReadAxisValue(kOscGroup, QStringLiteral("EndXValue"), 0.0, true, false));
}

void CDemodView::ApplyOscYRange()
{
    if (!HasDdcBands())
        return;
    m_pOsc->SetYLimits(-5.0, 5.0);
    m_pOsc->SetYWindow(ReadAxisValue(kOscGroup, QStringLiteral("StartYValue"), 0.0, true, false),
                       ReadAxisValue(kOscGroup, QStringLiteral("EndYValue"), 0.0, true, false));
    for (int i = 0; i < 2; ++i)
        m_pOsc->MoveTrace(i, -m_pOsc->GetTraceOffset(i));
    m_pOsc->SetAutoScale(true, false);
}

void CDemodView::ResetSpectrumXRange()
{
    const std::optional<double> span = CurrentBandValue(&CDeviceThread::GetDemodSpan);
    if (!span)
        return;
    WriteAxisValue(kSpectrumGroup, QStringLiteral("StartXValue"), 0.0, true);
    WriteAxisValue(kSpectrumGroup, QStringLiteral("EndXValue"), *span, true);
    ApplySpectrumXRange();
}

void CDemodView::ResetOscXRange()
{
    const std::optional<double> block = CurrentBandValue(&CDeviceThread::GetOscDuration);
    if (!block)
        return;
    WriteAxisValue(kOscGroup, QStringLiteral("StartXValue"), 0.0, true);
    WriteAxisValue(kOscGroup, QStringLiteral("EndXValue"), *block, true);
    ApplyOscXRange();
}

void CDemodView::ResetSpectrumYRange()
{
    WriteAxisValue(kSpectrumGroup, QStringLiteral("EndYValue"), 0.0, true);
    ApplySpectrumYRange();
    FitLevelToNoise();
}

void CDemodView::ResetOscYRange()
{
    ApplyOscYRange();
}

void CDemodView::FitLevelToNoise()
{
    FitSpectrumLevelToNoise();
}

double CDemodView::IndexToX(int index)
{
    const std::optional<double> rate = SampleRate();
    const int n = g_DeviceThread.GetDdcFftSize();
    if (!rate || n <= 0)
        return 0.0;
    return index * (*rate / 1e6) / n;
}

int CDemodView::XToIndex(double x)
{
    if (!SampleRate())
        return 0;
    return g_DeviceThread.DemodFreqToIndex(x);
}

void CDemodView::OnCancelOp()
{
    CancelPressedDataOperation();
}

void CDemodView::SetOptionsWindow(COptionsWindow* options)
{
    if (m_pOptionsWindow)
        disconnect(m_pOptionsWindow, nullptr, this, nullptr);
    m_pOptionsWindow = options;
    if (options)
        connect(options, &COptionsWindow::demodCombineOsc, this, &CDemodView::OnCombineOsc);
}

void CDemodView::SetOscData(std::vector<double> samples)
{
    if (m_nCombined >= m_nCombine)
        m_nCombined = 0;
    if (m_nCombined == 0)
        m_OscRecord = std::move(samples);
    else
        m_OscRecord.insert(m_OscRecord.end(), samples.begin(), samples.end());
    if (m_nCombined == m_nCombine - 1)
        CViewBase::SetOscData(m_OscRecord);
    ++m_nCombined;
}

void CDemodView::OnCombineOsc(int count)
{
    m_nCombine = std::max(1, count);
    m_nCombined = 0;
    ApplyOscXRange();
}

double CDemodView::ExportFrequency(int index)
{
    return IndexToX(index);
}

void CDemodView::OnAddToArchive()
{
    CArchiveEntryFactory::AddBandEntry(this, 2);
}
