#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <ctime>
#include <exception>
#include <vector>

#include "ianalysis.h"
#include "ui_veltrano.h"

class QCloseEvent;
class QEvent;
class QKeyEvent;
class QLabel;
class QComboBox;

class COptionsWindow;
class CArchiveWindow;
class Zantigo;
class CMemoryWindow;
class CSpectrumDialog;
class CAnalysisWindow;
class CGsmAnalysisWindow;
class CScanerWindow;
class CInternalsWindow;
class CUserManualWindow;
class CVectorWindow;
class CVideoWindow;
class CNoiseQualityWindow;
class CMonitoring2Window;
class CTemplatesWindow;
class CPulseWindow;
class CKnownFreqRangesWindow;
class CKnownFreqRanges2Window;
class CSignalRecorderWindow;
class CSoundRecorderWindow;
class COctaveFiltersWindow;
class CDdcWavWriterWindow;
class CDebugWindow;
class CNoConnectionWindow;
class CProgressDialog;
class CRecorderLoaderThread;
class CViewBase;
class QPushButton;

// The program's one main window: three signal panes (full range, DDC band, demodulation) with their
// button rows, the tool windows around them, the menus and the status bar. It polls the device thread
// every 10 ms for new data, watches the connection once two seconds after each start of its
// connection timer, and switches between online and demo mode from the File menu.
//
// One class over several sources: construction, timers and the demo switch in veltrano.cpp; window
// state, title, language, key sequences and close in veltranostate.cpp; the tool windows and the
// status bar in veltranodocks.cpp; channel switching in veltranochannel.cpp; the range pane, tool and
// menu commands in veltranocommands.cpp; the DDC and demodulation panes in veltranopanes.cpp; the
// tool windows' reports in veltranoreports.cpp; analysis, archive images and loaded recordings in
// veltranoanalysis.cpp; the data tick in veltranodata.cpp.
class Veltrano : public QMainWindow
{
    Q_OBJECT

public:
    // The three panes of the main window; the same words name their settings sections.
    enum PanesEnum
    {
        RangePane = 0,
        DdcPane = 1,
        DemodPane = 2
    };

    Veltrano(int channelType, QString startWindow, QWidget* parent = nullptr,
             Qt::WindowFlags flags = Qt::WindowFlags());
    ~Veltrano() override;

    Veltrano(const Veltrano&) = delete;
    Veltrano& operator=(const Veltrano&) = delete;

    // The window rectangle kept in the settings section "mainWindow2" between runs: its four edges and
    // their sum. Restoring applies it to `window`; a set whose sum does not match gives the fixed
    // rectangle (30, 50)-(2100, 1300). An all-zero set (nothing stored yet) is not applied, so a first
    // start keeps the window state restored from "MainWindow" instead of a one-pixel window.
    static void RestoreGeometry(QWidget* window);
    static void StoreGeometry(const QWidget* window);

    // The title: application name, version, and " - DEMO mode" while the device is in demo mode.
    static QString WindowTitle(bool demoMode);
    // The recording time that `freeBytes` allow the range waterfall buffer, and the same for the
    // folder of a buffer path ("n/a" for a path without a folder).
    static QString FormatRecordingTime(quint64 freeBytes);
    static QString RecordingTimeText(const QString& bufferPath);

    void RestoreWindowState();
    void SaveWindowState();
    void ResetPaneSizes();
    void UpdateWindowTitle();
    void ConnectPaneButtons();
    void CreateDockWindows();
    void CreateStatusBar(int channelType);
    void RestorePaneStates();
    void ApplyDemodSettings();
    void ShowFreqInRange(double freqMHz);

    // State the tests and the tool windows look at.
    int GetEnlargedPane() const { return m_nEnlargedPane; }
    int GetServiceMode() const { return m_nServiceMode; }
    bool IsKeepWaiting() const { return m_bKeepWaiting; }
    const QTimer& ConnectionTimer() const { return m_ConnectionTimer; }
    const QTimer& RateTimer() const { return m_ConnectionTimer2; }
    const QTimer& CountersTimer() const { return m_CountersTimer; }
    const QTimer& DataTimer() const { return m_DataTimer; }
    QLabel* StatusLabel() const { return m_pStatusLabel; }
    QLabel* RateLabel() const { return m_pRateLabel; }
    QLabel* MessageLabel() const { return m_pMessageLabel; }
    QComboBox* ChannelCombo() const { return m_pChannelCombo; }
    CDebugWindow* DebugWindow() const { return m_pDebugWindow; }
    CNoConnectionWindow* NoConnectionWindow() const { return m_pNoConnectionWindow; }
    CUserManualWindow* UserManualWindow() const { return m_pUserManualWindow; }

public slots:
    void SetCurrentChannel(int type, double ddcFreq = 0.0, bool init = true);

