#include "serialfrontend.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "frontendlink.h"
#include "messagesink.h"

namespace
{
// First byte of "Set", by filter code 0 to 7.
constexpr int kFilterLatch[] = {20, 6, 10, 120, 89, 184, 153, 20};
constexpr int kFilterCodes = static_cast<int>(sizeof kFilterLatch / sizeof kFilterLatch[0]);
// The second byte ORs four entries of this table: by attenuator code, amplifier code, antenna input
// and band code.
constexpr int kSwitchBits[] = {32, 64, 96, 0, 2, 4, 8, 16, 128, 1};
constexpr int kSwitchCodes = static_cast<int>(sizeof kSwitchBits / sizeof kSwitchBits[0]);
// The top filter needs the other band switch, thrown by the command that selects that filter.
constexpr int kTopFilter = 7;
constexpr int kBandCodeTop = 7;
constexpr int kBandCodeOther = 6;

constexpr int kKeepAntenna = -1;
constexpr int kAntennaInputs = 4;
constexpr int kInputSwitches = 4;

constexpr int kCommandReplyBytes = 30;
constexpr int kSwitchReplyBytes = 100;
constexpr int kReplyTimeoutMs = 100;
// The switch line returns nothing: its echo, the line break and the prompt.
constexpr size_t kSwitchEchoBytes = 57;
constexpr char kSetMarker[] = "529";
constexpr char kSynthesizerMarker[] = "831";

bool IsSwitchCode(int code)
{
    return code >= 0 && code < kSwitchCodes;
}

// Commutator -1 and any value without an input switch open every switch, 0 closes all, 1 to 4 closes
// that one alone.
std::string SwitchLine(int commutator)
{
    std::string line;
    for (int input = 1; input <= kInputSwitches; ++input)
    {
        const bool closed = commutator == 0 || commutator == input;
        line += (input > 1 ? ";sw" : "sw") + std::to_string(input) + (closed ? ".value(1)" : ".value(0)");
    }
    return line + "\r";
}
}  // namespace

int CSerialFrontEnd::Set(int filterCode, int amplifierCode, int antennaInput, int attenuatorLevel,
                         int attenuatorCode, bool force)
{
    if (m_link.GetStatus() != CFrontEndLink::kOperational)
        return kRefused;
    // A code outside the tables has no latch bits to send.
    if (filterCode < 0 || filterCode >= kFilterCodes || !IsSwitchCode(amplifierCode) ||
        !IsSwitchCode(attenuatorCode))
        return kNothingToSend;

    const int lastAntenna = m_link.GetLastAntenna();
    int antenna = antennaInput;
    if (antennaInput == kKeepAntenna)
        antenna = lastAntenna;
    else if (antennaInput < 0 || antennaInput >= kAntennaInputs)
        antenna = 0;

    const bool changed = filterCode != m_latch.filterCode || amplifierCode != m_latch.amplifierCode ||
                         antenna != lastAntenna || attenuatorLevel != m_latch.attenuatorLevel ||
                         attenuatorCode != m_latch.attenuatorCode;
    // Deliberately only when this command moves to the top filter: a forced repeat of it keeps the
    // other band code, as the unit has always been driven.
    const int bandCode =
        filterCode == kTopFilter && m_latch.filterCode != kTopFilter ? kBandCodeTop : kBandCodeOther;
    m_latch.filterCode = filterCode;
    m_latch.amplifierCode = amplifierCode;
    m_latch.attenuatorLevel = attenuatorLevel;
    m_latch.attenuatorCode = attenuatorCode;
    m_link.SetLastAntenna(antenna);
    if (!changed && !force)
        return kNothingToSend;

    const int switches = kSwitchBits[attenuatorCode] | kSwitchBits[amplifierCode] | kSwitchBits[antenna] |
                         kSwitchBits[bandCode];
    const std::string line = "Set([" + std::to_string(kFilterLatch[filterCode]) + "," +
                             std::to_string(switches) + "," + std::to_string(attenuatorLevel) + "])\r";
    return Exchange(line, kCommandReplyBytes).find(kSetMarker) != std::string::npos ? kAccepted : Lost();
}

int CSerialFrontEnd::LoadSynthesizer(int index)
{
    if (m_link.GetStatus() != CFrontEndLink::kOperational)
        return kRefused;
    if (!HasSynthesizerCommand(index))
        return kNothingToSend;
    // Index 0 and 1 load the start-up register list as it stands; the others tune it first.
    const std::string line = index <= 1 ? "SetLMX(buf0)\r" : "SetLMX2(buf" + std::to_string(index) + ")\r";
    return Exchange(line, kCommandReplyBytes).find(kSynthesizerMarker) != std::string::npos ? kAccepted
                                                                                            : Lost();
}

int CSerialFrontEnd::Switch(int commutator)
{
    if (m_link.GetStatus() != CFrontEndLink::kOperational)
        return kRefused;
    return Exchange(SwitchLine(commutator), kSwitchReplyBytes).size() == kSwitchEchoBytes ? kAccepted
                                                                                          : Lost();
}

std::string CSerialFrontEnd::Exchange(const std::string& line, int maxReplyBytes)
{
    CSerial& serial = m_link.Serial();
    serial.Drain();
    serial.Write(line);
    std::vector<uint8_t> reply(static_cast<size_t>(maxReplyBytes));
    int count = 0;
    serial.Read(reply.data(), maxReplyBytes, &count, kReplyTimeoutMs);
    return std::string(reply.begin(), reply.begin() + count);
}

int CSerialFrontEnd::Lost()
{
    kplatform::ShowMessage(
        "Delvane Veltrano",
        "Commutator device not found!\nRestart this programm to search the Commutator device",
        kplatform::MessageIcon::Error);
    m_link.SetStatus(CFrontEndLink::kNotFound);
    return kNoReply;
}
