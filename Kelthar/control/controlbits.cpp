#include "controlbits.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "messagesink.h"
#include "textcodec.h"

namespace
{
// Bin width of the synthesizer-swept channels: one 122 MHz capture over a 32768-point transform.
constexpr double kSweptBinWidthMHz = 122.0 / 32768.0;
constexpr int kTransformPoints = 32768;
// One receiver capture covers 61 MHz; a wider scan range is swept in long-scan mode.
constexpr double kCaptureWidthMHz = 61.0;

constexpr uint16_t kHeaderFixedTune = 0xD29B;
constexpr uint16_t kHeaderScanning = 0xBE8E;
constexpr uint8_t kStrobResend = CSkyControl::kStrobResend;
// Strobe count a changed setting starts from: the block after next makes the unit apply it.
constexpr uint8_t kStrobAfterChange = 2;
constexpr uint8_t kStrobApply = 1;

// Channels served by the radio front-end unit (the others are the wired-line and acoustic units).
bool IsRadioUnitChannel(int channel)
{
    return channel == 0 || channel == 1 || channel == 2 || channel == 3 || channel == 5;
}

uint32_t Bit(bool on, int bit)
{
    return on ? (1u << bit) : 0u;
}

// The DDC oscillator's phase step per sample. Its phase accumulator wraps at 2^32, and so does the word.
uint32_t NcoWord(double freqHz, double rateHz)
{
    constexpr double kTurn = 4294967296.0;
    if (!(rateHz > 0.0))
        return 0;
    const double steps = std::round(freqHz * kTurn / rateHz);
    if (!std::isfinite(steps))
        return 0;
    double wrapped = std::fmod(steps, kTurn);
    if (wrapped < 0.0)
        wrapped += kTurn;
    return static_cast<uint32_t>(static_cast<uint64_t>(wrapped));
}

// The acoustic gain index owns bits 4-8 of word 0; an index from damaged settings must not reach the
// switch bits 10 and 11 above it.
uint32_t AcousticGainBits(int gainIndex)
{
    return static_cast<uint32_t>(gainIndex) & 0x1F;
}

uint32_t ByteSum(uint32_t word)
{
    return (word & 0xFF) + ((word >> 8) & 0xFF) + ((word >> 16) & 0xFF) + (word >> 24);
}

int32_t CaptureCount(double startMHz, double endMHz)
{
    const double count = std::ceil((endMHz - startMHz) / kCaptureWidthMHz);
    if (std::isnan(count))
        return 0;
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(count > kMax ? kMax : (count < kMin ? kMin : count));
}
}  // namespace

CControlBits::CControlBits() : m_multiAdf(&m_adf)
{
    // The wired-line gain rows drive the acoustic gain; the acoustic control is built after it.
    m_dla.SetAcoustic(&m_acoustic);
}

bool CControlBits::GetInterface(int id, void** out)
{
    if (out == nullptr)
        return false;
    switch (id)
    {
        case kIdAdf4350:
            *out = static_cast<IAdf4350*>(&m_adf);
            return true;
        case kIdSkyControl:
            *out = static_cast<ISkyControl*>(&m_sky);
            return true;
        case kIdDlaControl:
            *out = static_cast<IDlaControl*>(&m_dla);
            return true;
        case kIdAcousticControl:
            *out = static_cast<IAcousticControl*>(&m_acoustic);
            return true;
        case kIdMultiAdf4350:
            *out = static_cast<IMultiAdf4350*>(&m_multiAdf);
            return true;
        default:
            return false;
    }
}

void CControlBits::Reset()
{
    m_lmx = LMX2595_STRUCT{};
    m_tuneFreq = kDefaultTuneFreqHz;
    m_currentChannel = kDefaultChannel;
    m_bandwidthIndex = -1;
    m_packetSizeCode = kDefaultPacketSizeCode;
    m_demodType = 0;
    m_lineInput = 0;
    m_auxSwitch = 0;
    m_rangeSoundOn = 0;
    m_notLineInput = 0;
    m_auxMode = 0;
    m_strobeBlockBuilt = 0;
    m_firCoefficientCount = 0;
    m_firReload = 0;
    m_gainPwm = kDefaultGainPwm;
    m_sky.ResetDefaults();
    m_dla.Reinit(m_currentChannel == 4);
    m_controlBlock.fill(0);
}

