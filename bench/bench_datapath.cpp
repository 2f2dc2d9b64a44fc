// The data path against real time, on one core.
// - Processing: ProcessBlock (the 32768-sample sweep) plus ProcessDemod with the FM demodulator over B
//   DDC blocks of 4096 samples, in DDC samples per second, against the DDC rate that gives that B
//   while range sound is on: B = 700 / decimation, so B = 10 at decimation 70 (61 MHz / 70) and B = 1
//   from decimation 351 on (61 MHz / 351, the fastest such rate).
// - Acquisition: ReadData over the in-process transceiver and a front end that takes its commands down,
//   with the sweep off, so the time is the receive buffer's refill and the DDC decimation loop, in raw
//   samples per second against the SDR's 61 MS/s; and the decimation loop alone on a buffer already
//   filled. Decimation 65 ("950 KHz").
// Each row's x_realtime counter is its rate divided by the real-time rate; the target is 3 or more.
// Run with KELTHAR_SDR_URI=ip:127.0.0.1:1 KELTHAR_MESSAGES=stderr like every program of the project;
// nothing here opens a socket.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "ddcdecimator.h"
#include "frontendlink.h"
#include "inprocessiiobackend.h"
#include "kelthar_core.h"
#include "recordingfrontend.h"
#include "sdrlink.h"

namespace
{
constexpr double kSdrRateHz = 61e6;
constexpr double kPi = 3.14159265358979323846;

void PutInt24(std::vector<uint8_t>& block, size_t at, int value)
{
    const auto bits = static_cast<uint32_t>(value);
    block[at] = static_cast<uint8_t>(bits);
    block[at + 1] = static_cast<uint8_t>(bits >> 8);
    block[at + 2] = static_cast<uint8_t>(bits >> 16);
}

// A live block: a noisy sweep and B DDC blocks of an FM tone (1 kHz swing pattern at 0.01 of the rate).
std::vector<uint8_t> FmBlock(int ddcBlocks)
{
    std::vector<uint8_t> block(CKelthar::kSweepBytes +
                               CKelthar::kDdcBlockBytes * static_cast<size_t>(ddcBlocks));
    uint32_t seed = 1;
    for (size_t at = 0; at < CKelthar::kSweepBytes; ++at)
    {
        seed = seed * 1664525u + 1013904223u;
        block[at] = static_cast<uint8_t>(seed >> 24);
    }
    double phase = 0.0;
    for (size_t n = 0, at = CKelthar::kSweepBytes; at + 6 <= block.size(); ++n, at += 6)
    {
        phase += 2 * kPi * (0.05 + 0.01 * std::sin(2 * kPi * static_cast<double>(n) / 100.0));
        PutInt24(block, at, static_cast<int>(1e6 * std::cos(phase)));
        PutInt24(block, at + 3, static_cast<int>(1e6 * std::sin(phase)));
    }
    return block;
}

void SetRealtimeCounters(benchmark::State& state, double samplesPerCall, double realTimeRateHz)
{
    state.counters["samples/s"] =
        benchmark::Counter(samplesPerCall, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["x_realtime"] =
        benchmark::Counter(samplesPerCall / realTimeRateHz, benchmark::Counter::kIsIterationInvariantRate);
}

void ProcessBlockAndFm(benchmark::State& state)
{
    const int ddcBlocks = static_cast<int>(state.range(0));
    // The fastest decimation that yields this B with range sound on.
    const int decimation = ddcBlocks == 1 ? 351 : CKelthar::kRangeSoundRawBlocks / ddcBlocks;
    CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kNotFound);
    CKelthar core;
    core.ControlBits().SetDemodType(CDemodulator::kFm);
    const std::vector<uint8_t> block = FmBlock(ddcBlocks);
    std::vector<double> rangeI;
    std::vector<double> rangeQ;
    std::vector<std::vector<double>> i;
    std::vector<std::vector<double>> q;
    std::vector<std::vector<double>> audio;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(core.ProcessBlock(block, rangeI, rangeQ));
        benchmark::DoNotOptimize(core.ProcessDemod(block, i, q, audio));
        benchmark::ClobberMemory();
    }
    SetRealtimeCounters(state, 4096.0 * ddcBlocks, kSdrRateHz / decimation);
}

// A core on the in-process transceiver, decimating by 65 with the sweep off.
class CInProcessCore
{
public:
    CInProcessCore()
    {
        CSdrLink::Instance().ResetForTesting();
        CSdrLink::Instance().SetBackend(m_backend);
        CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kOperational);
        m_core = std::make_unique<CKelthar>();
        // No front-end unit here: its commands are taken down instead of going to a serial port, as in
        // the data-path tests, so the switch before each read is accepted and the read is measured.
        m_core->SetFrontEndCommands(std::make_unique<CRecordingFrontEnd>());
        CControlBits& bits = m_core->ControlBits();
        bits.Init();
        IChannel* channel = bits.AddChannel(0, L"HF", L"HF", kSdrRateHz);
        channel->SetStartFreq(40);
        channel->SetStopFreq(6030);
        bits.SetCurrentChannel(0);
        bits.Adf().SetFreqLimits(40, 6030);
        bits.SetBandwidthIndex(6);
        m_core->SetFlags(true, CKelthar::kFlagSweepOff);
        std::vector<int16_t> iq;
        for (int n = 0; n < 4096; ++n)
        {
            iq.push_back(static_cast<int16_t>(2000 * std::cos(0.1 * n)));
            iq.push_back(static_cast<int16_t>(2000 * std::sin(0.1 * n)));
        }
        m_backend->SetRxSamples(iq);
        m_connected = m_core->Connect("Board", 2, 65536);
    }
    ~CInProcessCore()
    {
        m_core.reset();
        CSdrLink::Instance().ResetForTesting();
    }

    bool IsConnected() const { return m_connected; }
    CKelthar& Core() { return *m_core; }

private:
    std::shared_ptr<CInProcessIioBackend> m_backend = std::make_shared<CInProcessIioBackend>();
    std::unique_ptr<CKelthar> m_core;
    bool m_connected = false;
};

void ReadDataDdc(benchmark::State& state)
{
    CInProcessCore fixture;
    if (!fixture.IsConnected())
    {
        state.SkipWithError("the in-process link did not start");
        return;
    }
    std::vector<uint8_t> block;
    int bytes = 0;
    for (auto _ : state)
    {
        if (!fixture.Core().ReadData(block, 0, &bytes))
        {
            state.SkipWithError("ReadData failed");
            break;
        }
        benchmark::DoNotOptimize(block.data());
    }
    SetRealtimeCounters(state, 4096.0 * 65, kSdrRateHz);
}

void DecimationLoop(benchmark::State& state)
{
    const int decimation = static_cast<int>(state.range(0));
    const size_t samples = 4096 * static_cast<size_t>(decimation);
    std::vector<uint8_t> raw(4 * samples);
    uint32_t seed = 7;
    for (auto& byte : raw)
    {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(seed >> 24);
    }
    std::vector<uint8_t> dest(CKelthar::kDdcBlockBytes);
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(
            CDdcDecimator::Decimate(raw.data(), 2, 4, samples, decimation, dest.data(), dest.size()));
        benchmark::ClobberMemory();
    }
    SetRealtimeCounters(state, static_cast<double>(samples), kSdrRateHz);
}
}  // namespace

BENCHMARK(ProcessBlockAndFm)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadDataDdc)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecimationLoop)->Arg(1)->Arg(65)->Arg(521)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
