#include "viewbase.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDataStream>
#include <QDateTime>
#include <QFile>
#include <QFont>
#include <QPainter>

#include <cmath>
#include <exception>

#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "igraphic.h"
#include "ikelthar.h"
#include "imultigraphic.h"
#include "isignalsarchive.h"
#include "isimplegraphic.h"
#include "iwaterfallgraphic.h"
#include "measurementswindow.h"
#include "prompt.h"
#include "spectrumgraphicbase.h"

CViewBase::CViewBase(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

// The panes belong to the derived view, which deletes them; only the borrowed pointers go here.
CViewBase::~CViewBase() = default;

template <class F>
void CViewBase::Broadcast(F call)
{
    // A copy, so that a painter reacting to the change cannot disturb the iteration.
    const QVector<IGraphic*> shown = m_Shown;
    for (IGraphic* pane : shown)
        call(pane);
}

void CViewBase::SetXLimits(double min, double max, double limit)
{
    Broadcast([=](IGraphic* pane) { pane->SetXLimits(min, max, limit); });
}

void CViewBase::SetFixedXRange(double min, double max)
{
    Broadcast([=](IGraphic* pane) { pane->SetFixedXRange(min, max); });
}

void CViewBase::SetXFrom(double value)
{
    Broadcast([=](IGraphic* pane) { pane->SetXFrom(value); });
}

void CViewBase::SetXTo(double value)
{
    Broadcast([=](IGraphic* pane) { pane->SetXTo(value); });
}

void CViewBase::SetXWindow(double from, double to)
{
    Broadcast([=](IGraphic* pane) { pane->SetXWindow(from, to); });
}

void CViewBase::ScrollX(double delta)
{
    Broadcast([=](IGraphic* pane) { pane->ScrollX(delta); });
}

void CViewBase::SetYLimits(double min, double max)
{
    Broadcast([=](IGraphic* pane) { pane->SetYLimits(min, max); });
}

void CViewBase::SetFixedYRange(double min, double max)
{
    Broadcast([=](IGraphic* pane) { pane->SetFixedYRange(min, max); });
}

void CViewBase::SetYWindow(double from, double to)
{
    Broadcast([=](IGraphic* pane) { pane->SetYWindow(from, to); });
}

void CViewBase::SetYFrom(double value)
{
    Broadcast([=](IGraphic* pane) { pane->SetYFrom(value); });
}

void CViewBase::SetYTo(double value)
{
    Broadcast([=](IGraphic* pane) { pane->SetYTo(value); });
}

void CViewBase::ScrollY(double delta)
{
    Broadcast([=](IGraphic* pane) { pane->ScrollY(delta); });
}

bool CViewBase::CanZoomWhilePaused()
{
    return true;
}

void CViewBase::AddGraphic(QString name, IGraphic* pane)
{
    m_Graphics.insert(name, pane);
}

IGraphic* CViewBase::GetGraphic(QString name)
{
    // value(), not operator[]: a lookup must never add an entry.
    return m_Graphics.value(name, nullptr);
}

IGraphic* CViewBase::GetGraphicAt(int i)
{
    if (i < 0 || i >= m_Shown.size())
        return nullptr;
    return m_Shown[i];
}

IGraphic* CViewBase::GetGraphicAtPoint(QPoint p)
{
    for (IGraphic* pane : m_Shown)
    {
        if (pane->GetRect().contains(p))
            return pane;
    }
    return nullptr;
}

void CViewBase::ShowPane(QString name)
{
    IGraphic* pane = GetGraphic(name);
    if (pane == nullptr)
        return;
    if (m_bLoadedData)
        OnCancelOp();
    pane->ShowXScrollBar(true);
    pane->SetRect(rect());
    m_Shown = {pane};
}

void CViewBase::ShowTwoPanes(QString top, QString bottom)
{
    IGraphic* a = GetGraphic(top);
    IGraphic* b = GetGraphic(bottom);
    if (a == nullptr || b == nullptr)
        return;
    if (m_bLoadedData)
        OnCancelOp();
    // With an odd height the last pixel row belongs to neither pane.
    const QRect whole = rect();
    const int h = whole.height() / 2;
    a->ShowXScrollBar(false);
    b->ShowXScrollBar(true);
    a->SetRect(QRect(whole.left(), whole.top(), whole.width(), h));
    b->SetRect(QRect(whole.left(), whole.top() + h, whole.width(), h));
    b->SetXWindow(a->GetXFrom(), a->GetXTo());
    b->SetYWindow(a->GetYFrom(), a->GetYTo());
    m_Shown = {a, b};
}

void CViewBase::ApplyAxisSettings()
{
    ApplySpectrumXRange();
    ApplySpectrumYRange();
    ApplyOscXRange();
    ApplyOscYRange();
    m_bAxesInitialised = true;
}

void CViewBase::SetPauseState(int state)
{
    Broadcast([=](IGraphic* pane) { pane->SetPauseState(state); });
}

int CViewBase::GetPauseState()
{
    // The band views show no pane until their first pane mode is chosen.
    if (m_Shown.isEmpty())
        return 0;
    return m_Shown.first()->GetPauseState();
}

void CViewBase::SetSpectrumTraceData(const std::vector<double>& levels)
{
    if (auto* spec = dynamic_cast<ISimpleGraphic*>(GetGraphic(QStringLiteral("Spec"))))
        spec->SetData(1, levels);
}

void CViewBase::SetMultiRangeData(int range, const std::vector<double>& levels)
{
    if (auto* multi = dynamic_cast<IMultiGraphic*>(GetGraphic(QStringLiteral("MultiSpec"))))
        multi->SetRangeData(range, levels);
    // The multi-range waterfall is fed per range as well; without this it would stay empty.
    if (auto* multi = dynamic_cast<IMultiGraphic*>(GetGraphic(QStringLiteral("MultiWaterfall"))))
        multi->SetRangeData(range, levels);
}

void CViewBase::SetOscData(std::vector<double> samples)
{
    if (auto* osc = dynamic_cast<ISimpleGraphic*>(GetGraphic(QStringLiteral("Osc"))))
        osc->SetData(0, samples);
    CheckTrigger(samples);
}

void CViewBase::SetOscIQData(std::vector<double> i, std::vector<double> q)
{
    for (const char* name : {"Osc", "Vec"})
    {
        if (auto* pane = dynamic_cast<ISimpleGraphic*>(GetGraphic(QLatin1String(name))))
        {
            pane->SetData(0, i);
            pane->SetData(2, q);
        }
    }
    CheckTrigger(i);
}

void CViewBase::AddWaterfallLine(const std::vector<double>& line)
{
    if (auto* waterfall = dynamic_cast<IWaterfallGraphic*>(GetGraphic(QStringLiteral("Waterfall"))))
        waterfall->AddLine(line);
}

void CViewBase::AddWaterfallLineAt(qint64 timeMs, const std::vector<double>& line)
{
    if (auto* waterfall = dynamic_cast<IWaterfallGraphic*>(GetGraphic(QStringLiteral("Waterfall"))))
        waterfall->AddLineAt(timeMs, line);
}

void CViewBase::SetInfoText(const QString& text, bool /*unused*/)
{
    m_InfoText = text;
}

void CViewBase::SetEnvelope(bool on)
{
    for (const char* name : {"Spec", "MultiSpec"})
    {
        if (auto* spec = dynamic_cast<CQSpectrumGraphicBase*>(GetGraphic(QLatin1String(name))))
            spec->m_envelope = on;
    }
}

bool CViewBase::IsNoScreen()
{
    const int type = g_DeviceThread.GetChannelType();
    if (type != 2 && type != 4)
        return false;
    IKelthar* core = g_DeviceThread.m_pKelthar;
    return core != nullptr && core->IsConnected() && !core->IsProbeCheckOff();
}

bool CViewBase::CanRecordSound()
{
    double rateHz = 0.0;
    bool known = false;
    try
    {
        if (g_DeviceThread.m_pControlBits != nullptr)
        {
            rateHz = g_DeviceThread.m_pControlBits->GetSampleRate(-1);
            known = std::isfinite(rateHz);
        }
    }
    catch (const std::exception&)
    {
        // No current band (the list changed under the selection): nothing can be recorded.
        known = false;
    }
    // The rate is truncated first, so 384000.4 Hz still passes.
    if (!known || std::trunc(rateHz) > 384000.0)
    {
        Prompt().Warning(this, QApplication::applicationName(),
                         tr("Sound recording is available for \"Bandwidth\" below 192 kHz only!"),
                         QMessageBox::Ok);
        return false;
    }
    return true;
}

static void MultiplyTuneFreq(double factor)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    if (bits == nullptr)
        return;
    try
    {
        bits->SetTuneFreq(factor * bits->GetTuneFreq());
    }
    catch (const std::exception&)
    {
        // The core refused the frequency; the receiver keeps its old one.
    }
}

