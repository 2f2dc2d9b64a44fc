// The generator window: how bands and modes set the controls and the parameter block, the block's
// rules, and what reaches the core.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QWheelEvent>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <string>

#include "fakeiiod.h"
#include "generatorcore.h"
#include "kelthar.h"
#include "scriptedprompt.h"
#include "zantigo.h"

namespace
{
constexpr int kCarrier = 12;
constexpr int kModulation = 40;
constexpr int kPoints = 176;
constexpr int kOctave = 197;
constexpr int kThirdOctave = 198;
constexpr int kBand = 199;
constexpr int kSelection = 200;
constexpr int kPowerSent = 207;
constexpr int kRfStep = 208;
constexpr int kLfStep = 209;
constexpr int kSmsCounter = 211;
constexpr int kIq = 212;
constexpr int kRate = 216;

using Block = std::array<uint8_t, sizeof(GENERATOR_PARAMS)>;

uint32_t U32(const uint8_t* block, int offset)
{
    return block[offset] | (block[offset + 1] << 8) | (block[offset + 2] << 16) |
           (static_cast<uint32_t>(block[offset + 3]) << 24);
}

uint32_t Carrier(const Block& block, int band)
{
    return U32(block.data(), kCarrier + 4 * band);
}

QStringList Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// The rows and panels a band or mode shows or hides.
const QStringList kSwitchedControls = {
    "m_pModulationRow",  "m_pDeviationRow",  "m_pNumChRow",     "m_pNumPtRow",      "m_pBandFreqRow",
    "m_pRatioRow",       "m_pPulseGroupBox", "m_pSmsGroupBox",  "m_pFreqPanel",     "m_pFixedPanel",
    "m_pCarrierTypeRow", "m_pPowerRFCombo",  "m_pPowerLFCombo", "m_pPowerUHFCombo", "m_pMethodLabel"};

class ZantigoTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_window = std::make_unique<Zantigo>(nullptr, &m_core);
        m_window->show();
    }

    template <typename T>
    T* Child(const char* name) const
    {
        T* child = m_window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    uint8_t& Byte(int offset) { return m_window->GetBlock()[offset]; }
    QStringList Shown() const
    {
        QStringList shown;
        for (const QString& name : kSwitchedControls)
        {
            const QWidget* widget = m_window->findChild<QWidget*>(name);
            EXPECT_NE(widget, nullptr) << name.toStdString();
            if (widget && widget->isVisible())
                shown << name;
        }
        return shown;
    }
    QStringList ShownModes() const
    {
        QStringList shown;
        for (QRadioButton* radio : m_window->findChildren<QRadioButton*>())
            if (radio->isVisible())
                shown << radio->text();
        return shown;
    }
    // Ticks until the block rests: the first tick after a band with an RF list fills the list, which
    // the next tick reads back.
    void Settle()
    {
        m_window->OnTimer();
        m_window->OnTimer();
    }
    // Runs the tick and returns the block it sent.
    Block Tick()
    {
        const size_t before = m_core.sent.size();
        m_window->OnTimer();
        EXPECT_EQ(m_core.sent.size(), before + 1);
        return m_core.sent.empty() ? Block{} : m_core.sent.back();
    }
    void SelectMode(int band, int sel)
    {
        Byte(kSelection + band) = static_cast<uint8_t>(sel);
        QMetaObject::invokeMethod(m_window.get(),
                                  QStringLiteral("OnButton%1").arg(band).toLatin1().constData());
    }

    CScriptedPrompt m_prompt;  // any message nobody scripted fails the test
    CGeneratorCore m_core;
    std::unique_ptr<Zantigo> m_window;
};

