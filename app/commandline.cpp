#include "commandline.h"

#include <QStringList>

namespace
{
struct ChannelWord
{
    const char* word;
    int32_t type;
};

// The input types that may be chosen on the command line, in the order they are compared. The mixed
// types 1 ("HfWl") and 3 ("WlHf") have no word.
constexpr ChannelWord kChannelWords[] = {
    {"HighFreq", 0}, {"Wired", 2}, {"Optical", 5}, {"Acoustic", 6}, {"Dla", 4},
};
}  // namespace

CCommandLine::CCommandLine(int argc, const char* const* argv)
{
    if (!argv)
        return;
    for (int i = 0; i < argc; ++i)
    {
        if (argv[i])
            ParseArgument(QString::fromLocal8Bit(argv[i]));
    }
}

void CCommandLine::ParseArgument(const QString& argument)
{
    const QStringList parts = argument.split(QLatin1Char('='), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() != 2)
        return;

    if (parts[0] == QLatin1String("/c"))
    {
        // An unknown word withdraws the choice but leaves the last known type in place.
        hasChannelType = false;
        for (const ChannelWord& entry : kChannelWords)
        {
            if (parts[1] == QLatin1String(entry.word))
            {
                hasChannelType = true;
                channelType = entry.type;
                break;
            }
        }
    }
    else if (parts[0] == QLatin1String("/w"))
    {
        hasStartWindow = true;
        startWindow = parts[1];
    }
}
