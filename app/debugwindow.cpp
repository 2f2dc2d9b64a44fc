#include "debugwindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSettings>

#include "globals.h"
#include "iadf4350.h"
#include "idemosignal.h"
#include "ivideoengine.h"
#include "parameters.h"

int g_DebugKeyState = 0;

namespace
{
const QString kPositionKey = QStringLiteral("DebugWindow/Pos");
const QPoint kDefaultPosition(200, 200);
constexpr int kWidth = 200;
constexpr int kHeight = 400;

// Doubles in the general format with six significant digits, independent of the locale.
QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

QString Text(const char* format, double value)
{
    return QString::fromLatin1(format).arg(Number(value));
}
}  // namespace

CDebugWindow::CDebugWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint), m_dragOffset(0, 0)
{
    setWindowOpacity(0.7);
    g_DebugPause = false;
    g_Cycle1Count = 0;
    g_Cycle2Count = 0;

    const QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
    move(settings.value(kPositionKey, kDefaultPosition).toPoint());
    resize(kWidth, kHeight);

    g_DebugKeyState = 0;
    g_DebugValues.demoParams = nullptr;
}

void CDebugWindow::Refresh(IAdf4350* adf, IDemoSignal* demo, IVideoEngine* video)
{
    if (!g_DebugPause && adf && demo)
    {
        DEBUG_VALUES& v = g_DebugValues;
        v.videoStatus = video ? video->Update() : nullptr;
        // Only read here and by the painter; the block belongs to the core and lives as long as it.
        v.demoParams = const_cast<double*>(demo->GetParams());
        v.adfEnabled = adf->IsEnabled() ? 1.0 : 0.0;
        v.maxFreq = adf->GetMaxFreq();
        v.minFreq = adf->GetMinFreq();
        v.startFreq = adf->GetStartFreq();
        v.stopFreq = adf->GetStopFreq();
        v.freqStartInt = adf->GetFreqStartInt();
        v.freqDdcInt = adf->GetFreqDdcInt();
        v.ddcFreq = adf->GetDdcFreq();
        v.freqOnGarm = adf->GetFreqOnGarm();
        v.shiftFrac = adf->GetShiftFrac(-1);
        v.size = adf->GetSize();
        v.blockSize = adf->GetBlockSize();
        v.groupBlocks = adf->GetGroupBlocks();
        v.numberGarms = adf->GetNumberGarms();
        v.shiftGarm = adf->GetShiftGarm(-1);
        v.lpfFilter = adf->GetLpfFilter() != 0 ? 1.0 : 0.0;
        v.scanSpeed = adf->GetScanSpeed();
    }
    update();
}

std::vector<CDebugWindow::Line> CDebugWindow::Lines()
{
    const DEBUG_VALUES& v = g_DebugValues;
    if (!v.demoParams)
        return {};
    const double d0 = static_cast<const double*>(v.demoParams)[0];
    return {
        {10, QStringLiteral("DEBUG INFORMATION")},
        {20, QStringLiteral("Cycle1=%1 Pause=%2").arg(g_Cycle1Count.load()).arg(g_DebugPause ? 1 : 0)},
        {30, QStringLiteral("Cycle2=%1").arg(g_Cycle2Count.load())},
        {50, Text("d0=%1", d0)},
        {60, Text("n=%1", v.adfEnabled)},
        {70, Text("GetMaxFreq=%1", v.maxFreq)},
        {80, Text("GetMinFreq=%1", v.minFreq)},
        {90, Text("GetStartFreq=%1", v.startFreq)},
        {100, Text("GetStopFreq=%1", v.stopFreq)},
        {110, Text("GetFreqStartInt=%1", v.freqStartInt)},
        {120, Text("GetFreqDdcInt=%1", v.freqDdcInt)},
        {130, Text("GetDdcFreq=%1", v.ddcFreq)},
        {150, Text("GetFreqOnGarm=%1", v.freqOnGarm)},
        {160, Text("GetShiftFrac=%1", v.shiftFrac)},
        {170, Text("GetSize=%1", v.size)},
        {180, Text("GetBlockSize=%1", v.blockSize)},
        {190, Text("GetGroupBlocks=%1", v.groupBlocks)},
        {200, Text("GetNumberGarms=%1", v.numberGarms)},
        {210, Text("GetShiftGarm=%1", v.shiftGarm)},
        {230, Text("GetLpfFilter=%1", v.lpfFilter)},
        {240, Text("GetScanSpeed=%1", v.scanSpeed)},
    };
}

void CDebugWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
    {
        m_dragOffset = event->globalPos() - frameGeometry().topLeft();
        event->accept();
    }
    else if (event->button() == Qt::RightButton)
    {
        g_DebugPause = !g_DebugPause;
        update();
    }
}

void CDebugWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    move(event->globalPos() - m_dragOffset);
    event->accept();
    // Stored at every step of the drag, not on release.
    QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
    settings.setValue(kPositionKey, pos());
}

void CDebugWindow::paintEvent(QPaintEvent*)
{
    const std::vector<Line> lines = Lines();
    if (lines.empty())
        return;
    QPainter painter(this);
    painter.setPen(Qt::white);
    for (const Line& line : lines)
        painter.drawText(0, line.y, line.text);
}
