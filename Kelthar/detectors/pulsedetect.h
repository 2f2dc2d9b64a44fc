#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "ipulsedetect.h"

class IControlBits;

// Steps the receiver through the configured ranges and cuts pulses out of the envelope of the samples
// it is fed. After each retune four blocks are let pass while the receiver settles and the fifth is
// examined; a block with a pulse in it keeps the detector on that frequency for one more block, a block
// without moves it on by one 61 MHz capture.
//
// The pulse list is bounded: at most kMaxPulses records are kept (the oldest record goes first), and
// only the kEnvelopeKeep newest records keep their envelope (up to 512 KB each); older records keep
// their times, duration, frequency and level with an empty envelope.
//
// The pulse list is guarded by its own mutex (GetPulses may come from another thread than the samples);
// settings and stepping belong to the thread that feeds the samples. Times are whole seconds since 1970
// from an injectable clock.
class CPulseDetect : public IPulseDetect
{
public:
    static constexpr double kStepMHz = 61.0;
    // Blocks spent on a frequency after a retune; only the last is examined.
    static constexpr int kDwellBlocks = 5;
    // Points at the start of a block the scan skips, and the least width of a pulse in points.
    static constexpr int kSkipPoints = 20;
    static constexpr int kMinWidthPoints = 20;
    static constexpr int64_t kAgeingSeconds = 600;
    static constexpr double kThresholdFloor = 0.003;
    static constexpr size_t kMaxPulses = 2048;
    static constexpr size_t kEnvelopeKeep = 16;

    explicit CPulseDetect(IControlBits* controlBits);
    CPulseDetect(const CPulseDetect&) = delete;
    CPulseDetect& operator=(const CPulseDetect&) = delete;

    void SetSettings(const PULSE_DETECT_PARAMS& params) override;
    const PULSE_DETECT_PARAMS& GetSettings() override;
    void Start() override;
    void SetCurrentFreq(double freqMHz) override;
    void Stop() override;
    bool IsRunning() override;
    void ProcessSpectrum(std::vector<double>& block) override;
    void UpdateThreshold() override;
    void ProcessSamples(const std::vector<double>& samples) override;
    double GetCurrentFreq() override;
    double GetThresholdLevel() override;
    int GetCounter() override;
    void GetPulses(std::vector<PULSE_ITEM>& out) override;
    int GetPulseCount() override;
    void ClearPulses() override;

    // Seconds since 1970; null restores the system clock.
    void SetClock(std::function<int64_t()> clockSeconds);
    // Whether the pulse at this position of GetPulses was seen within the last 600 s (false for a
    // position past the list).
    bool IsPulseActive(int index);

private:
    struct PulseSlot
    {
        bool active = false;
        PULSE_ITEM item;
    };

    void Tune();
    void Detect(const std::vector<double>& samples, const std::vector<double>& envelope);
    void RecordPulse(int64_t now, int64_t startTime, double durationMs, double level,
                     const std::vector<double>& envelope);
    void MergeEqualPulses();
    void BoundPulseList();
    void StepOn();
    double PointDurationMs();

    PULSE_DETECT_PARAMS m_params;
    int32_t m_step = 0;
    std::vector<PulseSlot> m_pulses;
    int32_t m_rangeIndex = 0;
    double m_currentFreq = 100.0;
    bool m_running = false;
    bool m_singleShot = false;
    IControlBits* m_pControlBits;
    double m_threshold = 0.0;
    int32_t m_dwell = 0;
    double m_min = 0.0;
    double m_max = 0.0;
    int32_t m_nextPulseId = 0;
    std::function<int64_t()> m_clockSeconds;
    std::mutex m_mutex;
};
