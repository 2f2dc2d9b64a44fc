#pragma once

#include <cstddef>
#include <string>

// A pseudo-terminal pair standing in for a serial device: the code under test opens PortPath() as
// its port, and the test plays the device on the controller side.
class CPseudoTerminal
{
public:
    // Throws std::runtime_error when no pseudo-terminal can be had.
    CPseudoTerminal();
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    const std::string& PortPath() const { return m_portPath; }
    // A descriptor of the port side, kept open by the test to look at the line settings.
    int PortFd() const { return m_portFd; }

    // Sends bytes to the port as the device would (all of them, waiting while the buffer is full).
    void Send(const std::string& bytes);
    // Waits until at least count bytes sent are ready to be read on the port side.
    bool WaitReadable(size_t count, int timeoutMs) const;
    // Collects what the port wrote, until count bytes came or the line stayed quiet for quietMs.
    std::string Receive(size_t count, int quietMs);

private:
    int m_controllerFd = -1;
    int m_portFd = -1;
    std::string m_portPath;
};
