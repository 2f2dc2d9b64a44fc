#include "kelthar_core.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "ddcdecimator.h"
#include "ddcfft.h"
#include "demodfft.h"
#include "fftanalysis.h"
#include "frontendlink.h"
#include "frontendplan.h"
#include "ftdi.h"
#include "generatorplan.h"
#include "gsmanalysis.h"
#include "knownfreqdetect.h"
#include "messagesink.h"
#include "monitoring.h"
#include "processstate.h"
#include "pulsedetect.h"
#include "rangefft.h"
#include "rangemultifft.h"
#include "scaner.h"
#include "serialfrontend.h"
#include "waveformbuilder.h"

namespace
{
constexpr int kDeviceStateInitialise = 1;
constexpr int kDeviceStateRunning = 3;

// The SDR samples the wide sweep at 61 MS/s, and the DDC too unless its output rate is below 300 kHz.
constexpr int64_t kSweepRateHz = 61000000;
constexpr int64_t kLowDdcRateHz = 3000000;
constexpr double kLowDdcRateLimitHz = 300000.0;
constexpr int64_t kLoStepHz = 61000000;
constexpr int64_t kMaxHardwareGainDb = 62;

// Synthesizer sweep positions: 11 or 7 GHz plus 500 MHz per step, never beyond 20 GHz.
constexpr int kLmxHighBandBase = 110;
constexpr int kLmxLowBandBase = 70;
constexpr int kLmxStep = 5;
constexpr int kLmxTop = 200;

// The board's command packet: bytes 64 to 585 are summed into byte 586.
constexpr size_t kChecksumFirst = 64;
constexpr size_t kChecksumAt = 586;
constexpr uint32_t kReplyBytes = 1024;
constexpr uint8_t kFrameStart = 0xB6;

struct FhssTiming
{
    int32_t blockSamples;
    int32_t refillCount;
};
// By FHSS mode; any mode outside the table uses mode 0.
constexpr FhssTiming kFhssTimings[] = {{32768, 37},  {65536, 19},  {131072, 9}, {32768, 74}, {65536, 38},
                                       {131072, 18}, {32768, 148}, {65536, 76}, {131072, 36}};

int GetInt16(const uint8_t* at)
{
    return static_cast<int16_t>(static_cast<uint16_t>(at[0] | (at[1] << 8)));
}

int GetInt24(const uint8_t* at)
{
    const uint32_t bits = static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
                          (static_cast<uint32_t>(at[2]) << 16);
    // Sign-extend bit 23.
    return static_cast<int>(bits ^ 0x800000u) - 0x800000;
}

int NextPowerOfTwo(int64_t value)
{
    int power = 1;
    while (power < value && power < (1 << 30))
        power <<= 1;
    return power;
}

// The current channel as the demodulator step keeps its offsets in it.
CChannel& CurrentChannel(CControlBits& bits)
{
    // The control bits hold every channel, the placeholder included, as a CChannel.
    return static_cast<CChannel&>(*bits.GetChannel(-1));
}

// While recording, every acquired block goes into the recording with the tuning it was taken at and
// the DDC sample rate (0 while no bandwidth is chosen).
void RecordBlock(CSignalRecorder& recorder, CControlBits& bits, const std::vector<uint8_t>& block,
                 uint64_t time)
{
    if (!recorder.IsRecording())
        return;
    const double sampleRateHz = bits.GetCurrentDdcBand() != nullptr ? bits.GetSampleRate(-1) : 0.0;
    recorder.WriteBlock(block, static_cast<int64_t>(time), bits.GetTuneFreq(), bits.GetBandwidthIndex(),
                        sampleRateHz);
}
}  // namespace

CKelthar::CKelthar()
{
    m_connection = std::make_unique<CFTDI>();
    m_frontEnd = std::make_unique<CSerialFrontEnd>(CFrontEndLink::Instance(), m_frontEndLatch);
    for (auto& accumulator : m_accumulators)
        accumulator.assign(1, std::vector<double>(kAccumulatorLength, 0.0));

    // The front-end unit is started by the first core of the process only; its failures are reported
    // through the message sink and never stop construction. The SDR link is not touched until Connect.
    CFrontEndLink::Instance().StartOnce(*m_frontEnd);
    CSdrLink::Instance().AttachCore();
}

CKelthar::~CKelthar()
{
    // The link stays up while another core of the process still uses it.
    CSdrLink::Instance().DetachCore();
    m_demodulator.reset();
    m_connection->Close();
}

