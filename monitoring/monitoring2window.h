#pragma once

#include "dockwindow.h"

class IMonitoring;
class QLabel;
class QTreeWidget;

// Monitoring of the frequency range the operator looks at: the main window hands in the range shown
// by the range view, and the window keeps one automatic task over it in the library's monitoring
// object, built from the analysis settings.
class CMonitoring2Window : public CQDockWindow
{
    Q_OBJECT

public:
    // `monitoring` is the device thread's monitoring object when null.
    explicit CMonitoring2Window(QWidget* parent = nullptr, IMonitoring* monitoring = nullptr);
    ~CMonitoring2Window() override;

    // Stores the range (MHz) and replaces the task list by one automatic task over it, then shows the
    // window. It neither starts nor stops monitoring. While monitoring runs, the same range again
    // changes nothing, so its events and detector history stay; an empty or NaN range is refused.
    void StartForRange(double start, double end);

    double GetStartFreq() const { return m_dStartFreq; }
    double GetEndFreq() const { return m_dEndFreq; }

    QTreeWidget* m_pTasksTree = nullptr;
    QLabel* m_pStatusLabel = nullptr;

private:
    void NewTaskForRange();
    // Adds the automatic task over the stored range to the library and the list, checked.
    void AddAutomaticTask();

    IMonitoring* m_pMonitoring;
    double m_dStartFreq = 0.0;
    double m_dEndFreq = 0.0;
};
