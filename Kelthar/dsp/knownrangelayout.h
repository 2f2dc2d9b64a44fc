#pragma once

#include <vector>

#include "icontrolbits.h"

// The range spectrum while the control state holds known ranges. The data path then sweeps every range
// with one LO step per 61 MHz capture (the range's count), ranges in list order, G = the total count
// rounded up to a power of two steps per capture, each step N / G points. Transformed one step at a
// time and centred, step s of a range covers start + 61 s .. start + 61 (s + 1) MHz, so the steps of a
// range lie side by side at 61 / (N / G) MHz per point from its start on.
// The layout shows the ranges side by side over the spectrum, each a share proportional to its width
// (end - start), in list order: the point j of a range of n points stands for the frequency
// start + j x width / n, and holds the maximum of the step points that fall between it and the next
// (the nearest one when the range has more points than its steps). The frequency table gives each
// point's MHz and the integer table its range's antenna switch.
class CKnownRangeLayout
{
public:
    static constexpr double kCaptureMHz = 61.0;

    // LO steps per capture: the ranges' total count rounded up to a power of two, 1 when it is 0.
    static long long StepCount(const std::vector<KNOWN_RANGE_ITEM>& ranges);
    // Points of one LO step in a capture of fftSize points; 0 when the steps do not fit (fewer than two
    // points each).
    static int BlockLength(const std::vector<KNOWN_RANGE_ITEM>& ranges, int fftSize);
    // First point of every range in a layout of `points` points (a range of no width gets none).
    static std::vector<int> Positions(const std::vector<KNOWN_RANGE_ITEM>& ranges, int points);

    // Lays `steps` (the spectrum of the capture's LO steps side by side, blockLength points each, in dB)
    // out over published.size() points and writes the two tables at that size. Returns false, writing
    // nothing, when the ranges have no width or blockLength is not positive. positions, when given,
    // receives Positions().
    static bool Build(const std::vector<KNOWN_RANGE_ITEM>& ranges, int blockLength,
                      const std::vector<double>& steps, std::vector<double>& published,
                      std::vector<double>& freqMHz, std::vector<int>& switches, std::vector<int>* positions);

private:
    // end - start, 0 for a reversed range.
    static double Width(const KNOWN_RANGE_ITEM& range);
    static double TotalWidth(const std::vector<KNOWN_RANGE_ITEM>& ranges);
};
