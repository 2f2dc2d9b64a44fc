// The view-side dock windows the main window creates: the DDC WAV writer and the spectrum dialog, with
// their settings names, start states and the data they show.

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

#include <algorithm>
#include <string>
#include <vector>

#include "ddcwavwriterwindow.h"
#include "iddcwavwriter.h"
#include "label2.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "spectrumdialog.h"
#include "tempdir.h"
#include "testdevice.h"
#include "wavfile.h"

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

TEST(DdcWavWriterWindow, LostShareOfTheCountedSamples)
{
    struct Case
    {
        int total;
        int lost;
        const char* text;
    };
    for (const Case& c : {Case{10000, 52, "0.52% lost"}, Case{3, 1, "33.33% lost"},
                          Case{8, 8, "100.00% lost"}, Case{100, 0, "0.00% lost"}, Case{0, 0, ""}})
        EXPECT_EQ(CDdcWavWriterWindow::LostText(c.total, c.lost), c.text) << c.total << " " << c.lost;
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

// A window destroyed while it writes (as at program exit) leaves a file whose header holds two
// channels, the band's rate, the chosen width and the sizes of every sample written.
TEST(DdcWavWriterWindow, DestroyedWhileWritingLeavesAWholeFile)
{
    IDdcWavWriter* writer = g_DeviceThread.m_pDdcWavWriter;
    ASSERT_NE(writer, nullptr);
    const int rate = static_cast<int>(g_DeviceThread.m_pControlBits->GetSampleRate(-1));
    CTempDir dir;
    struct Case
    {
        const char* radio;
        int bits;
    };
    for (const Case& c : {Case{"m_p16bitRadio", 16}, Case{"m_p24bitRadio", 24}})
    {
        SCOPED_TRACE(c.bits);
        const QString path = QString::fromStdString(dir.File("band" + std::to_string(c.bits) + ".wav"));
        constexpr int kFrames = 1000;
        {
            CDdcWavWriterWindow window;
            Child<QLineEdit>(window, "m_pFilePathEdit")->setText(path);
            Child<QRadioButton>(window, c.radio)->click();
            window.show();
            Child<QPushButton>(window, "m_pStartButton")->click();
            ASSERT_TRUE(writer->IsWriting());
            for (int n = 0; n < kFrames; ++n)
                writer->WriteSample(n * 1000, -n * 1000);
        }
        EXPECT_FALSE(writer->IsWriting());
        const SWavFile wav = ReadWavFile(path);
        ASSERT_TRUE(wav.read);
        EXPECT_EQ(wav.channels, 2);
        EXPECT_EQ(wav.rate, rate);
        EXPECT_EQ(wav.bits, c.bits);
        EXPECT_EQ(wav.dataBytes, kFrames * 2 * c.bits / 8);
        EXPECT_EQ(wav.dataAvailable, wav.dataBytes);
        EXPECT_EQ(wav.riffBytes, wav.fileBytes - 8);
    }
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

// Green pixels of column x of a picture between rows `from` and `to`.
int GreenRows(const QImage& image, int x, int from, int to)
{
    int n = 0;
    for (int y = from; y <= to; ++y)
        n += image.pixel(x, y) == qRgb(0, 255, 0) ? 1 : 0;
    return n;
}

// The picture draws the panoramas the last visible tick took from the device: the current one as
// bars (a bin stored at 65 dB above the floor reaches row 520 - 4 x 65 = 260), the second as a red
// line along the bottom with one peak; a hidden dialog takes nothing, so its picture stays as it was.
TEST_F(SpectrumDialogTest, ThePictureDrawsThePanoramasOfTheLastVisibleTick)
{
    CSpectrumDialog dialog;
    auto* graph = qobject_cast<CLabel2*>(Child<QLabel>(dialog, "m_pGraphLabel"));
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->GetScaleHeight(), 520);
    graph->setFixedSize(1010, 521);
    const std::vector<double> savedCurrent(g_LmxPanorama, g_LmxPanorama + kLmxPanoramaSize);
    const std::vector<double> savedSecond(g_LmxPanorama2, g_LmxPanorama2 + kLmxPanoramaSize);
    std::fill(g_LmxPanorama, g_LmxPanorama + kLmxPanoramaSize, 0.0);
    std::fill(g_LmxPanorama2, g_LmxPanorama2 + kLmxPanoramaSize, 0.0);
    g_LmxPanorama2[600] = 50.0;
    g_LmxPanorama[400] = 65.0;

    dialog.OnTimer();
    QImage picture = graph->grab().toImage();
    EXPECT_EQ(GreenRows(picture, 401, 261, 519), 0) << "hidden: nothing taken";

    dialog.show();
    dialog.OnTimer();
    picture = graph->grab().toImage();
    EXPECT_EQ(GreenRows(picture, 401, 261, 519), 519 - 261 + 1);
    EXPECT_EQ(GreenRows(picture, 401, 0, 258), 0);
    EXPECT_EQ(GreenRows(picture, 600, 0, 518), 0);
    EXPECT_EQ(picture.pixel(601, 520 - 4 * 50), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(300, 520), qRgb(255, 0, 0));

    // Hidden again, a new panorama changes neither the picture nor the read-out.
    const QString readOut = Child<QLabel>(dialog, "m_pMaxLabel")->text();
    dialog.hide();
    g_LmxPanorama[400] = 0.0;
    g_LmxPanorama[700] = 100.0;
    dialog.OnTimer();
    picture = graph->grab().toImage();
    EXPECT_EQ(GreenRows(picture, 401, 261, 519), 519 - 261 + 1);
    EXPECT_EQ(GreenRows(picture, 701, 200, 519), 0);
    EXPECT_EQ(Child<QLabel>(dialog, "m_pMaxLabel")->text(), readOut);

    std::copy(savedCurrent.begin(), savedCurrent.end(), g_LmxPanorama);
    std::copy(savedSecond.begin(), savedSecond.end(), g_LmxPanorama2);
}
}  // namespace