// Each band and mode: the controls shown, the lists filled and the bytes the block then carries.
TEST_F(ZantigoTest, ModesShowTheirControlsAndSetTheirBlockBytes)
{
    const QStringList audio = {"1 KHz", "5 KHz", "20 KHz"};
    const QStringList pulses = {"1 Hz", "10 Hz", "20 Hz", "50 Hz", "100 Hz"};
    const QStringList symbolBands = {"0.75 MHz", "1.5 MHz", "3 MHz", "6 MHz", "12 MHz", "24 MHz"};
    const QStringList band0Modes = {"OFF", "AM", "FM", "FSK", "FHSS", "DSSS", "PULSE", "QAM", "PSK", "OFDM"};
    const QStringList band1Modes = {"GSM-900", "GSM-1800",  "CDMA-450", "3G-2100",  "4G-2600",
                                    "DECT",    "WLAN 2.4G", "WLAN 5G",  "BLUETOOTH"};
    const struct
    {
        const char* name;
        int band;
        int storedSel;
        int sel;
        QStringList modes;
        QStringList shown;
        QString modulationLabel;
        QStringList modulation;
        QStringList points;
        int iq;
        uint32_t rate;
    } cases[] = {
        {"band 0 OFF",
         0,
         0,
         0,
         band0Modes,
         {"m_pFreqPanel", "m_pPowerRFCombo", "m_pMethodLabel"},
         "Modulation Frequency:",
         {},
         {},
         1,
         200000},
        {"band 0 FM",
         0,
         2,
         2,
         band0Modes,
         {"m_pModulationRow", "m_pDeviationRow", "m_pFreqPanel", "m_pPowerRFCombo", "m_pMethodLabel"},
         "Modulation Frequency:",
         audio,
         {},
         1,
         200000},
        {"band 0 FHSS",
         0,
         4,
         4,
         band0Modes,
         {"m_pModulationRow", "m_pNumChRow", "m_pBandFreqRow", "m_pFreqPanel", "m_pPowerRFCombo",
          "m_pMethodLabel"},
         "Hopping Frequency:",
         {"500 Hz", "1 KHz", "3 KHz", "10 KHz"},
         {},
         1,
         200000},
        {"band 0 DSSS",
         0,
         5,
         5,
         band0Modes,
         {"m_pModulationRow", "m_pFreqPanel", "m_pPowerRFCombo", "m_pMethodLabel"},
         "Frequency Band:",
         {"1.5 MHz", "3 MHz", "6 MHz", "12 MHz", "24 MHz", "48 MHz"},
         {},
         1,
         200000},
        {"band 0 PULSE",
         0,
         6,
         6,
         band0Modes,
         {"m_pPulseGroupBox", "m_pFreqPanel", "m_pPowerRFCombo", "m_pMethodLabel"},
         "Modulation Frequency:",
         pulses,
         {},
         0,
         200000},
        {"band 0 PSK",
         0,
         18,
         18,
         band0Modes,
         {"m_pModulationRow", "m_pNumPtRow", "m_pFreqPanel", "m_pPowerRFCombo", "m_pMethodLabel"},
         "Frequency Band:",
         symbolBands,
         {"2 (BPSK)", "4 (QPSK)", "8", "16", "32", "64"},
         1,
         200000},
        {"band 1 raises a low selection to GSM-900",
         1,
         3,
         8,
         band1Modes,
         {"m_pSmsGroupBox", "m_pFreqPanel", "m_pPowerRFCombo"},
         "Modulation Frequency:",
         {},
         {},
         0,
         200000},
        {"band 1 3G",
         1,
         11,
         11,
         band1Modes,
         {"m_pSmsGroupBox", "m_pFixedPanel", "m_pPowerRFCombo"},
         "Modulation Frequency:",
         {},
         {},
         1,
         3330000},
        {"band 1 DECT",
         1,
         13,
         13,
         band1Modes,
         {"m_pFixedPanel", "m_pPowerRFCombo"},
         "Modulation Frequency:",
         {},
         {},
         0,
         200000},
        {"band 1 WLAN 5G",
         1,
         15,
         15,
         band1Modes,
         {"m_pFixedPanel", "m_pPowerRFCombo"},
         "Modulation Frequency:",
         {},
         {},
         1,
         13320000},
        {"band 1 BLUETOOTH",
         1,
         16,
         16,
         band1Modes,
         {"m_pFixedPanel", "m_pPowerRFCombo"},
         "Modulation Frequency:",
         {},
         {},
         1,
         40000000},
        {"band 2 PWM",
         2,
         7,
         7,
         {"OFF", "AM", "FM", "PWM"},
         {"m_pModulationRow", "m_pRatioRow", "m_pFreqPanel", "m_pCarrierTypeRow", "m_pPowerLFCombo"},
         "Modulation Frequency:",
         pulses,
         {},
         0,
         200000},
        {"band 4 offers no AM",
         4,
         0,
         0,
         {"OFF", "FM", "PWM"},
         {"m_pFreqPanel", "m_pPowerLFCombo"},
         "Modulation Frequency:",
         {},
         {},
         1,
         200000},
        {"band 6 PCM",
         6,
         1,
         1,
         {"OFF", "PCM"},
         {"m_pModulationRow", "m_pFixedPanel"},
         "Modulation Frequency:",
         audio,
         {},
         1,
         200000},
        // A stored FM is restored although band 6 does not offer it, and shows no deviation row.
        {"band 6 restored FM",
         6,
         2,
         2,
         {"OFF", "PCM"},
         {"m_pModulationRow", "m_pFixedPanel"},
         "Modulation Frequency:",
         audio,
         {},
         1,
         200000},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        SelectMode(c.band, c.storedSel);
        EXPECT_EQ(ShownModes(), c.modes);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(Child<QLabel>("m_pModulationFreqLabel")->text(), c.modulationLabel);
        EXPECT_EQ(Items(Child<QComboBox>("m_pModulationFreqCombo")), c.modulation);
        EXPECT_EQ(Items(Child<QComboBox>("m_pNumPtCombo")), c.points);
        EXPECT_TRUE(Child<QPushButton>(QStringLiteral("m_pButton%1").arg(c.band).toLatin1().constData())
                        ->isChecked());

        m_window->SetPowerOn(true);
        const Block sent = m_core.sent.empty() ? Block{} : m_core.sent.back();
        EXPECT_EQ(sent[kBand], c.band);
        EXPECT_EQ(sent[kSelection + c.band], c.sel);
        EXPECT_EQ(sent[kIq], c.iq);
        EXPECT_EQ(U32(sent.data(), kRate), c.rate);
        // The mode flags and the options nobody may change stay out of sight.
        for (const char* hidden :
             {"m_pAddCheckBox_0", "m_pAddCheckBox_1", "m_pAddCheckBox_2", "m_pAddCheckBox_3",
              "m_pAddCheckBox_4", "m_pBwEdit", "m_pButton2", "m_pButton6"})
            EXPECT_FALSE(Child<QWidget>(hidden)->isVisible()) << hidden;
        EXPECT_EQ(Child<QCheckBox>("m_pAddCheckBox_0")->isChecked(), c.iq != 0);
    }
}

