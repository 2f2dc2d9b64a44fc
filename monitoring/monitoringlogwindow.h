#pragma once

#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "dockwindow.h"
#include "monitoringlogfilterdialog.h"

class IMonitoring;
class ISignalsArchive;
class QMenu;
class QTreeWidgetItem;
struct MONITORING_EVENT;

namespace Ui
{
class CMonitoringLogWindow;
}

// The floating "Monitoring Log Window": one row per event of the library's monitoring object, listed
// by hand or every 10 seconds, filtered by period and frequency, cleared, deleted one by one, filed in
// the signals archive and saved as a web page. The first event after a Clear is announced with a
// large box. The window only reads and removes events; it never starts or stops monitoring.
class CMonitoringLogWindow : public CQDockWindow
{
    Q_OBJECT

public:
    // The dock's settings section is "MonitoringLog" followed by `instance` when it is not 0.
    // `monitoring` and `archive` are the device thread's when null.
    CMonitoringLogWindow(QWidget* parent, int instance, IMonitoring* monitoring = nullptr,
                         ISignalsArchive* archive = nullptr);
    ~CMonitoringLogWindow() override;

    Ui::CMonitoringLogWindow& Form() { return *m_ui; }
    const MONITORING_LOG_FILTER& GetFilter() const { return m_Filter; }

    // The list's context menu (owned by the caller): it switches the autorefresh off and takes the
    // values of the selected rows, on which its actions then work; null when no row is selected.
    QMenu* CreateContextMenu();

    // "hh:mm:ss" of a duration in seconds, the hours counted on past a day (25 hours: "25:00:00").
    static QString FormatDuration(qint64 seconds);

signals:
    // Events were filed in the archive: its file should be written.
    void saveArchive();

public slots:
    void OnAddToArchiveAction();
    void OnDeleteAction();
    void OnFilterButton();
    void OnClearButton();
    void OnSaveButton();
    void OnRefreshButton();
    void OnRefreshCheck(bool on);
    void FillList();
    void setVisible(bool visible) override;

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // What a row stands for, taken from it when the menu opens: a refresh while a dialog of the menu
    // is open replaces the rows.
    struct RowValues
    {
        uint32_t id = 0;
        qint64 startTime = 0;
        double bandStart = 0.0;
        double bandEnd = 0.0;
        double frequency = 0.0;
        double level = 0.0;
        QString recordingPath;
        int channel = 0;
    };

    bool Passes(const MONITORING_EVENT& event) const;
    QTreeWidgetItem* MakeRow(const MONITORING_EVENT& event) const;
    static RowValues ValuesOf(const QTreeWidgetItem& row);
    void ShowNewEventBox(int sector, bool coreStatusClear);
    // "%1 events" for the rows listed, marked when the filter is on.
    void UpdateEventsLabel();

    std::unique_ptr<Ui::CMonitoringLogWindow> m_ui;
    IMonitoring* m_pMonitoring = nullptr;
    ISignalsArchive* m_pArchive = nullptr;
    bool m_bPopupShown = false;
    MONITORING_LOG_FILTER m_Filter;
    QTimer m_RefreshTimer;
    std::vector<RowValues> m_Selection;
    std::optional<RowValues> m_MenuCurrent;
};
