#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDial>
#include <QDir>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBox>
#include <QTranslator>

#include <memory>
#include <string>
#include <vector>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "optionswindow.h"
#include "optionswindowtest.h"
#include "parameters.h"
#include "recordingcontrols.h"
#include "scriptedprompt.h"
#include "ui_optionswindow.h"

namespace
{
// Every widget of the form by its object name: the other windows and the tests find them so.
struct NamedWidget
{
    const char* name;
    const char* className;
};
const NamedWidget kFormWidgets[] = {
    {"widget", "QWidget"},
    {"m_pOptionsToolBox", "QToolBox"},
    {"m_pRangeOptionsPage", "QWidget"},
    {"m_pDdcOptionsPage", "QWidget"},
    {"m_pDemodulationOptionPage", "QWidget"},
    {"m_pRangeSpectrumGroupBox", "QGroupBox"},
    {"label_7", "QLabel"},
    {"m_pRangeSpecAverCombo", "QComboBox"},
    {"m_pRangeSpecReset", "QPushButton"},
    {"label_9", "QLabel"},
    {"m_pRangeSpecWindowCombo", "QComboBox"},
    {"m_pRangeSpecEnvelopeCheck", "QCheckBox"},
    {"m_pRangeWaterfallGroupBox", "QGroupBox"},
    {"m_pRangeWaterfallSpectrumCheck", "QCheckBox"},
    {"m_pRangeWaterfallWriteToBufferCheck", "QCheckBox"},
    {"m_pRangeWaterfallBufferPathEdit", "QLineEdit"},
    {"m_pRangeWaterfallBrowseButton", "QPushButton"},
    {"m_pRangeWaterfallTimeLabel", "QLabel"},
    {"m_pRangeRadioGroupBox", "QGroupBox"},
    {"m_pRangeRadioGainCombo", "QComboBox"},
    {"m_pRangeRadioGainComboVersion4", "QComboBox"},
    {"m_pRangeRadioGainComboVersion6", "QComboBox"},
    {"m_pRangeWiredGroupBox", "QGroupBox"},
    {"m_pRangeWiredGainCombo", "QComboBox"},
    {"m_pRangeAcousticGroupBox", "QGroupBox"},
    {"m_pRangeAcousticGainCombo", "QComboBox"},
    {"m_pRangeDlaGroupBox", "QGroupBox"},
    {"m_pRangeDlaGainCombo", "QComboBox"},
    {"m_pRangeCommGroupBox", "QGroupBox"},
    {"m_pRangeDlaCommCombo", "QComboBox"},
    {"m_pRangeAttGroupBox_2", "QGroupBox"},
    {"m_pRangeRadioAttCombo", "QComboBox"},
    {"m_pRangeRadioAttSwCheck", "QCheckBox"},
    {"m_pRangeAttGroupBox", "QGroupBox"},
    {"m_pRangeRadioAmplSwCheck", "QCheckBox"},
    {"m_pRangeComGroupBox_3", "QGroupBox"},
    {"m_pRangeRadioFilterCombo", "QComboBox"},
    {"m_pRangeComGroupBox", "QGroupBox"},
    {"m_pLabelAntenna", "QLabel"},
    {"m_pManualSwitchRadio", "QRadioButton"},
    {"m_pAutoSwitchRadio", "QRadioButton"},
    {"m_pAutoSwitchButton", "QPushButton"},
    {"m_pComm1Button", "QPushButton"},
    {"m_pComm2Button", "QPushButton"},
    {"m_pComm3Button", "QPushButton"},
    {"m_pComm4Button", "QPushButton"},
    {"m_pRangeRadioComCombo", "QComboBox"},
    {"m_pRangeComGroupBox_2", "QGroupBox"},
    {"m_pRangeComGroupBox_4", "QGroupBox"},
    {"m_pRangeFHSSCheck_0", "QCheckBox"},
    {"m_pRangeFHSSCheck_1", "QCheckBox"},
    {"m_pRangeFHSSCheck_2", "QCheckBox"},
    {"label_12", "QLabel"},
    {"m_pFHSSCombo", "QComboBox"},
    {"m_pLMX_Check_", "QCheckBox"},
    {"m_pLMX_Check_4", "QCheckBox"},
    {"m_pLMX_Check_5", "QCheckBox"},
    {"m_pLMX_Check_6", "QCheckBox"},
    {"m_pLMX_Check_7", "QCheckBox"},
    {"m_pLMX_Check_8", "QCheckBox"},
    {"m_pLMX_Check_9", "QCheckBox"},
    {"m_pLMX_Check_10", "QCheckBox"},
    {"m_pLMX_Check_11", "QCheckBox"},
    {"m_pLMX_Check_12", "QCheckBox"},
    {"m_pLMX_Check_13", "QCheckBox"},
    {"m_pLMX_Check_14", "QCheckBox"},
    {"m_pLMX_Check_15", "QCheckBox"},
    {"m_pLMX_Check_1", "QCheckBox"},
    {"m_pLMX_Check_23", "QCheckBox"},
    {"m_pLMX_Check_16", "QCheckBox"},
    {"m_pLMX_Check_17", "QCheckBox"},
    {"m_pLMX_Check_18", "QCheckBox"},
    {"m_pLMX_Check_19", "QCheckBox"},
    {"m_pLMX_Check_20", "QCheckBox"},
    {"m_pLMX_Check_21", "QCheckBox"},
    {"m_pLMX_Check_22", "QCheckBox"},
    {"m_pLMX_Check_0", "QCheckBox"},
    {"m_pLMX_Check_24", "QCheckBox"},
    {"m_pLMX_Check_25", "QCheckBox"},
    {"m_pLMX_Check_26", "QCheckBox"},
    {"m_pLMX_Check_27", "QCheckBox"},
    {"m_pLMX_Check_2", "QCheckBox"},
    {"m_pLMX_Check_3", "QCheckBox"},
    {"m_pLMX_Check_28", "QCheckBox"},
    {"m_pLMX_Check_29", "QCheckBox"},
    {"m_pLMX_Check_30", "QCheckBox"},
    {"m_pLMX_Check_31", "QCheckBox"},
    {"m_pLMX_Button_3", "QPushButton"},
    {"m_pLMX_Button_0", "QPushButton"},
    {"m_pLMX_Button_1", "QPushButton"},
    {"m_pLMX_Button_2", "QPushButton"},
    {"m_pDdcSpectrumGroupBox", "QGroupBox"},
    {"label_14", "QLabel"},
    {"m_pDdcSpecAverCombo", "QComboBox"},
    {"m_pDdcSpecReset", "QPushButton"},
    {"label_17", "QLabel"},
    {"m_pDdcSpecWindowCombo", "QComboBox"},
    {"m_pDdcSpecEnvelopeCheck", "QCheckBox"},
    {"m_pDdcWaterfallGroupBox", "QGroupBox"},
    {"m_pDdcWaterfallSpectrumCheck", "QCheckBox"},
    {"m_pDdcWaterfallWriteToBufferCheck", "QCheckBox"},
    {"m_pDdcWaterfallBufferPathEdit", "QLineEdit"},
    {"m_pDdcWaterfallBrowseButton", "QPushButton"},
    {"m_pDdcOscGroupBox", "QGroupBox"},
    {"label_27", "QLabel"},
    {"m_pDdcCombineOscEdit", "QLineEdit"},
    {"label_26", "QLabel"},
    {"m_pDdcVectorGroupBox", "QGroupBox"},
    {"m_pDdcVectorLinesCheck", "QCheckBox"},
    {"label_4", "QLabel"},
    {"m_pDdcVectorSamplesComboBox", "QComboBox"},
    {"m_pDdcScanningGroupBox", "QGroupBox"},
    {"m_pDdcScanningTuneOffButton", "QPushButton"},
    {"m_pDdcScanningTuneBackButton", "QPushButton"},
    {"label_11", "QLabel"},
    {"m_pTuneNumberEdit", "QLineEdit"},
    {"m_pBandGroupBox", "QGroupBox"},
    {"label_2", "QLabel"},
    {"label_3", "QLabel"},
    {"label_5", "QLabel"},
    {"label_8", "QLabel"},
    {"m_pDdcBandNameCombo", "QComboBox"},
    {"m_pDdcDeciCoeffEdit", "QLineEdit"},
    {"m_pDdcOutputScalingEdit", "QLineEdit"},
    {"m_pDdcCorrectAmplEdit", "QLineEdit"},
    {"groupBox_4", "QGroupBox"},
    {"m_pDdcEnableFirCheck", "QCheckBox"},
    {"label_10", "QLabel"},
    {"m_pDdcFirNameEdit", "QLineEdit"},
    {"m_pDdcOpenFirButton", "QPushButton"},
    {"m_pDdcDefaultFirCheck", "QCheckBox"},
    {"label_6", "QLabel"},
    {"m_pDdcTapCountCombo", "QComboBox"},
    {"m_pDdcApplyBandButton", "QPushButton"},
    {"m_pDdcUpdateBandButton", "QPushButton"},
    {"m_pDdcInsertBandButton", "QPushButton"},
    {"m_pDdcRemoveBandButton", "QPushButton"},
    {"m_pDemodSpectrumGroupBox", "QGroupBox"},
    {"label_20", "QLabel"},
    {"m_pDemodSpecAverCombo", "QComboBox"},
    {"m_pDemodSpecReset", "QPushButton"},
    {"label_22", "QLabel"},
    {"m_pDemodSpecWindowCombo", "QComboBox"},
    {"m_pDemodSpecEnvelopeCheck", "QCheckBox"},
    {"m_pDemodWaterfallGroupBox", "QGroupBox"},
    {"m_pDemodWaterfallSpectrumCheck", "QCheckBox"},
    {"m_pDemodWaterfallWriteToBufferCheck", "QCheckBox"},
    {"m_pDemodWaterfallBufferPathEdit", "QLineEdit"},
    {"m_pDemodWaterfallBrowseButton", "QPushButton"},
    {"m_pDemodOscGroupBox", "QGroupBox"},
    {"label_28", "QLabel"},
    {"m_pDemodCombineOscEdit", "QLineEdit"},
    {"label_29", "QLabel"},
    {"m_pDemodSoundGroupBox", "QGroupBox"},
    {"label_16", "QLabel"},
    {"m_pDemodAudioDeviceCombo", "QComboBox"},
    {"m_pDemodUseAgcCheck", "QCheckBox"},
    {"label", "QLabel"},
    {"m_pDemodSoundLevelEdit", "QLineEdit"},
    {"m_pDemodSoundLevelDial", "QDial"},
    {"m_pDemodDeclickerGroupBox", "QGroupBox"},
    {"m_pDemodDeclickerEnableCheck", "QCheckBox"},
    {"m_pDemodDeclickerCheck", "QCheckBox"},
    {"m_pDemodDenoiserCheck", "QCheckBox"},
    {"m_pDemodMfCheck", "QCheckBox"},
};

// The combo boxes whose items come from the form, with their items in order.
struct FixedList
{
    const char* combo;
    QStringList items;
};
QStringList Numbered(int first, int step, int count, const QString& unit)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << QStringLiteral("%1 %2").arg(first + step * i).arg(unit);
    return items;
}
const FixedList kFixedLists[] = {
    {"m_pRangeRadioGainCombo", {"-5 dB", "1 dB", "7 dB", "13 dB", "19 dB", "25 dB"}},
    {"m_pRangeRadioGainComboVersion4", {"-3 dB", "0 dB", "+3 dB"}},
    {"m_pRangeRadioGainComboVersion6",
     {"-3 dB", "+3 dB", "+12 dB", "+21 dB", "+30 dB", "+36 dB", "+45 dB", "+51 dB", "+60 dB"}},
    {"m_pRangeWiredGainCombo",
     {"Auto", "-5 dB", "1 dB", "7 dB", "13 dB", "19 dB", "25 dB", "31 dB", "37 dB"}},
    {"m_pRangeAcousticGainCombo", {"Auto", "0 dB", "6 dB", "12 dB", "18 dB", "24 dB", "30 dB", "36 dB"}},
    {"m_pRangeDlaGainCombo", {"Auto", "0 dB", "14 dB", "26 dB", "38 dB", "56 dB", "76 dB", "96 dB"}},
    {"m_pRangeDlaCommCombo", {"4-5", "3-6", "1-2", "7-8", "Select", "1-3", "Negative", "No connection"}},
    {"m_pRangeRadioAttCombo", Numbered(0, 1, 16, QStringLiteral("dB"))},
    {"m_pRangeRadioFilterCombo", Numbered(60, -5, 12, QStringLiteral("MHz"))},
    {"m_pRangeRadioComCombo", {"1 Channel", "2 Channel", "3 Channel", "4 Channel"}},
    {"m_pFHSSCombo",
     {"0.5ms / 7ms / 0.3s", "1ms / 14ms / 0.3s", "2ms / 28ms / 0.3s", "0.5ms / 7ms / 0.6s",
      "1ms / 14ms / 0.6s", "2ms / 28ms / 0.6s", "0.5ms / 7ms / 1.2s", "1ms / 14ms / 1.2s",
      "2ms / 28ms / 1.2s"}},
    {"m_pDdcVectorSamplesComboBox", {"256", "512", "1024", "2048", "4096"}},
    {"m_pDdcTapCountCombo", {"256", "128", "64", "32", "16", "8"}},
};

}  // namespace