// Band 1 shows its standard carrier in whole MHz and the block carries it, even after a band whose
// narrow range the spin box still had.
TEST_F(ZantigoTest, StandardCarrierOfBandOneReachesTheBlock)
{
    SelectMode(2, 0);
    SelectMode(1, 3);
    EXPECT_TRUE(Child<QRadioButton>("m_pRadio7")->isChecked());
    EXPECT_EQ(Child<QGroupBox>("m_pModulationGroupBox")->title(), "Standard");
    EXPECT_DOUBLE_EQ(Child<QDoubleSpinBox>("m_pFreqSpin")->value(), 898.0);
    EXPECT_EQ(Child<QLabel>("m_pFreqLabel")->text(), "898 MHz");
    EXPECT_EQ(Carrier(Tick(), 1), 898000u);

    // Another standard, picked by its button.
    Child<QRadioButton>("m_pRadio11")->click();
    EXPECT_EQ(Child<QLabel>("m_pFreqLabel")->text(), "2502 MHz");
    const Block sent = Tick();
    EXPECT_EQ(Carrier(sent, 1), 2502000u);
    EXPECT_EQ(sent[kSelection + 1], 12);

    // Band 0 again: the title and the AM caption come back, band 1's choice is kept in its byte.
    SelectMode(6, 1);
    SelectMode(0, 1);
    EXPECT_EQ(Child<QGroupBox>("m_pModulationGroupBox")->title(), "Modulation Mode");
    EXPECT_EQ(Child<QRadioButton>("m_pRadio1")->text(), "AM");
    EXPECT_EQ(Tick()[kSelection + 1], 12);
}

// A stored list index shows its item, one past its list's end the first item.
TEST_F(ZantigoTest, StoredIndexesBeyondTheirListShowTheFirstItem)
{
    const struct
    {
        int band;
        int sel;
        int offset;
        const char* combo;
        int stored;
        int shown;
    } cases[] = {
        {0, 1, kModulation + 1, "m_pModulationFreqCombo", 2, 2},
        {0, 1, kModulation + 1, "m_pModulationFreqCombo", 3, 0},
        {2, 7, kModulation + 19 * 2 + 7, "m_pModulationFreqCombo", 200, 0},
        {0, 17, kPoints + 17, "m_pNumPtCombo", 3, 3},
        {0, 17, kPoints + 17, "m_pNumPtCombo", 4, 0},
        {0, 2, 173, "m_pDeviationFreqCombo", 3, 3},
        {0, 2, 173, "m_pDeviationFreqCombo", 9, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.combo) + " " + std::to_string(c.stored));
        Byte(c.offset) = static_cast<uint8_t>(c.stored);
        SelectMode(c.band, c.sel);
        EXPECT_EQ(Child<QComboBox>(c.combo)->currentIndex(), c.shown);
        EXPECT_EQ(Tick()[c.offset], c.shown);
    }
}

