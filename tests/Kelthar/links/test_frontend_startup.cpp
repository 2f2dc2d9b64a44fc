#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "fakeinterpreter.h"
#include "frontendlink.h"
#include "kelthar_core.h"
#include "messagecapture.h"
#include "tempdir.h"
#include "textcodec.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
namespace fs = std::filesystem;

const char kLostText[] =
    "Commutator device not found!\nRestart this programm to search the Commutator device";
const char kStartSet[] = "Set([20,40,0])";

std::vector<std::string> Lines(const std::string& chunk)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : chunk)
    {
        if (c == '\r')
        {
            lines.push_back(line);
            line.clear();
        }
        else
        {
            line += c;
        }
    }
    EXPECT_TRUE(line.empty()) << "every line ends with a carriage return";
    return lines;
}

using Triple = std::array<int, 3>;

// "bufN=[a,b,c],[d,e,f],..." into its name and triples.
std::vector<Triple> ParseBuffer(const std::string& line, std::string* name)
{
    const size_t equals = line.find('=');
    *name = line.substr(0, equals);
    std::vector<Triple> triples;
    size_t at = equals + 1;
    while (at < line.size())
    {
        Triple t{};
        int consumed = 0;
        if (std::sscanf(line.c_str() + at, "[%d,%d,%d]%n", &t[0], &t[1], &t[2], &consumed) != 3 ||
            consumed == 0)
        {
            ADD_FAILURE() << "not a triple at " << at << " in " << line;
            break;
        }
        triples.push_back(t);
        at += static_cast<size_t>(consumed);
        if (at < line.size() && line[at] == ',')
            ++at;
    }
    return triples;
}

int Word(const Triple& t)
{
    return 256 * t[1] + t[2];
}

std::unique_ptr<CKelthar> CoreOn(const std::string& port)
{
    setenv("KELTHAR_FRONTEND_PORT", port.c_str(), 1);
    return std::make_unique<CKelthar>();
}

// Every synthesizer setting in a chunk: its name, five triples for registers 45, 43, 37, 36, 27,
// and an output of index x 100 MHz that the divider word (R36) plus the fraction (R43 in
// thousandths) gives at the chosen output divider.
void ExpectSettings(const std::vector<std::string>& lines, int firstIndex, int lastIndex)
{
    ASSERT_EQ(lines.size(), static_cast<size_t>((lastIndex - firstIndex) / 5 + 1));
    for (size_t n = 0; n < lines.size(); ++n)
    {
        const int index = firstIndex + 5 * static_cast<int>(n);
        std::string name;
        const std::vector<Triple> triples = ParseBuffer(lines[n], &name);
        SCOPED_TRACE(lines[n]);
        EXPECT_EQ(name, "buf" + std::to_string(index));
        ASSERT_EQ(triples.size(), 5u);
        EXPECT_EQ(triples[0][0], 45);
        EXPECT_EQ(triples[1][0], 43);
        EXPECT_EQ(triples[2][0], 37);
        EXPECT_EQ(triples[3][0], 36);
        EXPECT_EQ(triples[4][0], 27);
        const int divider = index <= 70 ? 1 : index <= 150 ? 2 : 4;
        EXPECT_EQ(1000 * Word(triples[3]) + Word(triples[1]), 1000 * index / divider);
        EXPECT_EQ(Word(triples[4]), index <= 150 ? 2 : 3);
    }
}
}  // namespace

