#pragma once

#include <QString>

#include <memory>

#include "dockwindow.h"
#include "measurementlist.h"

class QEvent;
class QResizeEvent;

namespace Ui
{
class CMeasurementsWindowClass;
}

// The floating window of a view's automatic measurements: a table of "Measurement" and "Value" rows.
// It holds one row list per kind of data the view shows; the view picks the list when its pane layout
// changes, writes values by row id as it computes them and then refreshes the table. "Select..." lets
// the operator choose the rows shown.
class CMeasurementsWindow : public CQDockWindow
{
    Q_OBJECT

public:
    enum List
    {
        SpectrumList = 0,
        OscList = 1,
        SpectrumIqList = 2,
        OscIqList = 3,
        ListCount = 4
    };

    // `name` is the dock's settings name ("RangeMeasuresWindow"...).
    explicit CMeasurementsWindow(const QString& name, QWidget* parent = nullptr);
    ~CMeasurementsWindow() override;

    // Shows list `i` (a List value) with the values last set in it; other values are ignored.
    void SetCurrentList(int i);
    int GetCurrentList() const { return m_currentList; }
    // `i` must be a List value.
    MeasurementList& GetList(int i) { return m_lists[i]; }

    // Sets the text of row `id` of the current list to CUtils::FormatValue(value, kind, precision);
    // an id that the list lacks changes nothing. Neither refreshes the table.
    void SetMeasurementValue(const QString& id, double value, int kind, int precision);
    void ClearMeasurementValue(const QString& id);
    // Rebuilds the table from the shown rows of the current list; the window's height follows them.
    void UpdateTable();

    static constexpr int kRowHeight = 20;

public slots:
    void OnSelectButton();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildLists();

    std::unique_ptr<Ui::CMeasurementsWindowClass> m_ui;
    MeasurementList m_lists[ListCount];
    int m_currentList = SpectrumList;
};
