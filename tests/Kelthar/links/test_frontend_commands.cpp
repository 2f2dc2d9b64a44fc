#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakeinterpreter.h"
#include "frontendlink.h"
#include "messagecapture.h"
#include "serialfrontend.h"
#include "textcodec.h"

using testing::ElementsAre;
using testing::ElementsAreArray;

namespace
{
const char kLostText[] =
    "Commutator device not found!\nRestart this programm to search the Commutator device";

// The unit started already: the port is open on the fake interpreter, which takes commands at once.
class FrontEndCommandsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CFrontEndLink& link = CFrontEndLink::Instance();
        link.SetStatusForTesting(CFrontEndLink::kOperational);
        link.SetLastAntenna(0);
        link.Serial().SetPortName(kplatform::Utf8ToWide(m_unit.PortPath()));
        ASSERT_TRUE(link.Serial().Open());
    }
    void TearDown() override { CFrontEndLink::Instance().Serial().Close(); }

    // Commands that reached the unit since the last call.
    std::vector<std::string> NewCommands()
    {
        const std::vector<std::string> all = m_unit.Commands();
        std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(m_seen), all.end());
        m_seen = all.size();
        return fresh;
    }

    CFakeInterpreter m_unit{0};
    FRONTEND_LATCH m_latch;
    CSerialFrontEnd m_frontEnd{CFrontEndLink::Instance(), m_latch};
    size_t m_seen = 0;
};

struct SetCase
{
    int filter;
    int amplifier;
    int antenna;
    int level;
    int attenuator;
    bool force;
    int result;
    std::string line;  // "" when nothing may be written
};
}  // namespace

// One core's commands in a row: the first byte by filter, the second the OR of the attenuator,
// amplifier, antenna and band bits, the third the level. Expected bytes from the unit's latch tables.
TEST_F(FrontEndCommandsTest, LatchBytesFollowTheCodesAndOnlyChangesGoOut)
{
    const SetCase cases[] = {
        // 32|32|32 for codes 0 and antenna 0, band bit 8.
        {0, 0, 0, 0, 0, true, 0, "Set([20,40,0])"},
        {0, 0, 0, 0, 0, false, 1, ""},
        {0, 0, 0, 0, 0, true, 0, "Set([20,40,0])"},
        // Moving to the top filter throws the band switch: attenuator on 128, amplifier on 2,
        // antenna 2 96, band 16.
        {7, 4, 2, 10, 8, false, 0, "Set([20,242,10])"},
        // A forced repeat of the top filter does not: band 8.
        {7, 4, 2, 10, 8, true, 0, "Set([20,234,10])"},
        // Attenuator off 1, amplifier off 4, antenna 3 adds nothing.
        {5, 5, 3, 0, 9, false, 0, "Set([184,13,0])"},
        // -1 keeps antenna 3: nothing changed.
        {5, 5, -1, 0, 9, false, 1, ""},
        // An input above 3 is input 0.
        {5, 5, 7, 0, 9, false, 0, "Set([184,45,0])"},
        {5, 5, 0, 0, 9, false, 1, ""},
        {5, 5, 0, 31, 9, false, 0, "Set([184,45,31])"},
        {1, 5, -1, 31, 9, false, 0, "Set([6,45,31])"},
        {6, 5, 1, 31, 9, false, 0, "Set([153,77,31])"},
        // Codes the tables do not hold are never sent, forced or not.
        {8, 5, 1, 31, 9, true, 1, ""},
        {-1, 5, 1, 31, 9, true, 1, ""},
        {6, 10, 1, 31, 9, true, 1, ""},
        {6, 5, 1, 31, -1, true, 1, ""},
    };
    for (const SetCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "Set(" << c.filter << "," << c.amplifier << "," << c.antenna << ","
                                        << c.level << "," << c.attenuator << "," << c.force << ")");
        EXPECT_EQ(m_frontEnd.Set(c.filter, c.amplifier, c.antenna, c.level, c.attenuator, c.force), c.result);
        if (c.line.empty())
            EXPECT_THAT(NewCommands(), ElementsAre());
        else
            EXPECT_THAT(NewCommands(), ElementsAre(c.line));
    }
    EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), CFrontEndLink::kOperational);
}

