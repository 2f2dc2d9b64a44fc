#include "videowindow.h"

#include <QEvent>

#include "devicethread.h"
#include "globals.h"
#include "ivideoengine.h"
#include "ui_videowindow.h"

namespace
{
QString PercentText(int percent)
{
    return QStringLiteral("%1%").arg(percent);
}
}  // namespace

CVideoWindow::CVideoWindow(QWidget* parent, IVideoEngine* engine)
    : CQDockWindow(QStringLiteral("VideoTVWindow"), parent),
      m_ui(std::make_unique<Ui::CVideoWindow>()),
      m_pEngine(engine ? engine : g_DeviceThread.m_pVideoEngine)
{
    m_ui->setupUi(this);
    // Without an engine of its own the picture follows the device thread's, whenever it comes.
    m_ui->m_pVideoWidget->SetEngine(engine);

    connect(m_ui->m_pDarkLevelSlider, &QSlider::valueChanged, this, &CVideoWindow::OnDarkLevelValueChanged);
    connect(m_ui->m_pBrightLevelSlider, &QSlider::valueChanged, this,
            &CVideoWindow::OnBrightLevelValueChanged);
    // The engine's own levels win over the form's; a differing value reaches the engine and the label
    // through the slider's slot.
    if (m_pEngine)
    {
        m_ui->m_pDarkLevelSlider->setValue(m_pEngine->GetDarkLevel());
        m_ui->m_pBrightLevelSlider->setValue(m_pEngine->GetBrightLevel());
    }
}

CVideoWindow::~CVideoWindow() = default;

void CVideoWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        // The form's texts again, the level labels and the empty status included, until a slider
        // moves or the next status update.
        m_ui->retranslateUi(this);
        return;
    }
    CQDockWindow::changeEvent(event);
}

void CVideoWindow::OnTriggerLevelValueChanged(int)
{
    // The picture's sync is found by the engine itself; no control of the form sets a trigger level,
    // so nothing is passed on.
}

void CVideoWindow::OnDarkLevelValueChanged(int percent)
{
    if (m_pEngine)
        m_pEngine->SetDarkLevel(percent);
    m_ui->m_pDarkLevelLabel->setText(PercentText(percent));
}

void CVideoWindow::OnBrightLevelValueChanged(int percent)
{
    if (m_pEngine)
        m_pEngine->SetBrightLevel(percent);
    m_ui->m_pBrightLevelLabel->setText(PercentText(percent));
}

void CVideoWindow::UpdateStatus()
{
    if (!m_pEngine)
        return;
    m_ui->m_pResLabel->setText(
        QStringLiteral("%1x%2").arg(m_pEngine->GetWidth()).arg(m_pEngine->GetHeight()));
    const int sync = m_pEngine->GetSyncState();
    m_ui->m_pHSYNCLabel->setText((sync & 1) ? tr("YES") : tr("NO"));
    m_ui->m_pVSYNCLabel->setText(sync == 3 ? tr("YES") : tr("NO"));
    m_ui->m_pVideoWidget->repaint();
}
