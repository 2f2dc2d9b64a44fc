// The factory settings on a settings file in a fresh folder, taken from the program's device thread
// bound to the real library: representative values of every section, their order, and what a reset
// removes.

#include <gtest/gtest.h>

#include <QDomElement>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

#include <string>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"
#include "tempdir.h"

namespace
{
class DefaultsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_DeviceThread.LoadCorrections();
        m_path = QString::fromStdString(m_dir.File("settings.ini"));
    }

    // Top-level section names in document order.
    static QStringList Sections(const CParameters& parameters)
    {
        QStringList names;
        for (QDomElement e = parameters.documentElement().firstChildElement(); !e.isNull();
             e = e.nextSiblingElement())
            names << e.tagName();
        return names;
    }

    CTempDir m_dir;
    QString m_path;
};

TEST_F(DefaultsTest, RepresentativeValuesAsStored)
{
    CParameters parameters(m_path);
    parameters.SetDefaults();

    struct CASE
    {
        const char* section;
        const char* key;
        const char* text;  // exactly as stored
    };
    const CASE cases[] = {
        {"MainWindow", "Maximized", "1"},
        {"MainWindow", "Width", "1024"},
        {"MainWindow", "Height", "768"},
        {"MainWindow", "OptionsToolBoxFloat", "1"},
        {"MainWindow", "HorizSplitterState", ""},
        {"Device", "HfDdcFreq", "100.000000"},
        {"Device", "LfDdcFreq", "40.000000"},
        {"Device", "AcDdcFreq", "0.030000"},
        {"Device", "WlBandwidth", "6"},
        {"Device", "Demodulation", "1"},
        {"RangeSpectrum", "HfStartXValue", "40.000000"},
        {"RangeSpectrum", "HfEndXValue", "6030.000000"},
        {"RangeSpectrum", "HfStartYValue", "-110.000000"},
        {"DemodSpectrum", "HfStartYValue", "-120.000000"},
        {"RangeOscilloscope", "HfStartYValue", "-0.010000"},
        {"DdcOscilloscope", "HfEndXValue", "0.013000"},
        {"DemodOscilloscope", "HfEndYValue", "10.000000"},
        {"RangeOscilloscope", "HfTriggerLevel", "10.000000"},
        {"DdcOscilloscope", "HfTriggerLevel", "10.000000"},
        {"DemodOscilloscope", "HfTriggerLevel", "10.000000"},
        {"DdcOptions", "HfSamplesIndex", "4"},
        {"Options", "Page", "0"},
        {"RangeOptions", "SpecAverMode", "3"},
        {"RangeOptions", "SpecWindow", "6"},
        {"RangeOptions", "RadioCom3Slider", "200"},
        {"DemodOptions", "SoundAgcLevel", "60.000000"},
        {"DemodOptions", "SpecEnvelope", "0"},
        {"Colors", "CustomThresholdLine", "0"},
        {"Colors", "CustomBackgroundColor", "4286611584"},
        {"Colors", "CustomSpectrumColor", "4294901760"},
        {"Colors", "CustomBandwidthColor", "4294902015"},
        {"Colors", "CustomDeltaCursorColor", "4278255360"},
        {"Analysis", "SquelchValue1", "-50.000000"},
        {"Analysis", "AverValue", "5000"},
        {"Analysis", "Hysteresis", "10.000000"},
        {"ScanerWindow", "FixedFreq", "1.000000"},
    };
    for (const CASE& c : cases)
        EXPECT_EQ(parameters.GetString(c.section, c.key, "<missing>"), QString::fromLatin1(c.text))
            << c.section << "/" << c.key;

    EXPECT_EQ(parameters.GetUInt("Colors", "CustomBackgroundColor", 0), 4286611584u);
    // Only the program's one channel (type 0) gets per-channel keys; the "HfWl" prefix has none.
    EXPECT_FALSE(parameters.HasKey("RangeSpectrum", "HfWlStartXValue"));
    EXPECT_FALSE(parameters.HasKey("Device", "HfWlDdcFreq"));
    // From the device as it is now.
    EXPECT_EQ(parameters.GetInt("RangeOptions", "AcousticGain", -1), g_DeviceThread.m_pAcoustic->GetGain());
    EXPECT_EQ(parameters.GetInt("RangeOptions", "DlaGain", -1), g_DeviceThread.m_pDla->GetGain());
    EXPECT_EQ(parameters.GetInt("RangeOptions", "DlaComm", -1), g_DeviceThread.m_pDla->GetComm());
    EXPECT_EQ(parameters.GetString("Preferences", "ArchiveFolder", ""),
              QFileInfo(g_Parameters.FilePath()).path());
    EXPECT_EQ(QSettings(m_path, QSettings::IniFormat).value("Global/Language").toString(),
              QLocale::system().name());
}

