#pragma once

#include <cmath>
#include <vector>

#include "igarmconv.h"

// A point-to-frequency converter for the detector tests: point i sits at startMHz + i * stepMHz.
// Switch numbers are 0 everywhere unless a test sets them per point with SetSwitch; points past the
// table answer 0. Every call is counted so a test can check that a detector asked or did not ask.
class CFakeGarmConv : public IGarmConv
{
public:
    explicit CFakeGarmConv(double startMHz = 0.0, double stepMHz = 1.0)
        : m_startMHz(startMHz), m_stepMHz(stepMHz)
    {
    }

    double IndexToFreq(int index) override
    {
        ++indexToFreqCalls;
        return m_startMHz + index * m_stepMHz;
    }

    int GetValue(int index) override
    {
        ++getValueCalls;
        if (index < 0 || static_cast<size_t>(index) >= m_switches.size())
            return 0;
        return m_switches[static_cast<size_t>(index)];
    }

    int FreqToIndex(double freqMHz) override
    {
        ++freqToIndexCalls;
        return static_cast<int>(std::lround((freqMHz - m_startMHz) / m_stepMHz));
    }

    // Gives the points first .. last (inclusive) the switch number `value`.
    void SetSwitch(int first, int last, int value)
    {
        if (last < first || first < 0)
            return;
        if (m_switches.size() <= static_cast<size_t>(last))
            m_switches.resize(static_cast<size_t>(last) + 1, 0);
        for (int i = first; i <= last; ++i)
            m_switches[static_cast<size_t>(i)] = value;
    }

    double StartMHz() const { return m_startMHz; }
    double StepMHz() const { return m_stepMHz; }

    int indexToFreqCalls = 0;
    int getValueCalls = 0;
    int freqToIndexCalls = 0;

private:
    double m_startMHz;
    double m_stepMHz;
    std::vector<int> m_switches;
};
