#include "kelthar_core.h"

#include <algorithm>

#include "ddcdecimator.h"
#include "frontendlink.h"
#include "frontendplan.h"

// The acquisition half of the data path: one block from the demo signal, a recording or the SDR (the
// sweep over the LO steps, then the DDC part), and the command exchange with the FPGA board.

namespace
{
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

int NextPowerOfTwo(int64_t value)
{
    int power = 1;
    while (power < value && power < (1 << 30))
        power <<= 1;
    return power;
}
}  // namespace

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
        RecordBlock(block, time);
        return true;
    }

    bool played = false;
    if (ReadFromRecording(block, time, &played))
        return played;

    if (CFrontEndLink::Instance().GetStatus() != CFrontEndLink::kOperational)
        return false;
    // Without a working SDR link nothing is acquired; the program reconnects.
    if (!CSdrLink::Instance().IsUsable())
        return false;
    if (!ReadFromSdr(block, byteCount))
        return false;
    RecordBlock(block, time);
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
