#pragma once

// Mouse, wheel and menu helpers of the view tests: events are sent straight to the widget (no
// window system in between), and a menu is read back as text.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStringList>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include <vector>

inline void Send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void Click(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    Send(w, QEvent::MouseButtonPress, pos, button, button);
    Send(w, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

// A hover at `from`, a press there and one move to `to` with the left button held; then the release
// unless the test goes on dragging.
inline void Drag(QWidget* w, QPoint from, QPoint to, bool release = true)
{
    Send(w, QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    Send(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Send(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    if (release)
        Send(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// `delta` in eighths of a degree: 120 is one notch away from the user.
inline void Wheel(QWidget* w, QPoint pos, int delta)
{
    QWheelEvent event(QPointF(pos), QPointF(w->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

// Texts of a menu's entries in order: "-" for a separator, "[x] " in front of a ticked entry, "( ) "
// in front of a checkable one not ticked, and a submenu as its title followed by its entries in braces.
inline QStringList Entries(const QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
    {
        if (action->isSeparator())
        {
            texts << QStringLiteral("-");
            continue;
        }
        QString text = action->text();
        if (action->isCheckable())
            text.prepend(action->isChecked() ? QStringLiteral("[x] ") : QStringLiteral("( ) "));
        if (action->menu() != nullptr)
            text +=
                QStringLiteral(" {") + Entries(action->menu()).join(QStringLiteral(", ")) + QLatin1Char('}');
        texts << text;
    }
    return texts;
}

// The entry of that text, in the menu or any of its submenus.
inline QAction* FindAction(const QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
    {
        if (action->text() == text)
            return action;
        if (action->menu() != nullptr)
            if (QAction* inner = FindAction(action->menu(), text))
                return inner;
    }
    return nullptr;
}

// How many menus a widget opened for a context-menu event at each of `positions`, and the entries of
// the last one. Each menu is read and closed from the event loop, so none can block the test.
struct SShownMenus
{
    int count = 0;
    QStringList last;
};

inline SShownMenus ContextMenusAt(QWidget* w, const std::vector<QPoint>& positions)
{
    SShownMenus shown;
    for (const QPoint pos : positions)
    {
        QTimer::singleShot(0,
                           [&shown]
                           {
                               if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
                               {
                                   ++shown.count;
                                   shown.last = Entries(popup);
                                   popup->close();
                               }
                           });
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, w->mapToGlobal(pos));
        QApplication::sendEvent(w, &event);
        QApplication::processEvents();
    }
    return shown;
}
