// The parameter block: built from the controls, sent to the core, and the factory contents.
#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QThread>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "ikelthar.h"
#include "prompt.h"
#include "ui_zantigo.h"
#include "zantigo.h"
#include "zantigobytes.h"

namespace
{
using namespace ZantigoBytes;

// Band 6 drives its low-frequency output at a fixed step.
constexpr int kFixedLfBand = 6;
constexpr uint8_t kFixedLfStep = 8;

// The RF power list: item i is kLowestDbm + kDbmStep x i.
constexpr int kLowestDbm = -108;
constexpr int kDbmStep = 6;

// The sum of time ON and time OFF must not pass 100 ms (in microseconds).
constexpr int kLongestPulsePeriodUs = 100000;

void WriteU32(uint8_t* block, int offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        block[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A list's index as its block byte: an empty list stands for its first item.
uint8_t IndexByte(const QComboBox* combo)
{
    return static_cast<uint8_t>(std::max(combo->currentIndex(), 0));
}
}  // namespace

bool Zantigo::BuildParamBlock()
{
    Ui::ZantigoClass& ui = *m_ui;
    m_Block[kLeadByte] = 1;
    std::memset(m_Block + kLeadByte + 1, 0, kHeaderEnd - kLeadByte - 1);

    const int band = m_Block[kBandByte];
    const bool knownBand = band < kBandCount;
    const int sel = knownBand ? m_Block[kSelectionByte + band] : kSelectionCount;
    if (knownBand)
    {
        // The spin keeps three decimals, so the product is a whole number; rounding keeps the binary
        // product of, say, 0.29 from truncating to one below it.
        const double value = std::round(ui.m_pFreqSpin->value() * 1000.0);
        WriteU32(m_Block, kCarrierByte + 4 * band, static_cast<uint32_t>(std::max(value, 0.0)));
    }
    // The write order keeps the overlapping addresses as the core reads them: OFDM's modulation byte of
    // band 6 is the deviation byte, and OFDM's points byte the carrier type, each written over after.
    if (knownBand && sel < kSelectionCount)
        m_Block[kModulationByte + kModulationRow * band + sel] = IndexByte(ui.m_pModulationFreqCombo);
    m_Block[kDeviationByte] = IndexByte(ui.m_pDeviationFreqCombo);
    m_Block[kFreqBandByte] = IndexByte(ui.m_pBandFreqCombo);
    m_Block[kChannelsByte] = IndexByte(ui.m_pNumChCombo);
    if (sel < kSelectionCount)
        m_Block[kPointsByte + sel] = IndexByte(ui.m_pNumPtCombo);
    m_Block[kCarrierTypeByte] = IndexByte(ui.m_pCarrierTypeCombo);
    m_Block[kRatioByte] = IndexByte(ui.m_pRatioCombo);

    // Until the first tick fills the RF list it holds one placeholder, and the stored step stands.
    if (ui.m_pPowerRFCombo->count() > 1)
        m_Block[kRfStepByte] = IndexByte(ui.m_pPowerRFCombo) + 1;
    if (ui.m_pPowerCheckBox->isChecked())
    {
        m_Block[kPowerSentByte] = m_Block[kRfStepByte];
        m_Block[kLfStepByte] = band == kFixedLfBand ? kFixedLfStep : IndexByte(ui.m_pPowerLFCombo) + 1;
    }
    else
    {
        m_Block[kPowerSentByte] = 0;
        m_Block[kLfStepByte] = 0;
    }

    m_Block[kSmsDurationByte] = IndexByte(ui.m_pSmsCombo);
    m_Block[kIqByte] = ui.m_pAddCheckBox_0->isChecked() ? 1 : 0;
    m_Block[kInvertIqByte] = ui.m_pAddCheckBox_1->isChecked() ? 1 : 0;
    m_Block[kBwMaxByte] = ui.m_pAddCheckBox_3->isChecked() ? 1 : 0;

    const std::array<std::pair<int, QSpinBox*>, 7> pulse = {{
        {kTimeOnSecondsByte, ui.m_pTimeOnSecSpin},
        {kTimeOnHundredthsByte, ui.m_pTimeOnMSecSpin},
        {kTimeOnTenThousandthsByte, ui.m_pTimeOnMMSecSpin},
        {kTimeOffMinutesByte, ui.m_pTimeOffMinSpin},
        {kTimeOffSecondsByte, ui.m_pTimeOffSecSpin},
        {kTimeOffHundredthsByte, ui.m_pTimeOffMSecSpin},
        {kTimeOffTenThousandthsByte, ui.m_pTimeOffMMSecSpin},
    }};
    for (const auto& field : pulse)
        m_Block[field.first] = static_cast<uint8_t>(field.second->value());

    // The core times its bursts from hundredths and ten-thousandths only: whole seconds and minutes
    // would be dropped silently, so they are cleared where the operator sees it.
    bool wrongPulse = false;
    if (m_Block[kTimeOnSecondsByte] || m_Block[kTimeOffMinutesByte] || m_Block[kTimeOffSecondsByte])
    {
        for (const int byte : {kTimeOnSecondsByte, kTimeOffMinutesByte, kTimeOffSecondsByte})
            m_Block[byte] = 0;
        for (QSpinBox* spin : {ui.m_pTimeOnSecSpin, ui.m_pTimeOffMinSpin, ui.m_pTimeOffSecSpin})
            spin->setValue(0);
        wrongPulse = true;
    }
    const int periodUs = ((m_Block[kTimeOnHundredthsByte] + m_Block[kTimeOffHundredthsByte]) * 100 +
                          m_Block[kTimeOnTenThousandthsByte] + m_Block[kTimeOffTenThousandthsByte]) *
                         100;
    if (periodUs > kLongestPulsePeriodUs)
    {
        m_Block[kTimeOnHundredthsByte] = 1;
        m_Block[kTimeOnTenThousandthsByte] = 0;
        m_Block[kTimeOffHundredthsByte] = 1;
        m_Block[kTimeOffTenThousandthsByte] = 0;
        ui.m_pTimeOnMSecSpin->setValue(1);
        ui.m_pTimeOnMMSecSpin->setValue(0);
        ui.m_pTimeOffMSecSpin->setValue(1);
        ui.m_pTimeOffMMSecSpin->setValue(0);
        wrongPulse = true;
    }
    if (wrongPulse)
        Prompt().Warning(this, tr("Error"), tr("Wrong value! Time ON + Time OFF shoud be less then 100 ms"));

    if (band == kOctaveBand && m_Block[kCarrierTypeByte] != m_SentBlock[kCarrierTypeByte])
        UpdateStepLabel();

    if (std::memcmp(m_Block, m_SentBlock, sizeof(m_Block)) == 0)
        return false;
    std::memcpy(m_SentBlock, m_Block, sizeof(m_Block));
    qDebug() << "BufCompare";
    return true;
}

void Zantigo::OnTimer()
{
    if (!isVisible() || !m_pCore)
        return;
    if (!BuildParamBlock())
        return;
    if (m_Block[kBandByte] <= kStandardBand)
        UpdatePowerLabel();

    const double on = m_Block[kTimeOnSecondsByte] + m_Block[kTimeOnHundredthsByte] / 100.0 +
                      m_Block[kTimeOnTenThousandthsByte] / 10000.0;
    const double period = on + m_Block[kTimeOffMinutesByte] * 60.0 + m_Block[kTimeOffSecondsByte] +
                          m_Block[kTimeOffHundredthsByte] / 100.0 +
                          m_Block[kTimeOffTenThousandthsByte] / 10000.0;
    m_ui->m_pLabelPulse->setText(
        tr("Pulse = %1 sec; Period = %2 sec").arg(QString::number(on), QString::number(period)));

    if (m_pCore->SendGeneratorParams(m_Block))
    {
        m_ui->m_pStatusLabel->setText(tr("Status: Connection is OK"));
        return;
    }
    m_ui->m_pStatusLabel->setText(tr("Status: Connection is ERROR"));
    // Forget what was sent, so the block goes out again once the transmitter answers; otherwise it
    // would stay unconfigured until the operator changed something.
    std::memset(m_SentBlock, 0, sizeof(m_SentBlock));
}

void Zantigo::SetPowerOn(bool on)
{
    m_ui->m_pPowerCheckBox->setChecked(on);
    OnTimer();
}

void Zantigo::UpdatePowerLabel()
{
    QComboBox* combo = m_ui->m_pPowerRFCombo;
    combo->clear();
    for (int i = 0; i < kRfPowerSteps; ++i)
    {
        const int dbm = kLowestDbm + kDbmStep * i;
        combo->addItem(dbm > 0 ? QStringLiteral("+%1 dBm").arg(dbm) : QStringLiteral("%1 dBm").arg(dbm));
    }
    qDebug() << "_mem.nVALUE_RADIO_POWER_RF_ATT=" << m_Block[kPowerSentByte];
    qDebug() << "_mem.nVALUE_RADIO_POWER_RF_ATT_=" << m_Block[kRfStepByte];
    if (m_Block[kPowerSentByte] != 0)
        m_ui->m_pPowerCheckBox->setChecked(true);
    const int step = m_Block[kPowerSentByte] != 0 ? m_Block[kPowerSentByte] : m_Block[kRfStepByte];
    combo->setCurrentIndex(step >= 1 && step <= combo->count() ? step - 1 : 0);
}

void Zantigo::OnSmsButton()
{
    ++m_Block[kSmsCounterByte];
}

void Zantigo::OnTimerPulse()
{
    ++m_nPulseCounter;
    if (!m_pCore)
        return;
    m_pCore->SetGeneratorOn(false);
    QThread::msleep(1);
    m_pCore->SetGeneratorOn(true);
}

void Zantigo::MakeFactoryBlock()
{
    m_Block[kLeadByte] = 1;
    const std::array<uint8_t, 7> pulse = {0, 0, 10, 0, 0, 1, 0};  // time ON 1 ms, time OFF 10 ms
    std::copy(pulse.begin(), pulse.end(), m_Block + kTimeOnSecondsByte);
    // Bands 1 and 6 keep the carriers they held.
    const std::array<std::pair<int, uint32_t>, 5> carriers = {
        {{0, 1000000}, {2, 5000}, {3, 3000000}, {4, 3000000}, {5, 500000}}};
    for (const auto& carrier : carriers)
        WriteU32(m_Block, kCarrierByte + 4 * carrier.first, carrier.second);
    std::memset(m_Block + kModulationByte, 1, kModulationRow * kBandCount);
    std::memset(m_Block + kSelectionByte, 0, kBandCount);
    m_Block[kDeviationByte] = 1;
    m_Block[kFreqBandByte] = 1;
    m_Block[kChannelsByte] = 1;
    m_Block[kCarrierTypeByte] = 0;
    m_Block[kRatioByte] = 1;
    m_Block[kOctaveByte] = 5;
    m_Block[kThirdOctaveByte] = 15;
    m_Block[kBandByte] = 0;
    for (const int byte : {kPowerSentByte, kRfStepByte, kLfStepByte, kSmsDurationByte, kSmsCounterByte,
                           kInvertIqByte, kBwMaxByte})
        m_Block[byte] = 0;
    m_Block[kIqByte] = 1;
}
