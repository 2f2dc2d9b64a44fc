#include "recordingloader.h"

#include <QDateTime>
#include <QMutexLocker>

#include "devicethread.h"
#include "globals.h"
#include "ichannel.h"
#include "icontrolbits.h"
#include "kelthar.h"

namespace
{
// Interface ids of the core: its control bits and signal recorder (members), a new range calculator
// (owned by the caller).
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

// What the replay takes over from the live device, read once so that one load sees one set: the
// range calculators' window and averaging, and the level corrections the core applies to the range
// spectrum (the channel's own triple, and the first channel's per-band row of the scanned inputs).
constexpr int kDbmCorrections = 3;
constexpr int kBandCorrections = 8;

struct LIVE_SETTINGS
{
    int window = 0;
    int averaging = 0;
    double dbm[kDbmCorrections] = {};
    double bands[kBandCorrections + 1] = {};  // indexed 1 to 8, as the library does
};

LIVE_SETTINGS ReadLiveSettings(IChannel* live)
{
    LIVE_SETTINGS settings;
    QMutexLocker lock(&g_DataMutex);
    if (g_DeviceThread.m_pRangeFft1)
    {
        settings.window = g_DeviceThread.m_pRangeFft1->GetWindow();
        settings.averaging = g_DeviceThread.m_pRangeFft1->GetAveraging();
    }
    for (int k = 0; k < kDbmCorrections; ++k)
        settings.dbm[k] = live->GetDbmCorrection(k);
    if (IChannel* first =
            g_DeviceThread.m_pControlBits ? g_DeviceThread.m_pControlBits->GetChannel(0) : nullptr)
    {
        for (int j = 1; j <= kBandCorrections; ++j)
            settings.bands[j] = first->GetDbmCorrection2(j);
    }
    return settings;
}

void ApplyLevelCorrections(IControlBits* controlBits, const LIVE_SETTINGS& settings)
{
    if (IChannel* current = controlBits->GetChannel(-1))
    {
        for (int k = 0; k < kDbmCorrections; ++k)
            current->SetDbmCorrection(k, settings.dbm[k]);
    }
    if (IChannel* first = controlBits->GetChannel(0))
    {
        for (int j = 1; j <= kBandCorrections; ++j)
            first->SetDbmCorrection2(j, settings.bands[j]);
    }
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
    m_pCore.reset();
    IKelthar* core = nullptr;
    if (!FPGAQueryInterface(&core) || !core)
        return false;
    m_pCore.reset(core);
    ISignalRecorder* recorder = Interface<ISignalRecorder>(core, kRecorderId);
    // The full open reads the first block's header, so the tuning given back is the recording's own.
    if (!recorder ||
        !recorder->OpenRecording(path.toStdWString(), QDateTime::currentMSecsSinceEpoch(), false))
    {
        m_pCore.reset();
        return false;
    }
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
    // Two calculators as the live device sets up its pair: the spectrum's with the live averaging,
    // the waterfall's without any, both with the live window and the channel type's rate index.
    std::unique_ptr<ICalcFft> spectrumCalc(Interface<ICalcFft>(m_pCore.get(), kRangeFftId));
    std::unique_ptr<ICalcFft> lineCalc(Interface<ICalcFft>(m_pCore.get(), kRangeFftId));
    IChannel* live = g_DeviceThread.GetChannel(-1);
    if (recorder && controlBits && spectrumCalc && lineCalc && live)
    {
        // The private core works with a copy of the live channel, its level corrections included, so
        // that a replayed block shows the levels the live one showed.
        controlBits->Reset();
        controlBits->Init();
        controlBits->AddChannel(live->GetType(), live->GetShortName(), live->GetName(),
                                live->GetSampleRate());
        controlBits->SetCurrentChannel(live->GetType());
        const LIVE_SETTINGS settings = ReadLiveSettings(live);
        ApplyLevelCorrections(controlBits, settings);

        const uint8_t rateIndex = CDeviceThread::RangeRateIndex(live->GetType());
        spectrumCalc->Init(rateIndex);
        spectrumCalc->SetWindow(settings.window);
        spectrumCalc->SetAveraging(settings.averaging);
        lineCalc->Init(rateIndex);
        lineCalc->SetAveraging(0);
        lineCalc->SetWindow(settings.window);

        std::vector<uint8_t> block;
        std::vector<double> out1;
        std::vector<double> out2;
        while (!m_bCancelled && recorder->ReadBlock(block))
        {
            const qint64 blockTime = recorder->GetBlockTime();
            m_pCore->ProcessBlock(block, out1, out2);
            // The spectrum's averaging runs over every block, as it does live.
            spectrumCalc->Calculate(out1, out2);
            lineCalc->Calculate(out1, out2);
            // Block times are milliseconds and archive times seconds: every block of that second shows,
            // the last one stays.
            if (blockTime / 1000 == timeSeconds)
                emit spectrumLoaded(spectrumCalc->GetResult());
            emit waterfallLineLoaded(blockTime, lineCalc->GetResult());
            const qint64 size = recorder->GetFileSize();
            if (size > 0)
                emit progress(static_cast<int>(recorder->GetFilePosition() * 100 / size));
        }
    }
    spectrumCalc.reset();
    lineCalc.reset();
    m_pCore.reset();
    emit progress(100);
}
