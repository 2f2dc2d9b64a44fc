#pragma once

#include "viewbase.h"

class CQVectorGraphic;

// The vector window's view: the DDC stream's I/Q samples as one vector ("Vec") pane, I on X and Q on
// Y, both running from -1 to 1 with auto-scale on.
class CVectorView : public CViewBase
{
    Q_OBJECT

public:
    explicit CVectorView(QWidget* parent = nullptr);
    ~CVectorView() override;

    // Join the points with lines, and how many points are drawn.
    void SetShowLines(bool on);
    void SetSamples(int n);

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
    // No data operation to cancel on a vector pane.
    void OnCancelOp() override;

protected:
    // No hover readouts or drags over the vector.
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CQVectorGraphic* m_pVec;
};
