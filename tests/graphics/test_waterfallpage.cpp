// The waterfall buffer file: the record layout byte for byte, the nearest-time lookup, and reading
// records back, including files that were cut short or altered behind the program's back.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstring>
#include <vector>

#include "waterfallpage.h"

namespace
{
WaterfallLine Line(qint64 timeMs, std::vector<double> levels)
{
    WaterfallLine line;
    line.timeMs = timeMs;
    line.levels = std::move(levels);
    return line;
}

QByteArray Record(qint64 timeMs, const std::vector<double>& levels)
{
    QByteArray r;
    r.append('T');
    char buf[8];
    qToLittleEndian<qint64>(timeMs, buf);
    r.append(buf, 8);
    r.append('F');
    for (double v : levels)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        qToLittleEndian<quint64>(bits, buf);
        r.append(buf, 8);
    }
    return r;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

TEST(WaterfallBufferFile, RecordsAreLaidOutFromOffsetFour)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("range.rwb");
    WaterfallPage page;
    page.count = 2;
    ASSERT_TRUE(page.SetFile(path));
    const qint64 t0 = 1'700'000'000'025;
    ASSERT_TRUE(page.WriteLine(Line(t0, {-1.5, 2.25})));
    ASSERT_TRUE(page.WriteLine(Line(t0 + 25, {-170.0, 0.0})));
    ASSERT_TRUE(page.WriteLine(Line(t0 + 50, {1e-300, -3.0e10})));

    const QByteArray expected = QByteArray(4, '\0') + Record(t0, {-1.5, 2.25}) +
                                Record(t0 + 25, {-170.0, 0.0}) + Record(t0 + 50, {1e-300, -3.0e10});
    EXPECT_EQ(ReadAll(path), expected);
    EXPECT_EQ(WaterfallPage::RecordSize(2), 26);
    EXPECT_EQ(page.offsets.value(t0), 4);
    EXPECT_EQ(page.offsets.value(t0 + 25), 30);
    EXPECT_EQ(page.offsets.value(t0 + 50), 56);
    EXPECT_EQ(page.writePosition, 82);

    // A merge raises the newest line: its record is rewritten in place.
    ASSERT_TRUE(page.RewriteLine(Line(t0 + 25, {-10.0, 5.0})));
    EXPECT_EQ(ReadAll(path).mid(30, 26), Record(t0 + 25, {-10.0, 5.0}));
    EXPECT_EQ(ReadAll(path).size(), 82);
}

TEST(WaterfallBufferFile, RecordsReadBackNewestFirst)
{
    QTemporaryDir dir;
    WaterfallPage page;
    page.count = 3;
    ASSERT_TRUE(page.SetFile(dir.filePath("band.dwb")));
    for (int i = 0; i < 6; ++i)
        page.WriteLine(Line(1000 + 25 * i, {-100.0 + i, -50.0 - i, 0.125 * i}));

    WaterfallLineList lines;
    EXPECT_EQ(page.ReadBack(page.FindOffset(1100), 10, lines), 5);
    ASSERT_EQ(lines.size(), 5);
    for (int k = 0; k < 5; ++k)
    {
        const int i = 4 - k;
        EXPECT_EQ(lines[k]->timeMs, 1000 + 25 * i);
        EXPECT_EQ(lines[k]->levels, (std::vector<double>{-100.0 + i, -50.0 - i, 0.125 * i}));
    }
    lines.clear();
    EXPECT_EQ(page.ReadBack(page.FindOffset(1125), 2, lines), 2) << "the record limit holds";
}

TEST(WaterfallBufferFile, NearestRecordWithinOneSecond)
{
    WaterfallPage page;
    page.offsets = {{1000, 4}, {2000, 30}, {4000, 56}};
    struct Case
    {
        qint64 time;
        qint64 offset;
    };
    const Case cases[] = {{1000, 4},
                          {1400, 4},
                          {1500, 4} /* tie: the earlier key */,
                          {1501, 30},
                          {3000, 30} /* tie */,
                          {5000, 56},
                          {5001, -1},
                          {-1, -1},
                          {0, 4}};
    for (const Case& c : cases)
        EXPECT_EQ(page.FindOffset(c.time), c.offset) << c.time;
    page.offsets.clear();
    EXPECT_EQ(page.FindOffset(1000), -1);
}

TEST(WaterfallBufferFile, DamagedFilesAreReadOnlyUpToTheDamage)
{
    const std::vector<double> levels = {-60.0, -61.0};
    QByteArray good = QByteArray(4, '\0');
    for (int i = 0; i < 4; ++i)
        good += Record(5000 + 25 * i, levels);
    const qint64 last = 4 + 3 * 26;

    struct Case
    {
        const char* what;
        QByteArray bytes;
        qint64 offset;
        int expected;
    };
    QByteArray noT = good;
    noT[static_cast<int>(last)] = 'X';
    QByteArray noFInSecond = good;
    noFInSecond[static_cast<int>(last - 26 + 9)] = 'G';
    QByteArray backwards = good;
    backwards.replace(static_cast<int>(last - 26), 26, Record(9000, levels));
    const Case cases[] = {
        {"intact", good, last, 4},
        {"cut in the newest record", good.left(static_cast<int>(last) + 20), last, 0},
        {"newest not framed", noT, last, 0},
        {"older record not framed", noFInSecond, last, 1},
        {"time going forwards", backwards, last, 1},
        {"offset off the grid", good, last - 1, 0},
        {"offset past the end", good, last + 26, 0},
        {"offset before the first record", good, 0, 0},
        {"foreign bytes", QByteArray(400, 'U'), 4 + 26 * 3, 0},
        {"empty", QByteArray(), 4, 0},
    };
    for (const Case& c : cases)
    {
        QBuffer buffer;
        buffer.setData(c.bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        WaterfallLineList lines;
        EXPECT_EQ(WaterfallPage::ReadRecordsBack(buffer, c.offset, 2, 100, lines), c.expected) << c.what;
        ASSERT_EQ(lines.size(), c.expected) << c.what;
        for (const WaterfallLinePtr& line : lines)
            EXPECT_EQ(line->levels, levels) << c.what;
    }
}

TEST(WaterfallBufferFile, NewFileReplacesAndDeletesTheOldOne)
{
    QTemporaryDir dir;
    const QString first = dir.filePath("a.rwb");
    const QString second = dir.filePath("b.rwb");
    WaterfallPage page;
    page.count = 1;
    ASSERT_TRUE(page.SetFile(first));
    page.WriteLine(Line(100, {1.0}));
    ASSERT_TRUE(page.SetFile(second));
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_TRUE(QFileInfo::exists(second));
    EXPECT_TRUE(page.offsets.isEmpty());
    EXPECT_EQ(page.writePosition, 4);

    // A file that cannot be created leaves the page without one; an empty name is no file at all.
    EXPECT_FALSE(page.SetFile(dir.filePath("missing/folder/c.rwb")));
    EXPECT_FALSE(page.HasFile());
    EXPECT_FALSE(QFileInfo::exists(second));
    EXPECT_TRUE(page.SetFile(QString()));
    EXPECT_FALSE(page.HasFile());

    ASSERT_TRUE(page.SetFile(first));
    page.CloseFile();
    EXPECT_FALSE(QFileInfo::exists(first));
    {
        WaterfallPage scoped;
        ASSERT_TRUE(scoped.SetFile(second));
    }
    EXPECT_FALSE(QFileInfo::exists(second)) << "a page's file goes with the page";
}
}  // namespace
