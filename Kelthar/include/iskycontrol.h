#pragma once

#include <cstdint>
#include <string>

#include "ifpgainterface.h"

// The radio front-end unit's settings: strobe, amplitude and gain codes, attenuator (dB, 0..31) with
// its switches, filter, antenna commutator, microwave converter selection, and the SDR's libiio URI
// ("ip:" plus the address). A member of the control-bits object.
// strob 0xFF marks settings that must be sent again; the setters that change what the unit must apply
// raise it, some of them only when it is 0.
class ISkyControl : public IFPGAInterface
{
public:
    virtual void SetAuxByte(uint8_t value) = 0;
    // Values other than 0 and 0xFF count down by one per control block.
    virtual void SetStrob(uint8_t strob) = 0;
    // Amplitude code 0..25 (-3 to 71 dB).
    virtual void SetAmpl(uint8_t ampl) = 0;
    // Gain code 0..1 (0 or 10 dB).
    virtual void SetGain(uint8_t gain) = 0;
    virtual void SetFreq(uint8_t freq) = 0;
    virtual void SetStep(uint8_t step) = 0;
    virtual void SetStepStrob(uint8_t stepStrob) = 0;
    virtual void SetValue28(uint8_t value) = 0;
    // 5 dB attenuator steps, at most one in five calls; false when already at 31 dB.
    virtual bool StepAttenuatorUp() = 0;
    virtual void StepAttenuatorDown() = 0;
    virtual void SetAttenuator(uint8_t attenuatorDb) = 0;
    virtual void SetAttSwitch(uint8_t on) = 0;
    virtual void SetAmplSwitch(uint8_t on) = 0;
    // The SDR's receive bandwidth is (12 - filter) x 5 MHz.
    virtual void SetFilter(uint8_t filter) = 0;
    // 0 automatic antenna choice by frequency, 1..4 that antenna.
    virtual void SetCommutator(uint8_t commutator) = 0;
    // The three automatic antenna switching points, in units of 25 MHz; the array is copied.
    virtual void SetCommutatorLevel(const int levels[3]) = 0;
    virtual uint8_t GetLMX() = 0;
    // Converter setting to load with the next read; 0 switches the converter off.
    virtual void SetLMX(uint8_t lmx) = 0;
    virtual void SetUri(const std::string& uri) = 0;
    // 0..9: picks amplitude and gain codes from one table; -1 does nothing.
    virtual void SetGainIndex(int index) = 0;
    virtual uint8_t GetAuxByte() = 0;
    virtual uint8_t GetStrob() = 0;
    virtual uint8_t GetAmpl() = 0;
    virtual uint8_t GetGain() = 0;
    virtual uint8_t GetFreq() = 0;
    virtual uint8_t GetStep() = 0;
    virtual uint8_t GetStepStrob() = 0;
    virtual uint8_t GetValue28() = 0;
    virtual uint8_t GetAttenuator() = 0;
    virtual uint8_t GetAttSwitch() = 0;
    virtual uint8_t GetAmplSwitch() = 0;
    virtual uint8_t GetFilter() = 0;
    virtual uint8_t GetCommutator() = 0;
    // The three switching points, owned by the control.
    virtual int* GetCommutatorLevel() = 0;
    virtual int GetGainIndex() = 0;
    // Gain of the amplitude and gain codes together, in dB and as a linear scale.
    virtual int GetGainDb() = 0;
    virtual int GetGainScale() = 0;
};
