#pragma once

#include <QString>

#include "kelthar.h"

// What the pulse log lists: with `enabled`, only pulses inside every bound that is switched on. The
// amplitude bounds are millivolts while a pulse's peak level is in volts.
struct PULSE_LOG_FILTER
{
    bool enabled = false;
    bool byDuration = false;
    double minDuration = 0.0;  // ms
    double maxDuration = 0.0;  // ms
    bool byFreq = false;
    double minFreq = 0.0;  // MHz
    double maxFreq = 0.0;  // MHz
    bool byAmpl = false;
    double minAmpl = 0.0;  // mV
    double maxAmpl = 0.0;  // mV
};

// Whether the log lists the pulse. Bounds are inclusive; a value or bound that is no number fails no
// comparison, so it passes.
bool PassesPulseLogFilter(const PULSE_LOG_FILTER& filter, const PULSE_ITEM& pulse);

// The ten "Filter..." keys of the settings section (flags as ints, bounds as doubles); a missing key
// reads as 0.
PULSE_LOG_FILTER LoadPulseLogFilter(const QString& section);
void SavePulseLogFilter(const QString& section, const PULSE_LOG_FILTER& filter);
