// Pane data files and archive images: the bytes on disk, the round trips, the refusal of damaged
// files with the pane left as it was, and archive entries with their images and recordings.

#include <gtest/gtest.h>

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "archiveentryfactory.h"
#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "isignalsarchive.h"
#include "newsignalentrydialog.h"
#include "recorderwindow.h"
#include "recordingrecorder.h"
#include "scriptedprompt.h"
#include "tempdir.h"
#include "testdevice.h"
#include "testview.h"
#include "ui_newsignalentrydialog.h"
#include "vectorgraphic.h"

namespace
{
// The test view with a vector pane ("Vec", four traces) as the band view has one.
class CFilesView : public CTestView
{
public:
    CFilesView()
    {
        AddGraphic(QStringLiteral("Vec"), m_vec);
        m_spec->SetXLimits(10.0, 20.0, 20.0);
        m_spec->SetFixedYRange(-100.0, 0.0);
    }
    ~CFilesView() override { delete m_vec; }
    CFilesView(const CFilesView&) = delete;
    CFilesView& operator=(const CFilesView&) = delete;

    // Shows one pane and presses the mouse in its middle, as the context menu leaves it.
    void Press(const char* pane)
    {
        ShowPane(QLatin1String(pane));
        m_PressPoint = rect().center();
    }