bool CKelthar::GetInterface(int id, void** out)
{
    if (out == nullptr)
        return false;
    switch (id)
    {
        case 0:
            *out = static_cast<IControlBits*>(&m_controlBits);
            return true;
        // The FFT calculators are new objects that belong to the caller.
        case 5:
            *out = static_cast<ICalcFft*>(new CRangeFft(&m_controlBits));
            return true;
        case 6:
            *out = static_cast<ICalcFft*>(new CDdcFft(&m_controlBits));
            return true;
        case 7:
            *out = static_cast<ICalcFft*>(new CDemodFft(&m_controlBits));
            return true;
        // A new analysis that belongs to the caller.
        case 8:
            *out = static_cast<IAnalysis*>(new CFftAnalysis());
            return true;
        case 9:
            *out = static_cast<INoiseQuality*>(&m_noiseQuality);
            return true;
        case 10:
            *out = static_cast<ISoundEngine*>(&m_soundEngine);
            return true;
        case 11:
            *out = static_cast<IVideoEngine*>(&m_videoEngine);
            return true;
        case 12:
            *out = static_cast<ISignalRecorder*>(&m_recorder);
            return true;
        case 13:
            *out = static_cast<ISignalsArchive*>(&m_archive);
            return true;
        // A new scanner with empty model slots, bound to this core's control bits.
        case 14:
            *out = static_cast<IScaner*>(new CScaner(&m_controlBits));
            return true;
        // A new GSM analysis; the caller owns it.
        case 15:
            *out = static_cast<IGsmAnalysis*>(new CGsmAnalysis());
            return true;
        // A new monitoring object bound to this core's control bits and recorder; each task it holds gets
        // an analysis of its own. The caller owns it.
        case 16:
            *out =
                static_cast<IMonitoring*>(new CMonitoring(&m_controlBits, &m_controlBits.Adf(), &m_recorder,
                                                          [] { return std::make_unique<CFftAnalysis>(); }));
            return true;
        // A new pulse detector bound to this core's control bits; the caller owns it.
        case 18:
            *out = static_cast<IPulseDetect*>(new CPulseDetect(&m_controlBits));
            return true;
        // A new known-frequency detector with an analysis of its own; the caller owns it.
        case 19:
            *out = static_cast<IKnownFreqDetect*>(new CKnownFreqDetect());
            return true;
        case 21:
            *out = static_cast<IDdcWavWriter*>(&m_ddcWavWriter);
            return true;
        case 22:
            *out = static_cast<ITemplates*>(&m_templates);
            return true;
        case 23:
            *out = static_cast<ICalcMultiFft*>(new CRangeMultiFft(&m_controlBits));
            return true;
        case 24:
            *out = static_cast<IDemoSignal*>(&m_demoSignal);
            return true;
        default:
            // 1-4 and 20 are answered by the control bits themselves.
            return false;
    }
}

bool CKelthar::Connect(const std::string& name, int valueA, int valueB)
{
    Disconnect();
    m_deviceName = name;
    m_connectA = valueA;
    m_connectB = valueB;
    m_demodulator = std::make_unique<CDemodulator>();

    CoreProcessState& process = TheCoreProcessState();
    process.connected = true;
    m_ddcSamplesMax = 0;
    m_ddcSamplesLost = 0;
    m_ddcChunkSample = 0;
    m_ddcChunkCount = 0;
    m_counters = KELTHAR_COUNTERS();
    process.probeRequested = 1;
    process.probeStatus = 0;
    process.probeStatus2 = 0;

    CSdrLink& link = CSdrLink::Instance();
    if (link.Start(m_controlBits.Sky().GetUri(), m_rxConfig, m_txConfig) == CSdrLink::kStarted)
        StartGenerator();
    if (!link.IsUsable())
    {
        // Nothing to acquire from: the program stays in "Connecting" and calls again.
        m_connection->SetState(kDeviceStateInitialise);
        return false;
    }
    m_connection->SetState(kDeviceStateRunning);
    return true;
}

void CKelthar::Disconnect()
{
    m_demodulator.reset();
    m_connection->Close();
}

int CKelthar::GetState()
{
    return m_connection->GetState();
}

void CKelthar::SetState(int state)
{
    m_connection->SetState(state);
    if (state == kDeviceStateRunning)
        m_connection->Purge();
}

void CKelthar::StartGenerator()
{
    m_plainFft = std::make_unique<CPlainFft>(64, 0, 400, 0);
    // Level 0 and the preset's first waveform: the transmitter stays powered down and its LO parked.
    m_generatorBlock[CGeneratorPlan::kLevelAt] = 0;
    const uint8_t preset = m_generatorBlock[CGeneratorPlan::kPresetAt];
    if (preset < CGeneratorPlan::kPresets)
        m_generatorBlock[CGeneratorPlan::kTypeAt + preset] = 0;
    m_txConfig.powerDown = 1;
    SendGeneratorParams(nullptr);
}

