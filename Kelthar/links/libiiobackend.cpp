#include "libiiobackend.h"

#include <iio.h>

#include <cerrno>

namespace
{
iio_context* Native(IioContext* context)
{
    return reinterpret_cast<iio_context*>(context);
}

iio_device* Native(IioDevice* device)
{
    return reinterpret_cast<iio_device*>(device);
}

iio_channel* Native(IioChannel* channel)
{
    return reinterpret_cast<iio_channel*>(channel);
}

iio_buffer* Native(IioBuffer* buffer)
{
    return reinterpret_cast<iio_buffer*>(buffer);
}
}  // namespace

CLibIioBackend::~CLibIioBackend()
{
    // Contexts still open belong to a link that was never shut down; the process is ending.
    for (auto& entry : m_uris)
        iio_context_destroy(Native(entry.first));
}

IioContext* CLibIioBackend::CreateContext(const std::string& uri)
{
    std::vector<char> writable(uri.begin(), uri.end());
    writable.push_back('\0');
    iio_context* context = iio_create_context_from_uri(writable.data());
    if (context == nullptr)
    {
        if (errno == 0)
            errno = ENODEV;
        return nullptr;
    }
    auto* handle = reinterpret_cast<IioContext*>(context);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_uris[handle] = std::move(writable);
    return handle;
}

void CLibIioBackend::DestroyContext(IioContext* context)
{
    if (context == nullptr)
        return;
    iio_context_destroy(Native(context));
    std::lock_guard<std::mutex> lock(m_mutex);
    m_uris.erase(context);
}

unsigned int CLibIioBackend::GetDevicesCount(IioContext* context)
{
    return context ? iio_context_get_devices_count(Native(context)) : 0;
}

IioDevice* CLibIioBackend::FindDevice(IioContext* context, const std::string& name)
{
    if (context == nullptr)
        return nullptr;
    return reinterpret_cast<IioDevice*>(iio_context_find_device(Native(context), name.c_str()));
}

IioChannel* CLibIioBackend::FindChannel(IioDevice* device, const std::string& name, bool output)
{
    if (device == nullptr)
        return nullptr;
    return reinterpret_cast<IioChannel*>(iio_device_find_channel(Native(device), name.c_str(), output));
}

void CLibIioBackend::EnableChannel(IioChannel* channel)
{
    if (channel)
        iio_channel_enable(Native(channel));
}

void CLibIioBackend::DisableChannel(IioChannel* channel)
{
    if (channel)
        iio_channel_disable(Native(channel));
}

ssize_t CLibIioBackend::WriteChannelAttr(IioChannel* channel, const std::string& attr,
                                         const std::string& value)
{
    if (channel == nullptr)
        return -ENOENT;
    return iio_channel_attr_write(Native(channel), attr.c_str(), value.c_str());
}

int CLibIioBackend::WriteChannelAttrLongLong(IioChannel* channel, const std::string& attr, long long value)
{
    if (channel == nullptr)
        return -ENOENT;
    return iio_channel_attr_write_longlong(Native(channel), attr.c_str(), value);
}

IioBuffer* CLibIioBackend::CreateBuffer(IioDevice* device, size_t samples, bool cyclic)
{
    if (device == nullptr)
    {
        errno = ENODEV;
        return nullptr;
    }
    return reinterpret_cast<IioBuffer*>(iio_device_create_buffer(Native(device), samples, cyclic));
}

void CLibIioBackend::DestroyBuffer(IioBuffer* buffer)
{
    if (buffer)
        iio_buffer_destroy(Native(buffer));
}

ssize_t CLibIioBackend::RefillBuffer(IioBuffer* buffer)
{
    return buffer ? iio_buffer_refill(Native(buffer)) : -ENOENT;
}

ssize_t CLibIioBackend::PushBuffer(IioBuffer* buffer)
{
    return buffer ? iio_buffer_push(Native(buffer)) : -ENOENT;
}

uint8_t* CLibIioBackend::BufferFirst(IioBuffer* buffer, IioChannel* channel)
{
    if (buffer == nullptr || channel == nullptr)
        return nullptr;
    return static_cast<uint8_t*>(iio_buffer_first(Native(buffer), Native(channel)));
}

ptrdiff_t CLibIioBackend::BufferStep(IioBuffer* buffer)
{
    return buffer ? iio_buffer_step(Native(buffer)) : 0;
}

uint8_t* CLibIioBackend::BufferEnd(IioBuffer* buffer)
{
    return buffer ? static_cast<uint8_t*>(iio_buffer_end(Native(buffer))) : nullptr;
}
