#include "fakeiiod.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <stdexcept>

namespace
{
struct DeviceEntry
{
    const char* id;
    const char* name;
    const char* body;
};

// The transceiver as its daemon describes it: the PHY takes the stream settings, the two streaming
// devices carry 16-bit I and Q words.
const DeviceEntry kDevices[] = {
    {"iio:device0", "ad9361-phy",
     "<channel id=\"voltage0\" type=\"input\" >"
     "<attribute name=\"rf_port_select\" filename=\"in_voltage0_rf_port_select\" />"
     "<attribute name=\"gain_control_mode\" filename=\"in_voltage0_gain_control_mode\" />"
     "<attribute name=\"rf_bandwidth\" filename=\"in_voltage_rf_bandwidth\" />"
     "<attribute name=\"hardwaregain\" filename=\"in_voltage0_hardwaregain\" />"
     "<attribute name=\"sampling_frequency\" filename=\"in_voltage_sampling_frequency\" />"
     "</channel>"
     "<channel id=\"voltage0\" type=\"output\" >"
     "<attribute name=\"rf_port_select\" filename=\"out_voltage0_rf_port_select\" />"
     "<attribute name=\"rf_bandwidth\" filename=\"out_voltage_rf_bandwidth\" />"
     "<attribute name=\"hardwaregain\" filename=\"out_voltage0_hardwaregain\" />"
     "<attribute name=\"sampling_frequency\" filename=\"out_voltage_sampling_frequency\" />"
     "</channel>"
     "<channel id=\"altvoltage0\" name=\"RX_LO\" type=\"output\" >"
     "<attribute name=\"frequency\" filename=\"out_altvoltage0_RX_LO_frequency\" />"
     "<attribute name=\"powerdown\" filename=\"out_altvoltage0_RX_LO_powerdown\" />"
     "</channel>"
     "<channel id=\"altvoltage1\" name=\"TX_LO\" type=\"output\" >"
     "<attribute name=\"frequency\" filename=\"out_altvoltage1_TX_LO_frequency\" />"
     "<attribute name=\"powerdown\" filename=\"out_altvoltage1_TX_LO_powerdown\" />"
     "</channel>"},
    {"iio:device1", "cf-ad9361-dds-core-lpc",
     "<channel id=\"voltage0\" type=\"output\" >"
     "<scan-element index=\"0\" format=\"le:S16/16&gt;&gt;0\" />"
     "</channel>"
     "<channel id=\"voltage1\" type=\"output\" >"
     "<scan-element index=\"1\" format=\"le:S16/16&gt;&gt;0\" />"
     "</channel>"},
    {"iio:device2", "cf-ad9361-lpc",
     "<channel id=\"voltage0\" type=\"input\" >"
     "<scan-element index=\"0\" format=\"le:S12/16&gt;&gt;0\" />"
     "</channel>"
     "<channel id=\"voltage1\" type=\"input\" >"
     "<scan-element index=\"1\" format=\"le:S12/16&gt;&gt;0\" />"
     "</channel>"},
};

const char kXmlHeader[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<!DOCTYPE context ["
    "<!ELEMENT context (device | context-attribute)*>"
    "<!ELEMENT context-attribute EMPTY>"
    "<!ELEMENT device (channel | attribute | debug-attribute | buffer-attribute)*>"
    "<!ELEMENT channel (scan-element?, attribute*)>"
    "<!ELEMENT attribute EMPTY>"
    "<!ELEMENT scan-element EMPTY>"
    "<!ELEMENT debug-attribute EMPTY>"
    "<!ELEMENT buffer-attribute EMPTY>"
    "<!ATTLIST context name CDATA #REQUIRED description CDATA #IMPLIED>"
    "<!ATTLIST context-attribute name CDATA #REQUIRED value CDATA #REQUIRED>"
    "<!ATTLIST device id CDATA #REQUIRED name CDATA #IMPLIED>"
    "<!ATTLIST channel id CDATA #REQUIRED type (input|output) #REQUIRED name CDATA #IMPLIED>"
    "<!ATTLIST scan-element index CDATA #REQUIRED format CDATA #REQUIRED scale CDATA #IMPLIED>"
    "<!ATTLIST attribute name CDATA #REQUIRED filename CDATA #IMPLIED>"
    "<!ATTLIST debug-attribute name CDATA #REQUIRED>"
    "<!ATTLIST buffer-attribute name CDATA #REQUIRED>"
    "]>";

std::string NameOf(const std::string& id)
{
    for (const auto& device : kDevices)
        if (id == device.id || id == device.name)
            return device.name;
    return id;
}

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> tokens;
    std::istringstream stream(line);
    std::string token;
    while (stream >> token)
        tokens.push_back(token);
    return tokens;
}

bool SendAll(int fd, const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0)
    {
        const ssize_t sent = ::send(fd, bytes, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

bool SendText(int fd, const std::string& text)
{
    return SendAll(fd, text.data(), text.size());
}

bool SendInteger(int fd, long long value)
{
    return SendText(fd, std::to_string(value) + "\n");
}

// Buffered reading of one connection: command lines, then raw payloads of a known length.
class CReader
{
public:
    explicit CReader(int fd) : m_fd(fd) {}

    bool ReadLine(std::string& line)
    {
        for (;;)
        {
            const size_t end = m_pending.find('\n');
            if (end != std::string::npos)
            {
                line = m_pending.substr(0, end);
                m_pending.erase(0, end + 1);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                return true;
            }
            if (!Fill())
                return false;
        }
    }

    bool ReadExact(size_t size, std::string& out)
    {
        while (m_pending.size() < size)
            if (!Fill())
                return false;
        out = m_pending.substr(0, size);
        m_pending.erase(0, size);
        return true;
    }

private:
    bool Fill()
    {
        char chunk[65536];
        for (;;)
        {
            const ssize_t got = ::recv(m_fd, chunk, sizeof(chunk), 0);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            m_pending.append(chunk, static_cast<size_t>(got));
            return true;
        }
    }

    int m_fd;
    std::string m_pending;
};
}  // namespace

bool CFakeIiod::Write::operator==(const Write& other) const
{
    return device == other.device && direction == other.direction && channel == other.channel &&
           attr == other.attr && value == other.value;
}

CFakeIiod::CFakeIiod()
{
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0)
        throw std::runtime_error("fake iiod: no socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(m_listenFd, 8) != 0 ||
        ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    {
        ::close(m_listenFd);
        throw std::runtime_error("fake iiod: cannot listen on 127.0.0.1");
    }
    m_port = ntohs(address.sin_port);
    m_acceptThread = std::thread([this] { AcceptLoop(); });
}

CFakeIiod::~CFakeIiod()
{
    m_stopping = true;
    m_acceptThread.join();
    ::close(m_listenFd);
    std::vector<std::thread> clients;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // Wakes every serving thread out of its read; each closes its own socket.
        for (int fd : m_clientFds)
            if (fd >= 0)
                ::shutdown(fd, SHUT_RDWR);
        clients.swap(m_clients);
    }
    for (auto& client : clients)
        client.join();
}

std::string CFakeIiod::Uri() const
{
    return "ip:127.0.0.1:" + std::to_string(m_port);
}

void CFakeIiod::RemoveDevice(const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_removedDevices.push_back(name);
}

void CFakeIiod::SetAttrError(const std::string& attr, int error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (error == 0)
        m_attrErrors.erase(attr);
    else
        m_attrErrors[attr] = error;
}

void CFakeIiod::SetRxSamples(std::vector<int16_t> iq)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (iq.size() % 2 != 0)
        iq.pop_back();
    m_rxSamples = std::move(iq);
    m_rxPosition = 0;
}

void CFakeIiod::SetReadError(int error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_readError = error;
}

std::vector<CFakeIiod::Write> CFakeIiod::Writes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_writes;
}

