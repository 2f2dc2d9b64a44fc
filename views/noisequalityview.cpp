#include "noisequalityview.h"

#include <QMouseEvent>
#include <QPen>

#include "devicethread.h"
#include "globals.h"
#include "oscillogramgraphic.h"

CNoiseQualityView::CNoiseQualityView(QWidget* parent) : CViewBase(parent), m_pOsc(new CQOscillogramGraphic)
{
    m_pOsc->SetXAxisBand(15, 3);
    m_pOsc->SetYAxisBand(30, 3);
    m_pOsc->SetXAxisColors(QBrush(m_AxisBandColor), QPen(Qt::white));
    m_pOsc->SetYAxisColors(QBrush(m_AxisBandColor), QPen(Qt::white));
    m_pOsc->ShowXAxis(false);
    m_pOsc->ShowYAxis(false);
    m_pOsc->SetPen(0, QPen(Qt::yellow));
    AddGraphic(QStringLiteral("Osc"), m_pOsc);
    ShowPane(QStringLiteral("Osc"));
    ApplyAxisSettings();
}

CNoiseQualityView::~CNoiseQualityView()
{
    m_Shown.clear();
    m_Graphics.clear();
    delete m_pOsc;
}

void CNoiseQualityView::SetData(const std::vector<double>& values)
{
    // An empty histogram has no bins to lay out: the trace goes, the X range stays.
    if (values.empty())
    {
        m_pOsc->ClearData(0);
        return;
    }
    m_pOsc->SetData(0, values);
    m_pOsc->SetXRange(0.0, static_cast<double>(values.size() - 1));
}

void CNoiseQualityView::ApplySpectrumXRange()
{
}

void CNoiseQualityView::ApplySpectrumYRange()
{
}

void CNoiseQualityView::ApplyOscXRange()
{
}

void CNoiseQualityView::ApplyOscYRange()
{
    m_pOsc->SetAutoScale(true, false);
}

void CNoiseQualityView::ResetSpectrumXRange()
{
    ApplySpectrumXRange();
}

void CNoiseQualityView::ResetOscXRange()
{
    ApplyOscXRange();
}

void CNoiseQualityView::ResetSpectrumYRange()
{
    ApplySpectrumYRange();
}

void CNoiseQualityView::ResetOscYRange()
{
    ApplyOscYRange();
}

void CNoiseQualityView::FitLevelToNoise()
{
}

double CNoiseQualityView::IndexToX(int index)
{
    return index;
}

int CNoiseQualityView::XToIndex(double x)
{
    return g_DeviceThread.FreqToIndex(x);
}

bool CNoiseQualityView::CanZoomWhilePaused()
{
    return true;
}

void CNoiseQualityView::OnCancelOp()
{
}

void CNoiseQualityView::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}