    // Timers.
    void OnConnectionTimer();
    void OnConnectionTimer2();
    void OnCountersTimer();
    void OnDeviceDataArrived();
    void SendDataToGraph(PanesEnum pane);
    void ApplySpectrumDialogRange(bool secondBand);

    // Menus.
    void OnFileDemoModeMenu();
    void OnFileLoadParamMenu();
    void OnFileSaveParamMenu();
    void OnFileDefParamMenu();
    void OnViewLanguageEnglishMenu();
    void OnViewLanguageRussianMenu();
    void OnToolsPreferencesMenu();
    void OnHelpManualMenu();
    void OnHelpAboutMenu();

    // Range pane.
    void OnRangePauseButton();
    void OnRangeStepButton();
    void OnRangeOptionsButton();
    void OnRangeSpectrumButton();
    void OnRangeWaterfallButton();
    void OnRangeOscButton();
    void OnRangeResetButton();
    void OnRangeZeroButton();
    void OnRangeAutoFitButton();
    void OnRange1Button();
    void OnRange2Button();
    void OnRange3Button();
    void OnLMX_Button();
    void OnLMX_Button_2();
    void OnRangeSoundStatusChanged();
    void OnRemoteButton(bool on);
    void OnChannelChanged();
    void OnMasterButton();
    void OnSlaveButton();
    void OnStartButton();
    void OnStopButton();

    // DDC pane.
    void OnDdcPauseButton();
    void OnDdcStepButton();
    void OnDdcOptionsButton();
    void OnDdcSpectrumButton();
    void OnDdcWaterfallButton();
    void OnDdcOscButton();
    void OnDdcVectorButton();
    void OnDdcResetButton();
    void OnDdcZeroButton();
    void OnDdcAutoFitButton();
    void OnDdcWavWriteButton();
    void OnDdcWriteWavButton();
    void OnDeviceBandwidthChanged(int index);
    void OnBandwidthsChanged();

    // Demodulation pane.
    void OnDemodPauseButton();
    void OnDemodStepButton();
    void OnDemodOptionsButton();
    void OnDemodSpectrumButton();
    void OnDemodWaterfallButton();
    void OnDemodOscButton();
    void OnDemodResetButton();
    void OnDemodZeroButton();
    void OnDemodAutoFitButton();
    void OnDeviceDemodChanged();
    void OnDemodAudioDeviceChanged();
    void OnDemodSoundStatusChanged();
    void OnOnlyDdcChanged();
    void OnDemodVideoButton(bool on);

    // Tool-window buttons.
    void OnArchiveButton();
    void OnAnalysisButton();
    void OnMonitoringButton();
    void OnMonitoring2Button(int restart = 0);
    void OnTemplatesButton();
    void OnPulseButton();
    void OnMemoryButton();
    void OnPlutoTxButton();
    void OnQuorrinButton();
    void OnBrisolaButton();
    void OnGsmAnalysisButton();
    void OnRangesButton();
    void OnRanges2Button();
    void OnScanerButton();

    // Views.
    void OnChangeDdcFreq(double freqMHz);
    void OnRangeChangedTriggerLevel(double level);
    void OnSaveArchive();
    void OnRangeTriggerPause();
    void OnDdcTriggerPause();
    void OnDemodTriggerPause();
    void OnPressCornerRange();
    void OnPressCornerDdc();
    void OnPressCornerDemod();

    // Shell windows, loader and device thread.
    void OnSwitchToDemo();
    void OnKeepWaiting();
    void OnProgress(int percent);
    void OnDataLoaded(double freq, int bandwidth, double start, double stop);
    void OnDeviceMasterMode(bool master);
    void OnStatusMessage(QString text);

