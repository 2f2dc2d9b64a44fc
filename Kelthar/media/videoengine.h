#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

#include "ivideoengine.h"

// The video decoder behind the video window. The device thread feeds it the demodulated amplitude one
// value at a time; it follows the signal's level range over windows of 320 samples, takes a level near
// the top of that range as the sync threshold, splits the stream into lines at the sync pulses and into
// frames at the long gap of the frame sync, and grey-scales each line between the operator's dark and
// bright levels.
//
// The GUI thread reads the picture and the status while the device thread writes them, without a lock:
// pixels and the published status are relaxed atomics (a picture may mix two frames, never garbage),
// and Enable only asks the device thread to restart the search at its next sample.
class CVideoEngine : public IVideoEngine
{
public:
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 300;
    // A line from one sync pulse to the next (about 320 samples), and a frame of 310 lines of which
    // the first 10 carry no picture.
    static constexpr int kWindowSamples = 320;
    static constexpr int kLineEndSamples = 302;
    static constexpr int kBlankingSamples = 46;
    static constexpr int kBlankingLines = 10;
    static constexpr int kFrameLines = 310;
    static constexpr int kFrameGapSamples = 960;

    CVideoEngine();
    CVideoEngine(const CVideoEngine&) = delete;
    CVideoEngine& operator=(const CVideoEngine&) = delete;

    void Enable(bool on) override;
    bool IsEnabled() override;
    void SetDarkLevel(int percent) override;
    int GetDarkLevel() override;
    void SetBrightLevel(int percent) override;
    int GetBrightLevel() override;
    const double* Update() override;
    int32_t GetSyncState() override;
    int GetWidth() override;
    int GetHeight() override;
    int GetLine(int column, int line) override;
    void ProcessSample(double sample) override;

    // Completed frames of 310 lines since the last Enable.
    double GetFrameCount() const { return m_frames.load(std::memory_order_relaxed); }
    // Length in samples of the last line and of the last frame that the sync search measured.
    double GetLastLineSamples() const { return m_lastLineSamples.load(std::memory_order_relaxed); }
    double GetLastFrameSamples() const { return m_lastFrameSamples.load(std::memory_order_relaxed); }

private:
    enum State : int32_t
    {
        kWaitingForSync = 0,
        kInSyncPulse = 1,
        kInLine = 2
    };
    static constexpr int32_t kLineSyncBit = 1;
    static constexpr int32_t kFrameSyncBit = 2;

    // The device thread's restart of the search (thresholds, counters, line, state, sync bits).
    void ResetSearch();
    void TrackLevels(double sample);
    void StartFrameOnGap();
    void DrawPixel(double sample);
    void SetSyncBit(int32_t bit, bool on);
    // Copies the device thread's counters where Update reads them.
    void Publish();

    std::atomic<bool> m_enabled{false};
    std::atomic<bool> m_resetPending{false};
    std::atomic<int32_t> m_syncState{0};
    // kHeight lines of kWidth grey levels.
    std::unique_ptr<std::atomic<int32_t>[]> m_frame;
    std::atomic<int32_t> m_darkLevel{10};
    std::atomic<int32_t> m_brightLevel{70};

    // Owned by the device thread.
    int32_t m_state = kWaitingForSync;
    int32_t m_lineSamples = 0;
    int32_t m_frameSamples = 0;
    int32_t m_windowCount = 0;
    double m_min = 0.0;
    double m_max = 0.0;
    double m_threshold = 0.0;
    double m_range = 0.0;
    double m_windowMin = 0.0;
    int32_t m_line = 0;

    std::atomic<double> m_frames{0.0};
    std::atomic<double> m_lastLineSamples{0.0};
    std::atomic<double> m_lastFrameSamples{0.0};

    // The status as the device thread last left it, and the block Update hands to the GUI.
    std::array<std::atomic<double>, kStatusCount> m_published;
    std::array<double, kStatusCount> m_status{};
};
