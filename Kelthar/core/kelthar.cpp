#include "kelthar_core.h"

#include "ddcfft.h"
#include "demodfft.h"
#include "fftanalysis.h"
#include "frontendlink.h"
#include "ftdi.h"
#include "gsmanalysis.h"
#include "knownfreqdetect.h"
#include "monitoring.h"
#include "processstate.h"
#include "pulsedetect.h"
#include "rangefft.h"
#include "rangemultifft.h"
#include "scaner.h"
#include "serialfrontend.h"

// Construction, the interfaces the core hands out, the connection and its state, the flags and the
// small accessors. The data path lies in keltharacquire.cpp (reading blocks, the board exchange) and
// keltharprocess.cpp (turning blocks into samples and sound), the recorder's part of it in
// keltharrecording.cpp; the generator's transmit path is CGeneratorTransmit.

namespace
{
constexpr int kDeviceStateInitialise = 1;
constexpr int kDeviceStateRunning = 3;

struct FhssTiming
{
    int32_t blockSamples;
    int32_t refillCount;
};
// By FHSS mode; any mode outside the table uses mode 0.
constexpr FhssTiming kFhssTimings[] = {{32768, 37},  {65536, 19},  {131072, 9}, {32768, 74}, {65536, 38},
                                       {131072, 18}, {32768, 148}, {65536, 76}, {131072, 36}};
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
    if (link.Start(m_controlBits.Sky().GetUri(), m_rxConfig, m_generator.Config()) == CSdrLink::kStarted)
        m_generator.Start();
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

bool CKelthar::SendGeneratorParams(const uint8_t* block)
{
    return m_generator.SendParams(block);
}

bool CKelthar::SetGeneratorOn(bool on)
{
    return m_generator.SetOn(on);
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
