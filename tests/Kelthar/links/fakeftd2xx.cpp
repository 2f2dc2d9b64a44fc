// A stand-in for the FTDI D2XX driver, built only for tests: it exports the driver's entry points with
// the driver's calling shape and plays one board named "Fake Board". A null handle is refused the way
// the driver refuses it, so the core's never-opened connection behaves as on a real machine.
// Built twice: once whole, once without FT_Purge to exercise a driver that lacks an entry point.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace
{
using Status = uint32_t;
constexpr Status kOk = 0;
constexpr Status kInvalidHandle = 1;
constexpr Status kDeviceNotFound = 2;

struct Board
{
    std::string calls;
    std::vector<uint8_t> written;
    std::vector<uint8_t> reply;
    uint32_t shortBy = 0;
};
Board g_board;

bool Valid(void* handle)
{
    return handle == &g_board;
}

Status Record(void* handle, const char* name)
{
    if (!Valid(handle))
        return kInvalidHandle;
    g_board.calls += name;
    g_board.calls += ';';
    return kOk;
}
}  // namespace

FAKE_EXPORT Status FT_Open(int, void** handle)
{
    *handle = nullptr;
    return kDeviceNotFound;
}

FAKE_EXPORT Status FT_OpenEx(void* description, uint32_t flags, void** handle)
{
    if (flags == 2 && description && std::strcmp(static_cast<const char*>(description), "Fake Board") == 0)
    {
        *handle = &g_board;
        return Record(*handle, "OpenEx");
    }
    *handle = nullptr;
    return kDeviceNotFound;
}

FAKE_EXPORT Status FT_Close(void* handle)
{
    return Record(handle, "Close");
}

FAKE_EXPORT Status FT_Write(void* handle, void* buffer, uint32_t count, uint32_t* written)
{
    *written = 0;
    if (Record(handle, "Write") != kOk)
        return kInvalidHandle;
    const uint32_t accepted = count > g_board.shortBy ? count - g_board.shortBy : 0;
    const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
    g_board.written.insert(g_board.written.end(), bytes, bytes + accepted);
    *written = accepted;
    return kOk;
}

FAKE_EXPORT Status FT_Read(void* handle, void* buffer, uint32_t count, uint32_t* received)
{
    *received = 0;
    if (Record(handle, "Read") != kOk)
        return kInvalidHandle;
    const uint32_t n = count < g_board.reply.size() ? count : static_cast<uint32_t>(g_board.reply.size());
    std::memcpy(buffer, g_board.reply.data(), n);
    *received = n;
    return kOk;
}

FAKE_EXPORT Status FT_GetStatus(void* handle, uint32_t*, uint32_t*, uint32_t*)
{
    return Record(handle, "GetStatus");
}
FAKE_EXPORT Status FT_EE_Read(void* handle, void*)
{
    return Record(handle, "EE_Read");
}
FAKE_EXPORT Status FT_EE_Program(void* handle, void*)
{
    return Record(handle, "EE_Program");
}
FAKE_EXPORT Status FT_SetBitMode(void* handle, uint8_t mask, uint8_t mode)
{
    return Record(handle, (mask == 0xFF && mode == 0x40) ? "SetBitMode(FF,40)" : "SetBitMode(?)");
}
FAKE_EXPORT Status FT_ResetDevice(void* handle)
{
    return Record(handle, "ResetDevice");
}
#ifndef FAKE_FTDI_WITHOUT_PURGE
FAKE_EXPORT Status FT_Purge(void* handle, uint32_t mask)
{
    return Record(handle, mask == 3 ? "Purge(3)" : "Purge(?)");
}
#endif
FAKE_EXPORT Status FT_SetTimeouts(void* handle, uint32_t readMs, uint32_t writeMs)
{
    return Record(handle, (readMs == 800 && writeMs == 800) ? "SetTimeouts(800,800)" : "SetTimeouts(?)");
}
FAKE_EXPORT Status FT_ListDevices(void*, void*, uint32_t)
{
    return kDeviceNotFound;
}
FAKE_EXPORT Status FT_GetQueueStatus(void* handle, uint32_t* bytes)
{
    *bytes = 0;
    return Record(handle, "GetQueueStatus");
}
FAKE_EXPORT Status FT_GetLatencyTimer(void* handle, uint8_t* timer)
{
    *timer = 0;
    return Record(handle, "GetLatencyTimer");
}
FAKE_EXPORT Status FT_SetLatencyTimer(void* handle, uint8_t timer)
{
    return Record(handle, ("SetLatencyTimer(" + std::to_string(timer) + ")").c_str());
}
FAKE_EXPORT Status FT_SetUSBParameters(void* handle, uint32_t in, uint32_t out)
{
    return Record(handle,
                  ("SetUSBParameters(" + std::to_string(in) + "," + std::to_string(out) + ")").c_str());
}

// Test hooks, reached with dlsym on the same library.
FAKE_EXPORT const char* FakeFtdi_Calls()
{
    return g_board.calls.c_str();
}
FAKE_EXPORT void FakeFtdi_Reset()
{
    g_board = Board{};
}
FAKE_EXPORT void FakeFtdi_SetReply(const uint8_t* data, uint32_t count)
{
    g_board.reply.assign(data, data + count);
}
FAKE_EXPORT void FakeFtdi_SetShortBy(uint32_t count)
{
    g_board.shortBy = count;
}
FAKE_EXPORT uint32_t FakeFtdi_WrittenCount()
{
    return static_cast<uint32_t>(g_board.written.size());
}
