// The application object of the program's tests. It is made by a GoogleTest environment, not at
// static initialisation: test discovery runs every binary just to list its tests, and that must not
// need a display or touch any settings.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include <cstdlib>
#include <memory>

namespace
{
class CQtEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        // The test main gave this process folders of its own; a binary started without it would
        // write the settings of the real home.
        const char* dataHome = std::getenv("XDG_DATA_HOME");
        ASSERT_TRUE(dataHome && *dataHome) << "XDG_DATA_HOME must point at the test's own folder";
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }

    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "veltrano-test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

testing::Environment* const g_qtEnvironment = testing::AddGlobalTestEnvironment(new CQtEnvironment);
}  // namespace