double CControlBits::GetBinWidth()
{
    if (IsSynthesizerChannel(m_currentChannel))
        return kSweptBinWidthMHz;
    return ChannelAt(-1).GetSampleRate() / 1e6 / kTransformPoints;
}

double CControlBits::GetChannelSampleRate(int channel)
{
    return ChannelAt(channel).GetSampleRate();
}

IChannel* CControlBits::GetChannel(int index)
{
    return &ChannelAt(index);
}

CChannel& CControlBits::ChannelAt(int index)
{
    const int resolved = ResolveChannel(index);
    if (resolved >= 0 && resolved < static_cast<int>(m_channels.size()))
        return m_channels[resolved];
    // The current channel number is the input type, which need not have a channel of its own.
    return m_channels.empty() ? m_noChannel : m_channels.front();
}

int CControlBits::GetChannelCount()
{
    return static_cast<int>(m_channels.size());
}

int CControlBits::GetCurrentChannelIndex()
{
    return m_currentChannel;
}

int CControlBits::GetDemodType()
{
    return m_demodType;
}

double CControlBits::GetTuneFreq()
{
    if (IsSynthesizerChannel(m_currentChannel))
        return m_adf.GetDdcFreq() * 1e6;
    return m_tuneFreq;
}

int CControlBits::GetBandwidthIndex()
{
    return m_bandwidthIndex;
}

double CControlBits::GetBandwidth(int channel, int index)
{
    const int decimation = GetDecimCommon(channel, index);
    return ChannelAt(channel).GetSampleRate() / CDdcBandList::RateDivisor(decimation) + 1.0;
}

double CControlBits::GetSampleRate(int channel)
{
    const int decimation = GetDecimCommon(channel, m_bandwidthIndex);
    return ChannelAt(channel).GetSampleRate() / CDdcBandList::RateDivisor(decimation);
}

int CControlBits::GetDecimCommon(int channel, int index)
{
    const DDC_BAND_ITEM* band = GetBandList(channel).Find(index);
    if (band == nullptr)
    {
        static const char* const kWrongBandwidth = "CControlBits::GetDecimCommon: wrong bandwidth";
        kplatform::Trace(kWrongBandwidth);
        throw std::out_of_range(kWrongBandwidth);
    }
    return CDdcBandList::Decimation(*band);
}

const CDdcBandList& CControlBits::GetBandList(int channel) const
{
    return IsLineChannel(ResolveChannel(channel)) ? m_bandListB : m_bandListA;
}

const DDC_BAND_ITEM* CControlBits::GetCurrentDdcBand() const
{
    return GetBandList(-1).Find(m_bandwidthIndex);
}

void CControlBits::Init()
{
    m_bandListA = CDdcBandList::MakeWideList();
    m_bandListC = CDdcBandList::MakeSpareList();
    m_bandListB = CDdcBandList::MakeLineList();
}

bool CControlBits::SetDdcBand(int index, const DDC_BAND_ITEM& item)
{
    return CurrentBandList().Set(index, item);
}

bool CControlBits::InsertDdcBand(int index, const DDC_BAND_ITEM& item)
{
    return CurrentBandList().Insert(index, item);
}

bool CControlBits::RemoveDdcBand(int index)
{
    return CurrentBandList().Remove(index);
}

const DDC_BAND_ITEM& CControlBits::GetDdcBand(int index)
{
    return CurrentBandList().Get(index);
}

int CControlBits::GetDdcBandCount()
{
    return CurrentBandList().Count();
}

int CControlBits::GetReserved()
{
    return m_reserved;
}

int CControlBits::GetPacketSizeCode()
{
    return m_packetSizeCode;
}

void CControlBits::SetPacketSizeCode(int code)
{
    m_packetSizeCode = code;
}

IChannel* CControlBits::AddChannel(int type, const std::wstring& shortName, const std::wstring& name,
                                   double sampleRateHz)
{
    m_channels.emplace_back(type, shortName, name, sampleRateHz);
    return &m_channels.back();
}

void CControlBits::ClearChannels()
{
    m_channels.clear();
}

