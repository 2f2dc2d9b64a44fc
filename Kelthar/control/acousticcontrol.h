#pragma once

#include "iacousticcontrol.h"

// Gain of the acoustic input. The control-bits object owns one; the wired-line gain rows set its index
// and the control block carries the index in word 0.
class CAcousticControl : public IAcousticControl
{
public:
    static constexpr int kGainIndexes = 8;

    CAcousticControl() = default;

    void SetGain(int gain) override;
    int GetGain() override;
    void SetGainIndex(int index) override;
    int GetGainIndex() override;
    // Indexes outside 0..7 (from stored settings) are clamped into the table.
    int GetGainDb() override;
    int GetGainScale() override;

private:
    int m_gain = 1;
    int m_gainIndex = 1;
};
