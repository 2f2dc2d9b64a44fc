#include "devicethread.h"

#include <QDateTime>
#include <QDebug>
#include <QMutexLocker>

#include <cmath>
#include <exception>

#include "globals.h"
#include "parameters.h"

namespace
{
// The SDR's factory network address, used while "PlutoSDR"/"IP_Selection" is 0.
const char kDefaultSdrAddress[] = "192.168.2.1";

// Loop cadences, ms.
constexpr unsigned long kDemoStepMs = 400;
constexpr unsigned long kRecordingStoppedMs = 250;
constexpr unsigned long kIdleMs = 300;
constexpr unsigned long kAfterInitMs = 200;
constexpr unsigned long kSettleMs = 500;
constexpr unsigned long kAfterFailedStepMs = 200;
constexpr unsigned long kAfterStoppedStepMs = 500;

constexpr int kStateIdle = 0;
constexpr int kStateInitialise = 1;
constexpr int kStateSettle = 2;
constexpr int kStateRunning = 3;

constexpr int kTypeAcoustic = 6;

// The library's sky strobe value that the loop sets after a failed step.
constexpr uint8_t kStrobAfterFailure = 10;

IKelthar* CreateCore()
{
    IKelthar* core = nullptr;
    FPGAQueryInterface(&core);
    return core;
}

template <typename T>
void Bind(IFPGAInterface* source, int id, T** out)
{
    // The binding checks nothing: a missing interface shows up later as a failed step.
    source->GetInterface(id, reinterpret_cast<void**>(out));
}
}  // namespace

CDeviceThread::CDeviceThread() : CDeviceThread(CreateCore())
{
}

CDeviceThread::CDeviceThread(IKelthar* core)
    : QThread(nullptr), m_pKelthar(core), m_DeviceName(QStringLiteral("Morvik A"))
{
    AcquireInterfaces();
    m_pControlBits->Init();
    m_pAnalysis->SetGarmConv(this);
    m_pMonitoring->SetGarmConv(this);
    m_pKnownFreq1->SetGarmConv(this, m_pMultiAdf);
    m_pKnownFreq2->SetGarmConv(this, m_pMultiAdf);

    m_nTransferMode = 0;
    m_CommandPacket.assign(1095, 0);
    m_ReplyPacket.assign(1024, 0);
    m_MemoryImage = QByteArray(512, '\0');
    m_DdcSpectra2.assign(1, {});
    m_DemodSpectra2.assign(1, {});
}

CDeviceThread::~CDeviceThread()
{
    Stop();
    // The objects the core made on request belong to us; they refer to the core's control bits, so
    // they go first, the users of others before what they use. The core's members die with it.
    delete m_pMonitoring;
    delete m_pKnownFreq2;
    delete m_pKnownFreq1;
    delete m_pPulseDetect;
    delete m_pGsmAnalysis;
    delete m_pScaner;
    delete m_pAnalysis;
    delete m_pDemodFft2;
    delete m_pDemodFft1;
    delete m_pDdcFft2;
    delete m_pDdcFft1;
    delete m_pMultiRangeFft2;
    delete m_pMultiRangeFft1;
    delete m_pRangeFft2;
    delete m_pRangeFft1;
    delete m_pKelthar;
}

void CDeviceThread::AcquireInterfaces()
{
    // Every interface that the windows use, bound once in this order; the pointers are kept for the
    // life of the process.
    IKelthar* core = m_pKelthar;
    Bind(core, 0, &m_pControlBits);
    Bind(m_pControlBits, 1, &m_pAdf);
    Bind(m_pControlBits, 20, &m_pMultiAdf);
    Bind(m_pControlBits, 3, &m_pDla);
    Bind(m_pControlBits, 4, &m_pAcoustic);
    Bind(m_pControlBits, 2, &m_pSky);
    Bind(core, 5, &m_pRangeFft1);
    Bind(core, 5, &m_pRangeFft2);
    Bind(core, 23, &m_pMultiRangeFft1);
    Bind(core, 23, &m_pMultiRangeFft2);
    Bind(core, 6, &m_pDdcFft1);
    Bind(core, 6, &m_pDdcFft2);
    Bind(core, 7, &m_pDemodFft1);
    Bind(core, 7, &m_pDemodFft2);
    Bind(core, 8, &m_pAnalysis);
    Bind(core, 10, &m_pSoundEngine);
    Bind(core, 11, &m_pVideoEngine);
    Bind(core, 12, &m_pRecorder);
    Bind(core, 13, &m_pArchive);
    Bind(core, 14, &m_pScaner);
    Bind(core, 15, &m_pGsmAnalysis);
    Bind(core, 16, &m_pMonitoring);
    Bind(core, 18, &m_pPulseDetect);
    Bind(m_pSoundEngine, 17, &m_pDeclicker);
    Bind(core, 9, &m_pNoiseQuality);
    Bind(core, 19, &m_pKnownFreq1);
    Bind(core, 19, &m_pKnownFreq2);
    Bind(core, 21, &m_pDdcWavWriter);
    Bind(core, 22, &m_pTemplates);
    Bind(core, 24, &m_pDemoSignal);
}