    CQVectorGraphic* m_vec = new CQVectorGraphic;
};

QByteArray Be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray BeDouble(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray bytes(8, '\0');
    qToBigEndian(bits, bytes.data());
    return bytes;
}

// Length 6, then the three letters as UTF-16 big-endian.
QByteArray Frame(const char* tag)
{
    QByteArray bytes = Be32(6);
    for (int k = 0; k < 3; ++k)
        bytes += QByteArray(1, '\0') + QByteArray(1, tag[k]);
    return bytes;
}

QByteArray Vector(const std::vector<double>& values)
{
    QByteArray bytes = Be32(static_cast<quint32>(values.size()));
    for (double v : values)
        bytes += BeDouble(v);
    return bytes;
}

QByteArray Windows(IGraphic* pane)
{
    return BeDouble(pane->GetXMin()) + BeDouble(pane->GetXMax()) + BeDouble(pane->GetXFrom()) +
           BeDouble(pane->GetXTo()) + BeDouble(pane->GetYFrom()) + BeDouble(pane->GetYTo());
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Everything a load may change in a pane of simple traces.
std::vector<double> Snapshot(IGraphic* pane)
{
    std::vector<double> s = {pane->GetXMin(),
                             pane->GetXMax(),
                             pane->GetXFrom(),
                             pane->GetXTo(),
                             pane->GetYFrom(),
                             pane->GetYTo(),
                             static_cast<double>(pane->GetDataOperation())};
    auto* simple = dynamic_cast<ISimpleGraphic*>(pane);
    for (int i = 0; simple != nullptr && i < pane->GetTraceCount(); ++i)
    {
        const std::vector<double>& data = *simple->GetData(i);
        s.push_back(static_cast<double>(data.size()));
        s.insert(s.end(), data.begin(), data.end());
    }
    return s;
}

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string LoadError(CViewBase& view, const QString& path, const char* tag, IGraphic* pane, int kind)
{
    try
    {
        view.LoadPaneData(path, QLatin1String(tag), pane, kind);
    }
    catch (const std::exception& e)
    {
        return e.what();
    }
    return {};
}
// Answers the new-entry dialog as the operator would: types the comment, ticks "Include image" and
// presses OK.
CScriptedPrompt::DialogAction EnterComment(const QString& comment)
{
    return [comment](QDialog& dialog)
    {
        auto& entry = dynamic_cast<CNewSignalEntryDialog&>(dialog);
        entry.Form().m_pCommentEdit->setText(comment);
        entry.Form().m_pImageCheck->setChecked(true);
        entry.Form().buttonBox->button(QDialogButtonBox::Ok)->click();
        return entry.result();
    };
}
}  // namespace

// The frame and each pane's payload, byte for byte: a waterfall file is the tag alone.
TEST(PaneFiles, AreWrittenByteForByte)
{
    CTempDir dir;
    CFilesView view;
    view.m_spec->SetData(1, {-1.5, -2.25});
    view.m_osc->SetData(0, {0.5, -0.5, 0.25});
    view.m_vec->SetIQData({0.1, 0.2}, {-0.1, -0.2});

    struct Case
    {
        IGraphic* pane;
        const char* tag;
        int kind;
        QByteArray payload;
    };
    const Case cases[] = {
        {view.m_waterfall, "rwd", 0, {}},
        {view.m_spec, "rsd", 0, Windows(view.m_spec) + QByteArray(1, '\0') + Vector({-1.5, -2.25})},
        {view.m_osc, "rod", 0, Windows(view.m_osc) + Vector({0.5, -0.5, 0.25})},
        // Kind 1 writes what the oscillogram shows: the derived trace, empty while nothing is held.
        {view.m_osc, "rod", 1, Windows(view.m_osc) + Vector({})},
        {view.m_vec, "dvd", 2, Windows(view.m_vec) + Vector({0.1, 0.2}) + Vector({-0.1, -0.2})},
        // A kind the reader does not know writes the tag only.
        {view.m_spec, "rsd", 7, {}},
    };
    for (const Case& c : cases)
    {
        const QString path = Q(dir.File(std::string("pane.") + c.tag));
        view.SavePaneData(path, QLatin1String(c.tag), c.pane, c.kind);
        EXPECT_EQ(ReadAll(path).toHex(), (Frame(c.tag) + c.payload).toHex()) << c.tag << " kind " << c.kind;
    }
    EXPECT_EQ(ReadAll(Q(dir.File("pane.rwd"))).size(), 10);
}

TEST(PaneFiles, RoundTripIntoAFreshView)
{
    CTempDir dir;
    CFilesView source;
    const std::vector<double> levels = {-80.0, -72.5, -std::numeric_limits<double>::infinity(), -90.125};
    source.m_spec->SetData(1, levels);
    source.m_spec->SetXWindow(12.0, 18.0);
    const std::vector<double> samples = {0.5, -0.25, 0.125};
    source.m_osc->SetData(0, samples);
    const std::vector<double> i = {0.1, 0.2, 0.3}, q = {-0.3, -0.2, -0.1};
    source.m_vec->SetIQData(i, q);
    const QString spec = Q(dir.File("a.rsd")), osc = Q(dir.File("a.rod")), vec = Q(dir.File("a.dvd"));
    source.SavePaneData(spec, "rsd", source.m_spec, 0);
    source.SavePaneData(osc, "rod", source.m_osc, 0);
    source.SavePaneData(vec, "dvd", source.m_vec, 2);

    CFilesView view;
    view.LoadPaneData(spec, "rsd", view.m_spec, 0);
    EXPECT_TRUE(view.IsLoadedData());
    EXPECT_EQ(*view.m_spec->GetData(2), levels) << "a loaded spectrum is held";
    EXPECT_DOUBLE_EQ(view.m_spec->GetXFrom(), 12.0);
    EXPECT_DOUBLE_EQ(view.m_spec->GetXTo(), 18.0);

    view.LoadPaneData(osc, "rod", view.m_osc, 0);
    EXPECT_EQ(*view.m_osc->GetData(1), samples);
    view.LoadPaneData(vec, "dvd", view.m_vec, 2);
    EXPECT_EQ(*view.m_vec->GetData(1), i);
    EXPECT_EQ(*view.m_vec->GetData(3), q);

    // Kind 1 reads nothing after the tag; the flag is still set.
    CFilesView other;
    const std::vector<double> before = Snapshot(other.m_osc);
    other.LoadPaneData(osc, "rod", other.m_osc, 1);
    EXPECT_TRUE(other.IsLoadedData());
    EXPECT_EQ(Snapshot(other.m_osc), before);
}

// Every damaged file is refused with a message; the pane and the loaded-data flag stay as they were.
TEST(PaneFiles, DamagedFilesAreRefusedAndChangeNothing)
{
    CTempDir dir;
    CFilesView source;
    source.m_spec->SetData(1, {-50.0, -60.0, -70.0});
    const QString goodPath = Q(dir.File("good.rsd"));
    source.SavePaneData(goodPath, "rsd", source.m_spec, 0);
    const QByteArray good = ReadAll(goodPath);
    ASSERT_EQ(good.size(), 10 + 48 + 1 + 4 + 24);
    const int xFrom = 10 + 16, xTo = 10 + 24, count = 10 + 49;

    auto patched = [&](int offset, const QByteArray& bytes)
    {
        QByteArray b = good;
        b.replace(offset, bytes.size(), bytes);
        return b;
    };
    const std::string wrongType = "Wrong file type!";
    struct Case
    {
        const char* name;
        QByteArray bytes;
        bool frameError;
    };
    const Case cases[] = {
        {"empty", QByteArray(), true},
        {"3 bytes", good.left(3), true},
        {"wrong length field", patched(0, Be32(8)), true},
        {"odd length field", patched(0, Be32(5)), true},
        {"huge length field", patched(0, Be32(0x7ffffff0)), true},
        {"null string", Be32(0xffffffff) + good.mid(10), true},
        {"wrong tag", patched(0, Frame("rod")), true},
        {"tag only", good.left(10), false},
        {"truncated windows", good.left(30), false},
        {"truncated vector", good.left(good.size() - 4), false},
        {"count 0x7fffffff", patched(count, Be32(0x7fffffff)), false},
        {"negative count", patched(count, Be32(0xfffffffe)), false},
        {"NaN window", patched(xFrom, BeDouble(std::nan(""))), false},
        {"infinite window", patched(xTo, BeDouble(std::numeric_limits<double>::infinity())), false},
        {"inverted window", patched(xFrom, BeDouble(19.0) + BeDouble(11.0)), false},
    };

    CFilesView view;
    view.m_spec->SetData(1, {-1.0});
    view.m_spec->SetData(2, {-2.0});
    const std::vector<double> before = Snapshot(view.m_spec);
    for (const Case& c : cases)
    {
        const QString path = Q(dir.File("bad.rsd"));
        WriteAll(path, c.bytes);
        const std::string error = LoadError(view, path, "rsd", view.m_spec, 0);
        EXPECT_FALSE(error.empty()) << c.name;
        if (c.frameError)
            EXPECT_EQ(error, wrongType) << c.name;
        else
            EXPECT_NE(error, wrongType) << c.name << ": a damaged payload says so";
        EXPECT_EQ(Snapshot(view.m_spec), before) << c.name;
        EXPECT_FALSE(view.IsLoadedData()) << c.name;
    }

    // A file that cannot be read has no tag; a vector file for a pane that is not a vector pane.
    EXPECT_EQ(LoadError(view, Q(dir.File("missing.rsd")), "rsd", view.m_spec, 0), wrongType);
    EXPECT_EQ(LoadError(view, goodPath, "rsd", view.m_osc, 2), wrongType);
    EXPECT_FALSE(view.IsLoadedData());
}

TEST(PaneFiles, AFailedWriteIsReportedAndKeepsTheOldFile)
{
    CTempDir dir;
    CFilesView view;
    view.m_spec->SetData(1, {-10.0});
    EXPECT_THROW(view.SavePaneData(Q(dir.File("no/such/folder/x.rsd")), "rsd", view.m_spec, 0),
                 std::runtime_error);
    // A folder in the file's place: the save fails and the folder is untouched.
    const QString folder = Q(dir.File("taken.rsd"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_THROW(view.SavePaneData(folder, "rsd", view.m_spec, 0), std::runtime_error);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(ArchiveImages, AreShownOnlyWhenTheirTypeAndContentFitThePane)
{
    CTempDir dir;
    CFilesView source;
    source.m_spec->SetData(1, {-30.0, -40.0});
    const QString image = Q(dir.File("20240131235959123_rsd.img"));
    source.SavePaneData(image, "rsd", source.m_spec, 0);
    QByteArray damaged = ReadAll(image);
    damaged.chop(3);
    const QString damagedImage = Q(dir.File("20240131235959124_rsd.img"));
    WriteAll(damagedImage, damaged);

    CFilesView view;
    view.Press("Spec");
    const std::vector<double> before = Snapshot(view.m_spec);
    struct Case
    {
        QString file;
        const char* type;
        const char* message;
    };
    const Case refused[] = {
        {image, "rod", "Wrong file type!"},
        {damagedImage, "rsd", "damaged"},
        {Q(dir.File("missing_rsd.img")), "rsd", "Wrong file type!"},
    };
    for (const Case& c : refused)
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QLatin1String(c.message));
        EXPECT_FALSE(view.ShowArchiveImage(c.file, QLatin1String(c.type))) << c.type;
        EXPECT_EQ(Snapshot(view.m_spec), before);
        EXPECT_FALSE(view.IsLoadedData());
    }

    // An oscillogram image while the main window shows a spectrum is refused before it is read.
    view.Press("Osc");
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Wrong file type!"));
        EXPECT_FALSE(view.ShowArchiveImage(image, QStringLiteral("rsd")));
    }

    view.Press("Spec");
    EXPECT_TRUE(view.ShowArchiveImage(image, QStringLiteral("rsd")));
    EXPECT_TRUE(view.IsLoadedData());
    EXPECT_EQ(*view.m_spec->GetData(2), (std::vector<double>{-30.0, -40.0}));
}

// Images made in one millisecond get the next free stamps; the tag stays right after the first "_".
TEST(ArchiveImages, NamesOfOneMillisecondStayApart)
{
    CTempDir dir;
    const QString folder = Q(dir.Path());
    const QDateTime now(QDate(2024, 1, 31), QTime(23, 59, 59, 999));
    const QString first = CViewBase::NewArchiveImageName(folder, "rsd", now);
    EXPECT_EQ(first, folder + "/20240131235959999_rsd.img");
    WriteAll(first, "x");
    const QString second = CViewBase::NewArchiveImageName(folder, "rsd", now);
    EXPECT_EQ(second, folder + "/20240201000000000_rsd.img");
    WriteAll(second, "y");
    EXPECT_EQ(CViewBase::NewArchiveImageName(folder, "rsd", now), folder + "/20240201000000001_rsd.img");
    // Another tag has a name of its own in the same millisecond.
    EXPECT_EQ(CViewBase::NewArchiveImageName(folder, "dod", now), folder + "/20240131235959999_dod.img");
    EXPECT_EQ(ReadAll(first), QByteArray("x"));
}

class ArchiveEntryTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { PrepareTestDevice({61e6}); }