// Band 2's carrier type: the octave panel and its steps.
TEST_F(ZantigoTest, OctaveStepsStayInTheirTableAndRefreshTheLabel)
{
    QComboBox* type = Child<QComboBox>("m_pCarrierTypeCombo");
    QLabel* label = Child<QLabel>("m_pFreqLabel");
    const struct
    {
        int type;
        int index;
        bool up;
        int expected;
        const char* text;
    } cases[] = {
        {1, 12, true, 12, "125 KHz"},  {1, 11, true, 12, "125 KHz"}, {1, 0, false, 0, "0.032 KHz"},
        {1, 5, false, 4, "0.5 KHz"},   {2, 35, true, 35, "100 KHz"}, {2, 15, true, 16, "1.25 KHz"},
        {2, 0, false, 0, "0.032 KHz"},
    };
    SelectMode(2, 0);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.index) + (c.up ? " up" : " down"));
        type->setCurrentIndex(c.type);
        const int offset = c.type == 1 ? kOctave : kThirdOctave;
        const int other = c.type == 1 ? kThirdOctave : kOctave;
        Byte(offset) = static_cast<uint8_t>(c.index);
        Byte(other) = 7;
        label->clear();
        if (c.up)
            m_window->OnUpButton();
        else
            m_window->OnDownButton();
        EXPECT_EQ(Byte(offset), c.expected);
        EXPECT_EQ(Byte(other), 7);
        EXPECT_EQ(label->text(), c.text);
        EXPECT_TRUE(Child<QWidget>("m_pFixedPanel")->isVisible());
        EXPECT_FALSE(Child<QWidget>("m_pFreqPanel")->isVisible());
    }
}

// No slot follows the carrier-type list: the next tick swaps the panels.
TEST_F(ZantigoTest, OctaveCarrierTypeSwapsThePanelsAtTheNextTick)
{
    Byte(kOctave) = 5;
    SelectMode(2, 1);
    Tick();
    QWidget* freqPanel = Child<QWidget>("m_pFreqPanel");
    QWidget* fixedPanel = Child<QWidget>("m_pFixedPanel");
    ASSERT_TRUE(freqPanel->isVisible());
    ASSERT_FALSE(fixedPanel->isVisible());

    Child<QComboBox>("m_pCarrierTypeCombo")->setCurrentIndex(1);
    EXPECT_TRUE(freqPanel->isVisible());
    EXPECT_EQ(Tick()[195], 1);
    EXPECT_FALSE(freqPanel->isVisible());
    EXPECT_TRUE(fixedPanel->isVisible());
    EXPECT_EQ(Child<QLabel>("m_pFreqLabel")->text(), "1 KHz");

    Child<QComboBox>("m_pCarrierTypeCombo")->setCurrentIndex(0);
    Tick();
    EXPECT_TRUE(freqPanel->isVisible());
    EXPECT_FALSE(fixedPanel->isVisible());
}

// The step slider sets the spin box's step in the band's unit; the carrier goes out in the block's unit.
TEST_F(ZantigoTest, StepSliderAndCarrierUnits)
{
    QSlider* slider = Child<QSlider>("m_pFreqStepSlider");
    QDoubleSpinBox* spin = Child<QDoubleSpinBox>("m_pFreqSpin");
    const struct
    {
        int band;
        int slider;
        double step;
        const char* stepText;
        const char* unit;
        double value;
        uint32_t field;
    } cases[] = {
        {0, 6, 0.001, "0.001 MHz", "MHz", 433.92, 433920}, {0, 0, 1000, "1000 MHz", "MHz", 47, 47000},
        {2, 6, 0.001, "0.001 KHz", "KHz", 0.29, 290},      {2, 3, 1, "1 KHz", "KHz", 120, 120000},
        {3, 5, 0.01, "0.01 KHz", "KHz", 20000, 20000000},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.band) + " " + std::to_string(c.slider));
        SelectMode(c.band, 0);
        slider->setValue(c.slider);
        EXPECT_DOUBLE_EQ(spin->singleStep(), c.step);
        EXPECT_EQ(Child<QLabel>("m_pFreqStepLabel")->text(), c.stepText);
        EXPECT_EQ(Child<QLabel>("m_pFreqUnitLabel")->text(), c.unit);
        spin->setValue(c.value);
        EXPECT_EQ(Carrier(Tick(), c.band), c.field);
    }
    // The band's limits bound the spin box.
    SelectMode(4, 0);
    EXPECT_DOUBLE_EQ(spin->minimum(), 30.0);
    EXPECT_DOUBLE_EQ(spin->maximum(), 20000.0);
}