// The latch record is each core's own; the antenna input is the process's.
TEST_F(FrontEndCommandsTest, EveryCoreSendsItsFirstLatchWhateverAnotherCoreSent)
{
    ASSERT_EQ(m_frontEnd.Set(2, 4, 1, 0, 8, false), 0);
    FRONTEND_LATCH otherLatch;
    CSerialFrontEnd other(CFrontEndLink::Instance(), otherLatch);
    EXPECT_EQ(other.Set(2, 4, 1, 0, 8, false), 0);
    EXPECT_EQ(other.Set(2, 4, -1, 0, 8, false), 1);
    EXPECT_EQ(m_frontEnd.Set(2, 4, -1, 0, 8, false), 1);
    EXPECT_THAT(NewCommands(), ElementsAre("Set([10,202,0])", "Set([10,202,0])"));
}

TEST_F(FrontEndCommandsTest, SynthesizerCommandsExistOnlyForItsSettings)
{
    const std::pair<int, std::string> sent[] = {{0, "SetLMX(buf0)"},      {1, "SetLMX(buf0)"},
                                                {55, "SetLMX2(buf55)"},   {70, "SetLMX2(buf70)"},
                                                {135, "SetLMX2(buf135)"}, {200, "SetLMX2(buf200)"}};
    for (const auto& [index, line] : sent)
    {
        EXPECT_EQ(m_frontEnd.LoadSynthesizer(index), 0) << index;
        EXPECT_THAT(NewCommands(), ElementsAre(line)) << index;
    }
    for (int index : {-1, 2, 54, 56, 65, 72, 205, 1000})
    {
        EXPECT_EQ(m_frontEnd.LoadSynthesizer(index), 1) << index;
        EXPECT_THAT(NewCommands(), ElementsAre()) << index;
    }
}

TEST_F(FrontEndCommandsTest, SwitchLinesCloseTheChosenInputs)
{
    const std::pair<int, std::string> cases[] = {
        {-1, "sw1.value(0);sw2.value(0);sw3.value(0);sw4.value(0)"},
        {0, "sw1.value(1);sw2.value(1);sw3.value(1);sw4.value(1)"},
        {1, "sw1.value(1);sw2.value(0);sw3.value(0);sw4.value(0)"},
        {2, "sw1.value(0);sw2.value(1);sw3.value(0);sw4.value(0)"},
        {3, "sw1.value(0);sw2.value(0);sw3.value(1);sw4.value(0)"},
        {4, "sw1.value(0);sw2.value(0);sw3.value(0);sw4.value(1)"},
        {5, "sw1.value(0);sw2.value(0);sw3.value(0);sw4.value(0)"},
        {-7, "sw1.value(0);sw2.value(0);sw3.value(0);sw4.value(0)"},
    };
    CMessageCapture capture;
    for (const auto& [commutator, line] : cases)
    {
        // The 57-byte echo is the whole acknowledgement.
        EXPECT_EQ(m_frontEnd.Switch(commutator), 0) << commutator;
        EXPECT_THAT(NewCommands(), ElementsAre(line)) << commutator;
    }
    EXPECT_TRUE(capture.Messages().empty());
}

struct ReplyCase
{
    const char* name;
    std::function<int(CSerialFrontEnd&)> command;
    std::string reply;
    int result;
};

