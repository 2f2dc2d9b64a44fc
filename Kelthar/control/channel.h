#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ichannel.h"

// One input channel of the device. The control-bits object keeps its channels by value and hands out
// pointers to them. Frequencies are MHz, the sample rate Hz.
class CChannel : public IChannel
{
public:
    // The per-channel DC offsets the demodulator step adds to its I, Q and audio values.
    enum class DcOffset
    {
        I = 0,
        Q = 1,
        Audio = 2
    };

    CChannel(int type, const std::wstring& shortName, const std::wstring& name, double sampleRateHz);

    int GetType() override;
    std::wstring GetName() override;
    std::wstring GetShortName() override;
    double GetSampleRate() override;
    double GetStartFreq() override;
    double GetStopFreq() override;
    double GetViewStopFreq() override;
    double GetUpperLimit() override;
    // Indexes outside 0..2 read the neutral value (1.0 for the oscilloscope triple, 0.0 for the dB one).
    double GetOscCorrection(int i) override;
    double GetDbmCorrection(int i) override;
    // Index 0 is asked for outside the long scan (harmonic row 0) and reads 0.0; indexes outside 0..8
    // read 0.0 as well.
    double GetDbmCorrection2(int i) override;
    int SetType(int type) override;
    void SetName(const std::wstring& name) override;
    void SetSampleRate(double rateHz) override;
    void SetStartFreq(double freqMHz) override;
    void SetStopFreq(double freqMHz) override;
    void SetViewStopFreq(double freqMHz) override;
    void SetUpperLimit(double freqMHz) override;
    // Indexes outside the row (0..2, or 1..8 for the second dB row) are ignored.
    int SetOscCorrection(int i, double value) override;
    int SetDbmCorrection(int i, double value) override;
    int SetDbmCorrection2(int i, double value) override;

    // --- Internal operations of the library (demodulator step) ---

    int32_t GetDcOffset(DcOffset which) const;
    void SetDcOffset(DcOffset which, int32_t value);

private:
    static constexpr int kTripleSize = 3;
    // Slot 0 plus the eight synthesizer bands 1..8.
    static constexpr int kBandRowSize = 9;

    // Word 0 is unused; words 1..3 hold the I, Q and audio DC offsets.
    std::array<uint32_t, 4> m_words{};
    int32_t m_type;
    std::wstring m_name = L"<New Channel>";
    std::wstring m_shortName;
    double m_sampleRate;
    double m_startFreq = 0.0;
    // The rate is Hz and these are MHz: the default is only a placeholder until the program sets the
    // limits right after creating the channel.
    double m_stopFreq;
    double m_viewStopFreq;
    double m_upperLimit;
    std::array<double, kTripleSize> m_oscCorrection{1.0, 1.0, 1.0};
    std::array<double, kTripleSize> m_dbmCorrection{};
    std::array<double, kBandRowSize> m_dbmCorrection2{};
};
