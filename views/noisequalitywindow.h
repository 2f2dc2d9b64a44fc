#pragma once

#include <memory>
#include <vector>

#include "dockwindow.h"

class CNoiseQualityView;
class QEvent;

namespace Ui
{
class CNoiseQualityWindow;
}

// A floating dock that shows how evenly the full-range samples spread over the value range: their
// normalised histogram, the entropy and the entropy coefficient. The main window feeds it on every
// range tick while it is visible. Settings name "NoiseQualityWindow".
class CNoiseQualityWindow : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CNoiseQualityWindow(QWidget* parent = nullptr);
    ~CNoiseQualityWindow() override;

    // The histogram, repainted at once.
    void SetData(const std::vector<double>& values);
    // The two figures, six significant digits.
    void SetEntropy(double value);
    void SetEntropyCoef(double value);

    CNoiseQualityView* GetView() const;
    QString GetEntropyText() const;
    QString GetEntropyCoefText() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::CNoiseQualityWindow> m_ui;
};
