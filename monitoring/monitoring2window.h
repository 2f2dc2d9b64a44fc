#pragma once

#include <QString>
#include <QTimer>

#include <memory>

#include "dockwindow.h"

class CMonitoringLogWindow;
class IMonitoring;
class QTreeWidgetItem;
struct MONITORING_TASK;

namespace Ui
{
class CMonitoring2Window;
}

// Monitoring of the frequency range the operator looks at: the main window hands in the range shown
// by the range view, and the window keeps one automatic task over it in the library's monitoring
// object, built from the analysis settings. Start runs the object (the main window then feeds it every
// sweep), a one-second poll restarts it when the range or the analysis settings change, Stop ends it.
// The event log window belongs to this window.
//
// The task list with its Add, Edit and Remove buttons is hidden; it still holds the automatic task.
class CMonitoring2Window : public CQDockWindow
{
    Q_OBJECT

public:
    // `monitoring` is the device thread's monitoring object when null.
    explicit CMonitoring2Window(QWidget* parent = nullptr, IMonitoring* monitoring = nullptr);
    ~CMonitoring2Window() override;

    // Stores the range (MHz) and replaces the task list by one automatic task over it, then shows the
    // window. While monitoring runs, the same range again changes nothing, so its events and detector
    // history stay, and a new range restarts it over the new range. An empty or NaN range is refused.
    void StartForRange(double start, double end);

    double GetStartFreq() const { return m_dStartFreq; }
    double GetEndFreq() const { return m_dEndFreq; }
    const QString& GetTasksPath() const { return m_strTasksPath; }
    CMonitoringLogWindow* LogWindow() const { return m_pLogWindow; }
    bool IsPolling() const { return m_Timer.isActive(); }
    Ui::CMonitoring2Window& Form() { return *m_ui; }

public slots:
    void OnStartButton();
    void OnStopButton();
    void OnOptionsButton();
    void OnViewLogButton();
    void OnTimer();
    // A non-zero argument adds the automatic task without asking.
    void OnAddButton(int bAuto = 0);
    void OnEditButton();
    void OnRemoveButton();
    void OnItemDoubleClicked(QTreeWidgetItem* item, int column);
    void setVisible(bool visible) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void NewTaskForRange();
    void FillTaskItem(QTreeWidgetItem* item, const MONITORING_TASK& task);
    void FillTaskTree();
    // Hands the stored analysis settings to the full-range analysis.
    void LoadOptions(QTreeWidgetItem* item);
    void SaveTasks();
    // Stop, then Start: the library then saves the operator's averaging and window afresh and gives
    // them back at the next Stop.
    void Restart();
    void SetRunningControls(bool running);
    bool IsRunning() const;
    static int TaskId(const QTreeWidgetItem* item);

    std::unique_ptr<Ui::CMonitoring2Window> m_ui;
    IMonitoring* m_pMonitoring = nullptr;
    CMonitoringLogWindow* m_pLogWindow = nullptr;
    QTimer m_Timer;
    QString m_strTasksPath;
    // The settings the poll compares with, taken at every Start.
    int m_nAverMode = 0;
    double m_dSquelchValue = 0.0;
    int m_nAverValue = 0;
    double m_dStartFreq = 0.0;
    double m_dEndFreq = 0.0;
};
