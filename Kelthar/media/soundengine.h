#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "audiooutput.h"
#include "countingsemaphore.h"
#include "declicker.h"
#include "isoundengine.h"
#include "wavreader.h"
#include "wavwriter.h"

// Plays the demodulated audio as 16-bit stereo on a sound card through three one-second buffers, with a
// fixed gain or an automatic one; records what it plays into a WAV file and plays WAV files back. The
// device thread feeds it sample by sample; the GUI thread opens, closes and switches it. The buffers
// and the state they are written with are guarded by the process-wide sound output lock.
class CSoundEngine : public ISoundEngine
{
public:
    static constexpr int kDeclickerId = 17;
    static constexpr int kMaxRate = 384000;
    static constexpr int kBufferCount = 3;
    static constexpr double kDefaultFixedGain = 0.06;

    using OutputFactory = std::function<std::unique_ptr<kplatform::IAudioOutput>()>;

    CSoundEngine();
    ~CSoundEngine() override;
    CSoundEngine(const CSoundEngine&) = delete;
    CSoundEngine& operator=(const CSoundEngine&) = delete;

    bool GetInterface(int id, void** out) override;
    bool Open(int deviceId, int rate) override;
    void ResetBuffers() override;
    void Close() override;
    void PlaySample(double sample) override;
    void StartRecording(const std::wstring& path) override;
    void StopRecording() override;
    bool OpenPlayback(const std::wstring& path) override;
    void StopPlayback() override;
    bool PlayNextBlock() override;
    int GetPlaybackLength() override;
    void SetRangeSoundOn(bool on) override;
    bool IsRangeSoundOn() override;
    void SetUseAgc(bool on) override;
    void SetSoundLevel(int level) override;
    int GetAgcLevel() override;
    bool IsOutputOn() override;
    bool IsPlaying() override;
    bool IsRecording() override;

    // --- Internal operations of the library (the core, tests) ---

    // Two-channel audio: a in the upper half of the frame (right), b in the lower half (left).
    void PlayStereo(double a, double b);
    // Closes the output and opens it again on the stored device and rate (the DDC rate changed). Output
    // on falls back to off as with any opening; a recording or a playback goes on. False when nothing
    // was open.
    bool Reopen();
    CDeclicker& Declicker() { return m_declicker; }
    // The ALSA device to open whatever the device id says ("null", "file:FILE=...,FORMAT=raw"); empty:
    // the id indexes the device list.
    void SetDeviceName(const std::string& name) { m_deviceName = name; }
    // How the output is made; the default is the ALSA output.
    void SetOutputFactory(OutputFactory factory) { m_outputFactory = std::move(factory); }
    int GetDeviceId() const { return m_deviceId; }
    int GetOpenedRate() const { return m_rate; }
    // True while a device took the output; false when it failed to open, and then nothing sounds.
    bool HasOutput() const;
    // True when every buffer handed to the device has come back (a partly filled one is not handed yet).
    bool AllBuffersReturned() const;
    const CWavWriter::Format& OutputFormat() const { return m_format; }
    double GetFixedGain() const { return m_fixedGain; }
    double GetAgcGain() const { return m_agcGain; }
    // The 16-bit value a sample becomes after the gain: truncated, and held at the ends of the range.
    int16_t ToOutputSample(double sample);

private:
    double Gain(double sample);
    void WriteFrame(const uint8_t* frame);
    // Under the sound output lock: reset and close the device, free the buffers.
    void CloseOutput();
    std::string ResolveDeviceName(int deviceId) const;

    CWavWriter::Format m_format;

    std::unique_ptr<kplatform::CCountingSemaphore> m_semaphore;
    std::unique_ptr<kplatform::IAudioOutput> m_output;
    std::array<std::vector<uint8_t>, kBufferCount> m_buffers;
    size_t m_bufferIndex = 0;
    size_t m_bufferFill = 0;
    bool m_waitBeforeFill = true;
    OutputFactory m_outputFactory;
    std::string m_deviceName;

    // One file at a time: the recording being written or the file being played. The device thread
    // appends while the GUI thread starts and stops, so the files have a lock of their own.
    std::mutex m_wavMutex;
    CWavWriter m_recordFile;
    CWavReader m_playFile;

    // Set from the GUI thread while the device thread plays.
    std::atomic<bool> m_useAgc{true};
    std::atomic<double> m_fixedGain{kDefaultFixedGain};
    std::atomic<double> m_agcGain{0.0};
    int32_t m_agcPeriod = 1;
    int32_t m_agcCounter = 0;
    double m_runMax = -8388608.0;
    double m_runMin = 8388608.0;

    std::atomic<bool> m_outputOn{false};
    std::atomic<bool> m_playing{false};
    std::atomic<bool> m_recording{false};
    std::atomic<bool> m_rangeSoundOn{false};
    int m_deviceId = -1;
    int m_rate = 0;
    int m_savedRate = 0;

    CDeclicker m_declicker;
};
