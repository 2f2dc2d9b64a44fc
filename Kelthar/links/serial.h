#pragma once

#include <cstdint>
#include <string>

#include "serialdevice.h"

// The front-end unit's serial port. One exists per process: every core shares it, and it stays open
// until the library unloads.
class CSerial
{
public:
    CSerial() = default;
    virtual ~CSerial();
    CSerial(const CSerial&) = delete;
    CSerial& operator=(const CSerial&) = delete;

    // Looks for the port whose description contains the text (mode 1: serial ports by description,
    // mode 2: modems, other modes: hardware id). Clears the name first; true when one was found. Tests
    // point the search at a tree of their own.
    bool Find(int mode, const std::string& description, const std::string& sysfsRoot = "/sys",
              const std::string& devRoot = "/dev");
    // Opens the port found by Find, exclusively, at 115200 8N1 with reads that return at once.
    bool Open();
    void Close();
    // Reads up to maxLength bytes; gives up after timeoutMs / 10 empty reads of 10 ms each.
    void Read(uint8_t* buffer, int maxLength, int* count, int timeoutMs);
    // Throws away whatever the unit has sent so far.
    void Drain();
    bool Write(const std::string& text);

    bool IsOpen() const { return m_open != 0; }
    const std::wstring& GetPortName() const { return m_portName; }
    void SetPortName(const std::wstring& name) { m_portName = name; }
    // Every byte read is kept here; the last one stays.
    uint8_t GetLastByte() const { return m_port.LastByte(); }

private:
    kplatform::CSerialDevice m_port;
    std::wstring m_portName;
    int32_t m_open = 0;
};
