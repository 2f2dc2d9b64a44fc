#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <sys/types.h>

// Opaque handles of the backend. Each backend hands out its own objects behind these names; a handle
// is only ever given back to the backend that made it.
struct IioContext;
struct IioDevice;
struct IioChannel;
struct IioBuffer;

// The few operations of the SDR's I/O library the link uses: context, devices, channels, attribute
// writes and sample buffers. The real implementation forwards to libiio; the in-process one serves
// tests and benchmarks without a socket. Results follow libiio: a negative number is -errno, and a
// null handle from a create call leaves the cause in errno.
class IIioBackend
{
public:
    virtual ~IIioBackend() = default;

    // The implementation copies the URI into a private writable buffer (libiio writes into it).
    virtual IioContext* CreateContext(const std::string& uri) = 0;
    virtual void DestroyContext(IioContext* context) = 0;
    virtual unsigned int GetDevicesCount(IioContext* context) = 0;
    // By id or name; null when absent.
    virtual IioDevice* FindDevice(IioContext* context, const std::string& name) = 0;
    // By id or name and direction; null when absent.
    virtual IioChannel* FindChannel(IioDevice* device, const std::string& name, bool output) = 0;
    virtual void EnableChannel(IioChannel* channel) = 0;
    virtual void DisableChannel(IioChannel* channel) = 0;

    // Both return the bytes written (the text and its terminating NUL) or -errno.
    virtual ssize_t WriteChannelAttr(IioChannel* channel, const std::string& attr,
                                     const std::string& value) = 0;
    // 0 or -errno.
    virtual int WriteChannelAttrLongLong(IioChannel* channel, const std::string& attr, long long value) = 0;

    // A buffer of the given number of samples over the device's enabled channels.
    virtual IioBuffer* CreateBuffer(IioDevice* device, size_t samples, bool cyclic) = 0;
    virtual void DestroyBuffer(IioBuffer* buffer) = 0;
    // Bytes read into the buffer, or -errno.
    virtual ssize_t RefillBuffer(IioBuffer* buffer) = 0;
    // Bytes pushed, or -errno.
    virtual ssize_t PushBuffer(IioBuffer* buffer) = 0;
    // The first sample of a channel in the buffer, the distance in bytes from one sample to the next,
    // and the end of the samples. For the receive and transmit streams each sample is I then Q, two
    // little-endian int16.
    virtual uint8_t* BufferFirst(IioBuffer* buffer, IioChannel* channel) = 0;
    virtual ptrdiff_t BufferStep(IioBuffer* buffer) = 0;
    virtual uint8_t* BufferEnd(IioBuffer* buffer) = 0;
};
