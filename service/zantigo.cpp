#include "zantigo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "ikelthar.h"
#include "prompt.h"
#include "ui_zantigo.h"
#include "zantigobytes.h"

namespace
{
using namespace ZantigoBytes;

int ModulationByte(int band, int sel)
{
    return kModulationByte + kModulationRow * band + sel;
}

uint32_t ReadCarrier(const uint8_t* block, int band)
{
    const uint8_t* field = block + kCarrierByte + 4 * band;
    return field[0] | (field[1] << 8) | (field[2] << 16) | (static_cast<uint32_t>(field[3]) << 24);
}

void WriteRate(uint8_t* block, uint32_t rate)
{
    for (int i = 0; i < 4; ++i)
        block[kRateByte + i] = static_cast<uint8_t>(rate >> (8 * i));
}

// The slot of each selection's mode button.
using ModeSlot = void (Zantigo::*)();
ModeSlot ModeSlotOf(int sel)
{
    static const std::array<ModeSlot, Zantigo::kSelectionCount> kSlots = {
        &Zantigo::OnRadio0,  &Zantigo::OnRadio1,  &Zantigo::OnRadio2,  &Zantigo::OnRadio21,
        &Zantigo::OnRadio3,  &Zantigo::OnRadio4,  &Zantigo::OnRadio5,  &Zantigo::OnRadio6,
        &Zantigo::OnRadio7,  &Zantigo::OnRadio8,  &Zantigo::OnRadio9,  &Zantigo::OnRadio10,
        &Zantigo::OnRadio11, &Zantigo::OnRadio12, &Zantigo::OnRadio13, &Zantigo::OnRadio14,
        &Zantigo::OnRadio15, &Zantigo::OnRadio16, &Zantigo::OnRadio17, &Zantigo::OnRadio18};
    return kSlots[static_cast<size_t>(sel)];
}

// Frequency limits of each band in the unit its block field holds (kHz for bands 0 and 1, Hz above).
struct SBandLimits
{
    uint32_t min;
    uint32_t max;
};
constexpr std::array<SBandLimits, Zantigo::kBandCount> kBandLimits = {{{47000, 6000000},
                                                                       {47000, 6000000},
                                                                       {10, 120000},
                                                                       {10, 20000000},
                                                                       {30000, 20000000},
                                                                       {10, 5000000},
                                                                       {100000, 6000000}}};

// Octave and third-octave carriers of band 2, in Hz.
constexpr std::array<uint32_t, 13> kOctaves = {32,   63,   125,   250,   500,   1000,  2000,
                                               4000, 8000, 16000, 31500, 63000, 125000};
constexpr std::array<uint32_t, 36> kThirdOctaves = {
    32,   40,    50,    63,    80,    100,   125,   160,   200,   250,   315,   400,
    500,  630,   800,   1000,  1250,  1600,  2000,  2500,  3150,  4000,  5000,  6300,
    8000, 10000, 12500, 16000, 20000, 25000, 31500, 40000, 50000, 63000, 80000, 100000};

// Standard carriers of band 1 (kHz) for its selections 8..16; the others have none.
constexpr int kFirstStandard = 8;
constexpr std::array<uint32_t, 9> kStandardCarriers = {898000,  1748000, 455000,  1940000, 2502000,
                                                       1890000, 2437000, 5660000, 2440000};

// Bands with their own meaning in the window.

// Carrier-type list items.
constexpr int kOctaveType = 1;

// Selections whose controls differ by band.
constexpr int kSelFm = 2;
constexpr int kSelDsss = 5;

// Transmit sampling rates chosen by the mode (Hz).
constexpr uint32_t kDefaultRate = 200000;
constexpr uint32_t kWideRate = 3330000;
constexpr uint32_t kWlan5Rate = 13320000;
constexpr uint32_t kBluetoothRate = 40000000;

// The step slider's value v steps the carrier by 10^(6 - v) thousandths of the shown unit.
constexpr int kStepExponent = 6;
constexpr double kShownUnit = 1000.0;

void SelectOrFirst(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index < combo->count() ? index : 0);
}
}  // namespace

