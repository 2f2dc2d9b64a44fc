#pragma once

#include <vector>

#include "icommonfft.h"

// The octave and one-third-octave bands of the octave-filter display, in kHz of the spectrum's
// frequency axis: the octave bands with the nominal centres 0.0315 .. 63 and the one-third-octave bands
// with the nominal centres of IEC 61260 from 0.0315 to 100. Each edge is the centre times 2^(+-1/2) or
// 2^(+-1/6), rounded to three significant figures.
class COctaveBands
{
public:
    struct Band
    {
        double lower;
        double upper;
        double centre;
    };

    static const std::vector<Band>& Octaves();
    static const std::vector<Band>& ThirdOctaves();

    // For every band whose upper edge is not above maxFreq, {centre, maximum of the spectrum over its
    // points} appended to out; the spectrum spans 0 .. maxFreq over its points. A band narrower than one
    // point takes the value at its lower edge.
    static void Levels(const std::vector<Band>& bands, const std::vector<double>& spectrum, double maxFreq,
                       std::vector<OCTAVE_LEVEL>& out);

    // value rounded to three significant figures.
    static double RoundToThreeFigures(double value);
};
