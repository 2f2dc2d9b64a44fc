#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include "globals.h"
#include "messagehandler.h"
#include "messagesink.h"
#include "scriptedprompt.h"

namespace
{
// Runs one test with the library's messages going to the program's handler; puts the sink back to
// standard error afterwards, as the test environment has it.
class MessageHandler : public testing::Test
{
protected:
    void SetUp() override
    {
        kplatform::SetMessageMode(kplatform::MessageMode::Handler);
        ASSERT_TRUE(CMessageHandler::Install());
    }
    void TearDown() override
    {
        CMessageHandler::Uninstall();
        kplatform::SetMessageMode(kplatform::MessageMode::Stderr);
    }

    // Processes the GUI's events until `done` or five seconds have passed.
    template <typename Condition>
    static bool ProcessEventsUntil(Condition done)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 5000)
        {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            std::this_thread::yield();
        }
        return done();
    }
};

TEST_F(MessageHandler, GuiThreadMessageIsShownAtOnceWithItsCaptionAndIcon)
{
    const struct
    {
        kplatform::MessageIcon icon;
        QMessageBox::Icon box;
        const char* text;
    } cases[] = {
        {kplatform::MessageIcon::Information, QMessageBox::Information, "information"},
        {kplatform::MessageIcon::Warning, QMessageBox::Warning, "warning"},
        {kplatform::MessageIcon::Error, QMessageBox::Critical, "Delvane not found!!!"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QString::fromLatin1(c.text));
        kplatform::ShowMessage("Delvane Veltrano", c.text, c.icon);
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].icon, c.box);
        EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Delvane Veltrano"));
        EXPECT_EQ(prompt.Asked()[0].text, QString::fromLatin1(c.text));
        EXPECT_EQ(kplatform::PendingMessageCount(), 0u);
    }
}

// The device thread reports while it holds the data mutex (device initialisation does). It must get
// on at once, and the GUI must show the message while the lock is still held, without touching it.
TEST_F(MessageHandler, DeviceThreadMessageUnderTheDataMutexReachesTheGuiWithoutBlocking)
{
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("Commutator device"));

    std::atomic<bool> reported{false};
    std::atomic<bool> shown{false};
    std::atomic<bool> gaveUp{false};
    std::thread device(
        [&]
        {
            g_DataMutex.lock();
            kplatform::ShowMessage("Delvane Veltrano", "Commutator device is not responding",
                                   kplatform::MessageIcon::Error);
            reported = true;
            // Keep the lock until the GUI has shown the message (or the test gave up on it).
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!shown && !gaveUp && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            g_DataMutex.unlock();
        });

    // The GUI does not serve its events until the report returned: a report that waited for the GUI
    // would never return, and this wait would time out instead of hanging.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!reported && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(reported) << "the report waited for the GUI";
    EXPECT_TRUE(prompt.Asked().empty()) << "shown on the reporting thread";

    const bool arrived = ProcessEventsUntil([&] { return !prompt.Asked().empty(); });
    EXPECT_TRUE(arrived);
    const bool lockWasHeld = !g_DataMutex.tryLock();
    if (!lockWasHeld)
        g_DataMutex.unlock();
    shown = true;
    gaveUp = !arrived;
    device.join();

    ASSERT_EQ(prompt.Asked().size(), 1u);
    EXPECT_TRUE(lockWasHeld) << "the message should arrive while the device thread holds the lock";
    EXPECT_EQ(prompt.Asked()[0].text, QStringLiteral("Commutator device is not responding"));
    EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Critical);
}

// Messages raised while no handler is installed wait in the sink and come out in order on install.
TEST_F(MessageHandler, MessagesQueuedWhileUninstalledAreShownInOrderOnInstall)
{
    CMessageHandler::Uninstall();
    kplatform::ShowMessage("Delvane Veltrano", "first", kplatform::MessageIcon::Warning);
    std::thread other(
        [] { kplatform::ShowMessage("Delvane Veltrano", "second", kplatform::MessageIcon::Error); });
    other.join();
    EXPECT_EQ(kplatform::PendingMessageCount(), 2u);

    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("first")).Answer(QMessageBox::Ok, QStringLiteral("second"));
    ASSERT_TRUE(CMessageHandler::Install());
    EXPECT_EQ(prompt.Asked().size(), 2u);
    EXPECT_EQ(kplatform::PendingMessageCount(), 0u);
}

TEST_F(MessageHandler, InstallIsRefusedOffTheGuiThread)
{
    bool installed = true;
    std::thread other([&] { installed = CMessageHandler::Install(); });
    other.join();
    EXPECT_FALSE(installed);

    // The GUI thread is still the one that shows messages.
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("still here"));
    kplatform::ShowMessage("Delvane Veltrano", "still here", kplatform::MessageIcon::Information);
    EXPECT_EQ(prompt.Asked().size(), 1u);
}
}  // namespace
