#pragma once

#include <atomic>
#include <cstdint>

// The small pseudo-random noise of the demo signal: a 32-bit shift register, all ones when the library
// loads, shared by every core of the process, so two demo blocks never repeat the same noise.
class CDemoNoise
{
public:
    static constexpr uint32_t kStartRegister = 0xFFFFFFFFu;
    static constexpr uint32_t kFeedback = 0x82608EDBu;

    static CDemoNoise& Instance();

    // One shift: left by one, XOR with the feedback word when the bit shifted out was 1.
    static uint32_t Step(uint32_t shiftRegister);
    // The noise a register gives: its low three bits times 10, negative when bit 2 is set, so -70 to 70
    // in steps of 10.
    static int Value(uint32_t shiftRegister);

    // Steps the process-wide register and returns the new noise value.
    int Next();
    uint32_t Register() const { return m_register.load(std::memory_order_relaxed); }

private:
    CDemoNoise() = default;

    // Only the device thread fills demo blocks; the atomic keeps a second core's fill well defined.
    std::atomic<uint32_t> m_register{kStartRegister};
};
