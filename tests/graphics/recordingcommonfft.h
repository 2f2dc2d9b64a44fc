#pragma once

#include <utility>
#include <vector>

#include "icommonfft.h"

// Stands in for the range FFT object and records every correction a painter hands to it, as
// (index, value) pairs; nothing else does anything.
class CRecordingCommonFft : public ICommonFft
{
public:
    void Calculate(const std::vector<double>&, const std::vector<double>&) override {}
    int SetAveraging(int) override { return 0; }
    int SetWindow(int) override { return 0; }
    int SetCorrection(double value, int index) override
    {
        calls.emplace_back(index, value);
        return 0;
    }
    const std::vector<double>& GetResult() override { return m_empty; }
    std::vector<double>& GetCorrectionRow() override { return m_row; }
    int GetCorrectionShift() override { return 0; }
    const std::vector<double>& GetFreqTable() override { return m_empty; }
    const std::vector<int>& GetIntTable() override { return m_ints; }
    int GetPointCount() override { return 0; }
    void SetFftSize(int) override {}
    int GetFftSize() override { return 0; }
    int GetAveraging() override { return 0; }
    int GetWindow() override { return 0; }
    bool GetOctaveLevels(bool, double, std::vector<OCTAVE_LEVEL>&) override { return false; }
    void SetEnabled(bool) override {}
    int GetBlockCount() override { return 1; }

    std::vector<std::pair<int, double>> calls;

private:
    std::vector<double> m_empty;
    std::vector<double> m_row;
    std::vector<int> m_ints;
};
