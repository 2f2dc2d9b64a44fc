#include "frontendupload.h"

#include <cstdint>
#include <vector>

#include "serial.h"

namespace
{
constexpr char kInterrupt[] = "\x03";
constexpr char kCloseBlock[] = "\x08";

constexpr int kEchoLengths[CFrontEndUpload::kChunkCount] = {662, 1190, 1002, 1011, 481};
constexpr int kEchoMaxBytes = 2048;
constexpr int kEchoTimeoutMs = 200;

// The synthesizer's registers, 112 down to 0, as the start-up loads them. Registers not listed
// here hold 0.
struct Register
{
    int number;
    int high;
    int low;
};
constexpr int kTopRegister = 112;
constexpr Register kNonZeroRegisters[] = {
    {105, 0, 33},  {101, 0, 17},  {97, 8, 136},  {78, 0, 3},     {76, 0, 12},   {75, 8, 0},    {73, 0, 63},
    {72, 0, 1},    {71, 0, 129},  {70, 195, 80}, {68, 3, 232},   {66, 1, 244},  {64, 19, 136}, {62, 3, 34},
    {61, 0, 168},  {59, 0, 1},    {58, 144, 1},  {57, 0, 32},    {52, 8, 32},   {51, 0, 128},  {49, 65, 128},
    {48, 3, 0},    {47, 3, 0},    {46, 7, 252},  {45, 192, 223}, {44, 31, 163}, {39, 3, 232},  {37, 4, 4},
    {36, 0, 70},   {35, 0, 4},    {33, 30, 33},  {32, 3, 147},   {31, 3, 236},  {30, 49, 140}, {29, 49, 140},
    {28, 4, 136},  {27, 0, 2},    {26, 13, 176}, {25, 12, 43},   {24, 7, 26},   {23, 0, 124},  {22, 0, 1},
    {21, 4, 1},    {20, 224, 72}, {19, 39, 183}, {18, 0, 100},   {17, 1, 44},   {16, 0, 128},  {15, 6, 79},
    {14, 30, 112}, {13, 64, 0},   {12, 80, 1},   {11, 0, 24},    {10, 16, 216}, {9, 22, 4},    {8, 32, 0},
    {7, 64, 178},  {6, 200, 2},   {5, 0, 200},   {4, 10, 67},    {3, 6, 66},    {2, 5, 0},     {1, 8, 8},
    {0, 37, 28}};

// The registers that change with the output frequency, in the order of a setting's five triples.
constexpr int kTunedRegisters[5] = {45, 43, 37, 36, 27};

// One output frequency: its index (in units of 100 MHz) and the high and low byte of each tuned
// register.
struct Setting
{
    int index;
    uint8_t bytes[5][2];
};
constexpr Setting kSettings[] = {{55, {{192, 223}, {0, 0}, {4, 4}, {0, 55}, {0, 2}}},
                                 {70, {{192, 223}, {0, 0}, {4, 4}, {0, 70}, {0, 2}}},
                                 {75, {{200, 223}, {1, 244}, {3, 4}, {0, 37}, {0, 2}}},
                                 {80, {{200, 223}, {0, 0}, {3, 4}, {0, 40}, {0, 2}}},
                                 {85, {{200, 223}, {1, 244}, {3, 4}, {0, 42}, {0, 2}}},
                                 {90, {{200, 223}, {0, 0}, {3, 4}, {0, 45}, {0, 2}}},
                                 {95, {{200, 223}, {1, 244}, {3, 4}, {0, 47}, {0, 2}}},
                                 {100, {{200, 223}, {0, 0}, {3, 4}, {0, 50}, {0, 2}}},
                                 {105, {{200, 223}, {1, 244}, {4, 4}, {0, 52}, {0, 2}}},
                                 {110, {{200, 223}, {0, 0}, {4, 4}, {0, 55}, {0, 2}}},
                                 {115, {{200, 223}, {1, 244}, {4, 4}, {0, 57}, {0, 2}}},
                                 {120, {{200, 223}, {0, 0}, {4, 4}, {0, 60}, {0, 2}}},
                                 {125, {{200, 223}, {1, 244}, {4, 4}, {0, 62}, {0, 2}}},
                                 {130, {{200, 223}, {0, 0}, {4, 4}, {0, 65}, {0, 2}}},
                                 {135, {{200, 223}, {1, 244}, {4, 4}, {0, 67}, {0, 2}}},
                                 {140, {{200, 223}, {0, 0}, {4, 4}, {0, 70}, {0, 2}}},
                                 {145, {{200, 223}, {1, 244}, {4, 4}, {0, 72}, {0, 2}}},
                                 {150, {{200, 223}, {0, 0}, {4, 4}, {0, 75}, {0, 2}}},
                                 {155, {{208, 223}, {2, 238}, {3, 4}, {0, 38}, {0, 3}}},
                                 {160, {{208, 223}, {0, 0}, {3, 4}, {0, 40}, {0, 3}}},
                                 {165, {{208, 223}, {0, 250}, {3, 4}, {0, 41}, {0, 3}}},
                                 {170, {{208, 223}, {1, 244}, {3, 4}, {0, 42}, {0, 3}}},
                                 {175, {{208, 223}, {2, 238}, {3, 4}, {0, 43}, {0, 3}}},
                                 {180, {{208, 223}, {0, 0}, {3, 4}, {0, 45}, {0, 3}}},
                                 {185, {{208, 223}, {0, 250}, {3, 4}, {0, 46}, {0, 3}}},
                                 {190, {{208, 223}, {1, 244}, {3, 4}, {0, 47}, {0, 3}}},
                                 {195, {{208, 223}, {2, 238}, {3, 4}, {0, 48}, {0, 3}}},
                                 {200, {{208, 223}, {0, 0}, {3, 4}, {0, 50}, {0, 3}}}};

// The second chunk carries the lowest setting, the third the ones below 150 and the fourth the rest.
constexpr int kFirstSettingOfChunk3 = 70;
constexpr int kFirstSettingOfChunk4 = 150;
constexpr int kPastLastSetting = 205;

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r";
    return text;
}