Zantigo::Zantigo(QWidget* parent, IKelthar* core)
    : CQDockWindow(QStringLiteral("ZantigoWindow"), parent),
      m_pCore(core ? core : g_DeviceThread.m_pKelthar),
      m_ui(std::make_unique<Ui::ZantigoClass>())
{
    m_ui->setupUi(this);

    connect(&m_Timer, &QTimer::timeout, this, &Zantigo::OnTimer);
    connect(&m_PulseTimer, &QTimer::timeout, this, &Zantigo::OnTimerPulse);
    const std::array<std::pair<QPushButton*, void (Zantigo::*)()>, 17> buttons = {{
        {m_ui->m_pButton0, &Zantigo::OnButton0},
        {m_ui->m_pButton1, &Zantigo::OnButton1},
        {m_ui->m_pButton2, &Zantigo::OnButton2},
        {m_ui->m_pButton3, &Zantigo::OnButton3},
        {m_ui->m_pButton4, &Zantigo::OnButton4},
        {m_ui->m_pButton5, &Zantigo::OnButton5},
        {m_ui->m_pButton6, &Zantigo::OnButton6},
        {m_ui->m_pSmsButton, &Zantigo::OnSmsButton},
        {m_ui->m_pDownButton, &Zantigo::OnDownButton},
        {m_ui->m_pUpButton, &Zantigo::OnUpButton},
        {m_ui->m_pDefaultButton, &Zantigo::OnDefaultButton},
        {m_ui->m_pAboutButton, &Zantigo::OnAboutButton},
        {m_ui->m_pUserAddButton, &Zantigo::OnUserAddButton},
        {m_ui->m_pUserSaveButton, &Zantigo::OnUserSaveButton},
        {m_ui->m_pUserDeleteButton, &Zantigo::OnUserDeleteButton},
        {m_ui->m_pUserSaveListButton, &Zantigo::OnUserSaveListButton},
        {m_ui->m_pUserLoadListButton, &Zantigo::OnUserLoadListButton},
    }};
    for (const auto& button : buttons)
        connect(button.first, &QPushButton::clicked, this, button.second);
    for (int sel = 0; sel < kSelectionCount; ++sel)
        connect(RadioOf(sel), &QRadioButton::clicked, this, ModeSlotOf(sel));
    connect(m_ui->m_pFreqStepSlider, &QSlider::valueChanged, this, &Zantigo::OnFreqStepValueChanged);
    connect(m_ui->m_pUserCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Zantigo::OnUserCombo);

    for (QWidget* hidden :
         {static_cast<QWidget*>(m_ui->m_pButton2), static_cast<QWidget*>(m_ui->m_pButton3),
          static_cast<QWidget*>(m_ui->m_pButton4), static_cast<QWidget*>(m_ui->m_pButton5),
          static_cast<QWidget*>(m_ui->m_pButton6), static_cast<QWidget*>(m_ui->m_pAddCheckBox_2),
          static_cast<QWidget*>(m_ui->m_pAddCheckBox_4), static_cast<QWidget*>(m_ui->m_pBwEdit)})
        hidden->hide();

    // A window whose settings bring nothing still shows a whole band and sends a well-formed block.
    m_Block[kLeadByte] = 1;
    SelectBand(0);
    LoadSettings(0);

    m_ui->m_pFreqSpin->installEventFilter(this);
    m_Timer.start(1000);
    // The controls were hidden before the window was ever shown, which does not reach the layouts: they
    // would keep the sizes of the whole form, and the floating window's minimum height with them.
    for (QLayout* layout : findChildren<QLayout*>())
        layout->invalidate();
    m_ui->dockWidgetContents->updateGeometry();
}

Zantigo::~Zantigo()
{
    SaveSettings(0);
}

QRadioButton* Zantigo::RadioOf(int sel) const
{
    const std::array<QRadioButton*, kSelectionCount> radios = {
        m_ui->m_pRadio0,  m_ui->m_pRadio1,  m_ui->m_pRadio2,  m_ui->m_pRadio21, m_ui->m_pRadio3,
        m_ui->m_pRadio4,  m_ui->m_pRadio5,  m_ui->m_pRadio6,  m_ui->m_pRadio7,  m_ui->m_pRadio8,
        m_ui->m_pRadio9,  m_ui->m_pRadio10, m_ui->m_pRadio11, m_ui->m_pRadio12, m_ui->m_pRadio13,
        m_ui->m_pRadio14, m_ui->m_pRadio15, m_ui->m_pRadio16, m_ui->m_pRadio17, m_ui->m_pRadio18};
    return sel >= 0 && sel < kSelectionCount ? radios[static_cast<size_t>(sel)] : nullptr;
}

