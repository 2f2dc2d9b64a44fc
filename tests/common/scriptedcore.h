#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forwardingcore.h"

// A device core for the device thread's tests: a real library core underneath (so every interface
// the thread binds is the library's own), with the operations that touch the device answered by
// scripts. An operation without a script goes to the real core; the device state is kept here so a
// test can put the loop in any state. Counters record what the thread asked for.
class CScriptedCore : public CForwardingCore
{
public:
    std::function<bool(std::vector<uint8_t>&, int*)> readData;
    std::function<bool(std::vector<double>&, std::vector<double>&)> processBlock;
    std::function<bool(std::vector<std::vector<double>>&, std::vector<std::vector<double>>&,
                       std::vector<std::vector<double>>&)>
        processDemod;
    std::function<bool(std::vector<uint8_t>&, std::vector<uint8_t>&, int&)> sendBlock;
    std::function<bool()> connect;

    std::atomic<bool> demoMode{false};
    std::atomic<bool> skipPending{false};
    std::atomic<int> state{0};
    std::atomic<int> readCount{0};
    std::atomic<int> connectCount{0};
    std::atomic<int> sendCount{0};

    bool Connect(const std::string& name, int valueA, int valueB) override
    {
        ++connectCount;
        if (connect)
            return connect();
        (void)name;
        (void)valueA;
        (void)valueB;
        return false;
    }
    void Disconnect() override {}
    int GetState() override { return state; }
    void SetState(int newState) override { state = newState; }
    bool ReadData(std::vector<uint8_t>& block, uint64_t time, int* byteCount) override
    {
        ++readCount;
        if (readData)
            return readData(block, byteCount);
        return m_real->ReadData(block, time, byteCount);
    }
    bool SendBlock(std::vector<uint8_t>& command, std::vector<uint8_t>& reply, int& frameOffset) override
    {
        ++sendCount;
        return sendBlock ? sendBlock(command, reply, frameOffset) : false;
    }
    bool ProcessBlock(const std::vector<uint8_t>& block, std::vector<double>& out1,
                      std::vector<double>& out2) override
    {
        if (processBlock)
            return processBlock(out1, out2);
        return m_real->ProcessBlock(block, out1, out2);
    }
    bool ProcessDemod(const std::vector<uint8_t>& block, std::vector<std::vector<double>>& i,
                      std::vector<std::vector<double>>& q, std::vector<std::vector<double>>& audio) override
    {
        if (processDemod)
            return processDemod(i, q, audio);
        return m_real->ProcessDemod(block, i, q, audio);
    }
    bool IsDemoMode() override { return demoMode; }
    void SetDemoMode(bool on) override { demoMode = on; }
    bool IsSkipPending() override { return skipPending; }
    void SetSkipPending(bool pending) override { skipPending = pending; }
};