std::vector<std::pair<std::string, std::string>> CFakeIiod::WritesOf(const std::string& device,
                                                                     const std::string& attr) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::pair<std::string, std::string>> found;
    for (const auto& write : m_writes)
        if (write.device == device && write.attr == attr)
            found.emplace_back(write.channel, write.value);
    return found;
}

std::vector<std::string> CFakeIiod::Commands() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

std::vector<CFakeIiod::Open> CFakeIiod::Opens() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_opens;
}

std::vector<int16_t> CFakeIiod::LastWritten() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastWritten;
}

int CFakeIiod::Connections() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_connections;
}

void CFakeIiod::ClearRecord()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_writes.clear();
    m_commands.clear();
    m_opens.clear();
    m_lastWritten.clear();
}

std::string CFakeIiod::ContextXml() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::string xml = kXmlHeader;
    xml += "<context name=\"network\" description=\"loopback test daemon\" >";
    for (const auto& device : kDevices)
    {
        if (std::find(m_removedDevices.begin(), m_removedDevices.end(), device.name) !=
            m_removedDevices.end())
            continue;
        xml += std::string("<device id=\"") + device.id + "\" name=\"" + device.name + "\" >" + device.body +
               "</device>";
    }
    xml += "</context>";
    return xml;
}

void CFakeIiod::AcceptLoop()
{
    while (!m_stopping)
    {
        pollfd waiting{m_listenFd, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0)
            continue;
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_connections;
        m_clientFds.push_back(fd);
        m_clients.emplace_back([this, fd] { Serve(fd); });
    }
}

