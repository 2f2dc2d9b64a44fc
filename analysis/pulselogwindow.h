#pragma once

#include <QString>
#include <QTimer>

#include <cstdint>
#include <vector>

#include "dockwindow.h"
#include "kelthar.h"
#include "pulselogfilter.h"
#include "ui_pulselogwindow.h"

class CPulseLogFilterDialog;
class QContextMenuEvent;
class QMenu;
class QTreeWidgetItem;

// The floating "Pulse Detector Log Window": the pulses the library's detector has found, one row each
// (time, frequency, pulse and signal duration, peak level), filtered, sortable by their numbers. A row
// shows its envelope in the range view; a pulse goes to the signals archive with the oscillogram's
// image; the list is saved as a web page. The detector keeps the pulses: the list is a copy taken at
// each refresh (on showing, by Refresh, every 10 s while autorefresh is on, after a filter change).
class CPulseLogWindow : public CQDockWindow
{
    Q_OBJECT

    Ui::CPulseLogWindow ui{};

public:
    // `detector` lists the pulses; when null, the device thread's detector of the moment (the device
    // thread makes a new one when it reloads the library).
    explicit CPulseLogWindow(QWidget* parent = nullptr, IPulseDetect* detector = nullptr);
    ~CPulseLogWindow() override;

    bool PassesFilter(const PULSE_ITEM& pulse) const;

    // The context menu as the operator opens it (owned by the caller): opening it turns autorefresh
    // off; null, with no menu, when no row is selected.
    QMenu* CreateContextMenu();

    // Where the oscillogram image of a pulse that started at `startTime` (seconds since 1970) goes:
    // "<folder>/yyyyMMddhhmmsszzz_rod.img" in local time, with "_2", "_3"... before ".img" when a
    // file of that name exists already, so two pulses of one second keep their own images.
    static QString ImagePath(const QString& folder, int64_t startTime);
    // The "Signal Duration" text of a signal that lasted `seconds`: "hh:mm:ss", the hours counting on
    // past 24.
    static QString SignalDurationText(int64_t seconds);

    const Ui::CPulseLogWindow& Form() const { return ui; }

    PULSE_LOG_FILTER m_Filter;

signals:
    void viewPulse(const std::vector<double>& envelope);
    void savePulse(const QString& path);
    // An entry was filed in the signals archive: its file is to be written.
    void saveArchive();

public slots:
    void setVisible(bool visible) override;
    void FillList();
    void OnFilterButton();
    void OnClearButton();
    void OnSaveButton();
    void OnRefreshButton();
    void OnRefreshCheck(bool checked);
    void OnItemClicked(QTreeWidgetItem* item, int column);
    void OnAddToArchive();
    void OnApplyFilter(CPulseLogFilterDialog* dialog);

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void AddPulseRow(const PULSE_ITEM& pulse);
    void ShowCount();
    IPulseDetect* Detector() const;

    QTimer m_RefreshTimer;
    IPulseDetect* m_pDetector = nullptr;
};
