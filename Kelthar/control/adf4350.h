#pragma once

#include <array>
#include <cstdint>

#include "iadf4350.h"

// Model of the front end's scanning synthesizer and the scan plan the library runs with it. Frequencies
// are MHz unless a name says Hz. The control-bits object owns one, reads it while it builds the control
// block and drives the scan through the internal operations below; the FFT engine stores the geometry of
// the last long-scan transform here.
class CAdf4350 : public IAdf4350
{
public:
    static constexpr int kCorrectionRows = 9;
    static constexpr uint16_t kMaxFreqStartInt = 6000;
    static constexpr uint16_t kRegisterWordAfterReference = 1030;
    static constexpr int kFirstTuneStep = 7;

    CAdf4350();

    void SetReferenceFreq(double freqHz) override;
    void SetEnabled(bool on) override;
    void SetFlag3(bool on) override;
    void SetScanRange(double start, double stop) override;
    void SetFreqLimits(double min, double max) override;
    void SetQuasiIQ(bool on) override;
    void SetQuasiIQDiff(bool on) override;
    void SetHalfBandEnable(bool on) override;
    void SetScanSpeed(uint8_t speed) override;
    void SetDdcFreq(double freq) override;
    void SetOnlyDdc(bool on) override;
    void SetWithoutDdc(bool on) override;
    void SetGroupBlocks(int groupBlocks) override;
    void SetValue37(int value) override;
    int GetScanTuneStep() override;
    void NextScanTuneStep() override;
    void PrevScanTuneStep() override;
    void SetLpfFilter(uint8_t filter) override;
    void SetValue44(uint16_t value) override;
    void SetToggleA(uint8_t value) override;
    void SetToggleB(uint8_t value) override;
    void SetValue47(uint8_t value) override;
    void FlipToggleA() override;
    void FlipToggleB() override;
    bool IsEnabled() override;
    bool IsFlag3() override;
    bool IsQuasiIQ() override;
    bool IsQuasiIQDiff() override;
    bool IsHalfBandEnable() override;
    uint8_t GetScanSpeed() override;
    double GetDdcFreq() override;
    uint16_t GetFreqDdcInt() override;
    uint16_t GetFreqStartInt() override;
    bool IsOnlyDdc() override;
    bool IsWithoutDdc() override;
    int GetGroupBlocks() override;
    int GetValue37() override;
    uint8_t GetBlockSize() override;
    double GetMinFreq() override;
    double GetMaxFreq() override;
    double GetStartFreq() override;
    double GetStopFreq() override;
    uint8_t GetLpfFilter() override;
    uint16_t GetValue44() override;
    uint8_t GetToggleA() override;
    uint8_t GetToggleB() override;
    uint8_t GetValue47() override;
    uint8_t GetSize() override;
    double GetFreqOnGarm() override;
    int GetNumberGarms() override;
    uint16_t GetRegisterWord() override;
    void SetRegisterWord(uint16_t word) override;
    // Row -1 means the current harmonic row (GetGroupBlocks); any other row outside 0..8 is clamped.
    double GetCorrAmpl(int row) override;
    uint16_t GetShiftGarm(int row) override;
    uint16_t GetShiftFrac(int row) override;
    // Rows 0..8 only; other rows are ignored.
    void SetCorrAmpl(int row, double value) override;
    void SetShiftGarm(int row, uint16_t value) override;
    void SetShiftFrac(int row, uint16_t value) override;
    int ClampScanRange(double* start, double* stop) override;
    void SetFetchFlag(bool on) override;

    // --- Internal operations of the library (control-bits object, FFT engine) ---

    // Set by the control-block build while a synthesizer-scanned channel is current (control word 13
    // bit 31).
    void SetScanActive(bool on) { m_scanActive = on ? 1 : 0; }
    bool IsScanActive() const { return m_scanActive != 0; }
    bool IsFetchFlag() const { return m_fetchFlag != 0; }
    double GetReferenceHz() const { return m_referenceHz; }
    double GetReferenceMHz() const { return m_referenceMHz; }
    // Width one receiver capture covers, MHz.
    double GetCaptureWidth() const { return m_captureWidth; }
    // Written by the FFT engine after each long-scan transform: the width of one point in Hz and the
    // number of points of the range spectrum.
    void SetFreqOnGarm(double widthHz) { m_freqOnGarm = widthHz; }
    void SetNumberGarms(int count) { m_numberGarms = count; }
    // Derives the integer DDC frequency sent in the control block from the DDC frequency and the tune
    // step, stores it, and returns the remaining offset in MHz that the DDC's oscillator must cover
    // (may be negative; the caller floors the tune frequency at 0).
    double ApplyDdcFreqInt();
    // The register word as sent in the control block: bit 6 carries toggle A and bit 13 toggle B. The
    // result is also stored back as the register word.
    uint16_t BuildRegisterWord();

private:
    struct Correction
    {
        double corrAmpl;
        uint16_t shiftFrac;
        uint16_t shiftGarm;
    };

    // Row -1 selects the current harmonic row; everything is clamped into the table.
    int CorrectionRow(int row) const;

    double m_referenceMHz = 0.0;
    double m_captureWidth = 61.0;
    uint8_t m_scanActive = 0;
    uint16_t m_freqStartInt = 548;
    uint8_t m_enabled = 0;
    uint8_t m_flag3 = 0;
    double m_minFreq = 72.0;
    double m_maxFreq = 200.0;
    double m_startFreq = 100.0;
    double m_stopFreq = 200.0;
    uint8_t m_quasiIQ = 0;
    uint8_t m_quasiIQDiff = 0;
    uint8_t m_halfBand = 0;
    uint8_t m_scanSpeed = 4;
    double m_ddcFreq = 509.75;
    uint8_t m_onlyDdc = 0;
    uint8_t m_withoutDdc = 0;
    int32_t m_groupBlocks = 1;
    int32_t m_tuneStep = kFirstTuneStep;
    uint8_t m_lpfFilter = 255;
    uint16_t m_value44 = 0;
    uint8_t m_toggleA = 0;
    uint8_t m_toggleB = 0;
    uint8_t m_value47 = 0;
    int32_t m_value37 = 2;
    double m_freqOnGarm = 625087.0;
    int32_t m_numberGarms = 0;
    uint16_t m_registerWord = 0;
    uint8_t m_blockSize = 16;
    uint8_t m_fetchFlag = 0;
    std::array<Correction, kCorrectionRows> m_corrections;
    uint16_t m_freqDdcInt = 548;
    double m_referenceHz = 0.0;
};
