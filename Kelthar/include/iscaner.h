#pragma once

#include <cstdint>
#include <string>

#include "ifpgainterface.h"

class ICalcFft;

// One external scanning receiver model. The field names are the settings keys the program stores
// them under.
struct SCANER_MODEL
{
    std::wstring Name;
    int32_t Speed = 0;  // index of the serial speed: 0 38.2, 1 19.2, 2 9.6, 3 4.8 Kbps
    int32_t TimePLL = 0;
    double FreqMin = 0.0;  // tuning range, MHz
    double FreqMax = 0.0;
    double FreqBW = 0.0;  // IF bandwidth, MHz
    double FreqIF = 0.0;  // intermediate frequency, MHz
    double Ampl = 0.0;
    double FreqStep = 0.0;  // MHz
};

// The external scanning receivers that can be attached as a tunable front end: eight models (four
// named, four custom), the range calculator's mode that analyses a receiver's IF output, and the
// frequency and on/off requests that the control bits carry to the hardware.
class IScaner : public IFPGAInterface
{
public:
    // Model slots 0..7.
    static constexpr int kModelCount = 8;

    // Keeps the calculator only when it is a range calculator, else keeps none.
    virtual void Attach(ICalcFft* calculator) = 0;
    // Writes the factory models; until then (or SetModel) the slots are empty.
    virtual void ResetModels() = 0;
    // Both false, changing nothing, for an index outside 0..7.
    virtual bool SetModel(int index, const SCANER_MODEL* model) = 0;
    virtual bool GetModel(int index, SCANER_MODEL* model) = 0;
    // Switches the attached range calculator to analyse the model's IF output (FreqIF, FreqBW).
    virtual void StartFixed(int index) = 0;
    virtual void StopControl() = 0;
    virtual void SetFrequency(double freqMHz) = 0;
    virtual void Disable() = 0;
    virtual void Enable() = 0;
};
