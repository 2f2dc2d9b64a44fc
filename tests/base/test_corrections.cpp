// The calibration files on a device thread bound to a real library core: what each reader takes from a
// file into the library (all of a sound file, nothing of a damaged one), what the writers put on disk,
// and that neither depends on the locale or loses the previous file.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>

#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "correctionfiles.h"
#include "devicethread.h"
#include "tempdir.h"

namespace
{
QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

void WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(text), text.size());
}

QByteArray ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines joined, each followed by eol.
QByteArray Lines(const std::vector<QByteArray>& lines, const QByteArray& eol = "\r\n")
{
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + eol;
    return text;
}

// Every correction value in the library, named: the nine ADF rows, and per channel the oscilloscope and
// dBm triples and the eight band corrections. Comparing two of these shows any value a load changed.
using STATE = std::map<std::string, double>;

STATE State(CDeviceThread& thread)
{
    STATE state;
    for (int i = 0; i < 9; ++i)
    {
        const std::string row = "adf[" + std::to_string(i) + "].";
        state[row + "ampl"] = thread.m_pAdf->GetCorrAmpl(i);
        state[row + "frac"] = thread.m_pAdf->GetShiftFrac(i);
        state[row + "garm"] = thread.m_pAdf->GetShiftGarm(i);
    }
    for (int c = 0; c < thread.m_pControlBits->GetChannelCount(); ++c)
    {
        IChannel* channel = thread.m_pControlBits->GetChannel(c);
        const std::string prefix = "ch" + std::to_string(c) + ".";
        for (int k = 0; k < 3; ++k)
        {
            state[prefix + "osc[" + std::to_string(k) + "]"] = channel->GetOscCorrection(k);
            state[prefix + "dbm[" + std::to_string(k) + "]"] = channel->GetDbmCorrection(k);
        }
        for (int j = 1; j <= 8; ++j)
            state[prefix + "band[" + std::to_string(j) + "]"] = channel->GetDbmCorrection2(j);
    }
    return state;
}

void ExpectState(const STATE& actual, const STATE& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (const auto& [name, value] : expected)
        EXPECT_EQ(actual.at(name), value) << name;
}

enum class TABLE
{
    Adf,
    Osc,
    Dbm
};

// Distinct values per row, so that a row that was (or was not) touched shows.
constexpr double kOldAmpl = 7.5;
constexpr uint16_t kOldFrac = 77;
constexpr uint16_t kOldGarm = 7;

class CorrectionsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_thread.LoadCorrections();
        for (int i = 0; i < 9; ++i)
        {
            m_thread.m_pAdf->SetCorrAmpl(i, kOldAmpl);
            m_thread.m_pAdf->SetShiftFrac(i, kOldFrac);
            m_thread.m_pAdf->SetShiftGarm(i, kOldGarm);
        }
        IChannel* channel = Channel();
        for (int k = 0; k < 3; ++k)
        {
            channel->SetOscCorrection(k, -1.0);
            channel->SetDbmCorrection(k, -1.0);
        }
        for (int j = 1; j <= 8; ++j)
            channel->SetDbmCorrection2(j, -1.0);
    }

    IChannel* Channel(int index = 0) { return m_thread.m_pControlBits->GetChannel(index); }
    QString File(const char* name) const { return Q(m_dir.File(name)); }

    // A second channel after the start-up one, with old values of its own, for what depends on the order
    // of the channels in a file.
    void AddSecondChannel()
    {
        IChannel* second = m_thread.m_pControlBits->AddChannel(0, L"HRF2", L"Second", 61000000.0);
        for (int k = 0; k < 3; ++k)
        {
            second->SetOscCorrection(k, -2.0);
            second->SetDbmCorrection(k, -2.0);
        }
        for (int j = 1; j <= 8; ++j)
            second->SetDbmCorrection2(j, -2.0);
        ASSERT_EQ(m_thread.m_pControlBits->GetChannelCount(), 2);
    }

    bool Load(TABLE table, const QByteArray& text)
    {
        const QString path = File("corr.dat");
        WriteText(path, text);
        switch (table)
        {
            case TABLE::Adf:
                return m_thread.LoadAdfCorrections(path);
            case TABLE::Osc:
                return m_thread.LoadOscCorrections(path);
            case TABLE::Dbm:
                return m_thread.LoadDbmCorrections(path);
        }
        return false;
    }

    CDeviceThread m_thread;
    CTempDir m_dir;
};

