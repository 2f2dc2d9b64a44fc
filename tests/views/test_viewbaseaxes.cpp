// Axis windows and trigger levels kept per channel type and per DDC band in the settings document.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "devicethread.h"
#include "globals.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "parameters.h"
#include "testdevice.h"
#include "testview.h"

namespace
{
const QString kSpectrum = QStringLiteral("TestSpectrum");
const QString kOsc = QStringLiteral("TestOscilloscope");

// Restores the channel type and band the process started with.
class ViewBaseAxesTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { PrepareTestDevice({61e6, 61e6}); }

    void SetUp() override
    {
        m_type = g_DeviceThread.GetChannelType();
        m_tuneHz = g_DeviceThread.m_pControlBits->GetTuneFreq();
        m_band = g_DeviceThread.m_pControlBits->GetBandwidthIndex();
    }
    void TearDown() override
    {
        g_DeviceThread.SetChannelType(m_type);
        g_DeviceThread.m_pControlBits->SetTuneFreqAndBandwidth(m_tuneHz, m_band);
    }

    // Band index whose name differs from the current band's once its blanks are removed; -1 if none.
    static int OtherBand()
    {
        IControlBits* bits = g_DeviceThread.m_pControlBits;
        const QString current = BandName(bits->GetBandwidthIndex());
        for (int i = 0; i < bits->GetDdcBandCount(); ++i)
        {
            if (BandName(i) != current)
                return i;
        }
        return -1;
    }
    static QString BandName(int index)
    {
        return QString::fromStdWString(g_DeviceThread.m_pControlBits->GetDdcBand(index).Name)
            .remove(QLatin1Char(' '));
    }

    int m_type = 0;
    double m_tuneHz = 0.0;
    int m_band = 0;
};

TEST_F(ViewBaseAxesTest, KeysCarryTheChannelPrefixAndTheBandName)
{
    ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
    EXPECT_EQ(CViewBase::ChannelKey(QStringLiteral("StartXValue")), QStringLiteral("HfStartXValue"));
    const QString band = BandName(g_DeviceThread.m_pControlBits->GetBandwidthIndex());
    ASSERT_FALSE(band.isEmpty());
    EXPECT_FALSE(band.contains(QLatin1Char(' ')));
    EXPECT_EQ(CViewBase::BandKey(QStringLiteral("StartXValue")), QStringLiteral("Hf") + band + "StartXValue");
}

TEST_F(ViewBaseAxesTest, WindowsAreWrittenAndRestoredPerChannelType)
{
    ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
    CTestView view;
    view.m_spec->SetXLimits(0.0, 1000.0, 1000.0);
    view.m_spec->SetYLimits(-150.0, 50.0);

    view.m_spec->SetXWindow(100.0, 250.0);
    view.m_spec->SetYWindow(-95.0, -35.0);
    view.SetTriggerLevel(0.125);
    view.SaveAxisSettings();

    ASSERT_TRUE(g_DeviceThread.SetChannelType(1));
    view.m_spec->SetXWindow(400.0, 900.0);
    view.m_spec->SetYWindow(-140.0, 0.0);
    view.SetTriggerLevel(2.5);
    view.SaveAxisSettings();

    EXPECT_EQ(g_Parameters.GetString(kSpectrum, QStringLiteral("HfStartXValue"), QString()),
              QStringLiteral("100.000000"));
    EXPECT_EQ(g_Parameters.GetString(kSpectrum, QStringLiteral("HfWlStartXValue"), QString()),
              QStringLiteral("400.000000"));

    ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
    view.ApplyAxisSettings();
    EXPECT_EQ(view.m_spec->GetXFrom(), 100.0);
    EXPECT_EQ(view.m_spec->GetXTo(), 250.0);
    EXPECT_EQ(view.m_spec->GetYFrom(), -95.0);
    EXPECT_EQ(view.m_spec->GetYTo(), -35.0);
    EXPECT_EQ(view.GetTriggerLevel(), 0.125);

    ASSERT_TRUE(g_DeviceThread.SetChannelType(1));
    view.ApplyAxisSettings();
    EXPECT_EQ(view.m_spec->GetXFrom(), 400.0);
    EXPECT_EQ(view.m_spec->GetXTo(), 900.0);
    EXPECT_EQ(view.m_spec->GetYFrom(), -140.0);
    EXPECT_EQ(view.m_spec->GetYTo(), 0.0);
    EXPECT_EQ(view.GetTriggerLevel(), 2.5);
}

