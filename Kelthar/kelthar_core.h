#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "connection.h"
#include "controlbits.h"
#include "generatorparams.h"
#include "ikelthar.h"

// The device core. It owns the board connection and, as they are built, the control state and the
// service objects; the links to the hardware (SDR, front-end unit) are process-wide and shared with
// every other core. The core starts no thread: every call runs on its caller's thread.
class CKelthar : public IKelthar
{
public:
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

    // Seen by tests: the request is stored and nothing reads it back.
    bool IsRangeRequested() const { return m_rangeRequested; }
    IConnection& Connection() { return *m_connection; }
    CControlBits& ControlBits() { return m_controlBits; }

private:
    static constexpr int kRangeFftSize = 32768;
    static constexpr int kDdcFftSize = 4096;
    static constexpr int kAccumulatorLength = 4096;

    GENERATOR_PARAMS m_generatorParams;

    // Front-end status as the sweep processing sees it.
    int32_t m_overloadMode = 0;
    int32_t m_overloadState = 0;
    uint32_t m_statusWord = 0;
    int32_t m_overloadHold = 0;
    uint8_t m_statusFlag = 0;

    std::unique_ptr<IConnection> m_connection;
    // Declared ahead of the service objects: built before them and destroyed after them.
    CControlBits m_controlBits;

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
    int32_t m_demodMin = 0;
    int32_t m_demodMax = 0;
    int32_t m_demodSumI = 0;
    int32_t m_demodSumQ = 0;
    uint32_t m_ddcSamplesMax = 0;
    uint32_t m_ddcSamplesLost = 0;
    double m_amAverage = 0.0;
    double m_lastSampleRate = 0.0;

    KELTHAR_COUNTERS2 m_counters2;
    bool m_ignoreProbeIdent = false;

    uint32_t m_flags = 0;
    int32_t m_fhssMode = 0;
    int32_t m_fhssBlockSamples = 65536;
    int32_t m_fhssRefillCount = 32;

    uint32_t m_rangeBufferRecreations = 0;
    uint32_t m_ddcBufferRecreations = 0;
    uint32_t m_rxBufferSamples = 0;

    // Last settings sent to the front-end unit; -1 makes the first filter command always go out.
    int32_t m_lastFilterCode = -1;
    int32_t m_lastAmplifierCode = 0;
    int32_t m_lastAttenuatorCode = 0;
    int32_t m_lastAttenuatorLevel = 0;
    int32_t m_lastCommutator = 0;

    uint32_t m_sweepCounter = 1;
    uint32_t m_spare1 = 0;
    uint32_t m_spare2 = 0;
};
