#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One frequency range the pulse detector steps through, MHz.
struct PULSE_RANGE
{
    double start = 0.0;
    double end = 0.0;
};

// The pulse detector's settings, read and written as a whole.
struct PULSE_DETECT_PARAMS
{
    std::vector<PULSE_RANGE> ranges;
    bool autoThreshold = false;  // threshold from the envelope's range instead of level
    double level = 0.0;          // fixed threshold, volts
};

// One pulse found by the detector. A pulse seen again at the same frequency with about the same
// duration renews this record instead of adding one.
struct PULSE_ITEM
{
    int32_t id = 0;
    int64_t startTime = 0;         // seconds since 1970
    int64_t endTime = 0;           // last time the pulse was seen, seconds since 1970
    double duration = 0.0;         // ms
    double frequency = 0.0;        // MHz
    std::wstring name;             // always "DetectAny"
    int32_t kind = 0;              // always 5
    double level = 0.0;            // largest sample magnitude at the pulse's end, volts
    std::vector<double> envelope;  // envelope of the block in which the pulse was first found
};

// Looks for radio pulses: steps the receiver through the ranges, dwells a few sample blocks on each
// frequency and cuts pulses out of the envelope of the demodulated samples against a threshold.
class IPulseDetect
{
public:
    virtual void SetSettings(const PULSE_DETECT_PARAMS& params) = 0;
    virtual const PULSE_DETECT_PARAMS& GetSettings() = 0;
    // Clears the pulses and starts stepping from the first range's start.
    virtual void Start() = 0;
    // Tunes the receiver to this frequency (MHz) once, on the next sample block, and stops.
    virtual void SetCurrentFreq(double freqMHz) = 0;
    virtual void Stop() = 0;
    virtual bool IsRunning() = 0;
    // Replaces a block of samples by its envelope, in place (no spectrum is involved).
    virtual void ProcessSpectrum(std::vector<double>& block) = 0;
    // Recomputes the threshold from the settings and the last envelope.
    virtual void UpdateThreshold() = 0;
    // One block of demodulated samples: tunes, dwells or detects.
    virtual void ProcessSamples(const std::vector<double>& samples) = 0;
    // MHz.
    virtual double GetCurrentFreq() = 0;
    // Volts.
    virtual double GetThresholdLevel() = 0;
    // Index of the range being stepped.
    virtual int GetCounter() = 0;
    // Appends a copy of every pulse.
    virtual void GetPulses(std::vector<PULSE_ITEM>& out) = 0;
    virtual int GetPulseCount() = 0;
    virtual void ClearPulses() = 0;
    virtual ~IPulseDetect() = default;
};
