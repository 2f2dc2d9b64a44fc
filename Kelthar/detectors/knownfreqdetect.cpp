#include "knownfreqdetect.h"

#include <algorithm>
#include <cstdint>

#include "icalcfft.h"
#include "icalcmultifft.h"
#include "igarmconv.h"
#include "imultiadf4350.h"

namespace
{
// The embedded analysis runs with these settings whatever the operator chose for the full-range one:
// a threshold 12 dB above a short running average, no hysteresis, no merging, the region kept.
constexpr int kThresholdMode = 1;
constexpr double kFixedThreshold = 0.0;
constexpr double kThresholdOffsetDb = 12.0;
constexpr int kAveragingLength = 128;
}  // namespace

void CKnownFreqDetect::SetGarmConv(IGarmConv* conv, IMultiAdf4350* multiAdf)
{
    m_pGarmConv = conv;
    m_pMultiAdf = multiAdf;
    m_analysis.SetGarmConv(conv);
}

KNOWN_FREQ_RANGE CKnownFreqDetect::WithChannels(const FREQ_BAND_ITEM& fields)
{
    KNOWN_FREQ_RANGE range;
    static_cast<FREQ_BAND_ITEM&>(range) = fields;
    if (!(range.Band > 0.0) || !(range.Step > 0.0))
        return range;
    // 64-bit channel numbers: a last channel near the int32 limit must not wrap the loop.
    for (int64_t c = range.StartChannel;; ++c)
    {
        const int64_t offset = c - range.StartChannel;
        const double low = range.StartFreq + static_cast<double>(offset) * range.Step;
        const double high = low + range.Band;
        if (offset > 0 && (high > range.EndFreq || c > range.EndChannel || offset >= kMaxChannels))
            break;
        range.channels.push_back({static_cast<int32_t>(c), low, high});
    }
    return range;
}

void CKnownFreqDetect::AddRange(const KNOWN_FREQ_RANGE& range)
{
    m_ranges.push_back(WithChannels(range));
}

const KNOWN_FREQ_RANGE* CKnownFreqDetect::GetRange(int index)
{
    if (!IsValidIndex(index))
        return nullptr;
    return &m_ranges[static_cast<size_t>(index)];
}

void CKnownFreqDetect::SetRange(int index, const KNOWN_FREQ_RANGE& range)
{
    if (!IsValidIndex(index))
        return;
    m_ranges[static_cast<size_t>(index)] = WithChannels(range);
}

int CKnownFreqDetect::GetRangeCount()
{
    return static_cast<int>(m_ranges.size());
}

void CKnownFreqDetect::RemoveRange(int index)
{
    if (!IsValidIndex(index))
        return;
    m_ranges.erase(m_ranges.begin() + index);
    // The selection keeps pointing at the same ranges: the removed one leaves it and the ones behind it
    // move down with the list, so no selected position can lie past its end.
    m_selected.erase(std::remove(m_selected.begin(), m_selected.end(), index), m_selected.end());
    for (int& selected : m_selected)
    {
        if (selected > index)
            --selected;
    }
}

void CKnownFreqDetect::ClearRanges()
{
    m_ranges.clear();
    m_selected.clear();
}

void CKnownFreqDetect::SelectRange(int index)
{
    m_selected.assign(1, index);
}

void CKnownFreqDetect::SelectRanges(const std::vector<int>& indexes)
{
    m_selected = indexes;
}

const std::vector<int>& CKnownFreqDetect::GetSelectedRanges()
{
    return m_selected;
}

void CKnownFreqDetect::ProcessSpectrum(ICalcFft* rangeFft, ICalcMultiFft* multiFft,
                                       const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates)
{
    m_detections.clear();
    if (m_selected.empty() || m_pGarmConv == nullptr)
        return;

    std::vector<double> spectrum;
    if (m_pMultiAdf != nullptr && m_pMultiAdf->IsEnabled())
    {
        if (multiFft == nullptr)
            return;
        spectrum = multiFft->GetResult(m_pMultiAdf->GetCurrentRange());
    }
    else
    {
        if (rangeFft == nullptr)
            return;
        spectrum = rangeFft->GetResult();
    }

    m_analysis.SetParameters(kThresholdMode, kFixedThreshold, kThresholdOffsetDb, kAveragingLength, 0.0,
                             false, -1);
    m_analysis.AddSpectrum(spectrum, 0);
    m_analysis.Start(spectrum, templates, false, spectrum);

    for (int rangeIndex : m_selected)
    {
        // A selection made by position may outlive the list it was made on.
        if (!IsValidIndex(rangeIndex))
            continue;
        for (const ANALYSIS_RESULT_ITEM& result : m_analysis.GetResults())
            MatchChannels(rangeIndex, result);
    }
}

std::vector<KNOWN_FREQ_DETECTION> CKnownFreqDetect::GetDetections()
{
    return m_detections;
}

bool CKnownFreqDetect::IsValidIndex(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < m_ranges.size();
}

void CKnownFreqDetect::MatchChannels(int rangeIndex, const ANALYSIS_RESULT_ITEM& result)
{
    const std::vector<KNOWN_FREQ_CHANNEL>& channels = m_ranges[static_cast<size_t>(rangeIndex)].channels;
    const double peak = result.peakFreq;
    // Both edges rise with the channel number, so the channels that hold the peak are one run: from
    // the first whose upper edge lies above the peak while the lower edge stays below it.
    auto it =
        std::partition_point(channels.begin(), channels.end(),
                             [peak](const KNOWN_FREQ_CHANNEL& channel) { return channel.highFreq <= peak; });
    for (; it != channels.end() && it->lowFreq < peak; ++it)
    {
        if (!(peak < it->highFreq))
            continue;
        KNOWN_FREQ_DETECTION detection;
        detection.rangeIndex = rangeIndex;
        detection.startIndex = m_pGarmConv->FreqToIndex(result.startFreq);
        detection.peakIndex = m_pGarmConv->FreqToIndex(result.peakFreq);
        detection.endIndex = m_pGarmConv->FreqToIndex(result.endFreq);
        detection.level = result.level;
        detection.channel = it->channel;
        m_detections.push_back(detection);
    }
}
