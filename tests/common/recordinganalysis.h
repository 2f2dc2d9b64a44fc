#pragma once

#include <vector>

#include "ianalysis.h"

// An analysis that keeps every SetParameters call and does nothing else: for the windows and dialogs
// that only hand the analysis its thresholds.
class CRecordingAnalysis : public IAnalysis
{
public:
    struct Call
    {
        int type;
        double value1;
        double value2;
        int averaging;
        double hysteresis;
        bool merge;
        int region;
    };

    void SetGarmConv(IGarmConv*) override {}
    void AddSpectrum(const std::vector<double>&, int) override {}
    void Start(const std::vector<double>&, const std::vector<ARCHIVE_SIGNAL_ENTRY>&, bool,
               const std::vector<double>&) override
    {
    }
    bool IsFinished() override { return false; }
    std::vector<ANALYSIS_RESULT_ITEM>& GetResults() override { return m_results; }
    void SetParameters(int type, double value1, double value2, int averaging, double hysteresis, bool merge,
                       int region) override
    {
        m_calls.push_back({type, value1, value2, averaging, hysteresis, merge, region});
    }
    const std::vector<double>& GetAverage(int*) override { return m_average; }
    void ClearResults() override {}

    std::vector<Call> m_calls;

private:
    std::vector<ANALYSIS_RESULT_ITEM> m_results;
    std::vector<double> m_average;
};
