#include "inprocessiiobackend.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

struct CInProcessIioBackend::Channel
{
    std::string device;
    std::string id;
    bool output = false;
    // Streaming channels carry samples; the PHY's channels only take attribute writes.
    bool streaming = false;
    // Position of the channel's int16 within a sample.
    int slot = 0;
    bool enabled = false;
};

struct CInProcessIioBackend::Device
{
    std::string name;
    std::vector<std::unique_ptr<Channel>> channels;
};

struct CInProcessIioBackend::Context
{
    std::vector<std::unique_ptr<Device>> devices;
};

struct CInProcessIioBackend::Buffer
{
    Device* device = nullptr;
    bool cyclic = false;
    size_t samples = 0;
    // I then Q, int16 each, sample after sample.
    std::vector<int16_t> data;
};

namespace
{
constexpr ptrdiff_t kSampleBytes = 4;

template <typename Handle, typename Object>
Handle* ToHandle(Object* object)
{
    return reinterpret_cast<Handle*>(object);
}

std::string ChannelKey(const std::string& device, const std::string& channel, bool output)
{
    return device + (output ? " out " : " in ") + channel;
}
}  // namespace

bool CInProcessIioBackend::AttrWrite::operator==(const AttrWrite& other) const
{
    return device == other.device && channel == other.channel && output == other.output &&
           attr == other.attr && value == other.value;
}

CInProcessIioBackend::CInProcessIioBackend() = default;
CInProcessIioBackend::~CInProcessIioBackend() = default;

void CInProcessIioBackend::SetContextError(int error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_contextError = error;
}

void CInProcessIioBackend::RemoveDevice(const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_removedDevices.push_back(name);
}

void CInProcessIioBackend::RemoveChannel(const std::string& device, const std::string& channel, bool output)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_removedChannels.push_back(ChannelKey(device, channel, output));
}

void CInProcessIioBackend::SetAttrError(const std::string& attr, int error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (error == 0)
        m_attrErrors.erase(attr);
    else
        m_attrErrors[attr] = error;
}

void CInProcessIioBackend::SetRefillError(int error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_refillError = error;
}

void CInProcessIioBackend::SetBufferError(int error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bufferError = error;
}

void CInProcessIioBackend::SetRxSamples(std::vector<int16_t> iq)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (iq.size() % 2 != 0)
        iq.pop_back();
    m_rxSamples = std::move(iq);
    m_rxPosition = 0;
}

std::vector<CInProcessIioBackend::AttrWrite> CInProcessIioBackend::Writes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_writes;
}

std::vector<std::string> CInProcessIioBackend::Log() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_log;
}

void CInProcessIioBackend::ClearLog()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_log.clear();
    m_writes.clear();
}

int CInProcessIioBackend::LiveContexts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_contexts.size());
}

int CInProcessIioBackend::LiveBuffers() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_buffers.size());
}

int CInProcessIioBackend::BuffersCreated() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_buffersCreated;
}

int CInProcessIioBackend::Refills() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_refills;
}

bool CInProcessIioBackend::IsChannelEnabled(const std::string& device, const std::string& channel,
                                            bool output) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& context : m_contexts)
        for (const auto& dev : context->devices)
            for (const auto& chn : dev->channels)
                if (dev->name == device && chn->id == channel && chn->output == output && chn->enabled)
                    return true;
    return false;
}

std::vector<int16_t> CInProcessIioBackend::LastPushed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastPushed;
}

std::string CInProcessIioBackend::Describe(const Channel& channel)
{
    return channel.device + (channel.output ? " out " : " in ") + channel.id;
}