TEST_F(CorrectionsTest, StartUpChannelCoversTheRadioRange)
{
    ASSERT_EQ(m_thread.m_pControlBits->GetChannelCount(), 1);
    IChannel* channel = Channel();
    EXPECT_EQ(channel->GetType(), 0);
    EXPECT_EQ(channel->GetShortName(), L"HRF");
    EXPECT_EQ(channel->GetName(), L"Radio Channel (40-6030 MHz)");
    EXPECT_DOUBLE_EQ(channel->GetSampleRate(), 61000000.0);
    EXPECT_DOUBLE_EQ(channel->GetStartFreq(), 40.0);
    EXPECT_DOUBLE_EQ(channel->GetStopFreq(), 6030.0);
    EXPECT_DOUBLE_EQ(channel->GetViewStopFreq(), 6030.0);
}

// The rows of a sound ADF file: row i holds i + 0.25, 100 + i and i + 0.9 (which reads as i).
std::vector<QByteArray> AdfRows(int count, const QByteArray& separator)
{
    std::vector<QByteArray> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(QByteArray::number(i + 0.25) + separator + QByteArray::number(100 + i) + separator +
                       QByteArray::number(i + 0.9));
    return rows;
}

void ExpectAdfRowsLoaded(STATE& expected, int count)
{
    for (int i = 0; i < count; ++i)
    {
        const std::string row = "adf[" + std::to_string(i) + "].";
        expected[row + "ampl"] = i + 0.25;
        expected[row + "frac"] = 100 + i;
        expected[row + "garm"] = i;  // truncated toward zero
    }
}

TEST_F(CorrectionsTest, AdfReaderLoadsTheRowsTheFileHolds)
{
    struct CASE
    {
        const char* name;
        QByteArray text;
        int rows;  // loaded from row 0; the others keep their values
    };
    const CASE cases[] = {
        {"nine rows", Lines(AdfRows(9, " "), "\n"), 9},
        {"tabs", Lines(AdfRows(9, "\t"), "\n"), 9},
        {"two blanks between fields", Lines(AdfRows(9, "  "), "\n"), 9},
        {"crlf line ends", Lines(AdfRows(9, " "), "\r\n"), 9},
        {"whitespace around the lines",
         Lines(AdfRows(9, " \t "), " \t\r\n").replace("\n", "\n  ").prepend("\t"), 9},
        {"no line end at the end", Lines(AdfRows(9, " "), "\n").chopped(1), 9},
        {"blank lines after the table", Lines(AdfRows(9, " "), "\n") + "\n \r\n\t\n", 9},
        {"five lines", Lines(AdfRows(5, " "), "\n"), 5},
        {"five lines and blank lines", Lines(AdfRows(5, " "), "\r\n") + "\r\n\r\n", 5},
        {"one line without line end", AdfRows(1, " ")[0], 1},
    };
    for (const CASE& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetUp();
        STATE expected = State(m_thread);
        ExpectAdfRowsLoaded(expected, c.rows);
        EXPECT_TRUE(Load(TABLE::Adf, c.text));
        ExpectState(State(m_thread), expected);
    }
}

// Two channels: channel 0's line, the band line (dBm only), channel 1's line.
const std::vector<QByteArray> kOscLines = {"0.5 0.25 0.125", "1.5 1.25 1.125"};
const std::vector<QByteArray> kDbmLines = {"1 2 3", "4 5 6 7 8 9 10 11", "-4 -5 -6"};

