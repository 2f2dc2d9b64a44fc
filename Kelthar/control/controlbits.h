#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "acousticcontrol.h"
#include "adf4350.h"
#include "channel.h"
#include "ddcbandlist.h"
#include "dlacontrol.h"
#include "firfile.h"
#include "icontrolbits.h"
#include "multiadf4350.h"
#include "skycontrol.h"

// The receiver's whole control state, and the builder of the 64-byte control block (sixteen 32-bit
// words) that goes to the device with every read. The core owns one; the program reaches the front-end
// models through GetInterface. Tune frequency and rates are Hz, channel limits and ranges MHz.
// Channel numbers double as channel types: 0 and 3 are swept by the synthesizer, 2 is the wired line
// of the radio unit, 4 the wired-line unit, 5 optical, 6 acoustic.
// No lock: the device thread builds blocks while the GUI thread sets values, each field written whole.
class CControlBits : public IControlBits
{
public:
    static constexpr int kControlWords = 16;
    using ControlBlock = std::array<uint32_t, kControlWords>;

    // Sub-object ids of GetInterface.
    static constexpr int kIdAdf4350 = 1;
    static constexpr int kIdSkyControl = 2;
    static constexpr int kIdDlaControl = 3;
    static constexpr int kIdAcousticControl = 4;
    static constexpr int kIdMultiAdf4350 = 20;

    CControlBits();
    CControlBits(const CControlBits&) = delete;
    CControlBits& operator=(const CControlBits&) = delete;

    bool GetInterface(int id, void** out) override;
    void Reset() override;
    double GetBinWidth() override;
    double GetChannelSampleRate(int channel) override;
    // -1 is the current channel. An index with no channel behind it gives channel 0, or a placeholder
    // channel with rate 0 while there is none, so a caller never reads past the list.
    IChannel* GetChannel(int index) override;
    int GetChannelCount() override;
    int GetCurrentChannelIndex() override;
    int GetDemodType() override;
    double GetTuneFreq() override;
    int GetBandwidthIndex() override;
    double GetBandwidth(int channel, int index) override;
    double GetSampleRate(int channel) override;
    void Init() override;
    bool SetDdcBand(int index, const DDC_BAND_ITEM& item) override;
    bool InsertDdcBand(int index, const DDC_BAND_ITEM& item) override;
    bool RemoveDdcBand(int index) override;
    const DDC_BAND_ITEM& GetDdcBand(int index) override;
    int GetDdcBandCount() override;
    int GetReserved() override;
    int GetPacketSizeCode() override;
    void SetPacketSizeCode(int code) override;
    IChannel* AddChannel(int type, const std::wstring& shortName, const std::wstring& name,
                         double sampleRateHz) override;
    void ClearChannels() override;
    void SetCurrentChannel(int index) override;
    void AddKnownRange(const std::string& name, double startMHz, double endMHz, int switchCode) override;
    void ClearKnownRanges() override;
    int GetKnownRangeCount() override;
    std::vector<KNOWN_RANGE_ITEM> GetKnownRanges() override;
    void SetLMX2595_Struct(int count, int lmx2) override;
    void GetLMX2595_Struct(LMX2595_STRUCT* out) override;
    void SetDemodType(int type) override;
    // Index -1 (no bandwidth chosen yet) tunes without a band around the frequency and keeps -1.
    void SetTuneFreqAndBandwidth(double freqHz, int index) override;
    void SetTuneFreq(double freqHz) override;
    // An empty list leaves no bandwidth chosen (-1).
    void SetBandwidthIndex(int index) override;
    uint8_t SetUserByte(uint8_t value) override;
    int SetUserInt2(int value) override;
    double SetUserDouble(double value) override;
    int SetUserInt(int value) override;
    uint8_t GetUserByte() override;
    int GetUserInt2() override;
    double GetUserDouble() override;
    int GetUserInt() override;
    void SetLineInput(bool on) override;
    bool IsLineInput() override;
    void SetAuxSwitch(bool on) override;
    bool GetAuxSwitch() override;
    void SetRangeSoundOn(bool on) override;
    bool IsRangeSoundOn() override;
    void SetClkDivCnt(int count) override;
    int GetClkDivCnt() override;
    void SetAuxFlag(bool reload) override;
    void SetGainPwm(uint8_t value) override;
    uint8_t GetGainPwm() override;
    void SetAuxMode(bool on) override;
    bool GetAuxMode() override;
    // Nothing is built (0) while no valid bandwidth entry is current.
    int LoadFir() override;

    // --- Internal operations of the library (core, data path, calculators, tests) ---

