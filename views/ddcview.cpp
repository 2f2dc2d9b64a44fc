#include "ddcview.h"

#include <QPen>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <exception>
#include <optional>

#include "archiveentryfactory.h"
#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "measurementswindow.h"
#include "optionswindow.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "spectrumgraphic.h"
#include "vectorgraphic.h"
#include "vectorwindow.h"
#include "waterfallgraphic.h"

namespace
{
const QString kSpectrumGroup = QStringLiteral("DdcSpectrum");
const QString kOscGroup = QStringLiteral("DdcOscilloscope");

// Offsets back to 0 (I pair, then Q pair) and auto-scale on.
void ResetTraces(CQOscillogramGraphic* osc)
{
    for (int i : {0, 2, 1, 3})
        osc->MoveTrace(i, -osc->GetTraceOffset(i));
    osc->SetAutoScale(true, false);
}
}  // namespace

CDdcView::CDdcView(QWidget* parent)
    : CViewBase(parent),
      m_pSpec(new CQSpectrumGraphic),
      m_pWaterfall(new CQWaterfallGraphic),
      m_pOsc(new CQOscillogramGraphic),
      m_pVec(new CQVectorGraphic)
{
    const QBrush band(m_AxisBandColor);
    const QPen white(Qt::white);
    struct PaneSetUp
    {
        CQGraphicBase* pane;
        int xDivisions;
        int xPrecision;
    };
    const PaneSetUp panes[] = {{m_pSpec, 2, 5}, {m_pWaterfall, 2, 5}, {m_pOsc, 2, 1}, {m_pVec, 3, 1}};
    for (const PaneSetUp& p : panes)
    {
        p.pane->SetXAxisBand(20, p.xDivisions);
        p.pane->SetYAxisBand(37, 3);
        p.pane->SetXAxisColors(band, white);
        p.pane->SetYAxisColors(band, white);
        p.pane->SetXPrecision(p.xPrecision);
    }
    m_pSpec->SetYPrecision(1);
    m_pOsc->SetYPrecision(1);
    m_pVec->SetYPrecision(1);

    // Traces 0/1 are the I pair, 2/3 the Q pair.
    m_pOsc->SetTraceCount(4);
    m_pOsc->SetPen(0, QPen(Qt::green));
    m_pOsc->SetPen(2, QPen(Qt::blue));
    m_pOsc->SetPen(1, QPen(Qt::darkGreen));
    m_pOsc->SetPen(3, QPen(Qt::darkBlue));
    m_pVec->SetTraceCount(4);
    m_pVec->SetPen(0, QPen(Qt::green));
    m_pVec->SetPen(2, QPen(Qt::green));
    m_pVec->SetPen(1, QPen(Qt::darkGreen));
    m_pVec->SetPen(3, QPen(Qt::darkGreen));

    AddGraphic(QStringLiteral("Spec"), m_pSpec);
    AddGraphic(QStringLiteral("Waterfall"), m_pWaterfall);
    AddGraphic(QStringLiteral("Osc"), m_pOsc);
    AddGraphic(QStringLiteral("Vec"), m_pVec);

    m_pMeasurementsWindow = new CMeasurementsWindow(QStringLiteral("DdcMeasuresWindow"), this);
    m_pMeasurementsWindow->setWindowTitle(tr("Band Measurements"));
    m_pMeasurementsWindow->RestoreState();
    m_pMeasurementsWindow->setFloating(true);
    m_Corrections.Load(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    // The main window chooses the first pane mode and applies the axis settings.
}

CDdcView::~CDdcView()
{
    SaveAxisSettings();
    m_Shown.clear();
    m_Graphics.clear();
    delete m_pVec;
    delete m_pOsc;
    delete m_pWaterfall;
    delete m_pSpec;
}

void CDdcView::SetPaneMode(int mode)
{
    switch (mode)
    {
        case 0:
            ShowPane(QStringLiteral("Spec"));
            ShowDdcGroups(true, false, false, m_pVectorWindow && m_pVectorWindow->isVisible());
            break;
        case 1:
            ShowPane(QStringLiteral("Waterfall"));
            ShowDdcGroups(false, true, false, false);
            break;
        case 2:
            ShowTwoPanes(QStringLiteral("Spec"), QStringLiteral("Waterfall"));
            ShowDdcGroups(true, true, false, false);
            break;
        case 3:
            ShowPane(QStringLiteral("Osc"));
            ShowDdcGroups(false, false, true, false);
            break;
        case 4:
            // The pane takes over from the separate window.
            if (m_pVectorWindow)
                m_pVectorWindow->hide();
            ShowPane(QStringLiteral("Vec"));
            ShowDdcGroups(false, false, false, true);
            break;
        default:
            break;
    }
    if (mode >= 0 && mode <= 4)
    {
        m_nPaneMode = mode;
        m_pMeasurementsWindow->SetCurrentList(mode <= 2 ? CMeasurementsWindow::SpectrumIqList
                                                        : CMeasurementsWindow::OscIqList);
        if (mode <= 2)
            m_bTrigger = false;
        if (mode == 4)
        {
            const QString prefix = g_DeviceThread.GetChannelPrefix(-1);
            OnVectorShowLines(g_Parameters.GetInt(QStringLiteral("DdcOptions"), prefix + "VectorLines", 0) !=
                              0);
            if (m_pOptionsWindow)
                OnVectorShowSamples(m_pOptionsWindow->GetVectorSamples(
                    g_Parameters.GetInt(QStringLiteral("DdcOptions"), prefix + "SamplesIndex", 0)));
        }
    }
    CheckSampleRate();
    update();
}

void CDdcView::ShowDdcGroups(bool spectrum, bool waterfall, bool osc, bool vector)
{
    if (m_pOptionsWindow)
        m_pOptionsWindow->SetDdcGroupsVisible(spectrum, waterfall, osc, vector);
}

void CDdcView::CheckSampleRate()
{
    double tune = 0.0;
    double rate = 0.0;
    if (!BandTuning(&tune, &rate) || rate == m_dLastSampleRate)
        return;
    ApplyAxisSettings();
    m_dLastSampleRate = rate;
}

bool CDdcView::BandTuning(double* tuneHz, double* rateHz)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    if (!bits)
        return false;
    try
    {
        // The rate throws while the band index lies outside the list (the options window may just
        // have replaced it).
        *rateHz = bits->GetSampleRate(-1);
        *tuneHz = bits->GetTuneFreq();
        return true;
    }
    catch (const std::exception&)
    {
        return false;
    }
}

