#include "generatortransmit.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "generatorplan.h"
#include "messagesink.h"
#include "waveformbuilder.h"

void CGeneratorTransmit::Start()
{
    m_plainFft = std::make_unique<CPlainFft>(64, 0, 400, 0);
    // Level 0 and the preset's first waveform: the transmitter stays powered down and its LO parked.
    m_block[CGeneratorPlan::kLevelAt] = 0;
    const uint8_t preset = m_block[CGeneratorPlan::kPresetAt];
    if (preset < CGeneratorPlan::kPresets)
        m_block[CGeneratorPlan::kTypeAt + preset] = 0;
    m_config.powerDown = 1;
    SendParams(nullptr);
}

uint16_t CGeneratorTransmit::ApplyLevel()
{
    const CGeneratorPlan::Level level = CGeneratorPlan::LevelFor(m_block[CGeneratorPlan::kLevelAt]);
    m_config.hardwareGainDb = level.gainDb;
    m_config.powerDown = level.powerDown ? 1 : 0;
    m_block[CGeneratorPlan::kAmplitudeAt] = static_cast<uint8_t>(level.amplitude & 0xFF);
    m_block[CGeneratorPlan::kAmplitudeAt + 1] = static_cast<uint8_t>(level.amplitude >> 8);
    return level.amplitude;
}

bool CGeneratorTransmit::SendParams(const uint8_t* block)
{
    CSdrLink& link = CSdrLink::Instance();
    if (!link.IsUsable())
        return false;
    // The block comes from signal lists on disk: it is checked whole before the copy or the transmitter
    // changes, and a refused block sends nothing.
    WAVEFORM_PARAMS params;
    std::string reason;
    if (!CGeneratorPlan::Read(block ? block : m_block, params, &reason))
    {
        kplatform::Trace("Generator block refused: " + reason);
        return false;
    }
    link.StartTransmitter(m_config);
    kplatform::Trace("SendZantigo");
    if (block)
        std::memcpy(m_block, block, sizeof(m_block));
    const uint16_t amplitude = ApplyLevel();

    uint8_t* rate = m_block + CGeneratorPlan::kRateAt;
    if (params.typeRateHz != 0)
    {
        for (int b = 0; b < 4; ++b)
            rate[b] = static_cast<uint8_t>(params.typeRateHz >> (8 * b));
    }
    const uint32_t blockRateHz = static_cast<uint32_t>(rate[0]) | (static_cast<uint32_t>(rate[1]) << 8) |
                                 (static_cast<uint32_t>(rate[2]) << 16) |
                                 (static_cast<uint32_t>(rate[3]) << 24);
    m_config.sampleRateHz = params.fixedRate ? 60000000 : blockRateHz;
    // An amplitude of 0 parks the LO at the top of the band.
    m_config.loHz = amplitude != 0
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
            m_block[CGeneratorPlan::kSwapAt] = swap ? 1 : 0;
    }
    link.PushTx();
    link.Configure(m_config, CSdrLink::kTransmit);
    return true;
}

bool CGeneratorTransmit::SetOn(bool on)
{
    if (!CSdrLink::Instance().IsUsable())
        return false;
    // Off takes the gain to the bottom; the next SendGeneratorParams applies the block's level again.
    if (on)
        ApplyLevel();
    else
        m_config.hardwareGainDb = -89;
    return true;
}
