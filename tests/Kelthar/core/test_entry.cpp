#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "frontendlink.h"
#include "kelthar.h"
#include "kelthar_core.h"
#include "messagecapture.h"

// Every test here runs in a process of its own under ctest: the front-end start-up happens once per
// process, so the first core a test builds is the one that looks for the unit.

using testing::ElementsAre;

namespace
{
struct CoreDeleter
{
    void operator()(IKelthar* core) const { delete core; }
};
using CorePtr = std::unique_ptr<IKelthar, CoreDeleter>;

CorePtr MakeCore()
{
    IKelthar* core = nullptr;
    EXPECT_TRUE(FPGAQueryInterface(&core));
    return CorePtr(core);
}

// No unit on this machine: the port the library is told to use does not exist.
void WithoutFrontEnd()
{
    setenv("KELTHAR_FRONTEND_PORT", "/dev/veltrano-no-such-port", 1);
}
}  // namespace

TEST(Entry, NullAddressCreatesNothingAndEveryCallMakesANewCore)
{
    WithoutFrontEnd();
    EXPECT_FALSE(FPGAQueryInterface(nullptr));
    CorePtr first = MakeCore();
    CorePtr second = MakeCore();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
}

TEST(Entry, RefusedIdsLeaveTheOutPointerUntouched)
{
    WithoutFrontEnd();
    CorePtr core = MakeCore();
    // 1-4 and 17 belong to the control bits and the sound engine; 20 and 25 name nothing.
    for (int id : {-1, 1, 2, 3, 4, 17, 20, 25, 1000})
    {
        int sentinel = 0;
        void* out = &sentinel;
        EXPECT_FALSE(core->GetInterface(id, &out)) << "id " << id;
        EXPECT_EQ(out, &sentinel) << "id " << id;
    }
}

TEST(Entry, ControlBitsAreAMemberHandedOutAsTheSamePointer)
{
    WithoutFrontEnd();
    CorePtr core = MakeCore();
    void* first = nullptr;
    void* second = nullptr;
    ASSERT_TRUE(core->GetInterface(0, &first));
    ASSERT_TRUE(core->GetInterface(0, &second));
    EXPECT_EQ(first, second);
    EXPECT_FALSE(core->GetInterface(0, nullptr));
    auto* bits = static_cast<IControlBits*>(first);
    auto* impl = dynamic_cast<CKelthar*>(core.get());
    ASSERT_NE(impl, nullptr);
    EXPECT_EQ(bits, static_cast<IControlBits*>(&impl->ControlBits()));

    // Its own sub-objects, again the same pointers each time.
    for (int id : {1, 20, 3, 4, 2})
    {
        void* a = nullptr;
        void* b = nullptr;
        ASSERT_TRUE(bits->GetInterface(id, &a)) << id;
        ASSERT_TRUE(bits->GetInterface(id, &b)) << id;
        EXPECT_NE(a, nullptr);
        EXPECT_EQ(a, b) << id;
    }

    // The core's own accessors read the control bits.
    IChannel* channel = bits->AddChannel(0, L"HRF", L"Radio Channel (40-6030 MHz)", 61000000.0);
    channel->SetOscCorrection(0, 0.5);
    channel->SetOscCorrection(1, 0.25);
    channel->SetOscCorrection(2, 2.0);
    bits->SetCurrentChannel(0);
    EXPECT_EQ(core->GetChannelOscCorr0(), 0.5);
    EXPECT_EQ(core->GetChannelOscCorr1(), 0.25);
    EXPECT_EQ(core->GetChannelOscCorr2(), 2.0);
    EXPECT_FALSE(core->IsSkipPending());
    impl->ControlBits().SetSkipPending(true);
    EXPECT_TRUE(core->IsSkipPending());
    core->SetSkipPending(false);
    EXPECT_FALSE(impl->ControlBits().IsSkipPending());
}

// Calculators are new objects that belong to the caller; the demo signal is a member of the core.
TEST(Entry, CalculatorsAreNewEachTimeAndTheDemoSignalIsAMember)
{
    WithoutFrontEnd();
    CorePtr core = MakeCore();
    for (int id : {5, 6, 7})
    {
        void* a = nullptr;
        void* b = nullptr;
        ASSERT_TRUE(core->GetInterface(id, &a)) << "id " << id;
        ASSERT_TRUE(core->GetInterface(id, &b)) << "id " << id;
        EXPECT_NE(a, b) << "id " << id;
        auto* first = static_cast<ICalcFft*>(a);
        auto* second = static_cast<ICalcFft*>(b);
        EXPECT_EQ(first->GetBlockCount(), 1);
        delete first;
        delete second;
    }
    void* multiA = nullptr;
    void* multiB = nullptr;
    ASSERT_TRUE(core->GetInterface(23, &multiA));
    ASSERT_TRUE(core->GetInterface(23, &multiB));
    EXPECT_NE(multiA, multiB);
    delete static_cast<ICalcMultiFft*>(multiA);
    delete static_cast<ICalcMultiFft*>(multiB);

    void* demoA = nullptr;
    void* demoB = nullptr;
    ASSERT_TRUE(core->GetInterface(24, &demoA));
    ASSERT_TRUE(core->GetInterface(24, &demoB));
    EXPECT_EQ(demoA, demoB);
    EXPECT_NE(static_cast<IDemoSignal*>(demoA)->GetParams(), nullptr);
}

