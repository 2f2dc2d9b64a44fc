#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "frontendlink.h"
#include "iddcwavwriter.h"
#include "iscaner.h"
#include "ivideoengine.h"
#include "kelthar_core.h"
#include "tempdir.h"
#include "textcodec.h"

// The core's media objects: how they are handed out, and what the demodulator step feeds them.

namespace
{
using Chunks = std::vector<std::vector<double>>;

template <typename T>
T* Interface(CKelthar& core, int id)
{
    void* out = nullptr;
    if (!core.GetInterface(id, &out))
        return nullptr;
    return static_cast<T*>(out);
}

// A live block with an empty sweep and one DDC chunk: sample n is I = 1000 + n, Q = -n.
std::vector<uint8_t> DdcBlock()
{
    std::vector<uint8_t> block(CKelthar::kSweepBytes + CKelthar::kDdcBlockBytes);
    for (size_t n = 0; n < CKelthar::kDdcChunkSamples; ++n)
    {
        const int32_t values[2] = {1000 + static_cast<int32_t>(n), -static_cast<int32_t>(n)};
        for (int part = 0; part < 2; ++part)
        {
            const auto bits = static_cast<uint32_t>(values[part]);
            const size_t at = CKelthar::kSweepBytes + 6 * n + 3 * part;
            block[at] = static_cast<uint8_t>(bits);
            block[at + 1] = static_cast<uint8_t>(bits >> 8);
            block[at + 2] = static_cast<uint8_t>(bits >> 16);
        }
    }
    return block;
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int32_t Get24(const std::vector<uint8_t>& file, size_t at)
{
    const uint32_t bits = file[at] | (file[at + 1] << 8) | (static_cast<uint32_t>(file[at + 2]) << 16);
    return static_cast<int32_t>(bits ^ 0x800000u) - 0x800000;
}

class MediaCore : public testing::Test
{
protected:
    void SetUp() override
    {
        // No unit on the bench; the demodulator step needs none.
        CFrontEndLink::Instance().SetStatusForTesting(CFrontEndLink::kNotFound);
        m_core = std::make_unique<CKelthar>();
        m_core->ControlBits().SetDemodType(0);  // the audio value is I
    }

    std::unique_ptr<CKelthar> m_core;
};
}  // namespace

TEST_F(MediaCore, VideoAndDdcWriterAreMembersAndEachScanerIsNew)
{
    CKelthar& core = *m_core;
    IVideoEngine* video = Interface<IVideoEngine>(core, 11);
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(Interface<IVideoEngine>(core, 11), video);
    EXPECT_EQ(video->GetHeight(), 300);
    IDdcWavWriter* writer = Interface<IDdcWavWriter>(core, 21);
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(Interface<IDdcWavWriter>(core, 21), writer);
    EXPECT_FALSE(writer->IsWriting());

    std::unique_ptr<IScaner> first(Interface<IScaner>(core, 14));
    std::unique_ptr<IScaner> second(Interface<IScaner>(core, 14));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first.get(), second.get());
    SCANER_MODEL model;
    model.Name = L"untouched";
    ASSERT_TRUE(first->GetModel(0, &model));
    EXPECT_TRUE(model.Name.empty()) << "the slots start empty";
    // Bound to this core's control bits.
    first->SetFrequency(145.5);
    EXPECT_EQ(core.ControlBits().GetUserDouble(), 145.5);
    second->Enable();
    EXPECT_EQ(core.ControlBits().GetUserInt2(), 2);
}

TEST_F(MediaCore, LiveDemodulatorStepFeedsTheDdcWriterAndTheEnabledVideo)
{
    CKelthar& core = *m_core;
    CTempDir dir;
    const std::string path = dir.File("ddc.wav");
    IDdcWavWriter* writer = Interface<IDdcWavWriter>(core, 21);
    auto* video = static_cast<CVideoEngine*>(Interface<IVideoEngine>(core, 11));
    ASSERT_TRUE(writer->Start(kplatform::Utf8ToWide(path), 48000, false, false));

    Chunks i;
    Chunks q;
    Chunks audio;
    const std::vector<uint8_t> block = DdcBlock();
    // The video engine is off: it sees nothing.
    ASSERT_TRUE(core.ProcessDemod(block, i, q, audio));
    EXPECT_EQ(video->Update()[12], 0.0);

    video->Enable(true);
    ASSERT_TRUE(core.ProcessDemod(block, i, q, audio));
    writer->Stop();

    // Every pair of both steps went into the file as it came.
    const std::vector<uint8_t> file = ReadFile(path);
    ASSERT_EQ(file.size(), 44u + 2 * 6 * CKelthar::kDdcChunkSamples);
    for (size_t n : {size_t{0}, size_t{1}, size_t{4095}, size_t{4096}, size_t{8191}})
    {
        const size_t sample = n % CKelthar::kDdcChunkSamples;
        EXPECT_EQ(Get24(file, 44 + 6 * n), 1000 + static_cast<int32_t>(sample)) << n;
        EXPECT_EQ(Get24(file, 44 + 6 * n + 3), -static_cast<int32_t>(sample)) << n;
    }
    // The video engine took the 4096 audio values of the second step: the level window of 320
    // samples ran 12 times and saw the ramp of I.
    const double* status = video->Update();
    EXPECT_EQ(status[12], 4096.0);
    EXPECT_EQ(status[2], 4096 % 320);
    EXPECT_EQ(status[6], 319 / 1000.0) << "range of the last whole window";
    EXPECT_EQ(status[7], (1000 + 11 * 320) / 1000.0) << "its minimum";
}

TEST_F(MediaCore, DemoSamplesReachNeitherTheDdcWriterNorTheVideo)
{
    CKelthar& core = *m_core;
    core.SetDemoMode(true);
    CTempDir dir;
    const std::string path = dir.File("demo.wav");
    IDdcWavWriter* writer = Interface<IDdcWavWriter>(core, 21);
    IVideoEngine* video = Interface<IVideoEngine>(core, 11);
    ASSERT_TRUE(writer->Start(kplatform::Utf8ToWide(path), 48000, true, false));
    video->Enable(true);

    std::vector<uint8_t> block;
    Chunks i;
    Chunks q;
    Chunks audio;
    for (int step = 0; step < 2; ++step)
    {
        ASSERT_TRUE(core.ReadData(block, 0, nullptr));
        ASSERT_TRUE(core.ProcessDemod(block, i, q, audio));
    }
    ASSERT_TRUE(core.ProcessDemod(DdcBlock(), i, q, audio));
    writer->Stop();
    EXPECT_EQ(ReadFile(path).size(), 44u);
    EXPECT_EQ(video->Update()[12], 0.0);
}
