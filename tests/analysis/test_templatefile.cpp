#include <gtest/gtest.h>

#include <QString>

#include <cmath>
#include <vector>

#include "templatefile.h"

// The template file's reader and writer, without the window.

namespace
{
struct Range
{
    double begin;
    double end;
};

std::vector<Range> Bounds(const std::vector<ARCHIVE_SIGNAL_ENTRY>& entries)
{
    std::vector<Range> bounds;
    for (const ARCHIVE_SIGNAL_ENTRY& entry : entries)
        bounds.push_back({entry.FreqBegin, entry.FreqEnd});
    return bounds;
}

bool operator==(const Range& a, const Range& b)
{
    return a.begin == b.begin && a.end == b.end;
}

std::ostream& operator<<(std::ostream& out, const Range& r)
{
    return out << r.begin << ".." << r.end;
}
}  // namespace

TEST(TemplateFile, ReadsEveryElementChildOfTheDocumentElement)
{
    struct Case
    {
        const char* what;
        const char* text;
        std::vector<Range> expected;
    };
    const Case cases[] = {
        {"as saved",
         "<Templates>\n <Item StartFreq=\"433.05\" EndFreq=\"434.79\"/>\n <Item StartFreq=\"1\" "
         "EndFreq=\"2\"/>\n</Templates>\n",
         {{433.05, 434.79}, {1.0, 2.0}}},
        {"declaration and comment first",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- made by hand -->\n<Templates><Item "
         "StartFreq=\"100\" "
         "EndFreq=\"101\"/></Templates>",
         {{100.0, 101.0}}},
        {"names are not checked, text and comments between items are skipped",
         "<List>text<Range EndFreq=\"5\" StartFreq=\"4\"/><!-- c --><X StartFreq=\"6\" "
         "EndFreq=\"7\"/></List>",
         {{4.0, 5.0}, {6.0, 7.0}}},
        {"missing or non-numeric attributes read as 0",
         "<Templates><Item StartFreq=\"12.5\"/><Item StartFreq=\"abc\" EndFreq=\"\"/></Templates>",
         {{12.5, 0.0}, {0.0, 0.0}}},
        {"numbers that are not finite skip their item",
         "<Templates><Item StartFreq=\"nan\" EndFreq=\"1\"/><Item StartFreq=\"1\" EndFreq=\"inf\"/>"
         "<Item StartFreq=\"-inf\" EndFreq=\"1\"/><Item StartFreq=\"2\" EndFreq=\"3\"/></Templates>",
         {{2.0, 3.0}}},
        {"grandchildren are not ranges",
         "<Templates><Group><Item StartFreq=\"1\" EndFreq=\"2\"/></Group></Templates>",
         {{0.0, 0.0}}},
        {"does not parse", "<Templates><Item StartFreq=\"1\" EndFreq=\"2\"></Templates>", {}},
        {"empty", "", {}},
        {"an empty root", "<Templates/>", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Bounds(CTemplateFile::Read(QByteArray(c.text))), c.expected) << c.what;

    // The reason for the check above: the text-to-number conversion takes these words as numbers.
    bool ok = false;
    EXPECT_TRUE(std::isnan(QStringLiteral("nan").toDouble(&ok)));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(std::isinf(QStringLiteral("inf").toDouble(&ok)));
    EXPECT_TRUE(ok);
}

TEST(TemplateFile, ReadRangesAreBareEntries)
{
    const std::vector<ARCHIVE_SIGNAL_ENTRY> ranges =
        CTemplateFile::Read("<Templates><Item StartFreq=\"1\" EndFreq=\"2\"/></Templates>");
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].SignalRecordingNo, -1);
    EXPECT_EQ(ranges[0].GroupIndex, 0);
    EXPECT_DOUBLE_EQ(ranges[0].FreqPeak, 0.0);
    EXPECT_TRUE(ranges[0].Comment.empty());
}

TEST(TemplateFile, WritesExactNumbersThatReadBackTheSame)
{
    std::vector<ARCHIVE_SIGNAL_ENTRY> ranges(2);
    ranges[0].FreqBegin = 433.925;
    ranges[0].FreqEnd = 434.79;
    ranges[1].FreqBegin = 0.1 + 0.2;  // not 0.3
    ranges[1].FreqEnd = 1.0 / 3.0;
    const QByteArray text = CTemplateFile::Write(ranges);
    EXPECT_EQ(text.toStdString(),
              "<Templates>\n"
              " <Item StartFreq=\"433.925\" EndFreq=\"434.79\"/>\n"
              " <Item StartFreq=\"0.30000000000000004\" EndFreq=\"0.3333333333333333\"/>\n"
              "</Templates>\n");
    EXPECT_EQ(Bounds(CTemplateFile::Read(text)), Bounds(ranges));

    EXPECT_EQ(CTemplateFile::Write({}).toStdString(), "<Templates/>\n");
}

TEST(TemplateFile, TemplateNameIsTheBaseNameOrTheWholeFileName)
{
    struct Case
    {
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"/data/airport.xml", "airport"}, {"/data/ism.433.xml", "ism"},         {"relative/plain", "plain"},
        {"/data/.xml", ".xml"},           {"/data/.hidden.xml", ".hidden.xml"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CTemplateFile::TemplateName(QString::fromUtf8(c.path)), QString::fromUtf8(c.name))
            << c.path;
}
