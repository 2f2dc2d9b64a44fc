#include "splashwindow.h"

#include <QGuiApplication>
#include <QScreen>

CSplashWindow::CSplashWindow(QWidget* parent) : QDialog(parent)
{
    ui.setupUi(this);
    // The whole desktop: the union of every screen, as one virtual surface.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen)
        move(CentredPosition(screen->virtualGeometry(), size()));
}

QPoint CSplashWindow::CentredPosition(const QRect& desktop, const QSize& size)
{
    const QPoint centre = desktop.center();
    return QPoint(centre.x() - size.width() / 2, centre.y() - size.height() / 2);
}