uint16_t CKelthar::ApplyGeneratorLevel()
{
    const CGeneratorPlan::Level level = CGeneratorPlan::LevelFor(m_generatorBlock[CGeneratorPlan::kLevelAt]);
    m_txConfig.hardwareGainDb = level.gainDb;
    m_txConfig.powerDown = level.powerDown ? 1 : 0;
    m_generatorBlock[CGeneratorPlan::kAmplitudeAt] = static_cast<uint8_t>(level.amplitude & 0xFF);
    m_generatorBlock[CGeneratorPlan::kAmplitudeAt + 1] = static_cast<uint8_t>(level.amplitude >> 8);
    return level.amplitude;
}

bool CKelthar::SendGeneratorParams(const uint8_t* block)
{
    CSdrLink& link = CSdrLink::Instance();
    if (!link.IsUsable())
        return false;
    // The block comes from signal lists on disk: it is checked whole before the copy or the transmitter
    // changes, and a refused block sends nothing.
    WAVEFORM_PARAMS params;
    std::string reason;
    if (!CGeneratorPlan::Read(block ? block : m_generatorBlock, params, &reason))
    {
        kplatform::Trace("Generator block refused: " + reason);
        return false;
    }
    link.StartTransmitter(m_txConfig);
    kplatform::Trace("SendZantigo");
    if (block)
        std::memcpy(m_generatorBlock, block, sizeof(m_generatorBlock));
    const uint16_t amplitude = ApplyGeneratorLevel();

    uint8_t* rate = m_generatorBlock + CGeneratorPlan::kRateAt;
    if (params.typeRateHz != 0)
    {
        for (int b = 0; b < 4; ++b)
            rate[b] = static_cast<uint8_t>(params.typeRateHz >> (8 * b));
    }
    const uint32_t blockRateHz = static_cast<uint32_t>(rate[0]) | (static_cast<uint32_t>(rate[1]) << 8) |
                                 (static_cast<uint32_t>(rate[2]) << 16) |
                                 (static_cast<uint32_t>(rate[3]) << 24);
    m_txConfig.sampleRateHz = params.fixedRate ? 60000000 : blockRateHz;
    // An amplitude of 0 parks the LO at the top of the band.
    m_txConfig.loHz = amplitude != 0
                          ? std::min(static_cast<int64_t>(params.outputFreqKHz) * 1000, CSdrLink::kMaxLoHz)
                          : CSdrLink::kMaxLoHz;

    if (!link.RecreateTxBuffer(params.bufferSamples))
    {
        kplatform::Trace(std::string("Could not create TX buffer: ") + std::strerror(errno));
        // The link goes down whole and forgets its handles: the receive path sees no link and the next
        // Connect builds it again.
        link.Shutdown(3);
        return false;
    }
    if (!m_plainFft)
        m_plainFft = std::make_unique<CPlainFft>(64, 0, 400, 0);
    // The waveform goes straight into the transmit buffer: a long burst is hundreds of megabytes.
    const CSdrLink::SampleView view = link.TxSamples();
    if (view.Count() >= params.bufferSamples)
    {
        bool swap = params.swap;
        CWaveformBuilder().Build(params, amplitude, *m_plainFft, view.first, view.qOffset, view.step, swap);
        if (swap != params.swap)
            m_generatorBlock[CGeneratorPlan::kSwapAt] = swap ? 1 : 0;
    }
    link.PushTx();
    link.Configure(m_txConfig, CSdrLink::kTransmit);
    return true;
}

bool CKelthar::SetGeneratorOn(bool on)
{
    if (!CSdrLink::Instance().IsUsable())
        return false;
    // Off takes the gain to the bottom; the next SendGeneratorParams applies the block's level again.
    if (on)
        ApplyGeneratorLevel();
    else
        m_txConfig.hardwareGainDb = -89;
    return true;
}

size_t CKelthar::SweepPartBytes() const
{
    if ((m_flags & kFlagFhss) == 0)
        return kSweepBytes;
    return 4 * static_cast<size_t>(m_fhssBlockSamples) * static_cast<size_t>(m_fhssRefillCount);
}

int CKelthar::DdcBlockCount(int decimation, bool rangeSoundOn)
{
    if (!rangeSoundOn)
        return 1;
    return kRangeSoundRawBlocks / std::max(decimation, 1);
}

