#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "controlbits.h"
#include "kelthar_core.h"
#include "pulsedetect.h"

// The pulse detector against the control bits (clock divider real; tuning recorded, sample rate set
// by the test) with an injected clock. Pulses are built as a carrier of amplitude 1 (alternating +1/-1, so
// the envelope is 1 throughout) on a silent block; with a fixed threshold of 0.99 the envelope's 1/64 decay
// takes it below the threshold on the first point after the carrier, so a carrier of w points is a pulse of w
// points.

namespace
{
constexpr double kThreshold = 0.99;
constexpr int kPulseStart = 100;
constexpr int kBlockPoints = 400;

struct Burst
{
    int start;
    int width;
};

// Silent block with carrier bursts; the point after the last burst holds `tail` (the raw sample the
// detector reads the level from).
std::vector<double> Block(const std::vector<Burst>& bursts, double tail = 0.0, int points = kBlockPoints)
{
    std::vector<double> block(static_cast<size_t>(points), 0.0);
    int end = 0;
    for (const Burst& burst : bursts)
    {
        for (int i = burst.start; i < burst.start + burst.width; ++i)
            block[static_cast<size_t>(i)] = (i % 2 == 0) ? 1.0 : -1.0;
        end = burst.start + burst.width;
    }
    if (end < points)
        block[static_cast<size_t>(end)] = tail;
    return block;
}

std::vector<double> Pulse(int width, double tail = 0.0)
{
    return Block({{kPulseStart, width}}, tail);
}

std::vector<double> Quiet(int points = kBlockPoints)
{
    return std::vector<double>(static_cast<size_t>(points), 0.0);
}

// Records every tune and reports a sample rate of the test's choosing.
class CTuneLog : public CControlBits
{
public:
    void SetTuneFreq(double freqHz) override { tunesHz.push_back(freqHz); }
    double GetChannelSampleRate(int channel) override { return channel == -1 ? rateHz : -1.0; }

    std::vector<double> tunesHz;
    double rateHz = 2e6;
};

class PulseDetectTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_detector.SetClock([this] { return m_now; });
        PULSE_DETECT_PARAMS params;
        params.ranges = {{100.0, 250.0}, {400.0, 450.0}};
        params.autoThreshold = false;
        params.level = kThreshold;
        m_detector.SetSettings(params);
    }

    // From a fresh Start: the tuning block and the four blocks that are let pass.
    void StartAndSettle()
    {
        m_detector.Start();
        for (int i = 0; i < 5; ++i)
            m_detector.ProcessSamples(Quiet());
    }

    std::vector<PULSE_ITEM> Pulses()
    {
        std::vector<PULSE_ITEM> pulses;
        m_detector.GetPulses(pulses);
        return pulses;
    }

    double PointMs() { return 1000.0 / m_bits.rateHz; }

    int64_t m_now = 1700000000;
    CTuneLog m_bits;
    CPulseDetect m_detector{&m_bits};
};
}  // namespace

TEST(PulseDetect, DefaultsAndStartWithoutRanges)
{
    CTuneLog bits;
    CPulseDetect detector(&bits);
    const PULSE_DETECT_PARAMS& params = detector.GetSettings();
    ASSERT_EQ(params.ranges.size(), 1u);
    EXPECT_EQ(params.ranges[0].start, 800.0);
    EXPECT_EQ(params.ranges[0].end, 1000.0);
    EXPECT_FALSE(params.autoThreshold);
    EXPECT_EQ(detector.GetCurrentFreq(), 100.0);

    detector.SetSettings(PULSE_DETECT_PARAMS());
    detector.Start();
    EXPECT_FALSE(detector.IsRunning());
    detector.ProcessSamples(Quiet());
    EXPECT_TRUE(bits.tunesHz.empty());
}

