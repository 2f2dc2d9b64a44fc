#pragma once

#include <vector>

// Level of one octave or third-octave band: the band's nominal centre, in kHz of the spectrum's
// frequency axis, and the highest spectrum value in the band, dB.
struct OCTAVE_LEVEL
{
    double centre = 0.0;
    double level = 0.0;
};

// Operations common to every FFT calculator: it turns I/Q sample blocks into a spectrum in dB (-170 dB
// where there is no signal), keeps the operator's window, averaging and correction settings, and hands
// results out as vectors that it owns. Setters only mark a pending change, which the next Calculate
// applies, so they are safe between calculations. Window types and averaging modes are indexes into the
// program's FFT option lists ("Off" .. "Blackman-Harris", "Instant" .. "Peak x32").
// A virtual base: a concrete calculator reaches it both through ICalcFft and through the library's own
// calculator classes, and both paths must meet in one object.
class ICommonFft
{
public:
    virtual ~ICommonFft() = default;
    virtual void Calculate(const std::vector<double>& i, const std::vector<double>& q) = 0;
    // The operation table holds an unused entry here; nothing needs declaring for it.
    // Each setter returns the previous value. A new averaging mode clears the averaging history at the
    // next calculation; a new window keeps it.
    virtual int SetAveraging(int mode) = 0;
    virtual int SetWindow(int type) = 0;
    // index -1 sets the correction shift (value rounded) and returns it; any other index sets that
    // element of the correction row when it exists and returns the row's size.
    virtual int SetCorrection(double value, int index) = 0;
    // The averaged spectrum, GetPointCount values, refreshed by this call.
    virtual const std::vector<double>& GetResult() = 0;
    // The spectrum itself while the correction shift is 0; otherwise the correction row, sized to the
    // point count, for SetCorrection to fill.
    virtual std::vector<double>& GetCorrectionRow() = 0;
    virtual int GetCorrectionShift() = 0;
    // Per-point frequency in MHz; 0.0 means no frequency is given and the caller computes it from the
    // scan range.
    virtual const std::vector<double>& GetFreqTable() = 0;
    // Per-point antenna switch numbers.
    virtual const std::vector<int>& GetIntTable() = 0;
    virtual int GetPointCount() = 0;
    virtual void SetFftSize(int n) = 0;
    virtual int GetFftSize() = 0;
    virtual int GetAveraging() = 0;
    virtual int GetWindow() = 0;
    // One level per band whose upper edge is not above maxFreq (kHz, the top of the spectrum), appended
    // to out. False, with out untouched, when maxFreq is 0.
    virtual bool GetOctaveLevels(bool thirdOctave, double maxFreq, std::vector<OCTAVE_LEVEL>& out) = 0;
    // While disabled, Calculate does nothing and the results keep their last values.
    virtual void SetEnabled(bool on) = 0;
    // Always 1.
    virtual int GetBlockCount() = 0;
};