void CDeviceThread::Stop()
{
    m_bRunning = false;
    while (!m_bFinished)
        QThread::msleep(1);
    // The loop sets finished as its last act; run() returns just after. Destroying or restarting the
    // thread before that would abort the process or silently do nothing.
    wait();
}

void CDeviceThread::Start()
{
    if (m_bRunning)
        Stop();
    m_bRunning = true;
    m_pKelthar->SetState(kStateInitialise);
    start(QThread::TimeCriticalPriority);
}

void CDeviceThread::run()
{
    m_bFinished = false;
    m_nCycles = 0;
    try
    {
        while (m_bRunning)
        {
            const int extraDelayMs = m_nExtraDelayMs;
            if (extraDelayMs > 0)
                QThread::msleep(static_cast<unsigned long>(extraDelayMs));
            if (m_bDataReady)
            {
                // The GUI has not taken the last sweep yet; a short sleep keeps the wait off the core.
                QThread::msleep(1);
                continue;
            }
            if (m_pKelthar->IsDemoMode())
            {
                Step();
                QThread::msleep(kDemoStepMs);
                continue;
            }
            const bool recordingStopped = m_pRecorder->IsStopped();
            if (recordingStopped)
            {
                QThread::msleep(kRecordingStoppedMs);
            }
            else if (m_pRecorder->IsPlaying())
            {
                // The library reads the recording in place of the device.
                Step();
                continue;
            }
            else if (m_pKelthar->GetState() == kStateIdle)
            {
                m_pKelthar->SetState(kStateInitialise);
            }

            switch (m_pKelthar->GetState())
            {
                case kStateIdle:
                    QThread::msleep(kIdleMs);
                    break;
                case kStateInitialise:
                    InitDevice();
                    QThread::msleep(kAfterInitMs);
                    break;
                case kStateSettle:
                    QThread::msleep(kSettleMs);
                    m_pKelthar->SetState(kStateRunning);
                    break;
                case kStateRunning:
                    if (!Step())
                    {
                        QThread::msleep(kAfterFailedStepMs);
                        m_pKelthar->SetState(kStateInitialise);
                        m_pSky->SetStrob(kStrobAfterFailure);
                    }
                    if (m_pRecorder->IsStopped())
                        QThread::msleep(kAfterStoppedStepMs);
                    break;
                default:
                    break;
            }
        }
    }
    catch (const std::exception& e)
    {
        // The main window's connection watch sees finished with running still set and restarts us.
        qWarning() << "Device thread ended by an exception:" << e.what();
    }
    m_bFinished = true;
}

bool CDeviceThread::Step()
{
    const uint64_t timeMs = static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch());
    switch (m_nTransferMode)
    {
        case 1:
            // The memory window holds the device: nothing is acquired.
            return true;
        case 2:
            return MemoryTransferStep();
        case 0:
            break;
        default:
            return false;
    }

    int byteCount = 0;
    if (!m_pKelthar->ReadData(m_Block, timeMs, &byteCount))
        return false;
    if (m_pKelthar->IsSkipPending())
    {
        // The library raises the flag after a filter reload: this block still holds old samples.
        m_pKelthar->SetSkipPending(false);
        return true;
    }
    m_nReceivedBytes += byteCount;
    ++m_nCycles;
    {
        QMutexLocker lock(&g_DataMutex);
        if (m_pKelthar->ProcessBlock(m_Block, m_RangeI, m_RangeQ))
            ++g_Cycle1Count;
        m_RangeIRaw = m_RangeI;
        // The acoustic input's first two samples carry the coupling transient.
        if (m_nChannelType == kTypeAcoustic && m_RangeI.size() >= 3)
        {
            m_RangeI[0] = m_RangeI[2];
            m_RangeI[1] = m_RangeI[2];
        }
        const bool demodReady = m_pKelthar->ProcessDemod(m_Block, m_DdcI, m_DdcQ, m_Audio);
        m_bDemodDataReady = demodReady;
        if (demodReady)
            ++g_Cycle2Count;
    }
    // The first block after a start is only settling the filters.
    if (m_nCycles > 1 && !m_RangeI.empty())
        m_bDataReady = true;
    return true;
}