void CControlBits::SetCurrentChannel(int index)
{
    if (index == m_currentChannel)
        return;
    m_currentChannel = index;
    m_adf.SetEnabled(IsSynthesizerChannel(index));
    SetLineInput(IsLineChannel(index));
    m_dla.Reinit(index == 4);
    m_bandwidthIndex = 0;
}

void CControlBits::AddKnownRange(const std::string& name, double startMHz, double endMHz, int switchCode)
{
    KNOWN_RANGE_ITEM item;
    item.name = name;
    item.start = startMHz;
    item.end = endMHz;
    item.count = CaptureCount(startMHz, endMHz);
    item.coveredEnd = startMHz + kCaptureWidthMHz * item.count;
    item.firstCentre = startMHz + kCaptureWidthMHz * 0.5;
    item.switchCode = switchCode;
    m_knownRanges.push_back(item);
    m_knownRangesSet = 1;
}

void CControlBits::ClearKnownRanges()
{
    m_knownRanges.clear();
    m_knownRangesSet = 0;
}

int CControlBits::GetKnownRangeCount()
{
    return static_cast<int>(m_knownRanges.size());
}

std::vector<KNOWN_RANGE_ITEM> CControlBits::GetKnownRanges()
{
    return m_knownRanges;
}

void CControlBits::SetLMX2595_Struct(int count, int lmx2)
{
    m_lmx = LMX2595_STRUCT{count, 0, lmx2};
}

void CControlBits::GetLMX2595_Struct(LMX2595_STRUCT* out)
{
    if (out != nullptr)
        *out = m_lmx;
}

void CControlBits::SetDemodType(int type)
{
    m_demodType = type >= 0 && type <= 4 ? type : 0;
}

void CControlBits::SetTuneFreqAndBandwidth(double freqHz, int index)
{
    CChannel& channel = ChannelAt(-1);
    const double lowHz = channel.GetStartFreq() * 1e6;
    const double highHz = channel.GetUpperLimit() * 1e6;
    double freq = freqHz;
    if (freq < lowHz)
        freq = lowHz;
    if (freq > highHz)
        freq = highHz;
    // The whole band must lie inside the channel; without a band only the frequency is kept inside.
    const double half = index == -1 ? 0.0 : GetBandwidth(-1, index) * 0.5;
    if (freq - half < lowHz)
        freq = lowHz + half;
    if (freq + half > highHz)
        freq = highHz - half;
    m_tuneFreq = freq;
    m_adf.SetDdcFreq(freq / 1e6);
    m_bandwidthIndex = index;
}

void CControlBits::SetTuneFreq(double freqHz)
{
    SetTuneFreqAndBandwidth(freqHz, m_bandwidthIndex);
}

bool CControlBits::BandFits(int index)
{
    CChannel& channel = ChannelAt(-1);
    const double half = GetBandwidth(-1, index) * 0.5;
    const double tune = GetTuneFreq();
    return tune - half >= channel.GetStartFreq() * 1e6 && tune + half <= channel.GetStopFreq() * 1e6;
}

void CControlBits::SetBandwidthIndex(int index)
{
    const int count = CurrentBandList().Count();
    if (count == 0)
    {
        m_bandwidthIndex = -1;
        return;
    }
    if (index < 0 || index >= count)
        index = 0;
    if (BandFits(index))
    {
        m_bandwidthIndex = index;
        return;
    }
    // The band sticks out of the channel. Out at the bottom: try the entries after it (narrower in the
    // default lists); out at the top: the entries before it.
    CChannel& channel = ChannelAt(-1);
    const double half = GetBandwidth(-1, index) * 0.5;
    if (m_tuneFreq - half < channel.GetStartFreq() * 1e6)
    {
        for (int i = index; i < count; ++i)
        {
            if (BandFits(i))
            {
                m_bandwidthIndex = i;
                return;
            }
        }
    }
    if (m_tuneFreq + half > channel.GetStopFreq() * 1e6)
    {
        for (int i = index - 1; i >= 0; --i)
        {
            if (BandFits(i))
            {
                m_bandwidthIndex = i;
                return;
            }
        }
    }
    m_bandwidthIndex = count - 1;
    m_tuneFreq -= GetBandwidth(-1, count - 1) * 0.5;
}

