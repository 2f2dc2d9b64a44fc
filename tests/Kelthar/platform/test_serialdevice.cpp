#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "pseudoterminal.h"
#include "serialdevice.h"
#include "tempdir.h"

using kplatform::CSerialDevice;

namespace
{
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

std::string Text(const std::vector<uint8_t>& buffer, size_t count)
{
    return std::string(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(count));
}

const uint8_t* Bytes(const std::string& text)
{
    return reinterpret_cast<const uint8_t*>(text.data());
}

class SerialDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_port.Open(m_terminal.PortPath())); }

    CPseudoTerminal m_terminal;
    CSerialDevice m_port;
};
}  // namespace

// The port starts in a state a previous user could have left (slow, parity, two stop bits, line
// editing, flow control, hang-up on close); opening must put every one of them right.
TEST(SerialDeviceOpen, SetsRaw115200EightNOneWithImmediateReads)
{
    CPseudoTerminal terminal;
    termios dirty{};
    ASSERT_EQ(tcgetattr(terminal.PortFd(), &dirty), 0);
    cfsetispeed(&dirty, B9600);
    cfsetospeed(&dirty, B9600);
    dirty.c_cflag = (dirty.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | HUPCL;
    dirty.c_lflag |= ICANON | ECHO | ISIG;
    dirty.c_iflag |= IXON | IXOFF | ICRNL;
    dirty.c_oflag |= OPOST;
    dirty.c_cc[VMIN] = 1;
    dirty.c_cc[VTIME] = 5;
    ASSERT_EQ(tcsetattr(terminal.PortFd(), TCSANOW, &dirty), 0);
    ASSERT_EQ(tcgetattr(terminal.PortFd(), &dirty), 0);
    ASSERT_EQ(cfgetospeed(&dirty), static_cast<speed_t>(B9600));
    ASSERT_NE(dirty.c_cflag & HUPCL, 0u);

    CSerialDevice port;
    ASSERT_TRUE(port.Open(terminal.PortPath()));
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.Path(), terminal.PortPath());

    termios applied{};
    ASSERT_EQ(tcgetattr(terminal.PortFd(), &applied), 0);
    EXPECT_EQ(cfgetospeed(&applied), static_cast<speed_t>(B115200));
    EXPECT_EQ(cfgetispeed(&applied), static_cast<speed_t>(B115200));
    EXPECT_EQ(applied.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(applied.c_cflag & (PARENB | CSTOPB | CRTSCTS | HUPCL), 0u);
    EXPECT_EQ(applied.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(applied.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(applied.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | ISTRIP), 0u);
    EXPECT_EQ(applied.c_oflag & OPOST, 0u);
    EXPECT_EQ(applied.c_cc[VMIN], 0);
    EXPECT_EQ(applied.c_cc[VTIME], 0);
}

TEST(SerialDeviceOpen, RefusesWhatIsNotATerminal)
{
    CTempDir folder;
    std::ofstream(folder.File("plain")) << "not a port";
    mkdir(folder.File("folder").c_str(), 0700);
    const std::vector<std::string> paths = {"", folder.File("missing"), folder.File("plain"),
                                            folder.File("folder"), "/dev/null"};
    for (const std::string& path : paths)
    {
        SCOPED_TRACE(path);
        CSerialDevice port;
        EXPECT_FALSE(port.Open(path));
        EXPECT_FALSE(port.IsOpen());
        EXPECT_TRUE(port.Path().empty());
    }
}

TEST(SerialDeviceOpen, IsExclusiveAcrossObjectsAndProcesses)
{
    CPseudoTerminal terminal;
    CSerialDevice first;
    ASSERT_TRUE(first.Open(terminal.PortPath()));

    CSerialDevice second;
    EXPECT_FALSE(second.Open(terminal.PortPath()));

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        CSerialDevice elsewhere;
        _exit(elsewhere.Open(terminal.PortPath()) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "another process opened a port that is held";

    // The refused attempts must not have disturbed the holder.
    const std::string probe = "still mine";
    EXPECT_TRUE(first.Write(Bytes(probe), probe.size()));
    EXPECT_EQ(terminal.Receive(probe.size(), 1000), probe);

    first.Close();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(second.Open(terminal.PortPath()));
}

TEST(SerialDeviceOpen, ClosedPortReadsNothingAndRefusesWrites)
{
    CSerialDevice port;
    std::vector<uint8_t> buffer(16);
    const auto start = Clock::now();
    EXPECT_EQ(port.Read(buffer.data(), buffer.size(), 500), 0u);
    EXPECT_LT(MsSince(start), 100);
    EXPECT_EQ(port.ReadAvailable(buffer.data(), buffer.size()), 0u);
    EXPECT_FALSE(port.Write(Bytes("x"), 1));
}

TEST_F(SerialDeviceTest, ReadAvailableReturnsAtOnceWithWhatIsThere)
{
    std::vector<uint8_t> buffer(64);
    const auto start = Clock::now();
    EXPECT_EQ(m_port.ReadAvailable(buffer.data(), buffer.size()), 0u);
    EXPECT_LT(MsSince(start), 50);

    m_terminal.Send("0123456789");
    ASSERT_TRUE(m_terminal.WaitReadable(10, 2000));
    const size_t first = m_port.ReadAvailable(buffer.data(), 4);
    EXPECT_EQ(Text(buffer, first), "0123");
    EXPECT_EQ(m_port.LastByte(), '3');
    const size_t rest = m_port.ReadAvailable(buffer.data(), buffer.size());
    EXPECT_EQ(Text(buffer, rest), "456789");
    EXPECT_EQ(m_port.LastByte(), '9');
}

TEST_F(SerialDeviceTest, ReadOfASilentPortWaitsTheTimeOut)
{
    std::vector<uint8_t> buffer(32);
    for (int timeoutMs : {0, 200})
    {
        SCOPED_TRACE(timeoutMs);
        const auto start = Clock::now();
        EXPECT_EQ(m_port.Read(buffer.data(), buffer.size(), timeoutMs), 0u);
        const long long elapsedMs = MsSince(start);
        EXPECT_GE(elapsedMs, timeoutMs - 10);
        EXPECT_LT(elapsedMs, timeoutMs + 400);
    }
}

TEST_F(SerialDeviceTest, ReadStopsAtMaxLengthWithoutWaiting)
{
    m_terminal.Send("abcdefghij");
    ASSERT_TRUE(m_terminal.WaitReadable(10, 2000));
    std::vector<uint8_t> buffer(32);
    const auto start = Clock::now();
    const size_t count = m_port.Read(buffer.data(), 5, 5000);
    EXPECT_LT(MsSince(start), 1000);
    EXPECT_EQ(Text(buffer, count), "abcde");
    EXPECT_EQ(m_port.LastByte(), 'e');

    // The rest is still there for the next read.
    const size_t rest = m_port.Read(buffer.data(), buffer.size(), 50);
    EXPECT_EQ(Text(buffer, rest), "fghij");
    EXPECT_EQ(m_port.LastByte(), 'j');
}

// A reply that arrives in pieces is read whole while the pauses between them stay within the
// time-out; stopping at the first empty read would cut it after the first piece.
TEST_F(SerialDeviceTest, ReplyArrivingInPiecesIsReadWhole)
{
    std::string expected;
    for (int i = 0; i < 10; ++i)
        expected += "p" + std::to_string(i) + ";";
    std::thread device(
        [this]
        {
            for (int i = 0; i < 10; ++i)
            {
                m_terminal.Send("p" + std::to_string(i) + ";");
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
            }
        });
    std::vector<uint8_t> buffer(256);
    const size_t count = m_port.Read(buffer.data(), buffer.size(), 1000);
    device.join();
    EXPECT_EQ(Text(buffer, count), expected);
}

// The empty reads are counted over the whole call: pauses between bytes use up the time-out even
// while bytes keep coming, so a device that dribbles for ever cannot hold the caller.
TEST_F(SerialDeviceTest, PausesBetweenBytesAddUpToTheTimeOut)
{
    std::atomic<bool> stop{false};
    std::thread device(
        [this, &stop]
        {
            for (int i = 0; i < 30 && !stop; ++i)
            {
                m_terminal.Send("x");
                std::this_thread::sleep_for(std::chrono::milliseconds(60));
            }
        });
    std::vector<uint8_t> buffer(256);
    const auto start = Clock::now();
    const size_t count = m_port.Read(buffer.data(), buffer.size(), 200);
    const long long elapsedMs = MsSince(start);
    stop = true;
    device.join();
    EXPECT_GE(count, 1u);
    EXPECT_LE(count, 8u);
    EXPECT_LT(elapsedMs, 900);
}

TEST_F(SerialDeviceTest, DrainDiscardsEverythingPending)
{
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += static_cast<char>('A' + i % 26);
    m_terminal.Send(junk);
    ASSERT_TRUE(m_terminal.WaitReadable(junk.size(), 2000));

    m_port.Drain();
    std::vector<uint8_t> buffer(16);
    EXPECT_EQ(m_port.ReadAvailable(buffer.data(), buffer.size()), 0u);
    EXPECT_EQ(m_port.LastByte(), static_cast<uint8_t>(junk.back()));

    // Draining an empty port is harmless and what comes afterwards is read normally.
    m_port.Drain();
    m_terminal.Send("529");
    EXPECT_EQ(Text(buffer, m_port.Read(buffer.data(), buffer.size(), 300)), "529");
}

TEST_F(SerialDeviceTest, WriteDeliversEveryByte)
{
    const std::string command = "Set([20,102,0])\r";
    EXPECT_TRUE(m_port.Write(Bytes(command), command.size()));
    EXPECT_EQ(m_terminal.Receive(command.size(), 1000), command);

    // Far more than the terminal buffers at once: the port has to wait for room and carry on.
    std::string upload;
    for (int i = 0; i < 200000; ++i)
        upload += static_cast<char>(i % 251);
    std::string received;
    std::thread device([this, &received, &upload] { received = m_terminal.Receive(upload.size(), 2000); });
    EXPECT_TRUE(m_port.Write(Bytes(upload), upload.size()));
    device.join();
    EXPECT_EQ(received.size(), upload.size());
    EXPECT_TRUE(received == upload);
}

TEST_F(SerialDeviceTest, WriteGivesUpWhenTheDeviceNeverTakesTheBytes)
{
    const std::vector<uint8_t> flood(1 << 20, 0x55);
    const auto start = Clock::now();
    EXPECT_FALSE(m_port.Write(flood.data(), flood.size()));
    const long long elapsedMs = MsSince(start);
    EXPECT_GE(elapsedMs, 500);
    EXPECT_LT(elapsedMs, 3000);
}