    // Decimation of entry index of the channel's list (channel -1: the current one); throws
    // std::out_of_range "CControlBits::GetDecimCommon: wrong bandwidth" for an index outside it.
    int GetDecimCommon(int channel, int index);
    // The current bandwidth entry, or null when none is chosen or the index lies outside the list.
    const DDC_BAND_ITEM* GetCurrentDdcBand() const;
    const CDdcBandList& GetBandList(int channel) const;

    const ControlBlock& GetControlBlock() const { return m_controlBlock; }
    // The block as the device receives it: word n at bytes 4n..4n+3, little-endian.
    std::array<uint8_t, 4 * kControlWords> GetControlBlockBytes() const;
    uint16_t GetHeaderCode() const { return m_headerCode; }
    const CFirFile::Area& GetFirCoefficients() const { return m_firCoefficients; }
    int GetFirCoefficientCount() const { return m_firCoefficientCount; }

    // Raised whenever a block that makes the front end apply its settings (strobe 1) is built: the data
    // read with that block is dropped, and the program lowers the flag again.
    bool IsSkipPending() const { return m_strobeBlockBuilt != 0; }
    void SetSkipPending(bool pending) { m_strobeBlockBuilt = pending ? 1 : 0; }

    // Set while the multi-range sweep runs over the known ranges.
    bool IsKnownRangesSet() const { return m_knownRangesSet != 0; }
    void SetKnownRangesSet(bool on) { m_knownRangesSet = on ? 1 : 0; }
    // The converter sweep position; the data path advances lmx1.
    LMX2595_STRUCT& LmxState() { return m_lmx; }

    CAdf4350& Adf() { return m_adf; }
    CMultiAdf4350& MultiAdf() { return m_multiAdf; }
    CDlaControl& Dla() { return m_dla; }
    CSkyControl& Sky() { return m_sky; }
    CAcousticControl& Acoustic() { return m_acoustic; }

private:
    // Construction values of the state Reset restores.
    static constexpr double kDefaultTuneFreqHz = 5e6;
    static constexpr int kDefaultChannel = 2;
    static constexpr int kDefaultPacketSizeCode = 6;
    static constexpr uint8_t kDefaultGainPwm = 30;

    static bool IsSynthesizerChannel(int channel) { return channel == 0 || channel == 3; }
    static bool IsLineChannel(int channel) { return channel == 4 || channel == 6; }

    int ResolveChannel(int channel) const { return channel == -1 ? m_currentChannel : channel; }
    CChannel& ChannelAt(int index);
    CDdcBandList& CurrentBandList() { return IsLineChannel(m_currentChannel) ? m_bandListB : m_bandListA; }
    // Does the band of entry index fit inside the current channel around the tune frequency?
    bool BandFits(int index);
    void FillControlBlock(const DDC_BAND_ITEM& band);

    LMX2595_STRUCT m_lmx;
    ControlBlock m_controlBlock{};
    CAdf4350 m_adf;
    CMultiAdf4350 m_multiAdf;
    CDlaControl m_dla;
    CSkyControl m_sky;
    CAcousticControl m_acoustic;
    uint8_t m_strobeBlockBuilt = 0;
    // For the radio, wired and optical channels; for the wired-line and acoustic channels; unused.
    CDdcBandList m_bandListA;
    CDdcBandList m_bandListB;
    CDdcBandList m_bandListC;
    std::vector<KNOWN_RANGE_ITEM> m_knownRanges;
    uint8_t m_knownRangesSet = 0;
    int32_t m_clkDivCnt = 0;
    double m_tuneFreq = kDefaultTuneFreqHz;
    int32_t m_bandwidthIndex = -1;
    int32_t m_currentChannel = kDefaultChannel;
    int32_t m_packetSizeCode = kDefaultPacketSizeCode;
    int32_t m_demodType = 0;
    int32_t m_userInt = 0;
    uint8_t m_lineInput = 0;
    uint8_t m_auxSwitch = 0;
    int32_t m_reserved = 0;
    uint8_t m_rangeSoundOn = 0;
    uint8_t m_notLineInput = 0;
    uint8_t m_gainPwm = kDefaultGainPwm;
    uint8_t m_auxMode = 0;
    // 0xD2D2 marks a block never built.
    uint16_t m_headerCode = 0xD2D2;
    CFirFile::Area m_firCoefficients{};
    int32_t m_firCoefficientCount = 0;
    uint8_t m_firReload = 0;
    uint8_t m_userByte = 0;
    int32_t m_userInt2 = 0;
    double m_userDouble = 0.0;
    // A deque, so a channel keeps its address when another is added.
    std::deque<CChannel> m_channels;
    // What GetChannel hands out while there is no channel at all.
    CChannel m_noChannel{0, L"", L"", 0.0};
};
