#pragma once

#include <stdexcept>
#include <vector>

#include "devicethread.h"
#include "icalcfft.h"
#include "icalcmultifft.h"

// A calculator whose spectrum, point tables, octave levels and block count are set by the test; it
// records what it was asked for and can be made to throw.
class CScriptedCalc : public ICalcFft
{
public:
    std::vector<double> result;
    std::vector<double> freqTable;
    std::vector<int> intTable;
    std::vector<double> correctionRow;
    std::vector<OCTAVE_LEVEL> octaveLevels;
    int pointCount = 0;
    int blockCount = 1;
    int calculations = 0;
    int octaveRequests = 0;
    bool lastThirdOctave = false;
    double lastMaxFreq = 0.0;
    bool throwOnCalculate = false;

    void Init(uint8_t /*rateIndex*/) override {}
    void Calculate(const std::vector<double>& /*i*/, const std::vector<double>& /*q*/) override
    {
        if (throwOnCalculate)
            throw std::runtime_error("scripted calculator failure");
        ++calculations;
    }
    int SetAveraging(int /*mode*/) override { return 0; }
    int SetWindow(int /*type*/) override { return 0; }
    int SetCorrection(double /*value*/, int /*index*/) override { return 0; }
    const std::vector<double>& GetResult() override { return result; }
    std::vector<double>& GetCorrectionRow() override { return correctionRow; }
    int GetCorrectionShift() override { return 0; }
    const std::vector<double>& GetFreqTable() override { return freqTable; }
    const std::vector<int>& GetIntTable() override { return intTable; }
    int GetPointCount() override { return pointCount; }
    void SetFftSize(int /*n*/) override {}
    int GetFftSize() override { return 0; }
    int GetAveraging() override { return 0; }
    int GetWindow() override { return 0; }
    bool GetOctaveLevels(bool thirdOctave, double maxFreq, std::vector<OCTAVE_LEVEL>& out) override
    {
        ++octaveRequests;
        lastThirdOctave = thirdOctave;
        lastMaxFreq = maxFreq;
        if (maxFreq == 0.0)
            return false;
        out.insert(out.end(), octaveLevels.begin(), octaveLevels.end());
        return true;
    }
    void SetEnabled(bool /*on*/) override {}
    int GetBlockCount() override { return blockCount; }
};

class CScriptedMultiCalc : public ICalcMultiFft
{
public:
    std::vector<double> result;
    int lastRange = -2;

    void SetRanges(const std::vector<int>& /*averagingModes*/) override {}
    void Calculate(int range, const std::vector<double>& /*i*/, const std::vector<double>& /*q*/) override
    {
        lastRange = range;
    }
    const std::vector<double>& GetResult(int /*range*/) override { return result; }
};

// What InitDevice does for the thread's calculators, without the SDR connection it also makes.
inline void InitCalculatorsWithoutDevice(CDeviceThread& thread)
{
    for (ICalcFft* calc : {thread.m_pRangeFft1, thread.m_pRangeFft2, thread.m_pDdcFft1, thread.m_pDdcFft2})
        calc->Init(1);
    for (ICalcFft* calc : {thread.m_pDemodFft1, thread.m_pDemodFft2})
        calc->Init(0);
}
