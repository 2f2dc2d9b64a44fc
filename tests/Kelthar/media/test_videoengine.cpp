#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "videoengine.h"

// The video decoder on synthetic signals: lines of a given length start with a short sync pulse at the
// top of the level range, the frame sync is a gap of ten lines without pulses, and picture samples
// lie between black (0) and the pulse level (1000), so the level range settles at exactly 0..1000.

namespace
{
constexpr double kSyncLevel = 1000.0;
constexpr int kPulseSamples = 2;
constexpr int kPictureStart = 46;

// The picture sample of a column; blanking and the samples after the picture are black.
using Picture = std::function<double(int column)>;

void FeedLine(CVideoEngine& video, int lineSamples, const Picture& picture)
{
    for (int k = 0; k < lineSamples; ++k)
    {
        double sample = 0.0;
        if (k < kPulseSamples)
            sample = kSyncLevel;
        else if (k >= kPictureStart && k - kPictureStart < CVideoEngine::kWidth && picture)
            sample = picture(k - kPictureStart);
        video.ProcessSample(sample);
    }
}

void FeedLines(CVideoEngine& video, int count, int lineSamples, const Picture& picture = nullptr)
{
    for (int n = 0; n < count; ++n)
        FeedLine(video, lineSamples, picture);
}

// `lines` lines of 320 samples and then the frame gap: ten line times of black.
void FeedFrame(CVideoEngine& video, int lines)
{
    FeedLines(video, lines, 320);
    for (int k = 0; k < 10 * 320; ++k)
        video.ProcessSample(0.0);
}
}  // namespace

TEST(VideoEngine, StartsWithAGreyRampAndReadsZeroOutsideTheFrame)
{
    CVideoEngine video;
    EXPECT_EQ(video.GetWidth(), 256);
    EXPECT_EQ(video.GetHeight(), 300);
    EXPECT_FALSE(video.IsEnabled());
    for (int line : {0, 150, 299})
    {
        for (int column : {0, 1, 128, 255})
            EXPECT_EQ(video.GetLine(column, line), column) << column << ", " << line;
    }
    const int outside[][2] = {{-1, 0}, {256, 0}, {0, -1}, {0, 300}, {1000000, 1000000}, {-1000000, 5}};
    for (const auto& at : outside)
        EXPECT_EQ(video.GetLine(at[0], at[1]), 0) << at[0] << ", " << at[1];

    // Disabled, samples change nothing.
    FeedLines(video, 400, 320, [](int) { return 500.0; });
    EXPECT_EQ(video.GetLine(7, 100), 7);
    EXPECT_EQ(video.Update()[1], 0.0) << "no line samples counted";
}

TEST(VideoEngine, LineSyncBitFollowsTheLineLength)
{
    struct Case
    {
        int lineSamples;
        bool synced;
    };
    // A pulse that arrives before a line's 302 samples are over is not seen: 300-sample lines are
    // measured as 600.
    const Case cases[] = {{320, true}, {303, true}, {339, true}, {340, false}, {300, false}, {250, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.lineSamples << "-sample lines");
        CVideoEngine video;
        video.Enable(true);
        // Synchronise on good lines first, so that every row starts from a set bit.
        FeedLines(video, 100, 320);
        ASSERT_EQ(video.GetSyncState() & 1, 1);
        FeedLines(video, 20, c.lineSamples);
        EXPECT_EQ((video.GetSyncState() & 1) != 0, c.synced);
        EXPECT_EQ(video.GetSyncState() & 2, 0) << "no frame gap seen";
    }
}

TEST(VideoEngine, FrameSyncBitFollowsTheFrameLength)
{
    struct Case
    {
        int lines;  // lines with a pulse, then the gap
        bool synced;
    };
    // A frame is counted from its first pulse to the sample that finds the gap, 961 samples after its
    // last pulse: 320 (lines - 1) + 961. The bounds 92001..105999 take 286..329 lines.
    const Case cases[] = {{300, true}, {286, true}, {329, true}, {285, false}, {330, false}, {50, false}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.lines << "-line frames");
        CVideoEngine video;
        video.Enable(true);
        for (int frame = 0; frame < 3; ++frame)
            FeedFrame(video, c.lines);
        EXPECT_EQ((video.GetSyncState() & 2) != 0, c.synced);
        EXPECT_EQ(video.GetLastFrameSamples(), 320.0 * (c.lines - 1) + 961);
        EXPECT_EQ(video.GetSyncState() & 1, 1) << "the lines themselves are good";
    }
}