void Zantigo::HideModeControls()
{
    m_ui->m_pModulationGroupBox->setTitle(tr("Modulation Mode"));
    m_ui->m_pMethodLabel->hide();
    for (QPushButton* button : {m_ui->m_pButton0, m_ui->m_pButton1, m_ui->m_pButton2, m_ui->m_pButton3,
                                m_ui->m_pButton4, m_ui->m_pButton5, m_ui->m_pButton6})
        button->setChecked(false);
    m_ui->m_pFreqPanel->hide();
    m_ui->m_pFixedPanel->hide();
    m_ui->m_pDownButton->show();
    m_ui->m_pUpButton->show();
    for (int sel = 0; sel < kSelectionCount; ++sel)
        RadioOf(sel)->hide();
    m_ui->m_pRadio1->setText(tr("AM"));
    m_ui->m_pCarrierTypeRow->hide();
    m_ui->m_pPowerRFCombo->hide();
    m_ui->m_pPowerUHFCombo->hide();
    m_ui->m_pPowerLFCombo->hide();
}

void Zantigo::SelectBand(int band)
{
    if (band < 0 || band >= kBandCount)
        return;
    HideModeControls();
    m_Block[kBandByte] = static_cast<uint8_t>(band);
    const std::array<QPushButton*, kBandCount> buttons = {
        m_ui->m_pButton0, m_ui->m_pButton1, m_ui->m_pButton2, m_ui->m_pButton3,
        m_ui->m_pButton4, m_ui->m_pButton5, m_ui->m_pButton6};
    buttons[static_cast<size_t>(band)]->setChecked(true);

    // The modes each band offers, by selection.
    static const std::array<std::vector<int>, kBandCount> modes = {{
        {0, 1, 2, 3, 4, 5, 6, 17, 18, 19},
        {8, 9, 10, 11, 12, 13, 14, 15, 16},
        {0, 1, 2, 7},
        {0, 1, 2, 7},
        {0, 2, 7},
        {0, 1, 2, 7},
        {0, 1},
    }};
    for (int sel : modes[static_cast<size_t>(band)])
        RadioOf(sel)->show();

    switch (band)
    {
        case 0:
            m_ui->m_pFreqPanel->show();
            m_ui->m_pPowerRFCombo->show();
            m_ui->m_pMethodLabel->show();
            break;
        case kStandardBand:
            m_ui->m_pPowerRFCombo->show();
            m_ui->m_pModulationGroupBox->setTitle(tr("Standard"));
            m_ui->m_pDownButton->hide();
            m_ui->m_pUpButton->hide();
            if (m_Block[kSelectionByte + band] < kFirstStandard)
                m_Block[kSelectionByte + band] = kFirstStandard;
            break;
        case kOctaveBand:
            m_ui->m_pFreqPanel->show();
            m_ui->m_pPowerLFCombo->show();
            m_ui->m_pCarrierTypeRow->show();
            UpdateStepLabel();
            break;
        case kShfBand:
            m_ui->m_pRadio1->setText(tr("PCM"));
            m_ui->m_pDownButton->hide();
            m_ui->m_pUpButton->hide();
            break;
        default:
            m_ui->m_pFreqPanel->show();
            m_ui->m_pPowerLFCombo->show();
            break;
    }

    RestoreModulationSelection();
    if (band != kStandardBand)
        UpdateFrequencySpin();
    if (band == kShfBand)
    {
        m_ui->m_pFreqLabel->setText(tr("13-14 GHz"));
        m_ui->m_pFixedPanel->show();
    }
}

void Zantigo::RestoreModulationSelection()
{
    const int band = m_Block[kBandByte];
    if (band >= kBandCount)
        return;
    const int sel = m_Block[kSelectionByte + band];
    QRadioButton* radio = RadioOf(sel);
    if (!radio)
        return;
    radio->setChecked(true);
    if (sel == kSelDsss)
        qDebug() << "m_ui.m_pRadio4->setChecked(true);";
    (this->*ModeSlotOf(sel))();
}

