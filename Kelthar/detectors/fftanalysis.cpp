#include "fftanalysis.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

#include "bandtable.h"
#include "igarmconv.h"

namespace
{
// Two results closer than this share of the second one's start point become one when merging is on.
constexpr double kMergeGapShare = 0.02;

bool IsInside(const ANALYSIS_RESULT_ITEM& item, int pointCount)
{
    return item.startFreq >= 0.0 && item.startFreq < pointCount;
}

// The present items as (start, largest end so far) pairs sorted by start: with them, "does any present
// item end after `after` and start at or before `upTo`" takes a binary search (Overlaps). The analysis
// asks this once per item of one list against the other, which would otherwise be 1001 x 1001 checks.
std::vector<std::pair<double, double>> PresentSpans(const std::vector<ANALYSIS_RESULT_ITEM>& items)
{
    std::vector<std::pair<double, double>> spans;
    for (const ANALYSIS_RESULT_ITEM& item : items)
    {
        if (item.status == CFftAnalysis::kPresent)
            spans.emplace_back(item.startFreq, item.endFreq);
    }
    std::sort(spans.begin(), spans.end(),
              [](const std::pair<double, double>& a, const std::pair<double, double>& b)
              { return a.first < b.first; });
    for (size_t i = 1; i < spans.size(); ++i)
        spans[i].second = std::max(spans[i].second, spans[i - 1].second);
    return spans;
}

bool Overlaps(const std::vector<std::pair<double, double>>& spans, double after, double upTo)
{
    auto last = std::upper_bound(spans.begin(), spans.end(), upTo,
                                 [](double value, const std::pair<double, double>& span)
                                 { return value < span.first; });
    return last != spans.begin() && std::prev(last)->second > after;
}

int ClampIndex(double index, int pointCount)
{
    if (!(index > 0.0))
        return 0;
    if (index >= pointCount - 1)
        return pointCount - 1;
    return static_cast<int>(index);
}
}  // namespace

void CFftAnalysis::SetGarmConv(IGarmConv* conv)
{
    m_pGarmConv = conv;
}

void CFftAnalysis::AddSpectrum(const std::vector<double>& spectrum, int count)
{
    m_pointCount = count;
    const size_t n = spectrum.size();
    if (n == 0)
        return;
    m_threshold.resize(n);
    if (m_thresholdMode == 0)
    {
        std::fill(m_threshold.begin(), m_threshold.end(), m_fixedThreshold);
        return;
    }

    // The running means start at the average of the first (last) thirtieth of the spectrum; a spectrum
    // shorter than 30 points starts them at its first (last) point. A length below 1 would divide by
    // zero and turn the whole trace into NaN: it counts as 1, a trace that follows every point.
    const size_t k = std::max<size_t>(n / 30, 1);
    const double length = std::max(m_averagingLength, 1);
    double mean = 0.0;
    for (size_t i = 0; i < k; ++i)
        mean += spectrum[i];
    mean /= static_cast<double>(k);
    std::vector<double> forward(n);
    for (size_t i = 0; i < n; ++i)
    {
        mean += (spectrum[i] - mean) / length;
        forward[i] = m_thresholdOffset + mean;
    }

    mean = 0.0;
    for (size_t i = n - k; i < n; ++i)
        mean += spectrum[i];
    mean /= static_cast<double>(k);
    for (size_t i = n; i-- > 0;)
    {
        mean += (spectrum[i] - mean) / length;
        m_threshold[i] = std::min(forward[i], m_thresholdOffset + mean);
    }
}

void CFftAnalysis::Start(const std::vector<double>& spectrum,
                         const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates, bool noHistory,
                         const std::vector<double>& levels)
{
    const size_t n = spectrum.size();
    // Callers that feed a separate level trace may hand a shorter one; the analysis would read past it.
    if (n == 0 || n != m_threshold.size() || levels.size() < n || m_pGarmConv == nullptr)
        return;

    std::vector<double> freqMHz(n);
    for (size_t i = 0; i < n; ++i)
        freqMHz[i] = m_pGarmConv->IndexToFreq(static_cast<int>(i));
    const std::vector<double> blanked = Blank(spectrum, templates, freqMHz);
    std::vector<ANALYSIS_RESULT_ITEM> found = Detect(blanked, levels, freqMHz);

    if (noHistory)
    {
        m_history = std::move(found);
    }
    else
    {
        for (ANALYSIS_RESULT_ITEM& item : m_history)
        {
            if (item.status == kNew)
                item.status = kPresent;
            else if (item.status == kGone)
                item.status = kRemoved;
        }
        Classify(found);
        CheckHistory(found, blanked);
        m_history = std::move(found);
    }

    if (m_merge)
        Merge();
    Publish(static_cast<int>(n));
    m_finished = true;
}