void CViewBase::Goto2Harmonic()
{
    MultiplyTuneFreq(2.0);
}

void CViewBase::Goto3Harmonic()
{
    MultiplyTuneFreq(3.0);
}

void CViewBase::DrawOverloadWarning(QPainter* painter)
{
    // Shared by all views: the box blinks, drawn on every other call.
    static int s_blink = 0;
    if (++s_blink == 2)
    {
        s_blink = 0;
        return;
    }
    if (m_Shown.isEmpty() || g_DeviceThread.m_pKelthar == nullptr)
        return;
    const int state = g_DeviceThread.m_pKelthar->GetOverloadState();
    if (state == 0)
        return;
    QString text;
    if (state == 1)
        text = tr("Overload");
    else if (state == 2)
        text = tr("Attenuator");

    const QRect plot = m_Shown.last()->GetPlotRect();
    painter->setClipRect(plot);
    const QFont savedFont = painter->font();
    painter->setFont(QFont(QStringLiteral("Arial"), 12));
    painter->setPen(Qt::red);
    painter->setBrush(QBrush(QColor(0, 0, 0, 200), Qt::SolidPattern));
    const QRect size = painter->boundingRect(QRect(0, 0, 0, 0), 0, text);
    const QRect textRect(plot.right() - 15 - size.width(), plot.bottom() - 15 - size.height(), size.width(),
                         size.height());
    const QRect box = textRect.adjusted(-5, -5, 5, 5);
    painter->drawRects(&box, 1);
    painter->drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, text);
    painter->setFont(savedFont);
}

