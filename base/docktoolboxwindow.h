#pragma once

#include <QString>

#include "dockwindow.h"

class QToolBox;

// A dock whose content is a tool box: the shown page is kept in the settings as well, and the dock
// tells which page the operator looks at, or -1 when the dock is hidden.
class CQDockToolboxWindow : public CQDockWindow
{
    Q_OBJECT

public:
    // `toolBox` is the address of the subclass's own tool-box member, which its form fills after this
    // constructor has run; every use goes through it. The settings name is `name` + "ToolBox".
    CQDockToolboxWindow(const QString& name, QToolBox** toolBox, QWidget* parent = nullptr);
    ~CQDockToolboxWindow() override;

    // These hide the base operations of the same name: they add the tool-box page ("ToolBoxPos", -1 =
    // leave the page the form chose).
    void RestoreState();
    void SaveState();

signals:
    void selectionChanged(int page);

public slots:
    void OnVisibilityChanged(bool visible);
    void OnToolBoxPageChanged(int index);

private:
    QToolBox* ToolBox() const { return m_ppToolBox ? *m_ppToolBox : nullptr; }

    QToolBox** m_ppToolBox;
};
