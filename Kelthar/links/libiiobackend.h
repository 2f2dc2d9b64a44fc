#pragma once

#include <map>
#include <mutex>
#include <vector>

#include "iiobackend.h"

// The backend of the product: every call goes to libiio as it stands.
class CLibIioBackend : public IIioBackend
{
public:
    CLibIioBackend() = default;
    ~CLibIioBackend() override;
    CLibIioBackend(const CLibIioBackend&) = delete;
    CLibIioBackend& operator=(const CLibIioBackend&) = delete;

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
    // libiio writes into the URI it is given (it cuts "host:port" apart in place), so each context gets
    // its own writable copy, kept for as long as the context lives.
    std::mutex m_mutex;
    std::map<IioContext*, std::vector<char>> m_uris;
};
