#pragma once

#include "fftdevicestate.h"

class CAdf4350;
class IAdf4350;
class IControlBits;

// The spectrum engine's only contact with the control-bits object. Before a range transform it sets the
// synthesizer's block geometry (blocks per capture, harmonic row, the width of one point) and then
// reads everything the arithmetic needs into an FftDeviceState; after it, it stores the point count of
// the range spectrum. A null control-bits object gives the state of a plain capture with no correction.
class CFftDeviceLink
{
public:
    explicit CFftDeviceLink(IControlBits* controlBits);

    // mode: 0 range, 1 DDC, 2 demodulator. knownRangesMode: the range stage is building the known-range
    // spectrum; the capture is then one block and the synthesizer is left alone.
    FftDeviceState Prepare(int mode, int fftSize, int resultSize, bool knownRangesMode);
    // The number of points of the range spectrum, which the program divides the scan range by.
    void StorePointCount(int points);

private:
    IAdf4350* Adf() const;

    IControlBits* m_controlBits;
};