bool CFftAnalysis::IsFinished()
{
    return m_finished;
}

std::vector<ANALYSIS_RESULT_ITEM>& CFftAnalysis::GetResults()
{
    return m_results;
}

void CFftAnalysis::SetParameters(int thresholdMode, double fixedThreshold, double thresholdOffset,
                                 int averagingLength, double hysteresis, bool merge, int region)
{
    m_thresholdMode = thresholdMode;
    m_fixedThreshold = fixedThreshold;
    m_thresholdOffset = thresholdOffset;
    m_averagingLength = averagingLength;
    m_hysteresis = hysteresis;
    m_merge = merge;
    if (region != -1)
        m_region = region;
}

const std::vector<double>& CFftAnalysis::GetAverage(int* count)
{
    if (count != nullptr)
        *count = m_pointCount;
    return m_threshold;
}

void CFftAnalysis::ClearResults()
{
    m_history.clear();
}

std::wstring CFftAnalysis::BandName(double freqMHz, int region)
{
    // The mask is a 32-bit word; a region outside it belongs to no row.
    if (region < 0 || region > 31)
        return std::wstring();
    const uint32_t bit = 1u << static_cast<unsigned>(region);
    for (const FREQ_BAND_ITEM& row : LibraryBandTable())
    {
        if (row.StartFreq <= freqMHz && freqMHz <= row.EndFreq &&
            (static_cast<uint32_t>(row.regionMask) & bit) != 0)
            return row.Name;
    }
    return std::wstring();
}

std::vector<double> CFftAnalysis::Blank(const std::vector<double>& spectrum,
                                        const std::vector<ARCHIVE_SIGNAL_ENTRY>& templates,
                                        const std::vector<double>& freqMHz) const
{
    std::vector<double> blanked = spectrum;
    if (templates.empty())
        return blanked;
    for (size_t i = 0; i < blanked.size(); ++i)
    {
        const double f = freqMHz[i];
        for (const ARCHIVE_SIGNAL_ENTRY& entry : templates)
        {
            if (entry.FreqBegin - 1.0 <= f && f <= entry.FreqEnd + 1.0)
            {
                blanked[i] = kBlankLevel;
                break;
            }
        }
    }
    return blanked;
}

std::vector<ANALYSIS_RESULT_ITEM> CFftAnalysis::Detect(const std::vector<double>& blanked,
                                                       const std::vector<double>& levels,
                                                       const std::vector<double>& freqMHz) const
{
    std::vector<ANALYSIS_RESULT_ITEM> found;
    ANALYSIS_RESULT_ITEM run;
    size_t peak = 0;
    bool inside = false;
    // The switch number and band name belong to the peak point; they are looked up once the run is
    // complete, which gives the same values as taking them at every new maximum.
    auto complete = [&]()
    {
        run.iSwitch = m_pGarmConv->GetValue(static_cast<int>(peak));
        run.ident = BandName(freqMHz[peak], m_region);
        found.push_back(run);
        inside = false;
    };

    const size_t n = blanked.size();
    for (size_t i = 0; i < n && found.size() < static_cast<size_t>(kMaxResults); ++i)
    {
        const double index = static_cast<double>(i);
        if (!inside)
        {
            if (blanked[i] > m_threshold[i])
            {
                inside = true;
                peak = i;
                run = ANALYSIS_RESULT_ITEM();
                run.status = kPresent;
                run.startFreq = run.endFreq = run.peakFreq = index;
                run.level = levels[i];
                run.excess = levels[i] - m_threshold[i];
            }
            continue;
        }
        // The end moves onto the first point back at or below the threshold: the views take it as
        // an exclusive end.
        run.endFreq = index;
        if (blanked[i] <= m_threshold[i])
        {
            complete();
        }
        else if (levels[i] > run.level)
        {
            // Strictly greater: the first of equal maxima stays the peak.
            peak = i;
            run.peakFreq = index;
            run.level = levels[i];
            run.excess = levels[i] - m_threshold[i];
        }
    }
    if (inside)
        complete();
    return found;
}

