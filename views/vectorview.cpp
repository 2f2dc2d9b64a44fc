#include "vectorview.h"

#include <QMouseEvent>
#include <QPen>

#include <exception>

#include "devicethread.h"
#include "globals.h"
#include "vectorgraphic.h"

CVectorView::CVectorView(QWidget* parent) : CViewBase(parent), m_pVec(new CQVectorGraphic)
{
    m_pVec->SetXAxisBand(15, 3);
    m_pVec->SetYAxisBand(30, 3);
    m_pVec->SetXAxisColors(QBrush(m_AxisBandColor), QPen(Qt::white));
    m_pVec->SetYAxisColors(QBrush(m_AxisBandColor), QPen(Qt::white));
    // Labels are right-aligned and clipped to their 30-pixel band: with three decimals "-472.835" loses
    // its sign and first digit. One decimal, as on the band view's vector pane, keeps them whole.
    m_pVec->SetYPrecision(1);
    // The painter starts with black pens on its black plot, which would leave the window empty: the
    // points take the colours of the band view's own vector pane (live pair green, held pair darker).
    m_pVec->SetPen(0, QPen(Qt::green));
    m_pVec->SetPen(2, QPen(Qt::green));
    m_pVec->SetPen(1, QPen(Qt::darkGreen));
    m_pVec->SetPen(3, QPen(Qt::darkGreen));
    AddGraphic(QStringLiteral("Vec"), m_pVec);
    ShowPane(QStringLiteral("Vec"));
    ApplyAxisSettings();
}

CVectorView::~CVectorView()
{
    m_Shown.clear();
    m_Graphics.clear();
    delete m_pVec;
}

void CVectorView::SetShowLines(bool on)
{
    m_pVec->SetShowLines(on);
}

void CVectorView::SetSamples(int n)
{
    m_pVec->SetSamples(n);
}

void CVectorView::ApplySpectrumXRange()
{
}

void CVectorView::ApplySpectrumYRange()
{
}

void CVectorView::ApplyOscXRange()
{
    m_pVec->SetXRange(-1.0, 1.0);
    m_pVec->SetAutoScale(true, false);
}

void CVectorView::ApplyOscYRange()
{
    m_pVec->SetYLimits(-1.0, 1.0);
    m_pVec->SetAutoScale(true, false);
}

void CVectorView::ResetSpectrumXRange()
{
    ApplySpectrumXRange();
}

void CVectorView::ResetOscXRange()
{
    ApplyOscXRange();
}

void CVectorView::ResetSpectrumYRange()
{
    ApplySpectrumYRange();
}

void CVectorView::ResetOscYRange()
{
    ApplyOscYRange();
}

void CVectorView::FitLevelToNoise()
{
}

double CVectorView::IndexToX(int index)
{
    return index;
}

int CVectorView::XToIndex(double x)
{
    try
    {
        return g_DeviceThread.DdcFreqToIndex(x);
    }
    catch (const std::exception&)
    {
        // No valid current band to convert against.
        return 0;
    }
}

bool CVectorView::CanZoomWhilePaused()
{
    return true;
}

void CVectorView::OnCancelOp()
{
}

void CVectorView::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}
