#include "docktoolboxwindow.h"

#include <QToolBox>

#include "parameters.h"

namespace
{
const QString kToolBoxPos = QStringLiteral("ToolBoxPos");
}  // namespace

CQDockToolboxWindow::CQDockToolboxWindow(const QString& name, QToolBox** toolBox, QWidget* parent)
    : CQDockWindow(name + QStringLiteral("ToolBox"), parent, 0), m_ppToolBox(toolBox)
{
    // A dock seen for the first time opens on the page its form selects.
    if (!g_Parameters.HasKey(GetSettingsName(), kToolBoxPos))
        g_Parameters.SetInt(GetSettingsName(), kToolBoxPos, -1);

    connect(this, &QDockWidget::visibilityChanged, this, &CQDockToolboxWindow::OnVisibilityChanged);
}

CQDockToolboxWindow::~CQDockToolboxWindow() = default;

void CQDockToolboxWindow::RestoreState()
{
    const int page = g_Parameters.GetInt(GetSettingsName(), kToolBoxPos, 0);
    if (page != -1 && ToolBox())
        ToolBox()->setCurrentIndex(page);
    CQDockWindow::RestoreState();
}

void CQDockToolboxWindow::SaveState()
{
    if (isVisible() && ToolBox())
        g_Parameters.SetInt(GetSettingsName(), kToolBoxPos, ToolBox()->currentIndex());
    CQDockWindow::SaveState();
}

void CQDockToolboxWindow::OnVisibilityChanged(bool visible)
{
    emit selectionChanged(visible && ToolBox() ? ToolBox()->currentIndex() : -1);
}

void CQDockToolboxWindow::OnToolBoxPageChanged(int index)
{
    emit selectionChanged(index);
}