TEST_F(ViewBaseAxesTest, BandViewsKeepOneWindowPerBand)
{
    ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
    const int first = g_DeviceThread.m_pControlBits->GetBandwidthIndex();
    const int second = OtherBand();
    ASSERT_GE(second, 0) << "the channel has a single band name";

    CTestView view(true);
    view.m_spec->SetXLimits(0.0, 1000.0, 1000.0);
    view.m_spec->SetXWindow(10.0, 20.0);
    view.SaveAxisSettings();
    g_DeviceThread.m_pControlBits->SetTuneFreqAndBandwidth(m_tuneHz, second);
    ASSERT_EQ(g_DeviceThread.m_pControlBits->GetBandwidthIndex(), second);
    view.m_spec->SetXWindow(30.0, 60.0);
    view.SaveAxisSettings();

    g_DeviceThread.m_pControlBits->SetTuneFreqAndBandwidth(m_tuneHz, first);
    view.ApplyAxisSettings();
    EXPECT_EQ(view.m_spec->GetXFrom(), 10.0);
    EXPECT_EQ(view.m_spec->GetXTo(), 20.0);
    g_DeviceThread.m_pControlBits->SetTuneFreqAndBandwidth(m_tuneHz, second);
    view.ApplyAxisSettings();
    EXPECT_EQ(view.m_spec->GetXFrom(), 30.0);
    EXPECT_EQ(view.m_spec->GetXTo(), 60.0);

    // Without a valid band, reads take the channel's window and writes leave it alone: it is the
    // default of every band.
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    std::vector<DDC_BAND_ITEM> bands;
    while (bits->GetDdcBandCount() > 0)
    {
        bands.push_back(bits->GetDdcBand(0));
        bits->RemoveDdcBand(0);
    }
    g_Parameters.SetDouble(kSpectrum, CViewBase::ChannelKey("StartXValue"), 100.0);
    g_Parameters.SetDouble(kSpectrum, CViewBase::ChannelKey("EndXValue"), 200.0);
    view.ApplyAxisSettings();
    EXPECT_EQ(view.m_spec->GetXFrom(), 100.0);
    EXPECT_EQ(view.m_spec->GetXTo(), 200.0);
    const double level = g_Parameters.GetDouble(kOsc, CViewBase::ChannelKey("TriggerLevel"), -1.0);
    view.m_spec->SetXWindow(110.0, 120.0);
    view.SetTriggerLevel(7.0);
    view.SaveAxisSettings();
    EXPECT_EQ(g_Parameters.GetDouble(kSpectrum, CViewBase::ChannelKey("StartXValue"), 0.0), 100.0);
    EXPECT_EQ(g_Parameters.GetDouble(kSpectrum, CViewBase::ChannelKey("EndXValue"), 0.0), 200.0);
    EXPECT_EQ(g_Parameters.GetDouble(kOsc, CViewBase::ChannelKey("TriggerLevel"), -1.0), level);
    for (size_t i = 0; i < bands.size(); ++i)
        bits->InsertDdcBand(static_cast<int>(i), bands[i]);
}

// The trigger level: the range view under its channel key, the band views under their band key
// falling back to the channel key, 10.0 when neither is stored.
TEST_F(ViewBaseAxesTest, TriggerLevelKeys)
{
    ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
    const QString channelKey = QStringLiteral("HfTriggerLevel");
    const QString bandKey = CViewBase::BandKey(QStringLiteral("TriggerLevel"));
    ASSERT_NE(bandKey, channelKey);

    struct Case
    {
        const char* name;
        const char* channelValue;  // null: not stored
        const char* bandValue;
        double rangeLevel;
        double bandLevel;
    };
    const Case cases[] = {
        {"nothing stored", nullptr, nullptr, 10.0, 10.0},  {"channel key only", "3.5", nullptr, 3.5, 3.5},
        {"both keys", "3.5", "7.25", 3.5, 7.25},           {"band key only", nullptr, "7.25", 10.0, 7.25},
        {"not a finite number", "nan", "inf", 10.0, 10.0},
    };
    int n = 0;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QString group = QStringLiteral("TriggerCase%1").arg(n++);
        if (c.channelValue != nullptr)
            g_Parameters.SetString(group, channelKey, QLatin1String(c.channelValue));
        if (c.bandValue != nullptr)
            g_Parameters.SetString(group, bandKey, QLatin1String(c.bandValue));
        EXPECT_EQ(CViewBase::ReadTriggerLevel(group, false), c.rangeLevel);
        EXPECT_EQ(CViewBase::ReadTriggerLevel(group, true), c.bandLevel);
    }

    CViewBase::WriteTriggerLevel(QStringLiteral("TriggerWrite"), 0.75, false);
    CViewBase::WriteTriggerLevel(QStringLiteral("TriggerWrite"), 1.5, true);
    EXPECT_EQ(g_Parameters.GetString(QStringLiteral("TriggerWrite"), channelKey, QString()),
              QStringLiteral("0.750000"));
    EXPECT_EQ(g_Parameters.GetString(QStringLiteral("TriggerWrite"), bandKey, QString()),
              QStringLiteral("1.500000"));
    // A level that is no number is not stored.
    CViewBase::WriteTriggerLevel(QStringLiteral("TriggerWrite"), std::numeric_limits<double>::quiet_NaN(),
                                 false);
    EXPECT_EQ(CViewBase::ReadTriggerLevel(QStringLiteral("TriggerWrite"), false), 0.75);
}

TEST_F(ViewBaseAxesTest, SpectrumReadsFallBackOscilloscopeReadsNeedNot)
{
    ASSERT_TRUE(g_DeviceThread.SetChannelType(0));
    const QString group = QStringLiteral("FallbackCase");
    g_Parameters.SetDouble(group, QStringLiteral("HfStartXValue"), 42.0);
    EXPECT_EQ(CViewBase::ReadAxisValue(group, QStringLiteral("StartXValue"), 1.0, true, true), 42.0);
    EXPECT_EQ(CViewBase::ReadAxisValue(group, QStringLiteral("StartXValue"), 1.0, true, false), 1.0);
    EXPECT_EQ(CViewBase::ReadAxisValue(group, QStringLiteral("StartXValue"), 1.0, false, false), 42.0);
}
}  // namespace
