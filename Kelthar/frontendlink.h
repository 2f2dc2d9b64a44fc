#pragma once

#include <atomic>
#include <mutex>

#include "serial.h"

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

    // Finds and opens the unit's port on the first call in the process; later calls do nothing.
    void StartOnce();

    int GetStatus() const { return m_status.load(); }
    void SetStatus(int status) { m_status.store(status); }
    int GetLastAntenna() const { return m_lastAntenna.load(); }
    void SetLastAntenna(int input) { m_lastAntenna.store(input); }
    CSerial& Serial() { return m_serial; }

    // For tests and benchmarks, never called by the program (the library exports only its entry): takes
    // the unit as started, so no core looks for the port any more, and sets the status. Status 0 lets
    // the data path run against a test's SDR link without a unit on the bench.
    void SetStatusForTesting(int status);

private:
    CFrontEndLink() = default;

    std::mutex m_startMutex;
    bool m_started = false;
    std::atomic<int> m_status{kOperational};
    std::atomic<int> m_lastAntenna{0};
    CSerial m_serial;
};