// The two-channel state after a load of kOscLines or kDbmLines.
STATE WithChannelFileLoaded(STATE state, TABLE table)
{
    if (table == TABLE::Osc)
    {
        for (int k = 0; k < 3; ++k)
        {
            state["ch0.osc[" + std::to_string(k) + "]"] = 0.5 / (1 << k);
            state["ch1.osc[" + std::to_string(k) + "]"] = 1.0 + 0.5 / (1 << k);
        }
        return state;
    }
    for (int k = 0; k < 3; ++k)
    {
        state["ch0.dbm[" + std::to_string(k) + "]"] = k + 1;
        state["ch1.dbm[" + std::to_string(k) + "]"] = -(k + 4);
    }
    // Only channel 0 has a band line.
    for (int j = 1; j <= 8; ++j)
        state["ch0.band[" + std::to_string(j) + "]"] = j + 3;
    return state;
}

QByteArray Respaced(std::vector<QByteArray> lines, const QByteArray& separator)
{
    for (QByteArray& line : lines)
        line.replace(" ", separator);
    return Lines(lines);
}

TEST_F(CorrectionsTest, ChannelFilesLoadEveryChannelInOrder)
{
    struct CASE
    {
        const char* name;
        QByteArray (*text)(const std::vector<QByteArray>& lines);
    };
    const CASE cases[] = {
        {"as written", [](const std::vector<QByteArray>& lines) { return Lines(lines); }},
        {"tabs", [](const std::vector<QByteArray>& lines) { return Respaced(lines, "\t"); }},
        {"runs of blanks", [](const std::vector<QByteArray>& lines) { return Respaced(lines, "   "); }},
        {"unix line ends", [](const std::vector<QByteArray>& lines) { return Lines(lines, "\n"); }},
        {"whitespace around the lines",
         [](const std::vector<QByteArray>& lines) { return Lines(lines, " \t\r\n ").prepend(" \t"); }},
        {"blank lines after the table",
         [](const std::vector<QByteArray>& lines) { return Lines(lines) + "\r\n  \r\n\n"; }},
        {"no line end at the end",
         [](const std::vector<QByteArray>& lines) { return Lines(lines).chopped(2); }},
    };
    for (const CASE& c : cases)
    {
        for (TABLE table : {TABLE::Osc, TABLE::Dbm})
        {
            SCOPED_TRACE(std::string(c.name) + (table == TABLE::Osc ? " (osc)" : " (dbm)"));
            SetUp();
            AddSecondChannel();
            const STATE expected = WithChannelFileLoaded(State(m_thread), table);
            EXPECT_TRUE(Load(table, c.text(table == TABLE::Osc ? kOscLines : kDbmLines)));
            ExpectState(State(m_thread), expected);
        }
    }
}

// A copy of lines with line `index` replaced, or removed when replacement is null, or a line added at the
// end when index is the size.
std::vector<QByteArray> Changed(std::vector<QByteArray> lines, size_t index, const char* replacement)
{
    if (index == lines.size())
        lines.push_back(replacement);
    else if (replacement == nullptr)
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
    else
        lines[index] = replacement;
    return lines;
}

