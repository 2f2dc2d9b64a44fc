#include "optionswindow.h"

#include <QEvent>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"

namespace
{
const QString kOptions = QStringLiteral("Options");
const QString kRangeOptions = QStringLiteral("RangeOptions");
const QString kDdcOptions = QStringLiteral("DdcOptions");
const QString kDemodOptions = QStringLiteral("DemodOptions");

constexpr int kSettleMs = 3000;

// The converter band checks and the code SetLMX is given for each.
struct LmxBand
{
    QCheckBox* Ui::COptionsWindowClass::*check;
    int code;
};
using Form = Ui::COptionsWindowClass;
const LmxBand kLmxBands[] = {
    {&Form::m_pLMX_Check_0, 55},   {&Form::m_pLMX_Check_4, 110},  {&Form::m_pLMX_Check_5, 115},
    {&Form::m_pLMX_Check_6, 120},  {&Form::m_pLMX_Check_7, 125},  {&Form::m_pLMX_Check_8, 130},
    {&Form::m_pLMX_Check_9, 135},  {&Form::m_pLMX_Check_, 1},     {&Form::m_pLMX_Check_10, 140},
    {&Form::m_pLMX_Check_11, 145}, {&Form::m_pLMX_Check_12, 150}, {&Form::m_pLMX_Check_13, 155},
    {&Form::m_pLMX_Check_14, 160}, {&Form::m_pLMX_Check_15, 165}, {&Form::m_pLMX_Check_1, 70},
    {&Form::m_pLMX_Check_23, 75},  {&Form::m_pLMX_Check_24, 80},  {&Form::m_pLMX_Check_25, 85},
    {&Form::m_pLMX_Check_26, 90},  {&Form::m_pLMX_Check_27, 95},  {&Form::m_pLMX_Check_2, 100},
    {&Form::m_pLMX_Check_3, 105},  {&Form::m_pLMX_Check_28, 10},  {&Form::m_pLMX_Check_29, 15},
    {&Form::m_pLMX_Check_16, 170}, {&Form::m_pLMX_Check_30, 20},  {&Form::m_pLMX_Check_17, 175},
    {&Form::m_pLMX_Check_31, 25},  {&Form::m_pLMX_Check_18, 180}, {&Form::m_pLMX_Check_19, 185},
    {&Form::m_pLMX_Check_20, 190}, {&Form::m_pLMX_Check_21, 195}, {&Form::m_pLMX_Check_22, 200},
};

// The decimal integer of a text, 0 when it is none.
int TextToInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}
}  // namespace

COptionsWindow::COptionsWindow(QWidget* parent)
    : CQDockToolboxWindow(QStringLiteral("OptionsWindow"), &ui.m_pOptionsToolBox, parent)
{
    // The base names every dock after its settings; this one carries its form's name, which the
    // main window's stored layout knows it by.
    setObjectName(QString());
    ui.setupUi(this);
    Connect();
    ui.m_pDemodDeclickerGroupBox->hide();
    LoadBandwidthTable();

    connect(ui.m_pOptionsToolBox, &QToolBox::currentChanged, this,
            &CQDockToolboxWindow::OnToolBoxPageChanged);

    // The reloads run the slots of the change signals connected above, so their pushes reach the
    // device already now.
    SetupOptionsWindow(RangePage, 0);
    SetupOptionsWindow(BandPage, 0);
    SetupOptionsWindow(DemodPage, 0);

    // Controls the device has no use for; the reload still keeps their states.
    for (QWidget* widget : std::initializer_list<QWidget*>{
             ui.m_pRangeComGroupBox_3, ui.m_pLMX_Check_, ui.m_pLMX_Check_0, ui.m_pLMX_Check_16,
             ui.m_pLMX_Check_17, ui.m_pLMX_Check_18, ui.m_pLMX_Check_19, ui.m_pLMX_Check_20,
             ui.m_pLMX_Check_21, ui.m_pLMX_Check_22, ui.m_pLMX_Button_0, ui.m_pLMX_Button_1,
             ui.m_pLMX_Button_2, ui.m_pLMX_Button_3, ui.m_pRangeFHSSCheck_2, ui.m_pRangeRadioAttSwCheck,
             ui.label_12, ui.m_pFHSSCombo})
        widget->hide();

    m_Timer2.start(kSettleMs);
}