void Zantigo::UpdateModulationControls()
{
    m_ui->m_pSmsGroupBox->hide();
    const int band = m_Block[kBandByte] < kBandCount ? m_Block[kBandByte] : 0;
    int sel = m_Block[kSelectionByte + band];
    for (int candidate = 0; candidate < kSelectionCount; ++candidate)
        if (RadioOf(candidate)->isChecked())
            sel = candidate;
    if (sel >= kSelectionCount)
        sel = 0;
    m_Block[kSelectionByte + band] = static_cast<uint8_t>(sel);

    QComboBox* modulation = m_ui->m_pModulationFreqCombo;
    QComboBox* points = m_ui->m_pNumPtCombo;
    m_ui->m_pModulationFreqLabel->setText(tr("Modulation Frequency:"));
    modulation->clear();
    points->clear();

    m_Block[kBwMaxByte] = 0;
    WriteRate(m_Block, kDefaultRate);
    // The IQ output is off for the modes that drive one channel only.
    const bool iq = !(sel == 6 || sel == 7 || sel == 8 || sel == 9 || sel == 13);
    m_Block[kIqByte] = iq ? 1 : 0;
    m_Block[kInvertIqByte] = 0;
    const QStringList audioTones = {tr("1 KHz"), tr("5 KHz"), tr("20 KHz")};
    const QStringList pulseRates = {tr("1 Hz"), tr("10 Hz"), tr("20 Hz"), tr("50 Hz"), tr("100 Hz")};
    const QStringList symbolBands = {tr("0.75 MHz"), tr("1.5 MHz"), tr("3 MHz"),
                                     tr("6 MHz"),    tr("12 MHz"),  tr("24 MHz")};
    switch (sel)
    {
        case 1:
            modulation->addItems(audioTones);
            break;
        case kSelFm:
            modulation->addItems(audioTones);
            m_ui->m_pDeviationFreqCombo->clear();
            m_ui->m_pDeviationFreqCombo->addItems(
                {tr("40 KHz"), tr("100 KHz"), tr("220 KHz"), tr("460 KHz")});
            break;
        case 3:
            m_ui->m_pDeviationFreqCombo->clear();
            m_ui->m_pDeviationFreqCombo->addItems(
                {tr("180 KHz"), tr("400 KHz"), tr("870 KHz"), tr("1.8 MHz")});
            break;
        case 4:
            m_ui->m_pModulationFreqLabel->setText(tr("Hopping Frequency:"));
            modulation->addItems({tr("500 Hz"), tr("1 KHz"), tr("3 KHz"), tr("10 KHz")});
            break;
        case kSelDsss:
            m_ui->m_pModulationFreqLabel->setText(tr("Frequency Band:"));
            modulation->addItems(
                {tr("1.5 MHz"), tr("3 MHz"), tr("6 MHz"), tr("12 MHz"), tr("24 MHz"), tr("48 MHz")});
            break;
        case 6:
        case 7:
            modulation->addItems(pulseRates);
            break;
        case 10:
        case 11:
        case 12:
        case 14:
            WriteRate(m_Block, kWideRate);
            break;
        case 15:
            WriteRate(m_Block, kWlan5Rate);
            break;
        case 16:
            WriteRate(m_Block, kBluetoothRate);
            break;
        case 17:
            m_ui->m_pModulationFreqLabel->setText(tr("Frequency Band:"));
            modulation->addItems(symbolBands);
            points->addItems({tr("4"), tr("16"), tr("64"), tr("256")});
            break;
        case 18:
            m_ui->m_pModulationFreqLabel->setText(tr("Frequency Band:"));
            modulation->addItems(symbolBands);
            points->addItems({tr("2 (BPSK)"), tr("4 (QPSK)"), tr("8"), tr("16"), tr("32"), tr("64")});
            break;
        case 19:
            m_ui->m_pModulationFreqLabel->setText(tr("Frequency Band:"));
            modulation->addItems(symbolBands);
            points->addItems({tr("16"), tr("32"), tr("64")});
            break;
        default:
            break;
    }
    SelectOrFirst(modulation, m_Block[ModulationByte(band, sel)]);
    SelectOrFirst(points, m_Block[kPointsByte + sel]);

    for (QWidget* row : {m_ui->m_pModulationRow, m_ui->m_pDeviationRow, m_ui->m_pNumChRow, m_ui->m_pNumPtRow,
                         m_ui->m_pBandFreqRow, m_ui->m_pRatioRow})
        row->hide();
    m_ui->m_pPulseGroupBox->hide();

    if (band == kStandardBand)
    {
        if (sel >= kFirstStandard && sel < kFirstStandard + static_cast<int>(kStandardCarriers.size()))
        {
            // Whole MHz; the spin takes band 1's limits first so the carrier is never clamped to the range
            // another band left behind.
            const uint32_t mhz = kStandardCarriers[static_cast<size_t>(sel - kFirstStandard)] / 1000;
            m_ui->m_pFreqLabel->setText(QStringLiteral("%1 %2").arg(mhz).arg(tr("MHz")));
            const SBandLimits& limits = kBandLimits[kStandardBand];
            m_ui->m_pFreqSpin->setRange(limits.min / kShownUnit, limits.max / kShownUnit);
            m_ui->m_pFreqSpin->setValue(mhz);
        }
    }
    else
    {
        SelectOrFirst(m_ui->m_pDeviationFreqCombo, m_Block[kDeviationByte]);
    }

    m_ui->m_pAddCheckBox_0->setChecked(m_Block[kIqByte] != 0);
    m_ui->m_pAddCheckBox_1->setChecked(m_Block[kInvertIqByte] != 0);
    m_ui->m_pAddCheckBox_3->setChecked(m_Block[kBwMaxByte] != 0);
    for (QCheckBox* box : {m_ui->m_pAddCheckBox_0, m_ui->m_pAddCheckBox_1, m_ui->m_pAddCheckBox_3})
        box->hide();
}