// The wheel over the carrier steps it the other way round and is consumed.
TEST_F(ZantigoTest, WheelOverTheCarrierStepsTheOtherWay)
{
    SelectMode(0, 0);
    QDoubleSpinBox* spin = Child<QDoubleSpinBox>("m_pFreqSpin");
    Child<QSlider>("m_pFreqStepSlider")->setValue(3);
    spin->setValue(100);
    const struct
    {
        int delta;
        double expected;
    } cases[] = {{120, 99}, {-120, 100}, {0, 101}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.delta);
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, c.delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(spin, &wheel);
        EXPECT_DOUBLE_EQ(spin->value(), c.expected);
    }
}

// The pulse times: seconds and minutes are cleared, ON + OFF may not pass 100 ms; one warning a build.
TEST_F(ZantigoTest, PulseTimesAreCorrectedWithOneWarning)
{
    const char* spins[] = {"m_pTimeOnSecSpin",   "m_pTimeOnMSecSpin", "m_pTimeOnMMSecSpin",
                           "m_pTimeOffMinSpin",  "m_pTimeOffSecSpin", "m_pTimeOffMSecSpin",
                           "m_pTimeOffMMSecSpin"};
    const struct
    {
        const char* name;
        std::array<int, 7> entered;
        std::array<int, 7> sent;
        bool warned;
    } cases[] = {
        {"0.05 s + 0.05 s", {0, 5, 0, 0, 0, 5, 0}, {0, 5, 0, 0, 0, 5, 0}, false},
        {"0.0999 s + 0.0001 s", {0, 9, 99, 0, 0, 0, 1}, {0, 9, 99, 0, 0, 0, 1}, false},
        {"0.05 s + 0.0501 s", {0, 5, 0, 0, 0, 5, 1}, {0, 1, 0, 0, 0, 1, 0}, true},
        {"whole second ON", {1, 0, 10, 0, 0, 1, 0}, {0, 0, 10, 0, 0, 1, 0}, true},
        {"minutes OFF", {0, 0, 20, 2, 0, 1, 0}, {0, 0, 20, 0, 0, 1, 0}, true},
        {"seconds OFF", {0, 0, 30, 0, 59, 1, 0}, {0, 0, 30, 0, 0, 1, 0}, true},
        {"both at once", {3, 99, 99, 0, 0, 99, 99}, {0, 1, 0, 0, 0, 1, 0}, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        for (size_t i = 0; i < 7; ++i)
            Child<QSpinBox>(spins[i])->setValue(c.entered[i]);
        CScriptedPrompt prompt;
        if (c.warned)
            prompt.Answer(QMessageBox::Ok, "Wrong value! Time ON + Time OFF shoud be less then 100 ms");
        const Block sent = Tick();
        for (size_t i = 0; i < 7; ++i)
        {
            EXPECT_EQ(sent[4 + i], c.sent[i]) << spins[i];
            EXPECT_EQ(Child<QSpinBox>(spins[i])->value(), c.sent[i]) << spins[i];
        }
        ASSERT_EQ(prompt.Asked().size(), c.warned ? 1u : 0u);
        if (c.warned)
        {
            EXPECT_EQ(prompt.Asked()[0].title, "Error");
            EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Warning);
            EXPECT_EQ(prompt.Asked()[0].buttons, QMessageBox::Ok);
        }
        // Corrected values stand: the next build neither warns nor changes them.
        m_window->BuildParamBlock();
        EXPECT_EQ(std::vector<uint8_t>(m_window->GetBlock() + 4, m_window->GetBlock() + 11),
                  std::vector<uint8_t>(sent.begin() + 4, sent.begin() + 11));
    }
    Child<QSpinBox>("m_pTimeOnMSecSpin")->setValue(2);
    Child<QSpinBox>("m_pTimeOnMMSecSpin")->setValue(50);
    Child<QSpinBox>("m_pTimeOffMSecSpin")->setValue(7);
    Child<QSpinBox>("m_pTimeOffMMSecSpin")->setValue(0);
    Tick();
    EXPECT_EQ(Child<QLabel>("m_pLabelPulse")->text(), "Pulse = 0.025 sec; Period = 0.095 sec");
}

