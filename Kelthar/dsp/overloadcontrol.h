#pragma once

#include <cstdint>

class CControlBits;

// What the sweep step does with the level of each block: it decides whether the block is overloaded,
// holds the overload state the views show, and steps the current input's gain down on overload and up
// while the block is quiet. Levels are int16 sample units.
class COverloadControl
{
public:
    // The radio inputs 0, 2 and 3 deliver 12-bit samples; the line inputs use the range less a third.
    static constexpr int kRadioOverloadLevel = 2047;
    static constexpr int kLineOverloadLevel = 21846;
    // A block whose samples span less than this asks for more gain.
    static constexpr int kQuietSpan = 8192;
    // An overload shows on its own block and the next one.
    static constexpr int kHoldBlocks = 2;

    // One block whose I and Q samples lay within [minimum, maximum], on the given input type. The gain
    // steps act on the control bits' models: the wired-line gain row (type 4), the acoustic gain (type
    // 6) and the radio unit's gain index (type 2, on every second block that asks for a step).
    void Update(int channelType, int maximum, int minimum, CControlBits& bits);

    // 0 no overload, 1 overload.
    int GetState() const { return m_state; }

private:
    void StepGain(int channelType, bool overload, bool quiet, CControlBits& bits);

    // Mode 0 detects overloads from the samples; mode 1 takes bit 6 of the status word; other modes keep
    // the state as it is. Nothing in the library changes the mode or the status word.
    int32_t m_mode = 0;
    int32_t m_state = 0;
    uint32_t m_statusWord = 0;
    int32_t m_hold = 0;
    bool m_skyStepDue = false;
};