bool CKelthar::ReadData(std::vector<uint8_t>& block, uint64_t time, int* byteCount)
{
    int discarded = 0;
    if (byteCount == nullptr)
        byteCount = &discarded;
    *byteCount = 0;

    if (m_demoMode)
    {
        // Demo blocks need no hardware at all: they are laid out as live blocks and never touch the SDR
        // or the front-end unit. Range sound is off in demo mode, so one DDC block follows the sweep.
        m_controlBits.LoadFir();
        const size_t sweepBytes = SweepPartBytes();
        block.resize(sweepBytes + kDdcBlockBytes);
        CAdf4350& adf = m_controlBits.Adf();
        m_demoSignal.Fill(adf.IsFlag3(), adf.IsScanActive(), adf.GetBlockSize(), block, sweepBytes);
        RecordBlock(m_recorder, m_controlBits, block, time);
        return true;
    }

    // A recording plays without hardware: each block is handed out once as much time has passed since
    // playback started as lay between the block read last and the first one.
    if (m_recorder.IsPlaying())
    {
        if (static_cast<int64_t>(time) < m_recorder.GetPlaybackDueMs())
            return false;
        return m_recorder.ReadBlock(block);
    }
    // Paused playback shows silence.
    if (m_recorder.IsStopped())
    {
        std::fill(block.begin(), block.end(), uint8_t{0});
        return true;
    }

    if (CFrontEndLink::Instance().GetStatus() != CFrontEndLink::kOperational)
        return false;
    // Without a working SDR link nothing is acquired; the program reconnects.
    if (!CSdrLink::Instance().IsUsable())
        return false;
    if (!ReadFromSdr(block, byteCount))
        return false;
    RecordBlock(m_recorder, m_controlBits, block, time);
    return true;
}

bool CKelthar::ReadFromSdr(std::vector<uint8_t>& block, int* byteCount)
{
    CSdrLink& link = CSdrLink::Instance();
    CSkyControl& sky = m_controlBits.Sky();
    CAdf4350& adf = m_controlBits.Adf();

    m_controlBits.LoadFir();
    StepSynthesizer();

    const int commutator = m_controlBits.IsKnownRangesSet() ? -1 : sky.GetCommutator();
    if (commutator != m_lastCommutator)
    {
        m_lastCommutator = commutator;
        m_frontEnd->Switch(commutator);
    }

    const int steps = SweepSteps();

    m_rxConfig.loHz = static_cast<int64_t>(adf.GetFreqStartInt()) * 1000000;
    m_rxConfig.sampleRateHz = kSweepRateHz;
    m_rxConfig.bandwidthHz = (12 - static_cast<int64_t>(sky.GetFilter())) * 5000000;
    m_rxConfig.hardwareGainDb =
        std::min<int64_t>(3 * static_cast<int64_t>(sky.GetAmpl()) - 3, kMaxHardwareGainDb);

    // Throws std::out_of_range while no bandwidth entry is current, as every rate query does.
    const double sampleRateHz = m_controlBits.GetSampleRate(-1);
    const int64_t sdrRateHz = sampleRateHz < kLowDdcRateLimitHz ? kLowDdcRateHz : kSweepRateHz;
    const int64_t wholeRateHz = static_cast<int64_t>(sampleRateHz);
    const int decimation =
        wholeRateHz < 1 ? 1 : static_cast<int>(std::max<int64_t>(sdrRateHz / wholeRateHz, 1));
    // No sound engine is attached, so range sound is off.
    const int ddcBlocks = DdcBlockCount(decimation, m_soundEngine.IsRangeSoundOn());

    const size_t sweepBytes = SweepPartBytes();
    block.resize(sweepBytes + kDdcBlockBytes * static_cast<size_t>(ddcBlocks));

    m_rxConfig.loHz = std::min(m_rxConfig.loHz, CSdrLink::kMaxLoHz);
    link.Configure(m_rxConfig, CSdrLink::kReceive);

    if ((m_flags & kFlagSweepOff) == 0 && !m_controlBits.GetAuxMode())
    {
        if (!Sweep(block, sweepBytes, steps, commutator, byteCount))
            return false;
    }

    if ((m_flags & kFlagDdcOff) != 0)
    {
        m_rxConfig.loHz = 0;
        return true;
    }

    m_rxConfig.sampleRateHz = sdrRateHz;
    m_rxConfig.loHz = static_cast<int64_t>(adf.GetDdcFreq() * 1e6);
    m_rxConfig.bandwidthHz = static_cast<int64_t>(sampleRateHz / 2);
    link.Configure(m_rxConfig, CSdrLink::kReceive);
    return ReadDdc(block, sweepBytes, decimation, ddcBlocks, byteCount);
}

void CKelthar::StepSynthesizer()
{
    LMX2595_STRUCT& lmx = m_controlBits.LmxState();
    int index = -1;
    if (lmx.count != 0)
    {
        if (++lmx.lmx1 >= lmx.lmx2)
            lmx.lmx1 = 0;
        index =
            std::min((lmx.count == 2 ? kLmxHighBandBase : kLmxLowBandBase) + kLmxStep * lmx.lmx1, kLmxTop);
    }
    else if (m_controlBits.Sky().GetLMX() != 0)
    {
        index = m_controlBits.Sky().GetLMX();
        m_controlBits.Sky().SetLMX(0);
    }
    // A selection the synthesizer has no setting for is dropped.
    if (index >= 0 && IFrontEndCommands::HasSynthesizerCommand(index))
        m_frontEnd->LoadSynthesizer(index);
}

