#include "pulselogfilter.h"

#include "globals.h"
#include "parameters.h"

namespace
{
// Written as "!(a > b)" rather than "a <= b" so that a NaN on either side lets the pulse through.
bool Inside(double value, double low, double high)
{
    return !(low > value) && !(value > high);
}
}  // namespace

bool PassesPulseLogFilter(const PULSE_LOG_FILTER& filter, const PULSE_ITEM& pulse)
{
    if (!filter.enabled)
        return true;
    if (filter.byDuration && !Inside(pulse.duration, filter.minDuration, filter.maxDuration))
        return false;
    if (filter.byFreq && !Inside(pulse.frequency, filter.minFreq, filter.maxFreq))
        return false;
    if (filter.byAmpl && !Inside(pulse.level, filter.minAmpl / 1000.0, filter.maxAmpl / 1000.0))
        return false;
    return true;
}

PULSE_LOG_FILTER LoadPulseLogFilter(const QString& section)
{
    const auto flag = [&section](const char* key)
    { return g_Parameters.GetInt(section, QLatin1String(key), 0) != 0; };
    const auto number = [&section](const char* key)
    { return g_Parameters.GetDouble(section, QLatin1String(key), 0.0); };
    PULSE_LOG_FILTER filter;
    filter.enabled = flag("FilterEnabled");
    filter.byDuration = flag("FilterByDuration");
    filter.minDuration = number("FilterMinDuration");
    filter.maxDuration = number("FilterMaxDuration");
    filter.byFreq = flag("FilterByFreq");
    filter.minFreq = number("FilterMinFreq");
    filter.maxFreq = number("FilterMaxFreq");
    filter.byAmpl = flag("FilterByAmpl");
    filter.minAmpl = number("FilterMinAmpl");
    filter.maxAmpl = number("FilterMaxAmpl");
    return filter;
}

void SavePulseLogFilter(const QString& section, const PULSE_LOG_FILTER& filter)
{
    const auto flag = [&section](const char* key, bool value)
    { g_Parameters.SetInt(section, QLatin1String(key), value ? 1 : 0); };
    const auto number = [&section](const char* key, double value)
    { g_Parameters.SetDouble(section, QLatin1String(key), value); };
    flag("FilterEnabled", filter.enabled);
    flag("FilterByDuration", filter.byDuration);
    number("FilterMinDuration", filter.minDuration);
    number("FilterMaxDuration", filter.maxDuration);
    flag("FilterByFreq", filter.byFreq);
    number("FilterMinFreq", filter.minFreq);
    number("FilterMaxFreq", filter.maxFreq);
    flag("FilterByAmpl", filter.byAmpl);
    number("FilterMinAmpl", filter.minAmpl);
    number("FilterMaxAmpl", filter.maxAmpl);
}