// Replies are judged by a marker anywhere in the first 30 bytes, or for the switches by length.
TEST_F(FrontEndCommandsTest, RepliesAreJudgedByMarkerOrLength)
{
    const auto set = [](CSerialFrontEnd& f) { return f.Set(3, 4, 1, 5, 8, true); };
    const auto load = [](CSerialFrontEnd& f) { return f.LoadSynthesizer(70); };
    const auto sw = [](CSerialFrontEnd& f) { return f.Switch(2); };
    const std::string swEcho = "sw1.value(0);sw2.value(1);sw3.value(0);sw4.value(0)\r\n";
    const ReplyCase cases[] = {
        {"marker amid echo", load, "SetLMX2(buf70)\r\nxx831yy\r\n>>> ", 0},
        {"marker alone", load, "831", 0},
        {"marker split", load, "SetLMX2(buf70)\r\n83\r\n1\r\n>>> ", 2},
        {"other marker", load, "SetLMX2(buf70)\r\n529\r\n>>> ", 2},
        {"marker past 30 bytes", load, "SetLMX2(buf70)\r\n................831", 2},
        {"silence", load, "", 2},
        {"latch marker inside the echo", set, "Set([120,1" + std::string("529") + "94,5])\r\n>>> ", 0},
        {"latch without marker", set, "Set([120,194,5])\r\nNone\r\n>>> ", 2},
        {"switch echo 57", sw, swEcho + ">>> ", 0},
        {"switch echo 56", sw, swEcho + ">>>", 2},
        {"switch echo 58", sw, swEcho + ">>>  ", 2},
        {"switch silence", sw, "", 2},
    };
    for (const ReplyCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        CFrontEndLink::Instance().SetStatus(CFrontEndLink::kOperational);
        const std::string reply = c.reply;
        m_unit.SetReplyEditor([reply](const std::string&, const std::string&) { return reply; });
        CMessageCapture capture;
        EXPECT_EQ(c.command(m_frontEnd), c.result);
        if (c.result == 0)
        {
            EXPECT_TRUE(capture.Messages().empty());
            EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), CFrontEndLink::kOperational);
        }
        else
        {
            EXPECT_THAT(capture.Texts(), ElementsAre(kLostText));
            EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), CFrontEndLink::kNotFound);
        }
    }
}

// Once the unit is lost, nothing reaches it again.
TEST_F(FrontEndCommandsTest, AShortSwitchReplyRefusesEveryLaterCommand)
{
    m_unit.SetReplyEditor([](const std::string& line, const std::string& reply)
                          { return line.rfind("sw", 0) == 0 ? reply.substr(0, 56) : reply; });
    CMessageCapture capture;
    EXPECT_EQ(m_frontEnd.Switch(1), 2);
    ASSERT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(capture.Messages()[0].caption, "Delvane Veltrano");
    EXPECT_EQ(capture.Messages()[0].text, kLostText);
    EXPECT_EQ(capture.Messages()[0].icon, kplatform::MessageIcon::Error);
    EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), CFrontEndLink::kNotFound);
    const size_t bytes = m_unit.BytesReceived();

    EXPECT_EQ(m_frontEnd.Set(1, 4, 0, 0, 8, true), 3);
    EXPECT_EQ(m_frontEnd.LoadSynthesizer(0), 3);
    EXPECT_EQ(m_frontEnd.Switch(1), 3);
    EXPECT_EQ(m_unit.BytesReceived(), bytes);
    EXPECT_EQ(capture.Messages().size(), 1u);
}

// Whatever the unit said before a command is not taken for the command's answer.
TEST_F(FrontEndCommandsTest, BytesWaitingBeforeACommandAreNotItsReply)
{
    m_unit.SetReplyEditor([](const std::string& line, const std::string&) { return line + "\r\n>>> "; });
    ASSERT_TRUE(m_unit.SendUnasked("529\r\n831\r\n" + std::string(100, '.')));
    CMessageCapture capture;
    EXPECT_EQ(m_frontEnd.LoadSynthesizer(0), 2);
    EXPECT_THAT(NewCommands(), ElementsAre("SetLMX(buf0)"));
}
