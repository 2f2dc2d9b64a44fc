#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "messagesink.h"
#include "tempdir.h"

using kplatform::Message;
using kplatform::MessageIcon;
using kplatform::MessageMode;

namespace
{
std::string Describe(const Message& m)
{
    return m.caption + "|" + m.text + "|" + std::to_string(static_cast<int>(m.icon));
}

// Puts the process-wide sink back to a known state: nothing pending, no handler, the given mode.
void ResetSink(MessageMode mode)
{
    kplatform::SetMessageHandler([](const Message&) {}, nullptr);
    kplatform::ClearMessageHandler();
    kplatform::SetMessageMode(mode);
}

class MessageSinkTest : public ::testing::Test
{
protected:
    void SetUp() override { ResetSink(MessageMode::Handler); }
    void TearDown() override { ResetSink(MessageMode::Stderr); }

    // Installs a handler on this thread that records what it gets.
    void Record()
    {
        kplatform::SetMessageHandler([this](const Message& m) { m_received.push_back(Describe(m)); },
                                     [this] { ++m_wakes; });
    }

    std::vector<std::string> m_received;
    std::atomic<int> m_wakes{0};
};
}  // namespace

TEST_F(MessageSinkTest, QueuedBeforeAHandlerAndDeliveredInOrderWhenOneIsSet)
{
    kplatform::ShowMessage("Delvane Veltrano", "Delvane not found!!!", MessageIcon::Error);
    kplatform::ShowMessage("FTDI", "FT_Purge is not valid!", MessageIcon::Warning);
    kplatform::ShowMessage("Info", "third", MessageIcon::Information);
    EXPECT_EQ(kplatform::PendingMessageCount(), 3u);

    Record();
    const std::vector<std::string> expected = {"Delvane Veltrano|Delvane not found!!!|2",
                                               "FTDI|FT_Purge is not valid!|1", "Info|third|0"};
    EXPECT_EQ(m_received, expected);
    EXPECT_EQ(kplatform::PendingMessageCount(), 0u);
}

TEST_F(MessageSinkTest, MessageEqualToAPendingOneIsQueuedOnce)
{
    struct Case
    {
        const char* name;
        std::vector<Message> shown;
        std::vector<std::string> delivered;
    };
    const Message a{"C", "a", MessageIcon::Error};
    const std::vector<Case> cases = {
        {"same thrice", {a, a, a}, {"C|a|2"}},
        {"again after another", {a, {"C", "b", MessageIcon::Error}, a}, {"C|a|2", "C|b|2"}},
        {"icon differs", {a, {"C", "a", MessageIcon::Warning}}, {"C|a|2", "C|a|1"}},
        {"caption differs", {a, {"D", "a", MessageIcon::Error}}, {"C|a|2", "D|a|2"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_received.clear();
        for (const Message& m : c.shown)
            kplatform::ShowMessage(m.caption, m.text, m.icon);
        EXPECT_EQ(kplatform::PendingMessageCount(), c.delivered.size());
        Record();
        EXPECT_EQ(m_received, c.delivered);
        kplatform::ClearMessageHandler();
    }
}

TEST_F(MessageSinkTest, OnTheHandlerThreadTheHandlerIsCalledDirectly)
{
    Record();
    kplatform::ShowMessage("C", "now", MessageIcon::Information);
    EXPECT_EQ(m_received, std::vector<std::string>{"C|now|0"});
    EXPECT_EQ(kplatform::PendingMessageCount(), 0u);
    EXPECT_EQ(m_wakes, 0);
}

// The device thread may hold the data lock while it reports, and the handler's thread may be
// waiting for that lock: the report must come back at once and leave the box to the handler's
// thread.
TEST_F(MessageSinkTest, FromAnotherThreadTheMessageIsQueuedAndTheHandlerThreadWoken)
{
    const std::thread::id handlerThread = std::this_thread::get_id();
    std::vector<std::thread::id> calledOn;
    kplatform::SetMessageHandler(
        [&](const Message& m)
        {
            calledOn.push_back(std::this_thread::get_id());
            m_received.push_back(Describe(m));
        },
        [this] { ++m_wakes; });

    auto report = std::async(std::launch::async,
                             [] { kplatform::ShowMessage("Dev", "from device", MessageIcon::Error); });
    const bool returned = report.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!returned)
        kplatform::DeliverPendingMessages();  // release the blocked reporter before failing
    ASSERT_TRUE(returned) << "ShowMessage waited for the handler's thread";
    EXPECT_TRUE(m_received.empty());
    EXPECT_EQ(m_wakes, 1);
    EXPECT_EQ(kplatform::PendingMessageCount(), 1u);

    // Only the handler's thread delivers.
    std::async(std::launch::async, [] { kplatform::DeliverPendingMessages(); }).wait();
    EXPECT_TRUE(m_received.empty());

    kplatform::DeliverPendingMessages();
    EXPECT_EQ(m_received, std::vector<std::string>{"Dev|from device|2"});
    EXPECT_EQ(calledOn, std::vector<std::thread::id>{handlerThread});
    EXPECT_EQ(kplatform::PendingMessageCount(), 0u);
}

TEST_F(MessageSinkTest, MessageRaisedInsideTheHandlerWaitsForItToReturn)
{
    int depth = 0;
    int deepest = 0;
    kplatform::SetMessageHandler(
        [&](const Message& m)
        {
            deepest = std::max(deepest, ++depth);
            if (depth > 1)
            {
                --depth;
                return;  // re-entered: fail below instead of recursing for ever
            }
            m_received.push_back(m.text);
            if (m.text == "outer")
            {
                kplatform::ShowMessage("C", "inner", MessageIcon::Error);
                kplatform::DeliverPendingMessages();
                m_received.push_back("outer done");
            }
            --depth;
        },
        nullptr);

    kplatform::ShowMessage("C", "outer", MessageIcon::Error);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(m_received, (std::vector<std::string>{"outer", "outer done", "inner"}));
    EXPECT_EQ(kplatform::PendingMessageCount(), 0u);
}

// While a box is open the device keeps failing the same way; the operator gets one box, not one per
// failed call.
TEST_F(MessageSinkTest, RepeatsWhileTheMessageIsShownAreDropped)
{
    int calls = 0;
    kplatform::SetMessageHandler(
        [&](const Message&)
        {
            if (++calls > 1)
                return;  // a failing sink would otherwise go round for ever
            EXPECT_EQ(kplatform::PendingMessageCount(), 1u);
            kplatform::ShowMessage("FTDI", "FT_Purge is not valid!", MessageIcon::Error);
            std::thread device(
                []
                {
                    for (int i = 0; i < 5; ++i)
                        kplatform::ShowMessage("FTDI", "FT_Purge is not valid!", MessageIcon::Error);
                });
            device.join();
        },
        [this] { ++m_wakes; });

    kplatform::ShowMessage("FTDI", "FT_Purge is not valid!", MessageIcon::Error);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(m_wakes, 0);
    EXPECT_EQ(kplatform::PendingMessageCount(), 0u);
}

TEST_F(MessageSinkTest, StderrModeWritesOneLineAndQueuesNothing)
{
    Record();
    kplatform::SetMessageMode(MessageMode::Stderr);
    EXPECT_EQ(kplatform::GetMessageMode(), MessageMode::Stderr);
    testing::internal::CaptureStderr();
    kplatform::ShowMessage("Delvane Veltrano", "Delvane not found!!!", MessageIcon::Error);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Delvane Veltrano: Delvane not found!!!\n");
    EXPECT_TRUE(m_received.empty());
    EXPECT_EQ(kplatform::PendingMessageCount(), 0u);
}

TEST_F(MessageSinkTest, StderrLinesFromManyThreadsStayWhole)
{
    kplatform::SetMessageMode(MessageMode::Stderr);
    constexpr int kThreads = 8;
    constexpr int kPerThread = 200;
    const std::string padding(300, '=');
    std::multiset<std::string> expected;
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kPerThread; ++i)
            expected.insert("T" + std::to_string(t) + ": message " + std::to_string(i) + padding);

    testing::internal::CaptureStderr();
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(
            [t, &padding]
            {
                for (int i = 0; i < kPerThread; ++i)
                    kplatform::ShowMessage("T" + std::to_string(t), "message " + std::to_string(i) + padding,
                                           MessageIcon::Warning);
            });
    for (std::thread& thread : threads)
        thread.join();
    std::istringstream captured(testing::internal::GetCapturedStderr());

    std::multiset<std::string> lines;
    for (std::string line; std::getline(captured, line);)
        lines.insert(line);
    EXPECT_TRUE(lines == expected) << lines.size() << " lines, " << expected.size() << " expected";
}

