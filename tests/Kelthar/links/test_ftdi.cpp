#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ftdi.h"
#include "messagecapture.h"

using testing::ElementsAre;
using testing::HasSubstr;

namespace
{
// Holds the fake driver open for the whole test, so its recorded calls survive the connection
// releasing it, and gives typed access to its hooks.
class CFakeDriver
{
public:
    explicit CFakeDriver(const char* path) : m_handle(dlopen(path, RTLD_NOW | RTLD_LOCAL))
    {
        if (!m_handle)
            throw std::runtime_error(dlerror());
        Hook<void (*)()>("FakeFtdi_Reset")();
    }
    ~CFakeDriver() { dlclose(m_handle); }

    std::string Calls() { return Hook<const char* (*)()>("FakeFtdi_Calls")(); }
    void SetReply(std::vector<uint8_t> reply)
    {
        Hook<void (*)(const uint8_t*, uint32_t)>("FakeFtdi_SetReply")(reply.data(),
                                                                      static_cast<uint32_t>(reply.size()));
    }
    void SetShortBy(uint32_t n) { Hook<void (*)(uint32_t)>("FakeFtdi_SetShortBy")(n); }
    uint32_t WrittenCount() { return Hook<uint32_t (*)()>("FakeFtdi_WrittenCount")(); }

private:
    template <typename Fn>
    Fn Hook(const char* name)
    {
        return reinterpret_cast<Fn>(dlsym(m_handle, name));
    }
    void* m_handle;
};
}  // namespace

TEST(Ftdi, WithoutTheDriverEveryOperationReportsTheMissingEntryPoint)
{
    CMessageCapture capture;
    CFTDI ftdi("libftd2xx-absent-for-tests.so");
    EXPECT_EQ(ftdi.GetLoadResult(), CFTDI::kLoadFailed);
    EXPECT_EQ(ftdi.GetState(), 1);

    ftdi.Purge();
    EXPECT_EQ(ftdi.Write({1, 2, 3}), 1);
    std::vector<uint8_t> buffer;
    EXPECT_EQ(ftdi.Read(buffer, 16), 1);
    EXPECT_EQ(buffer.size(), 16u) << "the buffer is sized before the driver is looked at";
    EXPECT_FALSE(ftdi.Open("Fake Board", 2, 65536));

    EXPECT_THAT(capture.Texts(),
                ElementsAre("FT_Purge is not valid!", "FT_Write is not valid!", "FT_Read is not valid!"));
    for (const auto& m : capture.Messages())
        EXPECT_EQ(m.caption, "FTDI");
}

TEST(Ftdi, NeverOpenedConnectionGetsTheDriversInvalidHandleError)
{
    CFakeDriver driver(FAKE_FTDI_PATH);
    CMessageCapture capture;
    CFTDI ftdi(FAKE_FTDI_PATH);
    ASSERT_EQ(ftdi.GetLoadResult(), CFTDI::kLoaded);
    EXPECT_FALSE(ftdi.IsDeviceOpen());

    std::vector<uint8_t> buffer{9};
    EXPECT_EQ(ftdi.Read(buffer, 4), 2);
    EXPECT_EQ(ftdi.Write({1, 2}), 2);
    ftdi.Purge();
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_EQ(driver.Calls(), "") << "a null handle must not reach the board";
}

TEST(Ftdi, ReadInStateZeroReturnsThreeAfterSizingTheBuffer)
{
    CFakeDriver driver(FAKE_FTDI_PATH);
    CFTDI ftdi(FAKE_FTDI_PATH);
    ftdi.SetState(0);
    std::vector<uint8_t> buffer;
    EXPECT_EQ(ftdi.Read(buffer, 1024), 3);
    EXPECT_EQ(buffer.size(), 1024u);
}

