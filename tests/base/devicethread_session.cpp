// A program session with the static device thread running: the loop is started in demo mode, a few
// sweeps are fetched, a setting is changed, and main returns with the loop still running, so the
// static objects stop the thread and save the settings on their own, as the program does at exit.
// The device-thread tests start it as a child process; exit code 0 means the sweeps arrived.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdlib>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"

int main(int argc, char** argv)
{
    setenv("KELTHAR_SDR_URI", "ip:127.0.0.1:1", 1);
    setenv("KELTHAR_MESSAGES", "stderr", 1);
    QCoreApplication app(argc, argv);
    g_Parameters.Load();
    g_DeviceThread.SetDemoMode(true);
    g_DeviceThread.Start();

    int sweeps = 0;
    QElapsedTimer timer;
    timer.start();
    while (sweeps < 3 && timer.elapsed() < 10000)
    {
        if (g_DeviceThread.IsDataReady())
        {
            g_DeviceThread.FetchData();
            g_DeviceThread.ClearDataReady();
            ++sweeps;
        }
        QThread::msleep(5);
    }
    g_Parameters.SetString(QStringLiteral("Session"), QStringLiteral("Ended"), QStringLiteral("yes"));
    return sweeps == 3 ? 0 : 3;
}
