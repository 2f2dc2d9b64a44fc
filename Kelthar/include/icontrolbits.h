#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ifpgainterface.h"

class IChannel;

// State of the LMX2595 microwave converter sweep. count 0: the converter is not in use; otherwise the
// sweep steps lmx1 from 0 up to lmx2 - 1, one converter setting per device read (count 2 selects the
// upper band).
struct LMX2595_STRUCT
{
    int32_t count = 0;
    int32_t lmx1 = 0;
    int32_t lmx2 = 1;
};

// One range of the multi-range sweep. Frequencies are MHz; one receiver capture covers 61 MHz.
struct KNOWN_RANGE_ITEM
{
    std::string name;
    double start = 0.0;
    double end = 0.0;
    // start + 61 x count: the end the captures actually reach.
    double coveredEnd = 0.0;
    // Number of 61 MHz captures, (end - start) / 61 rounded up.
    int32_t count = 0;
    // Centre of the first capture, start + 30.5.
    double firstCentre = 0.0;
    // Index of the range's first point in the 32768-point spectrum that lays the known ranges side by
    // side; written by the range calculator when it builds that spectrum.
    int32_t position = 0;
    // Antenna switch for this range: 0 leaves the switches alone, 1..4 selects that antenna.
    int32_t switchCode = 0;
};

// One DDC bandwidth: decimation, output scaling and FIR filter of the device's down-converter. A
// default entry has empty strings and all numbers 0.
struct DDC_BAND_ITEM
{
    std::wstring Name;
    uint16_t DeciCoeff = 0;
    uint8_t OutputScaling = 0;
    uint16_t TapCount = 0;
    // Factor applied to every DDC I, Q and audio value.
    double CorrectAmpl = 0.0;
    // Non-zero: the FIR stage is bypassed. In use, it decimates by a further 2.
    int32_t BypassFir = 0;
    // Non-zero: the device's built-in FIR is used and no file is loaded.
    int32_t DefaultFir = 0;
    // Points cut from each end of the 4096-point DDC and demodulator spectra before the rest is
    // stretched back over 4096 points.
    uint16_t TrimCount = 0;
    int32_t reserved2 = 0;
    // Path of the FIR coefficient file.
    std::wstring FirName;
};

