#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platformexport.h"

namespace kplatform
{
// A sound card output of 16-bit stereo frames fed by whole buffers, the way the system's wave output
// is fed: each written buffer is queued, and once it has been played (or dropped by Reset or Close) the
// completion runs once, on the output's own thread where it has one. Whoever feeds it counts the
// completions to know how many buffers are in flight.
class KPLATFORM_API IAudioOutput
{
public:
    using Completion = std::function<void()>;

    virtual ~IAudioOutput() = default;

    // Opens the named device at frameRateHz frames per second (2 channels, 16 bits little-endian).
    // False, and the output stays closed, when the device is missing, busy or refuses the format.
    virtual bool Open(const std::string& device, unsigned frameRateHz, Completion onBufferDone) = 0;
    // Queues one buffer of whole frames; ignored while closed.
    virtual void Write(std::vector<uint8_t> buffer) = 0;
    // Drops the queued buffers and the rest of the one playing; each still completes.
    virtual void Reset() = 0;
    // Reset, then release the device. Safe to call when closed.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};
}  // namespace kplatform
