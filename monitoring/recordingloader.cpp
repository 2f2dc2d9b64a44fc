#include "recordingloader.h"

#include <QDateTime>

#include "devicethread.h"
#include "globals.h"
#include "kelthar.h"

namespace
{
// Interface ids of the core: its signal recorder (a member) and a new range calculator (owned).
constexpr int kControlBitsId = 0;
constexpr int kRangeFftId = 5;
constexpr int kRecorderId = 12;

template <typename T>
T* Interface(IKelthar* core, int id)
{
    void* out = nullptr;
    if (!core || !core->GetInterface(id, &out))
        return nullptr;
    return static_cast<T*>(out);
}
}  // namespace

void CRecordingLoader::CoreDeleter::operator()(IKelthar* core) const
{
    delete core;
}

CRecordingLoader::CRecordingLoader() = default;
CRecordingLoader::~CRecordingLoader() = default;

bool CRecordingLoader::Open(const QString& path, double* tuneFreq, int* bandwidthIndex, double* freqBegin,
                            double* freqEnd)
{
    *tuneFreq = 0.0;
    *bandwidthIndex = 0;
    *freqBegin = 0.0;
    *freqEnd = 0.0;
    IKelthar* core = nullptr;
    if (!FPGAQueryInterface(&core) || !core)
        return false;
    m_pCore.reset(core);
    ISignalRecorder* recorder = Interface<ISignalRecorder>(core, kRecorderId);
    if (!recorder ||
        !recorder->OpenRecording(path.toStdWString(), QDateTime::currentMSecsSinceEpoch(), false))
        return false;
    *tuneFreq = recorder->GetTuneFreq();
    *bandwidthIndex = recorder->GetBandwidthIndex();
    *freqBegin = recorder->GetFreqBegin();
    *freqEnd = recorder->GetFreqEnd();
    return true;
}

void CRecordingLoader::Load(qint64 timeSeconds)
{
    ISignalRecorder* recorder = Interface<ISignalRecorder>(m_pCore.get(), kRecorderId);
    IControlBits* controlBits = Interface<IControlBits>(m_pCore.get(), kControlBitsId);
    std::unique_ptr<ICalcFft> calc(Interface<ICalcFft>(m_pCore.get(), kRangeFftId));
    IChannel* live = g_DeviceThread.GetChannel(-1);
    if (recorder && controlBits && calc && live)
    {
        // The private core works with a copy of the live channel.
        controlBits->Reset();
        controlBits->Init();
        controlBits->AddChannel(live->GetType(), live->GetShortName(), live->GetName(),
                                live->GetSampleRate());
        controlBits->SetCurrentChannel(live->GetType());

        std::vector<uint8_t> block;
        std::vector<double> out1;
        std::vector<double> out2;
        while (recorder->ReadBlock(block))
        {
            const qint64 blockTime = recorder->GetBlockTime();
            m_pCore->ProcessBlock(block, out1, out2);
            calc->Calculate(out1, out2);
            const std::vector<double>& spectrum = calc->GetResult();
            // Block times are milliseconds and archive times seconds: every block of that second shows,
            // the last one stays.
            if (blockTime / 1000 == timeSeconds)
                emit spectrumLoaded(spectrum);
            emit waterfallLineLoaded(blockTime, spectrum);
            const qint64 size = recorder->GetFileSize();
            if (size > 0)
                emit progress(static_cast<int>(recorder->GetFilePosition() * 100 / size));
        }
    }
    calc.reset();
    m_pCore.reset();
    emit progress(100);
}
