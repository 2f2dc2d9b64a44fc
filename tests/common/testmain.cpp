#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tempdir.h"

namespace
{
// Only loopback may ever be reached from a test, so the SDR address is forced here too and not only
// by the scripts: a test binary started by hand stays on this machine.
void PinSafeEnvironment()
{
    setenv("KELTHAR_SDR_URI", "ip:127.0.0.1:1", 1);
    setenv("KELTHAR_MESSAGES", "stderr", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}
}  // namespace

int main(int argc, char** argv)
{
    PinSafeEnvironment();
    testing::InitGoogleMock(&argc, argv);

    // Settings, archive and task files of this process land in folders nobody else sees.
    std::unique_ptr<CTempDir> home;
    if (!testing::GTEST_FLAG(list_tests))
    {
        home = std::make_unique<CTempDir>();
        setenv("XDG_DATA_HOME", home->File("data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", home->File("config").c_str(), 1);
        setenv("XDG_CACHE_HOME", home->File("cache").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home->Path().c_str(), 1);
    }
    return RUN_ALL_TESTS();
}