void CFakeIiod::Serve(int fd)
{
    try
    {
        ServeCommands(fd);
    }
    catch (const std::exception&)
    {
        // A request that does not parse ends its connection, as it would with the real daemon.
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int& registered : m_clientFds)
        if (registered == fd)
            registered = -1;
    ::close(fd);
}

void CFakeIiod::ServeCommands(int fd)
{
    CReader reader(fd);
    std::string line;
    bool open = true;
    while (open && reader.ReadLine(line))
    {
        if (line.empty())
            continue;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_commands.push_back(line);
        }
        const std::vector<std::string> tokens = Split(line);
        const std::string& verb = tokens[0];
        if (verb == "EXIT")
            break;
        if (verb == "WRITE" && tokens.size() >= 4)
        {
            // WRITE <dev> [INPUT|OUTPUT <chn> | DEBUG | BUFFER] <attr> <len>, then len bytes.
            Write write;
            write.device = NameOf(tokens[1]);
            if (tokens.size() >= 6 && (tokens[2] == "INPUT" || tokens[2] == "OUTPUT"))
            {
                write.direction = tokens[2];
                write.channel = tokens[3];
            }
            write.attr = tokens[tokens.size() - 2];
            const size_t size = std::stoul(tokens.back());
            std::string value;
            if (!reader.ReadExact(size, value))
                break;
            // The client sends the text with its terminating NUL.
            while (!value.empty() && value.back() == '\0')
                value.pop_back();
            write.value = value;
            int error = 0;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_writes.push_back(write);
                auto found = m_attrErrors.find(write.attr);
                if (found != m_attrErrors.end())
                    error = found->second;
            }
            open = SendInteger(fd, error != 0 ? -error : static_cast<long long>(size));
        }
        else if (verb == "WRITEBUF" && tokens.size() >= 3)
        {
            const size_t size = std::stoul(tokens[2]);
            std::string data;
            if (!SendInteger(fd, 0) || !reader.ReadExact(size, data))
                break;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_lastWritten.assign(size / 2, 0);
                std::memcpy(m_lastWritten.data(), data.data(), (size / 2) * 2);
            }
            open = SendInteger(fd, static_cast<long long>(size));
        }
        else
        {
            open = Handle(fd, line);
        }
    }
}

bool CFakeIiod::Handle(int fd, const std::string& line)
{
    const std::vector<std::string> tokens = Split(line);
    const std::string& verb = tokens[0];
    if (verb == "PRINT")
    {
        // The length leaves out the line end that follows the description.
        const std::string xml = ContextXml();
        return SendText(fd, std::to_string(xml.size()) + "\n" + xml + "\n");
    }
    if (verb == "TIMEOUT" || verb == "CLOSE" || verb == "SETTRIG" || verb == "SET")
        return SendInteger(fd, 0);
    if (verb == "GETTRIG" || verb == "READ")
        return SendInteger(fd, -ENOENT);
    if (verb == "OPEN" && tokens.size() >= 4)
    {
        Open open;
        open.device = NameOf(tokens[1]);
        open.samples = std::stoul(tokens[2]);
        open.mask = tokens[3];
        open.cyclic = tokens.size() >= 5 && tokens[4] == "CYCLIC";
        std::lock_guard<std::mutex> lock(m_mutex);
        m_opens.push_back(open);
        return SendInteger(fd, 0);
    }
    if (verb == "READBUF" && tokens.size() >= 3)
    {
        ServeRead(fd, NameOf(tokens[1]), std::stoul(tokens[2]));
        return true;
    }
    // ZPRINT, VERSION and anything else: not supported, the client falls back or fails.
    return SendInteger(fd, -EINVAL);
}

void CFakeIiod::ServeRead(int fd, const std::string& device, size_t bytes)
{
    std::string mask = "00000003";
    std::vector<int16_t> words(bytes / 2, 0);
    int error = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        error = m_readError;
        for (auto open = m_opens.rbegin(); open != m_opens.rend(); ++open)
            if (open->device == device)
            {
                mask = open->mask;
                break;
            }
        if (!m_rxSamples.empty())
            for (auto& word : words)
            {
                word = m_rxSamples[m_rxPosition];
                m_rxPosition = (m_rxPosition + 1) % m_rxSamples.size();
            }
    }
    if (error != 0)
    {
        SendInteger(fd, -error);
        return;
    }
    // One chunk: its length, the channel mask once, then the samples.
    std::string reply = std::to_string(bytes) + "\n" + mask + "\n";
    reply.append(reinterpret_cast<const char*>(words.data()), words.size() * 2);
    reply.resize(reply.size() + bytes % 2, '\0');
    SendText(fd, reply);
}
