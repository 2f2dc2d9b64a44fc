// The "Waterfall" pane painted into a QImage: palette and row order on screen, the live and replay
// pages, the buffer file switch, reading back after scrolling, damaged buffer files, and the restart
// and time-position calls of the main window and the recording loader.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

#include "waterfallgraphic.h"

namespace
{
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kRed = qRgb(255, 0, 0);

// Plot (20, 0, 200 x 50): 50 image rows; X [0, 100] MHz, Y window [-120, -20] dBm.
constexpr int kPaneW = 227;
constexpr int kPaneH = 77;
constexpr int kPlotLeft = 20;

struct Pane
{
    Pane()
    {
        g.SetClock([this] { return nowMs; });
        g.SetRect(QRect(0, 0, kPaneW, kPaneH));
        g.SetFixedXRange(0.0, 100.0);
        g.SetYLimits(-170.0, 30.0);
        g.SetYWindow(-120.0, -20.0);
        g.SetTimeScale(25);  // one line per row
    }

    // One new live line per call (see the probe of the history tests).
    void Live(double level, int points = 64)
    {
        if (g.LivePage().newest)
            nowMs = g.LivePage().newest->timeMs + 1;
        g.AddLine(std::vector<double>(static_cast<size_t>(points), level));
    }

    QImage Paint()
    {
        QImage image(kPaneW, kPaneH, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        QPainter painter(&image);
        g.Paint(&painter, 0);
        return image;
    }

    static QRgb At(const QImage& image, int row) { return image.pixel(kPlotLeft + 100, row) | 0xFF000000u; }

    CQWaterfallGraphic g;
    qint64 nowMs = 1'700'000'000'000;
};

TEST(WaterfallPane, PaletteOnScreenWithTheNewestRowOnTop)
{
    Pane p;
    const double levels[] = {-120.0, -95.0, -70.0, -45.0, -20.0};
    for (double level : levels)
        p.Live(level);
    const QImage image = p.Paint();
    const QRgb expected[] = {kRed, qRgb(255, 255, 0), qRgb(0, 255, 0), qRgb(0, 255, 255), kBlue};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(Pane::At(image, row), expected[row]) << row;
    EXPECT_EQ(Pane::At(image, 5), kBlack);
    EXPECT_EQ(Pane::At(image, 49), kBlack);
    // Every column of a row has its colour, across the whole plot width.
    EXPECT_EQ(image.pixel(kPlotLeft, 0) | 0xFF000000u, kRed);
    EXPECT_EQ(image.pixel(kPlotLeft + 198, 0) | 0xFF000000u, kRed);  // 199 carries the time scroll strip
}

TEST(WaterfallPane, WindowChangeRecoloursTheKeptLines)
{
    Pane p;
    p.Live(-70.0);
    EXPECT_EQ(Pane::At(p.Paint(), 0), qRgb(0, 255, 0));
    p.g.SetYWindow(-70.0, -20.0);  // the same level is now the bottom of the window
    EXPECT_EQ(Pane::At(p.Paint(), 0), kBlue);
}

TEST(WaterfallPane, ReplayPageIsShownUntilLiveDataReturn)
{
    Pane p;
    p.Live(-120.0);
    p.Live(-120.0);
    const qint64 liveEnd = p.g.GetRangeEnd();
    const qint64 replayed = 1'600'000'000'000;
    p.g.AddLineAt(replayed, std::vector<double>(64, -20.0));
    EXPECT_TRUE(p.g.IsShowingLoadedData());
    p.Live(-120.0);  // live lines keep arriving meanwhile
    QImage image = p.Paint();
    EXPECT_EQ(Pane::At(image, 0), kRed);
    EXPECT_EQ(Pane::At(image, 1), kBlack);
    EXPECT_EQ(p.g.GetRangeEnd(), replayed + p.g.GetMsPerRow());

    // The replay's past times never reached the live time line.
    EXPECT_EQ(p.g.LivePage().lines.size(), 3);
    EXPECT_GT(p.g.LivePage().newest->timeMs, liveEnd);

    p.g.ShowLiveData();
    image = p.Paint();
    EXPECT_EQ(Pane::At(image, 0), kBlue);
    EXPECT_EQ(Pane::At(image, 2), kBlue);
    EXPECT_EQ(Pane::At(image, 3), kBlack);
    EXPECT_GT(p.g.GetRangeEnd(), liveEnd);

    p.g.ResetLoadedPage();
    EXPECT_EQ(p.g.LoadedPage().count, 0);
    EXPECT_TRUE(p.g.LoadedPage().lines.isEmpty());
}

TEST(WaterfallPane, BufferFileHoldsTheHistoryInTimeOrderAndIsDeletedWhenOff)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("range.rwb");
    Pane p;
    for (int i = 0; i < 5; ++i)
        p.Live(-100.0 + i, 2);
    ASSERT_TRUE(p.g.SetBufferFile(true, path));
    p.Live(-50.0, 2);
    // Lines arriving within the same period raise the newest record in the file, too.
    p.nowMs += 1;
    p.g.AddLine({-10.0, -90.0});

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_EQ(bytes.size(), 4 + 6 * 26);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    WaterfallLineList lines;
    ASSERT_EQ(WaterfallPage::ReadRecordsBack(buffer, 4 + 5 * 26, 2, 100, lines), 6)
        << "times rise record by record";
    EXPECT_EQ(lines[0]->levels, (std::vector<double>{-10.0, -50.0}));
    EXPECT_EQ(lines[5]->levels, (std::vector<double>{-100.0, -100.0}));
    EXPECT_EQ(lines[0]->timeMs, p.g.GetRangeEnd());