    // Tool-window reports.
    void OnOptionsSelChanged(int page);
    void OnRangeWaterfallBuffer(bool on, const QString& path);
    void OnDdcWaterfallBuffer(bool on, const QString& path);
    void OnDemodWaterfallBuffer(bool on, const QString& path);
    void OnArchiveVisibilityChanged(bool visible);
    void OnLoadImageFromArchive(QString name);
    void OnCloseImages();
    void OnGotoTime(int type, time_t time, double freq, const QString& file);
    void OnPlutoTxVisibilityChanged(bool visible);
    void OnMemoryVisibilityChanged(bool visible);
    void OnAnalysisThresholdVisibilityChanged(bool visible);
    void OnAnalysisVisibilityChanged(bool visible);
    void OnAnalysisFreqChanged(double freqMHz, double widthMHz);
    void OnAnalysisFinished(const std::vector<ANALYSIS_RESULT_ITEM>& results);
    void OnGsmAnalysisVisibilityChanged(bool visible);
    void OnGsmAnalysisFreqChanged(double freqMHz);
    void OnScanerVisibilityChanged(bool visible);
    void OnScanerFreqChanged(double freqMHz, int mode);
    void OnScanerModelChanged();
    void OnLMX_VisibilityChanged(bool visible);
    void OnMonitoring2VisibilityChanged(bool visible);
    void OnMonitoringVisibilityChanged(bool visible);
    void OnTemplatesVisibilityChanged(bool visible);
    void OnPulseVisibilityChanged(bool visible);
    void OnPulseDetectStarted();
    void OnPulseDetectStopped();
    void OnClkDivCntChanged(int value);
    void OnPulseEnableTrigger(bool on);
    void OnPulseTriggerLevelChanged(double level);
    void OnPulseViewPulse(const std::vector<double>& samples);
    void OnPulseCloseViewPulse();
    void OnPulseSavePulse(const QString& file);
    void OnKnownFreqRangesVisibilityChanged(bool visible);
    void OnKnownMultipleFreqRangesSelected(const QVector<int>& indices);
    void OnKnownFreqRanges2VisibilityChanged(bool visible);
    void OnSignalRecorderVisibilityChanged(bool visible);
    void OnSignalPlaybackStarted(double freq, int bandwidth, double start, double stop);
    void OnSignalPlaybackStopped();
    void OnSoundRecorderVisibilityChanged(bool visible);
    void OnSoundRecordingStarted();
    void OnSoundRecordingStopped();
    void OnRangeOctaveFiltersVisibilityChanged(bool visible);
    void OnDemodOctaveFiltersVisibilityChanged(bool visible);
    void OnVectorVisibilityChanged(bool visible);
    void OnVideoVisibilityChanged(bool visible);
    void OnColorsChanged();
    void OnRecorderEnableDdcTuning(bool enable);
    void OnMonitoringAdfRangeChanged(double startMHz, double stopMHz);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Runs a command's body. A library exception must not end the program: the operator gets
    // "Unexpected error occurred!" with the command's name, and the command stops where it was.
    template <typename Body>
    void RunCommand(const char* name, Body&& body)
    {
        try
        {
            body();
        }
        catch (const std::exception& error)
        {
            ReportCommandError(name, error);
        }
    }
    void ReportCommandError(const char* name, const std::exception& error);
    // The twenty steps of a channel switch, for a type the library has a channel for.
    void SwitchChannel(int type, double ddcFreq, bool init);
    // A freshly started demo shows its signal at once: the range pane's level window is fitted to
    // the first demo sweep, once per start of demo mode.
    void StartDemoLevelFit();
    void FitDemoLevels();
    // Tunes to a recording's frequency and band and shows its range in the range view; `clamp` first
    // fits the range to the synthesizer's limits.
    void ShowRecordedRange(double tuneHz, int bandwidthIndex, double start, double stop, bool clamp);
    // The index of the narrowest DDC band whose name still reads at least widthMHz × 1000.
    int PickBandwidth(double widthMHz);
    // The start-up tool window named on the command line.
    void OpenStartWindow(const QString& name);
    // Flips a tool window's visibility; true when it is shown afterwards.
    bool ToggleWindow(QWidget* window);
    // Unchecks the only-DDC button and applies it: the full-range sweep runs again.
    void SwitchOnlyDdcOff();
    // Service sequence: one key of it; true when the whole sequence has just been typed.
    bool MatchServiceKey(const QString& text);
    void ShowServiceWidgets();
    // Debug sequence: one key press of it.
    void MatchDebugKey(int key);
    void UpdateRecordingTimeText();
    // The range pane's band buttons (0..2) and the spectrum dialog's converter bands (0, 1).
    void SetRangeBand(int band);
    void ToggleLmxBand(int band);
    // The range spectrum's threshold line shows while the analysis or the monitoring window does.
    void UpdateThresholdLine();
    // The known-ranges window shows several ranges side by side.
    bool IsMultiRangeShown() const;
    // Mode switches of the DDC and demodulation panes: 0 spectrum, 1 waterfall, 2 oscillogram, and
    // 3 I/Q vector for the DDC pane (the "GraphMode" values).
    void SetDdcPaneMode(QPushButton* pressed, int graphMode);
    void SetDemodPaneMode(QPushButton* pressed, int graphMode);
    static void RestartWaterfall(CViewBase* view);
    // Monitoring of the range the first painter of the range view shows, with only-DDC off.
    void StartMonitoringForVisibleRange();
    void HideNoConnectionWindow();

protected:
    // The form: a window derived for a test may put a watching view in place of a pane's view.
    Ui::VeltranoClass ui;

private:
    QTimer m_ConnectionTimer;
    QTimer m_ConnectionTimer2;
    QTimer m_CountersTimer;
    QTimer m_DataTimer;

