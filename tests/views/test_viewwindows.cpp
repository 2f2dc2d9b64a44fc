// The view-side dock windows the main window creates: the vector and noise-quality windows, the DDC
// WAV writer and the spectrum dialog, with their settings names, start states and the data they show.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>

#include <cmath>
#include <vector>

#include "ddcwavwriterwindow.h"
#include "iddcwavwriter.h"
#include "noisequalityview.h"
#include "noisequalitywindow.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "spectrumdialog.h"
#include "tempdir.h"
#include "testdevice.h"
#include "vectorgraphic.h"
#include "vectorview.h"
#include "vectorwindow.h"

namespace
{
class WindowsEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_NE(g_DeviceThread.m_pControlBits, nullptr);
        PrepareTestDevice({61.44e6});
    }
};
const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new WindowsEnvironment);

template <class T>
T* Child(QWidget& window, const char* name)
{
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

std::vector<double> Data(IGraphic* pane, int trace)
{
    const std::vector<double>* data = dynamic_cast<ISimpleGraphic*>(pane)->GetData(trace);
    return data ? *data : std::vector<double>{};
}

TEST(VectorWindow, ShowsTheIqSamplesGivenToIt)
{
    CVectorWindow window;
    EXPECT_EQ(window.GetSettingsName(), "VectorWindow");
    EXPECT_EQ(window.windowTitle(), "Vector");
    CVectorView* view = window.GetView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->objectName(), "m_pVectorGraphView");
    IGraphic* vec = view->GetGraphic("Vec");
    ASSERT_NE(dynamic_cast<CQVectorGraphic*>(vec), nullptr);
    EXPECT_EQ(view->GetGraphicAt(0), vec) << "the pane is shown from the start";

    const std::vector<double> i{0.1, 0.2, -0.3};
    const std::vector<double> q{-0.5, 0.4, 0.0};
    window.SetData(i, q);
    EXPECT_EQ(Data(vec, 0), i);
    EXPECT_EQ(Data(vec, 2), q);

    window.SetShowLines(true);
    window.SetSamples(123);
    EXPECT_EQ(dynamic_cast<CQVectorGraphic*>(vec)->GetSamples(), 123);

    // A reset brings both axes back to -1 .. 1 with auto-scale on.
    auto* osc = dynamic_cast<CQOscillogramGraphic*>(vec);
    osc->SetAutoScale(false, false);
    view->ResetAxes();
    EXPECT_TRUE(osc->IsAutoScale());
    EXPECT_DOUBLE_EQ(vec->GetXMin(), -1.0);
    EXPECT_DOUBLE_EQ(vec->GetXMax(), 1.0);
    EXPECT_EQ(Data(vec, 0), i) << "a reset keeps the data";
}

TEST(NoiseQualityWindow, ShowsHistogramAndFigures)
{
    CNoiseQualityWindow window;
    EXPECT_EQ(window.GetSettingsName(), "NoiseQualityWindow");
    EXPECT_EQ(window.windowTitle(), "Noise Quality");
    EXPECT_EQ(window.GetEntropyText(), "0");
    EXPECT_EQ(window.GetEntropyCoefText(), "0");
    CNoiseQualityView* view = window.GetView();
    IGraphic* osc = view->GetGraphic("Osc");
    ASSERT_NE(osc, nullptr);
    EXPECT_EQ(view->GetGraphicAt(0), osc);

    const std::vector<double> histogram{0.25, 0.5, 0.25, 0.0, 0.0};
    window.SetData(histogram);
    EXPECT_EQ(Data(osc, 0), histogram);
    EXPECT_DOUBLE_EQ(osc->GetXMin(), 0.0);
    EXPECT_DOUBLE_EQ(osc->GetXMax(), 4.0);

    // All samples in one bin: entropy 0, coefficient 1 / (2 pi e), six significant digits.
    window.SetEntropy(0.0);
    window.SetEntropyCoef(1.0 / 17.079468445347132);
    EXPECT_EQ(window.GetEntropyText(), "0");
    EXPECT_EQ(window.GetEntropyCoefText(), "0.0585498");
    window.SetEntropy(2.0 / 3.0);
    EXPECT_EQ(window.GetEntropyText(), "0.666667");

    // An empty histogram clears the trace and keeps the axis as it was.
    window.SetData({});
    EXPECT_TRUE(Data(osc, 0).empty());
    EXPECT_DOUBLE_EQ(osc->GetXMax(), 4.0);

    // A language change shows "0" until the next tick.
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(window.GetEntropyText(), "0");
    EXPECT_EQ(window.GetEntropyCoefText(), "0");
}

class DdcWavWriterWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(g_DeviceThread.m_pDdcWavWriter, nullptr);
        path = Child<QLineEdit>(window, "m_pFilePathEdit");
        start = Child<QPushButton>(window, "m_pStartButton");
        stop = Child<QPushButton>(window, "m_pStopButton");
        status = Child<QLabel>(window, "m_pStatusLabel");
        normalize = Child<QCheckBox>(window, "m_pNormalizeCheck");
    }
    void TearDown() override
    {
        if (g_DeviceThread.m_pDdcWavWriter->IsWriting())
            g_DeviceThread.m_pDdcWavWriter->Stop();
    }

    CDdcWavWriterWindow window;
    CTempDir dir;
    QLineEdit* path = nullptr;
    QPushButton* start = nullptr;
    QPushButton* stop = nullptr;
    QLabel* status = nullptr;
    QCheckBox* normalize = nullptr;
};

TEST_F(DdcWavWriterWindowTest, StartsIdleWith16BitsNormalised)
{
    EXPECT_EQ(window.GetSettingsName(), "DdcWavWriterWindow");
    EXPECT_EQ(window.windowTitle(), "DDC WAV Writer");
    EXPECT_EQ(window.minimumSize(), QSize(478, 197));
    EXPECT_EQ(window.maximumSize(), QSize(478, 197));
    EXPECT_TRUE(Child<QRadioButton>(window, "m_p16bitRadio")->isChecked());
    EXPECT_TRUE(normalize->isChecked());
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_TRUE(status->text().isEmpty());

    // 24 bits greys the tick out without clearing it; 16 bits gives it back as it was.
    Child<QRadioButton>(window, "m_p24bitRadio")->click();
    EXPECT_FALSE(normalize->isEnabled());
    EXPECT_TRUE(normalize->isChecked());
    Child<QRadioButton>(window, "m_p16bitRadio")->click();
    EXPECT_TRUE(normalize->isEnabled());
    EXPECT_TRUE(normalize->isChecked());
}

TEST_F(DdcWavWriterWindowTest, BrowseStoresTheFolderUnlessCancelled)
{
    g_Parameters.SetString("FilePaths", "SaveDdcWav", "/before");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString());
        window.OnBrowseButton();
        EXPECT_EQ(prompt.Asked().at(0).initial, "/before");
    }
    EXPECT_TRUE(path->text().isEmpty());
    EXPECT_EQ(g_Parameters.GetString("FilePaths", "SaveDdcWav", QString()), "/before");

    const QString file = QString::fromStdString(dir.File("band.wav"));
    CScriptedPrompt prompt;
    prompt.AnswerSaveFile(file);
    window.OnBrowseButton();
    EXPECT_EQ(path->text(), file);
    EXPECT_EQ(g_Parameters.GetString("FilePaths", "SaveDdcWav", QString()),
              QString::fromStdString(dir.Path()));
}

TEST_F(DdcWavWriterWindowTest, StartWithoutPathOnlyInforms)
{
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, "No file specified!");
    start->click();
    EXPECT_FALSE(g_DeviceThread.m_pDdcWavWriter->IsWriting());
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(window.IsTimerActive());
}

TEST_F(DdcWavWriterWindowTest, WritesUntilHiddenAndReportsFailures)
{
    path->setText(QString::fromStdString(dir.File("band.wav")));
    window.show();
    start->click();
    ASSERT_TRUE(g_DeviceThread.m_pDdcWavWriter->IsWriting());
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(stop->isEnabled());
    EXPECT_EQ(status->text(), "Writing DDC data");
    EXPECT_TRUE(window.IsTimerActive());

    // No DDC samples counted: the lost label keeps its text.
    QLabel* lost = Child<QLabel>(window, "m_pLostLabel");
    window.OnTimer();
    EXPECT_EQ(status->text(), "Writing DDC data 00:00:00");
    EXPECT_TRUE(lost->text().isEmpty());
    window.OnTimer();
    EXPECT_EQ(status->text(), "Writing DDC data 00:00:01");

    // Hiding the window stops the writing and closes the file.
    window.hide();
    EXPECT_FALSE(g_DeviceThread.m_pDdcWavWriter->IsWriting());
    EXPECT_FALSE(window.IsTimerActive());
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_TRUE(status->text().isEmpty());
    EXPECT_TRUE(QFile::exists(path->text()));

    // A file that cannot be created: "Error", nothing running.
    path->setText(QString::fromStdString(dir.File("missing/folder/band.wav")));
    start->click();
    EXPECT_EQ(status->text(), "Error");
    EXPECT_FALSE(g_DeviceThread.m_pDdcWavWriter->IsWriting());
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(window.IsTimerActive());
}

