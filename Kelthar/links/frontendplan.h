#pragma once

#include <cstdint>

// How the sweep sets the front-end unit for one LO step: the filter of the band the LO lies in, and the
// antenna input the commutator setting asks for. Frequencies are kHz.
class CFrontEndPlan
{
public:
    // Lower edges of filter codes 7, 0, 1, 2, 3, 4 and 5; anything lower takes filter 6.
    static int FilterCode(int64_t loKHz);
    // commutator -1: keep the last input (-1); 1..n: input n - 1; 0: automatic, by the three thresholds
    // in units of 25 MHz (the input is the number of thresholds the LO lies above, or 0 while any
    // threshold is 0).
    static int AntennaInput(int commutator, int64_t loKHz, const int thresholds[3]);
};