void Zantigo::UpdateFrequencySpin()
{
    const int band = m_Block[kBandByte];
    if (band >= kBandCount)
        return;
    const SBandLimits& limits = kBandLimits[static_cast<size_t>(band)];
    QDoubleSpinBox* spin = m_ui->m_pFreqSpin;
    spin->setRange(limits.min / kShownUnit, limits.max / kShownUnit);
    spin->setValue(ReadCarrier(m_Block, band) / kShownUnit);
    const double step = std::pow(10.0, kStepExponent - m_ui->m_pFreqStepSlider->value()) / kShownUnit;
    spin->setSingleStep(step);
    const QString unit = band <= kStandardBand ? tr("MHz") : tr("KHz");
    m_ui->m_pFreqStepLabel->setText(QStringLiteral("%1 %2").arg(QString::number(step), unit));
    m_ui->m_pFreqUnitLabel->setText(unit);
}

void Zantigo::UpdateStepLabel()
{
    // The list, not byte 195, so a choice made since the last tick shows as soon as a step button is used.
    const bool carrier = m_ui->m_pCarrierTypeCombo->currentIndex() <= 0;
    m_ui->m_pFreqPanel->setVisible(carrier);
    m_ui->m_pFixedPanel->setVisible(!carrier);
    const bool octave = m_ui->m_pCarrierTypeCombo->currentIndex() == kOctaveType;
    const size_t octaveIndex = std::min<size_t>(m_Block[kOctaveByte], kOctaves.size() - 1);
    const size_t thirdIndex = std::min<size_t>(m_Block[kThirdOctaveByte], kThirdOctaves.size() - 1);
    const double khz = (octave ? kOctaves[octaveIndex] : kThirdOctaves[thirdIndex]) / kShownUnit;
    m_ui->m_pFreqLabel->setText(QStringLiteral("%1 %2").arg(QString::number(khz), tr("KHz")));
}

void Zantigo::OnButton0()
{
    SelectBand(0);
}

void Zantigo::OnButton1()
{
    SelectBand(1);
}

void Zantigo::OnButton2()
{
    SelectBand(2);
}

void Zantigo::OnButton3()
{
    SelectBand(3);
}

void Zantigo::OnButton4()
{
    SelectBand(4);
}

void Zantigo::OnButton5()
{
    SelectBand(5);
}

void Zantigo::OnButton6()
{
    SelectBand(6);
}

void Zantigo::OnRadio0()
{
    UpdateModulationControls();
}

// AM and DSSS.
void Zantigo::OnRadio1()
{
    UpdateModulationControls();
    m_ui->m_pModulationRow->show();
}

void Zantigo::OnRadio2()
{
    UpdateModulationControls();
    m_ui->m_pModulationRow->show();
    if (m_Block[kBandByte] != kShfBand)
        m_ui->m_pDeviationRow->show();
}

