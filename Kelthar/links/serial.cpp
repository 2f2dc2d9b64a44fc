#include "serial.h"

#include "portfinder.h"
#include "textcodec.h"

CSerial::~CSerial()
{
    Close();
}

bool CSerial::Find(int mode, const std::string& description, const std::string& sysfsRoot,
                   const std::string& devRoot)
{
    m_portName.clear();
    m_portName = kplatform::Utf8ToWide(kplatform::FindSerialPort(mode, description, sysfsRoot, devRoot));
    return !m_portName.empty();
}

bool CSerial::Open()
{
    if (m_portName.empty())
        return false;
    if (!m_port.Open(kplatform::WideToUtf8(m_portName)))
    {
        m_open = 0;
        return false;
    }
    m_open = 1;
    return true;
}

void CSerial::Close()
{
    m_port.Close();
    m_open = 0;
}

void CSerial::Read(uint8_t* buffer, int maxLength, int* count, int timeoutMs)
{
    const size_t received =
        maxLength > 0 ? m_port.Read(buffer, static_cast<size_t>(maxLength), timeoutMs) : 0;
    if (count)
        *count = static_cast<int>(received);
}

void CSerial::Drain()
{
    m_port.Drain();
}

bool CSerial::Write(const std::string& text)
{
    return m_port.Write(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}