TEST_F(OptionsWindowTest, IsTheOptionsDockWithItsThreePages)
{
    Build();
    EXPECT_EQ(m_window->GetSettingsName(), QStringLiteral("OptionsWindowToolBox"));
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Options"));
    ASSERT_EQ(ToolBox()->count(), 3);
    EXPECT_EQ(ToolBox()->itemText(0), QStringLiteral("Full Range Options"));
    EXPECT_EQ(ToolBox()->itemText(1), QStringLiteral("Band Options"));
    EXPECT_EQ(ToolBox()->itemText(2), QStringLiteral("Demodulation Options"));
    EXPECT_EQ(m_window->objectName(), QStringLiteral("COptionsWindowClass"));
    for (const NamedWidget& widget : kFormWidgets)
    {
        const QWidget* found = m_window->findChild<QWidget*>(QLatin1String(widget.name));
        ASSERT_NE(found, nullptr) << widget.name;
        EXPECT_STREQ(found->metaObject()->className(), widget.className) << widget.name;
    }

    // What the device has no use for is hidden; the reload keeps the hidden controls' states all the same.
    const char* hidden[] = {"m_pDemodDeclickerGroupBox",
                            "m_pBandGroupBox",
                            "m_pRangeComGroupBox_3",
                            "m_pLMX_Check_",
                            "m_pLMX_Check_0",
                            "m_pLMX_Check_16",
                            "m_pLMX_Check_17",
                            "m_pLMX_Check_18",
                            "m_pLMX_Check_19",
                            "m_pLMX_Check_20",
                            "m_pLMX_Check_21",
                            "m_pLMX_Check_22",
                            "m_pLMX_Button_0",
                            "m_pLMX_Button_1",
                            "m_pLMX_Button_2",
                            "m_pLMX_Button_3",
                            "m_pRangeFHSSCheck_2",
                            "m_pRangeRadioAttSwCheck",
                            "label_12",
                            "m_pFHSSCombo"};
    for (const char* name : hidden)
        EXPECT_TRUE(Child<QWidget>(name)->isHidden()) << name;
    for (const char* name : {"m_pRangeComGroupBox_4", "m_pRangeFHSSCheck_0", "m_pRangeFHSSCheck_1",
                             "m_pAutoSwitchButton", "m_pDemodSoundGroupBox"})
        EXPECT_FALSE(Child<QWidget>(name)->isHidden()) << name;
}

