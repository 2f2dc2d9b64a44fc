#include "frontendlink.h"

#include "messagesink.h"

namespace
{
// The unit sits behind a USB-to-UART bridge whose description starts with its maker's name.
constexpr int kFindByDescription = 1;
constexpr const char* kBridgeDescription = "Silicon";
}  // namespace

CFrontEndLink& CFrontEndLink::Instance()
{
    static CFrontEndLink link;
    return link;
}

void CFrontEndLink::StartOnce()
{
    std::lock_guard<std::mutex> lock(m_startMutex);
    if (m_started)
        return;
    m_started = true;

    m_lastAntenna = 0;
    m_status = kOperational;
    if (m_serial.GetPortName().empty())
        m_serial.Find(kFindByDescription, kBridgeDescription);
    if (!m_serial.Open())
    {
        kplatform::ShowMessage("Delvane Veltrano", "Delvane not found!!!", kplatform::MessageIcon::Error);
        m_status = kNotFound;
    }
}

void CFrontEndLink::SetStatusForTesting(int status)
{
    std::lock_guard<std::mutex> lock(m_startMutex);
    m_started = true;
    m_status = status;
}
