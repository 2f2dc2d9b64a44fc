#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "firfile.h"
#include "tempdir.h"

namespace
{
constexpr int32_t kFull = CFirFile::kFullScale;

// "index value" lines counting down from first to 0, value(index) for each.
template <typename ValueOf>
std::string Section(int first, ValueOf valueOf)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(17);
    for (int index = first; index >= 0; --index)
        text << index << ' ' << valueOf(index) << "\r\n";
    return text.str();
}

std::string WriteFile(const CTempDir& dir, const std::string& name, const std::string& text)
{
    const std::string path = dir.File(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

int32_t Rounded(double value)
{
    return static_cast<int32_t>(std::lround(value));
}

// An area full of garbage, so a reader that forgets to clear it is caught.
CFirFile::Area Dirty()
{
    CFirFile::Area area;
    area.fill(0x5A5A5A);
    return area;
}

int FirstNonZero(const CFirFile::Area& area)
{
    for (size_t i = 0; i < area.size(); ++i)
        if (area[i] != 0)
            return static_cast<int>(i);
    return -1;
}

int LastNonZero(const CFirFile::Area& area)
{
    for (size_t i = area.size(); i-- > 0;)
        if (area[i] != 0)
            return static_cast<int>(i);
    return -1;
}
}  // namespace

TEST(FirFile, FullSectionFillsTheAreaFromItsStartAndScalesTheLargestToFullScale)
{
    CTempDir dir;
    // Values 1..256 for indexes 255..0: the largest sits on the closing line, which is not stored but
    // still sets the scale.
    const std::string path = WriteFile(dir, "256.fir", Section(255, [](int index) { return 256 - index; }));
    CFirFile::Area area = Dirty();
    int32_t count = -1;
    ASSERT_TRUE(CFirFile::Read(path, area, count));
    EXPECT_EQ(count, 255);
    // N = 255 words: the values of indexes 255 down to 1; the 256th value only sets the scale.
    const double scale = kFull / 256.0;
    for (int word = 0; word < 255; ++word)
        ASSERT_EQ(area[word], Rounded((word + 1) * scale)) << word;
    EXPECT_EQ(area[254], Rounded(255 * scale));
    EXPECT_EQ(LastNonZero(area), 254);
}

TEST(FirFile, SectionsLandWhereTheirSizeAndOrderPutThem)
{
    const auto ones = [](int) { return 1.0; };
    struct Case
    {
        const char* what;
        std::string text;
        int first;
        int last;
        int count;
    };
    const Case cases[] = {
        {"one 64-tap section", Section(63, ones), 384, 446, 447},
        {"one 8-tap section", Section(7, ones), 496, 502, 503},
        {"16 then 8 follow on directly", Section(15, ones) + Section(7, ones), 480, 501, 502},
        {"equal sizes are allowed", Section(127, ones) + Section(127, ones), 256, 509, 510},
        // 448 + 31 = 479: the 16-tap section does not go to its own offset 480.
        {"32, 16, 8", Section(31, ones) + Section(15, ones) + Section(7, ones), 448, 500, 501},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CFirFile::Area area = Dirty();
        int32_t count = -1;
        ASSERT_TRUE(CFirFile::Parse(c.text.data(), c.text.size(), area, count));
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(FirstNonZero(area), c.first);
        EXPECT_EQ(LastNonZero(area), c.last);
        for (int i = c.first; i <= c.last; ++i)
            ASSERT_EQ(area[i], kFull) << i;
    }
}

TEST(FirFile, ScalingRoundsToNearestAndClampsNegativeLobesAtFullScale)
{
    // Largest value 4: scale 8388607 / 4 = 2097151.75.
    const std::string text =
        "7 4\n"
        "6 -1\n"
        "5 0.5\n"
        "5 -12\n"  // indexes need not count down; the value is what counts
        "3  \t 2e0 \n"
        "2 1E-7\r\n"
        "\n"
        "1 -0.25\n"
        "0 3\n";
    CFirFile::Area area = Dirty();
    int32_t count = -1;
    ASSERT_TRUE(CFirFile::Parse(text.data(), text.size(), area, count));
    EXPECT_EQ(count, 503);
    const double scale = kFull / 4.0;
    const int32_t expected[] = {kFull,
                                Rounded(-scale),
                                Rounded(0.5 * scale),
                                -kFull,
                                Rounded(2 * scale),
                                Rounded(1e-7 * scale),
                                Rounded(-0.25 * scale)};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(area[496 + i], expected[i]) << i;
    EXPECT_EQ(expected[2], 1048576) << "0.5 x 2097151.75 = 1048575.875 rounds up";
    EXPECT_EQ(LastNonZero(area), 502);
}

TEST(FirFile, DamagedFilesAreRefusedAndLeaveTheAreaCleared)
{
    const auto ones = [](int) { return 1.0; };
    const auto negative = [](int index) { return -1.0 - index; };
    struct Case
    {
        const char* what;
        std::string text;
    };
    const Case cases[] = {
        {"shorter than 4 bytes", "7 1"},
        {"nothing but blank lines", "\r\n\r\n  \n"},
        {"first index not a tap count - 1", Section(99, ones)},
        {"section of 257 taps", Section(256, ones)},
        {"larger section after a smaller one", Section(31, ones) + Section(63, ones)},
        {"128 after 8 would run past the area", Section(7, ones) + Section(127, ones)},
        {"three 8-tap sections do not fit behind 496",
         Section(7, ones) + Section(7, ones) + Section(7, ones)},
        {"text ends inside a section",
         Section(63, ones).substr(0, Section(63, ones).size() - Section(20, ones).size())},
        {"section ended before N values", "63 1\n62 1\n0 1\n"},
        {"all values below zero", Section(15, negative)},
        {"all values zero", Section(31, [](int) { return 0.0; })},
        {"a good section, then one with nothing above zero", Section(31, ones) + Section(15, negative)},
        {"comma decimal", "7 0,5\n6 1\n5 1\n4 1\n3 1\n2 1\n1 1\n0 1\n"},
        {"value missing", "7 1\n6\n5 1\n4 1\n3 1\n2 1\n1 1\n0 1\n"},
        {"value missing after the blank", "7\t\n1 1\n"},
        {"letters", "seven one\n"},
        {"not a number", "7 nan\n6 1\n5 1\n4 1\n3 1\n2 1\n1 1\n0 1\n"},
        {"infinity", "7 inf\n6 1\n5 1\n4 1\n3 1\n2 1\n1 1\n0 1\n"},
        {"index too large for any integer", "99999999999999999999999 1\n"},
        {"trailing garbage after a good section", Section(7, ones) + "x"},
    };
    CTempDir dir;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CFirFile::Area area = Dirty();
        int32_t count = -1;
        EXPECT_FALSE(CFirFile::Read(WriteFile(dir, "bad.fir", c.text), area, count));
        EXPECT_EQ(count, 0);
        EXPECT_EQ(FirstNonZero(area), -1);
    }
    CFirFile::Area area = Dirty();
    int32_t count = -1;
    EXPECT_FALSE(CFirFile::Read(dir.File("missing.fir"), area, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(FirstNonZero(area), -1);
}

// The program's toolkit sets LC_NUMERIC from the environment; a comma-decimal locale must not change what
// a file means. The locale is built here from a four-line definition, so the test needs no installed
// locales.
TEST(FirFile, CommaDecimalLocaleReadsTheSameNumbers)
{
    CTempDir dir;
    const std::string source = WriteFile(dir, "comma.def",
                                         "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\n"
                                         "grouping 3;3\nEND LC_NUMERIC\n");
    const std::string command =
        "localedef -c -i '" + source + "' -f UTF-8 '" + dir.File("comma_FIR.UTF-8") + "' >/dev/null 2>&1";
    // localedef reports the categories the definition leaves out, and still writes the locale.
    const int built = std::system(command.c_str());
    setenv("LOCPATH", dir.Path().c_str(), 1);
    if (std::setlocale(LC_NUMERIC, "comma_FIR.UTF-8") == nullptr)
        GTEST_SKIP() << "localedef could not build a comma-decimal locale here (" << built << ")";
    // The locale is really in force: the C library now stops at the point.
    EXPECT_EQ(std::strtod("0.5", nullptr), 0.0);

    const std::string text = Section(7, [](int index) { return index == 7 ? 0.5 : 0.25; });
    CFirFile::Area area = Dirty();
    int32_t count = -1;
    const bool read = CFirFile::Read(WriteFile(dir, "half.fir", text), area, count);
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_TRUE(read);
    EXPECT_EQ(count, 503);
    EXPECT_EQ(area[496], kFull);
    EXPECT_EQ(area[497], Rounded(0.25 * (kFull / 0.5)));
}
