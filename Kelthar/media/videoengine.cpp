#include "videoengine.h"

#include <algorithm>
#include <cmath>

namespace
{
// Positions in the status block.
enum Status
{
    kStatusEnabled,
    kStatusLineSamples,
    kStatusWindowCount,
    kStatusMin,
    kStatusMax,
    kStatusThreshold,
    kStatusRange,
    kStatusWindowMin,
    kStatusLine,
    kStatusState,
    kStatusWidth,
    kStatusHeight,
    kStatusFrameSamples
};

// A line or frame whose measured length lies in these bounds counts as synchronised.
constexpr int32_t kLineSyncMin = 301;
constexpr int32_t kLineSyncMax = 339;
constexpr int32_t kFrameSyncMin = 92001;
constexpr int32_t kFrameSyncMax = 105999;
// Shorter "frames" are the repeated gap samples of one frame start, not frames.
constexpr int32_t kShortestFrame = 150;
// The status shows levels in thousands.
constexpr double kLevelScale = 1000.0;

constexpr auto kRelaxed = std::memory_order_relaxed;
}  // namespace

CVideoEngine::CVideoEngine() : m_frame(new std::atomic<int32_t>[kWidth * kHeight])
{
    // Until the first picture arrives the frame shows a grey ramp.
    for (int line = 0; line < kHeight; ++line)
    {
        for (int column = 0; column < kWidth; ++column)
            m_frame[line * kWidth + column].store(column, kRelaxed);
    }
    for (auto& value : m_published)
        value.store(0.0, kRelaxed);
    m_published[kStatusWidth].store(kWidth, kRelaxed);
    m_published[kStatusHeight].store(kHeight, kRelaxed);
}

void CVideoEngine::Enable(bool on)
{
    m_enabled.store(on, kRelaxed);
    m_frames.store(0.0, kRelaxed);
    m_lastLineSamples.store(0.0, kRelaxed);
    m_lastFrameSamples.store(0.0, kRelaxed);
    m_syncState.store(0, kRelaxed);
    // The device thread owns the counters: it restarts the search itself at its next sample, and the
    // status shows the restarted search at once.
    m_resetPending.store(true, std::memory_order_release);
    for (Status reset : {kStatusLineSamples, kStatusWindowCount, kStatusThreshold, kStatusRange, kStatusLine,
                         kStatusState, kStatusFrameSamples})
        m_published[reset].store(0.0, kRelaxed);
    m_published[kStatusEnabled].store(on ? 1.0 : 0.0, kRelaxed);
}

bool CVideoEngine::IsEnabled()
{
    return m_enabled.load(kRelaxed);
}

void CVideoEngine::SetDarkLevel(int percent)
{
    m_darkLevel.store(percent, kRelaxed);
}

int CVideoEngine::GetDarkLevel()
{
    return m_darkLevel.load(kRelaxed);
}

void CVideoEngine::SetBrightLevel(int percent)
{
    m_brightLevel.store(percent, kRelaxed);
}

int CVideoEngine::GetBrightLevel()
{
    return m_brightLevel.load(kRelaxed);
}

const double* CVideoEngine::Update()
{
    for (int n = 0; n < kStatusCount; ++n)
        m_status[n] = m_published[n].load(kRelaxed);
    return m_status.data();
}

int32_t CVideoEngine::GetSyncState()
{
    return m_syncState.load(kRelaxed);
}

int CVideoEngine::GetWidth()
{
    return kWidth;
}

int CVideoEngine::GetHeight()
{
    return kHeight;
}

int CVideoEngine::GetLine(int column, int line)
{
    if (column < 0 || column >= kWidth || line < 0 || line >= kHeight)
        return 0;
    return m_frame[line * kWidth + column].load(kRelaxed);
}

