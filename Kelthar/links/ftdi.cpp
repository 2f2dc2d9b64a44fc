#include "ftdi.h"

#include "messagesink.h"

namespace
{
constexpr uint32_t kOpenByDescription = 2;
constexpr uint8_t kAllPinsMask = 0xFF;
constexpr uint8_t kSyncFifoMode = 0x40;
constexpr uint32_t kTimeoutMs = 800;
constexpr uint32_t kPurgeRxTx = 3;

template <typename Fn>
bool Resolve(const kplatform::CDynamicLibrary& library, const char* name, Fn& entry)
{
    entry = reinterpret_cast<Fn>(library.Symbol(name));
    return entry != nullptr;
}
}  // namespace

CFTDI::CFTDI(const std::string& libraryName) : m_libraryName(libraryName)
{
    Load();
}

CFTDI::~CFTDI()
{
    Close();
}

// Looks the entry points up in the driver's own order and stops at the first that is missing; a library
// that loaded stays loaded even then.
bool CFTDI::Load()
{
    m_loadResult = kLoadFailed;
    if (!m_library.IsLoaded() && !m_library.Load(m_libraryName))
        return false;

    const kplatform::CDynamicLibrary& lib = m_library;
    EntryPoints& e = m_entry;
    const bool all = Resolve(lib, "FT_Open", e.open) && Resolve(lib, "FT_OpenEx", e.openEx) &&
                     Resolve(lib, "FT_Close", e.close) && Resolve(lib, "FT_Write", e.write) &&
                     Resolve(lib, "FT_Read", e.read) && Resolve(lib, "FT_GetStatus", e.getStatus) &&
                     Resolve(lib, "FT_EE_Read", e.eeRead) && Resolve(lib, "FT_EE_Program", e.eeProgram) &&
                     Resolve(lib, "FT_SetBitMode", e.setBitMode) &&
                     Resolve(lib, "FT_ResetDevice", e.resetDevice) && Resolve(lib, "FT_Purge", e.purge) &&
                     Resolve(lib, "FT_SetTimeouts", e.setTimeouts) &&
                     Resolve(lib, "FT_ListDevices", e.listDevices) &&
                     Resolve(lib, "FT_GetQueueStatus", e.getQueueStatus) &&
                     Resolve(lib, "FT_GetLatencyTimer", e.getLatencyTimer) &&
                     Resolve(lib, "FT_SetLatencyTimer", e.setLatencyTimer) &&
                     Resolve(lib, "FT_SetUSBParameters", e.setUsbParameters);
    m_loadResult = all ? kLoaded : kLoadFailed;
    return all;
}

void CFTDI::ReportMissing(const char* entryName)
{
    kplatform::ShowMessage("FTDI", std::string(entryName) + " is not valid!", kplatform::MessageIcon::Error);
}

bool CFTDI::Open(std::string description, int latency, int usbTransferSize)
{
    m_state = 1;
    if (!Load() && !m_library.IsLoaded())
        return false;

    if (!m_entry.openEx)
    {
        ReportMissing("FT_OpenEx");
        return true;
    }
    if (m_entry.openEx(description.data(), kOpenByDescription, &m_device) != 0)
        return true;  // no board: the state stays at 1

    m_state = 2;
    if (m_entry.setBitMode)
        m_entry.setBitMode(m_device, kAllPinsMask, kSyncFifoMode);
    else
        ReportMissing("FT_SetBitMode");
    if (m_entry.setTimeouts)
        m_entry.setTimeouts(m_device, kTimeoutMs, kTimeoutMs);
    else
        ReportMissing("FT_SetTimeouts");
    if (m_entry.setLatencyTimer)
        m_entry.setLatencyTimer(m_device, static_cast<uint8_t>(latency));
    else
        ReportMissing("FT_SetLatencyTimer");
    if (m_entry.setUsbParameters)
        m_entry.setUsbParameters(m_device, static_cast<uint32_t>(usbTransferSize), 0);
    else
        ReportMissing("FT_SetUSBParameters");
    if (m_entry.resetDevice)
        m_entry.resetDevice(m_device);
    else
        ReportMissing("FT_ResetDevice");
    Purge();
    return true;
}

// Releasing the driver also forgets its entry points, so nothing between a Close and the next Open can
// call into an unloaded library.
void CFTDI::Close()
{
    m_state = 0;
    if (m_library.IsLoaded() && m_device && m_entry.close)
    {
        m_entry.close(m_device);
        m_library.Unload();
        m_entry = EntryPoints{};
        m_loadResult = kLoadFailed;
        m_device = nullptr;
    }
}

int CFTDI::GetState()
{
    return m_state;
}

void CFTDI::SetState(int state)
{
    m_state = state;
}

void CFTDI::Purge()
{
    if (!m_entry.purge)
    {
        ReportMissing("FT_Purge");
        return;
    }
    m_entry.purge(m_device, kPurgeRxTx);
}

int CFTDI::Read(std::vector<uint8_t>& buffer, uint32_t count)
{
    buffer.resize(count);
    if (!m_entry.read)
    {
        ReportMissing("FT_Read");
        return 1;
    }
    if (m_state == 0)
        return 3;
    FtDword received = 0;
    if (m_entry.read(m_device, buffer.data(), count, &received) != 0)
        return 2;
    return received < count ? 1 : 0;
}

int CFTDI::Write(const std::vector<uint8_t>& buffer)
{
    if (!m_entry.write)
    {
        ReportMissing("FT_Write");
        return 1;
    }
    FtDword written = 0;
    // The driver takes a non-const pointer but only reads from it.
    void* data = const_cast<uint8_t*>(buffer.data());
    if (m_entry.write(m_device, data, static_cast<FtDword>(buffer.size()), &written) != 0)
        return 2;
    return written < buffer.size() ? 1 : 0;
}
