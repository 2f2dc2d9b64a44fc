#pragma once

#include <vector>

#include "igsmanalysis.h"

// Levels per channel of an evenly spaced channel plan, averaged over a cycle of spectra. Made new for
// each request; the caller owns it. Every call comes from one thread (the program's data path holds its
// data lock around Process), so there is no lock.
class CGsmAnalysis : public IGsmAnalysis
{
public:
    // Level of a channel whose points run past either end of the spectrum, dBm.
    static constexpr double kOutsideLevel = -80.0;

    CGsmAnalysis() = default;

    bool IsRunning() override { return m_running; }
    void SetBand(double startOffset, int channelCount, double channelStep, double spanWidth) override;
    void SetAveraging(int cycleLength, int channelMode, int averagingMode) override;
    bool Start() override;
    void Stop() override;
    void Process(const std::vector<double>& spectrum) override;
    bool IsReady() override { return m_ready; }
    const std::vector<double>& GetResults() override { return m_levels; }

private:
    // The value of one channel from its points first .. first + count - 1; false when a point lies
    // outside the spectrum.
    bool ChannelValue(const std::vector<double>& spectrum, long long first, long long count,
                      double* value) const;
    // Folds one spectrum's value of a channel into its level over the cycle.
    void AverageInto(double& level, double value) const;

    bool m_running = false;
    bool m_ready = false;
    double m_startOffset = 0.0;
    int m_channelCount = 0;
    double m_channelStep = 0.0;
    double m_spanWidth = 0.0;
    int m_cycleLength = 1;
    int m_channelMode = 0;
    int m_averagingMode = 0;
    std::vector<double> m_levels;
    // Number of the spectrum within the cycle, from 1, and the cycle length in force for it.
    int m_counter = 1;
    int m_cycle = 1;
};