TEST_F(DefaultsTest, ResetReplacesEverythingInAFixedOrder)
{
    CParameters parameters(m_path);
    parameters.SetInt("OptionsToolBox", "Left", 12);
    parameters.SetInt("MainWindow", "Left", 300);
    parameters.SetDefaults();

    EXPECT_FALSE(parameters.HasSection("OptionsToolBox"));
    EXPECT_EQ(parameters.GetInt("MainWindow", "Left", -1), 0);
    const QStringList expected = {"MainWindow",      "Device",
                                  "RangeSpectrum",   "DdcSpectrum",
                                  "DemodSpectrum",   "RangeOscilloscope",
                                  "DdcOscilloscope", "DemodOscilloscope",
                                  "DdcOptions",      "Options",
                                  "RangeOptions",    "DemodOptions",
                                  "Colors",          "Preferences",
                                  "Analysis",        "ScanerWindow"};
    EXPECT_EQ(Sections(parameters), expected);

    // Key order inside one channel's range-spectrum section.
    QStringList keys;
    for (QDomElement e = parameters.documentElement().firstChildElement("RangeSpectrum").firstChildElement();
         !e.isNull(); e = e.nextSiblingElement())
        keys << e.tagName();
    EXPECT_EQ(keys, QStringList({"HfStartXValue", "HfEndXValue", "HfStartYValue", "HfEndYValue"}));

    // What was saved is what the document holds.
    CParameters reread(m_path);
    reread.Load();
    EXPECT_EQ(reread.toByteArray(1), parameters.toByteArray(1));
}

TEST_F(DefaultsTest, PerChannelKeysFollowTheChannelsOfTheDevice)
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;

    // No channel: the per-channel rows are skipped and "DdcOptions" first appears after "RangeOptions".
    bits->ClearChannels();
    CParameters none(m_path);
    none.SetDefaults();
    const QStringList sections = Sections(none);
    EXPECT_FALSE(sections.contains("RangeSpectrum"));
    EXPECT_GT(sections.indexOf("DdcOptions"), sections.indexOf("RangeOptions"));

    // Seven channels, one per input type: every prefix gets its keys, in channel order.
    bits->ClearChannels();
    for (int type = 0; type < 7; ++type)
        bits->AddChannel(type, L"T", L"Test", 61000000.0);
    CParameters seven(QString::fromStdString(m_dir.File("seven.ini")));
    seven.SetDefaults();
    QStringList startKeys;
    for (QDomElement e = seven.documentElement().firstChildElement("RangeSpectrum").firstChildElement();
         !e.isNull(); e = e.nextSiblingElement())
        if (e.tagName().endsWith("StartXValue"))
            startKeys << e.tagName();
    EXPECT_EQ(startKeys, QStringList({"HfStartXValue", "HfWlStartXValue", "WlStartXValue", "WlHfStartXValue",
                                      "DlaStartXValue", "IrStartXValue", "AcStartXValue"}));
    EXPECT_EQ(seven.GetString("DdcOptions", "AcVectorLines", "<missing>"), "0");
}

TEST_F(DefaultsTest, LoopbackDeviceStaysOffline)
{
    // The test environment points the SDR at a refused loopback port.
    EXPECT_FALSE(g_DeviceThread.InitDevice());
    EXPECT_FALSE(g_DeviceThread.IsOnline());
}
}  // namespace
