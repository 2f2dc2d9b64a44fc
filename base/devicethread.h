#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <vector>

#include "kelthar.h"

class IChannel;

// The program's single link to the device library. The constructor binds every library interface
// the windows use and keeps the pointers for the life of the process; run() is the acquisition loop
// that reads sample blocks, has the core process them under g_DataMutex and raises data ready,
// which the GUI thread polls, fetches (FetchData) and clears. The loop also carries the packet
// exchange of the device-memory transfer. As IGarmConv it turns spectrum points into frequencies
// for the library's analysis objects.
//
// One class over several sources: binding, loop and accessors in devicethread.cpp, the spectrum
// fetch in devicethreadfetch.cpp, the correction tables in devicethreadcorrections.cpp and the
// memory transfer in devicethreadmemory.cpp.
class CDeviceThread : public QThread, public IGarmConv
{
    Q_OBJECT

public:
    // Binds a fresh library core.
    CDeviceThread();
    // Binds the given core and takes ownership of it; tests hand in a scripted core here.
    explicit CDeviceThread(IKelthar* core);
    ~CDeviceThread() override;

    CDeviceThread(const CDeviceThread&) = delete;
    CDeviceThread& operator=(const CDeviceThread&) = delete;

    // (Re)starts the loop: stops a running one first and waits until its run() has returned.
    void Start();
    // Ends the loop and waits until run() has returned; returns at once when it never ran.
    void Stop();
    // One acquisition step, or one memory-transfer exchange.
    bool Step();
    // Device (re)initialisation: FFT set-up, SDR address, Connect. False in demo mode, while a
    // recording is loaded or playing, or when Connect fails.
    bool InitDevice();
    // The SDR's factory address on its USB network link: the one InitDevice uses while
    // "PlutoSDR"/"IP_Selection" is 0, and the one the preferences window names.
    static QString DefaultSdrAddress();
    // The range calculators' rate index for a channel type: the radio inputs are scanned and keep the
    // whole, centred transform.
    static uint8_t RangeRateIndex(int type) { return type == 0 || type == 3 ? 1 : 0; }

    // Loop state, for the main window's connection watch and the tests.
    bool IsRunning() const { return m_bRunning; }
    bool IsFinished() const { return m_bFinished; }
    bool IsDataReady() const { return m_bDataReady; }
    bool IsDemodDataReady() const { return m_bDemodDataReady; }
    int GetCycles() const { return m_nCycles; }
    int GetReceivedBytes() const { return m_nReceivedBytes; }

    // Spectrum fetch on the GUI thread (try-locks g_DataMutex).
    bool FetchData();
    bool GetRangeSpectrum(ICalcFft* calc, ICalcMultiFft* multiCalc, const std::vector<double>& i,
                          const std::vector<double>& q, std::vector<double>& out,
                          std::vector<double>& freqTable, std::vector<int>& valueTable);
    bool GetRangeSpectrum1(const std::vector<double>& i, const std::vector<double>& q,
                           std::vector<double>& out, std::vector<double>& freqTable,
                           std::vector<int>& valueTable);
    bool GetRangeSpectrum2(const std::vector<double>& i, const std::vector<double>& q,
                           std::vector<double>& out, std::vector<double>& freqTable,
                           std::vector<int>& valueTable);
    bool GetDdcData(ICalcFft* calc, const std::vector<double>& i, const std::vector<double>& q,
                    std::vector<double>& out);
    bool GetDemodData(ICalcFft* calc, const std::vector<double>& audio, std::vector<double>& out);
    void CorrectLevels(std::vector<double>& levelsDb);
    // What a computed range spectrum goes through before it is shown: the input chain's level
    // corrections, then the converter's gain and, for the inverted converter bands, reversal. A
    // replayed recording skips the converter panorama, which belongs to the live sweep.
    void PostProcessRangeSpectrum(std::vector<double>& spectrum, bool fillLmxPanorama);
    void CorrectLevel(double* levelDb);
    void CorrectVoltages(std::vector<double>& values);
    const std::vector<double>* GetAnalysisSpectrum();
    std::vector<int32_t> FreqToIndices(double freqMHz);
    int32_t DdcFreqToIndex(double freqMHz);
    int32_t DemodFreqToIndex(double freqMHz);
    double GetScanStep();

    // IGarmConv
    double IndexToFreq(int index) override;
    int GetValue(int index) override;
    int FreqToIndex(double freqMHz) override;

