// The library reports before the program's application object exists: the core is built during
// static initialisation and looks for its hardware there. This binary raises such messages in its
// own main, on the main thread and on another one, before it creates the application, and checks
// that the handler installed afterwards shows them. It has a main of its own for that reason.

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <memory>
#include <thread>

#include "messagehandler.h"
#include "messagesink.h"
#include "scriptedprompt.h"
#include "tempdir.h"

namespace
{
TEST(MessageHandlerBeforeApplication, QueuedMessagesAreShownOnceTheApplicationExists)
{
    ASSERT_NE(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(kplatform::PendingMessageCount(), 2u);

    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("Delvane not found!!!"))
        .Answer(QMessageBox::Ok, QStringLiteral("raised on another thread"));
    ASSERT_TRUE(CMessageHandler::Install());
    ASSERT_EQ(prompt.Asked().size(), 2u);
    EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(prompt.Asked()[0].title, QStringLiteral("Delvane Veltrano"));
    EXPECT_EQ(prompt.Asked()[1].icon, QMessageBox::Warning);
    EXPECT_EQ(kplatform::PendingMessageCount(), 0u);
    CMessageHandler::Uninstall();
}
}  // namespace

int main(int argc, char** argv)
{
    setenv("KELTHAR_SDR_URI", "ip:127.0.0.1:1", 1);
    setenv("KELTHAR_MESSAGES", "stderr", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    CTempDir home;
    setenv("XDG_DATA_HOME", home.File("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.File("config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", home.Path().c_str(), 1);

    // As the program runs: messages go to the handler, and there is none yet.
    kplatform::SetMessageMode(kplatform::MessageMode::Handler);
    kplatform::ShowMessage("Delvane Veltrano", "Delvane not found!!!", kplatform::MessageIcon::Error);
    std::thread other(
        [] {
            kplatform::ShowMessage("Delvane Veltrano", "raised on another thread",
                                   kplatform::MessageIcon::Warning);
        });
    other.join();
    // Nothing can show them yet.
    if (CMessageHandler::Install())
        return 3;

    int appArgc = 1;
    char name[] = "veltrano-early";
    char* appArgv[] = {name, nullptr};
    int result = 0;
    {
        QApplication app(appArgc, appArgv);
        result = RUN_ALL_TESTS();
    }
    // With the application gone, a late report must neither crash nor wait for a box.
    kplatform::SetMessageMode(kplatform::MessageMode::Handler);
    CMessageHandler::Install();
    kplatform::ShowMessage("Delvane Veltrano", "after the application", kplatform::MessageIcon::Error);
    return result;
}
