#pragma once

// A library core that passes every operation on to another core. The tests' cores derive from it and
// override only what they record, count or script, so the rest behaves as the library does.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "kelthar.h"

class CForwardingCore : public IKelthar
{
public:
    // Forwards to a library core of its own.
    CForwardingCore() : m_owned(NewLibraryCore()), m_real(m_owned.get()) {}
    // Forwards to `real`, which the caller keeps alive.
    explicit CForwardingCore(IKelthar* real) : m_real(real) {}

    bool GetInterface(int id, void** out) override { return m_real->GetInterface(id, out); }
    bool Connect(const std::string& name, int a, int b) override { return m_real->Connect(name, a, b); }
    void Disconnect() override { m_real->Disconnect(); }
    int GetState() override { return m_real->GetState(); }
    void SetState(int state) override { m_real->SetState(state); }
    bool SendGeneratorParams(const uint8_t* block) override { return m_real->SendGeneratorParams(block); }
    bool SetGeneratorOn(bool on) override { return m_real->SetGeneratorOn(on); }
    bool ReadData(std::vector<uint8_t>& block, uint64_t time, int* byteCount) override
    {
        return m_real->ReadData(block, time, byteCount);
    }
    void SetFlags(bool set, uint32_t mask) override { m_real->SetFlags(set, mask); }
    void SetFhssMode(int mode) override { m_real->SetFhssMode(mode); }
    bool SendBlock(std::vector<uint8_t>& command, std::vector<uint8_t>& reply, int& frameOffset) override
    {
        return m_real->SendBlock(command, reply, frameOffset);
    }
    uint32_t GetBlockLength() override { return m_real->GetBlockLength(); }
    bool ProcessBlock(const std::vector<uint8_t>& block, std::vector<double>& out1,
                      std::vector<double>& out2) override
    {
        return m_real->ProcessBlock(block, out1, out2);
    }
    bool ProcessDemod(const std::vector<uint8_t>& block, std::vector<std::vector<double>>& i,
                      std::vector<std::vector<double>>& q, std::vector<std::vector<double>>& audio) override
    {
        return m_real->ProcessDemod(block, i, q, audio);
    }
    double GetChannelOscCorr0() override { return m_real->GetChannelOscCorr0(); }
    double GetChannelOscCorr1() override { return m_real->GetChannelOscCorr1(); }
    double GetChannelOscCorr2() override { return m_real->GetChannelOscCorr2(); }
    bool IsDemoMode() override { return m_real->IsDemoMode(); }
    void SetDemoMode(bool on) override { m_real->SetDemoMode(on); }
    void RequestRange(double value1, double value2, double value3, int code) override
    {
        m_real->RequestRange(value1, value2, value3, code);
    }
    bool IsSkipPending() override { return m_real->IsSkipPending(); }
    void SetSkipPending(bool pending) override { m_real->SetSkipPending(pending); }
    int GetRangeFftSize() override { return m_real->GetRangeFftSize(); }
    int GetDdcFftSize() override { return m_real->GetDdcFftSize(); }
    int GetOverloadState() override { return m_real->GetOverloadState(); }
    const KELTHAR_COUNTERS* GetCounters() override { return m_real->GetCounters(); }
    void TakeDdcSampleCounters(int* max, int* lost) override { m_real->TakeDdcSampleCounters(max, lost); }
    bool IsProbeCheckOff() override { return m_real->IsProbeCheckOff(); }
    void SetIgnoreProbeIdent(bool ignore) override { m_real->SetIgnoreProbeIdent(ignore); }
    bool IsConnected() override { return m_real->IsConnected(); }
    uint8_t GetProbeStatus() override { return m_real->GetProbeStatus(); }
    uint8_t GetProbeStatus2() override { return m_real->GetProbeStatus2(); }
    const KELTHAR_COUNTERS2* GetCounters2() override { return m_real->GetCounters2(); }

private:
    static IKelthar* NewLibraryCore()
    {
        IKelthar* core = nullptr;
        FPGAQueryInterface(&core);
        return core;
    }

    std::unique_ptr<IKelthar> m_owned;

protected:
    IKelthar* const m_real;
};