IioContext* CInProcessIioBackend::CreateContext(const std::string& uri)
{
    (void)uri;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_contextError != 0)
    {
        m_log.push_back("context refused");
        errno = m_contextError;
        return nullptr;
    }
    struct ChannelLayout
    {
        const char* id;
        bool output;
        bool streaming;
        int slot;
    };
    struct DeviceLayout
    {
        const char* name;
        std::vector<ChannelLayout> channels;
    };
    const DeviceLayout layout[] = {
        {"ad9361-phy",
         {{"voltage0", false, false, 0},
          {"voltage0", true, false, 0},
          {"altvoltage0", true, false, 0},
          {"altvoltage1", true, false, 0}}},
        {"cf-ad9361-lpc", {{"voltage0", false, true, 0}, {"voltage1", false, true, 1}}},
        {"cf-ad9361-dds-core-lpc", {{"voltage0", true, true, 0}, {"voltage1", true, true, 1}}},
    };
    auto context = std::make_unique<Context>();
    for (const auto& deviceLayout : layout)
    {
        if (std::find(m_removedDevices.begin(), m_removedDevices.end(), deviceLayout.name) !=
            m_removedDevices.end())
            continue;
        auto device = std::make_unique<Device>();
        device->name = deviceLayout.name;
        for (const auto& entry : deviceLayout.channels)
        {
            const std::string key = ChannelKey(device->name, entry.id, entry.output);
            if (std::find(m_removedChannels.begin(), m_removedChannels.end(), key) != m_removedChannels.end())
                continue;
            auto channel = std::make_unique<Channel>();
            channel->device = device->name;
            channel->id = entry.id;
            channel->output = entry.output;
            channel->streaming = entry.streaming;
            channel->slot = entry.slot;
            device->channels.push_back(std::move(channel));
        }
        context->devices.push_back(std::move(device));
    }
    m_contexts.push_back(std::move(context));
    m_log.push_back("context");
    return ToHandle<IioContext>(m_contexts.back().get());
}

void CInProcessIioBackend::DestroyContext(IioContext* context)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto* object = reinterpret_cast<Context*>(context);
    auto found = std::find_if(m_contexts.begin(), m_contexts.end(),
                              [object](const std::unique_ptr<Context>& c) { return c.get() == object; });
    if (found == m_contexts.end())
        return;
    // Buffers die with their context, as they do in libiio.
    m_buffers.erase(std::remove_if(m_buffers.begin(), m_buffers.end(),
                                   [&](const std::unique_ptr<Buffer>& b)
                                   {
                                       return std::any_of((*found)->devices.begin(), (*found)->devices.end(),
                                                          [&](const std::unique_ptr<Device>& d)
                                                          { return d.get() == b->device; });
                                   }),
                    m_buffers.end());
    m_contexts.erase(found);
    m_log.push_back("context destroyed");
}

unsigned int CInProcessIioBackend::GetDevicesCount(IioContext* context)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return context ? static_cast<unsigned int>(reinterpret_cast<Context*>(context)->devices.size()) : 0;
}

IioDevice* CInProcessIioBackend::FindDevice(IioContext* context, const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (context == nullptr)
        return nullptr;
    for (const auto& device : reinterpret_cast<Context*>(context)->devices)
        if (device->name == name)
            return ToHandle<IioDevice>(device.get());
    return nullptr;
}

IioChannel* CInProcessIioBackend::FindChannel(IioDevice* device, const std::string& name, bool output)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (device == nullptr)
        return nullptr;
    for (const auto& channel : reinterpret_cast<Device*>(device)->channels)
        if (channel->id == name && channel->output == output)
            return ToHandle<IioChannel>(channel.get());
    return nullptr;
}

void CInProcessIioBackend::EnableChannel(IioChannel* channel)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (channel == nullptr)
        return;
    auto* object = reinterpret_cast<Channel*>(channel);
    object->enabled = true;
    m_log.push_back("enable " + Describe(*object));
}

void CInProcessIioBackend::DisableChannel(IioChannel* channel)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (channel == nullptr)
        return;
    auto* object = reinterpret_cast<Channel*>(channel);
    object->enabled = false;
    m_log.push_back("disable " + Describe(*object));
}

ssize_t CInProcessIioBackend::WriteLocked(Channel* channel, const std::string& attr, const std::string& value)
{
    if (channel == nullptr)
        return -ENOENT;
    m_writes.push_back({channel->device, channel->id, channel->output, attr, value});
    m_log.push_back("write " + Describe(*channel) + " " + attr + "=" + value);
    auto error = m_attrErrors.find(attr);
    if (error != m_attrErrors.end())
        return -error->second;
    return static_cast<ssize_t>(value.size() + 1);
}

ssize_t CInProcessIioBackend::WriteChannelAttr(IioChannel* channel, const std::string& attr,
                                               const std::string& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return WriteLocked(reinterpret_cast<Channel*>(channel), attr, value);
}

