#include "optionswindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDial>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBox>
#include <QVBoxLayout>

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

// The converter bands in frequency order: object name suffix, text and the code SetLMX is given.
struct LmxBand
{
    const char* suffix;
    const char* text;
    int code;
    bool hidden;  // the single-frequency bands are not offered
};
const LmxBand kLmxBands[] = {
    {"0", "5.5 GHz", 55, true},        {"4", "6-6.5 GHz", 110, false},    {"5", "6.5-7 GHz", 115, false},
    {"6", "7-7.5 GHz", 120, false},    {"7", "7.5-8 GHz", 125, false},    {"8", "8-8.5 GHz", 130, false},
    {"9", "8.5-9 GHz", 135, false},    {"", "9 GHz (full)", 1, true},     {"10", "9-9.5 GHz", 140, false},
    {"11", "9.5-10 GHz", 145, false},  {"12", "10-10.5 GHz", 150, false}, {"13", "10.5-11 GHz", 155, false},
    {"14", "11-11.5 GHz", 160, false}, {"15", "11.5-12 GHz", 165, false}, {"1", "12-12.5 GHz", 70, false},
    {"23", "12.5-13 GHz", 75, false},  {"24", "13-13.5 GHz", 80, false},  {"25", "13.5-14 GHz", 85, false},
    {"26", "14-14.5 GHz", 90, false},  {"27", "14.5-15 GHz", 95, false},  {"2", "15-15.5 GHz", 100, false},
    {"3", "15.5-16 GHz", 105, false},  {"28", "16-16.5 GHz", 10, false},  {"29", "16.5-17 GHz", 15, false},
    {"16", "17 GHz", 170, true},       {"30", "17-17.5 GHz", 20, false},  {"17", "17.5 GHz", 175, true},
    {"31", "17.5-18 GHz", 25, false},  {"18", "18 GHz", 180, true},       {"19", "18.5 GHz", 185, true},
    {"20", "19 GHz", 190, true},       {"21", "19.5 GHz", 195, true},     {"22", "20 GHz", 200, true},
};

template <typename T>
T* Named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QComboBox* NamedCombo(QWidget* parent, const char* name, const QStringList& items)
{
    QComboBox* combo = Named(new QComboBox(parent), name);
    combo->addItems(items);
    return combo;
}

// The decimal integer of a text, 0 when it is none.
int TextToInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}
}  // namespace

COptionsWindow::COptionsWindow(QWidget* parent)
    : CQDockToolboxWindow(QStringLiteral("OptionsWindow"), &m_pOptionsToolBox, parent)
{
    BuildForm();
    Connect();

    connect(m_pOptionsToolBox, &QToolBox::currentChanged, this, &CQDockToolboxWindow::OnToolBoxPageChanged);

    // The reloads run the slots of the change signals connected above, so their pushes reach the
    // device already now.
    SetupOptionsWindow(RangePage, 0);
    SetupOptionsWindow(BandPage, 0);
    SetupOptionsWindow(DemodPage, 0);

    m_pRangeComGroupBox_3->hide();
    for (const LmxCheck& lmx : m_lmxChecks)
    {
        for (const LmxBand& band : kLmxBands)
        {
            if (band.hidden && lmx.code == band.code)
                lmx.check->hide();
        }
    }
    m_pRangeRadioAttSwCheck->hide();

    m_Timer2.start(kSettleMs);
}

