#pragma once

// A real library core whose generator calls are recorded: every block handed to
// SendGeneratorParams is kept, and the result of the send is chosen by the test.

#include <array>
#include <memory>
#include <vector>

#include "kelthar.h"

class CGeneratorCore : public IKelthar
{
public:
    CGeneratorCore()
    {
        IKelthar* core = nullptr;
        FPGAQueryInterface(&core);
        m_core.reset(core);
    }

    std::vector<std::array<uint8_t, sizeof(GENERATOR_PARAMS)>> sent;
    bool sendResult = true;

    bool SendGeneratorParams(const uint8_t* block) override
    {
        std::array<uint8_t, sizeof(GENERATOR_PARAMS)> copy{};
        std::copy(block, block + copy.size(), copy.begin());
        sent.push_back(copy);
        return sendResult;
    }
    bool SetGeneratorOn(bool on) override { return m_core->SetGeneratorOn(on); }

    bool GetInterface(int id, void** out) override { return m_core->GetInterface(id, out); }
    bool Connect(const std::string& name, int a, int b) override { return m_core->Connect(name, a, b); }
    void Disconnect() override { m_core->Disconnect(); }
    int GetState() override { return m_core->GetState(); }
    void SetState(int state) override { m_core->SetState(state); }
    bool ReadData(std::vector<uint8_t>& block, uint64_t time, int* byteCount) override
    {
        return m_core->ReadData(block, time, byteCount);
    }
    void SetFlags(bool set, uint32_t mask) override { m_core->SetFlags(set, mask); }
    void SetFhssMode(int mode) override { m_core->SetFhssMode(mode); }
    bool SendBlock(std::vector<uint8_t>& command, std::vector<uint8_t>& reply, int& frameOffset) override
    {
        return m_core->SendBlock(command, reply, frameOffset);
    }
    uint32_t GetBlockLength() override { return m_core->GetBlockLength(); }
    bool ProcessBlock(const std::vector<uint8_t>& block, std::vector<double>& out1,
                      std::vector<double>& out2) override
    {
        return m_core->ProcessBlock(block, out1, out2);
    }
    bool ProcessDemod(const std::vector<uint8_t>& block, std::vector<std::vector<double>>& i,
                      std::vector<std::vector<double>>& q, std::vector<std::vector<double>>& audio) override
    {
        return m_core->ProcessDemod(block, i, q, audio);
    }
    double GetChannelOscCorr0() override { return m_core->GetChannelOscCorr0(); }
    double GetChannelOscCorr1() override { return m_core->GetChannelOscCorr1(); }
    double GetChannelOscCorr2() override { return m_core->GetChannelOscCorr2(); }
    bool IsDemoMode() override { return m_core->IsDemoMode(); }
    void SetDemoMode(bool on) override { m_core->SetDemoMode(on); }
    void RequestRange(double v1, double v2, double v3, int code) override
    {
        m_core->RequestRange(v1, v2, v3, code);
    }
    bool IsSkipPending() override { return m_core->IsSkipPending(); }
    void SetSkipPending(bool pending) override { m_core->SetSkipPending(pending); }
    int GetRangeFftSize() override { return m_core->GetRangeFftSize(); }
    int GetDdcFftSize() override { return m_core->GetDdcFftSize(); }
    int GetOverloadState() override { return m_core->GetOverloadState(); }
    const KELTHAR_COUNTERS* GetCounters() override { return m_core->GetCounters(); }
    void TakeDdcSampleCounters(int* max, int* lost) override { m_core->TakeDdcSampleCounters(max, lost); }
    bool IsProbeCheckOff() override { return m_core->IsProbeCheckOff(); }
    void SetIgnoreProbeIdent(bool ignore) override { m_core->SetIgnoreProbeIdent(ignore); }
    bool IsConnected() override { return m_core->IsConnected(); }
    uint8_t GetProbeStatus() override { return m_core->GetProbeStatus(); }
    uint8_t GetProbeStatus2() override { return m_core->GetProbeStatus2(); }
    const KELTHAR_COUNTERS2* GetCounters2() override { return m_core->GetCounters2(); }

private:
    std::unique_ptr<IKelthar> m_core;
};
