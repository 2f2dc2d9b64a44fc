#include "recorderwindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStyle>

#include <algorithm>
#include <limits>

#include "globals.h"
#include "parameters.h"
#include "prompt.h"
#include "ui_recorderwindow.h"
#include "utils.h"

namespace
{
const QString kSection = QStringLiteral("RecorderWindow");
const char* const kContext = "CRecorderWindow";
constexpr int kSecondsPerDay = 24 * 3600;
}  // namespace

CRecorderWindow::CRecorderWindow(QWidget* parent)
    : CQDockWindow(kSection, parent), m_ui(std::make_unique<Ui::CRecorderWindow>())
{
    // The stored position stays; the size is reset at every start.
    g_Parameters.SetInt(kSection, QStringLiteral("Right"),
                        g_Parameters.GetInt(kSection, QStringLiteral("Left"), 0) + 310);
    g_Parameters.SetInt(kSection, QStringLiteral("Bottom"),
                        g_Parameters.GetInt(kSection, QStringLiteral("Top"), 0) + 127);

    m_ui->setupUi(this);
    SetStatus(kContext, QT_TR_NOOP("Idle"));
    m_ui->m_pTimeLcd->display(FormatClock(0));
    m_ui->m_pLengthLcd->display(FormatClock(0));
    m_Timer.setInterval(1000);
    connect(&m_Timer, &QTimer::timeout, this, &CRecorderWindow::OnTimer);
    // Positioning within a file is not offered.
    m_ui->m_pPositionSlider->hide();
    m_ui->m_pRewindButton->hide();
    m_ui->m_pFFwdButton->hide();
    m_ui->m_pPlayButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_ui->m_pStopButton->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    connect(m_ui->m_pPlayButton, &QPushButton::clicked, this, &CRecorderWindow::OnPlayButton);
    connect(m_ui->m_pStopButton, &QPushButton::clicked, this, &CRecorderWindow::OnStopButton);
}

CRecorderWindow::~CRecorderWindow() = default;

void CRecorderWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        // The form puts its own "Idle" back; a run keeps the status it has.
        m_ui->retranslateUi(this);
        ShowStatus();
        return;
    }
    CQDockWindow::changeEvent(event);
}

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
    return m_ui->m_pStatusLabel->text();
}

void CRecorderWindow::SetStatus(const char* context, const char* source)
{
    m_statusContext = context;
    m_statusSource = source;
    ShowStatus();
}

void CRecorderWindow::ShowStatus()
{
    m_ui->m_pStatusLabel->setText(QCoreApplication::translate(m_statusContext, m_statusSource));
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

quint64 CRecorderWindow::FolderFreeSpace(const QString& path)
{
    const QString folder = FolderOf(path);
    // A failed query gives 0: a disk that cannot be asked is not written on blindly.
    return folder.isEmpty() ? std::numeric_limits<quint64>::max() : CUtils::GetDiskFreeSpace(folder);
}

bool CRecorderWindow::RefuseBelow(quint64 freeBytes, quint64 limit)
{
    if (freeBytes >= limit)
        return true;
    Prompt().Critical(this, QCoreApplication::applicationName(), tr("No free disk space!"));
    SetStatus(kContext, QT_TR_NOOP("No free disk space"));
    return false;
}

void CRecorderWindow::BeginRun(const QString& path, const char* context, const char* status,
                               int lengthSeconds, bool showSlider)
{
    m_Timer.start();
    m_ui->m_pTimeLcd->display(FormatClock(0));
    m_ui->m_pLengthLcd->display(FormatClock(lengthSeconds));
    m_ui->m_pPositionSlider->setRange(0, lengthSeconds);
    m_ui->m_pPositionSlider->setValue(0);
    m_ui->m_pPositionSlider->setVisible(showSlider);
    m_strFile = path;
    SetStatus(context, status);
    setVisible(true);
}

void CRecorderWindow::OnTimer()
{
    try
    {
        ++m_nElapsed;
        m_ui->m_pTimeLcd->display(FormatClock(m_nElapsed));
        if (m_nLength > 0)
            m_ui->m_pPositionSlider->setValue(m_nElapsed);
        if (IsFinished())
            OnStopButton();
        // The run is stopped before the message, so that what was written is closed properly even if
        // the operator leaves the message open.
        if (FolderFreeSpace(m_strFile) < kTickFreeSpaceLimit)
        {
            OnStopButton();
            Prompt().Critical(this, QCoreApplication::applicationName(), tr("No free disk space!"));
            SetStatus(kContext, QT_TR_NOOP("No free disk space"));
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
    SetStatus(kContext, QT_TR_NOOP("Idle"));
    StartPlayback(m_strFile, m_nLength);
}

void CRecorderWindow::OnStopButton()
{
    m_Timer.stop();
    Stop();
    SetStatus(kContext, QT_TR_NOOP("Idle"));
}
