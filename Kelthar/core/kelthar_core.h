#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "connection.h"
#include "controlbits.h"
#include "ddcwavwriter.h"
#include "demodulator.h"
#include "demosignal.h"
#include "frontendcommands.h"
#include "frontendlatch.h"
#include "generatortransmit.h"
#include "ikelthar.h"
#include "noisequality.h"
#include "overloadcontrol.h"
#include "sdrlink.h"
#include "signalrecorder.h"
#include "signalsarchive.h"
#include "soundengine.h"
#include "templates.h"
#include "videoengine.h"

// The device core. It owns the board connection, the control state, the demo signal and the
// demodulator; the links to the hardware (SDR, front-end unit) are process-wide and shared with every
// other core. The core starts no thread: every call runs on its caller's thread.
//
// The data path: ReadData fills one acquisition block (from the SDR, the demo signal or a playing
// recording, and writes it to the recording while the recorder records), then ProcessBlock turns its
// sweep part into sample vectors and ProcessDemod its DDC part into I, Q and audio chunks, handing
// the samples on to the sound engine, the DDC WAV writer and the video engine as it goes.
class CKelthar : public IKelthar
{
public:
    // Flag word bits of SetFlags.
    static constexpr uint32_t kFlagFhss = 1;
    static constexpr uint32_t kFlagDdcOff = 2;
    static constexpr uint32_t kFlagSweepOff = 4;

    // Block layout: the sweep part of 4-byte I/Q samples, then B DDC blocks of 4096 6-byte samples.
    static constexpr size_t kSweepSamples = 32768;
    static constexpr size_t kSweepBytes = 4 * kSweepSamples;
    static constexpr size_t kDdcChunkSamples = 4096;
    static constexpr size_t kDdcBlockBytes = 6 * kDdcChunkSamples;
    // With range sound on, a block carries this many DDC samples before decimation, in blocks of 4096.
    static constexpr int kRangeSoundRawBlocks = 700;

    CKelthar();
    ~CKelthar() override;
    CKelthar(const CKelthar&) = delete;
    CKelthar& operator=(const CKelthar&) = delete;

    bool GetInterface(int id, void** out) override;

    bool Connect(const std::string& name, int valueA, int valueB) override;
    void Disconnect() override;
    int GetState() override;
    void SetState(int state) override;
    bool SendGeneratorParams(const uint8_t* block) override;
    bool SetGeneratorOn(bool on) override;
    bool ReadData(std::vector<uint8_t>& block, uint64_t time, int* byteCount) override;
    void SetFlags(bool set, uint32_t mask) override;
    void SetFhssMode(int mode) override;
    bool SendBlock(std::vector<uint8_t>& command, std::vector<uint8_t>& reply, int& frameOffset) override;
    uint32_t GetBlockLength() override;
    bool ProcessBlock(const std::vector<uint8_t>& block, std::vector<double>& out1,
                      std::vector<double>& out2) override;
    bool ProcessDemod(const std::vector<uint8_t>& block, std::vector<std::vector<double>>& i,
                      std::vector<std::vector<double>>& q, std::vector<std::vector<double>>& audio) override;
    double GetChannelOscCorr0() override;
    double GetChannelOscCorr1() override;
    double GetChannelOscCorr2() override;
    bool IsDemoMode() override;
    void SetDemoMode(bool on) override;
    void RequestRange(double value1, double value2, double value3, int code) override;
    bool IsSkipPending() override;
    void SetSkipPending(bool pending) override;
    int GetRangeFftSize() override;
    int GetDdcFftSize() override;
    int GetOverloadState() override;
    const KELTHAR_COUNTERS* GetCounters() override;
    void TakeDdcSampleCounters(int* max, int* lost) override;
    bool IsProbeCheckOff() override;
    void SetIgnoreProbeIdent(bool ignore) override;
    bool IsConnected() override;
    uint8_t GetProbeStatus() override;
    uint8_t GetProbeStatus2() override;
    const KELTHAR_COUNTERS2* GetCounters2() override;

    // --- Internal operations of the library (tests, benchmarks) ---

    // Bytes of the sweep part: 131072, or 4 x FHSS block size x refill count while FHSS capture is on.
    size_t SweepPartBytes() const;
    // DDC blocks per acquisition block: 700 / decimation with range sound on (0 once the decimation is
    // above 700), else 1.
    static int DdcBlockCount(int decimation, bool rangeSoundOn);