TEST(Ftdi, OpenConfiguresTheBoardForSynchronousFifoAndTransfersThenReportShortCounts)
{
    CFakeDriver driver(FAKE_FTDI_PATH);
    CFTDI ftdi(FAKE_FTDI_PATH);
    ASSERT_TRUE(ftdi.Open("Fake Board", 2, 65536));
    EXPECT_EQ(ftdi.GetState(), 2);
    EXPECT_EQ(driver.Calls(),
              "OpenEx;SetBitMode(FF,40);SetTimeouts(800,800);SetLatencyTimer(2);SetUSBParameters(65536,0);"
              "ResetDevice;Purge(3);");

    const std::vector<uint8_t> reply{0xB6, 1, 2, 3};
    driver.SetReply(reply);
    std::vector<uint8_t> buffer;
    EXPECT_EQ(ftdi.Read(buffer, 4), 0);
    EXPECT_EQ(buffer, reply);
    EXPECT_EQ(ftdi.Read(buffer, 8), 1) << "fewer bytes than asked";

    EXPECT_EQ(ftdi.Write(std::vector<uint8_t>(1095, 0x55)), 0);
    driver.SetShortBy(5);
    EXPECT_EQ(ftdi.Write(std::vector<uint8_t>(10, 0x55)), 1);
    EXPECT_EQ(driver.WrittenCount(), 1095u + 5u);
}

TEST(Ftdi, OpenOfAnAbsentBoardSucceedsWithTheStateLeftAtInitialise)
{
    CFakeDriver driver(FAKE_FTDI_PATH);
    CFTDI ftdi(FAKE_FTDI_PATH);
    EXPECT_TRUE(ftdi.Open("No Such Board", 2, 65536));
    EXPECT_EQ(ftdi.GetState(), 1);
    EXPECT_FALSE(ftdi.IsDeviceOpen());
}

TEST(Ftdi, CloseReleasesTheDriverAndNothingCallsItUntilTheNextOpen)
{
    CFakeDriver driver(FAKE_FTDI_PATH);
    CMessageCapture capture;
    CFTDI ftdi(FAKE_FTDI_PATH);
    ASSERT_TRUE(ftdi.Open("Fake Board", 2, 65536));
    ftdi.Close();
    EXPECT_EQ(ftdi.GetState(), 0);
    EXPECT_FALSE(ftdi.IsDeviceOpen());
    EXPECT_THAT(driver.Calls(), HasSubstr("Close;"));

    const std::string before = driver.Calls();
    std::vector<uint8_t> buffer;
    EXPECT_EQ(ftdi.Read(buffer, 4), 1);
    EXPECT_EQ(ftdi.Write({1}), 1);
    ftdi.Purge();
    EXPECT_EQ(driver.Calls(), before) << "a released driver was called through a stale entry point";
    EXPECT_THAT(capture.Texts(),
                ElementsAre("FT_Read is not valid!", "FT_Write is not valid!", "FT_Purge is not valid!"));

    ASSERT_TRUE(ftdi.Open("Fake Board", 2, 65536));
    EXPECT_EQ(ftdi.GetLoadResult(), CFTDI::kLoaded);
    EXPECT_EQ(ftdi.GetState(), 2);
}

TEST(Ftdi, ADriverMissingOneEntryPointLoadsButSkipsWhatFollowsIt)
{
    CFakeDriver driver(FAKE_FTDI_NO_PURGE_PATH);
    CMessageCapture capture;
    CFTDI ftdi(FAKE_FTDI_NO_PURGE_PATH);
    EXPECT_EQ(ftdi.GetLoadResult(), CFTDI::kLoadFailed);

    ASSERT_TRUE(ftdi.Open("Fake Board", 4, 4096));
    // The lookup stops at FT_Purge, so the calls looked up after it are missing too.
    EXPECT_EQ(driver.Calls(), "OpenEx;SetBitMode(FF,40);ResetDevice;");
    EXPECT_THAT(capture.Texts(),
                ElementsAre("FT_SetTimeouts is not valid!", "FT_SetLatencyTimer is not valid!",
                            "FT_SetUSBParameters is not valid!", "FT_Purge is not valid!"));
}
