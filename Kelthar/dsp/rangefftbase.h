#pragma once

#include <vector>

#include "commonfft.h"

// The range stage shared by the range and multi-range calculators. A capture of exactly one transform
// length is transformed whole. A longer (or shorter) one is a sweep of P = 2^groupBlocks pieces that
// the synthesizer took one after another: each transform takes the same run of B = N / P points from
// every piece, and the maximum hold folds the transforms of one sweep together, so the spectrum shows
// per bin the maximum over the sweep before it is averaged.
// While the control state holds known ranges, a 32768-point spectrum is laid out over those ranges:
// the capture is transformed one LO step at a time and the ranges are shown side by side, each with
// its frequency and antenna switch in the two tables (CKnownRangeLayout).
class CRangeFftBase : public CCommonFft
{
public:
    explicit CRangeFftBase(IControlBits* controlBits);

    // The range stage with the calculator's own engine and settings.
    void Calculate(const std::vector<double>& i, const std::vector<double>& q) override;

    // The first point of every known range in the spectrum laid out last (empty when none was).
    const std::vector<int>& GetKnownRangePositions() const { return m_knownRangePositions; }

protected:
    // One calculation of the range stage on `engine`: its pending reset, the window rebuild the
    // synthesizer asks for, the transforms and, with known ranges, the layout.
    void RunRangeStage(CCfft& engine, const Settings& settings, int& pending, const std::vector<double>& i,
                       const std::vector<double>& q);

private:
    // Sweep path: the transforms of a capture of m points (m != N), each block gathered into the scratch.
    CCfft::Outcome TransformSweep(CCfft& engine, const std::vector<double>& i, const std::vector<double>& q,
                                  int m);
    int GetGroupBlocks() const;

    std::vector<double> m_blockI;
    std::vector<double> m_blockQ;
    std::vector<int> m_knownRangePositions;
};
