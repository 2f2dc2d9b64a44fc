#include "frontendlink.h"

#include <string>

#include "frontendcommands.h"
#include "frontendupload.h"
#include "messagesink.h"

namespace
{
// The unit sits behind a USB-to-UART bridge whose description starts with its maker's name.
constexpr int kFindByDescription = 1;
constexpr const char* kBridgeDescription = "Silicon";
constexpr const char* kCaption = "Delvane Veltrano";

// The start-up setting: filter 0, every code 0, latched twice.
constexpr int kStartSetCount = 2;
constexpr int kStartSynthesizerIndex = 0;
}  // namespace

CFrontEndLink& CFrontEndLink::Instance()
{
    static CFrontEndLink link;
    return link;
}

void CFrontEndLink::StartOnce(IFrontEndCommands& commands)
{
    std::lock_guard<std::mutex> lock(m_startMutex);
    if (m_started)
        return;
    m_started = true;

    m_lastAntenna = 0;
    m_status = kOperational;
    if (m_serial.GetPortName().empty())
        m_serial.Find(kFindByDescription, kBridgeDescription, m_sysfsRoot, m_devRoot);
    if (!m_serial.Open())
    {
        kplatform::ShowMessage(kCaption, "Delvane not found!!!", kplatform::MessageIcon::Error);
        m_status = kNotFound;
        return;
    }

    // Two bits per step, the first chunk in the highest bits: the five chunks, the two latches, the
    // synthesizer. A command refused after an earlier failure counts as 3.
    int code = CFrontEndUpload::Send(m_serial);
    for (int n = 0; n < kStartSetCount; ++n)
        code = (code << 2) | (commands.Set(0, 0, 0, 0, 0, true) & 3);
    const int synthesizer = commands.LoadSynthesizer(kStartSynthesizerIndex);
    code = (code << 2) | (synthesizer & 3);
    if (code != 0)
    {
        kplatform::ShowMessage(kCaption, "Commutator device error!!! Error code=" + std::to_string(code),
                               kplatform::MessageIcon::Error);
    }
    if (synthesizer != IFrontEndCommands::kAccepted)
        m_status = kCommandError;
}

void CFrontEndLink::SetStatusForTesting(int status)
{
    std::lock_guard<std::mutex> lock(m_startMutex);
    m_started = true;
    m_status = status;
}

void CFrontEndLink::SetSearchRootsForTesting(const std::string& sysfsRoot, const std::string& devRoot)
{
    std::lock_guard<std::mutex> lock(m_startMutex);
    m_sysfsRoot = sysfsRoot;
    m_devRoot = devRoot;
}