TEST_F(OptionsWindowTest, TheFormAloneGivesTheStartingStateAndTheFixedLists)
{
    QDockWidget dock;
    Ui::COptionsWindowClass form;
    form.setupUi(&dock);

    EXPECT_EQ(dock.objectName(), QStringLiteral("COptionsWindowClass"));
    EXPECT_EQ(dock.windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(dock.size(), QSize(422, 1499));
    EXPECT_EQ(dock.minimumSize(), QSize(300, 226));
    EXPECT_TRUE(dock.isFloating());
    EXPECT_EQ(dock.allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    EXPECT_EQ(dock.widget(), form.widget);
    EXPECT_EQ(form.m_pOptionsToolBox->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(form.m_pOptionsToolBox->currentIndex(), 0);

    EXPECT_TRUE(form.m_pDemodUseAgcCheck->isChecked());
    EXPECT_FALSE(form.m_pDemodSoundLevelEdit->isEnabled());
    QDial* dial = form.m_pDemodSoundLevelDial;
    EXPECT_FALSE(dial->isEnabled());
    EXPECT_EQ(dial->value(), 0);
    EXPECT_EQ(dial->minimum(), 0);
    EXPECT_EQ(dial->maximum(), 100);
    EXPECT_EQ(dial->pageStep(), 10);
    EXPECT_TRUE(dial->notchesVisible());
    EXPECT_GE(dial->minimumHeight(), 100);
    EXPECT_EQ(form.m_pRangeRadioGainCombo->currentText(), QStringLiteral("7 dB"));
    EXPECT_EQ(form.m_pRangeRadioGainComboVersion4->currentIndex(), 0);
    EXPECT_EQ(form.m_pRangeRadioGainComboVersion6->currentIndex(), 0);
    EXPECT_TRUE(form.m_pRangeWaterfallBufferPathEdit->isReadOnly());
    EXPECT_TRUE(form.m_pTuneNumberEdit->isReadOnly());
    EXPECT_EQ(form.m_pTuneNumberEdit->text(), QStringLiteral("1"));
    EXPECT_TRUE(form.m_pDdcBandNameCombo->isEditable());
    EXPECT_EQ(form.m_pDdcOpenFirButton->minimumSize(), QSize(23, 23));
    EXPECT_EQ(form.m_pDdcOpenFirButton->maximumSize(), QSize(23, 23));
    EXPECT_EQ(form.m_pAutoSwitchButton->maximumSize(), QSize(80, 25));
    EXPECT_EQ(form.m_pRangeWaterfallTimeLabel->text(), QStringLiteral("Recording time available: n/a"));

    for (QComboBox* combo :
         {form.m_pRangeSpecAverCombo, form.m_pRangeSpecWindowCombo, form.m_pDdcSpecAverCombo,
          form.m_pDdcSpecWindowCombo, form.m_pDemodSpecAverCombo, form.m_pDemodSpecWindowCombo,
          form.m_pDdcBandNameCombo, form.m_pDemodAudioDeviceCombo})
    {
        EXPECT_EQ(combo->count(), 0) << combo->objectName().toStdString();
        EXPECT_EQ(combo->currentIndex(), -1) << combo->objectName().toStdString();
    }
    for (const FixedList& list : kFixedLists)
    {
        const auto* combo = dock.findChild<QComboBox*>(QLatin1String(list.combo));
        ASSERT_NE(combo, nullptr) << list.combo;
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        EXPECT_EQ(items, list.items) << list.combo;
    }

    // The two switching modes exclude each other; the antenna buttons do not.
    form.m_pManualSwitchRadio->click();
    form.m_pAutoSwitchRadio->click();
    EXPECT_FALSE(form.m_pManualSwitchRadio->isChecked());
    form.m_pComm1Button->click();
    form.m_pComm3Button->click();
    EXPECT_TRUE(form.m_pComm1Button->isChecked());
    EXPECT_TRUE(form.m_pComm3Button->isChecked());

    // The Band page's groups top to bottom, the bandwidth editor last.
    QStringList groups;
    for (int i = 0; i < form.m_pDdcOptionsPage->layout()->count(); ++i)
    {
        if (QWidget* widget = form.m_pDdcOptionsPage->layout()->itemAt(i)->widget())
            groups << widget->objectName();
    }
    EXPECT_EQ(groups, QStringList({"m_pDdcSpectrumGroupBox", "m_pDdcWaterfallGroupBox", "m_pDdcOscGroupBox",
                                   "m_pDdcVectorGroupBox", "m_pDdcScanningGroupBox", "m_pBandGroupBox"}));
    EXPECT_EQ(form.m_pDdcOscGroupBox->title(), QStringLiteral("Oscilloscope"));
    EXPECT_EQ(form.m_pDemodOscGroupBox->title(), QStringLiteral("Oscilloscope"));
    EXPECT_EQ(form.m_pDdcVectorLinesCheck->text(), QStringLiteral("Draw Lines"));
    EXPECT_EQ(form.m_pBandGroupBox->title(), QStringLiteral("Bandwidth"));
}

TEST_F(OptionsWindowTest, ALanguageChangeSetsTheTextsAgainAndReloadsThePages)
{
    const QString prefix = g_DeviceThread.GetChannelPrefix(-1);
    g_Parameters.SetInt(QStringLiteral("DdcOptions"), prefix + QStringLiteral("CombineOsc"), 4);
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), prefix + QStringLiteral("CombineOsc"), 6);
    Build();
    Child<QComboBox>("m_pRangeRadioGainComboVersion4")->setCurrentIndex(2);
    Child<QLineEdit>("m_pDdcCombineOscEdit")->setText(QStringLiteral("9"));
    Child<QLineEdit>("m_pDemodCombineOscEdit")->setText(QStringLiteral("9"));
    Child<QLineEdit>("m_pTuneNumberEdit")->setText(QStringLiteral("7"));
    m_window->SetRangeWaterfallTimeText(QStringLiteral("Recording time available: 3 days 00:00:00"));
    auto* connector = Child<QComboBox>("m_pRangeDlaCommCombo");
    connector->setItemText(5, QStringLiteral("2-4"));
    std::vector<std::pair<int, int>> before;
    const QList<QComboBox*> combos = m_window->findChildren<QComboBox*>();
    for (const QComboBox* combo : combos)
        before.emplace_back(combo->currentIndex(), combo->count());

    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(m_window.get(), &change);

    for (int i = 0; i < combos.size(); ++i)
    {
        EXPECT_EQ(combos[i]->currentIndex(), before[i].first) << combos[i]->objectName().toStdString();
        EXPECT_EQ(combos[i]->count(), before[i].second) << combos[i]->objectName().toStdString();
    }
    EXPECT_EQ(Child<QLineEdit>("m_pDdcCombineOscEdit")->text(), QStringLiteral("4"));
    EXPECT_EQ(Child<QLineEdit>("m_pDemodCombineOscEdit")->text(), QStringLiteral("6"));
    EXPECT_EQ(Child<QLineEdit>("m_pTuneNumberEdit")->text(), QStringLiteral("1"));
    EXPECT_EQ(Child<QLabel>("m_pRangeWaterfallTimeLabel")->text(),
              QStringLiteral("Recording time available: n/a"));
    EXPECT_EQ(connector->itemText(5), QStringLiteral("1-3"));
    EXPECT_TRUE(Child<QGroupBox>("m_pDdcWaterfallGroupBox")->isHidden())
        << "until the view reports its panes";

    // The form's texts are found in the Russian catalogue.
    QTranslator russian;
    ASSERT_TRUE(russian.load(QStringLiteral(":/veltrano_ru.qm")));
    QCoreApplication::installTranslator(&russian);
    QCoreApplication::sendEvent(m_window.get(), &change);
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Параметры"));
    EXPECT_EQ(ToolBox()->itemText(0), QStringLiteral("Параметры полного диапазона"));
    QCoreApplication::removeTranslator(&russian);
    QCoreApplication::sendEvent(m_window.get(), &change);
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Options"));
}

TEST_F(OptionsWindowTest, OnlyTheSingleFrequencyConverterBandsAreHidden)
{
    Build();
    const char* hidden[] = {"m_pLMX_Check_",   "m_pLMX_Check_0",  "m_pLMX_Check_16",
                            "m_pLMX_Check_17", "m_pLMX_Check_18", "m_pLMX_Check_19",
                            "m_pLMX_Check_20", "m_pLMX_Check_21", "m_pLMX_Check_22"};
    for (const char* name : hidden)
        EXPECT_TRUE(Child<QCheckBox>(name)->isHidden()) << name;
    int shown = 0;
    for (QCheckBox* check :
         m_window->findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^m_pLMX_Check_"))))
        shown += check->isHidden() ? 0 : 1;
    EXPECT_EQ(shown, 24);
}

TEST_F(OptionsWindowTest, ShowPageSelectsAValidPageAndOtherwiseTheStoredOne)
{
    g_Parameters.SetInt(QStringLiteral("Options"), QStringLiteral("Page"), 2);
    Build();
    struct Case
    {
        bool visible;
        int page;
        int expectedPage;
    };
    const Case cases[] = {{true, 1, 1}, {true, 3, 2}, {true, -1, 2}, {false, 0, 0}, {true, 0, 0}};
    for (const Case& c : cases)
    {
        m_window->ShowPage(c.visible, c.page);
        EXPECT_EQ(m_window->isVisible(), c.visible) << c.page;
        EXPECT_EQ(ToolBox()->currentIndex(), c.expectedPage) << c.visible << " " << c.page;
    }
    // A plain show after ShowPage(false, 0) went back to the stored page 2.
    m_window->ShowPage(false, 1);
    m_window->setVisible(true);
    EXPECT_EQ(ToolBox()->currentIndex(), 2);
}

TEST_F(OptionsWindowTest, ReloadPushesTheStoredDisplayOptionsToTheThreeTransforms)
{
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), 5);
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecWindow"), 2);
    g_Parameters.SetInt(QStringLiteral("DdcOptions"), QStringLiteral("SpecAverMode"), 7);
    g_Parameters.SetInt(QStringLiteral("DdcOptions"), QStringLiteral("SpecWindow"), 9);
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("SpecAverMode"), 1);
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("SpecWindow"), 4);
    Build();
    EXPECT_EQ(g_DeviceThread.m_pRangeFft1->GetAveraging(), 5);
    EXPECT_EQ(g_DeviceThread.m_pRangeFft1->GetWindow(), 2);
    EXPECT_EQ(g_DeviceThread.m_pDdcFft1->GetAveraging(), 7);
    EXPECT_EQ(g_DeviceThread.m_pDdcFft1->GetWindow(), 9);
    EXPECT_EQ(g_DeviceThread.m_pDemodFft1->GetAveraging(), 1);
    EXPECT_EQ(g_DeviceThread.m_pDemodFft1->GetWindow(), 4);
    EXPECT_EQ(Child<QComboBox>("m_pRangeSpecAverCombo")->currentText(), QStringLiteral("x32"));
}