int CKelthar::SweepSteps()
{
    if (m_controlBits.IsKnownRangesSet())
    {
        int64_t captures = 0;
        for (const KNOWN_RANGE_ITEM& range : m_controlBits.GetKnownRanges())
            captures += range.count;
        if (captures > 0)
            return NextPowerOfTwo(captures);
        m_controlBits.SetKnownRangesSet(false);
        return 1;
    }
    // The synthesizer model keeps its group exponent small; anything else sweeps a single step.
    const int groupBlocks = m_controlBits.Adf().GetGroupBlocks();
    return groupBlocks >= 0 && groupBlocks <= 15 ? 1 << groupBlocks : 1;
}

bool CKelthar::Sweep(std::vector<uint8_t>& block, size_t sweepBytes, int steps, int commutator,
                     int* byteCount)
{
    CSdrLink& link = CSdrLink::Instance();
    CSkyControl& sky = m_controlBits.Sky();
    const bool fhss = (m_flags & kFlagFhss) != 0;
    const size_t captureSamples = fhss ? static_cast<size_t>(m_fhssBlockSamples) : kSweepSamples;
    const size_t stepSamples = std::max<size_t>(captureSamples / static_cast<size_t>(steps), 1);
    const int refills = fhss ? m_fhssRefillCount : 1;
    const int amplifierCode =
        sky.GetAmplSwitch() != 0 ? IFrontEndCommands::kAmplifierOn : IFrontEndCommands::kAmplifierOff;
    const int attenuatorCode =
        sky.GetAttenuator() != 0 ? IFrontEndCommands::kAttenuatorOn : IFrontEndCommands::kAttenuatorOff;
    int thresholds[3];
    std::copy(sky.GetCommutatorLevel(), sky.GetCommutatorLevel() + 3, thresholds);

    size_t writeAt = 0;
    // One range of LO steps, 61 MHz apart from its first; false when the SDR gave no samples.
    const auto sweepRange = [&](int64_t firstLoHz, int rangeSteps, int rangeCommutator)
    {
        int64_t loHz = firstLoHz;
        for (int step = 0; step < rangeSteps; ++step)
        {
            const int64_t loKHz = loHz / 1000;
            m_frontEnd->Set(CFrontEndPlan::FilterCode(loKHz), amplifierCode,
                            CFrontEndPlan::AntennaInput(rangeCommutator, loKHz, thresholds),
                            sky.GetAttenuator(), attenuatorCode, false);

            loHz = std::min(loHz, CSdrLink::kMaxLoHz);
            m_rxConfig.loHz = loHz;
            link.WriteLo(CSdrLink::kReceive, loHz);

            ++m_rangeBufferRecreations;
            if (!link.RecreateRxBuffer(stepSamples))
                return false;
            for (int refill = 0; refill < refills; ++refill)
            {
                // A failed refill holds no new samples: report it rather than pass old ones on.
                if (link.RefillRx() < 0)
                    return false;
                *byteCount += static_cast<int>(4 * link.RxBufferSamples());
                writeAt += 4 * link.CopyRxSamples(block.data() + writeAt, (sweepBytes - writeAt) / 4);
            }

            loHz += kLoStepHz;
            // The transceiver tunes no higher: the range ends here.
            if (loHz > CSdrLink::kMaxLoHz)
                break;
        }
        return true;
    };

    if (m_controlBits.IsKnownRangesSet())
    {
        // Each known range from the centre of its first capture, on its own antenna switch.
        for (const KNOWN_RANGE_ITEM& known : m_controlBits.GetKnownRanges())
        {
            if (!sweepRange(static_cast<int64_t>(known.firstCentre * 1e6), known.count,
                            known.switchCode == 0 ? -1 : known.switchCode))
                return false;
        }
    }
    else if (!sweepRange(m_rxConfig.loHz, steps, commutator))
    {
        return false;
    }
    // Whatever the captures left unwritten reads as silence, not as the previous block.
    std::fill(block.begin() + static_cast<ptrdiff_t>(writeAt),
              block.begin() + static_cast<ptrdiff_t>(sweepBytes), 0);
    ++m_sweepCounter;
    return true;
}