TEST(FrontEndStartUp, UploadsTheProgramThenLatchesAndLoadsTheSynthesizer)
{
    CFakeInterpreter unit;
    CMessageCapture capture;
    auto core = CoreOn(unit.PortPath());

    EXPECT_THAT(capture.Texts(), IsEmpty());
    EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), CFrontEndLink::kOperational);
    EXPECT_THAT(unit.Commands(), ElementsAre(kStartSet, kStartSet, "SetLMX(buf0)"));

    const std::vector<std::string> chunks = unit.Chunks();
    ASSERT_EQ(chunks.size(), 5u);
    EXPECT_THAT((std::vector<size_t>{chunks[0].size(), chunks[1].size(), chunks[2].size(), chunks[3].size(),
                                     chunks[4].size()}),
                ElementsAre(391u, 1180u, 922u, 873u, 386u));

    // The functions: Set latches three bytes and answers 529, SetLMX loads a register list and
    // answers 831; blocks close with a backspace line, and no line carries indentation.
    const std::vector<std::string> functions = Lines(chunks[0]);
    ASSERT_EQ(functions.size(), 28u);
    EXPECT_EQ(functions[0], "\x03");
    EXPECT_EQ(functions[3], "def Set(v):");
    EXPECT_EQ(functions[16], "return 529");
    EXPECT_EQ(functions[17], "\x08");
    EXPECT_EQ(functions[18], "def SetLMX(v):");
    EXPECT_EQ(functions[20], "for i in v:");
    EXPECT_EQ(functions[24], "\x08");
    EXPECT_EQ(functions[26], "return 831");
    EXPECT_EQ(functions[27], "\x08");
    for (const std::string& chunk : chunks)
        for (const std::string& line : Lines(chunk))
            EXPECT_NE(line.front(), ' ') << line;

    // The register list, top register first, then the lowest setting.
    const std::vector<std::string> registers = Lines(chunks[1]);
    ASSERT_EQ(registers.size(), 2u);
    std::string name;
    const std::vector<Triple> list = ParseBuffer(registers[0], &name);
    EXPECT_EQ(name, "buf0");
    ASSERT_EQ(list.size(), 113u);
    for (size_t n = 0; n < list.size(); ++n)
        EXPECT_EQ(list[n][0], 112 - static_cast<int>(n));
    const std::pair<int, Triple> spotValues[] = {{105, {105, 0, 33}},  {90, {90, 0, 0}},
                                                 {70, {70, 195, 80}},  {58, {58, 144, 1}},
                                                 {45, {45, 192, 223}}, {0, {0, 37, 28}}};
    for (const auto& [reg, triple] : spotValues)
        EXPECT_EQ(list[static_cast<size_t>(112 - reg)], triple) << "R" << reg;
    EXPECT_EQ(registers[1], "buf55=[45,192,223],[43,0,0],[37,4,4],[36,0,55],[27,0,2]");

    const std::vector<std::string> middle = Lines(chunks[2]);
    ExpectSettings(middle, 70, 145);
    EXPECT_EQ(middle[1], "buf75=[45,200,223],[43,1,244],[37,3,4],[36,0,37],[27,0,2]");

    // SetLMX2 copies a setting over registers 45, 43, 37, 36 and 27 of the list: the positions it
    // names must hold those registers.
    const std::vector<std::string> tuning = Lines(chunks[3]);
    ASSERT_EQ(tuning.size(), 20u);
    ExpectSettings(std::vector<std::string>(tuning.begin(), tuning.begin() + 11), 150, 200);
    EXPECT_EQ(tuning[11], "def SetLMX2(v):");
    const int tuned[] = {45, 43, 37, 36, 27};
    for (int k = 0; k < 5; ++k)
    {
        int position = -1;
        int source = -1;
        ASSERT_EQ(std::sscanf(tuning[static_cast<size_t>(12 + k)].c_str(),
                              "for i in range(3):buf0[%d][i]=v[%d][i]", &position, &source),
                  2)
            << tuning[static_cast<size_t>(12 + k)];
        EXPECT_EQ(source, k);
        ASSERT_TRUE(position >= 0 && position < 113);
        EXPECT_EQ(list[static_cast<size_t>(position)][0], tuned[k]);
    }
    EXPECT_THAT(std::vector<std::string>(tuning.begin() + 17, tuning.end()),
                ElementsAre("SetLMX(buf0)", "return 831", "\x08"));

    const std::vector<std::string> pins = Lines(chunks[4]);
    ASSERT_EQ(pins.size(), 18u);
    EXPECT_EQ(pins[0], "\x03");
    EXPECT_EQ(pins[12], "spi=SPI(1,sck=Pin(18),mosi=Pin(23),miso=Pin(19))");
    EXPECT_EQ(pins[17], "sw1.value(0);sw2.value(0);sw3.value(0);sw4.value(0)");
}

struct StartCase
{
    const char* name;
    std::function<void(CFakeInterpreter&)> fault;
    int code;  // 0: no error message
    int status;
    bool lost;  // a command was not answered: the lost-unit message comes first
    std::vector<std::string> commands;
};

void PrintTo(const StartCase& c, std::ostream* os)
{
    *os << c.name;
}

class FrontEndStartUpCodes : public testing::TestWithParam<StartCase>
{
};

// The code packs two bits per step: five chunks (0 echo as expected, 1 silence, 2 another
// length), two latches and the synthesizer load (0 accepted, 2 no marker, 3 refused).
TEST_P(FrontEndStartUpCodes, ReportsEachStepInTwoBits)
{
    const StartCase& c = GetParam();
    CFakeInterpreter unit;
    c.fault(unit);
    CMessageCapture capture;
    auto core = CoreOn(unit.PortPath());

    std::vector<std::string> texts;
    if (c.lost)
        texts.push_back(kLostText);
    if (c.code != 0)
        texts.push_back("Commutator device error!!! Error code=" + std::to_string(c.code));
    EXPECT_EQ(capture.Texts(), texts);
    for (const kplatform::Message& m : capture.Messages())
    {
        EXPECT_EQ(m.caption, "Delvane Veltrano");
        EXPECT_EQ(m.icon, kplatform::MessageIcon::Error);
    }
    EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), c.status);
    EXPECT_EQ(unit.Commands(), c.commands);
}

const std::vector<std::string> kAllCommands = {kStartSet, kStartSet, "SetLMX(buf0)"};