    p.g.SetBufferFile(false, path);
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(p.g.HasBufferFile());

    // An unusable path leaves the pane without a file, and the pane goes on.
    EXPECT_FALSE(p.g.SetBufferFile(true, dir.filePath("no/such/dir/x.rwb")));
    p.Live(-30.0, 2);
    EXPECT_EQ(p.g.GetPointCount(), 2);

    {
        Pane scoped;
        scoped.Live(-50.0, 2);
        ASSERT_TRUE(scoped.g.SetBufferFile(true, path));
    }
    EXPECT_FALSE(QFileInfo::exists(path)) << "the pane deletes its buffer file when it goes";
}

// A pane with a buffer file and 120 distinct lines (more than the 50 rows keep in memory).
struct FilePane : Pane
{
    FilePane()
    {
        path = dir.filePath("ddc.dwb");
        EXPECT_TRUE(g.SetBufferFile(true, path));
        for (int i = 0; i < 120; ++i)
            Live(-120.0 + (i * 37) % 100);
    }
    QTemporaryDir dir;
    QString path;
};

TEST(WaterfallPane, ScrolledBackLinesAreReadFromTheFileAndPaintAsLive)
{
    FilePane p;
    const QImage live = p.Paint();
    ASSERT_EQ(p.g.LivePage().lines.size(), 50);
    EXPECT_EQ(p.g.GetWindowEnd(), p.g.GetRangeEnd());

    p.g.ScrollY(-0.25);  // 25 ms: one line back
    const QImage back = p.Paint();
    EXPECT_EQ(p.g.GetWindowEnd(), p.g.GetRangeEnd() - 25);
    for (int row = 0; row < 49; ++row)
        ASSERT_EQ(Pane::At(back, row), Pane::At(live, row + 1)) << row;

    p.g.ScrollY(-4.0);  // 400 ms further back: lines long gone from memory
    const QImage older = p.Paint();
    EXPECT_EQ(Pane::At(older, 0), Pane::At(live, 17));
    EXPECT_NE(Pane::At(older, 49), kBlack) << "a full screen of lines was read back";

    p.g.ScrollY(100.0);  // back to the newest line, which is read back as well
    EXPECT_EQ(p.Paint(), live);
}

TEST(WaterfallPane, DamagedBufferFileLeavesTheShownHistoryAlone)
{
    struct Case
    {
        const char* what;
        std::function<void(QFile&, qint64 newest)> damage;
    };
    const Case cases[] = {
        {"cut short", [](QFile& f, qint64 newest) { f.resize(newest + 100); }},
        {"newest record unframed",
         [](QFile& f, qint64 newest)
         {
             f.seek(newest);
             f.write("X", 1);
         }},
        {"foreign content",
         [](QFile& f, qint64)
         {
             f.resize(0);
             f.write(QByteArray(64 * 1024, 'U'));
         }},
        {"emptied", [](QFile& f, qint64) { f.resize(0); }},
    };
    for (const Case& c : cases)
    {
        FilePane p;
        const QImage before = p.Paint();
        const qint64 newest = p.g.LivePage().offsets.value(p.g.GetRangeEnd(), -1);
        ASSERT_GT(newest, 0);
        {
            QFile f(p.path);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            c.damage(f, newest);
        }
        p.g.SetTimePosition(p.g.GetRangeEnd());  // asks for a read-back at the next paint
        EXPECT_TRUE(p.g.LivePage().rebuild) << c.what;
        EXPECT_EQ(p.Paint(), before) << c.what;
        EXPECT_EQ(p.g.LivePage().lines.size(), 50) << c.what;
    }
}

TEST(WaterfallPane, RestartAndResetClearTheLivePage)
{
    QTemporaryDir dir;
    for (const bool restart : {false, true})
    {
        Pane p;
        const QString path = dir.filePath("demod.mwb");
        ASSERT_TRUE(p.g.SetBufferFile(true, path));
        for (int i = 0; i < 10; ++i)
            p.Live(-60.0, 4);
        if (restart)
            p.g.Restart();
        else
            p.g.ResetTimePosition();
        EXPECT_EQ(p.g.GetRangeStart(), 0);
        EXPECT_EQ(p.g.GetRangeEnd(), 0);
        EXPECT_EQ(p.g.GetWindowStart(), 0);
        EXPECT_EQ(p.g.GetWindowEnd(), 0);
        EXPECT_EQ(p.g.GetPointCount(), 0);
        EXPECT_EQ(p.Paint().pixel(kPlotLeft + 5, 5) | 0xFF000000u, kBlack) << "nothing to draw: blank pane";

        // The display starts again at the next line, its record at the start of the file.
        p.nowMs += 3'600'000;
        p.Live(-20.0, 4);
        EXPECT_EQ(p.g.LivePage().lines.size(), 1);
        EXPECT_EQ(p.g.LivePage().offsets.value(p.g.GetRangeEnd(), -1), 4);
        EXPECT_EQ(Pane::At(p.Paint(), 0), kRed);
        EXPECT_TRUE(QFileInfo::exists(path));
    }
}

TEST(WaterfallPane, LoaderMovesTheReplayToItsTime)
{
    Pane p;
    p.g.SetTimeScale(200);
    const qint64 t0 = 1'650'000'000'000;
    for (int i = 0; i < 40; ++i)
        p.g.AddLineAt(t0 + 200 * i, std::vector<double>(8, -50.0));
    const qint64 start = p.g.GetWindowStart();
    const qint64 target = t0 + 3000;
    p.g.SetTimePosition(static_cast<quint32>(target & 0xFFFFFFFF), static_cast<qint32>(target >> 32));
    EXPECT_EQ(p.g.GetWindowEnd(), target);
    EXPECT_EQ(p.g.GetWindowStart(), start);
    p.g.ShowLiveData();
    EXPECT_EQ(p.g.GetWindowEnd(), 0) << "the live page's time line is untouched";
}

TEST(WaterfallPane, NothingToDrawLeavesABlankPane)
{
    Pane p;
    QImage image;
    EXPECT_NO_THROW(image = p.Paint());
    EXPECT_EQ(image.pixel(kPlotLeft + 10, 10) | 0xFF000000u, kBlack);
    EXPECT_EQ(p.g.GetPointCount(), 0);

    p.Live(-20.0);
    p.g.SetFixedXRange(5.0, 5.0);  // refused: the range stays usable
    EXPECT_EQ(Pane::At(p.Paint(), 0), kRed);
}

TEST(WaterfallPane, SameSizeKeepsTheHistoryAndANewSizeStartsAFreshImage)
{
    Pane p;
    for (int i = 0; i < 4; ++i)
        p.Live(-20.0);
    p.g.SetRect(QRect(0, 0, kPaneW, kPaneH));
    EXPECT_EQ(p.g.LivePage().lines.size(), 4);
    p.g.SetRect(QRect(0, 0, kPaneW + 40, kPaneH + 10));
    EXPECT_EQ(p.g.GetRowCount(), 60);
    EXPECT_EQ(p.g.LivePage().image.size(), QSize(240, 60));
    EXPECT_TRUE(p.g.LivePage().lines.isEmpty());
}

TEST(WaterfallPane, DataFileHoldsNothingButTheTag)
{
    Pane p;
    p.Live(-20.0);
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        p.g.Save(out);
        EXPECT_EQ(out.status(), QDataStream::Ok);
    }
    EXPECT_TRUE(bytes.isEmpty());
    QByteArray input("\x01\x02\x03", 3);
    QDataStream in(input);
    p.g.Load(in);
    EXPECT_EQ(in.device()->pos(), 0);
    EXPECT_EQ(p.g.GetPointCount(), 64);
}
}  // namespace

