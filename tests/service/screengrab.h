#pragma once

// What the documentation's screenshot programs share (they are not tests): the program's look and the
// library set up as at start, and a window's frame cut out of a grab of the screen. They run under an X
// server with a window manager.

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTest>
#include <QWidget>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"

// The style sheet the program starts with, the corrections and the FFT lists.
inline void PrepareScreens(QApplication& app)
{
    QFile styleSheet(QStringLiteral(":/veltrano.qss"));
    if (styleSheet.open(QIODevice::ReadOnly | QIODevice::Text))
        app.setStyleSheet(QString::fromUtf8(styleSheet.readAll()));
    g_DeviceThread.LoadCorrections();
    g_FftOptions.Init();
}

// Lets the window settle for the given time, then writes its frame, cut from the screen, to the file.
inline bool GrabFrame(const QWidget& window, const QString& file, int settleMs)
{
    QTest::qWait(settleMs);
    const QRect frame = window.frameGeometry();
    const QString crop =
        QStringLiteral("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
    const int grabbed = QProcess::execute(
        QStringLiteral("import"),
        {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"), crop, file});
    return grabbed == 0;
}
