#pragma once

#include <vector>

#include "icalcfft.h"

// A calculator whose outputs a test sets: GetResult hands out `result`, GetCorrectionRow `correctionRow`
// (the spectrum itself in the real calculator while no correction is set). The averaging mode and
// window are plain values, as the real setters return the previous one.
class CFakeCalcFft : public ICalcFft
{
public:
    void Init(uint8_t) override {}
    void Calculate(const std::vector<double>&, const std::vector<double>&) override {}
    int SetAveraging(int mode) override
    {
        const int previous = averaging;
        averaging = mode;
        return previous;
    }
    int SetWindow(int type) override
    {
        const int previous = window;
        window = type;
        return previous;
    }
    int SetCorrection(double, int) override { return 0; }
    const std::vector<double>& GetResult() override { return result; }
    std::vector<double>& GetCorrectionRow() override { return correctionRow; }
    int GetCorrectionShift() override { return correctionShift; }
    const std::vector<double>& GetFreqTable() override { return m_freqTable; }
    const std::vector<int>& GetIntTable() override { return m_intTable; }
    int GetPointCount() override { return static_cast<int>(result.size()); }
    void SetFftSize(int) override {}
    int GetFftSize() override { return 2 * static_cast<int>(result.size()); }
    int GetAveraging() override { return averaging; }
    int GetWindow() override { return window; }
    bool GetOctaveLevels(bool, double, std::vector<OCTAVE_LEVEL>&) override { return false; }
    void SetEnabled(bool) override {}
    int GetBlockCount() override { return 1; }

    int averaging = 0;
    int window = 0;
    int correctionShift = 0;
    std::vector<double> result;
    std::vector<double> correctionRow;

private:
    std::vector<double> m_freqTable;
    std::vector<int> m_intTable;
};
