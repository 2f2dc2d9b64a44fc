#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "serial.h"

class IFrontEndCommands;

// The front-end unit as the whole process sees it: one serial port, one status and the last antenna
// input sent, shared by every core. The unit is started once per process, by the first core: a later
// core (the recording viewer makes one) would otherwise reopen the exclusive port, fail, and declare
// the live unit lost.
class CFrontEndLink
{
public:
    // Front-end status values.
    static constexpr int kOperational = 0;
    static constexpr int kNotFound = 1;
    static constexpr int kCommandError = 2;

    static CFrontEndLink& Instance();

    // On the first call in the process: finds and opens the unit's port, uploads the command program,
    // latches the start-up setting and loads the synthesizer, all through the first core's commands.
    // What went wrong is shown once, as a code of two bits per step; a failed synthesizer load leaves
    // the status at kCommandError. Later calls do nothing.
    void StartOnce(IFrontEndCommands& commands);

    int GetStatus() const { return m_status.load(); }
    void SetStatus(int status) { m_status.store(status); }
    int GetLastAntenna() const { return m_lastAntenna.load(); }
    void SetLastAntenna(int input) { m_lastAntenna.store(input); }
    CSerial& Serial() { return m_serial; }

    // For tests and benchmarks, never called by the program (the library exports only its entry): takes
    // the unit as started, so no core looks for the port any more, and sets the status. Status 0 lets
    // the data path run against a test's SDR link without a unit on the bench.
    void SetStatusForTesting(int status);
    // For tests: the port search looks at this sysfs tree and names ports under this device folder.
    void SetSearchRootsForTesting(const std::string& sysfsRoot, const std::string& devRoot);

private:
    CFrontEndLink() = default;

    std::mutex m_startMutex;
    bool m_started = false;
    std::atomic<int> m_status{kOperational};
    std::atomic<int> m_lastAntenna{0};
    std::string m_sysfsRoot = "/sys";
    std::string m_devRoot = "/dev";
    CSerial m_serial;
};
