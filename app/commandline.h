#pragma once

#include <QString>

#include <cstdint>

// The program's command line, read once at start-up. Arguments have the form key=value:
//   "/c=<word>"  the input channel type to start with: HighFreq, Wired, Optical, Acoustic or Dla
//   "/w=<name>"  a tool window to open at start-up
// Keys and words are case-sensitive; anything else is ignored, and a later argument of a key
// overrides an earlier one.
class CCommandLine
{
public:
    // Parses argv[0] .. argv[argc - 1]; the program path is parsed too and, having no "=", ignored.
    CCommandLine(int argc, const char* const* argv);

    // The channel type to start with: the chosen one when the last "/c" word was valid, else 0.
    int StartChannelType() const { return hasChannelType ? channelType : 0; }
    // The tool window to open at start-up; empty when none was asked for.
    QString StartWindow() const { return hasStartWindow ? startWindow : QString(); }

    bool hasChannelType = false;  // the last "/c" argument named a known channel word
    int32_t channelType = -1;     // kept from the last known word even when a later one was unknown
    bool hasStartWindow = false;
    QString startWindow;

private:
    void ParseArgument(const QString& argument);
};
