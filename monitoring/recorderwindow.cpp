#include "recorderwindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLCDNumber>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>

#include <algorithm>

#include "globals.h"
#include "parameters.h"
#include "prompt.h"
#include "utils.h"

namespace
{
const QString kSection = QStringLiteral("RecorderWindow");
constexpr int kSecondsPerDay = 24 * 3600;
}  // namespace

CRecorderWindow::CRecorderWindow(QWidget* parent) : CQDockWindow(kSection, parent)
{
    // The stored position stays; the size is reset at every start.
    g_Parameters.SetInt(kSection, QStringLiteral("Right"),
                        g_Parameters.GetInt(kSection, QStringLiteral("Left"), 0) + 310);
    g_Parameters.SetInt(kSection, QStringLiteral("Bottom"),
                        g_Parameters.GetInt(kSection, QStringLiteral("Top"), 0) + 127);

    setWindowTitle(tr("Signal Recorder"));
    setAllowedAreas(Qt::NoDockWidgetArea);
    auto* content = new QWidget(this);
    auto* grid = new QGridLayout(content);
    m_pTimeLcd = new QLCDNumber(8, content);
    m_pLengthLcd = new QLCDNumber(8, content);
    m_pStatusLabel = new QLabel(tr("Idle"), content);
    m_pStatusLabel->setWordWrap(true);
    m_pPositionSlider = new QSlider(Qt::Horizontal, content);
    m_pPositionSlider->hide();
    m_pPlayButton = new QPushButton(content);
    m_pPlayButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_pStopButton = new QPushButton(content);
    m_pStopButton->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    grid->addWidget(new QLabel(tr("Time"), content), 0, 0);
    grid->addWidget(new QLabel(tr("Length"), content), 0, 2);
    grid->addWidget(m_pTimeLcd, 1, 0);
    grid->addWidget(m_pStatusLabel, 1, 1);
    grid->addWidget(m_pLengthLcd, 1, 2);
    grid->addWidget(m_pPositionSlider, 2, 0, 1, 3);
    grid->addWidget(m_pPlayButton, 3, 0);
    grid->addWidget(m_pStopButton, 3, 2);
    setWidget(content);

    m_pTimeLcd->display(FormatClock(0));
    m_pLengthLcd->display(FormatClock(0));
    m_Timer.setInterval(1000);
    connect(&m_Timer, &QTimer::timeout, this, &CRecorderWindow::OnTimer);
    connect(m_pPlayButton, &QPushButton::clicked, this, &CRecorderWindow::OnPlayButton);
    connect(m_pStopButton, &QPushButton::clicked, this, &CRecorderWindow::OnStopButton);
}

CRecorderWindow::~CRecorderWindow() = default;

QString CRecorderWindow::FormatClock(int seconds)
{
    const int s = ((seconds % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString CRecorderWindow::GetStatus() const
{
    return m_pStatusLabel->text();
}

void CRecorderWindow::SetStatus(const QString& text)
{
    m_pStatusLabel->setText(text);
}

void CRecorderWindow::setVisible(bool visible)
{
    if (!visible && IsBusy())
        return;
    CQDockWindow::setVisible(visible);
}

QString CRecorderWindow::FolderOf(const QString& path)
{
    const int slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return slash < 0 ? QString() : path.left(slash + 1);
}

bool CRecorderWindow::CheckFreeSpace(const QString& path, quint64 limit)
{
    const QString folder = FolderOf(path);
    if (folder.isEmpty())
        return true;
    // A folder that does not exist has no free space to ask for; the file cannot be made there.
    if (!QFileInfo(folder).isDir())
    {
        SetStatus(tr("Could not create file"));
        return false;
    }
    if (CUtils::GetDiskFreeSpace(folder) >= limit)
        return true;
    Prompt().Critical(this, QCoreApplication::applicationName(), tr("No free disk space!"));
    SetStatus(tr("No free disk space"));
    return false;
}

void CRecorderWindow::BeginRun(const QString& path, const QString& status, int lengthSeconds, bool showSlider)
{
    m_Timer.start();
    m_pTimeLcd->display(FormatClock(0));
    m_pLengthLcd->display(FormatClock(lengthSeconds));
    m_pPositionSlider->setRange(0, lengthSeconds);
    m_pPositionSlider->setVisible(showSlider);
    m_strFile = path;
    SetStatus(status);
    setVisible(true);
}

void CRecorderWindow::OnTimer()
{
    try
    {
        ++m_nElapsed;
        m_pTimeLcd->display(FormatClock(m_nElapsed));
        if (m_nLength > 0)
            m_pPositionSlider->setValue(m_nElapsed);
        if (IsFinished())
            OnStopButton();
        const QString folder = FolderOf(m_strFile);
        // Only a folder that can be asked is checked: an unknown free space stops nothing.
        if (!folder.isEmpty() && QFileInfo(folder).isDir() &&
            CUtils::GetDiskFreeSpace(folder) < kTickFreeSpaceLimit)
        {
            OnStopButton();
            Prompt().Critical(this, QCoreApplication::applicationName(), tr("No free disk space!"));
            SetStatus(tr("No free disk space"));
        }
    }
    catch (const std::exception&)
    {
        m_Timer.stop();
    }
}

void CRecorderWindow::OnPlayButton()
{
    m_Timer.stop();
    Stop();
    SetStatus(tr("Idle"));
    StartPlayback(m_strFile, m_nLength);
}

void CRecorderWindow::OnStopButton()
{
    m_Timer.stop();
    Stop();
    SetStatus(tr("Idle"));
}