TEST(PulseDetect, EnvelopeMirrorsAboutTheMidpointAndDecaysByOneSixtyFourth)
{
    CPulseDetect detector(nullptr);
    // Midpoint 1: -1 folds to 3. The follower starts at 0, rises at once and falls 1/64 of the gap.
    std::vector<double> block = {1.0, -1.0, 3.0, 1.0, 1.0};
    detector.ProcessSpectrum(block);
    const double third = 3.0 - 2.0 / 64.0;
    const double fourth = third - (third - 1.0) / 64.0;
    const std::vector<double> expected = {0.0, 3.0, 3.0, third, fourth};
    ASSERT_EQ(block.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_DOUBLE_EQ(block[i], expected[i]) << "point " << i;

    // The automatic threshold is taken from the envelope's range: 3 - (3 - 0) / 2.5.
    PULSE_DETECT_PARAMS params;
    params.autoThreshold = true;
    detector.SetSettings(params);
    detector.UpdateThreshold();
    EXPECT_DOUBLE_EQ(detector.GetThresholdLevel(), 1.8);

    std::vector<double> empty;
    detector.ProcessSpectrum(empty);
    EXPECT_TRUE(empty.empty());
}

TEST(PulseDetect, ThresholdIsTheLevelOrAutomaticWithAFloor)
{
    struct Case
    {
        bool automatic;
        double level;
        double amplitude;
        double expected;
    };
    const Case cases[] = {
        {false, 0.25, 1.0, 0.25},
        {false, 0.0, 1.0, 0.0},           // the floor is for the automatic threshold only
        {true, 0.25, 1.0, 0.6},           // 1 - 1 / 2.5
        {true, 0.0, 0.004, 0.003},        // 0.0024 is raised to the floor
        {true, 0.0, 0.0, 0.003},          // silence
        {true, 0.0, 0.01, 0.01 - 0.004},  // just above the floor
    };
    for (const Case& c : cases)
    {
        CPulseDetect detector(nullptr);
        PULSE_DETECT_PARAMS params;
        params.autoThreshold = c.automatic;
        params.level = c.level;
        detector.SetSettings(params);
        std::vector<double> block = Block({{10, 50}});
        for (double& value : block)
            value *= c.amplitude;
        detector.ProcessSpectrum(block);
        detector.UpdateThreshold();
        EXPECT_NEAR(detector.GetThresholdLevel(), c.expected, 1e-12)
            << "automatic " << c.automatic << " amplitude " << c.amplitude;
    }
}

TEST_F(PulseDetectTest, OnlyTheFifthBlockAfterATuneIsExamined)
{
    for (int examined = 1; examined <= 7; ++examined)
    {
        CPulseDetect detector(&m_bits);
        detector.SetSettings(m_detector.GetSettings());
        detector.Start();
        for (int block = 1; block <= 7; ++block)
            detector.ProcessSamples(block == examined ? Pulse(40) : Quiet());
        EXPECT_EQ(detector.GetPulseCount(), examined == 6 ? 1 : 0) << "pulse in block " << examined;
    }
}

TEST_F(PulseDetectTest, StepsSixtyOneMegahertzThroughTheRangesAndWraps)
{
    struct Tune
    {
        int block;
        double freqMHz;
        int counter;
    };
    // One tuning block, four let pass, one examined: a tune every sixth block. 283 is past the first
    // range's end, 461 past the second's.
    const std::vector<Tune> expected = {{1, 100.0, 0},  {7, 161.0, 0},  {13, 222.0, 0},
                                        {19, 400.0, 1}, {25, 100.0, 0}, {31, 161.0, 0}};
    std::vector<Tune> seen;
    m_detector.Start();
    for (int block = 1; block <= 31; ++block)
    {
        m_bits.tunesHz.clear();
        m_detector.ProcessSamples(Quiet(1));
        if (!m_bits.tunesHz.empty())
            seen.push_back({block, m_bits.tunesHz.back() / 1e6, m_detector.GetCounter()});
        EXPECT_LE(m_bits.tunesHz.size(), 1u);
    }
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(seen[i].block, expected[i].block) << "tune " << i;
        EXPECT_DOUBLE_EQ(seen[i].freqMHz, expected[i].freqMHz) << "tune " << i;
        EXPECT_EQ(seen[i].counter, expected[i].counter) << "tune " << i;
    }
}

TEST_F(PulseDetectTest, APulseKeepsTheDetectorOnItsFrequencyForOneMoreBlock)
{
    StartAndSettle();
    m_detector.ProcessSamples(Pulse(40));
    m_detector.ProcessSamples(Pulse(80));  // examined again: a second, different pulse
    ASSERT_EQ(m_detector.GetPulseCount(), 2);
    m_detector.ProcessSamples(Quiet());  // examined, nothing: moves on
    EXPECT_EQ(m_detector.GetCurrentFreq(), 161.0);
    m_bits.tunesHz.clear();
    m_detector.ProcessSamples(Quiet());
    EXPECT_EQ(m_bits.tunesHz, std::vector<double>{161e6});
}

