#include "demonoise.h"

CDemoNoise& CDemoNoise::Instance()
{
    static CDemoNoise noise;
    return noise;
}

uint32_t CDemoNoise::Step(uint32_t shiftRegister)
{
    const bool carry = (shiftRegister & 0x80000000u) != 0;
    shiftRegister <<= 1;
    return carry ? shiftRegister ^ kFeedback : shiftRegister;
}

int CDemoNoise::Value(uint32_t shiftRegister)
{
    const int magnitude = static_cast<int>(shiftRegister & 7u) * 10;
    return (shiftRegister & 4u) != 0 ? -magnitude : magnitude;
}

int CDemoNoise::Next()
{
    const uint32_t next = Step(m_register.load(std::memory_order_relaxed));
    m_register.store(next, std::memory_order_relaxed);
    return Value(next);
}
