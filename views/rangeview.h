#pragma once

#include <QColor>
#include <QString>
#include <QTimer>
#include <QVector>

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "iknownfreqdetect.h"
#include "spectrummarkeritem.h"
#include "viewbase.h"

class CQAnalysisSpectrumGraphic;
class CQGraphicBase;
class CQMultipleRangesSpectrumGraphic;
class CQMultipleRangesWaterfallGraphic;
class CQOscillogramGraphic;
class CQWaterfallGraphic;
class COptionsWindow;
class QMenu;
class QPainter;
class QRect;

// The full-range view: the spectrum of the whole sweep ("Spec", with the analysis, template and
// known-frequency overlays), the named frequency ranges side by side ("MultiSpec",
// "MultiWaterfall"), the waterfall history ("Waterfall") and the time-domain samples of the range
// acquisition ("Osc"), one or two of them shown as the pane mode says. Axis windows are kept per
// channel type in the groups "RangeSpectrum" and "RangeOscilloscope".
class CRangeView : public CViewBase
{
    Q_OBJECT

public:
    explicit CRangeView(QWidget* parent = nullptr);
    ~CRangeView() override;

    // 0 "Spec", 1 "Waterfall", 2 "Spec" above "Waterfall", 3 "Osc", 4 "MultiSpec", 5 "MultiWaterfall",
    // 6 "MultiSpec" above "MultiWaterfall"; other values change nothing. Every mode but the
    // oscillogram switches the trigger off.
    void SetPaneMode(int mode);
    int GetPaneMode() const { return m_nPaneMode; }

    // Stores the visible windows and the trigger level of the current channel type, once per apply.
    void SaveAxisSettings();

    // --- Data of one sweep, as the main window dispatches it. ---
    // The live spectrum into trace 1 of "Spec" (template markers follow it while they are active).
    // Called from another thread (a replay), the data are copied and handed over through the
    // view's event queue; the same holds for AddWaterfallLineAt.
    virtual void SetSpectrumData(const std::vector<double>& spectrum);
    // One live line into "Waterfall"; the multi-range waterfall is fed per range through
    // SetMultiRangeData.
    void AddWaterfallLine(const std::vector<double>& line) override;
    // A replayed line with its own time (ms since the epoch) into "Waterfall".
    void AddWaterfallLineAt(qint64 timeMs, const std::vector<double>& line);
    // The threshold line (trace 3 of "Spec"); an empty vector clears it.
    virtual void SetAveragingTrace(const std::vector<double>& average);
    // The number of points of the synthesizer's sweep plan, taken over at every data tick.
    virtual void SetHarmonicCount(int count) { m_nHarmonicCount = count; }
    int GetHarmonicCount() const { return m_nHarmonicCount; }

    // --- The named ranges of the multi-range panes. ---
    void AddMultiRange(QString name, double startMHz, double endMHz);
    void ClearMultiRanges();
    // The per-range buffer files of "MultiWaterfall" start again.
    void ResetMultiWaterfallRange();

    // The oscillogram as shown, as a pane file of type "rod" (the pulse detector's save); false when
    // the file could not be written.
    bool SaveOscData(QString path);

    // Auto-scale of "Osc"; switched off, the amplitude window becomes -0.05 .. 0.05.
    void SetOscAutoScale(bool on);

    // --- Overlays of the spectrum panes. ---
    void SetAnalysisResults(const QVector<SPECTRUM_MARKER_ITEM>& markers);
    void ClearAnalysisResults();
    // Range index -1: the detections of the single-range "Spec"; any other: of that range of
    // "MultiSpec".
    virtual void SetKnownFreqResults(int rangeIndex, const std::vector<KNOWN_FREQ_DETECTION>& detections);
    virtual void SetKnownFreqResultsVisible(bool on);
    void SetThresholdLineVisible(bool on);
    // The view base's colours, plus the tuning line, bandwidth and threshold-line colours.
    void ApplyColors() override;
    QColor GetTuningLineColor() const { return m_TuningLineColor; }
    QColor GetBandwidthColor() const { return m_BandwidthColor; }
    bool IsAnalysisShown() const { return m_bAnalysisShown; }
    bool AreTemplatesActive() const { return m_bTemplatesActive; }

    // --- Axis broadcast with the synthesizer's scan range following the visible window. ---
    void SetXFrom(double value) override;
    void SetXTo(double value) override;
    void SetXWindow(double from, double to) override;
    void ScrollX(double delta) override;