// What the power controls put in bytes 207 to 209.
TEST_F(ZantigoTest, PowerBytesFollowTheListsAndTheBand)
{
    const struct
    {
        int band;
        int lfIndex;
        bool on;
        int lf;
    } cases[] = {
        {2, 2, true, 3}, {3, 7, true, 8}, {6, 2, true, 8}, {6, 2, false, 0}, {2, 0, false, 0},
    };
    Byte(kRfStep) = 5;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.band) + (c.on ? " on" : " off"));
        SelectMode(c.band, 0);
        Child<QComboBox>("m_pPowerLFCombo")->setCurrentIndex(c.lfIndex);
        m_window->SetPowerOn(c.on);
        const Block sent = m_core.sent.back();
        EXPECT_EQ(sent[kLfStep], c.lf);
        EXPECT_EQ(sent[kPowerSent], c.on ? 5 : 0);
        EXPECT_EQ(sent[kRfStep], 5);
    }
}

// The RF list's items and the item the stored steps select.
TEST_F(ZantigoTest, RfPowerListShowsTheStoredStep)
{
    QComboBox* rf = Child<QComboBox>("m_pPowerRFCombo");
    QCheckBox* power = Child<QCheckBox>("m_pPowerCheckBox");
    EXPECT_EQ(Items(rf), QStringList{"___"});
    const struct
    {
        int sent;
        int chosen;
        int index;
        const char* text;
        bool checked;
    } cases[] = {
        {0, 20, 19, "+6 dBm", false}, {0, 19, 18, "0 dBm", false},   {0, 1, 0, "-108 dBm", false},
        {0, 0, 0, "-108 dBm", false}, {0, 21, 0, "-108 dBm", false}, {3, 19, 2, "-96 dBm", true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.sent) + " " + std::to_string(c.chosen));
        power->setChecked(false);
        Byte(kPowerSent) = static_cast<uint8_t>(c.sent);
        Byte(kRfStep) = static_cast<uint8_t>(c.chosen);
        m_window->UpdatePowerLabel();
        EXPECT_EQ(rf->count(), Zantigo::kRfPowerSteps);
        EXPECT_EQ(rf->currentIndex(), c.index);
        EXPECT_EQ(rf->currentText(), c.text);
        EXPECT_EQ(power->isChecked(), c.checked);
    }
}

// A stored step survives the first tick, which the placeholder list cannot express; the tick then fills it.
TEST_F(ZantigoTest, StoredRfStepGoesOutOnTheFirstTick)
{
    SelectMode(0, 0);
    Byte(kRfStep) = 19;
    const Block sent = Tick();
    EXPECT_EQ(sent[kRfStep], 19);
    QComboBox* rf = Child<QComboBox>("m_pPowerRFCombo");
    EXPECT_EQ(rf->currentText(), "0 dBm");
    rf->setCurrentIndex(19);
    EXPECT_EQ(Tick()[kRfStep], 20);
}

// "Send SMS" changes the block once; the next tick sends it.
TEST_F(ZantigoTest, SendSmsRaisesTheCounter)
{
    SelectMode(1, 8);
    const uint8_t before = Tick()[kSmsCounter];
    Child<QPushButton>("m_pSmsButton")->click();
    EXPECT_EQ(Tick()[kSmsCounter], static_cast<uint8_t>(before + 1));
    Byte(kSmsCounter) = 255;
    m_window->OnSmsButton();
    EXPECT_EQ(Tick()[kSmsCounter], 0);
}

// An unchanged block is not sent and the status stays as the last send left it.
TEST_F(ZantigoTest, UnchangedBlockIsNotSent)
{
    Settle();
    const size_t sent = m_core.sent.size();
    ASSERT_GE(sent, 1u);
    QLabel* status = Child<QLabel>("m_pStatusLabel");
    EXPECT_EQ(status->text(), "Status: Connection is OK");
    m_core.sendResult = false;
    m_window->OnTimer();
    EXPECT_EQ(m_core.sent.size(), sent);
    EXPECT_EQ(status->text(), "Status: Connection is OK");
}