void CDdcView::SaveAxisSettings()
{
    StoreAxisWindows(kSpectrumGroup, m_pSpec, kOscGroup, m_pOsc, true);
}

void CDdcView::ApplySpectrumXRange()
{
    if (!HasDdcBands())
        return;
    const double start = ReadAxisValue(kSpectrumGroup, QStringLiteral("StartXValue"), 0.0, true, true);
    const double end = ReadAxisValue(kSpectrumGroup, QStringLiteral("EndXValue"), 0.0, true, true);
    const std::optional<double> lower = CurrentBandValue(&CDeviceThread::GetDdcLowerFreq);
    const std::optional<double> upper = CurrentBandValue(&CDeviceThread::GetDdcUpperFreq);
    if (!lower || !upper)
        return;
    m_pSpec->SetXRange(*lower, *upper);
    m_pSpec->SetXWindow(start, end);
    m_pWaterfall->SetXRange(*lower, *upper);
    m_pWaterfall->SetXWindow(start, end);
    m_pWaterfall->ResetTimePosition();
}

void CDdcView::ApplySpectrumYRange()
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

void CDdcView::ApplyOscXRange()
{
    if (const std::optional<double> block = CurrentBandValue(&CDeviceThread::GetOscDuration))
        m_pOsc->SetXRange(0.0, *block * m_nCombine);
    m_pOsc->SetXWindow(ReadAxisValue(kOscGroup, QStringLiteral("StartXValue"), 0.0, true, false),
                       ReadAxisValue(kOscGroup, QStringLiteral("EndXValue"), 0.0, true, false));
    m_pVec->SetXRange(-1.0, 1.0);
    m_pVec->SetAutoScale(true, false);
}

void CDdcView::ApplyOscYRange()
{
    m_pOsc->SetYLimits(-5.0, 5.0);
    ResetTraces(m_pOsc);
    m_pVec->SetYLimits(-1.0, 1.0);
    m_pVec->SetAutoScale(true, false);
}

void CDdcView::ResetSpectrumXRange()
{
    const std::optional<double> lower = CurrentBandValue(&CDeviceThread::GetDdcLowerFreq);
    const std::optional<double> upper = CurrentBandValue(&CDeviceThread::GetDdcUpperFreq);
    if (!lower || !upper)
        return;
    WriteAxisValue(kSpectrumGroup, QStringLiteral("StartXValue"), *lower, true);
    WriteAxisValue(kSpectrumGroup, QStringLiteral("EndXValue"), *upper, true);
    ApplySpectrumXRange();
}

void CDdcView::ResetOscXRange()
{
    // One block, whatever the combine count: the range grows with it, the stored window does not.
    const std::optional<double> block = CurrentBandValue(&CDeviceThread::GetOscDuration);
    if (!block)
        return;
    WriteAxisValue(kOscGroup, QStringLiteral("StartXValue"), 0.0, true);
    WriteAxisValue(kOscGroup, QStringLiteral("EndXValue"), *block, true);
    ApplyOscXRange();
}

