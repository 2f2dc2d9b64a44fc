#pragma once

// What one transform of the spectrum engine takes from the receiver's control state: the block split
// of a long scan, the level correction, the zoom bounds and the quasi-I/Q stitching parameters. Read
// just before each transform by CFftDeviceLink; the arithmetic only ever sees this record.
struct FftDeviceState
{
    // 0: the capture is transformed as one block. Otherwise the synthesizer is in long scan and the
    // capture is cut into blocks of this many points.
    int longScanBlockLength = 0;
    // The channel's level correction for this spectrum, dB, added to every bin.
    double levelCorrectionDb = 0.0;
    // Points cut off each end of a centred 4096-point spectrum (the current DDC bandwidth's TrimCount).
    int trimCount = 0;
    // The points [rangeFirst, rangeEnd) of a centred 32768-point range spectrum that cover the scan
    // range.
    int rangeFirst = 0;
    int rangeEnd = 0;
    // Long scan: quasi-I/Q stitching on, with the image removal; the shift of the current harmonic row
    // in points; the points each block contributes and where they start in it; the scan span in whole
    // MHz.
    bool quasiIq = false;
    bool quasiIqDiff = false;
    int shiftPoints = 0;
    double gatherStep = 0.0;
    int gatherOffset = 0;
    int scanSpanMHz = 0;
    // The control state holds known ranges: a 32768-point spectrum is then laid out over the known ranges
    // instead of being published as it is.
    bool knownRanges = false;
};
