#pragma once

#include <cstdint>

#include "ifpgainterface.h"

// The wired-line input unit: which input pair is connected, the operator's pins, and the gain (two
// amplifier stages plus the acoustic stage, chosen as one of 16 gain rows). The control-block build
// reads its two line words. A member of the control-bits object. -1 leaves a setting unchanged.
class IDlaControl : public IFPGAInterface
{
public:
    // Input pair 0..8; 4 and 5 use the pins of SetPins, 6 swaps the current pair.
    virtual void SetComm(int comm) = 0;
    virtual uint8_t GetComm() = 0;
    // Pins 1..8.
    virtual void SetPins(uint8_t first, uint8_t second) = 0;
    // Gain 0..7, mapped to a gain row.
    virtual void SetGain(int gain) = 0;
    // Gain row 0..15: both amplifier stages and the acoustic gain index.
    virtual void SetGainRow(int row) = 0;
    virtual int GetGain() = 0;
    virtual int GetGainRow() = 0;
    // Gain of the two amplifier stages in dB, and their linear scale (including a fixed factor of 40).
    virtual int GetGainDb() = 0;
    virtual int GetGainScale() = 0;
    // Line voltage shown as "DLA Volt".
    virtual float GetVoltage() = 0;
    virtual void SetDebugMode(bool on) = 0;
};