TEST(VideoEngine, PixelsMapTheLevelsBetweenDarkAndBright)
{
    CVideoEngine video;
    video.Enable(true);
    ASSERT_EQ(video.GetDarkLevel(), 10);
    ASSERT_EQ(video.GetBrightLevel(), 70);
    // With the range at 0..1000, black is 100 and white 700: a sample of 100 + 600 (c + 0.5) / 255
    // is grey level c. The first columns lie below black and the last ones above white.
    const auto picture = [](int column)
    {
        if (column < 8)
            return 50.0;
        if (column >= 250)
            return 900.0;
        return 100.0 + 600.0 * (column + 0.5) / 255.0;
    };
    // Free-running lines: no frame gap, so every 310 lines the picture starts again after ten
    // blanking lines. Two frames and a bit so that each row was drawn once the levels had settled.
    FeedLines(video, 2 * 310 + 20, 320, picture);
    for (int line = 0; line < video.GetHeight(); ++line)
    {
        for (int column = 0; column < video.GetWidth(); ++column)
        {
            const int expected = column < 8 ? 0 : (column >= 250 ? 255 : column);
            ASSERT_EQ(video.GetLine(column, line), expected) << column << ", " << line;
        }
    }
    EXPECT_GE(video.GetFrameCount(), 2.0);

    // Levels are percentages of the range: 0 and 100 stretch black to 0 and white to 1000.
    video.SetDarkLevel(0);
    video.SetBrightLevel(100);
    FeedLines(video, 310, 320, [](int column) { return column < 255 ? column * 1000.0 / 255.0 + 1.0 : 0.0; });
    EXPECT_EQ(video.GetLine(0, 50), 0);
    EXPECT_EQ(video.GetLine(128, 50), 128);
    EXPECT_EQ(video.GetLine(254, 50), 254);
}

TEST(VideoEngine, EqualDarkAndBrightLevelsGiveBlackOrWhite)
{
    CVideoEngine video;
    video.Enable(true);
    video.SetDarkLevel(50);
    video.SetBrightLevel(50);
    // Both levels at 500: below is black, above white, and exactly 500 (0 / 0) black.
    const auto picture = [](int column) { return column < 100 ? 499.0 : (column < 200 ? 500.0 : 501.0); };
    FeedLines(video, 320, 320, picture);
    for (int line : {0, 100, 299})
    {
        EXPECT_EQ(video.GetLine(50, line), 0);
        EXPECT_EQ(video.GetLine(150, line), 0);
        EXPECT_EQ(video.GetLine(250, line), 255);
    }
}

TEST(VideoEngine, StatusBlockAndEnableRestartTheSearch)
{
    CVideoEngine video;
    video.Enable(true);
    // A frame settles the levels; its gap restarts the line count at 0.
    FeedFrame(video, 40);
    FeedLines(video, 20, 320);
    for (int k = 0; k < 100; ++k)
        video.ProcessSample(0.0);
    // 40 x 320 + 3200 + 20 x 320 + 100 samples since Enable.
    const double* status = video.Update();
    EXPECT_EQ(status[0], 1.0) << "enabled";
    EXPECT_EQ(status[1], 320 + 100 - 1) << "samples since the last pulse began";
    EXPECT_EQ(status[2], 100.0) << "samples into the level window";
    EXPECT_EQ(status[3], 0.0) << "the current window is black: minimum / 1000";
    EXPECT_EQ(status[4], 0.0) << "maximum / 1000";
    EXPECT_GT(status[5], 0.8) << "threshold on its way back to 0.9 after the gap";
    EXPECT_LT(status[5], 0.9);
    EXPECT_EQ(status[6], 1.0) << "range / 1000 of the last whole window";
    EXPECT_EQ(status[7], 0.0) << "its minimum";
    EXPECT_EQ(status[8], 20.0) << "line";
    EXPECT_EQ(status[9], 0.0) << "waiting for a pulse";
    EXPECT_EQ(status[10], 256.0);
    EXPECT_EQ(status[11], 300.0);
    EXPECT_EQ(status[12], 20 * 320 + 100 - 1) << "samples since the frame's first pulse";
    EXPECT_EQ(video.GetSyncState() & 1, 1);
    EXPECT_EQ(video.GetLastLineSamples(), 320.0);

    video.Enable(true);
    status = video.Update();
    EXPECT_EQ(video.GetSyncState(), 0);
    EXPECT_EQ(status[1], 0.0);
    EXPECT_EQ(status[2], 0.0);
    EXPECT_EQ(status[5], 0.0) << "threshold";
    EXPECT_EQ(status[6], 0.0) << "range";
    EXPECT_EQ(status[8], 0.0) << "line";
    EXPECT_EQ(status[12], 0.0);
    EXPECT_EQ(video.GetLastLineSamples(), 0.0);
    // The restarted search counts from the next sample on.
    video.ProcessSample(0.0);
    status = video.Update();
    EXPECT_EQ(status[1], 1.0);
    EXPECT_EQ(status[2], 1.0);
    EXPECT_EQ(status[12], 1.0);

    video.Enable(false);
    EXPECT_EQ(video.Update()[0], 0.0);
    EXPECT_FALSE(video.IsEnabled());
}
