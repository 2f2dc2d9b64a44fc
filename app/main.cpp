// The program's entry: command line, application object, icon, language, style sheet, correction
// tables and FFT option lists, then the main window with its stored rectangle for the life of the
// event loop.

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLocale>
#include <QSettings>

#include "apptranslator.h"
#include "commandline.h"
#include "devicethread.h"
#include "fftoptions.h"
#include "globals.h"
#include "messagehandler.h"
#include "parameters.h"
#include "veltrano.h"

int main(int argc, char* argv[])
{
    CCommandLine commandLine(argc, argv);
    QApplication app(argc, argv);
    // Messages the library raised while the process started (no front-end unit, for one) are shown
    // now, and later ones from the device thread reach the operator without stopping it.
    CMessageHandler::Install();

    app.setWindowIcon(QIcon(QApplication::applicationDirPath() + QStringLiteral("/Veltrano.ico")));

    QString language;
    {
        QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
        language = settings.value(QStringLiteral("Global/Language"), QLocale::system().name()).toString();
    }
    g_Translator.Load(language, false);

    QFile styleSheet(QStringLiteral(":/veltrano.qss"));
    if (styleSheet.open(QIODevice::ReadOnly | QIODevice::Text))
        app.setStyleSheet(QString::fromUtf8(styleSheet.readAll()));

    g_DeviceThread.LoadCorrections();
    g_FftOptions.Init();

    int result = 0;
    {
        Veltrano window(commandLine.StartChannelType(), commandLine.StartWindow());
        Veltrano::RestoreGeometry(&window);
        window.show();
        result = app.exec();
        Veltrano::StoreGeometry(&window);
    }
    CMessageHandler::Uninstall();
    return result;
}