class SpectrumDialogTest : public ::testing::Test
{
protected:
    static QString SettingsFile()
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/settings.ini";
    }
    void SetUp() override { QFile::remove(SettingsFile()); }
    void TearDown() override { QFile::remove(SettingsFile()); }
};

TEST_F(SpectrumDialogTest, StartsWithStoredWindowsAndHiddenServiceControls)
{
    {
        QSettings settings(SettingsFile(), QSettings::IniFormat);
        settings.setValue("SpectrumDialog/F1_End", 6100);
    }
    CSpectrumDialog dialog;
    EXPECT_EQ(dialog.GetSettingsName(), "SpectrumDialog");
    EXPECT_EQ(dialog.windowTitle(), "Spectrum");
    EXPECT_EQ(dialog.m_nF0_Start, 4500);
    EXPECT_EQ(dialog.m_nF0_End, 5000);
    EXPECT_EQ(dialog.m_nF1_Start, 5000);
    EXPECT_EQ(dialog.m_nF1_End, 6100);
    EXPECT_EQ(Child<QLineEdit>(dialog, "m_pF1_EndEdit")->text(), "6100");
    EXPECT_EQ(dialog.m_nApply, 1);
    EXPECT_EQ(dialog.m_nBandMode, 0);
    ASSERT_NE(dialog.m_pDebugGroupBox, nullptr);
    EXPECT_EQ(dialog.m_pDebugGroupBox->objectName(), "m_pDebugGroupBox");
    EXPECT_TRUE(dialog.m_pDebugGroupBox->isHidden());
    EXPECT_TRUE(Child<QPushButton>(dialog, "m_pAdaptButton")->isHidden());
    EXPECT_TRUE(Child<QPushButton>(dialog, "m_pOkButton")->isHidden());
    EXPECT_TRUE(Child<QLabel>(dialog, "m_pStepLabel")->isHidden());
}

TEST_F(SpectrumDialogTest, ApplyStoresOnlyEditedWindows)
{
    CSpectrumDialog dialog;
    dialog.m_nApply = 0;
    Child<QPushButton>(dialog, "m_pSendButton")->click();
    EXPECT_EQ(dialog.m_nApply, 0);
    EXPECT_FALSE(QFile::exists(SettingsFile())) << "nothing edited, nothing written";

    Child<QLineEdit>(dialog, "m_pF0_StartEdit")->setText("4600");
    Child<QPushButton>(dialog, "m_pSendButton")->click();
    EXPECT_EQ(dialog.m_nApply, 1);
    EXPECT_EQ(dialog.m_nF0_Start, 4600);
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(settings.value("SpectrumDialog/F0_Start").toInt(), 4600);
    EXPECT_EQ(settings.value("SpectrumDialog/F1_End").toInt(), 5500);
}

TEST_F(SpectrumDialogTest, ReadOutOfThePanorama)
{
    CSpectrumDialog dialog;
    dialog.m_nSweepStart = 6000;
    dialog.m_nSweepEnd = 12000;
    std::vector<double> bins(kLmxPanoramaSize, 40.0);
    // All equal: bin 0 is the maximum, at the sweep start; the mean leaves bin 0 out of the sum but
    // not out of the count.
    EXPECT_EQ(dialog.ReadOut(bins.data(), kLmxPanoramaSize), "Maximum:\n6000 MHz\n-60 dB\n\nNoise:\n-61 dB");
    // The first of two equal maxima wins; 504 of 1008 bins into the sweep is its middle.
    bins[504] = 95.7;
    bins[700] = 95.0;
    const int mean = static_cast<int>((40LL * 1005 + 95 + 95) / 1008);
    EXPECT_EQ(dialog.ReadOut(bins.data(), kLmxPanoramaSize),
              QString("Maximum:\n9000 MHz\n-5 dB\n\nNoise:\n%1 dB").arg(mean - 100));

    // Only a visible dialog computes; then the scale shows +30 dB and -100 dB.
    QLabel* top = Child<QLabel>(dialog, "m_pTopLabel");
    dialog.OnTimer();
    EXPECT_EQ(top->text(), "L max");
    dialog.m_strBegin = "6 GHz";
    dialog.show();
    dialog.OnTimer();
    EXPECT_EQ(top->text(), "+30 dB");
    EXPECT_EQ(Child<QLabel>(dialog, "m_pBottomLabel")->text(), "-100 dB");
    EXPECT_EQ(Child<QLabel>(dialog, "m_pBeginLabel_2")->text(), "6 GHz");
}
}  // namespace