void CFftAnalysis::Classify(std::vector<ANALYSIS_RESULT_ITEM>& found) const
{
    const std::vector<std::pair<double, double>> known = PresentSpans(m_history);
    for (ANALYSIS_RESULT_ITEM& item : found)
    {
        if (!Overlaps(known, item.startFreq, item.endFreq))
            item.status = kNew;
    }
    // A run from the first point is the edge of the sweep, and a one-point run is a spike.
    found.erase(std::remove_if(found.begin(), found.end(),
                               [](const ANALYSIS_RESULT_ITEM& item)
                               { return item.startFreq == 0.0 || item.startFreq == item.endFreq; }),
                found.end());
}

void CFftAnalysis::CheckHistory(std::vector<ANALYSIS_RESULT_ITEM>& found, const std::vector<double>& blanked)
{
    const int n = static_cast<int>(blanked.size());
    const std::vector<std::pair<double, double>> detected = PresentSpans(found);
    // Items held by the hysteresis join the list as it is checked and count for the items after them.
    const size_t detectedCount = found.size();
    for (ANALYSIS_RESULT_ITEM& old : m_history)
    {
        if (old.status != kPresent)
            continue;
        const int s = static_cast<int>(old.startFreq);
        // The history may come from a longer spectrum: its end is clamped to this one.
        const int e = static_cast<int>(std::min(old.endFreq, static_cast<double>(n - 1)));
        const bool covered =
            Overlaps(detected, s, e) ||
            std::any_of(found.begin() + static_cast<std::ptrdiff_t>(detectedCount), found.end(),
                        [&](const ANALYSIS_RESULT_ITEM& item)
                        { return item.status == kPresent && item.endFreq > s && item.startFreq <= e; });
        // A signal found again is present through the new item; keeping the old one as well would
        // list it twice, and once more after every analysis. Only a signal that fell below the
        // threshold is held by the hysteresis.
        if (covered)
            continue;
        if (m_hysteresis > 0.0 && IsInside(old, n) && found.size() < static_cast<size_t>(kMaxResults))
        {
            int p = s;
            for (int i = s + 1; i <= e; ++i)
            {
                if (blanked[static_cast<size_t>(i)] > blanked[static_cast<size_t>(p)])
                    p = i;
            }
            if (blanked[static_cast<size_t>(p)] + m_hysteresis > m_threshold[static_cast<size_t>(p)])
            {
                found.push_back(old);
                continue;
            }
        }
        old.status = kGone;
    }
    for (const ANALYSIS_RESULT_ITEM& old : m_history)
    {
        if (found.size() >= static_cast<size_t>(kMaxResults))
            break;
        if (old.status == kGone)
            found.push_back(old);
    }
}

void CFftAnalysis::Merge()
{
    std::stable_sort(m_history.begin(), m_history.end(),
                     [](const ANALYSIS_RESULT_ITEM& a, const ANALYSIS_RESULT_ITEM& b)
                     { return a.startFreq < b.startFreq; });
    size_t j = 0;
    while (j + 1 < m_history.size())
    {
        ANALYSIS_RESULT_ITEM& item = m_history[j];
        const ANALYSIS_RESULT_ITEM& next = m_history[j + 1];
        // The gap is measured against the next item's start (relative, in points); overlapping items
        // have a negative gap. Written without the division so that a start at point 0 is defined.
        const bool merge = item.status != kRemoved && next.status != kRemoved &&
                           item.iSwitch == next.iSwitch &&
                           next.startFreq - item.endFreq < kMergeGapShare * next.startFreq;
        if (!merge)
        {
            ++j;
            continue;
        }
        item.startFreq = std::min(item.startFreq, next.startFreq);
        item.endFreq = std::max(item.endFreq, next.endFreq);
        if (next.level > item.level)
        {
            item.level = next.level;
            item.excess = next.excess;
            item.peakFreq = next.peakFreq;
        }
        if (item.status == kNew && next.status == kPresent)
            item.status = kPresent;
        m_history.erase(m_history.begin() + static_cast<std::ptrdiff_t>(j + 1));
    }
}

void CFftAnalysis::Publish(int pointCount)
{
    m_results = m_history;
    // History items of an older, longer spectrum are converted at the last point of this one: the
    // converter's tables hold this spectrum's points only.
    for (ANALYSIS_RESULT_ITEM& item : m_results)
    {
        const int peak = ClampIndex(item.peakFreq, pointCount);
        item.startFreq = m_pGarmConv->IndexToFreq(ClampIndex(item.startFreq, pointCount));
        item.endFreq = m_pGarmConv->IndexToFreq(ClampIndex(item.endFreq, pointCount));
        item.peakFreq = m_pGarmConv->IndexToFreq(peak);
        item.iSwitch = m_pGarmConv->GetValue(peak);
    }
}