    void SetUp() override
    {
        m_archive = g_DeviceThread.m_pArchive;
        ASSERT_NE(m_archive, nullptr);
        m_folder = m_archive->GetFolder();
        m_archive->SetFolder(QString::fromStdString(m_dir.Path()).toStdWString());
    }
    void TearDown() override
    {
        m_archive->SetFolder(m_folder);
        CArchiveEntryFactory::SetQuestion({});
    }

    std::vector<ARCHIVE_SIGNAL_ENTRY> Entries()
    {
        std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
        m_archive->GetSignalsOfGroup(entries, -1);
        return entries;
    }
    QStringList Images() { return QDir(QString::fromStdString(m_dir.Path())).entryList(QDir::Files); }

    CTempDir m_dir;
    ISignalsArchive* m_archive = nullptr;
    std::wstring m_folder;
};

// The default question is the new-entry dialog; the entry then carries the range pane's image, the
// frequencies in Hz and the current channel type.
TEST_F(ArchiveEntryTest, AnEntryThroughTheFactoryWritesItsImage)
{
    CFilesView view;
    view.m_spec->SetData(1, {-55.0, -45.0, -65.0});
    view.Press("Spec");
    QSignalSpy saves(&view, &CViewBase::saveArchive);
    const size_t before = Entries().size();
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(EnterComment(QStringLiteral("carrier near 100 MHz")),
                         QStringLiteral("Add Signal to Archive"));
        EXPECT_TRUE(CArchiveEntryFactory::AddEntry(&view, 0, 99.5e6, 100.5e6, 100e6));
    }
    EXPECT_EQ(saves.count(), 1);
    const std::vector<ARCHIVE_SIGNAL_ENTRY> entries = Entries();
    ASSERT_EQ(entries.size(), before + 1);
    const ARCHIVE_SIGNAL_ENTRY& entry = entries.back();
    EXPECT_EQ(entry.Comment, L"carrier near 100 MHz");
    EXPECT_DOUBLE_EQ(entry.FreqBegin, 99.5e6);
    EXPECT_DOUBLE_EQ(entry.FreqEnd, 100.5e6);
    EXPECT_DOUBLE_EQ(entry.FreqPeak, 100e6);
    EXPECT_DOUBLE_EQ(entry.Level, -1.0);
    EXPECT_DOUBLE_EQ(entry.Excess, -1.0);
    EXPECT_EQ(entry.Source, 0);
    EXPECT_EQ(entry.Channel, g_DeviceThread.GetChannelType());
    EXPECT_LE(std::abs(entry.Timestamp - now), 2);
    EXPECT_EQ(entry.SignalRecordingNo, -1);
    EXPECT_TRUE(entry.SoundRecordingFile.empty());
    EXPECT_TRUE(entry.DdcImageFile.empty());
    EXPECT_TRUE(entry.DemodImageFile.empty());

    const QString image = QString::fromStdWString(entry.RangeImageFile);
    const QFileInfo info(image);
    EXPECT_EQ(info.absolutePath(), QFileInfo(QString::fromStdString(m_dir.Path())).absoluteFilePath());
    EXPECT_TRUE(info.fileName().section('_', 1) == "rsd.img") << image.toStdString();
    EXPECT_EQ(info.fileName().section('_', 0, 0).size(), 17);

    // The image is a pane file of its tag and shows in another view.
    CFilesView other;
    other.Press("Spec");
    EXPECT_TRUE(other.ShowArchiveImage(image, QStringLiteral("rsd")));
    EXPECT_EQ(*other.m_spec->GetData(2), (std::vector<double>{-55.0, -45.0, -65.0}));

    // A second entry at once gets an image of its own.
    {
        CScriptedPrompt prompt;
        prompt.RunDialog(EnterComment(QStringLiteral("again")));
        EXPECT_TRUE(CArchiveEntryFactory::AddEntry(&view, 0, 99.5e6, 100.5e6, 100e6));
    }
    EXPECT_EQ(Images().size(), 2);
    EXPECT_NE(Entries().back().RangeImageFile, entry.RangeImageFile);

    // Cancelling the question files nothing.
    {
        CScriptedPrompt prompt;
        prompt.RunDialog([](QDialog&) { return int(QDialog::Rejected); });
        EXPECT_FALSE(CArchiveEntryFactory::AddEntry(&view, 0, 99.5e6, 100.5e6, 100e6));
    }
    EXPECT_EQ(Entries().size(), before + 2);
    EXPECT_EQ(saves.count(), 2);
}