TEST(Entry, FftSizesAreFixedInEveryState)
{
    WithoutFrontEnd();
    CorePtr core = MakeCore();
    for (int state : {0, 1, 2, 3})
    {
        core->SetState(state);
        EXPECT_EQ(core->GetState(), state);
        EXPECT_EQ(core->GetRangeFftSize(), 32768);
        EXPECT_EQ(core->GetDdcFftSize(), 4096);
    }
}

TEST(Entry, DemoModeClearsAPendingRangeRequest)
{
    WithoutFrontEnd();
    CorePtr core = MakeCore();
    EXPECT_FALSE(core->IsDemoMode());
    core->RequestRange(100.0, 200.0, 0.5, 3);
    core->SetDemoMode(true);
    EXPECT_TRUE(core->IsDemoMode());
    EXPECT_TRUE(core->IsProbeCheckOff()) << "demo mode needs no probe";
    auto* impl = dynamic_cast<CKelthar*>(core.get());
    ASSERT_NE(impl, nullptr);
    EXPECT_FALSE(impl->IsRangeRequested());
    core->SetDemoMode(false);
    EXPECT_FALSE(core->IsProbeCheckOff());
    core->SetIgnoreProbeIdent(true);
    EXPECT_TRUE(core->IsProbeCheckOff());
}

TEST(Entry, CoreStartsInInitialiseWithClearCountersAndNoData)
{
    WithoutFrontEnd();
    CorePtr core = MakeCore();
    EXPECT_EQ(core->GetState(), 1);
    EXPECT_EQ(core->GetOverloadState(), 0);
    EXPECT_FALSE(core->IsConnected());
    EXPECT_EQ(core->GetProbeStatus(), 0);
    EXPECT_EQ(core->GetProbeStatus2(), 0);
    int max = -1;
    int lost = -1;
    core->TakeDdcSampleCounters(&max, &lost);
    EXPECT_EQ(max, 0);
    EXPECT_EQ(lost, 0);
    ASSERT_NE(core->GetCounters(), nullptr);
    ASSERT_NE(core->GetCounters2(), nullptr);
    std::vector<uint8_t> block;
    int bytes = -1;
    EXPECT_FALSE(core->ReadData(block, 0, &bytes));
}

TEST(Entry, MissingFrontEndIsReportedOnceAndTheCoreStaysUsable)
{
    WithoutFrontEnd();
    CMessageCapture capture;
    CorePtr first = MakeCore();
    EXPECT_THAT(capture.Texts(), ElementsAre("Delvane not found!!!"));
    ASSERT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(capture.Messages()[0].caption, "Delvane Veltrano");
    EXPECT_EQ(capture.Messages()[0].icon, kplatform::MessageIcon::Error);
    EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), CFrontEndLink::kNotFound);

    capture.Clear();
    CorePtr second = MakeCore();
    EXPECT_TRUE(capture.Messages().empty()) << "the unit is looked for once per process";
    EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), CFrontEndLink::kNotFound);

    first->SetDemoMode(true);
    EXPECT_TRUE(first->IsDemoMode());
    EXPECT_EQ(first->GetRangeFftSize(), 32768);
}

TEST(Entry, FoundPortIsOpenedOnceAndSharedByLaterCores)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    close(slave);
    setenv("KELTHAR_FRONTEND_PORT", name, 1);

    CMessageCapture capture;
    CorePtr first = MakeCore();
    EXPECT_TRUE(CFrontEndLink::Instance().Serial().IsOpen());
    // Nothing answers on this port, so the first core has reported a silent unit (status 2).
    const size_t messages = capture.Messages().size();
    const int status = CFrontEndLink::Instance().GetStatus();
    // A second exclusive open of the port would fail and declare the unit lost for everyone.
    CorePtr second = MakeCore();
    first.reset();
    EXPECT_EQ(capture.Messages().size(), messages);
    EXPECT_EQ(CFrontEndLink::Instance().GetStatus(), status);
    EXPECT_TRUE(CFrontEndLink::Instance().Serial().IsOpen()) << "the port lives as long as the process";
    close(master);
}

// The library takes the SDR address from this variable when it is set; every test process must keep
// it on loopback, whatever started it.
TEST(Entry, TestProcessesKeepTheSdrOnLoopback)
{
    const char* uri = std::getenv("KELTHAR_SDR_URI");
    ASSERT_NE(uri, nullptr);
    EXPECT_EQ(std::string(uri).rfind("ip:127.", 0), 0u) << uri;
    const char* messages = std::getenv("KELTHAR_MESSAGES");
    ASSERT_NE(messages, nullptr);
    EXPECT_STREQ(messages, "stderr");
}
