#pragma once

#include <cstdint>

#include "idlacontrol.h"

class CAcousticControl;

// Settings of the wired-line input unit. The control-bits object owns one, reinitialises it whenever the
// current channel changes and, while the line input is used, takes control words 11 and 14 from it.
class CDlaControl : public IDlaControl
{
public:
    static constexpr int kGains = 8;
    static constexpr int kGainRows = 16;
    // After a change of the line words, the toggle bit alternates on this many control blocks.
    static constexpr uint8_t kRepeatBlocks = 6;

    // The acoustic control belongs to the same control-bits object and outlives this one; the gain rows
    // set its gain index. Without one the rows set only the two amplifier stages. A new control is in
    // the state Reinit(false) gives. The constructor does not touch the acoustic control, so it may be
    // handed one that is constructed later in the same owner.
    explicit CDlaControl(CAcousticControl* acoustic = nullptr);

    void SetComm(int comm) override;
    uint8_t GetComm() override;
    void SetPins(uint8_t first, uint8_t second) override;
    // Negative gains leave everything unchanged; gains above 7 use the top gain.
    void SetGain(int gain) override;
    // Negative rows leave everything unchanged; rows above 15 use the top row.
    void SetGainRow(int row) override;
    int GetGain() override;
    int GetGainRow() override;
    int GetGainDb() override;
    int GetGainScale() override;
    float GetVoltage() override;
    void SetDebugMode(bool on) override;

    // --- Internal operations of the library (control-bits object) ---

    void SetAcoustic(CAcousticControl* acoustic) { m_acoustic = acoustic; }
    // Fresh state for a channel change or a reset: everything 0 except pins 1 and 3, then input pair 0.
    // lineMode is set when the wired-line channel is current.
    void Reinit(bool lineMode);
    bool IsLineMode() const { return m_lineMode != 0; }
    // Builds the two line words for one control block and advances the toggle that tells the unit a
    // block is new: word14 = line word A with the option (bit 21) and toggle (bit 22) bits, word11 = line
    // word B, the reversed gain code. Call once per block.
    void BuildLineWords(uint32_t* word14, uint32_t* word11);
    // Line words without the toggle state (what the next block will carry before option and toggle).
    uint32_t LineWordA() const;
    uint32_t LineWordB() const;
    void SetOption(uint8_t option) { m_option = option; }
    uint8_t GetOption() const { return m_option; }
    uint8_t GetToggle() const { return m_toggle; }
    uint8_t GetRepeat() const { return m_repeat; }
    uint8_t GetGainA() const { return m_gainA; }
    uint8_t GetGainB() const { return m_gainB; }
    bool IsSwap() const { return m_swap != 0; }
    bool IsComm8() const { return m_comm8 != 0; }
    // The two pin codes sent in line word A, in table order (before the swap).
    uint8_t GetPinCode(int i) const { return m_pinCode[i == 0 ? 0 : 1]; }
    uint8_t GetPin1() const { return m_pin1; }
    uint8_t GetPin2() const { return m_pin2; }

private:
    uint8_t m_comm = 0;
    uint8_t m_pin1 = 1;
    uint8_t m_pin2 = 3;
    uint8_t m_swap = 0;
    uint8_t m_lineMode = 0;
    uint8_t m_pinCode[2] = {0, 0};
    uint8_t m_gainA = 0;
    uint8_t m_gainB = 0;
    uint8_t m_optionSaved = 0;
    uint8_t m_toggle = 0;
    int32_t m_debugMode = 0;
    int32_t m_comm8 = 0;
    float m_voltage = 0.0f;
    int32_t m_debugModeCopy = 0;
    CAcousticControl* m_acoustic;
    int32_t m_gainIndex = 0;
    int32_t m_gainRow = 0;
    uint32_t m_lastWordA = 0;
    uint32_t m_lastWordB = 0;
    uint32_t m_sentWordA = 0;
    uint32_t m_sentWordB = 0;
    uint8_t m_repeat = 0;
    uint8_t m_option = 0;
};