uint8_t CControlBits::SetUserByte(uint8_t value)
{
    m_userByte = value;
    return value;
}

int CControlBits::SetUserInt2(int value)
{
    m_userInt2 = value;
    return value;
}

double CControlBits::SetUserDouble(double value)
{
    m_userDouble = value;
    return value;
}

int CControlBits::SetUserInt(int value)
{
    m_userInt = value;
    return value;
}

uint8_t CControlBits::GetUserByte()
{
    return m_userByte;
}

int CControlBits::GetUserInt2()
{
    return m_userInt2;
}

double CControlBits::GetUserDouble()
{
    return m_userDouble;
}

int CControlBits::GetUserInt()
{
    return m_userInt;
}

void CControlBits::SetLineInput(bool on)
{
    m_lineInput = on ? 1 : 0;
}

bool CControlBits::IsLineInput()
{
    return m_lineInput != 0;
}

void CControlBits::SetAuxSwitch(bool on)
{
    m_auxSwitch = on ? 1 : 0;
}

bool CControlBits::GetAuxSwitch()
{
    return m_auxSwitch != 0;
}

void CControlBits::SetRangeSoundOn(bool on)
{
    m_rangeSoundOn = on ? 1 : 0;
}

bool CControlBits::IsRangeSoundOn()
{
    return m_rangeSoundOn != 0;
}

void CControlBits::SetClkDivCnt(int count)
{
    m_clkDivCnt = count;
}

int CControlBits::GetClkDivCnt()
{
    return m_clkDivCnt;
}

void CControlBits::SetAuxFlag(bool reload)
{
    m_firReload = reload ? 1 : 0;
}

void CControlBits::SetGainPwm(uint8_t value)
{
    m_gainPwm = value;
}

uint8_t CControlBits::GetGainPwm()
{
    return m_gainPwm;
}

void CControlBits::SetAuxMode(bool on)
{
    m_auxMode = on ? 1 : 0;
}

bool CControlBits::GetAuxMode()
{
    return m_auxMode != 0;
}

int CControlBits::LoadFir()
{
    DDC_BAND_ITEM* band = CurrentBandList().Find(m_bandwidthIndex);
    if (band == nullptr)
        return 0;

    m_controlBlock.fill(0);
    const bool longScan = m_adf.IsEnabled() && m_adf.GetStopFreq() - m_adf.GetStartFreq() > kCaptureWidthMHz;
    m_adf.SetFlag3(longScan);
    if (m_sky.GetStrob() == kStrobResend)
        m_sky.SetStrob(kStrobAfterChange);

    if (m_firReload != 0 && band->BypassFir == 0 && band->DefaultFir == 0)
    {
        // One reload per request. A file that does not load leaves the entry bypassing the FIR stage,
        // so the next build goes through.
        m_firReload = 0;
        if (!CFirFile::Read(kplatform::WideToUtf8(band->FirName), m_firCoefficients, m_firCoefficientCount))
        {
            band->BypassFir = 1;
            return 1;
        }
    }

    m_headerCode = kHeaderFixedTune;
    if (IsSynthesizerChannel(m_currentChannel))
    {
        m_adf.SetScanActive(true);
        if (m_adf.IsEnabled())
        {
            if (m_multiAdf.IsEnabled())
            {
                m_multiAdf.NextRange();
            }
            else
            {
                double start = m_adf.GetStartFreq();
                double stop = m_adf.GetStopFreq();
                m_adf.ClampScanRange(&start, &stop);
                m_adf.SetScanRange(start, stop);
            }
            m_headerCode = kHeaderScanning;
        }
        // The synthesizer takes the DDC frequency in whole MHz; the DDC's oscillator tunes the rest.
        m_tuneFreq = m_adf.ApplyDdcFreqInt() * 1e6;
    }
    else
    {
        m_adf.SetScanActive(false);
    }
    if (m_tuneFreq < 0.0)
        m_tuneFreq = 0.0;

    FillControlBlock(*band);
    return 0;
}