COptionsWindow::~COptionsWindow()
{
    const QString prefix = Prefix();
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("SpecAverMode"),
                        ui.m_pRangeSpecAverCombo->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("SpecWindow"),
                        ui.m_pRangeSpecWindowCombo->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioGain"),
                        ui.m_pRangeRadioGainComboVersion6->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("WiredGain"),
                        ui.m_pRangeWiredGainCombo->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("AcousticGain"),
                        ui.m_pRangeAcousticGainCombo->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("DlaGain"), ui.m_pRangeDlaGainCombo->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("DlaComm"), ui.m_pRangeDlaCommCombo->currentIndex());
    g_Parameters.SetInt(kDdcOptions, prefix + QStringLiteral("VectorLines"),
                        ui.m_pDdcVectorLinesCheck->isChecked() ? 1 : 0);
    g_Parameters.SetInt(kDdcOptions, prefix + QStringLiteral("SamplesIndex"),
                        ui.m_pDdcVectorSamplesComboBox->currentIndex());
    g_Parameters.SetInt(kDdcOptions, QStringLiteral("SpecAverMode"), ui.m_pDdcSpecAverCombo->currentIndex());
    g_Parameters.SetInt(kDdcOptions, QStringLiteral("SpecWindow"), ui.m_pDdcSpecWindowCombo->currentIndex());
    g_Parameters.SetInt(kDemodOptions, QStringLiteral("SpecAverMode"),
                        ui.m_pDemodSpecAverCombo->currentIndex());
    g_Parameters.SetInt(kDemodOptions, QStringLiteral("SpecWindow"),
                        ui.m_pDemodSpecWindowCombo->currentIndex());
    // Without any audio device the list is empty: keep the operator's stored choice instead of -1.
    if (ui.m_pDemodAudioDeviceCombo->currentIndex() >= 0)
        g_Parameters.SetInt(kDemodOptions, QStringLiteral("AudioDevice"),
                            ui.m_pDemodAudioDeviceCombo->currentIndex());
    g_Parameters.SetInt(kDemodOptions, QStringLiteral("SoundUseAgc"),
                        ui.m_pDemodUseAgcCheck->isChecked() ? 1 : 0);
    g_Parameters.SetDouble(kDemodOptions, QStringLiteral("SoundAgcLevel"),
                           TextToInt(ui.m_pDemodSoundLevelEdit->text()));
    g_Parameters.SetInt(kDdcOptions, prefix + QStringLiteral("CombineOsc"),
                        TextToInt(ui.m_pDdcCombineOscEdit->text()));
    g_Parameters.SetInt(kDemodOptions, prefix + QStringLiteral("CombineOsc"),
                        TextToInt(ui.m_pDemodCombineOscEdit->text()));
    g_Parameters.SetInt(kOptions, QStringLiteral("Page"), ui.m_pOptionsToolBox->currentIndex());
}

QString COptionsWindow::Prefix() const
{
    return g_DeviceThread.GetChannelPrefix(-1);
}

COptionsWindow::SpectrumGroup COptionsWindow::Spectrum(int page) const
{
    switch (page)
    {
        case RangePage:
            return {ui.m_pRangeSpecAverCombo, ui.m_pRangeSpecWindowCombo};
        case BandPage:
            return {ui.m_pDdcSpecAverCombo, ui.m_pDdcSpecWindowCombo};
        default:
            return {ui.m_pDemodSpecAverCombo, ui.m_pDemodSpecWindowCombo};
    }
}

COptionsWindow::WaterfallGroup COptionsWindow::Waterfall(int page) const
{
    switch (page)
    {
        case RangePage:
            return {ui.m_pRangeWaterfallSpectrumCheck, ui.m_pRangeWaterfallWriteToBufferCheck,
                    ui.m_pRangeWaterfallBufferPathEdit};
        case BandPage:
            return {ui.m_pDdcWaterfallSpectrumCheck, ui.m_pDdcWaterfallWriteToBufferCheck,
                    ui.m_pDdcWaterfallBufferPathEdit};
        default:
            return {ui.m_pDemodWaterfallSpectrumCheck, ui.m_pDemodWaterfallWriteToBufferCheck,
                    ui.m_pDemodWaterfallBufferPathEdit};
    }
}

std::array<QPushButton*, 4> COptionsWindow::CommButtons() const
{
    return {ui.m_pComm1Button, ui.m_pComm2Button, ui.m_pComm3Button, ui.m_pComm4Button};
}