void CViewBase::contextMenuEvent(QContextMenuEvent* event)
{
    // Accepted on an axis band, ignored in the plot: the derived views tell the two apart by it.
    IGraphic* pane = GetGraphicAtPoint(event->pos());
    if (pane != nullptr && !pane->IsInPlot(event->pos()))
        event->accept();
    else
        event->ignore();
}

void CViewBase::OnEnableDeltaCursor()
{
    m_bDeltaCursor = !m_bDeltaCursor;
    m_DeltaAnchor = m_PressPoint;
}

void CViewBase::OnAddToArchiveGoto2Harmonic()
{
    Goto2Harmonic();
}

void CViewBase::OnAddToArchiveGoto3Harmonic()
{
    Goto3Harmonic();
}

void CViewBase::OnViewMeasures()
{
    // The vector and noise-quality views have no measurements window.
    if (m_pMeasurementsWindow != nullptr)
        m_pMeasurementsWindow->show();
}

void CViewBase::OnAddToArchive()
{
}

void CViewBase::AddEntryToArchive(int group, QString comment, double lowHz, double highHz, double peakHz,
                                  double level, double excess, int source, int channel)
{
    ISignalsArchive* archive = g_DeviceThread.m_pArchive;
    if (archive == nullptr)
        return;
    ARCHIVE_SIGNAL_ENTRY entry;
    entry.GroupIndex = group;
    entry.Timestamp = QDateTime::currentSecsSinceEpoch();
    entry.FreqBegin = lowHz;
    entry.FreqEnd = highHz;
    entry.FreqPeak = peakHz;
    entry.Level = level;
    entry.Excess = excess;
    entry.Comment = comment.toStdWString();
    entry.Source = source;
    entry.Channel = channel == -1 ? g_DeviceThread.GetChannelType() : channel;
    try
    {
        archive->AddSignal(entry);
    }
    catch (const std::exception& e)
    {
        // A slot: the archive's refusal must not reach the event loop.
        Prompt().Warning(this, QApplication::applicationName(), QString::fromLocal8Bit(e.what()));
        return;
    }
    emit saveArchive();
}

void CViewBase::OnLoadImageFromArchive(QString file, QString type)
{
    ShowArchiveImage(file, type);
}

void CViewBase::FitSpectrumLevelToNoise()
{
    if (m_bLoadedData)
        return;
    auto* spec = dynamic_cast<ISimpleGraphic*>(GetGraphic(QStringLiteral("Spec")));
    const std::vector<double>* live = spec ? spec->GetData(1) : nullptr;
    if (live == nullptr)
        return;
    double noise = 0.0;
    CalcNoiseLevel(*live, &noise, true, -1, -1);
    // No live spectrum yet: no noise level to start the window at.
    if (!std::isfinite(noise))
        return;
    GetGraphic(QStringLiteral("Spec"))->SetYFrom(noise - 5.0);
    SyncPanes();
}

void CViewBase::OnNoiseQuality()
{
    if (m_pNoiseQualityWindow != nullptr)
        m_pNoiseQualityWindow->show();
}

static bool SenderValue(QObject* sender, double* value)
{
    auto* action = qobject_cast<QAction*>(sender);
    if (action == nullptr)
        return false;
    *value = action->data().toDouble();
    return true;
}

void CViewBase::OnXMinMenuValueSelected()
{
    double value = 0.0;
    if (SenderValue(sender(), &value))
        SetXFrom(value);
}

void CViewBase::OnXMaxMenuValueSelected()
{
    double value = 0.0;
    if (SenderValue(sender(), &value))
        SetXTo(value);
}

void CViewBase::OnYMinMenuValueSelected()
{
    double value = 0.0;
    if (SenderValue(sender(), &value))
        SetYFrom(value);
}

void CViewBase::OnYMaxMenuValueSelected()
{
    double value = 0.0;
    if (SenderValue(sender(), &value))
        SetYTo(value);
}