// The band entry spans the band receiver's band; a sound recording the band's rate does not allow is
// refused before anything is filed.
TEST_F(ArchiveEntryTest, ABandEntrySpansTheCurrentBand)
{
    CFilesView view;
    view.Press("Spec");
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    const double tuneHz = bits->GetTuneFreq();
    const double rateHz = bits->GetSampleRate(-1);
    ASSERT_GT(rateHz, 384000.0);
    const size_t before = Entries().size();
    ARCHIVE_ENTRY_REQUEST answer;
    answer.strComment = "band";
    answer.bImage = false;
    CArchiveEntryFactory::SetQuestion(
        [&](int pane, ARCHIVE_ENTRY_REQUEST* request)
        {
            *request = answer;
            request->nPane = pane;
            return true;
        });
    EXPECT_TRUE(CArchiveEntryFactory::AddBandEntry(&view, 1));
    ASSERT_EQ(Entries().size(), before + 1);
    EXPECT_DOUBLE_EQ(Entries().back().FreqBegin, tuneHz - rateHz / 2);
    EXPECT_DOUBLE_EQ(Entries().back().FreqEnd, tuneHz + rateHz / 2);
    EXPECT_DOUBLE_EQ(Entries().back().FreqPeak, tuneHz);
    EXPECT_TRUE(Images().isEmpty());

    answer.m_SoundRecording.bRecord = true;
    answer.m_SoundRecording.strPath = "sound.wav";
    CScriptedPrompt prompt;
    prompt.Answer(QMessageBox::Ok, QStringLiteral("below 192 kHz only!"));
    EXPECT_FALSE(CArchiveEntryFactory::AddBandEntry(&view, 1));
    EXPECT_EQ(Entries().size(), before + 1);
}

