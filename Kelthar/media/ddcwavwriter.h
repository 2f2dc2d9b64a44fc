#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "iddcwavwriter.h"
#include "wavwriter.h"

// Writes the DDC's I/Q pairs to a two-channel WAV file (I left, Q right). 24-bit files hold the
// samples as they come. 16-bit files drop the low 8 bits, or, normalised, scale by a power of two
// chosen from the peak of the previous three seconds so that the peak's top bit lands on bit 14 (the
// first three seconds pass unscaled). Values that still do not fit the field saturate.
//
// The GUI thread starts and stops the file while the device thread writes samples; a lock keeps a
// sample from being written into a file that is being closed.
class CDdcWavWriter : public IDdcWavWriter
{
public:
    // Bit of the held peak that normalisation moves to the top of a 16-bit sample.
    static constexpr int kNormalizedTopBit = 14;
    // Seconds of signal whose peak sets the next normalisation.
    static constexpr int kPeakPeriodSeconds = 3;

    CDdcWavWriter() = default;
    // A file still being written is closed with its sizes filled in.
    ~CDdcWavWriter() override;
    CDdcWavWriter(const CDdcWavWriter&) = delete;
    CDdcWavWriter& operator=(const CDdcWavWriter&) = delete;

    // A rate of 0 or less is refused: the file would have no time base.
    bool Start(const std::wstring& path, int rate, bool bits16, bool normalize) override;
    bool IsWriting() override;
    void WriteSample(int32_t i, int32_t q) override;
    void Stop() override;

    // The peak that scales 16-bit normalised samples now (0 during the first three seconds).
    int32_t GetHeldPeak() const { return m_heldPeak; }

private:
    // The sample as it goes into its field: shifted for 16 bits, then saturated to the field.
    int32_t Scale(int32_t value) const;
    void TrackPeak(int32_t i, int32_t q);

    std::mutex m_mutex;
    CWavWriter m_file;
    std::atomic<bool> m_writing{false};
    bool m_16bit = false;
    bool m_normalize = false;
    int32_t m_heldPeak = 0;
    int32_t m_runPeak = 0;
    int32_t m_byteCount = 0;
    // Bytes of signal in one peak period (three seconds of frames).
    int32_t m_period = 0;
};
