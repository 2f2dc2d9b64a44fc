#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small stand-in for the transceiver's network daemon, served by the test itself on 127.0.0.1 and a
// port the system picks, so the real libiio client can be tested without hardware and without leaving
// the machine. It describes ad9361-phy, cf-ad9361-lpc and cf-ad9361-dds-core-lpc with their channels,
// records every command and attribute write, streams scripted int16 I/Q samples for the receive
// buffer and keeps what the transmit buffer sends. Each client connection is served by its own
// thread; the destructor closes them all.
class CFakeIiod
{
public:
    struct Write
    {
        std::string device;
        // "INPUT" or "OUTPUT" for channel attributes, empty for device attributes.
        std::string direction;
        std::string channel;
        std::string attr;
        // Without the terminating NUL the client sends.
        std::string value;

        bool operator==(const Write& other) const;
    };

    struct Open
    {
        std::string device;
        size_t samples = 0;
        // The channel mask as the client sends it (hex words).
        std::string mask;
        bool cyclic = false;
    };

    // Starts serving at once. Throws std::runtime_error when no loopback socket can be had.
    CFakeIiod();
    ~CFakeIiod();
    CFakeIiod(const CFakeIiod&) = delete;
    CFakeIiod& operator=(const CFakeIiod&) = delete;

    uint16_t Port() const { return m_port; }
    // "ip:127.0.0.1:<port>".
    std::string Uri() const;

    // --- Script (takes effect for later requests) ---

    // Leaves a device out of the description that later clients receive.
    void RemoveDevice(const std::string& name);
    // Writes of the attribute answer -error (0: they succeed again).
    void SetAttrError(const std::string& attr, int error);
    // Receive samples as interleaved I, Q pairs, served cyclically across reads; empty serves zeros.
    void SetRxSamples(std::vector<int16_t> iq);
    // Reads of the receive buffer answer -error (0: they succeed again).
    void SetReadError(int error);

    // --- Record ---

    std::vector<Write> Writes() const;
    // Channel attribute writes of one device and attribute, in order, as (channel, value).
    std::vector<std::pair<std::string, std::string>> WritesOf(const std::string& device,
                                                              const std::string& attr) const;
    // Every command line received, without its line end, in arrival order across connections.
    std::vector<std::string> Commands() const;
    std::vector<Open> Opens() const;
    // The samples of the last transmit write, as interleaved int16.
    std::vector<int16_t> LastWritten() const;
    // Connections accepted so far.
    int Connections() const;
    void ClearRecord();

    // The context description served for PRINT.
    std::string ContextXml() const;

private:
    void AcceptLoop();
    void Serve(int fd);
    void ServeCommands(int fd);
    bool Handle(int fd, const std::string& line);
    void ServeRead(int fd, const std::string& device, size_t bytes);

    int m_listenFd = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptThread;

    mutable std::mutex m_mutex;
    std::vector<std::thread> m_clients;
    std::vector<int> m_clientFds;
    std::vector<std::string> m_removedDevices;
    std::map<std::string, int> m_attrErrors;
    std::vector<int16_t> m_rxSamples;
    size_t m_rxPosition = 0;
    int m_readError = 0;

    std::vector<Write> m_writes;
    std::vector<std::string> m_commands;
    std::vector<Open> m_opens;
    std::vector<int16_t> m_lastWritten;
    int m_connections = 0;
};