namespace
{
// Pixels of the time strip that differ from its fill, in the band of rows [top, top + height).
int InkInStrip(const QImage& image, int top, int height)
{
    int ink = 0;
    for (int y = top; y < top + height && y < image.height(); ++y)
        for (int x = 0; x < 20; ++x)
            ink += (image.pixel(x, y) | 0xFF000000u) != qRgb(0, 0, 128);
    return ink;
}

TEST(WaterfallPane, TimeAxisLabelsEveryThirtyFivePixels)
{
    struct Case
    {
        int plotHeight;
        bool labels;
    };
    // Labels need at least ten rows and a whole 35-pixel cell above the strip's bottom.
    for (const Case c : {Case{120, true}, Case{69, false}, Case{9, false}})
    {
        CQWaterfallGraphic g;
        qint64 nowMs = 1'700'000'000'000;
        g.SetClock([&nowMs] { return nowMs; });
        g.SetRect(QRect(0, 0, kPaneW, c.plotHeight + 27));
        g.SetFixedXRange(0.0, 100.0);
        g.SetYAxisColors(QBrush(qRgb(0, 0, 128)), QPen(Qt::white));
        g.SetTimeScale(25);
        for (int i = 0; i < c.plotHeight; ++i)
        {
            nowMs += 25;
            g.AddLine(std::vector<double>(8, -50.0));
        }
        QImage image(kPaneW, c.plotHeight + 27, QImage::Format_RGB32);
        image.fill(qRgb(0, 0, 128));
        QPainter painter(&image);
        g.Paint(&painter, 0);
        painter.end();
        EXPECT_EQ(InkInStrip(image, 35, 70) > 0, c.labels) << c.plotHeight;
    }
}
}  // namespace