QString CDeviceThread::DefaultSdrAddress()
{
    return QString::fromLatin1(kDefaultSdrAddress);
}

bool CDeviceThread::InitDevice()
{
    if (m_pKelthar->IsDemoMode() || m_pRecorder->IsStopped() || m_pRecorder->IsPlaying())
        return false;
    m_pArchive->SetFolder(
        g_Parameters.GetString(QStringLiteral("Preferences"), QStringLiteral("ArchiveFolder"), QString())
            .toStdWString());

    QMutexLocker lock(&g_DataMutex);
    m_pAdf->SetReferenceFreq(GetSampleRate(0));
    const uint8_t rateIndex = RangeRateIndex(m_nChannelType);
    m_pRangeFft1->Init(rateIndex);
    m_pRangeFft2->Init(rateIndex);
    m_pRangeFft2->SetAveraging(0);
    m_pDdcFft1->Init(true);
    m_pDdcFft2->Init(true);
    m_pDdcFft2->SetAveraging(0);
    m_pDemodFft1->Init(false);
    m_pDemodFft2->Init(false);
    m_pDemodFft2->SetAveraging(0);

    QString address = DefaultSdrAddress();
    if (g_Parameters.GetInt(QStringLiteral("PlutoSDR"), QStringLiteral("IP_Selection"), 0) != 0)
        address = g_Parameters.GetString(QStringLiteral("PlutoSDR"), QStringLiteral("IP_Address"), QString());
    // An empty address would send the SDR link into network discovery: treat it as no device.
    if (address.trimmed().isEmpty())
        return false;
    m_pSky->SetUri((QStringLiteral("ip:") + address).toStdString());

    if (!m_pKelthar->Connect(GetDeviceName().toStdString(), m_nConnectArgA, m_nConnectArgB))
        return false;

    m_RangeI.clear();
    m_RangeQ.clear();
    m_DdcI.clear();
    m_DdcQ.clear();
    m_Audio.clear();
    m_RangeSpectrum.clear();
    m_RangeSpectrum2.clear();
    m_DdcSpectrum.clear();
    m_DemodSpectrum.clear();
    lock.unlock();

    m_pScaner->Attach(m_pRangeFft1);
    return true;
}

QString CDeviceThread::GetChannelPrefix(int type) const
{
    if (type == -1)
        type = m_nChannelType;
    switch (type)
    {
        case 0:
            return QStringLiteral("Hf");
        case 1:
            return QStringLiteral("HfWl");
        case 2:
            return QStringLiteral("Wl");
        case 3:
            return QStringLiteral("WlHf");
        case 4:
            return QStringLiteral("Dla");
        case 5:
            return QStringLiteral("Ir");
        case 6:
            return QStringLiteral("Ac");
        default:
            return QString();
    }
}

bool CDeviceThread::HasChannel(int type)
{
    // Only the channels the correction tables created exist.
    return type >= 0 && type < m_pControlBits->GetChannelCount();
}

bool CDeviceThread::SetChannelType(int type)
{
    // Selecting a type without a channel would make the library look up a channel that is not there.
    if (!HasChannel(type))
    {
        qDebug() << "Channel type" << type << "has no channel; staying on type" << m_nChannelType.load();
        return false;
    }
    m_nChannelType = type;
    m_pControlBits->SetCurrentChannel(type);
    return true;
}

IChannel* CDeviceThread::GetChannel(int index)
{
    return m_pControlBits->GetChannel(index);
}

int CDeviceThread::GetChannelCount()
{
    return m_pControlBits->GetChannelCount();
}

double CDeviceThread::GetSampleRate(int channel)
{
    if (m_pControlBits->GetChannelCount() <= 0)
        return 0.0;
    IChannel* pChannel = m_pControlBits->GetChannel(channel);
    return pChannel != nullptr ? pChannel->GetSampleRate() : 0.0;
}

double CDeviceThread::GetMinFreq(int channel)
{
    IChannel* pChannel = m_pControlBits->GetChannel(channel);
    return pChannel != nullptr ? pChannel->GetStartFreq() : 0.0;
}

namespace
{
// The clock divider d slows the sweep by 2^m with m = 0 for d = 0, else d + 1.
double ClockDividerFactor(IControlBits* controlBits)
{
    const int divider = controlBits->GetClkDivCnt();
    const int m = divider == 0 ? 0 : divider + 1;
    return std::ldexp(1.0, m);
}
}  // namespace