TEST_F(OptionsWindowTest, RangeReloadTellsTheViewsAboutEnvelopeAndWaterfallBuffer)
{
    Build();
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecEnvelope"), 1);
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("WaterfallWriteBuffer"), 1);
    g_Parameters.SetString(QStringLiteral("RangeOptions"), QStringLiteral("WaterfallBufferPath"),
                           QStringLiteral("/tmp/range.rwb"));
    QSignalSpy envelope(m_window.get(), &COptionsWindow::rangeEnvelopeChanged);
    QSignalSpy buffer(m_window.get(), &COptionsWindow::rangeWaterfallBuffer);
    m_window->SetupOptionsWindow(COptionsWindow::RangePage, 0);
    ASSERT_EQ(envelope.count(), 1);
    EXPECT_TRUE(envelope.at(0).at(0).toBool());
    ASSERT_EQ(buffer.count(), 1);
    EXPECT_TRUE(buffer.at(0).at(0).toBool());
    EXPECT_EQ(buffer.at(0).at(1).toString(), QStringLiteral("/tmp/range.rwb"));
    EXPECT_EQ(m_window->GetRangeWaterfallBufferPath(), QStringLiteral("/tmp/range.rwb"));
    EXPECT_TRUE(Child<QGroupBox>("m_pRangeWaterfallGroupBox")->isHidden());

    // Any other page value does nothing but the trace.
    m_window->SetupOptionsWindow(3, 0);
    EXPECT_EQ(envelope.count(), 1);
    EXPECT_EQ(buffer.count(), 1);
}

