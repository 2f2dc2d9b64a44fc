#pragma once

#include <cstdint>

#include "ifpgainterface.h"

// Turns a demodulated amplitude stream into a picture: tracks the signal's level range, finds line and
// frame sync pulses and fills a frame of 300 lines of 256 grey levels (0..255).
class IVideoEngine : public IFPGAInterface
{
public:
    // Number of doubles in the status block that Update returns.
    static constexpr int kStatusCount = 13;

    // Also resets the sync search, counters and frame count.
    virtual void Enable(bool on) = 0;
    virtual bool IsEnabled() = 0;
    // Dark and bright levels are percentages of the tracked level range (defaults 10 and 70).
    virtual void SetDarkLevel(int percent) = 0;
    virtual int GetDarkLevel() = 0;
    virtual void SetBrightLevel(int percent) = 0;
    virtual int GetBrightLevel() = 0;
    // Refreshes and returns the engine's status block of kStatusCount doubles: enabled, line samples,
    // window count, minimum, maximum, threshold, range and window minimum (these five / 1000), line,
    // state, width, height, frame samples. It stays owned by the engine.
    virtual const double* Update() = 0;
    // Bit 0: line sync found; bit 1: frame sync found.
    virtual int32_t GetSyncState() = 0;
    // Pixels per line; 0 when the frame has no lines.
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    // Grey level of a pixel; 0 outside the frame.
    virtual int GetLine(int column, int line) = 0;
    virtual void ProcessSample(double sample) = 0;
    ~IVideoEngine() override = default;
};
