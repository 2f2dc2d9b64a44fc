#pragma once

#include <vector>

#include "viewbase.h"

class COptionsWindow;
class QMenu;
class CQOscillogramGraphic;
class CQSpectrumGraphic;
class CQWaterfallGraphic;

// The demodulation view: the spectrum of the demodulated signal from 0 to half its sample rate
// ("Spec"), its waterfall ("Waterfall") and the demodulated samples ("Osc"). Axis windows are kept per
// channel type and DDC band in the groups "DemodSpectrum" and "DemodOscilloscope".
class CDemodView : public CViewBase
{
    Q_OBJECT

public:
    explicit CDemodView(QWidget* parent = nullptr);
    ~CDemodView() override;

    // 0 "Spec", 1 "Waterfall", 2 "Spec" above "Waterfall", 3 "Osc"; other values change no pane. In
    // every case the axis settings are applied again when the band's sample rate changed.
    void SetPaneMode(int mode);
    int GetPaneMode() const { return m_nPaneMode; }

    // Stores the visible windows and the trigger level of the current band, once per apply.
    void SaveAxisSettings();

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
    // Exported rows carry the band's own frequencies.
    double ExportFrequency(int index) override;
    int XToIndex(double x) override;

    // The options window whose oscillogram combine count the view follows; the main window hands
    // it over before the first pane mode (null: no options groups to switch).
    void SetOptionsWindow(COptionsWindow* options);
    COptionsWindow* m_pOptionsWindow = nullptr;

    // One block of demodulated samples. With a combine count of n, every n-th block shows the last
    // n blocks joined end to end in trace 0 of "Osc" (and goes to the trigger test). The base's entry
    // point, so a caller holding a CViewBase combines the same way.
    void SetOscData(std::vector<double> samples) override;
    int GetCombineCount() const { return m_nCombine; }

    // The view's menu for the pane shown last (the lower of two): null while no pane is shown. The
    // caller runs and deletes it.
    QMenu* CreateContextMenu();

public slots:
    // Pane data files of the pane at the press point ("*.mwd", "*.msd", "*.mod"); the waterfall's
    // history is loaded, never saved.
    void OnLoadData();
    void OnSaveData();
    // The waterfall's "Show Spectrum": from the waterfall alone to the spectrum above it and back,
    // remembered as the demodulator page's "WaterfallSpectrum" option.
    void OnWaterfallSpectrum();
    // n blocks per oscillogram record (below 1 counts as 1); the X range becomes n block durations.
    void OnCombineOsc(int count);
    // Data operations 1, 2 and 4 on the pane at the press point.
    void OnDataOpPause();
    void OnDataOpCombination();
    void OnDataOpSignalData();
    void OnAddToArchive() override;
    void OnCancelOp() override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // In the middle Y cell of the oscillogram the wheel moves trace 1 as well; over no pane nothing.
    void wheelEvent(QWheelEvent* event) override;
    // The panes, then "DMD" in the axis corner of the lower pane.
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowDemodGroups(bool spectrum, bool waterfall, bool osc);
    void CheckSampleRate();

    CQSpectrumGraphic* m_pSpec;
    CQWaterfallGraphic* m_pWaterfall;
    CQOscillogramGraphic* m_pOsc;
    int m_nPaneMode = 0;
    double m_dLastSampleRate = 0.0;
    int m_nCombine = 1;
    int m_nCombined = 0;
    std::vector<double> m_OscRecord;
};