TEST_F(OptionsWindowTest, DemodReloadTakesTheStoredSoundLevelLimitedToTheDialRange)
{
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("SoundUseAgc"), 0);
    struct Case
    {
        double stored;
        int shown;
    };
    Build();
    for (const Case& c : {Case{60.0, 60}, Case{150.0, 100}, Case{-5.0, 0}, Case{33.9, 33}})
    {
        g_Parameters.SetDouble(QStringLiteral("DemodOptions"), QStringLiteral("SoundAgcLevel"), c.stored);
        m_window->SetupOptionsWindow(COptionsWindow::DemodPage, 0);
        EXPECT_EQ(Child<QDial>("m_pDemodSoundLevelDial")->value(), c.shown) << c.stored;
        EXPECT_EQ(Child<QLineEdit>("m_pDemodSoundLevelEdit")->text(), QString::number(c.shown)) << c.stored;
    }
    EXPECT_TRUE(Child<QLineEdit>("m_pDemodSoundLevelEdit")->isEnabled())
        << "AGC off: the level is the operator's";

    // Nothing above the dial's range reaches the engine, whose gain turns negative there. AGC off: the
    // edit's level goes first, then the stored one; AGC on: only the stored one, and the controls lock.
    CRecordedControls recorded;
    g_Parameters.SetDouble(QStringLiteral("DemodOptions"), QStringLiteral("SoundAgcLevel"), 150.0);
    Child<QLineEdit>("m_pDemodSoundLevelEdit")->setText(QStringLiteral("250"));
    m_window->SetupOptionsWindow(COptionsWindow::DemodPage, 0);
    EXPECT_EQ(recorded.log.Calls(),
              std::vector<std::string>({"Sound.SetUseAgc 0", "Sound.SetSoundLevel 100",
                                        "Sound.SetSoundLevel 100", "Sound.SetSoundLevel 100"}));
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("SoundUseAgc"), 1);
    recorded.log.Clear();
    m_window->SetupOptionsWindow(COptionsWindow::DemodPage, 0);
    EXPECT_EQ(recorded.log.Calls(),
              std::vector<std::string>({"Sound.SetUseAgc 1", "Sound.SetSoundLevel 100"}));
    EXPECT_TRUE(Child<QCheckBox>("m_pDemodUseAgcCheck")->isChecked());
    EXPECT_FALSE(Child<QLineEdit>("m_pDemodSoundLevelEdit")->isEnabled());
    EXPECT_FALSE(Child<QDial>("m_pDemodSoundLevelDial")->isEnabled());
}

TEST_F(OptionsWindowTest, DestructionStoresPageSoundLevelAndCombineCounts)
{
    Build();
    const QString prefix = g_DeviceThread.GetChannelPrefix(-1);
    ToolBox()->setCurrentIndex(2);
    Child<QLineEdit>("m_pDemodSoundLevelEdit")->setText(QStringLiteral("60"));
    Child<QLineEdit>("m_pDdcCombineOscEdit")->setText(QStringLiteral("abc"));
    Child<QLineEdit>("m_pDemodCombineOscEdit")->setText(QStringLiteral("12"));
    m_window.reset();
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("Options"), QStringLiteral("Page"), -1), 2);
    EXPECT_EQ(
        g_Parameters.GetString(QStringLiteral("DemodOptions"), QStringLiteral("SoundAgcLevel"), QString()),
        QStringLiteral("60.000000"));
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("DdcOptions"), prefix + QStringLiteral("CombineOsc"), -1),
              0);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("DemodOptions"), prefix + QStringLiteral("CombineOsc"), -1),
              12);
}

TEST_F(OptionsWindowTest, AnEmptyAudioDeviceListLeavesTheStoredChoiceAlone)
{
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), 3);
    Build();
    auto* combo = Child<QComboBox>("m_pDemodAudioDeviceCombo");
    combo->clear();
    m_window.reset();
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), -1), 3);

    // The reload's own fill and selection store nothing: the first device listed would otherwise have
    // replaced the stored choice before it was read.
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), 1);
    Build();
    combo = Child<QComboBox>("m_pDemodAudioDeviceCombo");
    ASSERT_GE(combo->count(), 1) << "the platform always lists its null device";
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), -1), 1);
    EXPECT_EQ(combo->currentIndex(), combo->count() > 1 ? 1 : -1);

    // The operator's choice is stored before the main window reopens the sound on the stored device, so
    // the new device plays at once.
    {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItems({QStringLiteral("Card A"), QStringLiteral("Card B")});
        combo->setCurrentIndex(0);
    }
    g_Parameters.SetInt(QStringLiteral("DemodOptions"), QStringLiteral("AudioDevice"), 0);
    std::vector<int> storedOnReopen;
    QObject::connect(m_window.get(), &COptionsWindow::ddcBandChanged, m_window.get(),
                     [&storedOnReopen]
                     {
                         storedOnReopen.push_back(g_Parameters.GetInt(QStringLiteral("DemodOptions"),
                                                                      QStringLiteral("AudioDevice"), -1));
                     });
    QSignalSpy reopen(m_window.get(), &COptionsWindow::ddcBandChanged);
    combo->setCurrentIndex(1);
    EXPECT_EQ(storedOnReopen, std::vector<int>({1}));
    ASSERT_EQ(reopen.count(), 1);
    EXPECT_EQ(reopen.at(0).at(0).toInt(), Child<QComboBox>("m_pDdcBandNameCombo")->currentIndex());

    // The list is built once per run: a later reload keeps it and selects the stored device.
    m_window->SetupOptionsWindow(COptionsWindow::DemodPage, 0);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Card B"));
    EXPECT_EQ(combo->currentIndex(), 1);
}

