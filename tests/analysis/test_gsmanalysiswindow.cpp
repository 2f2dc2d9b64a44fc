#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>

#include <vector>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "gsmanalysiswindow.h"
#include "histogramwidget.h"
#include "parameters.h"

// The GSM analysis window on its form, over the library's real GSM analysis. Each test runs in its own
// process on a fresh settings file and library core.

namespace
{
// The window's spectrum width: 300 points of a test spectrum make 0.1 MHz per point.
constexpr double kSpectrumWidth = 30.0;

class GsmAnalysisWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_FftOptions.Init();
        g_DeviceThread.LoadCorrections();
        gsm = g_DeviceThread.m_pGsmAnalysis;
    }

    static QSettings PlainKeys() { return QSettings(g_Parameters.FilePath(), QSettings::IniFormat); }
    static QVariant Key(const char* key)
    {
        return PlainKeys().value(QStringLiteral("GsmAnalysisWindow/") + QLatin1String(key));
    }
    static void SetKey(const char* key, const QVariant& value)
    {
        PlainKeys().setValue(QStringLiteral("GsmAnalysisWindow/") + QLatin1String(key), value);
    }

    IGsmAnalysis* gsm = nullptr;
};

void Edit(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    emit edit->editingFinished();
}
}  // namespace

TEST_F(GsmAnalysisWindowTest, FormHasEveryObjectNameTextAndTip)
{
    CGsmAnalysisWindow window(kSpectrumWidth);
    EXPECT_EQ(window.objectName(), QStringLiteral("GsmAnalysisWindow"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("GSM Analysis"));
    EXPECT_EQ(window.minimumSize(), QSize(256, 555));
    EXPECT_TRUE(window.isFloating());
    EXPECT_EQ(window.allowedAreas(), Qt::NoDockWidgetArea);
    for (const char* name : {"m_pHistogramView", "groupBox_4",        "m_pG900Radio",
                             "m_pG1800Radio",    "groupBox",          "label",
                             "label_2",          "label_4",           "label_5",
                             "m_pStartFreqEdit", "m_pChannelsSpin",   "m_pBandwidthEdit",
                             "groupBox_3",       "m_pHistAverOff",    "m_pHistAverPeak",
                             "m_pHistAver1",     "m_pHistAver2",      "label_3",
                             "m_pAverCountEdit", "groupBox_2",        "m_pChAverPeak",
                             "m_pChAver1",       "m_pStartStopButton"})
        EXPECT_NE(window.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;

    const Ui::CGsmAnalysisWindowClass& ui = window.Form();
    EXPECT_EQ(ui.groupBox_4->title(), QStringLiteral("GSM Mode"));
    EXPECT_EQ(ui.groupBox->title(), QStringLiteral("Settings"));
    EXPECT_EQ(ui.groupBox_3->title(), QStringLiteral("Histogram Averaging"));
    EXPECT_EQ(ui.groupBox_2->title(), QStringLiteral("Averaging in channel"));
    EXPECT_EQ(ui.label->text(), QStringLiteral("Start Freq.:"));
    EXPECT_EQ(ui.label_5->text(), QStringLiteral("MHz"));
    EXPECT_EQ(ui.m_pStartFreqEdit->toolTip(), QStringLiteral("Start frequency for analysis, MHz"));
    EXPECT_EQ(ui.m_pChannelsSpin->toolTip(), QStringLiteral("Channels to display"));
    EXPECT_EQ(ui.m_pBandwidthEdit->toolTip(), QStringLiteral("Channel bandwidth, MHz"));
    EXPECT_EQ(ui.m_pAverCountEdit->toolTip(), QStringLiteral("Count of samples for histogram averaging"));
    for (QLineEdit* edit : {ui.m_pStartFreqEdit, ui.m_pBandwidthEdit, ui.m_pAverCountEdit})
    {
        EXPECT_EQ(edit->minimumWidth(), 50);
        EXPECT_EQ(edit->maximumWidth(), 50);
    }
    EXPECT_EQ(ui.m_pChannelsSpin->minimum(), 0);
    EXPECT_EQ(ui.m_pChannelsSpin->maximum(), 99);

    // A first start: the defaults, nothing pushed and nothing stored.
    EXPECT_EQ(ui.m_pStartFreqEdit->text(), QStringLiteral("1"));
    EXPECT_EQ(ui.m_pBandwidthEdit->text(), QStringLiteral("0.2"));
    EXPECT_EQ(ui.m_pChannelsSpin->value(), 80);
    EXPECT_EQ(ui.m_pAverCountEdit->text(), QStringLiteral("4"));
    EXPECT_TRUE(ui.m_pHistAverPeak->isChecked());
    EXPECT_TRUE(ui.m_pChAverPeak->isChecked());
    EXPECT_FALSE(Key("Channels").isValid());
    EXPECT_DOUBLE_EQ(ui.m_pHistogramView->m_dUpperLevel, ui.m_pHistogramView->m_dLowerLevel + 30.0);
    EXPECT_EQ(ui.m_pHistogramView->m_nMinBarWidth, 10);
    EXPECT_FALSE(ui.m_pHistogramView->m_bShowValues);
}

TEST_F(GsmAnalysisWindowTest, LanguageChangeSetsEveryFormTextAgain)
{
    CGsmAnalysisWindow window(kSpectrumWidth);
    window.setVisible(true);
    window.OnStartStopButton();
    const Ui::CGsmAnalysisWindowClass& ui = window.Form();
    for (QGroupBox* box : {ui.groupBox, ui.groupBox_2, ui.groupBox_3, ui.groupBox_4})
        box->setTitle(QStringLiteral("x"));
    for (QLabel* label : {ui.label, ui.label_2, ui.label_3, ui.label_4, ui.label_5})
        label->setText(QStringLiteral("x"));
    for (QWidget* widget : std::vector<QWidget*>{ui.m_pStartFreqEdit, ui.m_pChannelsSpin, ui.m_pBandwidthEdit,
                                                 ui.m_pAverCountEdit})
        widget->setToolTip(QStringLiteral("x"));
    ui.m_pG900Radio->setText(QStringLiteral("x"));
    window.setWindowTitle(QStringLiteral("x"));

    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("GSM Analysis"));
    EXPECT_EQ(ui.groupBox->title(), QStringLiteral("Settings"));
    EXPECT_EQ(ui.groupBox_2->title(), QStringLiteral("Averaging in channel"));
    EXPECT_EQ(ui.groupBox_3->title(), QStringLiteral("Histogram Averaging"));
    EXPECT_EQ(ui.groupBox_4->title(), QStringLiteral("GSM Mode"));
    EXPECT_EQ(ui.label->text(), QStringLiteral("Start Freq.:"));
    EXPECT_EQ(ui.label_2->text(), QStringLiteral("Channels:"));
    EXPECT_EQ(ui.label_3->text(), QStringLiteral("Aver. Count:"));
    EXPECT_EQ(ui.label_4->text(), QStringLiteral("Bandwidth:"));
    EXPECT_EQ(ui.label_5->text(), QStringLiteral("MHz"));
    EXPECT_EQ(ui.m_pStartFreqEdit->toolTip(), QStringLiteral("Start frequency for analysis, MHz"));
    EXPECT_EQ(ui.m_pChannelsSpin->toolTip(), QStringLiteral("Channels to display"));
    EXPECT_EQ(ui.m_pBandwidthEdit->toolTip(), QStringLiteral("Channel bandwidth, MHz"));
    EXPECT_EQ(ui.m_pAverCountEdit->toolTip(), QStringLiteral("Count of samples for histogram averaging"));
    EXPECT_EQ(ui.m_pG900Radio->text(), QStringLiteral("GSM 900"));
    // The running analysis keeps its button.
    EXPECT_EQ(ui.m_pStartStopButton->text(), QStringLiteral("Stop"));
    window.setVisible(false);
}

TEST_F(GsmAnalysisWindowTest, DestroyingARunningWindowStopsTheAnalysisAndLetsTheSynthesiserScan)
{
    {
        CGsmAnalysisWindow window(kSpectrumWidth);
        window.setVisible(true);
        window.OnStartStopButton();
        ASSERT_TRUE(gsm->IsRunning());
        ASSERT_FALSE(g_DeviceThread.m_pAdf->IsEnabled());
    }
    EXPECT_FALSE(gsm->IsRunning());
    EXPECT_TRUE(g_DeviceThread.m_pAdf->IsEnabled());

    // A window that did not run leaves the synthesiser as it is.
    g_DeviceThread.m_pAdf->SetEnabled(false);
    {
        CGsmAnalysisWindow window(kSpectrumWidth);
        window.setVisible(true);
    }
    EXPECT_FALSE(g_DeviceThread.m_pAdf->IsEnabled());
}

TEST_F(GsmAnalysisWindowTest, StartOrBandwidthThatIsNoFiniteNumberPushesAndStoresZero)
{
    SetKey("StartFreq", QStringLiteral("nan"));
    SetKey("Bandwidth", QStringLiteral("inf"));
    SetKey("TotalAver", 0);  // every spectrum completes a cycle
    CGsmAnalysisWindow window(kSpectrumWidth);
    const Ui::CGsmAnalysisWindowClass& ui = window.Form();
    EXPECT_EQ(ui.m_pStartFreqEdit->text(), QStringLiteral("0"));
    EXPECT_EQ(ui.m_pBandwidthEdit->text(), QStringLiteral("0"));

    ui.m_pChannelsSpin->setValue(3);
    for (const char* text : {"nan", "inf", "-inf", "junk"})
    {
        Edit(ui.m_pBandwidthEdit, QStringLiteral("0.2"));
        Edit(ui.m_pStartFreqEdit, QLatin1String(text));
        EXPECT_EQ(Key("StartFreq").toDouble(), 0.0) << text;
        // Channels from point 0, two points each: a start that is not a number would read -80.
        gsm->Process(std::vector<double>(300, -45.0));
        EXPECT_EQ(gsm->GetResults(), (std::vector<double>{-45.0, -45.0, -45.0})) << text;

        Edit(ui.m_pStartFreqEdit, QStringLiteral("1"));
        Edit(ui.m_pBandwidthEdit, QLatin1String(text));
        EXPECT_EQ(Key("Bandwidth").toDouble(), 0.0) << text;
        EXPECT_DOUBLE_EQ(Key("StartFreq").toDouble(), 1.0);
    }
}

TEST_F(GsmAnalysisWindowTest, StoredHistogramModeOutsideTheRadiosLeavesPeak)
{
    SetKey("TotalAver", 7);
    SetKey("BandAver", 3);
    CGsmAnalysisWindow window(kSpectrumWidth);
    const Ui::CGsmAnalysisWindowClass& ui = window.Form();
    EXPECT_TRUE(ui.m_pHistAverPeak->isChecked());
    EXPECT_TRUE(ui.m_pChAver1->isChecked());
    EXPECT_EQ(Key("TotalAver").toInt(), 7);
    ui.m_pChannelsSpin->setValue(12);
    EXPECT_EQ(Key("TotalAver").toInt(), 1);
    EXPECT_EQ(Key("BandAver").toInt(), 1);
    EXPECT_EQ(Key("Channels").toInt(), 12);
}

TEST_F(GsmAnalysisWindowTest, EachPollShowsOneBarPerChannelFromTheLastFinishedCycle)
{
    SetKey("StartFreq", 0.0);
    SetKey("AverCount", 2);
    SetKey("TotalAver", 2);  // the mean over two spectra
    CGsmAnalysisWindow window(kSpectrumWidth);
    const Ui::CGsmAnalysisWindowClass& ui = window.Form();
    CQHistogramWidget* histogram = ui.m_pHistogramView;
    ui.m_pChannelsSpin->setValue(3);
    window.setVisible(true);
    window.OnStartStopButton();

    gsm->Process(std::vector<double>(300, -40.0));
    window.OnTimer();
    EXPECT_TRUE(histogram->m_Bars.empty());  // the cycle is not finished
    gsm->Process(std::vector<double>(300, -60.0));
    const double lowerBefore = histogram->m_dLowerLevel;
    window.OnTimer();
    ASSERT_EQ(histogram->m_Bars.size(), 3u);
    EXPECT_EQ(histogram->m_Bars[0].label, QStringLiteral("1"));
    EXPECT_EQ(histogram->m_Bars[2].label, QStringLiteral("3"));
    EXPECT_DOUBLE_EQ(histogram->m_Bars[1].level, -50.0);
    // The scale was fitted to the bars shown before (none), not to the new ones.
    EXPECT_NE(lowerBefore, 29.0);
    EXPECT_DOUBLE_EQ(histogram->m_dLowerLevel, 29.0);

    // The next poll fits the scale to the levels it showed.
    gsm->Process(std::vector<double>(300, -70.0));
    gsm->Process(std::vector<double>(300, -70.0));
    window.OnTimer();
    EXPECT_DOUBLE_EQ(histogram->m_dLowerLevel, -51.0);
    EXPECT_DOUBLE_EQ(histogram->m_Bars[0].level, -70.0);

    // No channels, no bars.
    ui.m_pChannelsSpin->setValue(0);
    gsm->Process(std::vector<double>(300, -70.0));
    gsm->Process(std::vector<double>(300, -70.0));
    window.OnTimer();
    EXPECT_TRUE(histogram->m_Bars.empty());
    window.setVisible(false);
}
