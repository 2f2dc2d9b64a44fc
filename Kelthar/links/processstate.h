#pragma once

#include <atomic>
#include <cstdint>

// Device facts that exist once per loaded library, whatever number of cores the program creates.
struct CoreProcessState
{
    // Set once any core has connected; nothing clears it.
    std::atomic<bool> connected{false};
    // Raised by Connect; the probe check reads it.
    std::atomic<uint8_t> probeRequested{0};
    std::atomic<uint8_t> probeStatus{0};
    std::atomic<uint8_t> probeStatus2{0};
    // The SDR-not-found message appears once per process.
    std::atomic<bool> deviceNotFoundReported{false};
    std::atomic<bool> transmitterStarted{false};
};

CoreProcessState& TheCoreProcessState();
