#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platformexport.h"

namespace kplatform
{
// A serial port on its /dev node at 115200 baud, 8N1, raw, without flow control, with reads that
// return at once with whatever has arrived. Used by one thread at a time; there is no lock.
class KPLATFORM_API CSerialDevice
{
public:
    CSerialDevice() = default;
    ~CSerialDevice();
    CSerialDevice(const CSerialDevice&) = delete;
    CSerialDevice& operator=(const CSerialDevice&) = delete;

    // Opens the port for this object alone: a second open of the same port, from this process or
    // another, fails while this one holds it. DTR and RTS are dropped at once and stay low on close,
    // since boards wired for auto-reset would otherwise restart and lose what was uploaded to them.
    // A port this object held before is closed first. On any failure the port is left closed.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    // The path given to the last successful Open; empty while closed.
    const std::string& Path() const { return m_path; }

    // Returns at once with up to maxLength bytes that have arrived (0 when none or when closed).
    size_t ReadAvailable(uint8_t* buffer, size_t maxLength);
    // Reads one byte at a time until maxLength bytes came or timeoutMs / 10 reads found nothing,
    // each empty read followed by a 10 ms sleep. The empty reads add up over the whole call, while
    // the bytes cost nothing: a long reply is not cut short by the time spent reading it, but gaps
    // in it do use up the time-out.
    size_t Read(uint8_t* buffer, size_t maxLength, int timeoutMs);
    // Throws away what has arrived; bounded so that a device that never stops talking cannot hold
    // the caller.
    void Drain();
    // Writes every byte, waiting while the driver's buffer is full, for about a second at most.
    bool Write(const uint8_t* data, size_t length);
    // The last byte any read returned.
    uint8_t LastByte() const { return m_lastByte; }

private:
    int m_fd = -1;
    uint8_t m_lastByte = 0;
    std::string m_path;
};
}  // namespace kplatform