TEST_F(PulseDetectTest, WidthAndDipRules)
{
    struct Case
    {
        const char* what;
        std::vector<Burst> bursts;
        int expectedPoints;  // 0: no pulse
    };
    const std::vector<Case> cases = {
        {"19 points is too short", {{kPulseStart, 19}}, 0},
        {"20 points is a pulse", {{kPulseStart, 20}}, 20},
        {"a long pulse", {{kPulseStart, 150}}, 150},
        {"a short rise, a dip and a rise are one pulse", {{100, 10}, {115, 30}}, 45},
        {"a long dip after a short rise still joins", {{100, 10}, {200, 30}}, 130},
        {"the first complete pulse ends the scan", {{100, 30}, {200, 60}}, 30},
        {"a burst from point 0 has no quiet start before point 20", {{0, 60}}, 0},
        {"a burst over point 20 is not seen rising", {{10, 60}, {200, 40}}, 40},
    };
    for (const Case& c : cases)
    {
        CPulseDetect detector(&m_bits);
        detector.SetSettings(m_detector.GetSettings());
        detector.SetClock([this] { return m_now; });
        detector.Start();
        for (int i = 0; i < 5; ++i)
            detector.ProcessSamples(Quiet());
        detector.ProcessSamples(Block(c.bursts));
        std::vector<PULSE_ITEM> pulses;
        detector.GetPulses(pulses);
        if (c.expectedPoints == 0)
        {
            EXPECT_TRUE(pulses.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(pulses.size(), 1u) << c.what;
        EXPECT_NEAR(pulses[0].duration, c.expectedPoints * PointMs(), 1e-9) << c.what;
    }

    // Blocks of 20 points or fewer are never scanned.
    StartAndSettle();
    m_detector.ProcessSamples(Block({{5, 10}}, 0.0, 20));
    EXPECT_EQ(m_detector.GetPulseCount(), 0);
}

TEST_F(PulseDetectTest, APulseRecordCarriesTimesDurationFrequencyLevelAndEnvelope)
{
    StartAndSettle();
    // The tail sample after the carrier is below the threshold in the envelope; its magnitude is the
    // level.
    const std::vector<double> block = Pulse(64, -0.25);
    m_detector.ProcessSamples(block);
    const std::vector<PULSE_ITEM> pulses = Pulses();
    ASSERT_EQ(pulses.size(), 1u);
    const PULSE_ITEM& pulse = pulses[0];
    EXPECT_EQ(pulse.id, 0);
    EXPECT_EQ(pulse.startTime, m_now);
    EXPECT_EQ(pulse.endTime, m_now);
    EXPECT_NEAR(pulse.duration, 64 * PointMs(), 1e-9);
    EXPECT_EQ(pulse.frequency, 100.0);
    EXPECT_EQ(pulse.name, L"DetectAny");
    EXPECT_EQ(pulse.kind, 5);
    EXPECT_DOUBLE_EQ(pulse.level, 0.25);
    ASSERT_EQ(pulse.envelope.size(), block.size());
    EXPECT_EQ(pulse.envelope[0], 0.0);
    EXPECT_EQ(pulse.envelope[kPulseStart], 1.0);
    EXPECT_LT(pulse.envelope[kPulseStart + 64], kThreshold);
}

TEST_F(PulseDetectTest, TheClockDividerStretchesTheDuration)
{
    // Divider 0 leaves the sample rate; any other divider d slows it by 2^(d + 1).
    const struct
    {
        int divider;
        double factor;
    } cases[] = {{0, 1.0}, {1, 4.0}, {2, 8.0}, {8, 512.0}};
    for (const auto& c : cases)
    {
        m_bits.SetClkDivCnt(c.divider);
        StartAndSettle();
        m_detector.ProcessSamples(Pulse(50));
        const std::vector<PULSE_ITEM> pulses = Pulses();
        ASSERT_EQ(pulses.size(), 1u) << "divider " << c.divider;
        EXPECT_NEAR(pulses[0].duration, 50 * c.factor * PointMs(), 1e-9) << "divider " << c.divider;
    }
}

TEST_F(PulseDetectTest, APulseWithinTenPercentRenewsTheRecord)
{
    StartAndSettle();
    m_detector.ProcessSamples(Pulse(40, 0.1));
    m_now += 30;
    m_detector.ProcessSamples(Pulse(43, 0.3));  // 7.5 % longer: the same pulse
    std::vector<PULSE_ITEM> pulses = Pulses();
    ASSERT_EQ(pulses.size(), 1u);
    EXPECT_EQ(pulses[0].startTime, m_now - 30);
    EXPECT_EQ(pulses[0].endTime, m_now);
    EXPECT_NEAR(pulses[0].duration, 43 * PointMs(), 1e-9);
    EXPECT_DOUBLE_EQ(pulses[0].level, 0.3);

    m_detector.ProcessSamples(Pulse(40, 0.05));  // shorter and weaker: duration and level stay
    pulses = Pulses();
    ASSERT_EQ(pulses.size(), 1u);
    EXPECT_NEAR(pulses[0].duration, 43 * PointMs(), 1e-9);
    EXPECT_DOUBLE_EQ(pulses[0].level, 0.3);

    m_detector.ProcessSamples(Pulse(48));  // 11.6 % longer than 43: a new pulse
    pulses = Pulses();
    ASSERT_EQ(pulses.size(), 2u);
    EXPECT_EQ(pulses[1].id, 1);
    EXPECT_NEAR(pulses[1].duration, 48 * PointMs(), 1e-9);
}

TEST_F(PulseDetectTest, TheSameDurationAtAnotherFrequencyIsANewPulse)
{
    StartAndSettle();
    m_detector.ProcessSamples(Pulse(40));
    m_detector.ProcessSamples(Quiet());  // moves on to 161
    for (int i = 0; i < 5; ++i)
        m_detector.ProcessSamples(Quiet());
    m_detector.ProcessSamples(Pulse(40));
    const std::vector<PULSE_ITEM> pulses = Pulses();
    ASSERT_EQ(pulses.size(), 2u);
    EXPECT_EQ(pulses[0].frequency, 100.0);
    EXPECT_EQ(pulses[1].frequency, 161.0);
}

TEST_F(PulseDetectTest, UntimedPulsesOfEqualDurationMerge)
{
    // Without a sample rate every duration is 0, which no renewal window matches: the new record is
    // merged into the earlier one, which keeps the larger level and the later end time.
    m_bits.rateHz = 0.0;
    StartAndSettle();
    m_detector.ProcessSamples(Pulse(40, 0.3));
    m_now += 10;
    m_detector.ProcessSamples(Pulse(90, 0.2));
    const std::vector<PULSE_ITEM> pulses = Pulses();
    ASSERT_EQ(pulses.size(), 1u);
    EXPECT_EQ(pulses[0].id, 0);
    EXPECT_EQ(pulses[0].duration, 0.0);
    EXPECT_DOUBLE_EQ(pulses[0].level, 0.3);
    EXPECT_EQ(pulses[0].endTime, m_now);
}

TEST_F(PulseDetectTest, PulsesUnseenForSixHundredSecondsBecomeInactive)
{
    StartAndSettle();
    m_detector.ProcessSamples(Pulse(40));
    ASSERT_TRUE(m_detector.IsPulseActive(0));

    m_now += CPulseDetect::kAgeingSeconds;
    m_detector.ProcessSamples(Quiet());  // exactly 600 s: still active
    EXPECT_TRUE(m_detector.IsPulseActive(0));

    m_now += 1;
    m_detector.ProcessSamples(Quiet());  // a tuning block does not age
    EXPECT_TRUE(m_detector.IsPulseActive(0));
    m_detector.ProcessSamples(Quiet());
    EXPECT_FALSE(m_detector.IsPulseActive(0));
    EXPECT_EQ(m_detector.GetPulseCount(), 1);  // kept, only shown inactive

    // Seen again at the same frequency: active again with a new end time.
    CPulseDetect detector(&m_bits);
    detector.SetSettings(m_detector.GetSettings());
    detector.SetClock([this] { return m_now; });
    detector.Start();
    for (int i = 0; i < 5; ++i)
        detector.ProcessSamples(Quiet());
    detector.ProcessSamples(Pulse(40));
    m_now += 700;
    detector.ProcessSamples(Pulse(41));
    EXPECT_TRUE(detector.IsPulseActive(0));
    EXPECT_EQ(detector.GetPulseCount(), 1);
}

TEST_F(PulseDetectTest, StopClearsTheDividerAndDeactivatesAndStartClears)
{
    StartAndSettle();
    m_detector.ProcessSamples(Pulse(40));
    m_bits.SetClkDivCnt(6);
    m_detector.Stop();
    EXPECT_FALSE(m_detector.IsRunning());
    EXPECT_EQ(m_bits.GetClkDivCnt(), 0);
    EXPECT_EQ(m_detector.GetPulseCount(), 1);
    EXPECT_FALSE(m_detector.IsPulseActive(0));
    EXPECT_FALSE(m_detector.IsPulseActive(1));

    m_detector.ProcessSamples(Pulse(40));  // stopped: nothing happens
    EXPECT_EQ(m_detector.GetPulseCount(), 1);

    m_detector.Start();
    EXPECT_EQ(m_detector.GetPulseCount(), 0);
    EXPECT_EQ(m_detector.GetCurrentFreq(), 100.0);
    EXPECT_EQ(m_detector.GetCounter(), 0);
}

TEST_F(PulseDetectTest, SetCurrentFreqTunesOnceAndStops)
{
    m_detector.SetCurrentFreq(433.92);
    EXPECT_TRUE(m_detector.IsRunning());
    m_detector.ProcessSamples(std::vector<double>());  // an empty block changes nothing
    EXPECT_TRUE(m_detector.IsRunning());
    m_detector.ProcessSamples(Quiet());
    ASSERT_EQ(m_bits.tunesHz.size(), 1u);
    EXPECT_DOUBLE_EQ(m_bits.tunesHz[0], 433.92e6);
    EXPECT_FALSE(m_detector.IsRunning());
    for (int i = 0; i < 6; ++i)
        m_detector.ProcessSamples(Pulse(40));
    EXPECT_EQ(m_detector.GetPulseCount(), 0);
    EXPECT_EQ(m_bits.tunesHz.size(), 1u);
}

TEST_F(PulseDetectTest, ThePulseListStaysBoundedAfterManyPulses)
{
    // One wide range so that every pulse is at a new frequency and none renews another.
    PULSE_DETECT_PARAMS params = m_detector.GetSettings();
    params.ranges = {{0.0, 1e9}};
    m_detector.SetSettings(params);
    const int total = static_cast<int>(CPulseDetect::kMaxPulses) + 100;
    const std::vector<double> pulse = Pulse(40);
    const std::vector<double> quiet = Quiet(1);
    m_detector.Start();
    for (int n = 0; n < total; ++n)
    {
        for (int i = 0; i < 5; ++i)
            m_detector.ProcessSamples(quiet);
        m_detector.ProcessSamples(pulse);
        m_detector.ProcessSamples(quiet);  // examined, nothing: moves on
    }
    const std::vector<PULSE_ITEM> pulses = Pulses();
    ASSERT_EQ(pulses.size(), CPulseDetect::kMaxPulses);
    // The oldest records went; the newest are all there, in order.
    EXPECT_EQ(pulses.front().id, total - static_cast<int>(CPulseDetect::kMaxPulses));
    EXPECT_EQ(pulses.back().id, total - 1);
    EXPECT_DOUBLE_EQ(pulses.back().frequency, (total - 1) * CPulseDetect::kStepMHz);
    size_t withEnvelope = 0;
    for (size_t i = 0; i < pulses.size(); ++i)
    {
        const bool newest = i >= pulses.size() - CPulseDetect::kEnvelopeKeep;
        EXPECT_EQ(pulses[i].envelope.empty(), !newest) << "record " << i;
        withEnvelope += pulses[i].envelope.empty() ? 0 : 1;
    }
    EXPECT_EQ(withEnvelope, CPulseDetect::kEnvelopeKeep);
}

TEST(PulseDetectCore, TheCoreHandsOutNewDetectorsAndItsNoiseQualityMember)
{
    setenv("KELTHAR_FRONTEND_PORT", "/dev/veltrano-no-such-port", 1);
    CKelthar core;
    void* first = nullptr;
    void* second = nullptr;
    ASSERT_TRUE(core.GetInterface(18, &first));
    ASSERT_TRUE(core.GetInterface(18, &second));
    std::unique_ptr<IPulseDetect> a(static_cast<IPulseDetect*>(first));
    std::unique_ptr<IPulseDetect> b(static_cast<IPulseDetect*>(second));
    EXPECT_NE(a.get(), b.get());
    // Bound to the core's control bits: stopping clears the core's clock divider.
    void* bitsOut = nullptr;
    ASSERT_TRUE(core.GetInterface(0, &bitsOut));
    auto* bits = static_cast<IControlBits*>(bitsOut);
    bits->SetClkDivCnt(4);
    a->Stop();
    EXPECT_EQ(bits->GetClkDivCnt(), 0);

    void* quality = nullptr;
    void* again = nullptr;
    ASSERT_TRUE(core.GetInterface(9, &quality));
    ASSERT_TRUE(core.GetInterface(9, &again));
    EXPECT_EQ(quality, again);
    static_cast<INoiseQuality*>(quality)->Calculate({3.0, 3.0});
    EXPECT_EQ(static_cast<INoiseQuality*>(again)->GetValues()[2050], 1.0);
    void* sentinel = &core;
    EXPECT_FALSE(static_cast<INoiseQuality*>(quality)->GetInterface(0, &sentinel));
    EXPECT_EQ(sentinel, &core);
}
