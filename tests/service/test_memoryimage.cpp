// The memory-image decoder without a window: record listing, captions and names, the band and level
// conversions of a record header, the signal tables, the pattern, the deletes, and what a damaged image
// does to each of them.

#include <gtest/gtest.h>

#include <QByteArray>

#include <cmath>
#include <functional>
#include <vector>

#include "memorydirectory.h"
#include "memoryimage.h"

namespace
{
void Put(QByteArray& bytes, int at, int value)
{
    bytes[at] = static_cast<char>(value);
}

void Put16(QByteArray& bytes, int at, int value)
{
    Put(bytes, at, value & 0xFF);
    Put(bytes, at + 1, (value >> 8) & 0xFF);
}

void Put32(QByteArray& bytes, int at, quint32 value)
{
    Put16(bytes, at, static_cast<int>(value & 0xFFFF));
    Put16(bytes, at + 2, static_cast<int>(value >> 16));
}

void PutName(QByteArray& bytes, int headerAt, const QByteArray& name)
{
    for (int i = 0; i < name.size(); ++i)
        bytes[headerAt + 32 + i] = name[i];
}

QByteArray Header(std::initializer_list<std::pair<int, int>> bytes)
{
    QByteArray header(512, '\0');
    for (const auto& b : bytes)
        Put(header, b.first, b.second);
    return header;
}

// A signal entry of a table.
void PutEntry(QByteArray& table, int index, int flags, quint32 freqHz, int level, int reference, int first,
              int last, int spanRow)
{
    const int at = 20 * index;
    Put(table, at, flags);
    Put32(table, at + 8, freqHz);
    Put16(table, at + 12, level);
    Put16(table, at + 14, reference);
    Put(table, at + 16, first);
    Put(table, at + 18, last);
    Put(table, at + 19, spanRow);
}

TEST(MemoryImage, ListsRecordsWhereTheDirectoryPutsThem)
{
    struct Case
    {
        const char* name;
        std::function<QByteArray()> make;
        std::vector<qint64> spectrograms;
        std::vector<std::pair<int, qint64>> analyses;  // index, header offset
        int patternOffset;
    } cases[] = {
        {"zero directory: nothing", [] { return QByteArray(8192, '\0'); }, {}, {}, 0},
        {"two records, the manual analysis and a pattern",
         []
         {
             QByteArray image(7168 + 1024, '\0');
             Put(image, 0, 2);
             Put(image, 9, 1);
             Put(image, 12, 1);
             for (int at : {512, 1536, 2560})
                 Put(image, at, 't');
             return image;
         },
         {512, 1536},
         {{0, 2560}},
         7168},
        {"three analyses reserve the manual slot",
         []
         {
             QByteArray image(18944 + 1024, '\0');
             Put(image, 5, 3);
             Put(image, 12, 1);
             for (int unit = 0; unit < 4; ++unit)
                 Put(image, 512 + 4608 * unit, 't');
             return image;
         },
         {},
         {{1, 512 + 4608}, {2, 512 + 2 * 4608}, {3, 512 + 3 * 4608}},
         18944},
        {"counts beyond seven bits list 127",
         []
         {
             QByteArray image(512 + 1024 * 130, '\0');
             Put(image, 0, 200);
             for (int i = 0; i < 130; ++i)
                 Put(image, 512 + 1024 * i, 't');
             return image;
         },
         []
         {
             std::vector<qint64> offsets;
             for (int i = 0; i < 127; ++i)
                 offsets.push_back(512 + 1024 * i);
             return offsets;
         }(),
         {},
         0},
        {"a deleted record keeps the indexes of those after it",
         []
         {
             QByteArray image(512 + 3 * 1024, '\0');
             Put(image, 0, 3);
             Put(image, 512, 't');
             Put(image, 1536, 0xCB);
             Put(image, 2560, 't');
             return image;
         },
         {512, 2560},
         {},
         0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const QByteArray image = c.make();
        const MEMORY_DIRECTORY dir = CMemoryDirectory::Decode(image);
        EXPECT_EQ(dir.patternOffset, c.patternOffset);
        std::vector<qint64> spectrograms;
        for (const MEMORY_RECORD_ITEM& item : CMemoryImage::Spectrograms(image, dir))
        {
            spectrograms.push_back(item.offset);
            EXPECT_EQ(item.offset, CMemoryImage::SpectrogramOffset(dir, item.index));
        }
        EXPECT_EQ(spectrograms, c.spectrograms);
        std::vector<std::pair<int, qint64>> analyses;
        for (const MEMORY_RECORD_ITEM& item : CMemoryImage::Analyses(image, dir, QStringLiteral("MANUAL")))
            analyses.emplace_back(item.index, item.offset);
        EXPECT_EQ(analyses, c.analyses);
    }
}

TEST(MemoryImage, LevelToDbmFollowsTheHeadersGainAndSteps)
{
    struct Case
    {
        const char* name;
        QByteArray header;
        double raw;
        bool valid;
        double dbm;
    } cases[] = {
        {"zero header", Header({}), 0, true, -188.0},
        {"zero header, raw 500", Header({}), 500, true, -138.0},
        {"offset and 5 dB less", Header({{65, 20}, {66, 1}}), 0, true, -193.0 + 20 - 5 + 5},
        {"column 3 by byte 75", Header({{75, 1}}), 0, true, -152.0 + 5},
        {"column 5 by selector 2", Header({{73, 2}, {74, 1}}), 0, true, -143.0 + 5},
        {"column 4 by selector 2", Header({{73, 2}}), 0, true, -179.0 + 5},
        {"input setting 2 takes step E", Header({{64, 2}, {67, 3}}), 100, true, 10.0 - 178.0 - 14.0},
        {"steps A and B", Header({{68, 15}, {69, 1}}), 0, true, -193.0 - 40.0 - 6.0},
        {"converter", Header({{70, 1}, {71, 2}, {72, 0}}), 0, true, -193.0 + 5 - 12.0 + 14.0 - 3.0},
        {"unused step index beyond its table", Header({{64, 3}, {68, 200}}), 0, true, 0.0},
        {"input setting 9", Header({{64, 9}}), 0, false, 0},
        {"mode byte 255", Header({{27, 255}}), 0, false, 0},
        {"step A index 200", Header({{68, 200}}), 0, false, 0},
        {"step B index 2", Header({{69, 2}}), 0, false, 0},
        {"step E index 8", Header({{64, 2}, {67, 8}}), 0, false, 0},
        {"step C index 8", Header({{70, 1}, {71, 8}}), 0, false, 0},
        {"step D index 10", Header({{70, 1}, {72, 10}}), 0, false, 0},
        {"empty header reads zeros", QByteArray(), 0, true, -188.0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        double dbm = 12345.0;
        EXPECT_EQ(CMemoryImage::LevelToDbm(c.header, c.raw, dbm), c.valid);
        if (c.valid)
        {
            EXPECT_DOUBLE_EQ(dbm, c.dbm);
        }
    }
}

TEST(MemoryImage, BandComesFromTheHeader)
{
    QByteArray explicitBand = Header({{16, 1}});
    Put32(explicitBand, 80, 0x01000000u);
    QByteArray smallBand = Header({{16, 1}});
    Put32(smallBand, 80, 1000u);
    struct Case
    {
        const char* name;
        QByteArray header;
        bool shown;
        double hz;
    } cases[] = {
        {"mode byte 1 shows none", Header({{27, 1}, {16, 1}}), false, 0},
        {"explicit band needs 64 bits", explicitBand, true, 4294967296.0},
        {"explicit band", smallBand, true, 256000.0},
        {"converter band", Header({{73, 3}, {28, 30}}), true, 61000000.0},
        {"wide span code 1", Header({{28, 1}}), true, 1024000000.0},
        {"wire input, span code 5", Header({{1, 1}, {64, 1}, {28, 5}}), true, 200000.0},
        {"wire input, span code 5, second value", Header({{1, 1}, {64, 2}, {28, 5}}), true, 600.0},
        {"radio map value 248 is row 0", Header({{64, 1}, {28, 0}}), true, 10000000.0},
        {"radio span code 22 is row 1", Header({{64, 1}, {28, 22}}), true, 5000000.0},
        {"optical input: every code is row 0", Header({{1, 3}, {64, 1}, {28, 40}}), true, 10000000.0},
        {"map value 99", Header({{64, 1}, {28, 5}}), false, 0},
        {"map value 98", Header({{64, 1}, {28, 6}}), false, 0},
        {"span code 60", Header({{1, 1}, {64, 1}, {28, 60}}), false, 0},
        {"input type 200", Header({{1, 200}, {64, 1}, {28, 7}}), false, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        double hz = -1.0;
        EXPECT_EQ(CMemoryImage::BandHz(c.header, hz), c.shown);
        if (c.shown)
        {
            EXPECT_DOUBLE_EQ(hz, c.hz);
        }
    }
}

TEST(MemoryImage, NamesGiveCaptionAndFrequencyRange)
{
    struct Case
    {
        QByteArray name;
        int inputType;
        const char* text;
        int lowMHz;
        int highMHz;
    } cases[] = {
        {"FM 88-108", 0, "RADIO 30-4400MHz: FM 88-108", 88, 108},
        {"X 4-18", 4, "RADIO 4-18GHz: X 4-18", 4000, 18000},
        {"NOHYPHEN", 1, "WIRE 0.01-30MHz: NOHYPHEN", 0, 0},
        {"A 1-2 B", 6, "WIRE 0.3-15kHz: A 1-2 B", 0, 0},
        {"BAND 430-440  X 1-2", 9, "WIRE 30-3000MHz: BAND 430-440  X 1-2", 430, 440},
        {"A 88-108}B 1-2", 5, "A 88-108", 88, 108},
        {QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 200, "ABCDEFGHIJKLMNOPQRSTU", 0, 0},
        {"S 1.5-2.5", 7, "OPTICAL 770-1600nm: S 1.5-2.5", 1500, 2500},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name.constData());
        // A record whose name fills the header up to the samples: nothing after 21 bytes is read.
        QByteArray image(512 + 1024, '\x7F');
        Put(image, 0, 1);
        Put(image, 512, 't');
        Put(image, 513, c.inputType);
        QByteArray name = c.name.left(21);
        name.append(QByteArray(21 - name.size(), '\0'));
        PutName(image, 512, name);
        const std::vector<MEMORY_RECORD_ITEM> items =
            CMemoryImage::Spectrograms(image, CMemoryDirectory::Decode(image));
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].text, QString::fromLatin1(c.text));
        const MEMORY_FREQ_RANGE range = CMemoryImage::NameRange(CMemoryImage::Header(image, 512));
        EXPECT_EQ(range.lowMHz, c.lowMHz);
        EXPECT_EQ(range.highMHz, c.highMHz);
    }
}

TEST(MemoryImage, SignalTableListsLiveEntriesWithTheirBandClass)
{
    QByteArray table(4096, '\0');
    PutEntry(table, 0, 0x15, 433920000u, -500, -700, 10, 40, 0);  // live, red: 30 bins of 10 MHz / 256
    PutEntry(table, 1, 0x35, 100000000u, -300, -400, 0, 10, 1);   // live, green: 0.195 MHz
    PutEntry(table, 2, 0x1D, 200000000u, -300, -400, 0, 10, 1);   // deleted
    PutEntry(table, 3, 0x05, 1000000u, 100, 0, 20, 20, 6);        // one bin of 100 kHz / 256
    PutEntry(table, 4, 0x05, 5000000u, 0, 0, 0, 1, 30);           // span row beyond the table
    PutEntry(table, 203, 0x05, 7000000u, 0, 0, 0, 1, 0);          // the last entry of the table
    struct Expect
    {
        int index;
        bool red;
        bool green;
        double freqMHz;
        double level;
        double excess;
        double bandwidthMHz;
        const char* band;
    } expected[] = {
        {0, true, false, 433.92, -50.0, 20.0, 30 * 10.0 / 256, "EXT.WIDE"},
        {1, true, true, 100.0, -30.0, 10.0, 10 * 5.0 / 256, "WIDE"},  // both marks: green wins on show
        {3, false, false, 1.0, 10.0, 10.0, 0.1 / 256, "NARROW"},
        {4, false, false, 5.0, 0.0, 0.0, 0.0, ""},
        {203, false, false, 7.0, 0.0, 0.0, 10.0 / 256, "NARROW"},
    };
    for (bool manual : {false, true})
    {
        SCOPED_TRACE(manual ? "manual analysis" : "named analysis");
        const std::vector<MEMORY_SIGNAL_ITEM> items = CMemoryImage::Signals(table, 204, manual);
        ASSERT_EQ(items.size(), std::size(expected));
        for (size_t i = 0; i < items.size(); ++i)
        {
            SCOPED_TRACE(expected[i].index);
            EXPECT_EQ(items[i].index, expected[i].index);
            EXPECT_EQ(items[i].red, expected[i].red);
            EXPECT_EQ(items[i].green, expected[i].green);
            EXPECT_DOUBLE_EQ(items[i].freqMHz, expected[i].freqMHz);
            EXPECT_DOUBLE_EQ(items[i].levelDbm, expected[i].level);
            EXPECT_DOUBLE_EQ(items[i].excessDbm, manual ? -1.0 : expected[i].excess);
            EXPECT_DOUBLE_EQ(items[i].bandwidthMHz, expected[i].bandwidthMHz);
            EXPECT_EQ(items[i].bandText, QString::fromLatin1(expected[i].band));
        }
    }
    // Only entries inside the image are listed.
    EXPECT_EQ(CMemoryImage::Signals(table, 3, false).size(), 2u);
}

TEST(MemoryImage, PatternTraceRunsFromAfterItsHeaderToTheImageEnd)
{
    QByteArray image(512 + 4608 + 512 + 6, '\0');
    Put(image, 9, 1);
    Put(image, 12, 1);
    const int samplesAt = 512 + 4608 + 512;
    Put16(image, samplesAt, -5);
    Put16(image, samplesAt + 2, 300);
    Put16(image, samplesAt + 4, 7);
    const MEMORY_DIRECTORY dir = CMemoryDirectory::Decode(image);
    EXPECT_EQ(CMemoryImage::PatternSamples(image, dir), (std::vector<short>{-5, 300, 7}));
    // Ending inside the header, or at its end, leaves nothing to show.
    for (int size : {samplesAt - 100, samplesAt, samplesAt + 1})
    {
        SCOPED_TRACE(size);
        EXPECT_TRUE(CMemoryImage::PatternSamples(image.left(size), dir).empty());
    }
    EXPECT_TRUE(CMemoryImage::PatternSamples(image, CMemoryDirectory::Decode(QByteArray(512, '\0'))).empty());
}

TEST(MemoryImage, DeletesWriteOnlyInsideTheImage)
{
    QByteArray image(512 + 1024, '\0');
    Put(image, 512, 't');
    const QByteArray before = image;
    for (qint64 offset : {qint64{-1}, qint64{-1024}, qint64{1536}, qint64{1} << 40})
    {
        QByteArray copy = image;
        EXPECT_FALSE(CMemoryImage::DeleteRecord(copy, offset)) << offset;
        EXPECT_EQ(copy, before);
    }
    ASSERT_TRUE(CMemoryImage::DeleteRecord(image, 512));
    EXPECT_EQ(static_cast<uint8_t>(image[512]), 0xCB);
    EXPECT_EQ(image.size(), before.size());

    QByteArray table(4096, '\0');
    Put(table, 20 * 7, 0x15);
    for (int index : {-1, 204, 100000})
        EXPECT_FALSE(CMemoryImage::FlagSignalDeleted(table, index)) << index;
    ASSERT_TRUE(CMemoryImage::FlagSignalDeleted(table, 7));
    EXPECT_EQ(static_cast<uint8_t>(table[20 * 7]), 0x1D);

    // A table the image holds only in part is never written back.
    QByteArray cut(512 + 4608 - 100, '\0');
    const QByteArray cutBefore = cut;
    EXPECT_FALSE(CMemoryImage::WriteSignalTable(cut, 1024, table));
    EXPECT_EQ(cut, cutBefore);
    QByteArray whole(512 + 4608, '\0');
    ASSERT_TRUE(CMemoryImage::WriteSignalTable(whole, 1024, table));
    EXPECT_EQ(whole.mid(1024, 4096), table);
}

TEST(MemoryImage, DamagedImagesReadNothingOutsideTheirTables)
{
    // Each row a damage; the listing still works and what needs the damaged field is left empty.
    struct Case
    {
        const char* name;
        std::function<void(QByteArray&)> damage;
        size_t spectrograms;
        size_t analyses;
        bool level;
        bool band;
        int entries;  // table entries inside the image, of the first listed analysis
    } cases[] = {
        {"undamaged", [](QByteArray&) {}, 1, 2, true, true, 204},
        {"counts beyond seven bits",
         [](QByteArray& image)
         {
             Put(image, 0, 200);
             Put(image, 5, 255);
         },
         2, 0, true, true, 0},
        {"records past the image end",
         [](QByteArray& image)
         {
             Put(image, 0, 3);
             image.truncate(1536);
         },
         1, 0, true, true, 0},
        {"input type 200", [](QByteArray& image) { Put(image, 513, 200); }, 1, 2, true, false, 204},
        {"span code 60", [](QByteArray& image) { Put(image, 512 + 28, 60); }, 1, 2, true, false, 204},
        {"map value 98", [](QByteArray& image) { Put(image, 512 + 28, 6); }, 1, 2, true, false, 204},
        {"map value 99", [](QByteArray& image) { Put(image, 512 + 28, 5); }, 1, 2, true, false, 204},
        {"input setting 9", [](QByteArray& image) { Put(image, 512 + 64, 9); }, 1, 2, false, true, 204},
        {"mode byte 255", [](QByteArray& image) { Put(image, 512 + 27, 255); }, 1, 2, false, true, 204},
        {"step index 200", [](QByteArray& image) { Put(image, 512 + 68, 200); }, 1, 2, false, true, 204},
        {"signal table cut by the image end",
         [](QByteArray& image) { image.truncate(512 + 1024 + 512 + 1000); }, 1, 1, true, true, 50},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        // One radio record (input setting 1, span code 7) and the manual plus one named analysis.
        QByteArray image(512 + 1024 + 2 * 4608 + 1024, '\0');
        Put(image, 0, 1);
        Put(image, 5, 1);
        Put(image, 9, 1);
        Put(image, 12, 1);
        Put(image, 15, 0x3D);
        Put(image, 512, 't');
        Put(image, 512 + 64, 1);
        Put(image, 512 + 28, 7);
        Put(image, 1536, 't');
        Put(image, 1536 + 4608, 't');
        c.damage(image);
        const MEMORY_DIRECTORY dir = CMemoryDirectory::Decode(image);
        const std::vector<MEMORY_RECORD_ITEM> records = CMemoryImage::Spectrograms(image, dir);
        const std::vector<MEMORY_RECORD_ITEM> analyses = CMemoryImage::Analyses(image, dir, QString());
        EXPECT_EQ(records.size(), c.spectrograms);
        EXPECT_EQ(analyses.size(), c.analyses);
        for (const MEMORY_RECORD_ITEM& record : records)
            EXPECT_LT(record.index, dir.spectrogramCount);
        for (const MEMORY_RECORD_ITEM& analysis : analyses)
            EXPECT_LE(analysis.index, dir.analysisCount);
        ASSERT_FALSE(records.empty());
        const QByteArray header = CMemoryImage::Header(image, records[0].offset);
        double value = 0.0;
        EXPECT_EQ(CMemoryImage::LevelToDbm(header, 0, value), c.level);
        EXPECT_EQ(CMemoryImage::BandHz(header, value), c.band);
        if (!analyses.empty())
        {
            EXPECT_EQ(CMemoryImage::EntriesInImage(image, dir, analyses[0].index), c.entries);
            EXPECT_EQ(CMemoryImage::SignalTable(image, dir, analyses[0].index).size(), 4096);
        }
    }
}
}  // namespace
