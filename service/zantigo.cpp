#include "zantigo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

#include <cstring>

#include "devicethread.h"
#include "globals.h"

namespace
{
constexpr int kPowerSentByte = offsetof(GENERATOR_PARAMS, powerLevel);
constexpr int kRfStepByte = offsetof(GENERATOR_PARAMS, rfPowerStep);
constexpr int kLfStepByte = offsetof(GENERATOR_PARAMS, lfPowerStep);
constexpr int kBandByte = offsetof(GENERATOR_PARAMS, band);
// Band 6 drives its low-frequency output at a fixed step.
constexpr int kFixedLfBand = 6;
constexpr uint8_t kFixedLfStep = 8;
}  // namespace

Zantigo::Zantigo(QWidget* parent, IKelthar* core)
    : CQDockWindow(QStringLiteral("ZantigoWindow"), parent), m_pCore(core ? core : g_DeviceThread.m_pKelthar)
{
    setWindowTitle(tr("Generator"));
    setAllowedAreas(Qt::NoDockWidgetArea);
    auto* content = new QWidget(this);
    auto* form = new QFormLayout(content);
    m_pRfPowerCombo = new QComboBox(content);
    m_pRfPowerCombo->setObjectName(QStringLiteral("m_pRfPowerCombo"));
    // Step s transmits 6 x s - 114 dBm.
    for (int step = 1; step <= kRfPowerSteps; ++step)
    {
        const int dbm = 6 * step - 114;
        m_pRfPowerCombo->addItem(dbm > 0 ? QStringLiteral("+%1 dBm").arg(dbm)
                                         : QStringLiteral("%1 dBm").arg(dbm));
    }
    m_pPowerCheckBox = new QCheckBox(tr("Turn ON Power"), content);
    m_pPowerCheckBox->setObjectName(QStringLiteral("m_pPowerCheckBox"));
    m_pStatusLabel = new QLabel(content);
    m_pStatusLabel->setObjectName(QStringLiteral("m_pStatusLabel"));
    form->addRow(tr("RF Power:"), m_pRfPowerCombo);
    form->addRow(m_pPowerCheckBox);
    form->addRow(m_pStatusLabel);
    setWidget(content);

    m_Block[0] = 1;
    connect(&m_Timer, &QTimer::timeout, this, &Zantigo::OnTimer);
    m_Timer.start(1000);
}

Zantigo::~Zantigo() = default;

bool Zantigo::BuildParamBlock()
{
    m_Block[0] = 1;
    std::memset(m_Block + 1, 0, 11);
    if (m_pRfPowerCombo->count() > 1)
        m_Block[kRfStepByte] = static_cast<uint8_t>(m_pRfPowerCombo->currentIndex() + 1);
    if (m_pPowerCheckBox->isChecked())
    {
        m_Block[kPowerSentByte] = m_Block[kRfStepByte];
        m_Block[kLfStepByte] = m_Block[kBandByte] == kFixedLfBand ? kFixedLfStep : 1;
    }
    else
    {
        m_Block[kPowerSentByte] = 0;
        m_Block[kLfStepByte] = 0;
    }
    if (std::memcmp(m_Block, m_SentBlock, sizeof(m_Block)) == 0)
        return false;
    std::memcpy(m_SentBlock, m_Block, sizeof(m_Block));
    return true;
}

void Zantigo::OnTimer()
{
    if (!isVisible() || !m_pCore)
        return;
    if (!BuildParamBlock())
        return;
    if (m_pCore->SendGeneratorParams(m_Block))
    {
        m_pStatusLabel->setText(tr("Status: Connection is OK"));
        return;
    }
    m_pStatusLabel->setText(tr("Status: Connection is ERROR"));
    // Forget what was sent, so the block goes out again once the transmitter answers; otherwise it
    // would stay unconfigured until the operator changed something.
    std::memset(m_SentBlock, 0, sizeof(m_SentBlock));
}

void Zantigo::SetPowerOn(bool on)
{
    m_pPowerCheckBox->setChecked(on);
    OnTimer();
}

void Zantigo::closeEvent(QCloseEvent* event)
{
    // The power-off block goes out while the window is still visible, before the close is accepted.
    m_pPowerCheckBox->setChecked(false);
    OnTimer();
    event->accept();
}