    QLabel* m_pMessageLabel = nullptr;
    QComboBox* m_pChannelCombo = nullptr;
    QLabel* m_pRateLabel = nullptr;
    QLabel* m_pSpareLabel = nullptr;
    QLabel* m_pStatusLabel = nullptr;

    CNoConnectionWindow* m_pNoConnectionWindow = nullptr;
    CRecorderLoaderThread* m_pRecorderLoaderThread = nullptr;
    CProgressDialog* m_pProgressDialog = nullptr;

    QString m_strServiceKeys;
    int m_nServiceKeyPos = 0;
    int m_nServiceMode = 0;
    bool m_bOnlyDdcBeforeVideo = false;
    bool m_bKeepWaiting = false;
    bool m_bFitDemoLevels = false;
    int m_nEnlargedPane = 0;
    // Device thread's byte count at the last rate tick: the rate is the growth since then.
    quint32 m_nLastReceivedBytes = 0;

    COptionsWindow* m_pOptionsWindow = nullptr;
    CArchiveWindow* m_pArchiveWindow = nullptr;
    Zantigo* m_pPlutoTxWindow = nullptr;
    CMemoryWindow* m_pMemoryWindow = nullptr;
    CSpectrumDialog* m_pSpectrumDialog = nullptr;
    CAnalysisWindow* m_pAnalysisWindow = nullptr;
    CGsmAnalysisWindow* m_pGsmAnalysisWindow = nullptr;
    CScanerWindow* m_pScanerWindow = nullptr;
    CInternalsWindow* m_pInternalsWindow = nullptr;
    CUserManualWindow* m_pUserManualWindow = nullptr;
    CVectorWindow* m_pVectorWindow = nullptr;
    CVideoWindow* m_pVideoWindow = nullptr;
    CNoiseQualityWindow* m_pNoiseQualityWindow = nullptr;
    CMonitoring2Window* m_pMonitoring2Window = nullptr;
    CTemplatesWindow* m_pTemplatesWindow = nullptr;
    CPulseWindow* m_pPulseWindow = nullptr;
    CKnownFreqRangesWindow* m_pKnownFreqRangesWindow = nullptr;
    CKnownFreqRanges2Window* m_pKnownFreqRanges2Window = nullptr;
    CSignalRecorderWindow* m_pSignalRecorderWindow = nullptr;
    CSoundRecorderWindow* m_pSoundRecorderWindow = nullptr;
    COctaveFiltersWindow* m_pRangeOctaveFiltersWindow = nullptr;
    COctaveFiltersWindow* m_pDemodOctaveFiltersWindow = nullptr;
    CDdcWavWriterWindow* m_pDdcWavWriterWindow = nullptr;

    CDebugWindow* m_pDebugWindow = nullptr;
};
