#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "kelthar.h"
#include "messagecapture.h"

// Uses the library the way the program does: linked against libKelthar, reaching the core only through
// its one export and the interfaces, with the message sink installed on the program's side.

TEST(SharedLibrary, CoreWorksThroughTheExportAndReportsThroughTheProgramsSink)
{
    setenv("KELTHAR_FRONTEND_PORT", "/dev/veltrano-no-such-port", 1);
    CMessageCapture capture;

    EXPECT_FALSE(FPGAQueryInterface(nullptr));
    IKelthar* first = nullptr;
    IKelthar* second = nullptr;
    ASSERT_TRUE(FPGAQueryInterface(&first));
    ASSERT_TRUE(FPGAQueryInterface(&second));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);

    EXPECT_EQ(first->GetRangeFftSize(), 32768);
    EXPECT_EQ(second->GetDdcFftSize(), 4096);
    int sentinel = 0;
    void* out = &sentinel;
    EXPECT_FALSE(first->GetInterface(17, &out));
    EXPECT_EQ(out, &sentinel);

    delete second;
    delete first;
    EXPECT_THAT(capture.Texts(), testing::ElementsAre("Delvane not found!!!"));
}
