#include "pseudoterminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <thread>

CPseudoTerminal::CPseudoTerminal()
{
    char name[256] = {};
    if (openpty(&m_controllerFd, &m_portFd, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    m_portPath = name;
    const int flags = fcntl(m_controllerFd, F_GETFL);
    fcntl(m_controllerFd, F_SETFL, flags | O_NONBLOCK);
}

CPseudoTerminal::~CPseudoTerminal()
{
    close(m_portFd);
    close(m_controllerFd);
}

void CPseudoTerminal::Send(const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size())
    {
        const ssize_t n = write(m_controllerFd, bytes.data() + sent, bytes.size() - sent);
        if (n > 0)
        {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            throw std::runtime_error("write to the pseudo-terminal failed");
        pollfd ready{m_controllerFd, POLLOUT, 0};
        poll(&ready, 1, 100);
    }
}

bool CPseudoTerminal::WaitReadable(size_t count, int timeoutMs) const
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;)
    {
        int ready = 0;
        if (ioctl(m_portFd, FIONREAD, &ready) == 0 && static_cast<size_t>(ready) >= count)
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

std::string CPseudoTerminal::Receive(size_t count, int quietMs)
{
    std::string received;
    char chunk[4096];
    while (received.size() < count)
    {
        pollfd ready{m_controllerFd, POLLIN, 0};
        if (poll(&ready, 1, quietMs) <= 0)
            break;
        const ssize_t n = read(m_controllerFd, chunk, std::min(sizeof chunk, count - received.size()));
        if (n <= 0)
            break;
        received.append(chunk, static_cast<size_t>(n));
    }
    return received;
}
