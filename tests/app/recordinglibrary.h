#pragma once

#include <stdexcept>
#include <vector>

#include "idlemonitoring.h"
#include "iknownfreqdetect.h"
#include "ipulsedetect.h"
#include "itemplates.h"
#include "recordingviews.h"

// Stand-ins for the library's detectors that the data tick feeds: each records the tick's calls in
// the shared log and keeps what it was given. The calls the tick does not make do nothing.

class CRecordingMonitoring : public CIdleMonitoring
{
public:
    explicit CRecordingMonitoring(CCallLog& log) : m_log(log) {}

    bool running = true;
    ICalcFft* lastRangeFft = nullptr;
    ICalcFft* lastSecondFft = nullptr;

    bool IsRunning() override { return running; }
    void ProcessSpectrum(ICalcFft* rangeFft, ICalcFft* secondFft) override
    {
        m_log.Mark("monitoring.ProcessSpectrum");
        lastRangeFft = rangeFft;
        lastSecondFft = secondFft;
    }

private:
    CCallLog& m_log;
};

class CRecordingPulseDetect : public IPulseDetect
{
public:
    explicit CRecordingPulseDetect(CCallLog& log) : m_log(log) {}

    bool running = false;
    double threshold = 0.25;

    bool IsRunning() override { return running; }
    void ProcessSamples(const std::vector<double>& samples) override
    {
        m_log.Add("pulse.ProcessSamples", samples.size());
    }
    void ProcessSpectrum(std::vector<double>& block) override
    {
        m_log.Add("pulse.ProcessSpectrum", block.size());
    }
    void UpdateThreshold() override { m_log.Mark("pulse.UpdateThreshold"); }
    double GetThresholdLevel() override { return threshold; }
    void SetSettings(const PULSE_DETECT_PARAMS& params) override
    {
        m_log.Mark("pulse.SetSettings");
        m_params = params;
    }
    const PULSE_DETECT_PARAMS& GetSettings() override { return m_params; }

    void Start() override {}
    void SetCurrentFreq(double) override {}
    void Stop() override {}
    double GetCurrentFreq() override { return 0.0; }
    int GetCounter() override { return 0; }
    void GetPulses(std::vector<PULSE_ITEM>&) override {}
    int GetPulseCount() override { return 0; }
    void ClearPulses() override {}

private:
    CCallLog& m_log;
    PULSE_DETECT_PARAMS m_params;
};

class CRecordingKnownFreq : public IKnownFreqDetect
{
public:
    explicit CRecordingKnownFreq(CCallLog& log) : m_log(log) {}

    std::vector<KNOWN_FREQ_DETECTION> detections;
    std::vector<ARCHIVE_SIGNAL_ENTRY> lastTemplates;
    ICalcFft* lastRangeFft = nullptr;
    ICalcMultiFft* lastMultiFft = nullptr;

    void ProcessSpectrum(ICalcFft* rangeFft, ICalcMultiFft* multiFft,
                         const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates) override
    {
        m_log.Add("known.ProcessSpectrum", templates.size());
        lastRangeFft = rangeFft;
        lastMultiFft = multiFft;
        lastTemplates = templates;
    }
    std::vector<KNOWN_FREQ_DETECTION> GetDetections() override { return detections; }

    void SetGarmConv(IGarmConv*, IMultiAdf4350*) override {}
    void AddRange(const KNOWN_FREQ_RANGE&) override {}
    const KNOWN_FREQ_RANGE* GetRange(int) override { return nullptr; }
    void SetRange(int, const KNOWN_FREQ_RANGE&) override {}
    int GetRangeCount() override { return 0; }
    void RemoveRange(int) override {}
    void ClearRanges() override {}
    void SelectRange(int) override {}
    void SelectRanges(const std::vector<int>&) override {}
    const std::vector<int>& GetSelectedRanges() override { return m_selected; }

private:
    CCallLog& m_log;
    std::vector<int> m_selected;
};

// A fixed list of templates, read by index.
class CListTemplates : public ITemplates
{
public:
    std::vector<TEMPLATE_ITEM> items;

    bool Add(const TEMPLATE_ITEM& item) override
    {
        items.push_back(item);
        return true;
    }
    void Set(int index, const TEMPLATE_ITEM& item) override { items.at(static_cast<size_t>(index)) = item; }
    const TEMPLATE_ITEM& Get(int index) override { return items.at(static_cast<size_t>(index)); }
    int GetFreeIndex() override { return static_cast<int>(items.size()); }
    int GetCount() override { return static_cast<int>(items.size()); }
    int Remove(int index) override
    {
        items.erase(items.begin() + index);
        return 0;
    }
    void Clear() override { items.clear(); }
};
