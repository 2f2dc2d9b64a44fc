#include "antennadialog.h"

#include <QEvent>

#include "ui_antennadialog.h"

namespace
{
constexpr int kRefreshMs = 200;
constexpr int kStepMHz = 25;
// The span the four antennas cover together.
constexpr int kLowestMHz = 40;
constexpr int kHighestMHz = 6030;

// At least two digits, as the labels have always shown them.
QString Mhz(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}
}  // namespace

CAntennaDialog::CAntennaDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CAntennaDialogClass>())
{
    m_ui->setupUi(this);
    connect(m_ui->m_pOkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(&m_Timer, &QTimer::timeout, this, &CAntennaDialog::OnTimer);
    m_Timer.start(kRefreshMs);
}

CAntennaDialog::~CAntennaDialog() = default;

void CAntennaDialog::OnTimer()
{
    const int s1 = m_ui->m_pComm1Slider->value() * kStepMHz;
    const int s2 = m_ui->m_pComm2Slider->value() * kStepMHz;
    const int s3 = m_ui->m_pComm3Slider->value() * kStepMHz;
    const QString mhz = tr("MHz");
    m_ui->m_pComm1Label->setText(tr("ANT1 %1-%2 %3").arg(Mhz(kLowestMHz), Mhz(s1), mhz));
    m_ui->m_pComm2Label->setText(tr("ANT2 %1-%2 %3").arg(Mhz(s1), Mhz(s2), mhz));
    m_ui->m_pComm3Label->setText(tr("ANT3 %1-%2 %3").arg(Mhz(s2), Mhz(s3), mhz));
    m_ui->m_pComm4Label->setText(tr("ANT4 %1-%2 %3").arg(Mhz(s3), Mhz(kHighestMHz), mhz));

    if (m_ui->m_pComm1Slider->value() > m_ui->m_pComm2Slider->value())
        m_ui->m_pComm2Slider->setValue(m_ui->m_pComm1Slider->value());
    if (m_ui->m_pComm2Slider->value() > m_ui->m_pComm3Slider->value())
        m_ui->m_pComm3Slider->setValue(m_ui->m_pComm2Slider->value());
}

void CAntennaDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        m_ui->retranslateUi(this);
        OnTimer();
    }
    QDialog::changeEvent(event);
}