    void ApplySpectrumXRange() override;
    void ApplySpectrumYRange() override;
    void ApplyOscXRange() override;
    void ApplyOscYRange() override;
    void ResetSpectrumXRange() override;
    void ResetOscXRange() override;
    void ResetSpectrumYRange() override;
    void ResetOscYRange() override;
    void FitLevelToNoise() override;
    double IndexToX(int index) override;
    int XToIndex(double x) override;
    bool CanZoomWhilePaused() override;

    // Set by the main window: the options window (before the first pane mode) and whether the range
    // view may retune the band receiver.
    COptionsWindow* m_pOptionsWindow = nullptr;
    bool m_bTuningEnabled = true;

public slots:
    // The templates overlay on or off; off empties it at once.
    void SetTemplateActivated(bool on);
    // Pane data files of the pane at the press point ("rwd", "rsd", "rod"), through the file dialogs;
    // a failure is reported and leaves the pane, its data operation and the folder as they were.
    void OnLoadData();
    void OnSaveData();
    // The data operation of the pane at the press point: 1 hold, 2 combination, 4 signal-data,
    // 3 data-signal; the view then shows loaded data.
    void OnDataOpPause();
    void OnDataOpCombination();
    void OnDataOpSignalData();
    void OnDataOpDataSignal();
    void OnCancelOp() override;
    // Toggles between the waterfall alone and the spectrum above it ("RangeOptions"/"WaterfallSpectrum").
    void OnWaterfallSpectrum();
    // Asks the main window to tune the band receiver to the spectrum maximum (while tuning is allowed).
    void OnMaxFreqToDdc();
    // Files the band receiver's current band as an archive entry of the full-range pane.
    void OnAddToArchive() override;
    // Every 2 s: the spectrum X window, when it changed, into the settings.
    void OnTimer();

public:
    // The context menu for the last shown pane, parented to the view, or nullptr without a pane; the
    // caller runs and deletes it.
    QMenu* CreateContextMenu();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A left click without movement on "Spec" tunes the band receiver to the frequency under it.
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Moves and the wheel do nothing while the converter band shifts the frequencies.
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // The panes, then the band receiver's tuning and bandwidth lines over the spectrum panes, the
    // overload warning and "Full" in the last pane's axis corner.
    void paintEvent(QPaintEvent* event) override;
    // A line width pixel columns wide (one when width is 0) at frequency f of a plot starting at x0
    // with u MHz per pixel, and the dotted bandwidth lines band MHz apart around it.
    void DrawTuningLine(QPainter* painter, const QRect& r, double f, double u, double x0, int width);
    void DrawBandwidthLines(QPainter* painter, const QRect& r, double f, double band, double u, double x0);

private:
    void ShowRangeGroups(bool spectrum, bool waterfall);
    // While the synthesizer sweeps, the sweep follows the last shown pane's X window.
    void FollowScanRange();
    // The sweep painters lay their data over the synthesizer's index axis while it sweeps.
    void SetIndexAxisMode(CQGraphicBase* single, CQGraphicBase* multi);
    void RebuildTemplateMarkers();
    void SetTemplateMarkers(const QVector<SPECTRUM_MARKER_ITEM>& markers);

    CQAnalysisSpectrumGraphic* m_pSpec;
    CQMultipleRangesSpectrumGraphic* m_pMultiSpec;
    CQWaterfallGraphic* m_pWaterfall;
    CQMultipleRangesWaterfallGraphic* m_pMultiWaterfall;
    CQOscillogramGraphic* m_pOsc;
    int m_nPaneMode = 0;
    int m_nHarmonicCount = 0;
    bool m_bAnalysisShown = false;
    bool m_bTemplatesActive = false;
    QColor m_TuningLineColor{Qt::lightGray};
    QColor m_BandwidthColor{Qt::red};
    QTimer m_Timer;
    // The spectrum X window last written by OnTimer; NaN until the first tick.
    double m_dWrittenXFrom;
    double m_dWrittenXTo;
    std::vector<double> m_AverageTrace;

    // The template markers are rebuilt only when what FreqToIndices reads or the template list has
    // changed; the index look-ups are kept per template frequency until the index table changes.
    struct IndexTableState
    {
        bool useTable = false;
        std::vector<double> table;
        bool sweep = false;
        double start = 0.0;
        double step = 0.0;
    };
    struct TemplateState
    {
        bool enabled = false;
        std::vector<std::pair<double, double>> ranges;
    };
    bool TemplateSourcesChanged();
    const std::vector<int32_t>& TemplateIndices(double freqMHz);
    IndexTableState m_TemplateIndexState;
    std::vector<TemplateState> m_TemplateList;
    std::unordered_map<quint64, std::vector<int32_t>> m_TemplateIndexCache;
    // The template overlay holds the markers of the current sources.
    bool m_bTemplateMarkersCurrent = false;
};