std::string Triple(int number, int high, int low)
{
    return "[" + std::to_string(number) + "," + std::to_string(high) + "," + std::to_string(low) + "]";
}

// "buf0=[112,0,0],...,[0,37,28]": the register list as the interpreter keeps it, one triple per
// register, from the top register down.
std::string RegisterListLine()
{
    std::string line = "buf0=";
    for (int number = kTopRegister; number >= 0; --number)
    {
        int high = 0;
        int low = 0;
        for (const Register& r : kNonZeroRegisters)
        {
            if (r.number == number)
            {
                high = r.high;
                low = r.low;
            }
        }
        line += Triple(number, high, low) + (number > 0 ? "," : "");
    }
    return line;
}

// "bufN=[45,h,l],[43,h,l],[37,h,l],[36,h,l],[27,h,l]"
std::string SettingLine(const Setting& setting)
{
    std::string line = "buf" + std::to_string(setting.index) + "=";
    for (int k = 0; k < 5; ++k)
        line += (k > 0 ? "," : "") + Triple(kTunedRegisters[k], setting.bytes[k][0], setting.bytes[k][1]);
    return line;
}

std::vector<std::string> SettingLines(int firstIndex, int endIndex)
{
    std::vector<std::string> lines;
    for (const Setting& setting : kSettings)
    {
        if (setting.index >= firstIndex && setting.index < endIndex)
            lines.push_back(SettingLine(setting));
    }
    return lines;
}

