#include "videowindow.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "devicethread.h"
#include "globals.h"

namespace
{
QString PercentText(int percent)
{
    return QStringLiteral("%1%").arg(percent);
}
}  // namespace

CVideoWindow::CVideoWindow(QWidget* parent, IVideoEngine* engine)
    : CQDockWindow(QStringLiteral("VideoTVWindow"), parent),
      m_pEngine(engine ? engine : g_DeviceThread.m_pVideoEngine)
{
    setAllowedAreas(Qt::NoDockWidgetArea);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    // The picture area, repainted at once by every status update.
    m_pVideoWidget = new QWidget(content);
    m_pVideoWidget->setObjectName(QStringLiteral("m_pVideoWidget"));
    m_pVideoWidget->setMinimumSize(320, 240);
    m_pVideoWidget->setStyleSheet(QStringLiteral("background-color: black;"));
    layout->addWidget(m_pVideoWidget, 1);

    auto* grid = new QGridLayout();
    m_pDarkCaption = new QLabel(content);
    m_pDarkLevelSlider = new QSlider(Qt::Horizontal, content);
    m_pDarkLevelSlider->setObjectName(QStringLiteral("m_pDarkLevelSlider"));
    m_pDarkLevelSlider->setRange(0, 100);
    m_pDarkLevelSlider->setValue(10);
    m_pDarkLevelLabel = new QLabel(content);
    m_pBrightCaption = new QLabel(content);
    m_pBrightLevelSlider = new QSlider(Qt::Horizontal, content);
    m_pBrightLevelSlider->setObjectName(QStringLiteral("m_pBrightLevelSlider"));
    m_pBrightLevelSlider->setRange(0, 100);
    m_pBrightLevelSlider->setValue(50);
    m_pBrightLevelLabel = new QLabel(content);
    m_pResCaption = new QLabel(content);
    m_pResLabel = new QLabel(content);
    m_pHSyncCaption = new QLabel(content);
    m_pHSYNCLabel = new QLabel(content);
    m_pVSyncCaption = new QLabel(content);
    m_pVSYNCLabel = new QLabel(content);
    grid->addWidget(m_pDarkCaption, 0, 0);
    grid->addWidget(m_pDarkLevelSlider, 0, 1);
    grid->addWidget(m_pDarkLevelLabel, 0, 2);
    grid->addWidget(m_pBrightCaption, 1, 0);
    grid->addWidget(m_pBrightLevelSlider, 1, 1);
    grid->addWidget(m_pBrightLevelLabel, 1, 2);
    grid->addWidget(m_pResCaption, 2, 0);
    grid->addWidget(m_pResLabel, 2, 1);
    grid->addWidget(m_pHSyncCaption, 3, 0);
    grid->addWidget(m_pHSYNCLabel, 3, 1);
    grid->addWidget(m_pVSyncCaption, 4, 0);
    grid->addWidget(m_pVSYNCLabel, 4, 1);
    layout->addLayout(grid);
    setWidget(content);
    RetranslateUi();

    connect(m_pDarkLevelSlider, &QSlider::valueChanged, this, &CVideoWindow::OnDarkLevelChanged);
    connect(m_pBrightLevelSlider, &QSlider::valueChanged, this, &CVideoWindow::OnBrightLevelChanged);
    // The engine's own levels win over the form's; a differing value reaches the engine and the label
    // through the slider's slot.
    if (m_pEngine)
    {
        m_pDarkLevelSlider->setValue(m_pEngine->GetDarkLevel());
        m_pBrightLevelSlider->setValue(m_pEngine->GetBrightLevel());
    }
}

CVideoWindow::~CVideoWindow() = default;

void CVideoWindow::RetranslateUi()
{
    setWindowTitle(tr("Video Window"));
    m_pDarkCaption->setText(tr("Dark Level:"));
    m_pBrightCaption->setText(tr("Bright Level:"));
    m_pResCaption->setText(tr("Resolution:"));
    m_pHSyncCaption->setText(tr("H-SYNC:"));
    m_pVSyncCaption->setText(tr("V-SYNC:"));
    m_pDarkLevelLabel->setText(QStringLiteral("10%"));
    m_pBrightLevelLabel->setText(QStringLiteral("50%"));
    m_pResLabel->clear();
    m_pHSYNCLabel->clear();
    m_pVSYNCLabel->clear();
}

void CVideoWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    CQDockWindow::changeEvent(event);
}

void CVideoWindow::OnDarkLevelChanged(int percent)
{
    if (m_pEngine)
        m_pEngine->SetDarkLevel(percent);
    m_pDarkLevelLabel->setText(PercentText(percent));
}

void CVideoWindow::OnBrightLevelChanged(int percent)
{
    if (m_pEngine)
        m_pEngine->SetBrightLevel(percent);
    m_pBrightLevelLabel->setText(PercentText(percent));
}

void CVideoWindow::UpdateStatus()
{
    if (!m_pEngine)
        return;
    m_pResLabel->setText(QStringLiteral("%1x%2").arg(m_pEngine->GetWidth()).arg(m_pEngine->GetHeight()));
    const int sync = m_pEngine->GetSyncState();
    m_pHSYNCLabel->setText((sync & 1) ? tr("YES") : tr("NO"));
    m_pVSYNCLabel->setText(sync == 3 ? tr("YES") : tr("NO"));
    m_pVideoWidget->repaint();
}
