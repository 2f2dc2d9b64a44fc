#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <vector>

#include "commandline.h"

namespace
{
struct CommandLineCase
{
    const char* name;
    std::vector<std::string> arguments;  // after the program path
    int startChannelType;
    bool hasChannelType;
    int channelType;
    const char* startWindow;
    bool hasStartWindow;
};

CCommandLine Parse(const std::vector<std::string>& arguments)
{
    std::vector<const char*> argv{"/opt/veltrano/bin/Veltrano"};
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    return CCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, TableOfArguments)
{
    const CommandLineCase cases[] = {
        {"no arguments", {}, 0, false, -1, "", false},
        {"high frequency", {"/c=HighFreq"}, 0, true, 0, "", false},
        {"wired", {"/c=Wired"}, 2, true, 2, "", false},
        {"optical", {"/c=Optical"}, 5, true, 5, "", false},
        {"acoustic", {"/c=Acoustic"}, 6, true, 6, "", false},
        {"dla", {"/c=Dla"}, 4, true, 4, "", false},
        // An unknown word withdraws the choice but the last known type stays in the record.
        {"known then unknown word", {"/c=Wired", "/c=Radio"}, 0, false, 2, "", false},
        {"later word overrides", {"/c=Dla", "/c=Optical"}, 5, true, 5, "", false},
        {"word in lower case", {"/c=wired"}, 0, false, -1, "", false},
        {"key in upper case", {"/C=Wired"}, 0, false, -1, "", false},
        {"mixed types have no word", {"/c=HfWl"}, 0, false, -1, "", false},
        {"empty word", {"/c="}, 0, false, -1, "", false},
        {"start window", {"/w=Archive"}, 0, false, -1, "Archive", true},
        {"start window kept as typed", {"/w=archive"}, 0, false, -1, "archive", true},
        {"empty start window still counts", {"/w="}, 0, false, -1, "", true},
        {"second = makes three parts", {"/w=a=b"}, 0, false, -1, "", false},
        {"later window overrides", {"/w=Pulse", "/w=Templates"}, 0, false, -1, "Templates", true},
        {"no = at all", {"/cWired", "Archive"}, 0, false, -1, "", false},
        {"unknown key", {"/x=Wired", "-c=Wired"}, 0, false, -1, "", false},
        {"both keys", {"/w=Analysis", "/c=Acoustic"}, 6, true, 6, "Analysis", true},
    };
    for (const CommandLineCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const CCommandLine line = Parse(c.arguments);
        EXPECT_EQ(line.StartChannelType(), c.startChannelType);
        EXPECT_EQ(line.hasChannelType, c.hasChannelType);
        EXPECT_EQ(line.channelType, c.channelType);
        EXPECT_EQ(line.StartWindow(), QString::fromLatin1(c.startWindow));
        EXPECT_EQ(line.hasStartWindow, c.hasStartWindow);
    }
}

// The program path is an argument like the others: it is parsed, and a path that happens to read as
// an argument counts; a count below 1 leaves the record as constructed.
TEST(CommandLine, ProgramPathIsParsedAndEmptyVectorIgnored)
{
    const char* pathLike[] = {"/w=Archive"};
    EXPECT_EQ(CCommandLine(1, pathLike).StartWindow(), QStringLiteral("Archive"));

    const char* unused[] = {"/c=Wired"};
    const CCommandLine empty(0, unused);
    EXPECT_FALSE(empty.hasChannelType);
    EXPECT_EQ(empty.channelType, -1);
    EXPECT_FALSE(empty.hasStartWindow);
    EXPECT_EQ(CCommandLine(0, nullptr).StartChannelType(), 0);
}

}  // namespace