int CInProcessIioBackend::WriteChannelAttrLongLong(IioChannel* channel, const std::string& attr,
                                                   long long value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const ssize_t result = WriteLocked(reinterpret_cast<Channel*>(channel), attr, std::to_string(value));
    return result < 0 ? static_cast<int>(result) : 0;
}

IioBuffer* CInProcessIioBackend::CreateBuffer(IioDevice* device, size_t samples, bool cyclic)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto* object = reinterpret_cast<Device*>(device);
    if (object == nullptr)
    {
        errno = ENODEV;
        return nullptr;
    }
    const bool anyEnabled =
        std::any_of(object->channels.begin(), object->channels.end(),
                    [](const std::unique_ptr<Channel>& c) { return c->streaming && c->enabled; });
    if (m_bufferError != 0 || !anyEnabled || samples == 0)
    {
        errno = m_bufferError != 0 ? m_bufferError : EINVAL;
        return nullptr;
    }
    auto buffer = std::make_unique<Buffer>();
    buffer->device = object;
    buffer->cyclic = cyclic;
    buffer->samples = samples;
    buffer->data.assign(samples * 2, 0);
    m_buffers.push_back(std::move(buffer));
    ++m_buffersCreated;
    m_log.push_back("create " + object->name + " " + std::to_string(samples) + (cyclic ? " cyclic" : ""));
    return ToHandle<IioBuffer>(m_buffers.back().get());
}

void CInProcessIioBackend::DestroyBuffer(IioBuffer* buffer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto* object = reinterpret_cast<Buffer*>(buffer);
    auto found = std::find_if(m_buffers.begin(), m_buffers.end(),
                              [object](const std::unique_ptr<Buffer>& b) { return b.get() == object; });
    if (found == m_buffers.end())
        return;
    m_log.push_back("destroy " + object->device->name);
    m_buffers.erase(found);
}

ssize_t CInProcessIioBackend::RefillBuffer(IioBuffer* buffer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto* object = reinterpret_cast<Buffer*>(buffer);
    if (object == nullptr)
        return -ENOENT;
    ++m_refills;
    m_log.push_back("refill " + object->device->name);
    if (m_refillError != 0)
        return -m_refillError;
    int16_t* out = object->data.data();
    size_t remaining = object->data.size();
    if (m_rxSamples.empty())
    {
        std::fill(out, out + remaining, int16_t{0});
    }
    else
    {
        // Copy in runs up to the script's end, wrapping to its start.
        while (remaining > 0)
        {
            const size_t run = std::min(remaining, m_rxSamples.size() - m_rxPosition);
            std::memcpy(out, m_rxSamples.data() + m_rxPosition, run * sizeof(int16_t));
            out += run;
            remaining -= run;
            m_rxPosition = (m_rxPosition + run) % m_rxSamples.size();
        }
    }
    return static_cast<ssize_t>(object->samples) * kSampleBytes;
}

ssize_t CInProcessIioBackend::PushBuffer(IioBuffer* buffer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto* object = reinterpret_cast<Buffer*>(buffer);
    if (object == nullptr)
        return -ENOENT;
    m_log.push_back("push " + object->device->name);
    m_lastPushed = object->data;
    return static_cast<ssize_t>(object->samples) * kSampleBytes;
}

uint8_t* CInProcessIioBackend::BufferFirst(IioBuffer* buffer, IioChannel* channel)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto* object = reinterpret_cast<Buffer*>(buffer);
    auto* chn = reinterpret_cast<Channel*>(channel);
    if (object == nullptr || chn == nullptr)
        return nullptr;
    return reinterpret_cast<uint8_t*>(object->data.data()) + chn->slot * sizeof(int16_t);
}

ptrdiff_t CInProcessIioBackend::BufferStep(IioBuffer* buffer)
{
    return buffer ? kSampleBytes : 0;
}

uint8_t* CInProcessIioBackend::BufferEnd(IioBuffer* buffer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto* object = reinterpret_cast<Buffer*>(buffer);
    if (object == nullptr)
        return nullptr;
    return reinterpret_cast<uint8_t*>(object->data.data() + object->data.size());
}