COptionsWindow::~COptionsWindow()
{
    const QString prefix = Prefix();
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("SpecAverMode"), m_range.averCombo->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("SpecWindow"), m_range.windowCombo->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("RadioGain"),
                        m_pRangeRadioGainComboVersion6->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("WiredGain"), m_pRangeWiredGainCombo->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("AcousticGain"),
                        m_pRangeAcousticGainCombo->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("DlaGain"), m_pRangeDlaGainCombo->currentIndex());
    g_Parameters.SetInt(kRangeOptions, QStringLiteral("DlaComm"), m_pRangeDlaCommCombo->currentIndex());
    g_Parameters.SetInt(kDdcOptions, prefix + QStringLiteral("VectorLines"),
                        m_pDdcVectorLinesCheck->isChecked() ? 1 : 0);
    g_Parameters.SetInt(kDdcOptions, prefix + QStringLiteral("SamplesIndex"),
                        m_pDdcVectorSamplesComboBox->currentIndex());
    g_Parameters.SetInt(kDdcOptions, QStringLiteral("SpecAverMode"), m_ddc.averCombo->currentIndex());
    g_Parameters.SetInt(kDdcOptions, QStringLiteral("SpecWindow"), m_ddc.windowCombo->currentIndex());
    g_Parameters.SetInt(kDemodOptions, QStringLiteral("SpecAverMode"), m_demod.averCombo->currentIndex());
    g_Parameters.SetInt(kDemodOptions, QStringLiteral("SpecWindow"), m_demod.windowCombo->currentIndex());
    // Without any audio device the list is empty: keep the operator's stored choice instead of -1.
    if (m_pDemodAudioDeviceCombo->currentIndex() >= 0)
        g_Parameters.SetInt(kDemodOptions, QStringLiteral("AudioDevice"),
                            m_pDemodAudioDeviceCombo->currentIndex());
    g_Parameters.SetInt(kDemodOptions, QStringLiteral("SoundUseAgc"),
                        m_pDemodUseAgcCheck->isChecked() ? 1 : 0);
    g_Parameters.SetDouble(kDemodOptions, QStringLiteral("SoundAgcLevel"),
                           TextToInt(m_pDemodSoundLevelEdit->text()));
    g_Parameters.SetInt(kDdcOptions, prefix + QStringLiteral("CombineOsc"),
                        TextToInt(m_pDdcCombineOscEdit->text()));
    g_Parameters.SetInt(kDemodOptions, prefix + QStringLiteral("CombineOsc"),
                        TextToInt(m_pDemodCombineOscEdit->text()));
    g_Parameters.SetInt(kOptions, QStringLiteral("Page"), m_pOptionsToolBox->currentIndex());
}

QString COptionsWindow::Prefix() const
{
    return g_DeviceThread.GetChannelPrefix(-1);
}