    // Seen by tests: the request is stored and nothing reads it back.
    bool IsRangeRequested() const { return m_rangeRequested; }
    IConnection& Connection() { return *m_connection; }
    void SetConnection(std::unique_ptr<IConnection> connection) { m_connection = std::move(connection); }
    CControlBits& ControlBits() { return m_controlBits; }
    CDemoSignal& DemoSignal() { return m_demoSignal; }
    CSoundEngine& SoundEngine() { return m_soundEngine; }
    // Null before Connect (outside demo mode) and after Disconnect.
    const CDemodulator* Demodulator() const { return m_demodulator.get(); }
    void SetFrontEndCommands(std::unique_ptr<IFrontEndCommands> commands)
    {
        m_frontEnd = std::move(commands);
    }
    const SDR_STREAM_CONFIG& ReceiveConfig() const { return m_rxConfig; }
    const SDR_STREAM_CONFIG& TransmitConfig() const { return m_generator.Config(); }
    // The core's copy of the generator block.
    const uint8_t* GeneratorBlock() const { return m_generator.Block(); }
    // Null until this core has brought the SDR link up.
    const CPlainFft* PlainFft() const { return m_generator.PlainFft(); }
    uint32_t GetSweepCounter() const { return m_sweepCounter; }
    uint32_t GetRangeBufferRecreations() const { return m_rangeBufferRecreations; }
    uint32_t GetDdcBufferRecreations() const { return m_ddcBufferRecreations; }
    // The demodulator step adds the current channel's I, Q and audio offsets to its chunks while
    // applyOffsets is set, and walks the I and Q offsets towards a zero mean while automatic is set. The
    // control state carries no switch for either, so both stay off unless set here.
    void SetDcOffsetCorrection(bool applyOffsets, bool automatic);

private:
    static constexpr int kRangeFftSize = 32768;
    static constexpr int kDdcFftSize = 4096;
    static constexpr int kAccumulatorLength = static_cast<int>(kDdcChunkSamples);

    // The SDR half of ReadData, after the demo and front-end checks.
    bool ReadFromSdr(std::vector<uint8_t>& block, int* byteCount);
    // The microwave synthesizer's next step, or the operator's one-off selection.
    void StepSynthesizer();
    // LO steps of one sweep (a power of two).
    int SweepSteps();
    bool Sweep(std::vector<uint8_t>& block, size_t sweepBytes, int steps, int commutator, int* byteCount);
    bool ReadDdc(std::vector<uint8_t>& block, size_t sweepBytes, int decimation, int blocks, int* byteCount);
    // Offsets, sums and scale of one complete chunk held in the accumulators.
    void FinishChunk(size_t chunk, double scale);
    // Reopens the sound output when the DDC sample rate changed since the last block.
    void FollowSampleRate();
    // One audio value for the sound engine; demo mode plays two steady tones instead.
    void FeedSound(double value);
    // While a recording plays or is paused it stands in for the hardware: true when it answered this
    // read, with the read's result in *result.
    bool ReadFromRecording(std::vector<uint8_t>& block, uint64_t time, bool* result);
    // While recording, every acquired block goes into the recording.
    void RecordBlock(const std::vector<uint8_t>& block, uint64_t time);

    // The generator block, the transmit settings and the generator's FFT.
    CGeneratorTransmit m_generator;

    // Overload state and automatic gain of the sweep step.
    COverloadControl m_overload;

    std::unique_ptr<IConnection> m_connection;
    // Declared ahead of the service objects: built before them and destroyed after them.
    CControlBits m_controlBits;
    CSoundEngine m_soundEngine;
    CSignalRecorder m_recorder{L"adf1"};
    CSignalsArchive m_archive;
    CVideoEngine m_videoEngine;
    CNoiseQuality m_noiseQuality;
    CDdcWavWriter m_ddcWavWriter;
    CTemplates m_templates;
    CDemoSignal m_demoSignal;
    std::unique_ptr<CDemodulator> m_demodulator;
    std::unique_ptr<IFrontEndCommands> m_frontEnd;

    KELTHAR_COUNTERS m_counters;
    bool m_demoMode = false;
    bool m_rangeRequested = false;
    double m_rangeRequest[3] = {1.0, 1.0, 1.0};
    int32_t m_rangeRequestCode = 0;

    std::string m_deviceName;
    int32_t m_connectA = 0;
    int32_t m_connectB = 0;

    std::vector<std::vector<double>> m_accumulators[3];

    int32_t m_ddcChunkSample = 0;
    int32_t m_ddcChunkCount = 0;
    // Sums of I and Q over the last complete chunk, offsets included.
    int64_t m_demodSumI = 0;
    int64_t m_demodSumQ = 0;
    uint32_t m_ddcSamplesMax = 0;
    uint32_t m_ddcSamplesLost = 0;
    bool m_applyDcOffsets = false;
    bool m_automaticDc = false;
    // The DDC sample rate the sound output was last opened for, the count of audio values of which every
    // second one sounds, and the phases of the two demo tones.
    double m_lastSampleRate = 0.0;
    uint32_t m_audioValueCount = 0;
    int32_t m_demoTonePhase[2] = {0, 0};

    KELTHAR_COUNTERS2 m_counters2;
    bool m_ignoreProbeIdent = false;

    SDR_STREAM_CONFIG m_rxConfig;

    uint32_t m_flags = 0;
    int32_t m_fhssMode = 0;
    int32_t m_fhssBlockSamples = 65536;
    int32_t m_fhssRefillCount = 32;

    uint32_t m_rangeBufferRecreations = 0;
    uint32_t m_ddcBufferRecreations = 0;

    // Last settings sent to the front-end unit: the latch (the serial commands keep it) and the
    // commutator.
    FRONTEND_LATCH m_frontEndLatch;
    int32_t m_lastCommutator = 0;

    uint32_t m_sweepCounter = 1;
};