bool CKelthar::ReadDdc(std::vector<uint8_t>& block, size_t sweepBytes, int decimation, int blocks,
                       int* byteCount)
{
    // Decimations above 700 with range sound leave no DDC part.
    if (blocks == 0)
        return true;
    CSdrLink& link = CSdrLink::Instance();
    const size_t bufferSamples =
        kDdcChunkSamples * static_cast<size_t>(decimation) * static_cast<size_t>(blocks);
    if (bufferSamples != link.RxBufferSamples())
    {
        ++m_ddcBufferRecreations;
        if (!link.RecreateRxBuffer(bufferSamples))
            return false;
    }
    if (link.RefillRx() < 0)
        return false;

    // The view stays valid only under the link's lock.
    link.VisitRxSamples(
        [&](const CSdrLink::SampleView& samples)
        {
            const size_t count = samples.Count();
            *byteCount += static_cast<int>(4 * count);
            CDdcDecimator::Decimate(samples.first, samples.qOffset, samples.step, count, decimation,
                                    block.data() + sweepBytes, block.size() - sweepBytes);
        });
    return true;
}

void CKelthar::SetFlags(bool set, uint32_t mask)
{
    if (set)
        m_flags |= mask;
    else
        m_flags &= ~mask;
}

void CKelthar::SetFhssMode(int mode)
{
    m_fhssMode = mode;
    const FhssTiming& timing = mode >= 0 && mode <= 8 ? kFhssTimings[mode] : kFhssTimings[0];
    m_fhssBlockSamples = timing.blockSamples;
    m_fhssRefillCount = timing.refillCount;
}

bool CKelthar::SendBlock(std::vector<uint8_t>& command, std::vector<uint8_t>& reply, int& frameOffset)
{
    if (m_demoMode)
        return false;
    // A command too short to carry its checksum is not sent.
    if (command.size() <= kChecksumAt)
        return false;
    uint8_t checksum = 0;
    for (size_t n = kChecksumFirst; n < kChecksumAt; ++n)
        checksum = static_cast<uint8_t>(checksum + command[n]);
    command[kChecksumAt] = checksum;

    m_connection->Purge();
    m_connection->Write(command);
    // Without a fresh reply the buffer may still hold the previous one, which must not pass for an answer.
    if (m_connection->Read(reply, kReplyBytes) != 0)
        return false;

    if (frameOffset == 0)
    {
        if (reply.size() > 8 && reply[8] == kFrameStart)
            frameOffset = 8;
        if (reply.size() > 10 && reply[10] == kFrameStart)
            frameOffset = 10;
    }
    const size_t start = static_cast<size_t>(std::max(frameOffset, 0));
    if (start + 1 >= reply.size() || reply[start] != kFrameStart)
        return false;
    // The frame is 4L + 10 bytes and its checksum follows; a length that runs past the reply is refused.
    const size_t frameBytes = 4 * static_cast<size_t>(reply[start + 1]) + 10;
    if (start + frameBytes >= reply.size())
        return false;
    uint8_t sum = 0;
    for (size_t n = start; n < start + frameBytes; ++n)
        sum = static_cast<uint8_t>(sum + reply[n]);
    return sum == reply[start + frameBytes];
}

uint32_t CKelthar::GetBlockLength()
{
    const auto code = static_cast<uint32_t>(m_controlBits.GetPacketSizeCode()) & 31u;
    return 63448u << code;
}

bool CKelthar::ProcessBlock(const std::vector<uint8_t>& block, std::vector<double>& out1,
                            std::vector<double>& out2)
{
    if (block.empty() || m_controlBits.GetAuxMode() || m_recorder.IsStopped())
    {
        out1.clear();
        out2.clear();
        return false;
    }

    // While the synthesizer scans, I and Q go to their own outputs. Otherwise out1 takes I and Q
    // interleaved, so both outputs hold two values per sample.
    const bool separate = m_controlBits.Adf().IsScanActive();
    const size_t samples = SweepPartBytes() / 4;
    const size_t values = separate ? samples : 2 * samples;
    out1.assign(values, 0.0);
    out2.assign(values, 0.0);

    const size_t n = std::min(block.size() / 4, samples);
    int maximum = n > 0 ? -32768 : 0;
    int minimum = n > 0 ? 32767 : 0;
    const uint8_t* at = block.data();
    for (size_t k = 0; k < n; ++k, at += 4)
    {
        const int i = GetInt16(at);
        const int q = GetInt16(at + 2);
        maximum = std::max(maximum, std::max(i, q));
        minimum = std::min(minimum, std::min(i, q));
        if (separate)
        {
            out1[k] = i;
            out2[k] = q;
        }
        else
        {
            out1[2 * k] = i;
            out1[2 * k + 1] = q;
        }
    }

    m_overload.Update(m_controlBits.GetCurrentChannelIndex(), maximum, minimum, m_controlBits);
    return true;
}