void COptionsWindow::BuildForm()
{
    setObjectName(QStringLiteral("COptionsWindowClass"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setMinimumSize(300, 226);

    m_pOptionsToolBox = Named(new QToolBox(this), "m_pOptionsToolBox");
    QFont font = m_pOptionsToolBox->font();
    font.setFamily(QStringLiteral("Arial"));
    m_pOptionsToolBox->setFont(font);
    m_pOptionsToolBox->addItem(BuildRangePage(), QString());
    m_pOptionsToolBox->addItem(BuildBandPage(), QString());
    m_pOptionsToolBox->addItem(BuildDemodPage(), QString());
    m_pOptionsToolBox->setCurrentIndex(RangePage);
    setWidget(m_pOptionsToolBox);
    RetranslateUi();
}

COptionsWindow::SpectrumGroup COptionsWindow::BuildSpectrumGroup(QWidget* page, const QString& prefix)
{
    SpectrumGroup group;
    group.box = new QGroupBox(page);
    group.box->setObjectName(QStringLiteral("m_p%1SpectrumGroupBox").arg(prefix));
    group.averCombo = new QComboBox(group.box);
    group.averCombo->setObjectName(QStringLiteral("m_p%1SpecAverCombo").arg(prefix));
    group.resetButton = new QPushButton(group.box);
    group.resetButton->setObjectName(QStringLiteral("m_p%1SpecReset").arg(prefix));
    group.windowCombo = new QComboBox(group.box);
    group.windowCombo->setObjectName(QStringLiteral("m_p%1SpecWindowCombo").arg(prefix));
    group.envelopeCheck = new QCheckBox(group.box);
    group.envelopeCheck->setObjectName(QStringLiteral("m_p%1SpecEnvelopeCheck").arg(prefix));
    auto* layout = new QGridLayout(group.box);
    layout->addWidget(group.averCombo, 0, 0);
    layout->addWidget(group.resetButton, 0, 1);
    layout->addWidget(group.windowCombo, 1, 0, 1, 2);
    layout->addWidget(group.envelopeCheck, 2, 0, 1, 2);
    page->layout()->addWidget(group.box);
    return group;
}

COptionsWindow::WaterfallGroup COptionsWindow::BuildWaterfallGroup(QWidget* page, const QString& prefix)
{
    WaterfallGroup group;
    group.box = new QGroupBox(page);
    group.box->setObjectName(QStringLiteral("m_p%1WaterfallGroupBox").arg(prefix));
    group.spectrumCheck = new QCheckBox(group.box);
    group.spectrumCheck->setObjectName(QStringLiteral("m_p%1WaterfallSpectrumCheck").arg(prefix));
    group.writeToBufferCheck = new QCheckBox(group.box);
    group.writeToBufferCheck->setObjectName(QStringLiteral("m_p%1WaterfallWriteToBufferCheck").arg(prefix));
    group.bufferPathEdit = new QLineEdit(group.box);
    group.bufferPathEdit->setObjectName(QStringLiteral("m_p%1WaterfallBufferPathEdit").arg(prefix));
    group.bufferPathEdit->setReadOnly(true);
    group.browseButton = new QPushButton(group.box);
    group.browseButton->setObjectName(QStringLiteral("m_p%1WaterfallBrowseButton").arg(prefix));
    group.browseButton->setMaximumWidth(25);
    auto* layout = new QGridLayout(group.box);
    layout->addWidget(group.spectrumCheck, 0, 0, 1, 3);
    layout->addWidget(group.writeToBufferCheck, 1, 0);
    layout->addWidget(group.bufferPathEdit, 1, 1);
    layout->addWidget(group.browseButton, 1, 2);
    page->layout()->addWidget(group.box);
    return group;
}

QWidget* COptionsWindow::BuildRangePage()
{
    auto* page = Named(new QWidget, "m_pRangeOptionsPage");
    auto* layout = new QVBoxLayout(page);

    m_range = BuildSpectrumGroup(page, QStringLiteral("Range"));
    m_rangeWaterfall = BuildWaterfallGroup(page, QStringLiteral("Range"));
    m_pRangeWaterfallTimeLabel = Named(new QLabel(m_rangeWaterfall.box), "m_pRangeWaterfallTimeLabel");
    static_cast<QGridLayout*>(m_rangeWaterfall.box->layout())
        ->addWidget(m_pRangeWaterfallTimeLabel, 2, 0, 1, 3);

    auto oneComboGroup = [&](QGroupBox** box, const char* boxName, QComboBox** combo, const char* comboName,
                             const QStringList& items)
    {
        *box = Named(new QGroupBox(page), boxName);
        *combo = NamedCombo(*box, comboName, items);
        (new QVBoxLayout(*box))->addWidget(*combo);
        layout->addWidget(*box);
    };
    oneComboGroup(&m_pRangeRadioGroupBox, "m_pRangeRadioGroupBox", &m_pRangeRadioGainComboVersion6,
                  "m_pRangeRadioGainComboVersion6",
                  {"-3 dB", "+3 dB", "+12 dB", "+21 dB", "+30 dB", "+36 dB", "+45 dB", "+51 dB", "+60 dB"});
    oneComboGroup(&m_pRangeWiredGroupBox, "m_pRangeWiredGroupBox", &m_pRangeWiredGainCombo,
                  "m_pRangeWiredGainCombo",
                  {"Auto", "-5 dB", "1 dB", "7 dB", "13 dB", "19 dB", "25 dB", "31 dB", "37 dB"});
    oneComboGroup(&m_pRangeAcousticGroupBox, "m_pRangeAcousticGroupBox", &m_pRangeAcousticGainCombo,
                  "m_pRangeAcousticGainCombo",
                  {"Auto", "0 dB", "6 dB", "12 dB", "18 dB", "24 dB", "30 dB", "36 dB"});
    oneComboGroup(&m_pRangeDlaGroupBox, "m_pRangeDlaGroupBox", &m_pRangeDlaGainCombo, "m_pRangeDlaGainCombo",
                  {"Auto", "0 dB", "14 dB", "26 dB", "38 dB", "56 dB", "76 dB", "96 dB"});
    oneComboGroup(&m_pRangeCommGroupBox, "m_pRangeCommGroupBox", &m_pRangeDlaCommCombo,
                  "m_pRangeDlaCommCombo",
                  {"4-5", "3-6", "1-2", "7-8", "Select", "1-3", "Negative", "No connection"});

    QStringList attItems;
    for (int db = 0; db <= 15; ++db)
        attItems << QStringLiteral("%1 dB").arg(db);
    oneComboGroup(&m_pRangeAttGroupBox_2, "m_pRangeAttGroupBox_2", &m_pRangeRadioAttCombo,
                  "m_pRangeRadioAttCombo", attItems);
    m_pRangeRadioAttSwCheck = Named(new QCheckBox(m_pRangeAttGroupBox_2), "m_pRangeRadioAttSwCheck");
    m_pRangeAttGroupBox_2->layout()->addWidget(m_pRangeRadioAttSwCheck);

    m_pRangeAttGroupBox = Named(new QGroupBox(page), "m_pRangeAttGroupBox");
    m_pRangeRadioAmplSwCheck = Named(new QCheckBox(m_pRangeAttGroupBox), "m_pRangeRadioAmplSwCheck");
    (new QVBoxLayout(m_pRangeAttGroupBox))->addWidget(m_pRangeRadioAmplSwCheck);
    layout->addWidget(m_pRangeAttGroupBox);

    QStringList filterItems;
    for (int i = 0; i < 12; ++i)
        filterItems << QStringLiteral("%1 MHz").arg(60 - 5 * i);
    oneComboGroup(&m_pRangeComGroupBox_3, "m_pRangeComGroupBox_3", &m_pRangeRadioFilterCombo,
                  "m_pRangeRadioFilterCombo", filterItems);

    m_pRangeComGroupBox = Named(new QGroupBox(page), "m_pRangeComGroupBox");
    auto* antennaLayout = new QGridLayout(m_pRangeComGroupBox);
    m_pLabelAntenna = Named(new QLabel(m_pRangeComGroupBox), "m_pLabelAntenna");
    m_pManualSwitchRadio = Named(new QRadioButton(m_pRangeComGroupBox), "m_pManualSwitchRadio");
    m_pAutoSwitchRadio = Named(new QRadioButton(m_pRangeComGroupBox), "m_pAutoSwitchRadio");
    antennaLayout->addWidget(m_pLabelAntenna, 0, 0);
    antennaLayout->addWidget(m_pManualSwitchRadio, 0, 1);
    antennaLayout->addWidget(m_pAutoSwitchRadio, 0, 2);
    for (int i = 0; i < 4; ++i)
    {
        m_pCommButtons[i] = new QPushButton(m_pRangeComGroupBox);
        m_pCommButtons[i]->setObjectName(QStringLiteral("m_pComm%1Button").arg(i + 1));
        m_pCommButtons[i]->setCheckable(true);
        antennaLayout->addWidget(m_pCommButtons[i], 1, i);
    }
    m_pRangeRadioComCombo = NamedCombo(m_pRangeComGroupBox, "m_pRangeRadioComCombo",
                                       {"1 Channel", "2 Channel", "3 Channel", "4 Channel"});
    antennaLayout->addWidget(m_pRangeRadioComCombo, 2, 0, 1, 4);
    layout->addWidget(m_pRangeComGroupBox);

    m_pRangeComGroupBox_2 = Named(new QGroupBox(page), "m_pRangeComGroupBox_2");
    auto* grid = new QGridLayout(m_pRangeComGroupBox_2);
    int cell = 0;
    for (const LmxBand& band : kLmxBands)
    {
        auto* check = new QCheckBox(QString::fromLatin1(band.text), m_pRangeComGroupBox_2);
        check->setObjectName(QStringLiteral("m_pLMX_Check_") + QLatin1String(band.suffix));
        grid->addWidget(check, cell / 2, cell % 2);
        ++cell;
        m_lmxChecks.push_back({check, band.code});
    }
    layout->addWidget(m_pRangeComGroupBox_2);
    layout->addStretch(1);
    return page;
}

QWidget* COptionsWindow::BuildBandPage()
{
    auto* page = Named(new QWidget, "m_pDdcOptionsPage");
    auto* layout = new QVBoxLayout(page);

    m_pDdcBandwidthGroupBox = Named(new QGroupBox(page), "m_pDdcBandwidthGroupBox");
    m_pDdcBandNameCombo = Named(new QComboBox(m_pDdcBandwidthGroupBox), "m_pDdcBandNameCombo");
    (new QVBoxLayout(m_pDdcBandwidthGroupBox))->addWidget(m_pDdcBandNameCombo);
    layout->addWidget(m_pDdcBandwidthGroupBox);

    m_ddc = BuildSpectrumGroup(page, QStringLiteral("Ddc"));
    m_ddcWaterfall = BuildWaterfallGroup(page, QStringLiteral("Ddc"));

    m_pDdcOscGroupBox = Named(new QGroupBox(page), "m_pDdcOscGroupBox");
    m_pDdcCombineOscEdit =
        Named(new QLineEdit(QStringLiteral("1"), m_pDdcOscGroupBox), "m_pDdcCombineOscEdit");
    (new QVBoxLayout(m_pDdcOscGroupBox))->addWidget(m_pDdcCombineOscEdit);
    layout->addWidget(m_pDdcOscGroupBox);

    m_pDdcVectorGroupBox = Named(new QGroupBox(page), "m_pDdcVectorGroupBox");
    m_pDdcVectorLinesCheck = Named(new QCheckBox(m_pDdcVectorGroupBox), "m_pDdcVectorLinesCheck");
    m_pDdcVectorSamplesComboBox = NamedCombo(m_pDdcVectorGroupBox, "m_pDdcVectorSamplesComboBox",
                                             {"256", "512", "1024", "2048", "4096"});
    auto* vectorLayout = new QVBoxLayout(m_pDdcVectorGroupBox);
    vectorLayout->addWidget(m_pDdcVectorLinesCheck);
    vectorLayout->addWidget(m_pDdcVectorSamplesComboBox);
    layout->addWidget(m_pDdcVectorGroupBox);
    layout->addStretch(1);
    return page;
}

QWidget* COptionsWindow::BuildDemodPage()
{
    auto* page = Named(new QWidget, "m_pDemodulationOptionPage");
    auto* layout = new QVBoxLayout(page);

    m_demod = BuildSpectrumGroup(page, QStringLiteral("Demod"));
    m_demodWaterfall = BuildWaterfallGroup(page, QStringLiteral("Demod"));

    m_pDemodOscGroupBox = Named(new QGroupBox(page), "m_pDemodOscGroupBox");
    m_pDemodCombineOscEdit =
        Named(new QLineEdit(QStringLiteral("1"), m_pDemodOscGroupBox), "m_pDemodCombineOscEdit");
    (new QVBoxLayout(m_pDemodOscGroupBox))->addWidget(m_pDemodCombineOscEdit);
    layout->addWidget(m_pDemodOscGroupBox);

    m_pDemodSoundGroupBox = Named(new QGroupBox(page), "m_pDemodSoundGroupBox");
    m_pDemodAudioDeviceCombo = Named(new QComboBox(m_pDemodSoundGroupBox), "m_pDemodAudioDeviceCombo");
    m_pDemodUseAgcCheck = Named(new QCheckBox(m_pDemodSoundGroupBox), "m_pDemodUseAgcCheck");
    m_pDemodUseAgcCheck->setChecked(true);
    m_pDemodSoundLevelEdit = Named(new QLineEdit(m_pDemodSoundGroupBox), "m_pDemodSoundLevelEdit");
    m_pDemodSoundLevelEdit->setEnabled(false);
    m_pDemodSoundLevelDial = Named(new QDial(m_pDemodSoundGroupBox), "m_pDemodSoundLevelDial");
    m_pDemodSoundLevelDial->setRange(0, 100);
    m_pDemodSoundLevelDial->setPageStep(10);
    m_pDemodSoundLevelDial->setNotchesVisible(true);
    m_pDemodSoundLevelDial->setMinimumHeight(100);
    m_pDemodSoundLevelDial->setEnabled(false);
    auto* soundLayout = new QVBoxLayout(m_pDemodSoundGroupBox);
    soundLayout->addWidget(m_pDemodAudioDeviceCombo);
    soundLayout->addWidget(m_pDemodUseAgcCheck);
    soundLayout->addWidget(m_pDemodSoundLevelEdit);
    soundLayout->addWidget(m_pDemodSoundLevelDial);
    layout->addWidget(m_pDemodSoundGroupBox);
    layout->addStretch(1);
    return page;
}

void COptionsWindow::RetranslateUi()
{
    setWindowTitle(tr("Options"));
    m_pOptionsToolBox->setItemText(RangePage, tr("Full Range Options"));
    m_pOptionsToolBox->setItemText(BandPage, tr("Band Options"));
    m_pOptionsToolBox->setItemText(DemodPage, tr("Demodulation Options"));
    for (const SpectrumGroup* group : {&m_range, &m_ddc, &m_demod})
    {
        group->box->setTitle(tr("Spectrum"));
        group->resetButton->setText(tr("Reset"));
        group->envelopeCheck->setText(tr("Show Envelope"));
    }
    for (const WaterfallGroup* group : {&m_rangeWaterfall, &m_ddcWaterfall, &m_demodWaterfall})
    {
        group->box->setTitle(tr("Waterfall"));
        group->spectrumCheck->setText(tr("Show Spectrum"));
        group->writeToBufferCheck->setText(tr("Write to buffer"));
        group->browseButton->setText(QStringLiteral("..."));
    }
    m_pRangeWaterfallTimeLabel->setText(tr("Recording time available: n/a"));
    for (QGroupBox* box :
         {m_pRangeRadioGroupBox, m_pRangeWiredGroupBox, m_pRangeAcousticGroupBox, m_pRangeDlaGroupBox})
        box->setTitle(tr("Input Gain"));
    m_pRangeCommGroupBox->setTitle(tr("Connector"));
    m_pRangeAttGroupBox_2->setTitle(tr("Attenuator"));
    m_pRangeRadioAttSwCheck->setText(tr("Direct"));
    m_pRangeAttGroupBox->setTitle(tr("Amplifier"));
    m_pRangeRadioAmplSwCheck->setText(tr("Enable"));
    m_pRangeComGroupBox_3->setTitle(tr("Filter"));
    m_pRangeComGroupBox_2->setTitle(tr("6-18 GHz"));
    m_pRangeComGroupBox->setTitle(tr("Antenna switch"));
    m_pLabelAntenna->setText(tr("Not available"));
    m_pManualSwitchRadio->setText(tr("Manual"));
    m_pAutoSwitchRadio->setText(tr("Auto"));
    for (int i = 0; i < 4; ++i)
        m_pCommButtons[i]->setText(QStringLiteral("ANT%1").arg(i + 1));
    m_pDdcBandwidthGroupBox->setTitle(tr("Bandwidth"));
    m_pDdcOscGroupBox->setTitle(tr("Oscillogram"));
    m_pDdcVectorGroupBox->setTitle(tr("Vector"));
    m_pDdcVectorLinesCheck->setText(tr("Lines"));
    m_pDemodOscGroupBox->setTitle(tr("Oscillogram"));
    m_pDemodSoundGroupBox->setTitle(tr("Sound"));
    m_pDemodUseAgcCheck->setText(tr("Use AGC"));
    // The form's own texts come back with a language change, the combine counts included.
    m_pDdcCombineOscEdit->setText(QStringLiteral("1"));
    m_pDemodCombineOscEdit->setText(QStringLiteral("1"));
}

void COptionsWindow::Connect()
{
    using Self = COptionsWindow;
    const auto indexChanged = qOverload<int>(&QComboBox::currentIndexChanged);
    connect(&m_Timer, &QTimer::timeout, this, &Self::OnTimer);
    connect(&m_Timer2, &QTimer::timeout, this, &Self::OnTimer2);

    connect(m_range.averCombo, indexChanged, this, &Self::OnRangeFftAverChanged);
    connect(m_range.resetButton, &QPushButton::clicked, this, &Self::OnRangeFftAverChanged);
    connect(m_range.windowCombo, indexChanged, this, &Self::OnRangeFftWindowChanged);
    connect(m_range.envelopeCheck, &QCheckBox::clicked, this, &Self::OnRangeSpecEnvelope);
    connect(m_rangeWaterfall.spectrumCheck, &QCheckBox::clicked, this, &Self::OnRangeWaterfallSpectrum);
    connect(m_rangeWaterfall.writeToBufferCheck, &QCheckBox::clicked, this,
            &Self::OnRangeWaterfallWriteToBufferCheck);
    connect(m_rangeWaterfall.browseButton, &QPushButton::clicked, this, &Self::OnRangeWaterfallBrowseButton);
    connect(m_pCommButtons[0], &QPushButton::clicked, this, &Self::OnComm1Button);
    connect(m_pCommButtons[1], &QPushButton::clicked, this, &Self::OnComm2Button);
    connect(m_pCommButtons[2], &QPushButton::clicked, this, &Self::OnComm3Button);
    connect(m_pCommButtons[3], &QPushButton::clicked, this, &Self::OnComm4Button);
    connect(m_pManualSwitchRadio, &QRadioButton::clicked, this, &Self::OnManualSwitchRadio);
    connect(m_pAutoSwitchRadio, &QRadioButton::clicked, this, &Self::OnAutoSwitchRadio);
    connect(m_pRangeRadioGainComboVersion6, indexChanged, this, &Self::OnRangeRadioGainCombo);
    for (const LmxCheck& lmx : m_lmxChecks)
        connect(lmx.check, &QCheckBox::clicked, this, &Self::OnLmxCheckClicked);
    connect(m_pRangeWiredGainCombo, indexChanged, this, &Self::OnRangeWiredGainCombo);
    connect(m_pRangeAcousticGainCombo, indexChanged, this, &Self::OnRangeAcousticGainCombo);
    connect(m_pRangeDlaCommCombo, indexChanged, this, &Self::OnRangeDlaCommCombo);
    connect(m_pRangeDlaGainCombo, indexChanged, this, &Self::OnRangeDlaGainCombo);
    connect(m_pRangeRadioAttCombo, indexChanged, this, &Self::OnRangeRadioAttCombo);
    connect(m_pRangeRadioAttSwCheck, &QCheckBox::clicked, this, &Self::OnRangeRadioAttSwCheck);
    connect(m_pRangeRadioAmplSwCheck, &QCheckBox::clicked, this, &Self::OnRangeRadioAmplSwCheck);
    connect(m_pRangeRadioFilterCombo, indexChanged, this, &Self::OnRangeRadioFilterCombo);
    connect(m_pRangeRadioComCombo, indexChanged, this, &Self::OnRangeRadioComCombo);

    connect(m_ddc.averCombo, indexChanged, this, &Self::OnDdcFftAverChanged);
    connect(m_ddc.resetButton, &QPushButton::clicked, this, &Self::OnDdcFftAverChanged);
    connect(m_ddc.windowCombo, indexChanged, this, &Self::OnDdcFftWindowChanged);
    connect(m_ddc.envelopeCheck, &QCheckBox::clicked, this, &Self::OnDdcSpecEnvelope);
    connect(m_ddcWaterfall.spectrumCheck, &QCheckBox::clicked, this, &Self::OnDdcWaterfallSpectrum);
    connect(m_ddcWaterfall.writeToBufferCheck, &QCheckBox::clicked, this,
            &Self::OnDdcWaterfallWriteToBufferCheck);
    connect(m_ddcWaterfall.browseButton, &QPushButton::clicked, this, &Self::OnDdcWaterfallBrowseButton);
    connect(m_pDdcCombineOscEdit, &QLineEdit::textChanged, this, &Self::OnDdcCombineOscEdited);
    connect(m_pDdcVectorLinesCheck, &QCheckBox::clicked, this, &Self::OnDdcVectorLinesCheck);
    connect(m_pDdcVectorSamplesComboBox, &QComboBox::textActivated, this, &Self::OnDdcVectorSamplesComboBox);
    connect(m_pDdcBandNameCombo, qOverload<int>(&QComboBox::activated), this, &Self::OnDdcBandwidthChanged);

    connect(m_demod.averCombo, indexChanged, this, &Self::OnDemodFftAverChanged);
    connect(m_demod.resetButton, &QPushButton::clicked, this, &Self::OnDemodFftAverChanged);
    connect(m_demod.windowCombo, indexChanged, this, &Self::OnDemodFftWindowChanged);
    connect(m_demod.envelopeCheck, &QCheckBox::clicked, this, &Self::OnDemodSpecEnvelope);
    connect(m_demodWaterfall.spectrumCheck, &QCheckBox::clicked, this, &Self::OnDemodWaterfallSpectrum);
    connect(m_demodWaterfall.writeToBufferCheck, &QCheckBox::clicked, this,
            &Self::OnDemodWaterfallWriteToBufferCheck);
    connect(m_demodWaterfall.browseButton, &QPushButton::clicked, this, &Self::OnDemodWaterfallBrowseButton);
    connect(m_pDemodCombineOscEdit, &QLineEdit::textChanged, this, &Self::OnDemodCombineOscEdited);
    connect(m_pDemodAudioDeviceCombo, indexChanged, this, &Self::OnDemodAudioDeviceChanged);
    connect(m_pDemodUseAgcCheck, &QCheckBox::clicked, this, &Self::OnDemodUseAgcCheck);
    connect(m_pDemodSoundLevelEdit, &QLineEdit::editingFinished, this, &Self::OnDemodSoundLevelEdit);
    connect(m_pDemodSoundLevelDial, &QDial::valueChanged, this, &Self::OnDemodSoundLevelDial);
}

void COptionsWindow::setVisible(bool visible)
{
    if (visible)
        m_pOptionsToolBox->setCurrentIndex(g_Parameters.GetInt(kOptions, QStringLiteral("Page"), 0));
    CQDockToolboxWindow::setVisible(visible);
}

void COptionsWindow::changeEvent(QEvent* event)
{
    if (event->type() != QEvent::LanguageChange)
    {
        CQDockToolboxWindow::changeEvent(event);
        return;
    }
    RetranslateUi();
    SetupOptionsWindow(RangePage, 0);
    SetupOptionsWindow(BandPage, 0);
    SetupOptionsWindow(DemodPage, 0);
}

void COptionsWindow::ShowPage(bool visible, int page)
{
    setVisible(visible);
    if (page >= RangePage && page <= DemodPage)
        m_pOptionsToolBox->setCurrentIndex(page);
}

void COptionsWindow::SetPageEnabled(int page, bool enabled)
{
    m_pOptionsToolBox->setItemEnabled(page, enabled);
}

void COptionsWindow::SetRangeGroupsVisible(bool spectrum, bool waterfall)
{
    m_range.box->setVisible(spectrum);
    m_rangeWaterfall.box->setVisible(waterfall);
}

void COptionsWindow::SetDdcGroupsVisible(bool spectrum, bool waterfall, bool osc, bool vector)
{
    m_ddc.box->setVisible(spectrum);
    m_ddcWaterfall.box->setVisible(waterfall);
    m_pDdcOscGroupBox->setVisible(osc);
    m_pDdcVectorGroupBox->setVisible(vector);
}

void COptionsWindow::SetDemodGroupsVisible(bool spectrum, bool waterfall, bool osc)
{
    m_demod.box->setVisible(spectrum);
    m_demodWaterfall.box->setVisible(waterfall);
    m_pDemodOscGroupBox->setVisible(osc);
}

int COptionsWindow::GetVectorSamples(int index) const
{
    if (index < 0 || index >= m_pDdcVectorSamplesComboBox->count())
        return 0;
    return TextToInt(m_pDdcVectorSamplesComboBox->itemText(index));
}

QString COptionsWindow::GetRangeWaterfallBufferPath() const
{
    return m_rangeWaterfall.bufferPathEdit->text();
}

void COptionsWindow::SetRangeWaterfallTimeText(const QString& text)
{
    m_pRangeWaterfallTimeLabel->setText(text);
}

void COptionsWindow::SetRangeAveragingEnabled(bool enabled)
{
    m_range.averCombo->setEnabled(enabled);
}

void COptionsWindow::ResetRangeAveraging()
{
    m_range.averCombo->setCurrentIndex(0);
}

void COptionsWindow::SetDdcBandIndex(int index)
{
    m_pDdcBandNameCombo->setCurrentIndex(index);
}

void COptionsWindow::OnLmxCheckClicked()
{
    const auto* clicked = qobject_cast<QCheckBox*>(sender());
    int code = 0;
    for (const LmxCheck& lmx : m_lmxChecks)
    {
        if (lmx.check == clicked)
            code = lmx.code;
        else
            lmx.check->setChecked(false);
    }
    SetLMX(code);
}

void COptionsWindow::SetLMX(int code)
{
    bool anyChecked = false;
    for (const LmxCheck& lmx : m_lmxChecks)
        anyChecked = anyChecked || lmx.check->isChecked();
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
