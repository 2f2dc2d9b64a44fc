#include "pulsedetect.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <utility>

#include "icontrolbits.h"

namespace
{
constexpr int32_t kStepTune = 0;
constexpr int32_t kStepDetect = 2;
// The peak follower falls by this share of the distance per point and rises at once.
constexpr double kDecay = 1.0 / 64.0;
// The automatic threshold sits this fraction of the envelope's range below its top.
constexpr double kAutoThresholdDivisor = 2.5;

int64_t SystemSeconds()
{
    return static_cast<int64_t>(std::time(nullptr));
}
}  // namespace

CPulseDetect::CPulseDetect(IControlBits* controlBits)
    : m_pControlBits(controlBits), m_clockSeconds(SystemSeconds)
{
    m_params.ranges.push_back(PULSE_RANGE{800.0, 1000.0});
}

void CPulseDetect::SetSettings(const PULSE_DETECT_PARAMS& params)
{
    m_params = params;
}

const PULSE_DETECT_PARAMS& CPulseDetect::GetSettings()
{
    return m_params;
}

void CPulseDetect::Start()
{
    ClearPulses();
    // With nothing to step through there is no frequency to start from: stay stopped.
    if (m_params.ranges.empty())
    {
        m_running = false;
        return;
    }
    m_running = true;
    m_singleShot = false;
    m_step = kStepTune;
    m_rangeIndex = 0;
    m_currentFreq = m_params.ranges.front().start;
}

void CPulseDetect::SetCurrentFreq(double freqMHz)
{
    m_currentFreq = freqMHz;
    m_running = true;
    m_singleShot = true;
    m_step = kStepTune;
}

void CPulseDetect::Stop()
{
    m_running = false;
    if (m_pControlBits != nullptr)
        m_pControlBits->SetClkDivCnt(0);
    std::lock_guard<std::mutex> lock(m_mutex);
    for (PulseSlot& slot : m_pulses)
        slot.active = false;
}

bool CPulseDetect::IsRunning()
{
    return m_running;
}

void CPulseDetect::ProcessSpectrum(std::vector<double>& block)
{
    if (block.empty())
        return;
    const auto [lowest, highest] = std::minmax_element(block.begin(), block.end());
    m_min = *lowest;
    m_max = *highest;

    // Fold the lower half over the midpoint so that both swings of a carrier raise the envelope.
    const double middle = (m_min + m_max) / 2.0;
    for (double& value : block)
    {
        if (value < middle)
            value = 2.0 * middle - value;
    }

    double previous = 0.0;
    block[0] = 0.0;
    for (size_t i = 1; i < block.size(); ++i)
    {
        double delta = block[i] - previous;
        if (delta < 0.0)
            delta *= kDecay;
        previous += delta;
        block[i] = previous;
    }

    const auto [envelopeLow, envelopeHigh] = std::minmax_element(block.begin(), block.end());
    m_min = *envelopeLow;
    m_max = *envelopeHigh;
}

void CPulseDetect::UpdateThreshold()
{
    if (!m_params.autoThreshold)
    {
        m_threshold = m_params.level;
        return;
    }
    m_threshold = std::max(m_max - (m_max - m_min) / kAutoThresholdDivisor, kThresholdFloor);
}

void CPulseDetect::ProcessSamples(const std::vector<double>& samples)
{
    if (!m_running || samples.empty())
        return;
    std::vector<double> envelope = samples;
    ProcessSpectrum(envelope);
    UpdateThreshold();

    if (m_step == kStepTune)
    {
        Tune();
        return;
    }
    if (m_step == kStepDetect)
        Detect(samples, envelope);
}

void CPulseDetect::Tune()
{
    if (m_pControlBits != nullptr)
        m_pControlBits->SetTuneFreq(m_currentFreq * 1000000.0);
    m_step = kStepDetect;
    m_dwell = kDwellBlocks;
    if (m_singleShot)
    {
        m_running = false;
        m_singleShot = false;
    }
}

void CPulseDetect::Detect(const std::vector<double>& samples, const std::vector<double>& envelope)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int64_t now = m_clockSeconds();
    for (PulseSlot& slot : m_pulses)
    {
        if (slot.item.endTime < now - kAgeingSeconds)
            slot.active = false;
    }

    const int count = static_cast<int>(envelope.size());
    if (m_dwell == 1 && count > kSkipPoints)
    {
        // 0: waiting for the envelope to be below the threshold once; 1: below, waiting for a rise;
        // 2: above since start; 3: in a dip after too short a rise - a rise continues the same pulse.
        int state = 0;
        int start = 0;
        int64_t startTime = 0;
        for (int i = kSkipPoints; i < count; ++i)
        {
            const double value = envelope[i];
            if (state == 0 && value < m_threshold)
            {
                state = 1;
            }
            else if (state == 1 && value > m_threshold)
            {
                state = 2;
                start = i;
                startTime = now;
            }
            else if (state == 2 && value < m_threshold)
            {
                if (i - start >= kMinWidthPoints)
                {
                    const double durationMs = (i - start) * PointDurationMs();
                    RecordPulse(now, startTime, durationMs, std::fabs(samples[i]), envelope);
                    m_dwell = 2;
                    break;
                }
                state = 3;
            }
            else if (state == 3 && value > m_threshold)
            {
                state = 2;
            }
        }
    }

    --m_dwell;
    if (m_dwell <= 0)
        StepOn();
}