TEST_F(CorrectionsTest, LoadersRefuseADamagedFileAndChangeNothing)
{
    struct CASE
    {
        const char* name;
        TABLE table;
        QByteArray text;
    };
    const std::vector<QByteArray> adf = AdfRows(9, " ");
    const std::vector<QByteArray> dbmBandLast = {kDbmLines[0], kDbmLines[2], kDbmLines[1]};
    const CASE cases[] = {
        {"adf: four fields on the first line", TABLE::Adf, Lines(Changed(adf, 0, "1 2 3 4"), "\n")},
        {"adf: two fields on the last line", TABLE::Adf, Lines(Changed(adf, 8, "1 2"), "\n")},
        {"adf: blank line in the middle", TABLE::Adf, Lines(Changed(adf, 4, ""), "\n")},
        {"adf: a tenth line", TABLE::Adf, Lines(Changed(adf, 9, "1 0 0"), "\n")},
        {"adf: short file with a bad line", TABLE::Adf, Lines(Changed(AdfRows(5, " "), 4, "1 2"), "\n")},
        {"adf: nan amplitude", TABLE::Adf, Lines(Changed(adf, 3, "nan 1 1"), "\n")},
        {"adf: inf frac", TABLE::Adf, Lines(Changed(adf, 3, "1 inf 1"), "\n")},
        {"adf: abc garm", TABLE::Adf, Lines(Changed(adf, 3, "1 1 abc"), "\n")},
        {"adf: decimal comma", TABLE::Adf, Lines(Changed(adf, 3, "1,5 1 1"), "\n")},
        {"adf: exponent beyond a double", TABLE::Adf, Lines(Changed(adf, 3, "1e999 1 1"), "\n")},
        {"adf: hexadecimal", TABLE::Adf, Lines(Changed(adf, 3, "0x10 1 1"), "\n")},
        {"adf: empty file", TABLE::Adf, ""},
        {"adf: blank lines only", TABLE::Adf, "\n \r\n\t\n"},
        {"osc: four fields on channel 0", TABLE::Osc, Lines(Changed(kOscLines, 0, "1 2 3 4"))},
        {"osc: two fields on channel 1", TABLE::Osc, Lines(Changed(kOscLines, 1, "1 2"))},
        {"osc: channel 1 missing", TABLE::Osc, Lines(Changed(kOscLines, 1, nullptr))},
        {"osc: blank line before channel 1", TABLE::Osc, Lines({kOscLines[0], "", kOscLines[1]})},
        {"osc: a line after the last channel", TABLE::Osc, Lines(Changed(kOscLines, 2, "1 2 3"))},
        {"osc: a dbm file", TABLE::Osc, Lines(kDbmLines)},
        {"osc: nan", TABLE::Osc, Lines(Changed(kOscLines, 1, "1 nan 3"))},
        {"osc: -inf", TABLE::Osc, Lines(Changed(kOscLines, 0, "-inf 2 3"))},
        {"osc: abc", TABLE::Osc, Lines(Changed(kOscLines, 1, "1 2 abc"))},
        {"osc: empty file", TABLE::Osc, ""},
        {"dbm: band line missing", TABLE::Dbm, Lines(Changed(kDbmLines, 1, nullptr))},
        {"dbm: band line after channel 1", TABLE::Dbm, Lines(dbmBandLast)},
        {"dbm: seven band values", TABLE::Dbm, Lines(Changed(kDbmLines, 1, "4 5 6 7 8 9 10"))},
        {"dbm: nine band values", TABLE::Dbm, Lines(Changed(kDbmLines, 1, "4 5 6 7 8 9 10 11 12"))},
        {"dbm: channel 1 missing", TABLE::Dbm, Lines(Changed(kDbmLines, 2, nullptr))},
        {"dbm: four fields on channel 0", TABLE::Dbm, Lines(Changed(kDbmLines, 0, "1 2 3 4"))},
        {"dbm: a line after the last channel", TABLE::Dbm, Lines(Changed(kDbmLines, 3, "1 2 3"))},
        {"dbm: an osc file", TABLE::Dbm, Lines(kOscLines)},
        {"dbm: nan in the band line", TABLE::Dbm, Lines(Changed(kDbmLines, 1, "4 5 6 7 nan 9 10 11"))},
        {"dbm: abc on channel 1", TABLE::Dbm, Lines(Changed(kDbmLines, 2, "abc -5 -6"))},
    };
    for (const CASE& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetUp();
        AddSecondChannel();
        const STATE before = State(m_thread);
        EXPECT_FALSE(Load(c.table, c.text));
        ExpectState(State(m_thread), before);
    }
}