TEST_F(ArchiveEntryTest, PanesRecordingsAndFailures)
{
    CFilesView view;
    CRecordingRecorder signalRecorder, soundRecorder;
    view.m_pSignalRecorderWindow = &signalRecorder;
    view.m_pSoundRecorderWindow = &soundRecorder;
    QSignalSpy saves(&view, &CViewBase::saveArchive);
    const SIGNAL_RECORDING_PARAMS noSignal;
    const SOUND_RECORDING_PARAMS noSound;

    // The band view over its vector pane: an oscillogram image, "dod", kept as the DDC image.
    view.Press("Vec");
    view.AddEntryToArchive(true, 1, noSignal, noSound, 2, "vector", 1e6, 2e6, 1.5e6, -20.0, 3.0, 0);
    ASSERT_EQ(saves.count(), 1);
    ARCHIVE_SIGNAL_ENTRY entry = Entries().back();
    EXPECT_TRUE(QString::fromStdWString(entry.DdcImageFile).endsWith("_dod.img"));
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdWString(entry.DdcImageFile)));
    EXPECT_TRUE(entry.RangeImageFile.empty());
    EXPECT_EQ(entry.GroupIndex, 2);

    // Without the image, with both recordings: no image at all, the recordings started and named.
    view.Press("Spec");
    SIGNAL_RECORDING_PARAMS signal;
    signal.bRecord = true;
    signal.nStopSeconds = 60;
    signal.strPath = Q(m_dir.File("signal.rec"));
    SOUND_RECORDING_PARAMS sound;
    sound.bRecord = true;
    sound.nStopSeconds = 5;
    sound.strPath = Q(m_dir.File("sound.wav"));
    const QStringList images = Images();
    view.AddEntryToArchive(false, 2, signal, sound, 0, "rec", 1e6, 2e6, 1.5e6, -20.0, 3.0, 0);
    ASSERT_EQ(saves.count(), 2);
    entry = Entries().back();
    EXPECT_TRUE(entry.RangeImageFile.empty() && entry.DdcImageFile.empty() && entry.DemodImageFile.empty());
    EXPECT_EQ(Images(), images);
    ASSERT_EQ(signalRecorder.calls.size(), 1u);
    EXPECT_EQ(signalRecorder.calls[0].path, signal.strPath);
    EXPECT_DOUBLE_EQ(signalRecorder.calls[0].from, view.m_spec->GetXFrom());
    EXPECT_DOUBLE_EQ(signalRecorder.calls[0].to, view.m_spec->GetXTo());
    EXPECT_EQ(signalRecorder.calls[0].stopSeconds, 60);
    ASSERT_EQ(soundRecorder.calls.size(), 1u);
    EXPECT_EQ(soundRecorder.calls[0].path, sound.strPath);
    EXPECT_EQ(soundRecorder.calls[0].from, 0.0);
    EXPECT_EQ(soundRecorder.calls[0].stopSeconds, 5);
    ASSERT_GE(entry.SignalRecordingNo, 0);
    EXPECT_EQ(m_archive->FindRecordingNo(entry.SignalRecordingNo), signal.strPath.toStdWString());
    EXPECT_EQ(entry.SoundRecordingFile, sound.strPath.toStdWString());

    // A recorder window that refuses the start (it says why itself) made no file: the entry names
    // none, while the other recording, taken, is named.
    signalRecorder.Stop();
    soundRecorder.Stop();
    struct Refusal
    {
        bool signal;
        bool sound;
    };
    for (const Refusal r : {Refusal{true, false}, Refusal{false, true}, Refusal{true, true}})
    {
        signalRecorder.refuse = r.signal;
        soundRecorder.refuse = r.sound;
        view.AddEntryToArchive(false, 2, signal, sound, 0, "refused", 1e6, 2e6, 1.5e6, -20.0, 3.0, 0);
        entry = Entries().back();
        EXPECT_EQ(entry.Comment, L"refused");
        EXPECT_EQ(entry.SignalRecordingNo >= 0, !r.signal) << r.signal << r.sound;
        EXPECT_EQ(entry.SoundRecordingFile.empty(), r.sound) << r.signal << r.sound;
        signalRecorder.Stop();
        soundRecorder.Stop();
    }
    signalRecorder.refuse = false;
    soundRecorder.refuse = false;
    const size_t started = signalRecorder.calls.size();

    // No pane under the press point: a warning, and nothing written, started or filed.
    const size_t count = Entries().size();
    view.m_PressPoint = QPoint(-5, -5);
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Could not add entry to archive!"));
        view.AddEntryToArchive(true, 0, signal, sound, 0, "none", 1e6, 2e6, 1.5e6, -20.0, 3.0, 0);
    }
    EXPECT_EQ(Entries().size(), count);
    EXPECT_EQ(signalRecorder.calls.size(), started);
    EXPECT_EQ(Images(), images);

    // The archive refuses the entry: reported, no save, and no image left without an entry.
    view.Press("Spec");
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Failed to add an entry to the archive!"));
        view.AddEntryToArchive(true, 0, noSignal, noSound, -1, "refused", 1e6, 2e6, 1.5e6, -20.0, 3.0, 0);
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].icon, QMessageBox::Critical);
    }
    EXPECT_EQ(Entries().size(), count);
    EXPECT_EQ(saves.count(), 5);
    EXPECT_EQ(Images(), images);

    // An image that cannot be written is reported; the entry is filed without it.
    m_archive->SetFolder(QString::fromStdString(m_dir.File("no/such/folder")).toStdWString());
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Could not save the archive image!"));
        view.AddEntryToArchive(true, 0, noSignal, noSound, 0, "no image", 1e6, 2e6, 1.5e6, -20.0, 3.0, 0);
    }
    ASSERT_EQ(Entries().size(), count + 1);
    EXPECT_TRUE(Entries().back().RangeImageFile.empty());
    EXPECT_EQ(saves.count(), 6);

    // Nor is an image written at the file system's root when no archive folder is set.
    m_archive->SetFolder(std::wstring());
    {
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, QStringLiteral("No archive folder is set."));
        view.AddEntryToArchive(true, 0, noSignal, noSound, 0, "no folder", 1e6, 2e6, 1.5e6, -20.0, 3.0, 0);
    }
    ASSERT_EQ(Entries().size(), count + 2);
    EXPECT_TRUE(Entries().back().RangeImageFile.empty());
}
