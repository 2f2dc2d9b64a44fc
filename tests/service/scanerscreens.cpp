// Takes the pictures of the scanning-receiver window (in Fixed Frequency) and of the video window for
// the documentation: the main window in demo mode with each dock shown over it. Not a test; run it under
// an X server with a window manager:
//   DISPLAY=:82 scaner_screens <folder>
// It writes scaner-window.png and video-window.png into the folder, each the window's frame cut from a
// grab of the screen.

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <cstdio>

#include "devicethread.h"
#include "globals.h"
#include "scanerwindow.h"
#include "screengrab.h"
#include "ui_scanerwindow.h"
#include "veltrano.h"
#include "videowindow.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    PrepareScreens(app);

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
        ok = GrabFrame(*scaner, folder.filePath(QStringLiteral("scaner-window.png")), 1500) && ok;
        scaner->Form().m_pNoControlButton->click();
        scaner->hide();

        video->show();
        video->setGeometry(500, 200, 406, 390);
        video->raise();
        ok = GrabFrame(*video, folder.filePath(QStringLiteral("video-window.png")), 1500) && ok;
        video->hide();
        g_DeviceThread.SetDemoMode(false);
        window.close();
    }
    return ok ? 0 : 1;
}
