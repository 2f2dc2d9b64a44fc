#pragma once

#include <QString>

#include <vector>

#include "dockwindow.h"
#include "histogramwidget.h"

class QComboBox;
class QLabel;
class QPushButton;

// A floating window that shows the levels of a bank of octave or third-octave filters as bars. The
// main window computes the levels while the window is visible and hands them over; the window keeps
// the filter type and the shown level range under its settings name.
class COctaveFiltersWindow : public CQDockWindow
{
    Q_OBJECT

public:
    COctaveFiltersWindow(const QString& title, const QString& settingsName, QWidget* parent = nullptr);
    ~COctaveFiltersWindow() override;

    // Replaces the bars; the caller repaints the window.
    void SetLevels(const std::vector<HISTOGRAM_BAR>& levels);

    void setVisible(bool visible) override;

    CQHistogramWidget* m_pDiagramWidget = nullptr;
    // 0 octave filters, 1 third-octave filters; the main window reads it before each update.
    QComboBox* m_pTypeCombo = nullptr;
    QComboBox* m_pRangeCombo = nullptr;

public slots:
    void OnAutoZeroButton();
    void OnRangeCombo(int index);

protected:
    void changeEvent(QEvent* event) override;

private:
    void RetranslateUi();

    QLabel* m_pTypeLabel = nullptr;
    QLabel* m_pRangeLabel = nullptr;
    QPushButton* m_pAutozeroButton = nullptr;
};
