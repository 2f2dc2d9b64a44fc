#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "ddcview.h"
#include "demodview.h"
#include "rangeview.h"

// What the data tick handed to the panes and the library, one line per call, in call order. Sample and
// spectrum arguments are shown by their length, so a test can tell a delivered buffer from an empty one.
struct CCallLog
{
    std::vector<std::string> lines;

    void Mark(const std::string& line) { lines.push_back(line); }
    template <typename... Values>
    void Add(const std::string& name, Values... values)
    {
        lines.push_back(Line(name, values...));
    }

    // "name(a,b,...)": lengths of the buffers and plain integer arguments, in argument order.
    template <typename... Values>
    static std::string Line(const std::string& name, Values... values)
    {
        std::string line = name + "(";
        const char* separator = "";
        for (long long value : std::initializer_list<long long>{static_cast<long long>(values)...})
        {
            line += separator + std::to_string(value);
            separator = ",";
        }
        return line + ")";
    }
};

// The range view, recording the tick's calls and passing each on so the view stays consistent. The
// pause state is the test's to set.
class CRecordingRangeView : public CRangeView
{
public:
    CRecordingRangeView(CCallLog& log, QWidget* parent) : CRangeView(parent), m_log(log) {}

    int pauseState = 0;

    int GetPauseState() override { return pauseState; }
    void SetSpectrumData(const std::vector<double>& spectrum) override
    {
        m_log.Add("range.SetSpectrumData", spectrum.size());
        CRangeView::SetSpectrumData(spectrum);
    }
    void AddWaterfallLine(const std::vector<double>& line) override
    {
        m_log.Add("range.AddWaterfallLine", line.size());
        CRangeView::AddWaterfallLine(line);
    }
    void SetMultiRangeData(int range, const std::vector<double>& levels) override
    {
        m_log.Add("range.SetMultiRangeData", range, levels.size());
        CRangeView::SetMultiRangeData(range, levels);
    }
    void SetOscData(std::vector<double> samples) override
    {
        m_log.Add("range.SetOscData", samples.size());
        CRangeView::SetOscData(std::move(samples));
    }
    void SetAveragingTrace(const std::vector<double>& average) override
    {
        m_log.Add("range.SetAveragingTrace", average.size());
        CRangeView::SetAveragingTrace(average);
    }
    void SetHarmonicCount(int count) override
    {
        m_log.Add("range.SetHarmonicCount", count);
        CRangeView::SetHarmonicCount(count);
    }
    void SetKnownFreqResults(int rangeIndex, const std::vector<KNOWN_FREQ_DETECTION>& detections) override
    {
        m_log.Add("range.SetKnownFreqResults", rangeIndex, detections.size());
        CRangeView::SetKnownFreqResults(rangeIndex, detections);
    }
    void SetKnownFreqResultsVisible(bool on) override
    {
        m_log.Add("range.SetKnownFreqResultsVisible", on ? 1 : 0);
        CRangeView::SetKnownFreqResultsVisible(on);
    }
    void SetTriggerLevel(double level) override
    {
        m_log.Mark("range.SetTriggerLevel(" + std::to_string(level) + ")");
        CRangeView::SetTriggerLevel(level);
    }
    void SetPaintMode(int mode) override
    {
        m_log.Add("range.SetPaintMode", mode);
        CRangeView::SetPaintMode(mode);
    }
    void UpdateMeasurements(const std::vector<double>& i, const std::vector<double>& q,
                            const std::vector<double>& spectrum) override
    {
        m_log.Add("range.UpdateMeasurements", i.size(), q.size(), spectrum.size());
        CRangeView::UpdateMeasurements(i, q, spectrum);
    }

private:
    CCallLog& m_log;
};

class CRecordingDdcView : public CDdcView
{
public:
    CRecordingDdcView(CCallLog& log, QWidget* parent) : CDdcView(parent), m_log(log) {}

    void SetSpectrumData(const std::vector<double>& spectrum) override
    {
        m_log.Add("ddc.SetSpectrumData", spectrum.size());
        CDdcView::SetSpectrumData(spectrum);
    }
    void AddWaterfallLine(const std::vector<double>& line) override
    {
        m_log.Add("ddc.AddWaterfallLine", line.size());
        CDdcView::AddWaterfallLine(line);
    }
    void SetOscData(const std::vector<double>& i, const std::vector<double>& q) override
    {
        m_log.Add("ddc.SetOscData", i.size(), q.size());
        CDdcView::SetOscData(i, q);
    }
    void UpdateMeasurements(const std::vector<double>& i, const std::vector<double>& q,
                            const std::vector<double>& spectrum) override
    {
        m_log.Add("ddc.UpdateMeasurements", i.size(), q.size(), spectrum.size());
        CDdcView::UpdateMeasurements(i, q, spectrum);
    }

private:
    CCallLog& m_log;
};

class CRecordingDemodView : public CDemodView
{
public:
    CRecordingDemodView(CCallLog& log, QWidget* parent) : CDemodView(parent), m_log(log) {}

    void SetSpectrumTraceData(const std::vector<double>& levels) override
    {
        m_log.Add("demod.SetSpectrumTraceData", levels.size());
        CDemodView::SetSpectrumTraceData(levels);
    }
    void AddWaterfallLine(const std::vector<double>& line) override
    {
        m_log.Add("demod.AddWaterfallLine", line.size());
        CDemodView::AddWaterfallLine(line);
    }
    void SetOscData(std::vector<double> samples) override
    {
        m_log.Add("demod.SetOscData", samples.size());
        CDemodView::SetOscData(std::move(samples));
    }
    void UpdateMeasurements(const std::vector<double>& i, const std::vector<double>& q,
                            const std::vector<double>& spectrum) override
    {
        m_log.Add("demod.UpdateMeasurements", i.size(), q.size(), spectrum.size());
        CDemodView::UpdateMeasurements(i, q, spectrum);
    }

private:
    CCallLog& m_log;
};