    // Correction tables in the per-user data folder.
    void LoadCorrections();
    bool LoadAdfCorrections(const QString& path);
    bool LoadOscCorrections(const QString& path);
    bool LoadDbmCorrections(const QString& path);
    bool ExportAdfCorrections(const QString& path);
    bool ExportOscCorrections(const QString& path);
    bool ExportDbmCorrections(const QString& path);
    bool SaveAdfCorrections();
    bool SaveOscCorrections();
    bool SaveDbmCorrections();

    // Accessors; a channel argument of -1 means the current channel.
    // Settings-key prefix of an input type (-1: the current one); empty for an unknown type.
    QString GetChannelPrefix(int type = -1) const;
    int GetChannelType() const { return m_nChannelType; }
    // True when the library has a channel for the input type.
    bool HasChannel(int type);
    // Refuses (and keeps the current type) when the library has no channel for the type.
    bool SetChannelType(int type);
    IChannel* GetChannel(int index);
    int GetChannelCount();
    double GetSampleRate(int channel);
    double GetMinFreq(int channel = -1);
    double GetMaxFreq(int channel = -1);
    double GetUpperLimit();
    double GetBlockDuration(int channel);
    int GetDdcFftSize();
    double GetOscDuration(int channel);
    double GetDemodSpan(int channel);
    double GetDdcLowerFreq(int channel);
    double GetDdcUpperFreq(int channel);
    double GetFreqOffset(int unused);
    double GetDbmCorrection(int channel, int index);
    void SetDbmCorrection(int channel, int index, double value);
    double GetAdfDbmCorrection(int channel, int index);
    void SetAdfDbmCorrection(int channel, int index, double value);
    double GetOscCorrection(int channel, int index);
    void SetOscCorrection(int channel, int index, double value);
    void SetScanRange(double startMHz, double stopMHz);
    void SetMultipleRanges(const std::vector<int>& averagingModes);
    bool IsDemoMode();
    void SetDemoMode(bool on);
    bool IsOnline();
    void ClearDataReady() { m_bDataReady = false; }

    // Device-memory transfer block. The memory window owns the image and the directory values and
    // starts, cancels and completes transfers through the calls below; the loop advances the counters.
    // While the mode is 2 the loop works on a buffer of its own, never on m_MemoryImage: a download
    // fills it and the window takes it once the last page is stored; an upload sends from a copy of
    // the pattern region made when it started.
    std::atomic<int> m_nMemoryDone{0};   // next page to send, or the last page received
    std::atomic<int> m_nMemoryTotal{0};  // pages of the transfer; 0 until a download's page 1
    int m_nReplyFrameOffset = 0;         // where SendBlock found the reply frame (8 or 10)
    std::atomic<bool> m_bMemoryUpload{false};
    int m_bPatternFileLoaded = 0;
    int m_nMemoryOrigin = 0;  // 0 none or from a file, 1 downloaded and not saved, 2 saved
    int m_nSpectrogramCount = 0;
    int m_nAnalysisCount = 0;
    int m_nSpectrogramOffset = 0;
    int m_nAnalysisOffset = 0;
    int m_nPatternOffset = 0;  // byte offset in the image of the block an upload sends
    QByteArray m_MemoryImage;  // 512 bytes per page; the window's, never written by the loop

    // Starts a download: counters to 0, an empty transfer buffer, then mode 2.
    void StartMemoryDownload();
    // Starts an upload of `pages` pages taken from `image` at `patternOffset` (zeros beyond its end);
    // the copy is made here, so later changes of the image never reach the device.
    void StartMemoryUpload(const QByteArray& image, int patternOffset, int pages);
    // Ends the running transfer (mode 1). A page exchange still in flight is dropped when it returns.
    void CancelMemoryTransfer();
    // The downloaded image once its last page is stored, moved out of the transfer buffer; false while
    // the download runs, after an upload or a cancel.
    bool TakeDownloadedImage(QByteArray& image);
    // The transfer buffer as it stands: what a download has stored so far, or the upload's copy.
    QByteArray MemoryTransferBuffer() const;

    std::vector<uint8_t> m_CommandPacket;
    std::vector<uint8_t> m_ReplyPacket;

    // Tables of the last single-range spectrum: MHz and switch number per point.
    std::vector<double> m_FreqTable;
    std::vector<int> m_ValueTable;

    IControlBits* m_pControlBits = nullptr;
    int32_t m_nConnectArgA = 2;
    int32_t m_nConnectArgB = 65536;
    std::vector<uint8_t> m_Block;
    // Passed to Connect at the next initialisation; the internals window edits it on the GUI thread
    // while the device thread may be initialising, hence the lock.
    QString GetDeviceName() const;
    void SetDeviceName(const QString& name);