// Set(v) latches the three bytes of v: the filter bank, the antenna and switch bits, the
// attenuator level. SetLMX(v) writes a register list to the synthesizer.
std::string FunctionsChunk()
{
    return Lines({kInterrupt,
                  "from machine import Pin,SPI",
                  "import time",
                  "def Set(v):",
                  "spi.write(bytes([v[0]]))",
                  "port.value(1)",
                  "port.value(0)",
                  "spi.write(bytes([v[1]]))",
                  "ant_com.value(1)",
                  "ant_com.value(0)",
                  "spi.write(bytes([v[2]]))",
                  "dat.value(1)",
                  "dat.value(0)",
                  "led1.value(1)",
                  "time.sleep_ms(5)",
                  "led1.value(0)",
                  "return 529",
                  kCloseBlock,
                  "def SetLMX(v):",
                  "led2.value(1)",
                  "for i in v:",
                  "spi.write(bytes(i))",
                  "lmx.value(1)",
                  "lmx.value(0)",
                  kCloseBlock,
                  "led2.value(0)",
                  "return 831",
                  kCloseBlock});
}

std::string RegistersChunk()
{
    std::vector<std::string> lines = {RegisterListLine()};
    for (const std::string& line : SettingLines(0, kFirstSettingOfChunk3))
        lines.push_back(line);
    return Lines(lines);
}

// SetLMX2(v) copies a setting's five triples over the tuned registers of the list and loads it.
std::string TuningChunk()
{
    std::vector<std::string> lines = SettingLines(kFirstSettingOfChunk4, kPastLastSetting);
    lines.push_back("def SetLMX2(v):");
    for (int k = 0; k < 5; ++k)
    {
        // The list holds the top register first, so register r sits at position 112 - r.
        const std::string position = std::to_string(kTopRegister - kTunedRegisters[k]);
        lines.push_back("for i in range(3):buf0[" + position + "][i]=v[" + std::to_string(k) + "][i]");
    }
    lines.push_back("SetLMX(buf0)");
    lines.push_back("return 831");
    lines.push_back(kCloseBlock);
    return Lines(lines);
}

// The pins of the latches, the LEDs, the input switches and the synthesizer, and the SPI bus; the
// synthesizer is enabled and every switch and LED starts off.
std::string PinsChunk()
{
    return Lines({kInterrupt, "port=Pin(22,Pin.OUT)", "ant_com=Pin(21,Pin.OUT)", "dat=Pin(25,Pin.OUT)",
                  "led1=Pin(12,Pin.OUT)", "led2=Pin(26,Pin.OUT)", "sw1=Pin(15,Pin.OUT)",
                  "sw2=Pin(10,Pin.OUT)", "sw3=Pin(9,Pin.OUT)", "sw4=Pin(13,Pin.OUT)",
                  "lmx_ce=Pin(14,Pin.OUT)", "lmx=Pin(4,Pin.OUT)",
                  "spi=SPI(1,sck=Pin(18),mosi=Pin(23),miso=Pin(19))", "spi.init()", "lmx_ce.value(1)",
                  "led1.value(0)", "led2.value(0)", "sw1.value(0);sw2.value(0);sw3.value(0);sw4.value(0)"});
}
}  // namespace

std::string CFrontEndUpload::Chunk(int index)
{
    switch (index)
    {
        case 0:
            return FunctionsChunk();
        case 1:
            return RegistersChunk();
        case 2:
            return Lines(SettingLines(kFirstSettingOfChunk3, kFirstSettingOfChunk4));
        case 3:
            return TuningChunk();
        case 4:
            return PinsChunk();
        default:
            return std::string();
    }
}

int CFrontEndUpload::EchoLength(int index)
{
    return index >= 0 && index < kChunkCount ? kEchoLengths[index] : 0;
}

int CFrontEndUpload::Send(CSerial& serial)
{
    int packed = 0;
    std::vector<uint8_t> echo(kEchoMaxBytes);
    for (int index = 0; index < kChunkCount; ++index)
    {
        serial.Drain();
        serial.Write(Chunk(index));
        int count = 0;
        serial.Read(echo.data(), kEchoMaxBytes, &count, kEchoTimeoutMs);
        const int result = count == EchoLength(index) ? kEchoAsExpected : count == 0 ? kNoEcho : kWrongEcho;
        packed = (packed << 2) | result;
    }
    return packed;
}
