// Takes the pictures of the scanning-receiver window (in Fixed Frequency) and of the video window for
// the documentation: the main window in demo mode with each dock shown over it. Not a test; run it under
// an X server with a window manager:
//   DISPLAY=:82 scaner_screens <folder>
// It writes scaner-window.png and video-window.png into the folder, each the window's frame cut from a
// grab of the screen.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <cstdio>

#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "scanerwindow.h"
#include "ui_scanerwindow.h"
#include "veltrano.h"
#include "videowindow.h"

namespace
{
bool Grab(const QWidget& window, const QString& file)
{
    QTest::qWait(1500);
    const QRect frame = window.frameGeometry();
    const QString crop =
        QStringLiteral("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
    const int grabbed = QProcess::execute(
        QStringLiteral("import"),
        {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"), crop, file});
    return grabbed == 0;
}
}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QFile styleSheet(QStringLiteral(":/veltrano.qss"));
    if (styleSheet.open(QIODevice::ReadOnly | QIODevice::Text))
        app.setStyleSheet(QString::fromUtf8(styleSheet.readAll()));
    g_DeviceThread.LoadCorrections();
    g_FftOptions.Init();

    bool ok = true;
    {
        Veltrano window(0, QString());
        g_DeviceThread.SetDemoMode(true);
        window.showMaximized();
        QTest::qWait(1500);

        auto* scaner = window.findChild<CScanerWindow*>(QStringLiteral("ScanerWindow"));
        auto* video = window.findChild<CVideoWindow*>(QStringLiteral("VideoTVWindow"));
        if (!scaner || !video)
        {
            std::fprintf(stderr, "the receiver or the video window is missing\n");
            return 1;
        }
        scaner->show();
        scaner->move(500, 260);
        scaner->raise();
        scaner->Form().m_pFixedFreqButton->click();
        ok = Grab(*scaner, folder.filePath(QStringLiteral("scaner-window.png"))) && ok;
        scaner->Form().m_pNoControlButton->click();
        scaner->hide();

        video->show();
        video->setGeometry(500, 200, 406, 390);
        video->raise();
        ok = Grab(*video, folder.filePath(QStringLiteral("video-window.png"))) && ok;
        video->hide();
        g_DeviceThread.SetDemoMode(false);
        window.close();
    }
    return ok ? 0 : 1;
}
