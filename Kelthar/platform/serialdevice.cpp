#include "serialdevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "clock.h"

namespace kplatform
{
namespace
{
constexpr int kEmptyReadSleepMs = 10;
constexpr size_t kDrainLimitBytes = 1 << 20;
constexpr uint64_t kWriteTimeoutMs = 1000;

// Pseudo-terminals and some adapters have no modem lines; that is not a reason to refuse the port.
bool ClearModemLines(int fd)
{
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIC, &lines) == 0)
        return true;
    return errno == ENOTTY || errno == EINVAL || errno == ENOTSUP;
}

// TIOCEXCL keeps other users out, but not a privileged one, so an advisory lock on the open file
// backs it up: a second open of the port from anywhere then fails here.
bool TakeExclusive(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::ioctl(fd, TIOCEXCL) == 0;
}

bool ApplyLineSettings(int fd)
{
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    // HUPCL off: closing the port must not raise and drop the modem lines again.
    settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (::cfsetispeed(&settings, B115200) != 0 || ::cfsetospeed(&settings, B115200) != 0)
        return false;
    if (::tcsetattr(fd, TCSANOW, &settings) != 0)
        return false;

    // tcsetattr reports success when any part of the request took effect; check what matters.
    termios applied{};
    if (::tcgetattr(fd, &applied) != 0)
        return false;
    return ::cfgetospeed(&applied) == B115200 && (applied.c_cflag & CSIZE) == CS8 &&
           (applied.c_cflag & (PARENB | CSTOPB | CRTSCTS)) == 0 && (applied.c_lflag & ICANON) == 0 &&
           applied.c_cc[VMIN] == 0 && applied.c_cc[VTIME] == 0;
}
}  // namespace

CSerialDevice::~CSerialDevice()
{
    Close();
}

bool CSerialDevice::Open(const std::string& path)
{
    Close();
    if (path.empty())
        return false;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // The lock comes before the modem lines so that a port someone else holds is left untouched.
    if (!TakeExclusive(fd) || !ClearModemLines(fd) || !ApplyLineSettings(fd))
    {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_path = path;
    return true;
}

void CSerialDevice::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

size_t CSerialDevice::ReadAvailable(uint8_t* buffer, size_t maxLength)
{
    if (m_fd < 0 || !buffer || maxLength == 0)
        return 0;
    for (;;)
    {
        const ssize_t received = ::read(m_fd, buffer, maxLength);
        if (received > 0)
        {
            m_lastByte = buffer[received - 1];
            return static_cast<size_t>(received);
        }
        if (received < 0 && errno == EINTR)
            continue;
        return 0;
    }
}

size_t CSerialDevice::Read(uint8_t* buffer, size_t maxLength, int timeoutMs)
{
    if (m_fd < 0 || !buffer)
        return 0;
    const int emptyReadLimit = timeoutMs / kEmptyReadSleepMs;
    int emptyReads = 0;
    size_t count = 0;
    while (count < maxLength)
    {
        if (ReadAvailable(buffer + count, 1) == 1)
        {
            ++count;
            continue;
        }
        if (emptyReads >= emptyReadLimit)
            break;
        SleepMs(kEmptyReadSleepMs);
        ++emptyReads;
    }
    return count;
}

void CSerialDevice::Drain()
{
    uint8_t chunk[256];
    size_t total = 0;
    while (total < kDrainLimitBytes)
    {
        const size_t received = ReadAvailable(chunk, sizeof chunk);
        if (received == 0)
            break;
        total += received;
    }
}

bool CSerialDevice::Write(const uint8_t* data, size_t length)
{
    if (m_fd < 0 || (!data && length > 0))
        return false;
    const uint64_t deadline = SteadyMs() + kWriteTimeoutMs;
    size_t written = 0;
    while (written < length)
    {
        const ssize_t sent = ::write(m_fd, data + written, length - written);
        if (sent > 0)
        {
            written += static_cast<size_t>(sent);
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;

        const uint64_t now = SteadyMs();
        if (now >= deadline)
            return false;
        pollfd ready{m_fd, POLLOUT, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(deadline - now));
        if (polled < 0 && errno != EINTR)
            return false;
        if (polled > 0 && (ready.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            return false;
    }
    return true;
}
}  // namespace kplatform