double CPulseDetect::PointDurationMs()
{
    if (m_pControlBits == nullptr)
        return 0.0;
    const double rateHz = m_pControlBits->GetChannelSampleRate(-1);
    if (!(rateHz > 0.0))
        return 0.0;
    // The clock divider slows the sampling by 2^(divider + 1); 0 leaves it alone.
    const int divider = m_pControlBits->GetClkDivCnt();
    const int shift = divider == 0 ? 0 : std::clamp(divider + 1, 0, 62);
    return std::ldexp(1.0, shift) / rateHz * 1000.0;
}

void CPulseDetect::RecordPulse(int64_t now, int64_t startTime, double durationMs, double level,
                               const std::vector<double>& envelope)
{
    for (PulseSlot& slot : m_pulses)
    {
        PULSE_ITEM& item = slot.item;
        if (item.frequency == m_currentFreq && 0.9 * item.duration < durationMs &&
            durationMs < 1.1 * item.duration)
        {
            slot.active = true;
            item.endTime = now;
            item.level = std::max(item.level, level);
            item.duration = std::max(item.duration, durationMs);
            return;
        }
    }

    PulseSlot slot;
    slot.active = true;
    slot.item.id = m_nextPulseId++;
    slot.item.startTime = startTime;
    slot.item.endTime = now;
    slot.item.duration = durationMs;
    slot.item.frequency = m_currentFreq;
    slot.item.name = L"DetectAny";
    slot.item.kind = 5;
    slot.item.level = level;
    slot.item.envelope = envelope;
    m_pulses.push_back(std::move(slot));
    MergeEqualPulses();
    BoundPulseList();
}

void CPulseDetect::MergeEqualPulses()
{
    // Only the new record is matched against the list (one pass, not every pair): its earliest twin
    // keeps the larger level and the later end time, and the new one goes. Two records a renewal made
    // equal stay apart; both are still true.
    const PulseSlot& added = m_pulses.back();
    for (size_t index = 0; index + 1 < m_pulses.size(); ++index)
    {
        PulseSlot& kept = m_pulses[index];
        if (kept.item.duration == added.item.duration && kept.item.frequency == added.item.frequency)
        {
            kept.item.level = std::max(kept.item.level, added.item.level);
            kept.item.endTime = std::max(kept.item.endTime, added.item.endTime);
            kept.active = true;
            m_pulses.pop_back();
            return;
        }
    }
}

void CPulseDetect::BoundPulseList()
{
    if (m_pulses.size() > kMaxPulses)
        m_pulses.erase(m_pulses.begin(),
                       m_pulses.begin() + static_cast<std::ptrdiff_t>(m_pulses.size() - kMaxPulses));
    if (m_pulses.size() > kEnvelopeKeep)
    {
        // Only the newest records keep their envelope; the one that just dropped out releases it.
        std::vector<double>& envelope = m_pulses[m_pulses.size() - kEnvelopeKeep - 1].item.envelope;
        std::vector<double>().swap(envelope);
    }
}

void CPulseDetect::StepOn()
{
    m_step = kStepTune;
    const int rangeCount = static_cast<int>(m_params.ranges.size());
    if (m_rangeIndex < 0 || m_rangeIndex >= rangeCount)
        return;
    m_currentFreq += kStepMHz;
    if (m_currentFreq >= m_params.ranges[m_rangeIndex].end)
    {
        m_rangeIndex = (m_rangeIndex + 1) % rangeCount;
        m_currentFreq = m_params.ranges[m_rangeIndex].start;
    }
}

double CPulseDetect::GetCurrentFreq()
{
    return m_currentFreq;
}

double CPulseDetect::GetThresholdLevel()
{
    return m_threshold;
}

int CPulseDetect::GetCounter()
{
    return m_rangeIndex;
}

void CPulseDetect::GetPulses(std::vector<PULSE_ITEM>& out)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const PulseSlot& slot : m_pulses)
        out.push_back(slot.item);
}

int CPulseDetect::GetPulseCount()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_pulses.size());
}

void CPulseDetect::ClearPulses()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pulses.clear();
}

void CPulseDetect::SetClock(std::function<int64_t()> clockSeconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_clockSeconds = clockSeconds ? std::move(clockSeconds) : std::function<int64_t()>(SystemSeconds);
}

bool CPulseDetect::IsPulseActive(int index)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (index < 0 || index >= static_cast<int>(m_pulses.size()))
        return false;
    return m_pulses[static_cast<size_t>(index)].active;
}