void COptionsWindow::Connect()
{
    using Self = COptionsWindow;
    const auto indexChanged = qOverload<int>(&QComboBox::currentIndexChanged);
    connect(&m_Timer, &QTimer::timeout, this, &Self::OnTimer);
    connect(&m_Timer2, &QTimer::timeout, this, &Self::OnTimer2);

    connect(ui.m_pRangeSpecAverCombo, indexChanged, this, &Self::OnRangeFftAverChanged);
    connect(ui.m_pRangeSpecReset, &QPushButton::clicked, this, &Self::OnRangeFftAverChanged);
    connect(ui.m_pRangeSpecWindowCombo, indexChanged, this, &Self::OnRangeFftWindowChanged);
    connect(ui.m_pRangeSpecEnvelopeCheck, &QCheckBox::clicked, this, &Self::OnRangeSpecEnvelope);
    connect(ui.m_pRangeWaterfallSpectrumCheck, &QCheckBox::clicked, this, &Self::OnRangeWaterfallSpectrum);
    connect(ui.m_pRangeWaterfallWriteToBufferCheck, &QCheckBox::clicked, this,
            &Self::OnRangeWaterfallWriteToBufferCheck);
    connect(ui.m_pRangeWaterfallBrowseButton, &QPushButton::clicked, this,
            &Self::OnRangeWaterfallBrowseButton);
    connect(ui.m_pComm1Button, &QPushButton::clicked, this, &Self::OnComm1Button);
    connect(ui.m_pComm2Button, &QPushButton::clicked, this, &Self::OnComm2Button);
    connect(ui.m_pComm3Button, &QPushButton::clicked, this, &Self::OnComm3Button);
    connect(ui.m_pComm4Button, &QPushButton::clicked, this, &Self::OnComm4Button);
    connect(ui.m_pAutoSwitchButton, &QPushButton::clicked, this, &Self::OnAutoSwitchButton);
    connect(ui.m_pManualSwitchRadio, &QRadioButton::clicked, this, &Self::OnManualSwitchRadio);
    connect(ui.m_pAutoSwitchRadio, &QRadioButton::clicked, this, &Self::OnAutoSwitchRadio);
    connect(ui.m_pRangeRadioGainComboVersion6, indexChanged, this, &Self::OnRangeRadioGainCombo);
    for (const LmxBand& band : kLmxBands)
        connect(ui.*band.check, &QCheckBox::clicked, this, &Self::OnLmxCheckClicked);
    connect(ui.m_pLMX_Button_0, &QPushButton::clicked, this, &Self::OnLMX_Button_0);
    connect(ui.m_pLMX_Button_1, &QPushButton::clicked, this, &Self::OnLMX_Button_1);
    connect(ui.m_pLMX_Button_2, &QPushButton::clicked, this, &Self::OnLMX_Button_2);
    connect(ui.m_pLMX_Button_3, &QPushButton::clicked, this, &Self::OnLMX_Button_3);
    connect(ui.m_pRangeFHSSCheck_0, &QCheckBox::clicked, this, &Self::OnRangeFHSSCheck_0);
    connect(ui.m_pRangeFHSSCheck_1, &QCheckBox::clicked, this, &Self::OnRangeFHSSCheck_1);
    connect(ui.m_pRangeFHSSCheck_2, &QCheckBox::clicked, this, &Self::OnRangeFHSSCheck_2);
    connect(ui.m_pFHSSCombo, indexChanged, this, &Self::OnFHSSCombo);
    connect(ui.m_pRangeWiredGainCombo, indexChanged, this, &Self::OnRangeWiredGainCombo);
    connect(ui.m_pRangeAcousticGainCombo, indexChanged, this, &Self::OnRangeAcousticGainCombo);
    connect(ui.m_pRangeDlaCommCombo, indexChanged, this, &Self::OnRangeDlaCommCombo);
    connect(ui.m_pRangeDlaGainCombo, indexChanged, this, &Self::OnRangeDlaGainCombo);
    connect(ui.m_pRangeRadioAttCombo, indexChanged, this, &Self::OnRangeRadioAttCombo);
    connect(ui.m_pRangeRadioAttSwCheck, &QCheckBox::clicked, this, &Self::OnRangeRadioAttSwCheck);
    connect(ui.m_pRangeRadioAmplSwCheck, &QCheckBox::clicked, this, &Self::OnRangeRadioAmplSwCheck);
    connect(ui.m_pRangeRadioFilterCombo, indexChanged, this, &Self::OnRangeRadioFilterCombo);
    connect(ui.m_pRangeRadioComCombo, indexChanged, this, &Self::OnRangeRadioComCombo);

    connect(ui.m_pDdcSpecAverCombo, indexChanged, this, &Self::OnDdcFftAverChanged);
    connect(ui.m_pDdcSpecReset, &QPushButton::clicked, this, &Self::OnDdcFftAverChanged);
    connect(ui.m_pDdcSpecWindowCombo, indexChanged, this, &Self::OnDdcFftWindowChanged);
    connect(ui.m_pDdcSpecEnvelopeCheck, &QCheckBox::clicked, this, &Self::OnDdcSpecEnvelope);
    connect(ui.m_pDdcWaterfallSpectrumCheck, &QCheckBox::clicked, this, &Self::OnDdcWaterfallSpectrum);
    connect(ui.m_pDdcWaterfallWriteToBufferCheck, &QCheckBox::clicked, this,
            &Self::OnDdcWaterfallWriteToBufferCheck);
    connect(ui.m_pDdcWaterfallBrowseButton, &QPushButton::clicked, this, &Self::OnDdcWaterfallBrowseButton);
    connect(ui.m_pDdcCombineOscEdit, &QLineEdit::textChanged, this, &Self::OnDdcCombineOscEdited);
    connect(ui.m_pDdcVectorLinesCheck, &QCheckBox::clicked, this, &Self::OnDdcVectorLinesCheck);
    connect(ui.m_pDdcVectorSamplesComboBox, &QComboBox::textActivated, this,
            &Self::OnDdcVectorSamplesComboBox);
    connect(ui.m_pDdcScanningTuneOffButton, &QPushButton::clicked, this, &Self::OnScanningTuneOffButton);
    connect(ui.m_pDdcScanningTuneBackButton, &QPushButton::clicked, this, &Self::OnScanningTuneBackButton);
    connect(ui.m_pDdcBandNameCombo, qOverload<int>(&QComboBox::activated), this,
            &Self::OnDdcBandwidthChanged);
    connect(ui.m_pDdcBandNameCombo, indexChanged, this, &Self::OnDdcBandsCombo);
    connect(ui.m_pDdcOpenFirButton, &QPushButton::clicked, this, &Self::OnDdcOpenFirButton);
    connect(ui.m_pDdcApplyBandButton, &QPushButton::clicked, this, &Self::OnDdcApplyButton);
    connect(ui.m_pDdcUpdateBandButton, &QPushButton::clicked, this, &Self::OnDdcUpdateButton);
    connect(ui.m_pDdcInsertBandButton, &QPushButton::clicked, this, &Self::OnDdcInsertButton);
    connect(ui.m_pDdcRemoveBandButton, &QPushButton::clicked, this, &Self::OnDdcRemoveButton);

    connect(ui.m_pDemodSpecAverCombo, indexChanged, this, &Self::OnDemodFftAverChanged);
    connect(ui.m_pDemodSpecReset, &QPushButton::clicked, this, &Self::OnDemodFftAverChanged);
    connect(ui.m_pDemodSpecWindowCombo, indexChanged, this, &Self::OnDemodFftWindowChanged);
    connect(ui.m_pDemodSpecEnvelopeCheck, &QCheckBox::clicked, this, &Self::OnDemodSpecEnvelope);
    connect(ui.m_pDemodWaterfallSpectrumCheck, &QCheckBox::clicked, this, &Self::OnDemodWaterfallSpectrum);
    connect(ui.m_pDemodWaterfallWriteToBufferCheck, &QCheckBox::clicked, this,
            &Self::OnDemodWaterfallWriteToBufferCheck);
    connect(ui.m_pDemodWaterfallBrowseButton, &QPushButton::clicked, this,
            &Self::OnDemodWaterfallBrowseButton);
    connect(ui.m_pDemodCombineOscEdit, &QLineEdit::textChanged, this, &Self::OnDemodCombineOscEdited);
    connect(ui.m_pDemodAudioDeviceCombo, indexChanged, this, &Self::OnDemodAudioDeviceChanged);
    connect(ui.m_pDemodUseAgcCheck, &QCheckBox::clicked, this, &Self::OnDemodUseAgcCheck);
    connect(ui.m_pDemodSoundLevelEdit, &QLineEdit::editingFinished, this, &Self::OnDemodSoundLevelEdit);
    connect(ui.m_pDemodSoundLevelDial, &QDial::valueChanged, this, &Self::OnDemodSoundLevelDial);
}

