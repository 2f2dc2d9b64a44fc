// The calibration files on a device thread bound to a real library core: what each reader takes from a
// file into the library, what it leaves, what the writers put on disk, and that neither depends on the
// locale or loses the previous file.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>

#include <array>
#include <string>
#include <vector>

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

    IChannel* Channel() { return m_thread.m_pControlBits->GetChannel(0); }
    QString File(const char* name) const { return Q(m_dir.File(name)); }

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

// Each case: the file, and per row either the values it must hold afterwards or the old ones.
struct ADF_CASE
{
    const char* name;
    QByteArray text;
    std::vector<int> loadedRows;  // rows that must hold 1.25 / 3 / 2
};

TEST_F(CorrectionsTest, AdfReaderTakesWellFormedRowsAndSkipsTheRest)
{
    const QByteArray good = "1.25 3 2.9\n";
    const ADF_CASE cases[] = {
        {"nine rows", good.repeated(9), {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"crlf line ends", QByteArray("1.25 3 2.9\r\n").repeated(9), {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"two blanks on line 3",
         good.repeated(3) + "1.25  3 2.9\n" + good.repeated(5),
         {0, 1, 2, 4, 5, 6, 7, 8}},
        {"five lines", good.repeated(5), {0, 1, 2, 3, 4}},
        {"no line end at the end", good.repeated(8) + "1.25 3 2.9", {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"four fields and a blank line", "1 2 3 4\n\n" + good.repeated(7), {2, 3, 4, 5, 6, 7, 8}},
        {"empty file", QByteArray(), {}},
    };
    for (const ADF_CASE& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetUp();
        WriteText(File("adf_corr.dat"), c.text);
        EXPECT_TRUE(m_thread.LoadAdfCorrections(File("adf_corr.dat")));
        for (int i = 0; i < 9; ++i)
        {
            const bool loaded = std::find(c.loadedRows.begin(), c.loadedRows.end(), i) != c.loadedRows.end();
            EXPECT_DOUBLE_EQ(m_thread.m_pAdf->GetCorrAmpl(i), loaded ? 1.25 : kOldAmpl) << "row " << i;
            EXPECT_EQ(m_thread.m_pAdf->GetShiftFrac(i), loaded ? 3 : kOldFrac) << "row " << i;
            // Shifts are truncated toward zero.
            EXPECT_EQ(m_thread.m_pAdf->GetShiftGarm(i), loaded ? 2 : kOldGarm) << "row " << i;
        }
    }
}

TEST_F(CorrectionsTest, FieldsThatAreNoNumberReadAsZero)
{
    WriteText(File("adf_corr.dat"), "abc 1,5 nan\n1e999 inf 4\n");
    ASSERT_TRUE(m_thread.LoadAdfCorrections(File("adf_corr.dat")));
    EXPECT_DOUBLE_EQ(m_thread.m_pAdf->GetCorrAmpl(0), 0.0);
    EXPECT_EQ(m_thread.m_pAdf->GetShiftFrac(0), 0);  // "1,5" is no C-locale number
    EXPECT_EQ(m_thread.m_pAdf->GetShiftGarm(0), 0);
    EXPECT_DOUBLE_EQ(m_thread.m_pAdf->GetCorrAmpl(1), 0.0);
    EXPECT_EQ(m_thread.m_pAdf->GetShiftFrac(1), 0);
    EXPECT_EQ(m_thread.m_pAdf->GetShiftGarm(1), 4);
}

TEST_F(CorrectionsTest, ChannelFilesRefuseALineOfAnotherShape)
{
    struct CASE
    {
        const char* name;
        bool dbm;
        QByteArray text;
        bool result;
        std::array<double, 3> channel;  // afterwards
        double firstBand;               // index 1 afterwards
    };
    const CASE cases[] = {
        {"osc four fields", false, "1 2 3 4\r\n", false, {-1.0, -1.0, -1.0}, -1.0},
        {"osc two blanks", false, "1  2 3\r\n", false, {-1.0, -1.0, -1.0}, -1.0},
        {"osc empty file", false, "", false, {-1.0, -1.0, -1.0}, -1.0},
        {"osc good", false, "0.5 0.25 0.125\r\n", true, {0.5, 0.25, 0.125}, -1.0},
        {"dbm good", true, "1 2 3\r\n4 5 6 7 8 9 10 11\r\n", true, {1.0, 2.0, 3.0}, 4.0},
        // The channel line was already handed over when the band line turns out short.
        {"dbm short band line", true, "1 2 3\r\n4 5 6 7 8 9 10\r\n", false, {1.0, 2.0, 3.0}, -1.0},
        {"dbm band line missing", true, "1 2 3\r\n", false, {1.0, 2.0, 3.0}, -1.0},
    };
    for (const CASE& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetUp();
        WriteText(File("corr.dat"), c.text);
        const bool result = c.dbm ? m_thread.LoadDbmCorrections(File("corr.dat"))
                                  : m_thread.LoadOscCorrections(File("corr.dat"));
        EXPECT_EQ(result, c.result);
        for (int k = 0; k < 3; ++k)
        {
            const double value = c.dbm ? Channel()->GetDbmCorrection(k) : Channel()->GetOscCorrection(k);
            EXPECT_DOUBLE_EQ(value, c.channel[static_cast<size_t>(k)]) << "element " << k;
        }
        EXPECT_DOUBLE_EQ(Channel()->GetDbmCorrection2(1), c.firstBand);
    }
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
