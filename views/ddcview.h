#pragma once

#include <QRect>
#include <QVector>

#include <optional>
#include <vector>

#include "ddccorrectiontables.h"
#include "viewbase.h"

class COptionsWindow;
class QMenu;
class CQOscillogramGraphic;
class CQSpectrumGraphic;
class CQVectorGraphic;
class CQWaterfallGraphic;
class CVectorWindow;

// The band (DDC) view: one narrow band around the tune frequency as a spectrum ("Spec"), its
// waterfall ("Waterfall"), the I/Q oscillogram ("Osc") or the I/Q vector ("Vec"). Axis windows are
// kept per channel type and DDC band in the groups "DdcSpectrum" and "DdcOscilloscope".
class CDdcView : public CViewBase
{
    Q_OBJECT

public:
    explicit CDdcView(QWidget* parent = nullptr);
    ~CDdcView() override;

    // 0 "Spec", 1 "Waterfall", 2 "Spec" above "Waterfall", 3 "Osc", 4 "Vec"; other values change no
    // pane. In every case the axis settings are applied again when the band's sample rate changed.
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
    bool CanZoomWhilePaused() override;

    // One DDC spectrum into trace 1 of "Spec", corrected first by the table of the current band's
    // decimation while the FFT correction is on (the waterfall and measurements stay uncorrected).
    virtual void SetSpectrumData(const std::vector<double>& spectrum);
    // One block of I and Q samples. With a combine count of n, every n-th block shows the last n
    // blocks joined end to end in "Osc" and "Vec" (and goes to the trigger test).
    virtual void SetOscData(const std::vector<double>& i, const std::vector<double>& q);

    // Keeps the options window and follows its vector options and oscillogram combine count; the
    // main window hands it over before the first pane mode (null: no options groups to switch).
    void SetOptionsWindow(COptionsWindow* options);
    COptionsWindow* m_pOptionsWindow = nullptr;
    // False while the band receiver may not be retuned from this view.
    bool m_bTuningEnabled = true;
    // The separate vector window, which shows the same I/Q vector; not owned, null until the main
    // window has created it.
    CVectorWindow* m_pVectorWindow = nullptr;

    bool IsFftCorrOn() const { return m_bFftCorr; }
    int GetCombineCount() const { return m_nCombine; }
    const CDdcCorrectionTables& GetCorrectionTables() const { return m_Corrections; }

    // The archive entry of the band, through the new-entry dialog.
    void OnAddToArchive() override;

    // The tune label's box and its digit boxes as the last paint left them (empty before).
    QRect GetTuneLabelBox() const { return m_TuneBox; }
    const QVector<QRect>& GetDigitBoxes() const { return m_DigitBoxes; }
    // The label's text for a tune frequency in MHz: "433.92000 MHz", up to 1 MHz "500.00 kHz".
    static QString TuneLabelText(double mhz);
    // The menu the view offers at `pos` (the press point of a right click); null where it offers
    // none. The caller runs and deletes it.
    QMenu* CreateContextMenu(QPoint pos);

public slots:
    // Only stores the flag; the next spectrum is corrected or not.
    void SetFftCorr(bool on);
    // Pane data files of the pane at the press point ("*.dwd", "*.dsd", "*.dvd", "*.dod").
    void OnLoadData();
    void OnSaveData();
    // Data operations 1, 2, 4 and 3 on the pane at the press point.
    void OnDataOpPause();
    void OnDataOpCombination();
    void OnDataOpSignalData();
    void OnDataOpDataSignal();
    // Retune the band receiver to two or three times its frequency.
    void OnAddToArchiveGoto2Harmonic();
    void OnAddToArchiveGoto3Harmonic();
    void OnCancelOp() override;
    // The waterfall's "Show Spectrum": from the waterfall alone to the spectrum above it and back,
    // remembered as the band page's "WaterfallSpectrum" option.
    void OnWaterfallSpectrum();
    // Shows the separate vector window and the spectrum pane.
    void OnSeparateVector();
    void OnVectorShowLines(bool on);
    void OnVectorShowSamples(int n);
    // n blocks per oscillogram record (below 1 counts as 1); the X range becomes n block durations.
    void OnCombineOsc(int count);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The tuning dialog from a click on the tune label.
    void mousePressEvent(QMouseEvent* event) override;
    // Drag tuning over the whole-band spectrum and moving the I and Q traces apart.
    void mouseMoveEvent(QMouseEvent* event) override;
    // A notch over a digit of the tune label turns that digit.
    void wheelEvent(QWheelEvent* event) override;
    // The panes, the tune label with its digit boxes and "BND" in the axis corner.
    void paintEvent(QPaintEvent* event) override;

private:
    // The base's one-block entry point stays what a caller holding a CViewBase reaches (trace 0 of "Osc"
    // alone); on a band view itself only the I/Q entry point above is offered.
    using CViewBase::SetOscData;

    void ShowDdcGroups(bool spectrum, bool waterfall, bool osc, bool vector);
    // Re-applies the axis settings when the band's sample rate is not the one they were applied for.
    void CheckSampleRate();
    // Tune frequency and sample rate of the band, Hz; false when the band entry is not valid.
    static bool BandTuning(double* tuneHz, double* rateHz);
    // The table of the current band's decimation; null for none or without a valid band.
    const std::vector<double>* CorrectionTable() const;
    // The tune frequency in MHz; none without a device or a valid band.
    static std::optional<double> TuneMHz();
    void DrawTuneLabel(QPainter* painter, QPoint pointer);
    void RunTuningDialog();
    // Asks for the tune frequency with digit `digit` of the label turned by `delta` (120 a notch);
    // the pane under the pointer gives the label's decimals.
    void TuneDigit(int digit, int delta, IGraphic* pane);

    CQSpectrumGraphic* m_pSpec;
    CQWaterfallGraphic* m_pWaterfall;
    CQOscillogramGraphic* m_pOsc;
    CQVectorGraphic* m_pVec;
    int m_nPaneMode = 0;
    double m_dLastSampleRate = 0.0;
    int m_nCombine = 1;
    int m_nCombined = 0;
    std::vector<double> m_IRecord;
    std::vector<double> m_QRecord;
    bool m_bFftCorr = false;
    CDdcCorrectionTables m_Corrections;
    std::vector<double> m_Corrected;
    QRect m_TuneBox;
    QVector<QRect> m_DigitBoxes;
};
