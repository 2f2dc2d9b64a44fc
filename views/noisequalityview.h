#pragma once

#include <vector>

#include "viewbase.h"

class CQOscillogramGraphic;

// The noise-quality window's view: the normalised histogram of the full-range samples as trace 0 of
// one "Osc" pane without axes, X the bin index and Y the bin's probability, auto-scaled.
class CNoiseQualityView : public CViewBase
{
    Q_OBJECT

public:
    explicit CNoiseQualityView(QWidget* parent = nullptr);
    ~CNoiseQualityView() override;

    // The histogram into trace 0; X runs over its bins. An empty histogram clears the trace.
    void SetData(const std::vector<double>& values);

    void ApplySpectrumXRange() override;
    void ApplySpectrumYRange() override;
    void ApplyOscXRange() override;
    void ApplyOscYRange() override;
    void ResetSpectrumXRange() override;
    void ResetOscXRange() override;
    void ResetSpectrumYRange() override;
    void ResetOscYRange() override;
    // No spectrum here: nothing to fit.
    void FitLevelToNoise() override;
    double IndexToX(int index) override;
    int XToIndex(double x) override;
    bool CanZoomWhilePaused() override;

public slots:
    void OnCancelOp() override;

protected:
    // No hover readouts or drags over the histogram.
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CQOscillogramGraphic* m_pOsc;
};
