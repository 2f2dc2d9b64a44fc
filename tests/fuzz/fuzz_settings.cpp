// Hands arbitrary bytes to the settings loader as its "settings.ini" (an operator can hand over any
// file as a parameter file) and checks what the loader promises: it never fails, it always ends with a
// document under the root "Veltrano" and the defaults code in the file, a damaged file is kept aside
// unchanged, and the document it ends with saves and reads back byte for byte.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdint>
#include <cstdlib>

#include "messagesink.h"
#include "parameters.h"

namespace
{
void Quiet(QtMsgType, const QMessageLogContext&, const QString&)
{
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    static bool once = []
    {
        qInstallMessageHandler(Quiet);
        kplatform::SetMessageMode(kplatform::MessageMode::Handler);
        kplatform::SetMessageHandler([](const kplatform::Message&) {}, [] {});
        return true;
    }();
    static unsigned long run = 0;
    Check(once && folder.isValid());

    // A folder per input: QSettings caches files by path, and an earlier input must not shine through.
    const QString dir = folder.path() + QStringLiteral("/%1").arg(++run);
    Check(QDir().mkpath(dir));
    const QString path = dir + QStringLiteral("/settings.ini");
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<int>(size));
    {
        QFile file(path);
        Check(file.open(QIODevice::WriteOnly) && file.write(input) == input.size());
    }

    QByteArray document;
    {
        CParameters parameters(path);
        parameters.Load();
        Check(parameters.documentElement().tagName() == QLatin1String("Veltrano"));
        Check(QSettings(path, QSettings::IniFormat).value(QStringLiteral("Parameters/DefaultCode")).toInt() ==
              CParameters::kDefaultCode);
        document = parameters.toByteArray(1);
        Check(parameters.Save());
    }

    for (const QString& kept : QDir(dir).entryList({QStringLiteral("settings.ini.bad-*")}, QDir::Files))
        Check(ReadBytes(dir + QLatin1Char('/') + kept) == input);

    {
        CParameters reloaded(path);
        reloaded.Load();
        Check(reloaded.toByteArray(1) == document);
    }

    QDir(dir).removeRecursively();
    return 0;
}