TEST_F(OptionsWindowTest, ConverterBandCodesGiveDeviceValueModeAndOffset)
{
    Build();
    CRecordedControls recorded;
    struct Case
    {
        const char* check;
        int deviceValue;
        int mode;
        double offsetMHz;
    };
    // Every band, by frequency.
    const Case cases[] = {
        {"m_pLMX_Check_0", 155, 2, 15500.0},  {"m_pLMX_Check_4", 110, 1, 1500.0},
        {"m_pLMX_Check_5", 115, 1, 2000.0},   {"m_pLMX_Check_6", 120, 1, 2500.0},
        {"m_pLMX_Check_7", 125, 1, 3000.0},   {"m_pLMX_Check_8", 130, 1, 3500.0},
        {"m_pLMX_Check_9", 135, 1, 4000.0},   {"m_pLMX_Check_", 1, 2, 100.0},
        {"m_pLMX_Check_10", 140, 1, 4500.0},  {"m_pLMX_Check_11", 145, 1, 5000.0},
        {"m_pLMX_Check_12", 150, 1, 5500.0},  {"m_pLMX_Check_13", 155, 1, 6000.0},
        {"m_pLMX_Check_14", 160, 1, 6500.0},  {"m_pLMX_Check_15", 165, 1, 7000.0},
        {"m_pLMX_Check_1", 70, 2, 7000.0},    {"m_pLMX_Check_23", 75, 2, 7500.0},
        {"m_pLMX_Check_24", 80, 2, 8000.0},   {"m_pLMX_Check_25", 85, 2, 8500.0},
        {"m_pLMX_Check_26", 90, 2, 9000.0},   {"m_pLMX_Check_27", 95, 2, 9500.0},
        {"m_pLMX_Check_2", 100, 2, 10000.0},  {"m_pLMX_Check_3", 105, 2, 10500.0},
        {"m_pLMX_Check_28", 110, 2, 11000.0}, {"m_pLMX_Check_29", 115, 2, 11500.0},
        {"m_pLMX_Check_16", 170, 1, 7500.0},  {"m_pLMX_Check_30", 120, 2, 12000.0},
        {"m_pLMX_Check_17", 175, 1, 8000.0},  {"m_pLMX_Check_31", 125, 2, 12500.0},
        {"m_pLMX_Check_18", 180, 1, 8500.0},  {"m_pLMX_Check_19", 185, 1, 9000.0},
        {"m_pLMX_Check_20", 190, 1, 9500.0},  {"m_pLMX_Check_21", 195, 1, 10000.0},
        {"m_pLMX_Check_22", 200, 1, 10500.0},
    };
    const QList<QCheckBox*> checks =
        m_window->findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^m_pLMX_Check_")));
    ASSERT_EQ(checks.size(), 33);
    auto checkedBands = [&checks]
    {
        QStringList checked;
        for (QCheckBox* check : checks)
            if (check->isChecked())
                checked << check->objectName();
        return checked;
    };
    // Each click clears the band before it; only the new band's value is sent.
    for (const Case& c : cases)
    {
        recorded.log.Clear();
        Child<QCheckBox>(c.check)->click();
        EXPECT_EQ(recorded.log.Calls(),
                  std::vector<std::string>({"Sky.SetLMX " + std::to_string(c.deviceValue)}))
            << c.check;
        EXPECT_EQ(g_DeviceThread.m_pSky->GetLMX(), c.deviceValue) << c.check;
        EXPECT_EQ(m_window->m_nLmxMode, c.mode) << c.check;
        EXPECT_DOUBLE_EQ(g_FreqOffset.load(), c.offsetMHz) << c.check;
        EXPECT_EQ(checkedBands(), QStringList({QLatin1String(c.check)}));
    }

    // The three coded buttons send their setting and leave the band, the notice and the offset alone.
    struct Button
    {
        const char* name;
        std::vector<std::string> sent;
    };
    m_window->m_nLmxMode = 1;
    for (const Button& b :
         {Button{"m_pLMX_Button_0", {"Sky.SetLMX 1"}}, Button{"m_pLMX_Button_1", {"Sky.SetLMX 2"}},
          Button{"m_pLMX_Button_2", {"Sky.SetLMX 3"}}, Button{"m_pLMX_Button_3", {}}})
    {
        recorded.log.Clear();
        auto* button = Child<QPushButton>(b.name);
        EXPECT_TRUE(button->isHidden()) << b.name;
        button->click();
        EXPECT_EQ(recorded.log.Calls(), b.sent) << b.name;
        EXPECT_EQ(checkedBands(), QStringList({QStringLiteral("m_pLMX_Check_22")})) << b.name;
        EXPECT_EQ(m_window->m_nLmxMode, 1) << b.name;
        EXPECT_DOUBLE_EQ(g_FreqOffset.load(), 10500.0) << b.name;
    }
    EXPECT_EQ(g_DeviceThread.m_pSky->GetLMX(), 3);

    // Clicking the checked band again switches the converter off and asks the main window for nothing.
    recorded.log.Clear();
    Child<QCheckBox>("m_pLMX_Check_22")->click();
    EXPECT_EQ(recorded.log.Calls(), std::vector<std::string>({"Sky.SetLMX 0"}));
    EXPECT_EQ(g_DeviceThread.m_pSky->GetLMX(), 0);
    EXPECT_EQ(m_window->m_nLmxMode, 0);
    EXPECT_DOUBLE_EQ(g_FreqOffset.load(), 0.0);
    EXPECT_TRUE(checkedBands().isEmpty());
}

TEST_F(OptionsWindowTest, VectorSampleCountsComeFromTheList)
{
    Build();
    EXPECT_EQ(m_window->GetVectorSamples(0), 256);
    EXPECT_EQ(m_window->GetVectorSamples(4), 4096);
    EXPECT_EQ(m_window->GetVectorSamples(7), 0);
    EXPECT_EQ(m_window->GetVectorSamples(-1), 0);
}