TEST_F(CorrectionsTest, ShiftsAreTruncatedTowardZeroAndMustFitSixteenBits)
{
    struct CASE
    {
        const char* field;
        std::optional<uint16_t> shift;  // none: the file is refused
    };
    const CASE cases[] = {
        {"2.9", 2},
        {"0", 0},
        {"-0.9", 0},
        {"65535", 65535},
        {"65535.9", 65535},
        {"1e3", 1000},
        {"-1", std::nullopt},
        {"-1.5", std::nullopt},
        {"65536", std::nullopt},
        {"70000", std::nullopt},
    };
    for (const CASE& c : cases)
    {
        for (const bool garm : {false, true})
        {
            SCOPED_TRACE(std::string(c.field) + (garm ? " as Garm" : " as Frac"));
            SetUp();
            STATE expected = State(m_thread);
            if (c.shift)
            {
                expected["adf[0].ampl"] = 0.5;
                expected["adf[0].frac"] = garm ? 4 : *c.shift;
                expected["adf[0].garm"] = garm ? *c.shift : 4;
            }
            const QByteArray line =
                garm ? "0.5 4 " + QByteArray(c.field) : "0.5 " + QByteArray(c.field) + " 4";
            EXPECT_EQ(Load(TABLE::Adf, line + "\n"), c.shift.has_value());
            ExpectState(State(m_thread), expected);
        }
    }
}

TEST_F(CorrectionsTest, AFileFarLargerThanAnyTableIsRefused)
{
    // A sound channel line followed by blank lines: only its size decides.
    const QByteArray line = "0.5 0.25 0.125\r\n";
    const QByteArray atLimit =
        line + QByteArray(static_cast<int>(CCorrectionFiles::kMaxFileBytes) - line.size(), '\n');
    const STATE before = State(m_thread);
    EXPECT_FALSE(Load(TABLE::Osc, atLimit + "\n"));
    ExpectState(State(m_thread), before);
    EXPECT_TRUE(Load(TABLE::Osc, atLimit));
    EXPECT_EQ(Channel()->GetOscCorrection(2), 0.125);
}

TEST_F(CorrectionsTest, MissingFilesAreReported)
{
    const QString missing = File("missing.dat");
    EXPECT_FALSE(m_thread.LoadAdfCorrections(missing));
    EXPECT_FALSE(m_thread.LoadOscCorrections(missing));
    EXPECT_FALSE(m_thread.LoadDbmCorrections(missing));
    EXPECT_DOUBLE_EQ(m_thread.m_pAdf->GetCorrAmpl(0), kOldAmpl);
}

// Written and read back under a locale whose decimal separator is a comma: the files stay C-locale.
TEST_F(CorrectionsTest, RoundTripIsIndependentOfTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    const double dbm[3] = {1.234, -2.5, 0.005};
    for (int k = 0; k < 3; ++k)
        Channel()->SetDbmCorrection(k, dbm[k]);
    for (int j = 1; j <= 8; ++j)
        Channel()->SetDbmCorrection2(j, j + 0.126);
    Channel()->SetOscCorrection(0, 0.0012345678);
    Channel()->SetOscCorrection(1, 2.0);
    Channel()->SetOscCorrection(2, -3.5);
    m_thread.m_pAdf->SetCorrAmpl(0, 0.123456789);
    m_thread.m_pAdf->SetShiftFrac(0, 12);
    m_thread.m_pAdf->SetShiftGarm(0, 3);
    m_thread.m_pAdf->SetCorrAmpl(1, 1500000.0);

    ASSERT_TRUE(m_thread.ExportDbmCorrections(File("dbm_corr.dat")));
    ASSERT_TRUE(m_thread.ExportOscCorrections(File("osc_corr.dat")));
    ASSERT_TRUE(m_thread.ExportAdfCorrections(File("adf_corr.dat")));
    EXPECT_EQ(ReadText(File("dbm_corr.dat")),
              "1.23 -2.50 0.01\r\n1.13 2.13 3.13 4.13 5.13 6.13 7.13 8.13\r\n");
    EXPECT_EQ(ReadText(File("osc_corr.dat")), "0.001235 2.000000 -3.500000\r\n");
    EXPECT_TRUE(ReadText(File("adf_corr.dat")).startsWith("0.123457 12 3\n1.5e+06 77 7\n7.5 77 7\n"));

    SetUp();
    ASSERT_TRUE(m_thread.LoadDbmCorrections(File("dbm_corr.dat")));
    ASSERT_TRUE(m_thread.LoadOscCorrections(File("osc_corr.dat")));
    ASSERT_TRUE(m_thread.LoadAdfCorrections(File("adf_corr.dat")));
    QLocale::setDefault(previous);

    // SetUp made a new channel.
    IChannel* channel = Channel();
    EXPECT_DOUBLE_EQ(channel->GetDbmCorrection(0), 1.23);
    EXPECT_DOUBLE_EQ(channel->GetDbmCorrection(1), -2.5);
    EXPECT_DOUBLE_EQ(channel->GetDbmCorrection(2), 0.01);
    for (int j = 1; j <= 8; ++j)
        EXPECT_DOUBLE_EQ(channel->GetDbmCorrection2(j), j + 0.13) << "band " << j;
    EXPECT_DOUBLE_EQ(channel->GetOscCorrection(0), 0.001235);
    EXPECT_DOUBLE_EQ(channel->GetOscCorrection(2), -3.5);
    EXPECT_DOUBLE_EQ(m_thread.m_pAdf->GetCorrAmpl(0), 0.123457);
    EXPECT_EQ(m_thread.m_pAdf->GetShiftFrac(0), 12);
    EXPECT_EQ(m_thread.m_pAdf->GetShiftGarm(0), 3);
    EXPECT_DOUBLE_EQ(m_thread.m_pAdf->GetCorrAmpl(1), 1500000.0);
}