void CDdcView::ResetSpectrumYRange()
{
    WriteAxisValue(kSpectrumGroup, QStringLiteral("EndYValue"), 0.0, true);
    ApplySpectrumYRange();
    FitLevelToNoise();
}

void CDdcView::ResetOscYRange()
{
    ApplyOscXRange();
    // The vector painter is an oscillogram painter too.
    if (auto* osc = dynamic_cast<CQOscillogramGraphic*>(GetGraphicAt(0)))
        ResetTraces(osc);
}

void CDdcView::FitLevelToNoise()
{
    FitSpectrumLevelToNoise();
}

double CDdcView::IndexToX(int index)
{
    double tune = 0.0;
    double rate = 0.0;
    const int n = g_DeviceThread.GetDdcFftSize();
    if (n <= 0 || !BandTuning(&tune, &rate))
        return 0.0;
    // Bin n / 2 is the tune frequency.
    return (tune + (index - n / 2) * rate / n) / 1e6;
}

int CDdcView::XToIndex(double x)
{
    double tune = 0.0;
    double rate = 0.0;
    if (!BandTuning(&tune, &rate))
        return 0;
    return g_DeviceThread.DdcFreqToIndex(x);
}

bool CDdcView::CanZoomWhilePaused()
{
    return true;
}

void CDdcView::OnCancelOp()
{
    CancelPressedDataOperation();
}

const std::vector<double>* CDdcView::CorrectionTable() const
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    if (!bits)
        return nullptr;
    try
    {
        const int table = CDdcCorrectionTables::TableFor(bits->GetDdcBand(bits->GetBandwidthIndex()));
        return table < 0 ? nullptr : &m_Corrections.Table(table);
    }
    catch (const std::exception&)
    {
        // No valid current band: the spectrum goes on uncorrected.
        return nullptr;
    }
}

void CDdcView::SetSpectrumData(const std::vector<double>& spectrum)
{
    if (!m_bFftCorr)
    {
        SetSpectrumTraceData(spectrum);
        return;
    }
    m_Corrected = spectrum;
    // A table shorter than the spectrum corrects the bins it has.
    if (const std::vector<double>* table = CorrectionTable())
        CDdcCorrectionTables::Apply(*table, &m_Corrected);
    SetSpectrumTraceData(m_Corrected);
}

void CDdcView::SetOscData(const std::vector<double>& i, const std::vector<double>& q)
{
    if (m_nCombined >= m_nCombine)
        m_nCombined = 0;
    if (m_nCombined == 0)
    {
        m_IRecord = i;
        m_QRecord = q;
    }
    else
    {
        m_IRecord.insert(m_IRecord.end(), i.begin(), i.end());
        // The Q block is taken with the I block's length; a short Q block is padded, never over-read.
        const size_t n = std::min(i.size(), q.size());
        m_QRecord.insert(m_QRecord.end(), q.begin(), q.begin() + static_cast<std::ptrdiff_t>(n));
        m_QRecord.resize(m_IRecord.size(), 0.0);
    }
    if (m_nCombined == m_nCombine - 1)
        SetOscIQData(m_IRecord, m_QRecord);
    ++m_nCombined;
}

void CDdcView::SetOptionsWindow(COptionsWindow* options)
{
    if (m_pOptionsWindow)
        disconnect(m_pOptionsWindow, nullptr, this, nullptr);
    m_pOptionsWindow = options;
    if (!options)
        return;
    connect(options, &COptionsWindow::vectorShowLines, this, &CDdcView::OnVectorShowLines);
    connect(options, &COptionsWindow::vectorShowSamples, this, &CDdcView::OnVectorShowSamples);
    connect(options, &COptionsWindow::ddcCombineOsc, this, &CDdcView::OnCombineOsc);
}

void CDdcView::SetFftCorr(bool on)
{
    m_bFftCorr = on;
}

void CDdcView::OnSeparateVector()
{
    if (m_pVectorWindow)
        m_pVectorWindow->show();
    SetPaneMode(0);
}

void CDdcView::OnVectorShowLines(bool on)
{
    m_pVec->SetShowLines(on);
    if (m_pVectorWindow)
        m_pVectorWindow->SetShowLines(on);
}

void CDdcView::OnVectorShowSamples(int n)
{
    m_pVec->SetSamples(n);
    if (m_pVectorWindow)
        m_pVectorWindow->SetSamples(n);
}

void CDdcView::OnCombineOsc(int count)
{
    m_nCombine = std::max(1, count);
    m_nCombined = 0;
    ApplyOscXRange();
}

double CDdcView::ExportFrequency(int index)
{
    return IndexToX(index);
}

void CDdcView::OnAddToArchive()
{
    CArchiveEntryFactory::AddBandEntry(this, 1);
}