void COptionsWindow::setVisible(bool visible)
{
    if (visible)
        ui.m_pOptionsToolBox->setCurrentIndex(g_Parameters.GetInt(kOptions, QStringLiteral("Page"), 0));
    CQDockToolboxWindow::setVisible(visible);
}

void COptionsWindow::changeEvent(QEvent* event)
{
    if (event->type() != QEvent::LanguageChange)
    {
        CQDockToolboxWindow::changeEvent(event);
        return;
    }
    ui.retranslateUi(this);
    SetupOptionsWindow(RangePage, 0);
    SetupOptionsWindow(BandPage, 0);
    SetupOptionsWindow(DemodPage, 0);
}

void COptionsWindow::ShowPage(bool visible, int page)
{
    setVisible(visible);
    if (page >= RangePage && page <= DemodPage)
        ui.m_pOptionsToolBox->setCurrentIndex(page);
}

void COptionsWindow::SetPageEnabled(int page, bool enabled)
{
    ui.m_pOptionsToolBox->setItemEnabled(page, enabled);
}

void COptionsWindow::SetRangeGroupsVisible(bool spectrum, bool waterfall)
{
    ui.m_pRangeSpectrumGroupBox->setVisible(spectrum);
    ui.m_pRangeWaterfallGroupBox->setVisible(waterfall);
}