TEST_F(CorrectionsTest, AFailedExportLeavesThePreviousFile)
{
    // A file in a folder that does not exist cannot be written; neither can one whose name is a folder.
    EXPECT_FALSE(m_thread.ExportAdfCorrections(File("no-such-folder/adf_corr.dat")));
    ASSERT_TRUE(QDir().mkpath(File("taken")));
    EXPECT_FALSE(m_thread.ExportDbmCorrections(File("taken")));
    EXPECT_TRUE(QFileInfo(File("taken")).isDir());
}

TEST_F(CorrectionsTest, TwoChannelFilesReadBackInChannelOrder)
{
    AddSecondChannel();
    // Values that the files' decimals carry exactly as far as a double goes.
    const double osc[3] = {0.1, 0.2, 0.3};
    for (int k = 0; k < 3; ++k)
    {
        Channel(0)->SetOscCorrection(k, osc[k]);
        Channel(1)->SetOscCorrection(k, -osc[k]);
        Channel(0)->SetDbmCorrection(k, k + 1.5);
        Channel(1)->SetDbmCorrection(k, -(k + 1.5));
    }
    for (int j = 1; j <= 8; ++j)
    {
        Channel(0)->SetDbmCorrection2(j, j * 0.25);
        Channel(1)->SetDbmCorrection2(j, 99.0);  // no line of its own in the file
    }
    ASSERT_TRUE(m_thread.ExportOscCorrections(File("osc_corr.dat")));
    ASSERT_TRUE(m_thread.ExportDbmCorrections(File("dbm_corr.dat")));
    EXPECT_EQ(ReadText(File("osc_corr.dat")),
              "0.100000 0.200000 0.300000\r\n-0.100000 -0.200000 -0.300000\r\n");
    EXPECT_EQ(ReadText(File("dbm_corr.dat")),
              "1.50 2.50 3.50\r\n0.25 0.50 0.75 1.00 1.25 1.50 1.75 2.00\r\n-1.50 -2.50 -3.50\r\n");
    STATE written = State(m_thread);
    // The second channel's bands keep what AddSecondChannel gives them.
    for (int j = 1; j <= 8; ++j)
        written["ch1.band[" + std::to_string(j) + "]"] = -2.0;

    SetUp();
    AddSecondChannel();
    ASSERT_TRUE(m_thread.LoadOscCorrections(File("osc_corr.dat")));
    ASSERT_TRUE(m_thread.LoadDbmCorrections(File("dbm_corr.dat")));
    ExpectState(State(m_thread), written);
}