TEST_F(ZantigoTest, DefaultAsksFirst)
{
    SelectMode(1, 9);
    Settle();
    const size_t sent = m_core.sent.size();
    const Block before = m_core.sent.back();
    m_prompt.Answer(QMessageBox::No, "Do you want to default ALL SETTINGS?");
    Child<QPushButton>("m_pDefaultButton")->click();
    ASSERT_EQ(m_prompt.Asked().size(), 1u);
    EXPECT_EQ(m_prompt.Asked()[0].title, QCoreApplication::applicationName());
    EXPECT_EQ(m_prompt.Asked()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    m_window->OnTimer();
    EXPECT_EQ(m_core.sent.size(), sent);
    EXPECT_EQ(std::vector<uint8_t>(m_window->GetBlock(), m_window->GetBlock() + Zantigo::kBlockSize),
              std::vector<uint8_t>(before.begin(), before.end()));
}

TEST_F(ZantigoTest, AboutShowsTheProgramsNameAndVersion)
{
    m_prompt.Answer(QMessageBox::Ok);
    Child<QPushButton>("m_pAboutButton")->click();
    ASSERT_EQ(m_prompt.Asked().size(), 1u);
    EXPECT_EQ(m_prompt.Asked()[0].icon, QMessageBox::Information);
    EXPECT_EQ(m_prompt.Asked()[0].title, "About");
    EXPECT_EQ(m_prompt.Asked()[0].text,
              QCoreApplication::applicationName() + " " + QCoreApplication::applicationVersion());
}

TEST_F(ZantigoTest, FormIsTheFloatingGeneratorWindow)
{
    EXPECT_EQ(m_window->objectName(), "ZantigoWindow");
    EXPECT_EQ(m_window->windowTitle(), "Generator");
    EXPECT_TRUE(m_window->isFloating());
    EXPECT_EQ(m_window->allowedAreas(), Qt::NoDockWidgetArea);
    EXPECT_EQ(m_window->features(), QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                                        QDockWidget::DockWidgetFloatable);
    // Every band fits the size the window is restored at.
    for (const char* band : {"m_pButton0", "m_pButton1", "m_pButton2", "m_pButton6"})
    {
        QMetaObject::invokeMethod(m_window.get(), QByteArray("OnButton").append(band[9]).constData());
        QApplication::processEvents();
        EXPECT_LE(m_window->minimumSize().height(), 651) << band;
        EXPECT_LE(m_window->minimumSize().width(), 718) << band;
    }
    EXPECT_EQ(Items(Child<QComboBox>("m_pPowerLFCombo")),
              (QStringList{"7.5%", "14%", "20%", "32%", "50%", "65%", "80%", "100%"}));
    EXPECT_EQ(Items(Child<QComboBox>("m_pCarrierTypeCombo")),
              (QStringList{"Carrier Frequency", "Octave Frequency", "1/3 Octave Frequency"}));
    EXPECT_EQ(m_window->findChildren<QRadioButton*>().size(), Zantigo::kSelectionCount);
}

TEST(Zantigo, PowerFollowsTheWindowsVisibility)
{
    QMainWindow main;
    CGeneratorCore core;
    main.show();
    Zantigo window(&main, &core);
    window.GetBlock()[kRfStep] = 19;  // 0 dBm, as a stored block brings it

    // The button's order: power on while hidden sends nothing, the shown window sends the block.
    window.SetPowerOn(true);
    EXPECT_TRUE(core.sent.empty());
    window.setVisible(true);
    window.SetPowerOn(true);
    ASSERT_EQ(core.sent.size(), 1u);
    EXPECT_EQ(core.sent[0][0], 1);
    EXPECT_EQ(core.sent[0][kRfStep], 19);
    EXPECT_EQ(core.sent[0][kPowerSent], 19);
    EXPECT_NE(core.sent[0][kLfStep], 0);
    auto* status = window.findChild<QLabel*>("m_pStatusLabel");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QStringLiteral("Status: Connection is OK"));

    // Unchanged block: nothing goes out on the next tick.
    window.OnTimer();
    EXPECT_EQ(core.sent.size(), 1u);

    // Power off reaches the core before the window is hidden; the chosen step is kept.
    window.SetPowerOn(false);
    window.setVisible(false);
    window.SetPowerOn(false);
    ASSERT_EQ(core.sent.size(), 2u);
    EXPECT_EQ(core.sent[1][kPowerSent], 0);
    EXPECT_EQ(core.sent[1][kLfStep], 0);
    EXPECT_EQ(core.sent[1][kRfStep], 19);
}