TEST_F(OptionsWindowTest, ResetRangeAveragingIsStoredOnlyOnceSettled)
{
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), 3);
    Build();
    ASSERT_EQ(g_DeviceThread.m_pRangeFft1->GetAveraging(), 3);
    m_window->ResetRangeAveraging();
    EXPECT_EQ(g_DeviceThread.m_pRangeFft1->GetAveraging(), 0);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), -1), 3);

    // Already on the first mode: nothing changes, so the running averaging is left alone.
    g_DeviceThread.m_pRangeFft1->SetAveraging(5);
    m_window->ResetRangeAveraging();
    EXPECT_EQ(g_DeviceThread.m_pRangeFft1->GetAveraging(), 5);

    // Reset sets the chosen mode again (restarting the averaging), before and after the settle time.
    auto* combo = Child<QComboBox>("m_pRangeSpecAverCombo");
    auto* reset = Child<QPushButton>("m_pRangeSpecReset");
    combo->setCurrentIndex(3);
    g_Parameters.SetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), 9);
    g_DeviceThread.m_pRangeFft1->SetAveraging(5);
    reset->click();
    EXPECT_EQ(g_DeviceThread.m_pRangeFft1->GetAveraging(), 3);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), -1), 9);
    m_window->OnTimer2();
    g_DeviceThread.m_pRangeFft1->SetAveraging(5);
    reset->click();
    EXPECT_EQ(g_DeviceThread.m_pRangeFft1->GetAveraging(), 3);
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), -1), 3);

    combo->setCurrentIndex(4);
    m_window->ResetRangeAveraging();
    EXPECT_EQ(g_Parameters.GetInt(QStringLiteral("RangeOptions"), QStringLiteral("SpecAverMode"), -1), 0);
}

TEST_F(OptionsWindowTest, DisplayChecksOfEachPageStoreTheirKeysAndTellTheViews)
{
    g_DeviceThread.SetDemoMode(true);
    Build();
    struct Case
    {
        const char* section;
        const char* envelopeCheck;
        void (COptionsWindow::*envelope)(bool);
        const char* spectrumCheck;
        void (COptionsWindow::*waterfall)();
        const char* bufferCheck;
        const char* bufferEdit;
        void (COptionsWindow::*buffer)(bool, const QString&);
        const char* averCombo;
        const char* reset;
        ICalcFft* fft;
    };
    const Case cases[] = {
        {"RangeOptions", "m_pRangeSpecEnvelopeCheck", &COptionsWindow::rangeEnvelopeChanged,
         "m_pRangeWaterfallSpectrumCheck", &COptionsWindow::rangeWaterfallChanged,
         "m_pRangeWaterfallWriteToBufferCheck", "m_pRangeWaterfallBufferPathEdit",
         &COptionsWindow::rangeWaterfallBuffer, "m_pRangeSpecAverCombo", "m_pRangeSpecReset",
         g_DeviceThread.m_pRangeFft1},
        {"DdcOptions", "m_pDdcSpecEnvelopeCheck", &COptionsWindow::ddcEnvelopeChanged,
         "m_pDdcWaterfallSpectrumCheck", &COptionsWindow::ddcWaterfallChanged,
         "m_pDdcWaterfallWriteToBufferCheck", "m_pDdcWaterfallBufferPathEdit",
         &COptionsWindow::ddcWaterfallBuffer, "m_pDdcSpecAverCombo", "m_pDdcSpecReset",
         g_DeviceThread.m_pDdcFft1},
        {"DemodOptions", "m_pDemodSpecEnvelopeCheck", &COptionsWindow::demodEnvelopeChanged,
         "m_pDemodWaterfallSpectrumCheck", &COptionsWindow::demodWaterfallChanged,
         "m_pDemodWaterfallWriteToBufferCheck", "m_pDemodWaterfallBufferPathEdit",
         &COptionsWindow::demodWaterfallBuffer, "m_pDemodSpecAverCombo", "m_pDemodSpecReset",
         g_DeviceThread.m_pDemodFft1},
    };
    for (const Case& c : cases)
    {
        const QString section = QLatin1String(c.section);
        QSignalSpy envelope(m_window.get(), c.envelope);
        QSignalSpy waterfall(m_window.get(), c.waterfall);
        QSignalSpy buffer(m_window.get(), c.buffer);

        Child<QCheckBox>(c.envelopeCheck)->click();
        ASSERT_EQ(envelope.count(), 1) << c.section;
        EXPECT_TRUE(envelope.at(0).at(0).toBool()) << c.section;
        EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("SpecEnvelope"), -1), 1) << c.section;

        const bool spectrumOn = !Child<QCheckBox>(c.spectrumCheck)->isChecked();
        Child<QCheckBox>(c.spectrumCheck)->click();
        EXPECT_EQ(waterfall.count(), 1) << c.section;
        EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("WaterfallSpectrum"), -1), spectrumOn ? 1 : 0)
            << c.section;

        // Unchecking the buffer names the file that stops being written and keeps its path.
        const QString path = QStringLiteral("/data/buffers/%1.buf").arg(section);
        Child<QCheckBox>(c.bufferCheck)->setChecked(true);
        Child<QLineEdit>(c.bufferEdit)->setText(path);
        Child<QCheckBox>(c.bufferCheck)->click();
        ASSERT_EQ(buffer.count(), 1) << c.section;
        EXPECT_FALSE(buffer.at(0).at(0).toBool()) << c.section;
        EXPECT_EQ(buffer.at(0).at(1).toString(), path) << c.section;
        EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("WaterfallWriteBuffer"), -1), 0) << c.section;
        EXPECT_EQ(g_Parameters.GetString(section, QStringLiteral("WaterfallBufferPath"), QString()), path)
            << c.section;

        // Reset restarts the page's own transform on the chosen mode.
        Child<QComboBox>(c.averCombo)->setCurrentIndex(3);
        EXPECT_EQ(c.fft->GetAveraging(), 3) << c.section;
        c.fft->SetAveraging(7);
        Child<QPushButton>(c.reset)->click();
        EXPECT_EQ(c.fft->GetAveraging(), 3) << c.section;
    }
}