TEST_F(CorrectionsTest, ExportsRefuseValuesNoFileCanCarry)
{
    ASSERT_TRUE(m_thread.ExportAdfCorrections(File("adf_corr.dat")));
    ASSERT_TRUE(m_thread.ExportOscCorrections(File("osc_corr.dat")));
    ASSERT_TRUE(m_thread.ExportDbmCorrections(File("dbm_corr.dat")));
    const QByteArray adf = ReadText(File("adf_corr.dat"));
    const QByteArray osc = ReadText(File("osc_corr.dat"));
    const QByteArray dbm = ReadText(File("dbm_corr.dat"));

    // Written, these would make the next start-up refuse the whole table.
    m_thread.m_pAdf->SetCorrAmpl(4, std::numeric_limits<double>::quiet_NaN());
    Channel()->SetOscCorrection(2, -std::numeric_limits<double>::infinity());
    Channel()->SetDbmCorrection2(8, std::numeric_limits<double>::infinity());
    EXPECT_FALSE(m_thread.ExportAdfCorrections(File("adf_corr.dat")));
    EXPECT_FALSE(m_thread.ExportOscCorrections(File("osc_corr.dat")));
    EXPECT_FALSE(m_thread.ExportDbmCorrections(File("dbm_corr.dat")));
    EXPECT_EQ(ReadText(File("adf_corr.dat")), adf);
    EXPECT_EQ(ReadText(File("osc_corr.dat")), osc);
    EXPECT_EQ(ReadText(File("dbm_corr.dat")), dbm);
}

TEST_F(CorrectionsTest, StartUpKeepsTheLibraryValuesOfADamagedFile)
{
    CDeviceThread untouched;
    untouched.LoadCorrections();
    const STATE defaults = State(untouched);

    // Each file sound up to a damaged last line.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    ASSERT_TRUE(QDir().mkpath(data));
    WriteText(data + "/adf_corr.dat", "1.5 10 2\n1.5 10\n");
    WriteText(data + "/osc_corr.dat", "0.5 0.25 nan\r\n");
    WriteText(data + "/dbm_corr.dat", "1 2 3\r\n4 5 6 7 8 9 10\r\n");
    CDeviceThread started;
    started.LoadCorrections();
    for (const char* name : {"/adf_corr.dat", "/osc_corr.dat", "/dbm_corr.dat"})
        QFile::remove(data + name);
    ExpectState(State(started), defaults);
}

TEST_F(CorrectionsTest, SavesGoToTheDataFolderAndStartUpReadsThemBack)
{
    // The spare copy goes to the temporary folder, which is this test's own for the while.
    const QByteArray previousTmp = qgetenv("TMPDIR");
    ASSERT_TRUE(QDir().mkpath(File("tmp")));
    qputenv("TMPDIR", File("tmp").toLocal8Bit());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    const QString spare = QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/osc_corr.dat";
    WriteText(spare, "an earlier copy\r\n");

    Channel()->SetOscCorrection(1, 4.5);
    Channel()->SetDbmCorrection(2, -6.25);
    m_thread.m_pAdf->SetShiftGarm(8, 5);
    EXPECT_TRUE(m_thread.SaveAdfCorrections());
    EXPECT_TRUE(m_thread.SaveOscCorrections());
    EXPECT_TRUE(m_thread.SaveDbmCorrections());
    // The spare copy is made once and not replaced.
    EXPECT_EQ(ReadText(spare), "an earlier copy\r\n");
    ASSERT_TRUE(QFile::remove(spare));

    CDeviceThread fresh;
    fresh.LoadCorrections();
    EXPECT_DOUBLE_EQ(fresh.m_pControlBits->GetChannel(0)->GetOscCorrection(1), 4.5);
    EXPECT_DOUBLE_EQ(fresh.m_pControlBits->GetChannel(0)->GetDbmCorrection(2), -6.25);
    EXPECT_EQ(fresh.m_pAdf->GetShiftGarm(8), 5);
    EXPECT_TRUE(QFile::exists(data + "/adf_corr.dat"));

    EXPECT_TRUE(m_thread.SaveOscCorrections());
    EXPECT_EQ(ReadText(spare), ReadText(data + "/osc_corr.dat"));
    // Later tests start from the library's own values.
    for (const char* name : {"/adf_corr.dat", "/osc_corr.dat", "/dbm_corr.dat"})
        QFile::remove(data + name);
    if (previousTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", previousTmp);
}
}  // namespace