// The unit answers a chosen command with its echo alone, once.
std::function<void(CFakeInterpreter&)> Unmarked(const std::string& command)
{
    return [command](CFakeInterpreter& unit)
    {
        auto done = std::make_shared<bool>(false);
        unit.SetReplyEditor(
            [command, done](const std::string& line, const std::string& reply)
            {
                if (*done || line != command)
                    return reply;
                *done = true;
                return line + "\r\n>>> ";
            });
    };
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FrontEndStartUpCodes,
    testing::Values(StartCase{"Clean", [](CFakeInterpreter&) {}, 0, 0, false, kAllCommands},
                    StartCase{"SilentChunk2", [](CFakeInterpreter& u) { u.SetChunkEcho(1, -1); }, 4096, 0,
                              false, kAllCommands},
                    StartCase{"SilentChunk1", [](CFakeInterpreter& u) { u.SetChunkEcho(0, -1); }, 1 << 14, 0,
                              false, kAllCommands},
                    StartCase{"ShortEchoChunk5", [](CFakeInterpreter& u) { u.SetChunkEcho(4, 480); }, 2 << 6,
                              0, false, kAllCommands},
                    StartCase{"LongEchoChunk4", [](CFakeInterpreter& u) { u.SetChunkEcho(3, 1012); }, 2 << 8,
                              0, false, kAllCommands},
                    StartCase{"SynthesizerUnmarked", Unmarked("SetLMX(buf0)"), 2,
                              CFrontEndLink::kCommandError, true, kAllCommands},
                    // The second latch and the load are refused without reaching the unit.
                    StartCase{"FirstLatchUnmarked",
                              Unmarked(kStartSet),
                              (2 << 4) | (3 << 2) | 3,
                              CFrontEndLink::kCommandError,
                              true,
                              {kStartSet}}),
    [](const testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

// The recording viewer's core must leave the live unit alone: no second open of the exclusive port,
// no second upload, no second message.
TEST(FrontEndStartUp, ALaterCoreSharesTheStartedUnit)
{
    CFakeInterpreter unit;
    unit.SetChunkEcho(2, -1);
    CMessageCapture capture;
    auto first = CoreOn(unit.PortPath());
    ASSERT_EQ(capture.Messages().size(), 1u);
    const size_t received = unit.BytesReceived();

    auto second = CoreOn(unit.PortPath());
    first.reset();
    EXPECT_EQ(unit.BytesReceived(), received);
    EXPECT_EQ(unit.Chunks().size(), 5u);
    EXPECT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), CFrontEndLink::kOperational);
    EXPECT_TRUE(CFrontEndLink::Instance().Serial().IsOpen());
}

// The unit's bridge is found among the serial ports of a device tree by its maker's name; the port
// of another maker's adapter is never touched.
TEST(FrontEndStartUp, FindsTheBridgeBySiliconInTheDeviceTree)
{
    CFakeInterpreter unit;
    CFakeInterpreter other;
    CTempDir root;
    const fs::path sysfs = fs::path(root.Path()) / "sys";
    const fs::path dev = fs::path(root.Path()) / "dev";
    fs::create_directories(dev);
    const auto addUsbSerial = [&](const std::string& tty, const std::string& busPort,
                                  const std::string& maker, const std::string& product,
                                  const std::string& target)
    {
        const fs::path device = sysfs / "devices/pci0000:00/0000:00:14.0/usb1" / busPort;
        const fs::path port = device / (busPort + ":1.0") / tty;
        fs::create_directories(port / "tty" / tty);
        std::ofstream(device / "manufacturer") << maker << "\n";
        std::ofstream(device / "product") << product << "\n";
        std::ofstream(device / "idVendor") << "10c4\n";
        std::ofstream(device / "idProduct") << "ea60\n";
        fs::create_directory_symlink("../../../" + tty, port / "tty" / tty / "device");
        fs::create_directories(sysfs / "class/tty");
        fs::create_directory_symlink(fs::relative(port / "tty" / tty, sysfs / "class/tty"),
                                     sysfs / "class/tty" / tty);
        fs::create_symlink(target, dev / tty);
    };
    addUsbSerial("ttyUSB0", "1-1", "FTDI", "FT232R USB UART", other.PortPath());
    addUsbSerial("ttyUSB1", "1-2", "Silicon Labs", "CP2102 USB to UART Bridge Controller", unit.PortPath());
    unsetenv("KELTHAR_FRONTEND_PORT");
    CFrontEndLink::Instance().SetSearchRootsForTesting(sysfs.string(), dev.string());

    CMessageCapture capture;
    CKelthar core;
    EXPECT_THAT(capture.Texts(), IsEmpty());
    EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), CFrontEndLink::kOperational);
    EXPECT_EQ(kplatform::WideToUtf8(CFrontEndLink::Instance().Serial().GetPortName()),
              (dev / "ttyUSB1").string());
    EXPECT_EQ(unit.Chunks().size(), 5u);
    EXPECT_THAT(unit.Commands(), ElementsAre(kStartSet, kStartSet, "SetLMX(buf0)"));
    EXPECT_EQ(other.BytesReceived(), 0u);
}
