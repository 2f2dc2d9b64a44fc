#pragma once

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

#include "oscillogramgraphic.h"

class QPainter;

// The I/Q vector pane ("Vec"): the first N samples of the I trace against the same samples of the Q
// trace, as points or as a polyline. Four traces as in the oscillogram: 0 I input, 1 I held, 2 Q input,
// 3 Q held; both axes are volts and fixed for the view.
class CQVectorGraphic : public CQOscillogramGraphic
{
    Q_OBJECT

public:
    CQVectorGraphic();
    ~CQVectorGraphic() override;

    // Feeds one I/Q block: SetData(0, i) then SetData(2, q).
    void SetIQData(const std::vector<double>& i, const std::vector<double>& q);
    // Number of sample pairs drawn (not below 0).
    void SetSamples(int n);
    int GetSamples() const { return m_samples; }
    void SetShowLines(bool lines);
    bool IsShowLines() const { return m_showLines; }

    // Geometry of the vector pane, which lays its bands out itself.
    QRect VectorPlotRect() const;
    QRect VectorXBandRect() const;
    QRect VectorYBandRect() const;

    void Paint(QPainter* painter, int mode) override;
    int GetXDecimalsCode() override;
    QString GetXUnit(double magnitude, double& scale) override;
    bool IsXFixed() override;
    bool IsYFixed() override;

    // Public: the owning view writes them directly.
    int m_samples = 256;
    bool m_showLines = false;

private:
    void PaintPane(QPainter* painter, int mode);
    // Symmetric window 10 % wider than the largest magnitude of data.
    static void SymmetricWindow(const std::vector<double>& data, double& from, double& to);
    // Reused between paints.
    std::vector<QPoint> m_points;
    std::vector<QLine> m_lines;
};
