#include "dockwindow.h"

#include "parameters.h"

namespace
{
const QString kFloating = QStringLiteral("Floating");
const QString kVisible = QStringLiteral("Visible");
const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kRight = QStringLiteral("Right");
const QString kBottom = QStringLiteral("Bottom");

// The signal generator's window has a fixed size whatever was stored, and always starts hidden.
const QString kGeneratorWindow = QStringLiteral("ZantigoWindow");
constexpr int kGeneratorWidth = 719;
constexpr int kGeneratorHeight = 652;

// The spectrum dialog is opened only on request, never at start-up.
const QString kSpectrumDialog = QStringLiteral("SpectrumDialog");

QRect RectFromEdges(int left, int top, int right, int bottom)
{
    QRect rect;
    rect.setLeft(left);
    rect.setTop(top);
    rect.setRight(right);
    rect.setBottom(bottom);
    return rect;
}
}  // namespace

CQDockWindow::CQDockWindow(const QString& name, QWidget* parent, int index)
    : QDockWidget(parent, Qt::WindowFlags()),
      m_settingsName(index == 0 ? name : name + QStringLiteral("%1").arg(index))
{
    setObjectName(m_settingsName);
    hide();

    if (!g_Parameters.HasSection(m_settingsName))
    {
        const QRect rect = DefaultGeometry(m_settingsName);
        g_Parameters.SetInt(m_settingsName, kLeft, rect.left());
        g_Parameters.SetInt(m_settingsName, kTop, rect.top());
        g_Parameters.SetInt(m_settingsName, kRight, rect.right());
        g_Parameters.SetInt(m_settingsName, kBottom, rect.bottom());
    }
}

CQDockWindow::~CQDockWindow() = default;

void CQDockWindow::setVisible(bool visible)
{
    QDockWidget::setVisible(visible);
}

QRect CQDockWindow::DefaultGeometry(const QString& settingsName)
{
    if (settingsName == QLatin1String("VideoTVWindow"))
        return RectFromEdges(100, 100, 700, 450);
    return RectFromEdges(100, 100, 850, 700);
}

void CQDockWindow::RestoreState()
{
    const QString& section = m_settingsName;
    setFloating(g_Parameters.GetInt(section, kFloating, 0) != 0);

    const int left = g_Parameters.GetInt(section, kLeft, 0);
    const int top = g_Parameters.GetInt(section, kTop, 0);
    const bool isGenerator = section == kGeneratorWindow;
    if (isGenerator)
        setGeometry(RectFromEdges(left, top, left + kGeneratorWidth - 1, top + kGeneratorHeight - 1));
    else
        setGeometry(RectFromEdges(left, top, g_Parameters.GetInt(section, kRight, 0),
                                  g_Parameters.GetInt(section, kBottom, 0)));

    if (isGenerator)
        setVisible(false);
    else
        setVisible(g_Parameters.GetInt(section, kVisible, 0) != 0);

    if (section == kSpectrumDialog)
        setVisible(false);
}

void CQDockWindow::SaveState()
{
    const QString& section = m_settingsName;
    g_Parameters.SetInt(section, kFloating, isFloating() ? 1 : 0);
    g_Parameters.SetInt(section, kVisible, isVisible() ? 1 : 0);
    const QRect rect = geometry();
    g_Parameters.SetInt(section, kLeft, rect.left());
    g_Parameters.SetInt(section, kTop, rect.top());
    g_Parameters.SetInt(section, kRight, rect.right());
    g_Parameters.SetInt(section, kBottom, rect.bottom());
}

void CQDockWindow::SetDefaultGeometry()
{
    setGeometry(DefaultGeometry(m_settingsName));
    setVisible(false);
}