void CVideoEngine::ProcessSample(double sample)
{
    if (!m_enabled.load(kRelaxed))
        return;
    if (m_resetPending.exchange(false, std::memory_order_acquire))
        ResetSearch();

    ++m_lineSamples;
    ++m_frameSamples;
    TrackLevels(sample);

    switch (m_state)
    {
        case kWaitingForSync:
            if (m_lineSamples > kFrameGapSamples)
                StartFrameOnGap();
            if (sample > m_threshold)
            {
                m_state = kInSyncPulse;
                m_lastLineSamples.store(m_lineSamples, kRelaxed);
                SetSyncBit(kLineSyncBit, m_lineSamples >= kLineSyncMin && m_lineSamples <= kLineSyncMax);
                m_lineSamples = 0;
            }
            break;
        case kInSyncPulse:
            if (sample < m_threshold)
                m_state = kInLine;
            break;
        default:
            // A sync pulse longer than a line must not leave the search waiting for a sample count it
            // has already passed.
            if (m_lineSamples >= kLineEndSamples)
            {
                m_state = kWaitingForSync;
                if (++m_line >= kFrameLines)
                {
                    m_line = 0;
                    m_frames.store(m_frames.load(kRelaxed) + 1.0, kRelaxed);
                }
            }
            else if (m_lineSamples >= kBlankingSamples && m_line >= kBlankingLines)
            {
                DrawPixel(sample);
            }
            break;
    }
    Publish();
}

void CVideoEngine::ResetSearch()
{
    m_threshold = 0.0;
    m_range = 0.0;
    m_lineSamples = 0;
    m_frameSamples = 0;
    m_windowCount = 0;
    m_line = 0;
    m_state = kWaitingForSync;
}

void CVideoEngine::TrackLevels(double sample)
{
    if (m_windowCount == 0)
    {
        m_min = sample;
        m_max = sample;
    }
    else
    {
        m_min = std::min(m_min, sample);
        m_max = std::max(m_max, sample);
    }
    if (++m_windowCount < kWindowSamples)
        return;
    // The sync pulses are the peaks: the threshold settles slowly a tenth of the range below them.
    m_windowCount = 0;
    m_range = m_max - m_min;
    m_windowMin = m_min;
    m_threshold += (m_max - m_range / 10.0 - m_threshold) / 8.0;
}

void CVideoEngine::StartFrameOnGap()
{
    if (m_frameSamples > kShortestFrame)
    {
        m_lastFrameSamples.store(m_frameSamples, kRelaxed);
        SetSyncBit(kFrameSyncBit, m_frameSamples >= kFrameSyncMin && m_frameSamples <= kFrameSyncMax);
    }
    m_line = 0;
    m_frameSamples = 0;
}

void CVideoEngine::DrawPixel(double sample)
{
    const double dark = m_windowMin + m_darkLevel.load(kRelaxed) * m_range / 100.0;
    const double bright = m_windowMin + m_brightLevel.load(kRelaxed) * m_range / 100.0;
    // Equal levels divide by zero: the infinities clamp to black or white, and the 0/0 of a sample
    // exactly at the level is black.
    double grey = 255.0 * (sample - dark) / (bright - dark);
    if (std::isnan(grey))
        grey = 0.0;
    grey = std::clamp(grey, 0.0, 255.0);
    const int row = m_line - kBlankingLines;
    const int column = m_lineSamples - kBlankingSamples;
    if (row < kHeight && column < kWidth)
        m_frame[row * kWidth + column].store(static_cast<int32_t>(grey), kRelaxed);
}

void CVideoEngine::SetSyncBit(int32_t bit, bool on)
{
    const int32_t state = m_syncState.load(kRelaxed);
    m_syncState.store(on ? (state | bit) : (state & ~bit), kRelaxed);
}

void CVideoEngine::Publish()
{
    m_published[kStatusLineSamples].store(m_lineSamples, kRelaxed);
    m_published[kStatusWindowCount].store(m_windowCount, kRelaxed);
    m_published[kStatusMin].store(m_min / kLevelScale, kRelaxed);
    m_published[kStatusMax].store(m_max / kLevelScale, kRelaxed);
    m_published[kStatusThreshold].store(m_threshold / kLevelScale, kRelaxed);
    m_published[kStatusRange].store(m_range / kLevelScale, kRelaxed);
    m_published[kStatusWindowMin].store(m_windowMin / kLevelScale, kRelaxed);
    m_published[kStatusLine].store(static_cast<uint32_t>(m_line), kRelaxed);
    m_published[kStatusState].store(m_state, kRelaxed);
    m_published[kStatusFrameSamples].store(m_frameSamples, kRelaxed);
}
