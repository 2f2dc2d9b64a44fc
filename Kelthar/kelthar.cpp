#include "kelthar_core.h"

#include "frontendlink.h"
#include "ftdi.h"
#include "processstate.h"

CKelthar::CKelthar()
{
    m_connection = std::make_unique<CFTDI>();
    for (auto& accumulator : m_accumulators)
        accumulator.assign(1, std::vector<double>(kAccumulatorLength, 0.0));

    // The front-end unit is started by the first core of the process only; its failures are reported
    // through the message sink and never stop construction.
    CFrontEndLink::Instance().StartOnce();
}

CKelthar::~CKelthar()
{
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
        default:
            // 1-4 and 20 are answered by the control bits themselves.
            return false;
    }
}

bool CKelthar::Connect(const std::string& name, int valueA, int valueB)
{
    (void)name;
    (void)valueA;
    (void)valueB;
    return false;
}

void CKelthar::Disconnect()
{
    m_connection->Close();
}

int CKelthar::GetState()
{
    return m_connection->GetState();
}

void CKelthar::SetState(int state)
{
    m_connection->SetState(state);
    if (state == 3)
        m_connection->Purge();
}

bool CKelthar::SendGeneratorParams(const uint8_t* block)
{
    (void)block;
    return false;
}

bool CKelthar::SetGeneratorOn(bool on)
{
    (void)on;
    return false;
}

bool CKelthar::ReadData(std::vector<uint8_t>& block, uint64_t time, int* byteCount)
{
    (void)block;
    (void)time;
    if (byteCount)
        *byteCount = 0;
    return false;
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
}

bool CKelthar::SendBlock(std::vector<uint8_t>& command, std::vector<uint8_t>& reply, int& frameOffset)
{
    (void)command;
    (void)reply;
    (void)frameOffset;
    return false;
}

uint32_t CKelthar::GetBlockLength()
{
    return 0;
}

bool CKelthar::ProcessBlock(const std::vector<uint8_t>& block, std::vector<double>& out1,
                            std::vector<double>& out2)
{
    (void)block;
    (void)out1;
    (void)out2;
    return false;
}

bool CKelthar::ProcessDemod(const std::vector<uint8_t>& block, std::vector<std::vector<double>>& i,
                            std::vector<std::vector<double>>& q, std::vector<std::vector<double>>& audio)
{
    (void)block;
    (void)i;
    (void)q;
    (void)audio;
    return false;
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
    return m_overloadState;
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