    IKelthar* m_pKelthar = nullptr;
    IAdf4350* m_pAdf = nullptr;
    IMultiAdf4350* m_pMultiAdf = nullptr;
    IDlaControl* m_pDla = nullptr;
    IAcousticControl* m_pAcoustic = nullptr;
    ISkyControl* m_pSky = nullptr;
    ICalcFft* m_pRangeFft1 = nullptr;
    ICalcFft* m_pRangeFft2 = nullptr;
    ICalcMultiFft* m_pMultiRangeFft1 = nullptr;
    ICalcMultiFft* m_pMultiRangeFft2 = nullptr;
    ICalcFft* m_pDdcFft1 = nullptr;
    ICalcFft* m_pDdcFft2 = nullptr;
    ICalcFft* m_pDemodFft1 = nullptr;
    ICalcFft* m_pDemodFft2 = nullptr;
    IAnalysis* m_pAnalysis = nullptr;
    ISoundEngine* m_pSoundEngine = nullptr;
    IVideoEngine* m_pVideoEngine = nullptr;
    ISignalRecorder* m_pRecorder = nullptr;
    ISignalsArchive* m_pArchive = nullptr;
    IScaner* m_pScaner = nullptr;
    IGsmAnalysis* m_pGsmAnalysis = nullptr;
    IMonitoring* m_pMonitoring = nullptr;
    IDeclicker* m_pDeclicker = nullptr;
    IPulseDetect* m_pPulseDetect = nullptr;
    INoiseQuality* m_pNoiseQuality = nullptr;
    IKnownFreqDetect* m_pKnownFreq1 = nullptr;
    IKnownFreqDetect* m_pKnownFreq2 = nullptr;
    IDdcWavWriter* m_pDdcWavWriter = nullptr;
    ITemplates* m_pTemplates = nullptr;
    IDemoSignal* m_pDemoSignal = nullptr;

    // Buffers of the last processed block (guarded by g_DataMutex).
    std::vector<double> m_RangeIRaw;  // range I before the acoustic fix-up
    std::vector<double> m_RangeI;
    std::vector<double> m_RangeQ;
    std::vector<std::vector<double>> m_DdcI;
    std::vector<std::vector<double>> m_DdcQ;
    std::vector<std::vector<double>> m_Audio;
    std::vector<double> m_RangeSpectrum;
    std::vector<double> m_RangeSpectrum2;
    std::vector<double> m_DdcSpectrum;
    std::vector<std::vector<double>> m_DdcSpectra2;
    std::vector<double> m_DemodSpectrum;
    std::vector<std::vector<double>> m_DemodSpectra2;

    // Sleep at the top of every loop pass when positive, ms; the internals window sets it.
    std::atomic<int> m_nExtraDelayMs{0};
    // 0 acquire, 1 hold (the memory window is open), 2 memory transfer.
    std::atomic<int> m_nTransferMode{0};

signals:
    // Declared for the main window's connections (master/slave buttons, the options window's
    // enabled state); the acquisition loop itself has no master or declicker state to report.
    void masterMode(bool master);
    void declickerAvailable(bool available);

protected:
    void run() override;

private:
    void AcquireInterfaces();
    // One exchange of the device-memory transfer.
    bool MemoryTransferStep();
    // Stores a download reply's page into the transfer buffer; m_TransferMutex is held.
    bool StoreDownloadedPage();
    // Fetch helpers: the DDC and demodulator spectra, the converter panorama slots of one range
    // spectrum, the scan-range path of FreqToIndex, and the DDC bin width (MHz; 0 when unknown).
    void FetchDemodData();
    void FillLmxPanorama(const std::vector<double>& spectrum);
    int ScanFreqToIndex(double freqMHz);
    double DdcBinWidthMHz();

    std::atomic<int> m_nChannelType{2};
    std::atomic<bool> m_bDataReady{false};
    std::atomic<int> m_nCycles{0};
    std::atomic<int> m_nReceivedBytes{0};
    std::atomic<bool> m_bFinished{true};
    std::atomic<bool> m_bRunning{true};
    std::atomic<bool> m_bDemodDataReady{false};
    mutable QMutex m_DeviceNameMutex;
    QString m_DeviceName;
    // Guards the transfer buffer, the generation and the counters' updates by the loop against the
    // window's start, cancel and take. The generation changes with every start and cancel, so an
    // exchange that began before them cannot write into what follows.
    mutable QMutex m_TransferMutex;
    QByteArray m_TransferBuffer;
    quint64 m_nTransferGeneration = 0;
    bool m_bTransferComplete = false;
    bool m_bTransferUpload = false;
    uint8_t m_nUploadDeviceByte = 0;  // image byte 14 at the upload's start, repeated in every page
};
