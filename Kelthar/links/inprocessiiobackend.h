#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "iiobackend.h"

// A transceiver inside the process, for tests and benchmarks: the three devices of the real one with
// their channels, every attribute write and buffer operation recorded, receive samples served from a
// script, pushed transmit samples kept, and failures on request. Thread-safe: the device thread may
// stream while a test inspects it.
class CInProcessIioBackend : public IIioBackend
{
public:
    struct AttrWrite
    {
        std::string device;
        std::string channel;
        bool output = false;
        std::string attr;
        std::string value;

        bool operator==(const AttrWrite& other) const;
    };

    // ad9361-phy (voltage0 in and out, altvoltage0 and altvoltage1 out), cf-ad9361-lpc (voltage0 and
    // voltage1 in) and cf-ad9361-dds-core-lpc (voltage0 and voltage1 out).
    CInProcessIioBackend();
    ~CInProcessIioBackend() override;

    // --- Script ---

    // CreateContext fails with this errno (0: it succeeds).
    void SetContextError(int error);
    // Later contexts lack the device.
    void RemoveDevice(const std::string& name);
    // Later contexts lack the channel.
    void RemoveChannel(const std::string& device, const std::string& channel, bool output);
    // Writes of the attribute fail with -error (0: they succeed again).
    void SetAttrError(const std::string& attr, int error);
    // Refills fail with -error (0: they succeed).
    void SetRefillError(int error);
    // Buffer creation fails with this errno (0: it succeeds).
    void SetBufferError(int error);
    // Receive samples as interleaved I, Q pairs, served cyclically: each refill continues where the last
    // one stopped. Empty (the default) serves zeros.
    void SetRxSamples(std::vector<int16_t> iq);

    // --- Record ---

    std::vector<AttrWrite> Writes() const;
    // Every operation in order, one line each: "write <device> <in|out> <channel> <attr>=<value>",
    // "enable <device> <in|out> <channel>", "disable ...", "create <device> <samples>[ cyclic]",
    // "refill <device>", "push <device>", "destroy <device>", "context", "context refused",
    // "context destroyed".
    std::vector<std::string> Log() const;
    void ClearLog();
    int LiveContexts() const;
    int LiveBuffers() const;
    int BuffersCreated() const;
    int Refills() const;
    bool IsChannelEnabled(const std::string& device, const std::string& channel, bool output) const;
    // The interleaved I, Q values of the last push.
    std::vector<int16_t> LastPushed() const;

    // --- IIioBackend ---

    IioContext* CreateContext(const std::string& uri) override;
    void DestroyContext(IioContext* context) override;
    unsigned int GetDevicesCount(IioContext* context) override;
    IioDevice* FindDevice(IioContext* context, const std::string& name) override;
    IioChannel* FindChannel(IioDevice* device, const std::string& name, bool output) override;
    void EnableChannel(IioChannel* channel) override;
    void DisableChannel(IioChannel* channel) override;
    ssize_t WriteChannelAttr(IioChannel* channel, const std::string& attr, const std::string& value) override;
    int WriteChannelAttrLongLong(IioChannel* channel, const std::string& attr, long long value) override;
    IioBuffer* CreateBuffer(IioDevice* device, size_t samples, bool cyclic) override;
    void DestroyBuffer(IioBuffer* buffer) override;
    ssize_t RefillBuffer(IioBuffer* buffer) override;
    ssize_t PushBuffer(IioBuffer* buffer) override;
    uint8_t* BufferFirst(IioBuffer* buffer, IioChannel* channel) override;
    ptrdiff_t BufferStep(IioBuffer* buffer) override;
    uint8_t* BufferEnd(IioBuffer* buffer) override;

private:
    struct Channel;
    struct Device;
    struct Context;
    struct Buffer;

    ssize_t WriteLocked(Channel* channel, const std::string& attr, const std::string& value);
    static std::string Describe(const Channel& channel);

    mutable std::mutex m_mutex;
    int m_contextError = 0;
    int m_refillError = 0;
    int m_bufferError = 0;
    std::vector<std::string> m_removedDevices;
    std::vector<std::string> m_removedChannels;
    std::map<std::string, int> m_attrErrors;
    std::vector<int16_t> m_rxSamples;
    size_t m_rxPosition = 0;

    std::vector<AttrWrite> m_writes;
    std::vector<std::string> m_log;
    std::vector<std::unique_ptr<Context>> m_contexts;
    std::vector<std::unique_ptr<Buffer>> m_buffers;
    int m_buffersCreated = 0;
    int m_refills = 0;
    std::vector<int16_t> m_lastPushed;
};