void CKelthar::SetDcOffsetCorrection(bool applyOffsets, bool automatic)
{
    m_applyDcOffsets = applyOffsets;
    m_automaticDc = automatic;
}

bool CKelthar::ProcessDemod(const std::vector<uint8_t>& block, std::vector<std::vector<double>>& i,
                            std::vector<std::vector<double>>& q, std::vector<std::vector<double>>& audio)
{
    m_ddcChunkSample = 0;
    m_ddcChunkCount = 0;
    if ((!m_demoMode && block.empty()) || m_recorder.IsStopped())
    {
        i.clear();
        q.clear();
        audio.clear();
        return false;
    }
    if ((m_flags & kFlagDdcOff) != 0)
    {
        i = m_accumulators[0];
        q = m_accumulators[1];
        audio = m_accumulators[2];
        return false;
    }
    // Demo mode runs without Connect, and so without a demodulator made by it.
    if (!m_demodulator)
        m_demodulator = std::make_unique<CDemodulator>();

    const int type = m_controlBits.GetDemodType();
    const size_t storedChunks = m_accumulators[0].size();
    const DDC_BAND_ITEM* band = m_controlBits.GetCurrentDdcBand();
    // No bandwidth chosen yet: the values keep their raw scale.
    const double scale = 10.0 * (band != nullptr ? band->CorrectAmpl : 1.0);

    if (!m_demoMode)
        FollowSampleRate();
    // Range sound, or a sound recording, takes every second audio value; the file being played back has
    // the output to itself.
    const bool feedSound =
        (m_soundEngine.IsRangeSoundOn() || m_soundEngine.IsRecording()) && !m_soundEngine.IsPlaying();

    int64_t sumI = 0;
    int64_t sumQ = 0;
    for (size_t at = SweepPartBytes(); at + CDdcDecimator::kSampleBytes <= block.size();
         at += CDdcDecimator::kSampleBytes)
    {
        const int sampleI = GetInt24(&block[at]);
        const int sampleQ = GetInt24(&block[at + 3]);
        // The DDC file and the picture take the receiver's samples, never the demo signal.
        if (!m_demoMode)
            m_ddcWavWriter.WriteSample(sampleI, sampleQ);
        const double value = m_demodulator->Demodulate(type, sampleI, sampleQ);
        if (feedSound && (m_audioValueCount++ & 1) == 0)
            FeedSound(value);
        if (!m_demoMode && m_videoEngine.IsEnabled())
            m_videoEngine.ProcessSample(value);
        sumI += sampleI;
        sumQ += sampleQ;

        const auto chunk = static_cast<size_t>(m_ddcChunkCount);
        if (chunk < storedChunks)
        {
            m_accumulators[0][chunk][m_ddcChunkSample] = sampleI;
            m_accumulators[1][chunk][m_ddcChunkSample] = sampleQ;
            m_accumulators[2][chunk][m_ddcChunkSample] = value;
        }
        if (++m_ddcChunkSample == kAccumulatorLength)
        {
            m_demodSumI = sumI;
            m_demodSumQ = sumQ;
            if (m_applyDcOffsets)
            {
                const CChannel& channel = CurrentChannel(m_controlBits);
                m_demodSumI +=
                    static_cast<int64_t>(channel.GetDcOffset(CChannel::DcOffset::I)) * kAccumulatorLength;
                m_demodSumQ +=
                    static_cast<int64_t>(channel.GetDcOffset(CChannel::DcOffset::Q)) * kAccumulatorLength;
            }
            if (chunk < storedChunks)
                FinishChunk(chunk, scale);
            sumI = 0;
            sumQ = 0;
            m_ddcChunkSample = 0;
            ++m_ddcChunkCount;
        }
    }
    if (m_ddcChunkCount == 0)
        return false;

    if (m_automaticDc)
    {
        // Walk each offset one step against the sign of its chunk's sum.
        CChannel& channel = CurrentChannel(m_controlBits);
        const auto walk = [&channel](CChannel::DcOffset which, int64_t sum)
        { channel.SetDcOffset(which, channel.GetDcOffset(which) + (sum < 0 ? 1 : -1)); };
        walk(CChannel::DcOffset::Q, m_demodSumQ);
        walk(CChannel::DcOffset::I, m_demodSumI);
    }
    i = m_accumulators[0];
    q = m_accumulators[1];
    audio = m_accumulators[2];
    return true;
}

void CKelthar::FollowSampleRate()
{
    double rateHz = 0.0;
    if (m_recorder.IsPlaying())
        rateHz = m_recorder.GetSampleRate();
    else if (m_controlBits.GetCurrentDdcBand() != nullptr)
        rateHz = m_controlBits.GetSampleRate(-1);
    else
        return;  // no bandwidth chosen yet: nothing to follow
    if (rateHz == m_lastSampleRate)
        return;
    m_lastSampleRate = rateHz;
    m_soundEngine.Reopen();
    if (m_soundEngine.IsRangeSoundOn())
        m_soundEngine.ResetBuffers();
}

