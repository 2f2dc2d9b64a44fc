// One session of the program's settings, as the program has it: the static settings object, loaded
// once, saved by its destructor after main returns. The settings tests start it as a child process:
//   settings_session [--no-load] [--set section/key=value]... [--get section/key]...
// Each --get prints the value (or "<missing>") on its own line. --no-load ends the session without
// loading, as a program that stops before its main window would. The settings folder is the
// XDG_DATA_HOME of the caller.

#include <QCoreApplication>
#include <QTextStream>

#include <cstdlib>

#include "parameters.h"

int main(int argc, char** argv)
{
    setenv("KELTHAR_SDR_URI", "ip:127.0.0.1:1", 1);
    setenv("KELTHAR_MESSAGES", "stderr", 1);
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("--no-load"))
        return 0;
    g_Parameters.Load();

    QTextStream out(stdout);
    for (int i = 1; i + 1 < args.size(); i += 2)
    {
        const QString path = args[i + 1].section(QLatin1Char('='), 0, 0);
        const QString section = path.section(QLatin1Char('/'), 0, 0);
        const QString key = path.section(QLatin1Char('/'), 1);
        if (args[i] == QLatin1String("--set"))
            g_Parameters.SetString(section, key, args[i + 1].section(QLatin1Char('='), 1));
        else if (args[i] == QLatin1String("--get"))
            out << g_Parameters.GetString(section, key, QStringLiteral("<missing>")) << '\n';
        else
            return 2;
    }
    return 0;
}