void Zantigo::OnRadio21()
{
    UpdateModulationControls();
    m_ui->m_pDeviationRow->show();
}

void Zantigo::OnRadio3()
{
    UpdateModulationControls();
    m_ui->m_pModulationRow->show();
    m_ui->m_pNumChRow->show();
    m_ui->m_pBandFreqRow->show();
}

void Zantigo::OnRadio4()
{
    OnRadio1();
}

void Zantigo::OnRadio5()
{
    UpdateModulationControls();
    m_ui->m_pPulseGroupBox->show();
}

void Zantigo::OnRadio6()
{
    UpdateModulationControls();
    m_ui->m_pModulationRow->show();
    m_ui->m_pRatioRow->show();
}

// GSM-900 and GSM-1800: the operator may move the carrier and send SMS.
void Zantigo::OnRadio7()
{
    UpdateModulationControls();
    m_ui->m_pSmsGroupBox->show();
    m_ui->m_pFreqPanel->show();
    m_ui->m_pFixedPanel->hide();
}

void Zantigo::OnRadio8()
{
    OnRadio7();
}

// CDMA-450, DECT, WLAN and BLUETOOTH: the standard carrier only.
void Zantigo::OnRadio9()
{
    UpdateModulationControls();
    m_ui->m_pFreqPanel->hide();
    m_ui->m_pFixedPanel->show();
}

// 3G and 4G: the standard carrier and SMS.
void Zantigo::OnRadio10()
{
    OnRadio9();
    m_ui->m_pSmsGroupBox->show();
}

void Zantigo::OnRadio11()
{
    OnRadio10();
}

void Zantigo::OnRadio12()
{
    OnRadio9();
}

void Zantigo::OnRadio13()
{
    OnRadio9();
}

void Zantigo::OnRadio14()
{
    OnRadio9();
}

void Zantigo::OnRadio15()
{
    OnRadio9();
}

// QAM, PSK and OFDM.
void Zantigo::OnRadio16()
{
    UpdateModulationControls();
    m_ui->m_pModulationRow->show();
    m_ui->m_pNumPtRow->show();
}

void Zantigo::OnRadio17()
{
    OnRadio16();
}

void Zantigo::OnRadio18()
{
    OnRadio16();
}

void Zantigo::OnDownButton()
{
    const int byte =
        m_ui->m_pCarrierTypeCombo->currentIndex() == kOctaveType ? kOctaveByte : kThirdOctaveByte;
    if (m_Block[byte] > 0)
        --m_Block[byte];
    UpdateStepLabel();
}

void Zantigo::OnUpButton()
{
    const bool octave = m_ui->m_pCarrierTypeCombo->currentIndex() == kOctaveType;
    const int byte = octave ? kOctaveByte : kThirdOctaveByte;
    const int last =
        octave ? static_cast<int>(kOctaves.size()) - 1 : static_cast<int>(kThirdOctaves.size()) - 1;
    if (m_Block[byte] < last)
        ++m_Block[byte];
    UpdateStepLabel();
}

void Zantigo::OnFreqStepValueChanged(int)
{
    UpdateFrequencySpin();
}

void Zantigo::OnDefaultButton()
{
    if (Prompt().Question(this, QCoreApplication::applicationName(),
                          tr("Do you want to default ALL SETTINGS?"),
                          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        LoadSettings(-1);
}

void Zantigo::OnAboutButton()
{
    Prompt().Information(
        this, m_ui->m_pAboutButton->text(),
        QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion());
}

bool Zantigo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->m_pFreqSpin && event->type() == QEvent::Wheel)
    {
        // Deliberately the other way round from Qt's spin boxes, and kept: operators know this window's
        // wheel this way, and a habitual turn must not move a live carrier the wrong way.
        if (static_cast<QWheelEvent*>(event)->angleDelta().y() > 0)
            m_ui->m_pFreqSpin->stepDown();
        else
            m_ui->m_pFreqSpin->stepUp();
        return true;
    }
    return CQDockWindow::eventFilter(watched, event);
}

void Zantigo::closeEvent(QCloseEvent* event)
{
    // The power-off block goes out while the window is still visible, before the close is accepted.
    m_ui->m_pPowerCheckBox->setChecked(false);
    OnTimer();
    event->accept();
}