double CDeviceThread::GetMaxFreq(int channel)
{
    IChannel* pChannel = m_pControlBits->GetChannel(channel);
    if (pChannel == nullptr)
        return 0.0;
    return pChannel->GetStopFreq() / ClockDividerFactor(m_pControlBits);
}

double CDeviceThread::GetUpperLimit()
{
    IChannel* pChannel = m_pControlBits->GetChannel(-1);
    return pChannel != nullptr ? pChannel->GetUpperLimit() : 0.0;
}

double CDeviceThread::GetBlockDuration(int channel)
{
    const double rateHz = GetSampleRate(channel);
    // No channel exists before the correction tables are loaded: no duration to show.
    if (rateHz <= 0.0)
        return 0.0;
    return ClockDividerFactor(m_pControlBits) * (m_pKelthar->GetRangeFftSize() / rateHz);
}

int CDeviceThread::GetDdcFftSize()
{
    return m_pDdcFft1->GetPointCount();
}

double CDeviceThread::GetOscDuration(int channel)
{
    const double rateHz = m_pControlBits->GetSampleRate(channel);
    if (rateHz <= 0.0)
        return 0.0;
    return m_pKelthar->GetDdcFftSize() / rateHz;
}

double CDeviceThread::GetDemodSpan(int channel)
{
    return m_pControlBits->GetSampleRate(channel) / 1e6 * 0.5;
}

double CDeviceThread::GetDdcLowerFreq(int channel)
{
    return (m_pControlBits->GetTuneFreq() - m_pControlBits->GetSampleRate(channel) * 0.5) / 1e6;
}

double CDeviceThread::GetDdcUpperFreq(int channel)
{
    return (m_pControlBits->GetSampleRate(channel) * 0.5 + m_pControlBits->GetTuneFreq()) / 1e6;
}

double CDeviceThread::GetFreqOffset(int /*unused*/)
{
    return 0.0;
}

double CDeviceThread::GetDbmCorrection(int channel, int index)
{
    IChannel* pChannel = m_pControlBits->GetChannel(channel);
    return pChannel != nullptr ? pChannel->GetDbmCorrection(index) : 0.0;
}

void CDeviceThread::SetDbmCorrection(int channel, int index, double value)
{
    if (IChannel* pChannel = m_pControlBits->GetChannel(channel))
        pChannel->SetDbmCorrection(index, value);
}

double CDeviceThread::GetAdfDbmCorrection(int channel, int index)
{
    IChannel* pChannel = m_pControlBits->GetChannel(channel);
    return pChannel != nullptr ? pChannel->GetDbmCorrection2(index) : 0.0;
}

void CDeviceThread::SetAdfDbmCorrection(int channel, int index, double value)
{
    if (IChannel* pChannel = m_pControlBits->GetChannel(channel))
        pChannel->SetDbmCorrection2(index, value);
}

double CDeviceThread::GetOscCorrection(int channel, int index)
{
    IChannel* pChannel = m_pControlBits->GetChannel(channel);
    return pChannel != nullptr ? pChannel->GetOscCorrection(index) : 0.0;
}

void CDeviceThread::SetOscCorrection(int channel, int index, double value)
{
    if (IChannel* pChannel = m_pControlBits->GetChannel(channel))
        pChannel->SetOscCorrection(index, value);
}

void CDeviceThread::SetScanRange(double startMHz, double stopMHz)
{
    // Unchanged limits keep the analysis results.
    if (startMHz == m_pAdf->GetStartFreq() && stopMHz == m_pAdf->GetStopFreq())
        return;
    m_pAdf->SetScanRange(startMHz, stopMHz);
    m_pAnalysis->ClearResults();
}

void CDeviceThread::SetMultipleRanges(const std::vector<int>& averagingModes)
{
    m_pMultiRangeFft1->SetRanges(averagingModes);
    m_pMultiRangeFft2->SetRanges(averagingModes);
}

bool CDeviceThread::IsDemoMode()
{
    return m_pKelthar->IsDemoMode();
}

void CDeviceThread::SetDemoMode(bool on)
{
    m_pKelthar->SetDemoMode(on);
}

bool CDeviceThread::IsOnline()
{
    return m_pKelthar->GetState() == kStateRunning || !m_pRecorder->IsIdle();
}

QString CDeviceThread::GetDeviceName() const
{
    QMutexLocker lock(&m_DeviceNameMutex);
    return m_DeviceName;
}

void CDeviceThread::SetDeviceName(const QString& name)
{
    QMutexLocker lock(&m_DeviceNameMutex);
    m_DeviceName = name;
}