void CKelthar::FeedSound(double value)
{
    if (!m_demoMode)
    {
        m_soundEngine.PlaySample(value);
        return;
    }
    // Two tones a fifth apart on the two channels, from phases that wrap at kDemoToneCycle.
    constexpr int32_t kDemoToneCycle = 60000;
    constexpr int32_t kDemoToneSteps[2] = {150, 250};
    constexpr double kDemoToneAmplitude = 1000.0;
    constexpr double kTwoPi = 6.283185307179586;
    double tones[2];
    for (int n = 0; n < 2; ++n)
    {
        m_demoTonePhase[n] = (m_demoTonePhase[n] + kDemoToneSteps[n]) % kDemoToneCycle;
        tones[n] = kDemoToneAmplitude * std::sin(kTwoPi * m_demoTonePhase[n] / kDemoToneCycle);
    }
    m_soundEngine.PlayStereo(tones[0], tones[1]);
}

void CKelthar::FinishChunk(size_t chunk, double scale)
{
    std::vector<double>& valuesI = m_accumulators[0][chunk];
    std::vector<double>& valuesQ = m_accumulators[1][chunk];
    std::vector<double>& valuesAudio = m_accumulators[2][chunk];
    if (m_applyDcOffsets)
    {
        CChannel& channel = CurrentChannel(m_controlBits);
        const int offsetI = channel.GetDcOffset(CChannel::DcOffset::I);
        const int offsetQ = channel.GetDcOffset(CChannel::DcOffset::Q);
        const int offsetAudio = channel.GetDcOffset(CChannel::DcOffset::Audio);
        for (size_t n = 0; n < kDdcChunkSamples; ++n)
        {
            valuesI[n] += offsetI;
            valuesQ[n] += offsetQ;
            valuesAudio[n] += offsetAudio;
        }
    }
    for (size_t n = 0; n < kDdcChunkSamples; ++n)
    {
        valuesI[n] *= scale;
        valuesQ[n] *= scale;
        valuesAudio[n] *= scale;
    }
}

double CKelthar::GetChannelOscCorr0()
{
    return m_controlBits.GetChannel(-1)->GetOscCorrection(0);
}

double CKelthar::GetChannelOscCorr1()
{
    return m_controlBits.GetChannel(-1)->GetOscCorrection(1);
}

double CKelthar::GetChannelOscCorr2()
{
    return m_controlBits.GetChannel(-1)->GetOscCorrection(2);
}

bool CKelthar::IsDemoMode()
{
    return m_demoMode;
}

void CKelthar::SetDemoMode(bool on)
{
    m_demoMode = on;
    m_rangeRequested = false;
}

void CKelthar::RequestRange(double value1, double value2, double value3, int code)
{
    m_rangeRequest[0] = value1;
    m_rangeRequest[1] = value2;
    m_rangeRequest[2] = value3;
    m_rangeRequestCode = code;
    m_rangeRequested = true;
}

bool CKelthar::IsSkipPending()
{
    return m_controlBits.IsSkipPending();
}

void CKelthar::SetSkipPending(bool pending)
{
    m_controlBits.SetSkipPending(pending);
}

int CKelthar::GetRangeFftSize()
{
    return kRangeFftSize;
}

int CKelthar::GetDdcFftSize()
{
    return kDdcFftSize;
}

int CKelthar::GetOverloadState()
{
    return m_overload.GetState();
}

const KELTHAR_COUNTERS* CKelthar::GetCounters()
{
    return &m_counters;
}

void CKelthar::TakeDdcSampleCounters(int* max, int* lost)
{
    if (max)
        *max = static_cast<int>(m_ddcSamplesMax);
    if (lost)
        *lost = static_cast<int>(m_ddcSamplesLost);
    m_ddcSamplesMax = 0;
    m_ddcSamplesLost = 0;
}

bool CKelthar::IsProbeCheckOff()
{
    return m_ignoreProbeIdent || m_demoMode;
}

void CKelthar::SetIgnoreProbeIdent(bool ignore)
{
    m_ignoreProbeIdent = ignore;
}

bool CKelthar::IsConnected()
{
    return TheCoreProcessState().connected;
}

uint8_t CKelthar::GetProbeStatus()
{
    return TheCoreProcessState().probeStatus;
}

uint8_t CKelthar::GetProbeStatus2()
{
    return TheCoreProcessState().probeStatus2;
}

const KELTHAR_COUNTERS2* CKelthar::GetCounters2()
{
    return &m_counters2;
}