void COptionsWindow::SetDdcGroupsVisible(bool spectrum, bool waterfall, bool osc, bool vector)
{
    ui.m_pDdcSpectrumGroupBox->setVisible(spectrum);
    ui.m_pDdcWaterfallGroupBox->setVisible(waterfall);
    ui.m_pDdcOscGroupBox->setVisible(osc);
    ui.m_pDdcVectorGroupBox->setVisible(vector);
}

void COptionsWindow::SetDemodGroupsVisible(bool spectrum, bool waterfall, bool osc)
{
    ui.m_pDemodSpectrumGroupBox->setVisible(spectrum);
    ui.m_pDemodWaterfallGroupBox->setVisible(waterfall);
    ui.m_pDemodOscGroupBox->setVisible(osc);
}

int COptionsWindow::GetVectorSamples(int index) const
{
    if (index < 0 || index >= ui.m_pDdcVectorSamplesComboBox->count())
        return 0;
    return TextToInt(ui.m_pDdcVectorSamplesComboBox->itemText(index));
}

QString COptionsWindow::GetRangeWaterfallBufferPath() const
{
    return ui.m_pRangeWaterfallBufferPathEdit->text();
}

void COptionsWindow::SetRangeWaterfallTimeText(const QString& text)
{
    ui.m_pRangeWaterfallTimeLabel->setText(text);
}

void COptionsWindow::SetRangeAveragingEnabled(bool enabled)
{
    ui.m_pRangeSpecAverCombo->setEnabled(enabled);
}

void COptionsWindow::ResetRangeAveraging()
{
    ui.m_pRangeSpecAverCombo->setCurrentIndex(0);
}

void COptionsWindow::SetDdcBandIndex(int index)
{
    ui.m_pDdcBandNameCombo->setCurrentIndex(index);
}

void COptionsWindow::OnLmxCheckClicked()
{
    const auto* clicked = qobject_cast<QCheckBox*>(sender());
    int code = 0;
    for (const LmxBand& band : kLmxBands)
    {
        if (ui.*band.check == clicked)
            code = band.code;
        else
            (ui.*band.check)->setChecked(false);
    }
    SetLMX(code);
}

void COptionsWindow::SetLMX(int code)
{
    bool anyChecked = false;
    for (const LmxBand& band : kLmxBands)
        anyChecked = anyChecked || (ui.*band.check)->isChecked();
    if (!anyChecked)
        code = 0;

    // Codes 2..59 stand for the bands a hundred above them; the device value is one byte.
    const int value = (code > 1 && code < 60) ? code + 100 : code;
    if (g_DeviceThread.m_pSky)
        g_DeviceThread.m_pSky->SetLMX(static_cast<uint8_t>(value));

    if (value == 0)
    {
        m_nLmxMode = 0;
        g_FreqOffset = 0.0;
    }
    else if (code >= 110)
    {
        m_nLmxMode = 1;
        g_FreqOffset = (value - 95) * 100.0;
    }
    else
    {
        m_nLmxMode = 2;
        g_FreqOffset = value * 100.0;
    }
}

void COptionsWindow::OnLMX_Button_0()
{
    if (g_DeviceThread.m_pSky)
        g_DeviceThread.m_pSky->SetLMX(1);
}

void COptionsWindow::OnLMX_Button_1()
{
    if (g_DeviceThread.m_pSky)
        g_DeviceThread.m_pSky->SetLMX(2);
}

void COptionsWindow::OnLMX_Button_2()
{
    if (g_DeviceThread.m_pSky)
        g_DeviceThread.m_pSky->SetLMX(3);
}

void COptionsWindow::OnLMX_Button_3()
{
    // The form's "Spectrum" button has no action.
}
