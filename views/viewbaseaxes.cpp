#include <cmath>
#include <exception>
#include <optional>

#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "igraphic.h"
#include "parameters.h"
#include "viewbase.h"

// Axis windows and the trigger level are stored per channel type, and the band views' per DDC band
// as well, so that switching either brings back the windows last used there.

namespace
{
const QString kTriggerLevelKey = QStringLiteral("TriggerLevel");
constexpr double kDefaultTriggerLevel = 10.0;

// The current DDC band's display name without its blanks; none while the band index lies outside
// the list (an empty list, or the options window has just replaced it).
std::optional<QString> BandName()
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    if (bits == nullptr)
        return std::nullopt;
    try
    {
        const DDC_BAND_ITEM& band = bits->GetDdcBand(bits->GetBandwidthIndex());
        return QString::fromStdWString(band.Name).remove(QLatin1Char(' '));
    }
    catch (const std::exception&)
    {
        return std::nullopt;
    }
}
}  // namespace

QString CViewBase::ChannelKey(const QString& key)
{
    return g_DeviceThread.GetChannelPrefix(-1) + key;
}

QString CViewBase::BandKey(const QString& key)
{
    // Without a band the key is the channel's, which reads fall back to anyway.
    return g_DeviceThread.GetChannelPrefix(-1) + BandName().value_or(QString()) + key;
}

double CViewBase::ReadAxisValue(const QString& group, const QString& key, double defaultValue, bool band,
                                bool fallback)
{
    QString stored = band ? BandKey(key) : ChannelKey(key);
    if (band && fallback && !g_Parameters.HasKey(group, stored))
        stored = ChannelKey(key);
    const double value = g_Parameters.GetDouble(group, stored, defaultValue);
    // "nan" and "inf" read as numbers, and the painters' range checks let them through.
    return std::isfinite(value) ? value : defaultValue;
}

void CViewBase::WriteAxisValue(const QString& group, const QString& key, double value, bool band)
{
    if (!std::isfinite(value))
        return;
    // Without a valid band a band key would be the channel key, whose value every band falls back
    // to: that default is kept rather than overwritten by whatever this band showed.
    if (band && !BandName())
        return;
    g_Parameters.SetDouble(group, band ? BandKey(key) : ChannelKey(key), value);
}

double CViewBase::ReadTriggerLevel(const QString& group, bool band)
{
    return ReadAxisValue(group, kTriggerLevelKey, kDefaultTriggerLevel, band, true);
}

void CViewBase::WriteTriggerLevel(const QString& group, double level, bool band)
{
    WriteAxisValue(group, kTriggerLevelKey, level, band);
}

std::optional<double> CViewBase::CurrentBandValue(double (CDeviceThread::*get)(int))
{
    try
    {
        return (g_DeviceThread.*get)(-1);
    }
    catch (const std::exception&)
    {
        return std::nullopt;
    }
}

bool CViewBase::HasDdcBands()
{
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    return bits && bits->GetDdcBandCount() != 0;
}

void CViewBase::StoreAxisWindows(const QString& spectrumGroup, IGraphic* spectrum, const QString& oscGroup,
                                 IGraphic* osc, bool band)
{
    if (!m_bAxesInitialised)
        return;
    WriteAxisValue(spectrumGroup, QStringLiteral("StartXValue"), spectrum->GetXFrom(), band);
    WriteAxisValue(spectrumGroup, QStringLiteral("EndXValue"), spectrum->GetXTo(), band);
    WriteAxisValue(spectrumGroup, QStringLiteral("StartYValue"), spectrum->GetYFrom(), band);
    WriteAxisValue(spectrumGroup, QStringLiteral("EndYValue"), spectrum->GetYTo(), band);
    WriteAxisValue(oscGroup, QStringLiteral("StartXValue"), osc->GetXFrom(), band);
    WriteAxisValue(oscGroup, QStringLiteral("EndXValue"), osc->GetXTo(), band);
    WriteAxisValue(oscGroup, QStringLiteral("StartYValue"), osc->GetYFrom(), band);
    WriteAxisValue(oscGroup, QStringLiteral("EndYValue"), osc->GetYTo(), band);
    WriteTriggerLevel(oscGroup, GetTriggerLevel(), band);
    m_bAxesInitialised = false;
}