// The receiver's whole control state: input channels, current channel, DDC tune frequency and
// bandwidth, demodulation type, DDC bandwidth lists, known ranges, LMX2595 state, and the front-end
// models handed out by GetInterface (1 IAdf4350, 2 ISkyControl, 3 IDlaControl, 4 IAcousticControl,
// 20 IMultiAdf4350; all members, never freed by the caller). From it LoadFir builds the control block
// the device receives with every read.
// Units: tune frequency, sample rates and bandwidths in Hz; channel limits, bin width and known ranges
// in MHz. A channel argument of -1 means the current channel. The bandwidth list in use is the second
// list for channels 4 and 6 and the first for the others.
class IControlBits : public IFPGAInterface
{
public:
    // Back to the construction values; channels, bandwidth lists and the synthesizer stay.
    virtual void Reset() = 0;
    // MHz per bin of a 32768-point transform.
    virtual double GetBinWidth() = 0;
    virtual double GetChannelSampleRate(int channel) = 0;
    // The operation table carries GetChannel in two adjacent positions with one body; one declaration
    // covers both.
    virtual IChannel* GetChannel(int index) = 0;
    virtual int GetChannelCount() = 0;
    virtual int GetCurrentChannelIndex() = 0;
    virtual int GetDemodType() = 0;
    // For the synthesizer-scanned channels 0 and 3 the synthesizer's DDC frequency, else the stored one.
    virtual double GetTuneFreq() = 0;
    virtual int GetBandwidthIndex() = 0;
    // Sample rate of that bandwidth entry plus 1.0 Hz.
    virtual double GetBandwidth(int channel, int index) = 0;
    // DDC sample rate of the current bandwidth entry. The operation table carries it in two adjacent
    // positions, the second named GetSampleRate2, with one body; one declaration covers both.
    virtual double GetSampleRate(int channel) = 0;
    // Builds the default bandwidth lists.
    virtual void Init() = 0;
    // The bandwidth-list editors work on the list of the current channel.
    virtual bool SetDdcBand(int index, const DDC_BAND_ITEM& item) = 0;
    // An index beyond the end appends.
    virtual bool InsertDdcBand(int index, const DDC_BAND_ITEM& item) = 0;
    virtual bool RemoveDdcBand(int index) = 0;
    // Throws std::out_of_range "Bandwidth" for an index outside the list.
    virtual const DDC_BAND_ITEM& GetDdcBand(int index) = 0;
    virtual int GetDdcBandCount() = 0;
    // Always 0.
    virtual int GetReserved() = 0;
    virtual int GetPacketSizeCode() = 0;
    virtual void SetPacketSizeCode(int code) = 0;
    virtual IChannel* AddChannel(int type, const std::wstring& shortName, const std::wstring& name,
                                 double sampleRateHz) = 0;
    virtual void ClearChannels() = 0;
    virtual void SetCurrentChannel(int index) = 0;
    virtual void AddKnownRange(const std::string& name, double startMHz, double endMHz, int switchCode) = 0;
    virtual void ClearKnownRanges() = 0;
    virtual int GetKnownRangeCount() = 0;
    virtual std::vector<KNOWN_RANGE_ITEM> GetKnownRanges() = 0;
    // Stores {count, 0, lmx2}: the converter sweep restarts.
    virtual void SetLMX2595_Struct(int count, int lmx2) = 0;
    virtual void GetLMX2595_Struct(LMX2595_STRUCT* out) = 0;
    // 0 direct, 1 AM, 2 FM, 3 I + Q alternating sign, 4 I - Q; anything else stores 0.
    virtual void SetDemodType(int type) = 0;
    // Clamps the frequency so that the whole band lies inside the current channel.
    virtual void SetTuneFreqAndBandwidth(double freqHz, int index) = 0;
    virtual void SetTuneFreq(double freqHz) = 0;
    // Takes the entry when its band fits inside the channel around the tune frequency, else the nearest
    // one that fits; when none does, the last entry, with the tune frequency lowered by half its band. An
    // index outside the list starts from 0.
    virtual void SetBandwidthIndex(int index) = 0;
    // Plain stored values; each setter returns the value it stored.
    virtual uint8_t SetUserByte(uint8_t value) = 0;
    virtual int SetUserInt2(int value) = 0;
    virtual double SetUserDouble(double value) = 0;
    virtual int SetUserInt(int value) = 0;
    virtual uint8_t GetUserByte() = 0;
    virtual int GetUserInt2() = 0;
    virtual double GetUserDouble() = 0;
    virtual int GetUserInt() = 0;
    virtual void SetLineInput(bool on) = 0;
    virtual bool IsLineInput() = 0;
    virtual void SetAuxSwitch(bool on) = 0;
    virtual bool GetAuxSwitch() = 0;
    virtual void SetRangeSoundOn(bool on) = 0;
    virtual bool IsRangeSoundOn() = 0;
    virtual void SetClkDivCnt(int count) = 0;
    virtual int GetClkDivCnt() = 0;
    // Requests a FIR file reload at the next LoadFir.
    virtual void SetAuxFlag(bool reload) = 0;
    virtual void SetGainPwm(uint8_t value) = 0;
    virtual uint8_t GetGainPwm() = 0;
    virtual void SetAuxMode(bool on) = 0;
    virtual bool GetAuxMode() = 0;
    // Rebuilds the control block, first reading the FIR file when a reload was requested. 1 when that
    // file failed to load (the entry is then switched to bypass), else 0.
    virtual int LoadFir() = 0;
};