TEST_F(OptionsWindowTest, CombineCountsAndVectorSamplesReachTheViewsAsTyped)
{
    Build();
    QSignalSpy combine(m_window.get(), &COptionsWindow::demodCombineOsc);
    auto* edit = Child<QLineEdit>("m_pDemodCombineOscEdit");
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("12"));
    edit->clear();
    QList<int> counts;
    for (const QList<QVariant>& emitted : combine)
        counts << emitted.at(0).toInt();
    EXPECT_EQ(counts, QList<int>({0, 1, 12, 0}));

    QSignalSpy ddcCombine(m_window.get(), &COptionsWindow::ddcCombineOsc);
    Child<QLineEdit>("m_pDdcCombineOscEdit")->setText(QStringLiteral("x3"));
    ASSERT_EQ(ddcCombine.count(), 1);
    EXPECT_EQ(ddcCombine.at(0).at(0).toInt(), 0) << "a text that is no number counts 0";

    // The reload selects the stored count silently; the operator's choice is announced.
    QSignalSpy samples(m_window.get(), &COptionsWindow::vectorShowSamples);
    const QString key = g_DeviceThread.GetChannelPrefix(-1) + QStringLiteral("SamplesIndex");
    g_Parameters.SetInt(QStringLiteral("DdcOptions"), key, 2);
    m_window->SetupOptionsWindow(COptionsWindow::BandPage, 0);
    auto* combo = Child<QComboBox>("m_pDdcVectorSamplesComboBox");
    EXPECT_EQ(combo->currentText(), QStringLiteral("1024"));
    EXPECT_EQ(samples.count(), 0);
    QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(samples.count(), 1);
    EXPECT_EQ(samples.at(0).at(0).toInt(), 2048);

    QSignalSpy lines(m_window.get(), &COptionsWindow::vectorShowLines);
    Child<QCheckBox>("m_pDdcVectorLinesCheck")->click();
    ASSERT_EQ(lines.count(), 1);
    EXPECT_EQ(lines.at(0).at(0).toBool(), Child<QCheckBox>("m_pDdcVectorLinesCheck")->isChecked());
}

TEST_F(OptionsWindowTest, RangeAveragingCanBeLockedAndTheTimeTextSet)
{
    Build();
    m_window->SetRangeAveragingEnabled(false);
    EXPECT_FALSE(Child<QComboBox>("m_pRangeSpecAverCombo")->isEnabled());
    m_window->SetRangeWaterfallTimeText(QStringLiteral("Recording time available: 12 min"));
    EXPECT_EQ(Child<QLabel>("m_pRangeWaterfallTimeLabel")->text(),
              QStringLiteral("Recording time available: 12 min"));
    m_window->SetPageEnabled(1, false);
    EXPECT_FALSE(ToolBox()->isItemEnabled(1));
}

TEST_F(OptionsWindowTest, BrowsingForABufferSwitchesItOnWithTheChosenFile)
{
    Build();
    QSignalSpy buffer(m_window.get(), &COptionsWindow::ddcWaterfallBuffer);
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString(), QStringLiteral("*.dwb"));
        m_window->OnDdcWaterfallBrowseButton();
    }
    EXPECT_EQ(buffer.count(), 0) << "a cancelled dialog changes nothing";
    EXPECT_FALSE(Child<QCheckBox>("m_pDdcWaterfallWriteToBufferCheck")->isChecked());

    // Only the range buffer path is kept in the platform's own form; the others as the dialog gave them.
    struct Case
    {
        void (COptionsWindow::*browse)();
        void (COptionsWindow::*signal)(bool, const QString&);
        const char* section;
        const char* check;
        const char* edit;
        const char* filter;
        QString answer;
        QString stored;
    };
    const Case cases[] = {
        {&COptionsWindow::OnRangeWaterfallBrowseButton, &COptionsWindow::rangeWaterfallBuffer, "RangeOptions",
         "m_pRangeWaterfallWriteToBufferCheck", "m_pRangeWaterfallBufferPathEdit", "*.rwb",
         QStringLiteral("C:/buf/a.rwb"), QDir::toNativeSeparators(QStringLiteral("C:/buf/a.rwb"))},
        {&COptionsWindow::OnDdcWaterfallBrowseButton, &COptionsWindow::ddcWaterfallBuffer, "DdcOptions",
         "m_pDdcWaterfallWriteToBufferCheck", "m_pDdcWaterfallBufferPathEdit", "*.dwb",
         QStringLiteral("C:/buf/a.dwb"), QStringLiteral("C:/buf/a.dwb")},
        {&COptionsWindow::OnDemodWaterfallBrowseButton, &COptionsWindow::demodWaterfallBuffer, "DemodOptions",
         "m_pDemodWaterfallWriteToBufferCheck", "m_pDemodWaterfallBufferPathEdit", "*.mwb",
         QStringLiteral("C:/buf/a.mwb"), QStringLiteral("C:/buf/a.mwb")},
    };
    for (const Case& c : cases)
    {
        QSignalSpy spy(m_window.get(), c.signal);
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(c.answer, QLatin1String(c.filter));
        (m_window.get()->*c.browse)();
        EXPECT_EQ(prompt.Pending(), 0u) << c.section;
        ASSERT_EQ(spy.count(), 1) << c.section;
        EXPECT_TRUE(spy.at(0).at(0).toBool()) << c.section;
        EXPECT_EQ(spy.at(0).at(1).toString(), c.stored) << c.section;
        EXPECT_TRUE(Child<QCheckBox>(c.check)->isChecked()) << c.section;
        EXPECT_EQ(Child<QLineEdit>(c.edit)->text(), c.stored) << c.section;
        const QString section = QLatin1String(c.section);
        EXPECT_EQ(g_Parameters.GetInt(section, QStringLiteral("WaterfallWriteBuffer"), 0), 1) << c.section;
        EXPECT_EQ(g_Parameters.GetString(section, QStringLiteral("WaterfallBufferPath"), QString()), c.stored)
            << c.section;
    }
}

TEST_F(OptionsWindowTest, GroupVisibilityFollowsThePanesOfTheViews)
{
    Build();
    m_window->SetDdcGroupsVisible(false, true, false, true);
    EXPECT_TRUE(Child<QGroupBox>("m_pDdcSpectrumGroupBox")->isHidden());
    EXPECT_FALSE(Child<QGroupBox>("m_pDdcWaterfallGroupBox")->isHidden());
    EXPECT_TRUE(Child<QGroupBox>("m_pDdcOscGroupBox")->isHidden());
    EXPECT_FALSE(Child<QGroupBox>("m_pDdcVectorGroupBox")->isHidden());
    m_window->SetDemodGroupsVisible(true, false, true);
    EXPECT_FALSE(Child<QGroupBox>("m_pDemodSpectrumGroupBox")->isHidden());
    EXPECT_TRUE(Child<QGroupBox>("m_pDemodWaterfallGroupBox")->isHidden());
    EXPECT_FALSE(Child<QGroupBox>("m_pDemodOscGroupBox")->isHidden());
    m_window->SetRangeGroupsVisible(false, true);
    EXPECT_TRUE(Child<QGroupBox>("m_pRangeSpectrumGroupBox")->isHidden());
    EXPECT_FALSE(Child<QGroupBox>("m_pRangeWaterfallGroupBox")->isHidden());
}