void CControlBits::FillControlBlock(const DDC_BAND_ITEM& band)
{
    // Fields overlap inside some words (word 1, 12 and 15), so every field is ORed in.
    ControlBlock& word = m_controlBlock;
    const int channel = m_currentChannel;
    const uint8_t strob = m_sky.GetStrob();
    const bool swept = IsSynthesizerChannel(channel);
    m_notLineInput = IsLineChannel(channel) ? 0 : 1;

    word[0] = static_cast<uint32_t>(m_packetSizeCode) | Bit(m_lineInput != 0, 3) |
              (AcousticGainBits(m_acoustic.GetGainIndex()) << 4) | Bit(m_auxSwitch != 0, 10) |
              Bit(m_rangeSoundOn != 0, 11) | Bit(true, 15) | Bit(m_notLineInput != 0, 20) | (7u << 21) |
              Bit(!swept && strob == 0, 31);

    word[1] = static_cast<uint32_t>(static_cast<uint8_t>(m_clkDivCnt)) << 12;
    if (channel == 6)
        word[1] |= Bit(true, 27);
    else if (channel != 4)
        word[1] |= (static_cast<uint32_t>(m_gainPwm) << 16) | Bit(true, 27);

    const uint32_t nco = NcoWord(m_tuneFreq, ChannelAt(-1).GetSampleRate());
    word[2] = nco;
    word[3] = Bit(true, 11);
    uint32_t inputCode = 0;
    if (swept)
        inputCode = 3;
    else if (channel == 2)
        inputCode = 1;
    else if (channel == 5)
        inputCode = 2;
    word[5] = m_headerCode | (inputCode << 27);
    word[9] = 0x80u | Bit(m_auxMode == 0, 16) | Bit(true, 17);
    word[10] = nco;

    word[11] = m_adf.GetFreqDdcInt();
    if (m_sky.GetStepStrob() == 0)
    {
        word[11] |= static_cast<uint32_t>(m_adf.BuildRegisterWord()) << 16;
    }
    else
    {
        word[11] |= ((static_cast<uint32_t>(m_sky.GetStep()) * 2) | 1u) << 16;
        m_sky.CountDownStepStrob();
    }
    word[12] = band.TapCount | (static_cast<uint32_t>(m_adf.GetSize()) << 9);
    word[13] = band.DeciCoeff | (static_cast<uint32_t>(band.OutputScaling) << 16) |
               Bit(band.BypassFir != 0, 25) | Bit(band.reserved2 != 0, 30) | Bit(m_adf.IsScanActive(), 31);
    word[14] = m_adf.GetFreqStartInt() | Bit(m_adf.IsOnlyDdc(), 28) | Bit(m_adf.IsHalfBandEnable(), 29) |
               Bit(m_adf.IsWithoutDdc(), 30);
    word[15] = Bit(m_adf.IsEnabled() && !m_adf.IsOnlyDdc(), 0) |
               (static_cast<uint32_t>(m_adf.GetScanSpeed() & 0xFC) << 1);

    // The wired line takes words 11 and 14 for its own unit.
    if (m_dla.IsLineMode() || channel == 2)
        m_dla.BuildLineWords(&word[14], &word[11]);

    // Strobe 1: this block makes the front end apply its amplitude and attenuator settings.
    if (strob == kStrobApply)
    {
        const uint32_t ampl = IsRadioUnitChannel(channel) ? m_sky.GetAmpl() : 0;
        word[14] = 0x1B0u | ampl | (static_cast<uint32_t>(m_sky.GetAttenuator()) << 12);
        word[11] = 0;
        word[15] = 0;
        m_strobeBlockBuilt = 1;
    }

    uint32_t sum = (ByteSum(word[11]) + ByteSum(word[14])) & 0x7F;
    sum |= Bit(strob == kStrobApply, 7);
    m_sky.CountDownStrob();
    word[15] |= sum << 5;
    if (swept)
        word[15] |= 0x2000;
    if (IsRadioUnitChannel(channel))
        word[15] |= 0x4000;
    word[15] |= 0xD13D8000u;
}

std::array<uint8_t, 4 * CControlBits::kControlWords> CControlBits::GetControlBlockBytes() const
{
    std::array<uint8_t, 4 * kControlWords> bytes{};
    for (int n = 0; n < kControlWords; ++n)
        for (int b = 0; b < 4; ++b)
            bytes[4 * n + b] = static_cast<uint8_t>(m_controlBlock[n] >> (8 * b));
    return bytes;
}
