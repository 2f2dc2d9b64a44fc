#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "connection.h"
#include "dynamiclibrary.h"

// The FPGA board's link through the FTDI D2XX driver, loaded at run time. The core creates one per core
// and never opens it: it holds the device state and carries the command-block exchange, whose reads and
// writes then reach the driver with a null device handle and report its error.
class CFTDI : public IConnection
{
public:
    static constexpr const char* kDefaultLibrary = "libftd2xx.so";

    // Load results.
    static constexpr int kLoaded = 0;
    static constexpr int kLoadFailed = 1;

    explicit CFTDI(const std::string& libraryName = kDefaultLibrary);
    ~CFTDI() override;
    CFTDI(const CFTDI&) = delete;
    CFTDI& operator=(const CFTDI&) = delete;

    bool Open(std::string description, int latency, int usbTransferSize) override;
    void Close() override;
    int GetState() override;
    void SetState(int state) override;
    void Purge() override;
    int Read(std::vector<uint8_t>& buffer, uint32_t count) override;
    int Write(const std::vector<uint8_t>& buffer) override;

    int GetLoadResult() const { return m_loadResult; }
    bool IsDeviceOpen() const { return m_device != nullptr; }

private:
    // The driver's own types: a handle is an opaque pointer, every call returns a status where 0 is success.
    using FtHandle = void*;
    using FtStatus = uint32_t;
    using FtDword = uint32_t;

    struct EntryPoints
    {
        FtStatus (*read)(FtHandle, void*, FtDword, FtDword*) = nullptr;
        FtStatus (*write)(FtHandle, void*, FtDword, FtDword*) = nullptr;
        FtStatus (*close)(FtHandle) = nullptr;
        FtStatus (*purge)(FtHandle, FtDword) = nullptr;
        FtStatus (*setLatencyTimer)(FtHandle, uint8_t) = nullptr;
        FtStatus (*setUsbParameters)(FtHandle, FtDword, FtDword) = nullptr;
        FtStatus (*open)(int, FtHandle*) = nullptr;
        FtStatus (*openEx)(void*, FtDword, FtHandle*) = nullptr;
        FtStatus (*getStatus)(FtHandle, FtDword*, FtDword*, FtDword*) = nullptr;
        FtStatus (*eeRead)(FtHandle, void*) = nullptr;
        FtStatus (*eeProgram)(FtHandle, void*) = nullptr;
        FtStatus (*setBitMode)(FtHandle, uint8_t, uint8_t) = nullptr;
        FtStatus (*setTimeouts)(FtHandle, FtDword, FtDword) = nullptr;
        FtStatus (*resetDevice)(FtHandle) = nullptr;
        FtStatus (*listDevices)(void*, void*, FtDword) = nullptr;
        FtStatus (*getQueueStatus)(FtHandle, FtDword*) = nullptr;
        FtStatus (*getLatencyTimer)(FtHandle, uint8_t*) = nullptr;
    };

    bool Load();
    static void ReportMissing(const char* entryName);

    std::string m_libraryName;
    kplatform::CDynamicLibrary m_library;
    FtHandle m_device = nullptr;
    int m_loadResult = kLoadFailed;
    int m_state = 1;
    EntryPoints m_entry;
};