TEST_F(MessageSinkTest, TraceWritesOneLine)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Connect: state 1", "Connect: state 1\n"}, {"ends in newline\n", "ends in newline\n"}, {"", "\n"}};
    for (const auto& [text, line] : cases)
    {
        testing::internal::CaptureStderr();
        kplatform::Trace(text);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), line);
    }
}

// The mode a process starts in comes from its environment. The sink lives once per loaded copy of
// the library, so each case loads a private copy and asks it. The copies stay loaded: each holds its
// sink for the life of the process, as the real one does.
TEST(MessageSinkEnvironment, InitialModeFollowsKeltharMessages)
{
    Dl_info self{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&kplatform::GetMessageMode), &self), 0);
    ASSERT_NE(self.dli_fname, nullptr);
    ASSERT_NE(self.dli_sname, nullptr);
    const std::string library = self.dli_fname;
    const std::string symbol = self.dli_sname;

    struct Case
    {
        const char* value;  // nullptr: not set
        MessageMode mode;
    };
    const std::vector<Case> cases = {{"stderr", MessageMode::Stderr},
                                     {nullptr, MessageMode::Handler},
                                     {"", MessageMode::Handler},
                                     {"handler", MessageMode::Handler}};
    CTempDir folder;
    const char* before = std::getenv("KELTHAR_MESSAGES");
    const bool wasSet = before != nullptr;
    const std::string saved = wasSet ? before : "";
    for (size_t i = 0; i < cases.size(); ++i)
    {
        SCOPED_TRACE(cases[i].value ? cases[i].value : "(unset)");
        const std::string copy = folder.File("copy" + std::to_string(i) + ".so");
        std::filesystem::copy_file(library, copy);
        if (cases[i].value)
            setenv("KELTHAR_MESSAGES", cases[i].value, 1);
        else
            unsetenv("KELTHAR_MESSAGES");

        void* handle = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        auto getMode = reinterpret_cast<MessageMode (*)()>(dlsym(handle, symbol.c_str()));
        ASSERT_NE(getMode, nullptr);
        ASSERT_NE(reinterpret_cast<void*>(getMode), reinterpret_cast<void*>(&kplatform::GetMessageMode));
        EXPECT_EQ(getMode(), cases[i].mode);
    }
    if (wasSet)
        setenv("KELTHAR_MESSAGES", saved.c_str(), 1);
    else
        unsetenv("KELTHAR_MESSAGES");
}
