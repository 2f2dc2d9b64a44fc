#include <gtest/gtest.h>

#include <QComboBox>
#include <QStringList>

#include "fftoptions.h"

namespace
{
// The position of a name is the mode code stored in settings and range lists.
const QStringList kAveragingNames = {"Instant", "x2",   "x4",      "x8",       "x16",     "x32",
                                     "x64",     "Peak", "Peak x8", "Peak x16", "Peak x32"};
const QStringList kWindowNames = {"Off",      "Gaussian",        "Flat top",       "Hamming",
                                  "Bartlett", "Bartlet-Hanning", "Hanning",        "Parzen",
                                  "Bohman",   "Blackman",        "Blackman-Harris"};

QStringList ComboTexts(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}
}  // namespace

TEST(FftOptions, ListsAreEmptyUntilInitThenHoldTheModesInCodeOrder)
{
    CFftOptions options;
    EXPECT_TRUE(options.GetAveragingNames().isEmpty());
    EXPECT_TRUE(options.GetWindowNames().isEmpty());

    options.Init();
    EXPECT_EQ(options.GetAveragingNames(), kAveragingNames);
    EXPECT_EQ(options.GetWindowNames(), kWindowNames);
}

TEST(FftOptions, FillingACombinationBoxReplacesWhatItHeld)
{
    CFftOptions options;
    options.Init();

    QComboBox averaging;
    averaging.addItems({"stale", "entries"});
    options.FillAveragingCombo(&averaging);
    options.FillAveragingCombo(&averaging);
    EXPECT_EQ(ComboTexts(averaging), kAveragingNames);

    QComboBox window;
    options.FillWindowCombo(&window);
    options.FillWindowCombo(&window);
    EXPECT_EQ(ComboTexts(window), kWindowNames);
    for (int i = 0; i < window.count(); ++i)
        EXPECT_FALSE(window.itemData(i).isValid()) << "no user data: the index is the code";
}

TEST(FftOptions, AveragingNameByCode)
{
    CFftOptions options;
    options.Init();

    const struct
    {
        int code;
        const char* name;
    } cases[] = {{0, "Instant"}, {3, "x8"}, {7, "Peak"}, {10, "Peak x32"}, {-1, ""}, {11, ""}, {1000, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(options.GetAveragingName(c.code), QString(c.name)) << "code " << c.code;
}
