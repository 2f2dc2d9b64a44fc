#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "iskycontrol.h"

// Settings of the radio front-end unit and the SDR's URI. The control-bits object owns one and reads it
// while it builds the control block; the strobe and step-strobe counters count down there.
class CSkyControl : public ISkyControl
{
public:
    static constexpr uint8_t kStrobResend = 0xFF;
    static constexpr uint8_t kMaxAttenuatorDb = 31;
    static constexpr int kAmplCodes = 26;
    static constexpr int kGainCodes = 2;
    static constexpr int kGainIndexes = 10;

    CSkyControl();

    void SetAuxByte(uint8_t value) override;
    void SetStrob(uint8_t strob) override;
    void SetAmpl(uint8_t ampl) override;
    void SetGain(uint8_t gain) override;
    void SetFreq(uint8_t freq) override;
    void SetStep(uint8_t step) override;
    void SetStepStrob(uint8_t stepStrob) override;
    void SetValue28(uint8_t value) override;
    bool StepAttenuatorUp() override;
    void StepAttenuatorDown() override;
    void SetAttenuator(uint8_t attenuatorDb) override;
    void SetAttSwitch(uint8_t on) override;
    void SetAmplSwitch(uint8_t on) override;
    void SetFilter(uint8_t filter) override;
    void SetCommutator(uint8_t commutator) override;
    void SetCommutatorLevel(const int levels[3]) override;
    uint8_t GetLMX() override;
    void SetLMX(uint8_t lmx) override;
    void SetUri(const std::string& uri) override;
    // Negative indexes leave everything unchanged; indexes above 9 use the top row (and are stored as 9).
    void SetGainIndex(int index) override;
    uint8_t GetAuxByte() override;
    uint8_t GetStrob() override;
    uint8_t GetAmpl() override;
    uint8_t GetGain() override;
    uint8_t GetFreq() override;
    uint8_t GetStep() override;
    uint8_t GetStepStrob() override;
    uint8_t GetValue28() override;
    uint8_t GetAttenuator() override;
    uint8_t GetAttSwitch() override;
    uint8_t GetAmplSwitch() override;
    uint8_t GetFilter() override;
    uint8_t GetCommutator() override;
    int* GetCommutatorLevel() override;
    int GetGainIndex() override;
    // Codes outside the tables (from stored settings) are clamped to the last row.
    int GetGainDb() override;
    int GetGainScale() override;

    // --- Internal operations of the library (control-bits object, SDR link) ---

    // Back to the construction values, as the control-bits object's Reset wants them: strob, ampl, freq,
    // step, step strobe, gain index, commutator, commutator levels and URI. Gain, attenuator, switches,
    // filter and LMX selection keep their values.
    void ResetDefaults();
    // One control block was built: a pending strobe count (neither 0 nor 0xFF) goes down by one.
    void CountDownStrob();
    // One control block carried the step byte: the step strobe goes down by one. Unlike SetStepStrob
    // this does not ask for a resend.
    void CountDownStepStrob();
    const std::string& GetUri() const { return m_uri; }
    int GetAttStepHold() const { return m_attStepHold; }

private:
    uint8_t m_auxByte = 0;
    uint8_t m_strob = kStrobResend;
    uint8_t m_ampl = 1;
    uint8_t m_gain = 0;
    uint8_t m_freq = 27;
    uint8_t m_step = 60;
    uint8_t m_stepStrob = 1;
    uint8_t m_value28 = 0;
    int32_t m_gainIndex = 2;
    uint8_t m_attenuator = 0;
    uint8_t m_attSwitch = 0;
    uint8_t m_amplSwitch = 0;
    // The program sets the filter when its options are restored; until then the widest setting.
    uint8_t m_filter = 0;
    uint8_t m_commutator = 1;
    std::array<int, 3> m_commutatorLevel{};
    uint8_t m_lmx = 0;
    int32_t m_attStepHold = 0;
    std::string m_uri;
};