TEST(Zantigo, AFailedSendIsRetriedOnTheNextTick)
{
    CGeneratorCore core;
    core.sendResult = false;
    Zantigo window(nullptr, &core);
    window.GetBlock()[kRfStep] = 5;  // a chosen step, which the filled list keeps
    window.setVisible(true);
    window.SetPowerOn(true);
    ASSERT_EQ(core.sent.size(), 1u);
    auto* status = window.findChild<QLabel*>("m_pStatusLabel");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QStringLiteral("Status: Connection is ERROR"));
    core.sendResult = true;
    window.OnTimer();
    ASSERT_EQ(core.sent.size(), 2u);
    EXPECT_EQ(core.sent[1], core.sent[0]);
    EXPECT_EQ(status->text(), QStringLiteral("Status: Connection is OK"));
}

TEST(Zantigo, ClosingSendsPowerOffWhileStillVisible)
{
    CGeneratorCore core;
    Zantigo window(nullptr, &core);
    window.setVisible(true);
    window.GetBlock()[kRfStep] = 7;
    window.SetPowerOn(true);
    ASSERT_EQ(core.sent.size(), 1u);
    EXPECT_EQ(core.sent[0][kPowerSent], 7);
    window.close();
    ASSERT_EQ(core.sent.size(), 2u);
    EXPECT_EQ(core.sent[1][kPowerSent], 0);
    EXPECT_EQ(core.sent[1][kLfStep], 0);
    EXPECT_FALSE(window.findChild<QCheckBox*>("m_pPowerCheckBox")->isChecked());
    EXPECT_FALSE(window.isVisible());
}

// The real library on the test's own transceiver daemon (loopback): the window's block configures the
// transmitter, and power off takes it down again.
TEST(Zantigo, BlockConfiguresTheTransmitterAndPowerOffStopsIt)
{
    // The program's own core keeps the library's link open past this test, so the link is torn down at
    // exit, after the daemon has closed its end: that write must fail, not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    CFakeIiod daemon;
    const std::string savedUri = std::getenv("KELTHAR_SDR_URI");
    setenv("KELTHAR_SDR_URI", daemon.Uri().c_str(), 1);
    IKelthar* raw = nullptr;
    FPGAQueryInterface(&raw);
    std::unique_ptr<IKelthar> core(raw);
    ASSERT_NE(core, nullptr);
    ASSERT_TRUE(core->Connect("Board", 2, 65536));
    {
        Zantigo window(nullptr, core.get());
        window.show();
        window.GetBlock()[kSelection] = 0;
        window.OnButton0();
        window.findChild<QDoubleSpinBox*>("m_pFreqSpin")->setValue(433.92);
        window.GetBlock()[kRfStep] = 7;
        daemon.ClearRecord();

        using Writes = std::vector<std::pair<std::string, std::string>>;
        window.SetPowerOn(true);
        EXPECT_EQ(window.findChild<QLabel*>("m_pStatusLabel")->text(), "Status: Connection is OK");
        EXPECT_EQ(daemon.WritesOf("ad9361-phy", "frequency"), (Writes{{"altvoltage1", "433920000"}}));
        EXPECT_EQ(daemon.WritesOf("ad9361-phy", "hardwaregain"), (Writes{{"voltage0", "-83"}}));
        EXPECT_EQ(daemon.WritesOf("ad9361-phy", "powerdown"), (Writes{{"altvoltage1", "0"}}));

        daemon.ClearRecord();
        window.SetPowerOn(false);
        EXPECT_EQ(daemon.WritesOf("ad9361-phy", "powerdown"), (Writes{{"altvoltage1", "1"}}));
        EXPECT_EQ(daemon.WritesOf("ad9361-phy", "frequency"), (Writes{{"altvoltage1", "6000000000"}}));
        window.hide();
    }
    core->Disconnect();
    core.reset();
    setenv("KELTHAR_SDR_URI", savedUri.c_str(), 1);
}
}  // namespace
