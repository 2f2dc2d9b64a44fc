#pragma once

#include <QString>

#include <vector>

#include "dockwindow.h"
#include "histogramwidget.h"
#include "ui_octavefilterswindow.h"

// A floating window that shows the levels of a bank of octave or third-octave filters as bars. The
// main window computes the levels while the window is visible and hands them over; the window keeps
// the filter type and the shown level range under its settings name.
class COctaveFiltersWindow : public CQDockWindow
{
    Q_OBJECT

    Ui::COctaveFiltersWindow ui{};

public:
    COctaveFiltersWindow(const QString& title, const QString& settingsName, QWidget* parent = nullptr);
    // Stores the filter type and the range.
    ~COctaveFiltersWindow() override;

    // Replaces the bars; the caller repaints the window.
    void SetLevels(const std::vector<HISTOGRAM_BAR>& levels);

    void setVisible(bool visible) override;

    const Ui::COctaveFiltersWindow& Form() const { return ui; }

    // The form's widgets that the main window and the tests reach.
    CQHistogramWidget* m_pDiagramWidget = nullptr;
    // 0 octave filters, 1 third-octave filters; the main window reads it before each update.
    QComboBox* m_pTypeCombo = nullptr;
    QComboBox* m_pRangeCombo = nullptr;

public slots:
    void OnAutoZeroButton();
    void OnRangeCombo(int index);

protected:
    void changeEvent(QEvent* event) override;
};
