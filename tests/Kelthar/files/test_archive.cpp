#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "kelthar.h"
#include "kelthar_core.h"
#include "signalsarchive.h"
#include "tempdir.h"
#include "textcodec.h"

namespace fs = std::filesystem;

namespace
{
ARCHIVE_SIGNAL_ENTRY Entry(int group, int id = -1)
{
    ARCHIVE_SIGNAL_ENTRY entry;
    entry.Index = id;
    entry.GroupIndex = group;
    return entry;
}

std::wstring Wide(const std::string& text)
{
    return kplatform::Utf8ToWide(text);
}

// Everything the model holds, as text, to show that a refused call changed nothing.
std::string Snapshot(CSignalsArchive& archive)
{
    std::ostringstream text;
    for (const auto& g : archive.GetPredefinedGroups())
        text << "P" << g.id << kplatform::WideToUtf8(g.name) << ";";
    for (const auto& g : archive.GetUserGroups())
        text << "U" << g.id << kplatform::WideToUtf8(g.name) << ";";
    std::vector<ARCHIVE_SIGNAL_ENTRY> entries;
    archive.GetSignalsOfGroup(entries, -1);
    for (const auto& e : entries)
        text << "E" << e.Index << "/" << e.GroupIndex << "/" << e.SignalRecordingNo << ";";
    for (const auto& r : archive.GetRecordings())
        text << "R" << r.number << kplatform::WideToUtf8(r.path) << "x" << r.useCount << ";";
    return text.str();
}

// "range" for std::out_of_range, "rule" for the other std::exception kinds, with the message.
std::string Thrown(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (const std::out_of_range& e)
    {
        return std::string("range: ") + e.what();
    }
    catch (const std::exception& e)
    {
        return std::string("rule: ") + e.what();
    }
    return "nothing";
}

void Touch(const std::string& path)
{
    std::ofstream(path, std::ios::binary) << "data";
}

// Predefined groups 0-3, as the program sets them up.
void AddPredefined(CSignalsArchive& archive)
{
    for (int id = 0; id < 4; ++id)
        archive.AddPredefinedGroup(id, L"group " + std::to_wstring(id));
}
}  // namespace

TEST(SignalsArchive, GroupIdsAreAssignedAfterTheLastPredefinedThenTheLastUserGroup)
{
    CSignalsArchive archive;
    AddPredefined(archive);
    EXPECT_EQ(archive.AddUserGroup(-1, L"mine"), 4);
    EXPECT_EQ(archive.AddUserGroup(-1, L"next"), 5);
    EXPECT_EQ(archive.AddUserGroup(9, L"far"), 9);
    EXPECT_EQ(archive.AddUserGroup(-1, L"after far"), 10);

    EXPECT_EQ(archive.GetGroup(3).name, L"group 3");
    EXPECT_EQ(archive.GetGroup(9).name, L"far");
    archive.RenameUserGroup({9, L"renamed"});
    EXPECT_EQ(archive.GetUserGroup(9).name, L"renamed");

    // Without predefined groups the first user group gets 0; an explicit first id is kept.
    CSignalsArchive bare;
    EXPECT_EQ(bare.AddUserGroup(-1, L"first"), 0);
    CSignalsArchive loaded;
    EXPECT_EQ(loaded.AddUserGroup(42, L"restored"), 42);
    EXPECT_EQ(loaded.GetGroup(42).name, L"restored");
}

TEST(SignalsArchive, EntryIdsStartAtZeroAndOnlyGrow)
{
    CSignalsArchive archive;
    EXPECT_EQ(archive.AddSignal(Entry(0)), 0);
    EXPECT_EQ(archive.AddSignal(Entry(1)), 1);
    EXPECT_EQ(archive.AddSignal(Entry(1, 7)), 7);
    EXPECT_EQ(archive.AddSignal(Entry(2)), 8);
    EXPECT_EQ(archive.GetSignal(7).GroupIndex, 1);
    EXPECT_EQ(archive.GetSignal(8).Index, 8);

    CSignalsArchive loaded;
    EXPECT_EQ(loaded.AddSignal(Entry(0, 12)), 12);
}

TEST(SignalsArchive, BrokenRulesAndUnknownIdsThrowTheirTextsAndChangeNothing)
{
    CSignalsArchive archive;
    AddPredefined(archive);
    archive.AddUserGroup(-1, L"user");
    archive.AddSignal(Entry(4, 5));
    archive.AddRecording(L"/rec/a.rec");

    struct Case
    {
        const char* what;
        std::function<void()> call;
        std::string thrown;
    };
    const std::vector<Case> cases = {
        {"predefined group after a user group", [&] { archive.AddPredefinedGroup(10, L"late"); },
         "rule: users list is not empty"},
        {"user group id below the last", [&] { archive.AddUserGroup(2, L"low"); },
         "rule: CSignalsArchive::AddUserGroup: non-unique id"},
        {"user group id equal to the last", [&] { archive.AddUserGroup(4, L"same"); },
         "rule: CSignalsArchive::AddUserGroup: non-unique id"},
        {"entry id equal to the last", [&] { archive.AddSignal(Entry(0, 5)); },
         "rule: CSignalsArchive::AddSignal: non-unique id"},
        {"entry id below the last", [&] { archive.AddSignal(Entry(0, 1)); },
         "rule: CSignalsArchive::AddSignal: non-unique id"},
        {"entry without a group", [&] { archive.AddSignal(Entry(-1)); },
         "rule: CSignalsArchive::AddSignal: no group index"},
        {"unknown user group", [&] { archive.GetUserGroup(2); },
         "range: CSignalsArchive::FindGroupNo: no such group"},
        {"unknown predefined group", [&] { archive.GetPredefinedGroup(4); },
         "range: CSignalsArchive::FindGroupNo: no such group"},
        {"group above every id", [&] { archive.GetGroup(99); },
         "range: CSignalsArchive::FindGroupNo: no such group"},
        {"renaming an unknown group",
         [&] {
             archive.RenameUserGroup({3, L"x"});
         },
         "range: CSignalsArchive::FindGroupNo: no such group"},
        {"removing an unknown group", [&] { archive.RemoveUserGroup(0); },
         "range: CSignalsArchive::FindGroupNo: no such group"},
        {"unknown entry", [&] { archive.GetSignal(4); },
         "range: CSignalsArchive::FindSignalNo: no such signal entry"},
        {"comment of an unknown entry", [&] { archive.SetSignalComment(6, L"x"); },
         "range: CSignalsArchive::FindSignalNo: no such signal entry"},
        {"group of an unknown entry", [&] { archive.SetSignalGroup(6, 0); },
         "range: CSignalsArchive::FindSignalNo: no such signal entry"},
        {"deleting an unknown entry", [&] { archive.DeleteSignal(6); },
         "range: CSignalsArchive::FindSignalNo: no such signal entry"},
        {"unknown recording", [&] { archive.FindRecordingNo(1); },
         "range: CSignalsArchive::FindRecordingNo: no such signal entry"},
    };
    const std::string before = Snapshot(archive);
    for (const Case& c : cases)
    {
        EXPECT_EQ(Thrown(c.call), c.thrown) << c.what;
        EXPECT_EQ(Snapshot(archive), before) << c.what;
    }

    CSignalsArchive predefinedOnly;
    predefinedOnly.AddPredefinedGroup(3, L"three");
    EXPECT_EQ(Thrown([&] { predefinedOnly.AddPredefinedGroup(3, L"again"); }),
              "rule: CSignalsArchive::AddPredefinedGroup: non-unique id");
    EXPECT_EQ(predefinedOnly.GetPredefinedGroups().size(), 1u);
}

TEST(SignalsArchive, RecordingsAreSharedByTheirNormalisedPath)
{
    CSignalsArchive archive;
    archive.SetFolder(L"/data/archive/");
    EXPECT_EQ(archive.AddRecording(L""), -1);
    EXPECT_TRUE(archive.GetRecordings().empty());

    EXPECT_EQ(archive.AddRecording(L"/data/archive/a.rec"), 0);
    EXPECT_EQ(archive.AddRecording(L"/data/archive/./a.rec"), 0);
    EXPECT_EQ(archive.AddRecording(L"a.rec"), 0);  // relative names lie in the archive folder
    EXPECT_EQ(archive.AddRecording(L"/data/other/a.rec"), 1);
    EXPECT_EQ(archive.AddRecording(L"/data/archive/A.rec"), 2);  // case matters

    ASSERT_EQ(archive.GetRecordings().size(), 3u);
    EXPECT_EQ(archive.GetRecordings()[0].useCount, 3);
    EXPECT_EQ(archive.FindRecordingNo(0), L"/data/archive/a.rec");
    EXPECT_EQ(archive.FindRecordingNo(1), L"/data/other/a.rec");
    EXPECT_EQ(archive.GetRecordings()[1].useCount, 1);
}

TEST(SignalsArchive, GetSignalsOfGroupReplacesForAllAndAppendsForOneGroup)
{
    CSignalsArchive archive;
    AddPredefined(archive);
    for (int group : {1, 2, 1})
        archive.AddSignal(Entry(group));
    archive.SetSignalGroup(0, 3);
    archive.SetSignalComment(2, L"seen twice");

    std::vector<ARCHIVE_SIGNAL_ENTRY> out(5, Entry(0, 99));
    archive.GetSignalsOfGroup(out, 1);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[5].Index, 2);
    EXPECT_EQ(out[5].Comment, L"seen twice");

    archive.GetSignalsOfGroup(out, -1);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].GroupIndex, 3);
    EXPECT_EQ(out[1].Index, 1);
}

// An archive folder with the files of its entries, and the core handing out the archive.
class ArchiveFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = m_dir.File("archive");
        fs::create_directory(m_folder);
        m_archive.SetFolder(Wide(m_folder));
        AddPredefined(m_archive);
    }

    std::string InFolder(const std::string& name) const { return m_folder + "/" + name; }
    static bool Exists(const std::string& path) { return fs::exists(fs::symlink_status(path)); }

    CTempDir m_dir;
    std::string m_folder;
    CSignalsArchive m_archive;
};

TEST_F(ArchiveFiles, ASharedRecordingIsDeletedWithItsLastEntry)
{
    const std::string rec = InFolder("shared.rec");
    Touch(rec);
    ARCHIVE_SIGNAL_ENTRY first = Entry(0);
    first.SignalRecordingNo = m_archive.AddRecording(Wide(rec));
    ARCHIVE_SIGNAL_ENTRY second = Entry(1);
    second.SignalRecordingNo = m_archive.AddRecording(L"shared.rec");
    ASSERT_EQ(first.SignalRecordingNo, second.SignalRecordingNo);
    const int firstId = m_archive.AddSignal(first);
    const int secondId = m_archive.AddSignal(second);

    m_archive.DeleteSignal(firstId);
    EXPECT_TRUE(Exists(rec));
    EXPECT_EQ(m_archive.GetRecordings()[0].useCount, 1);
    m_archive.DeleteSignal(secondId);
    EXPECT_FALSE(Exists(rec));
    // The recording stays listed, unused.
    ASSERT_EQ(m_archive.GetRecordings().size(), 1u);
    EXPECT_EQ(m_archive.GetRecordings()[0].useCount, 0);

    // Use counts rebuilt short (two entries, one registration): the file stays while an entry uses it.
    const std::string loaded = InFolder("loaded.rec");
    Touch(loaded);
    ARCHIVE_SIGNAL_ENTRY user = Entry(0);
    user.SignalRecordingNo = m_archive.AddRecording(Wide(loaded));
    const int thirdId = m_archive.AddSignal(user);
    const int fourthId = m_archive.AddSignal(user);
    m_archive.DeleteSignal(thirdId);
    EXPECT_TRUE(Exists(loaded));
    m_archive.DeleteSignal(fourthId);
    EXPECT_FALSE(Exists(loaded));
}

TEST_F(ArchiveFiles, AnImageOrSoundFileIsKeptWhileAnotherEntryNamesIt)
{
    const std::string image = InFolder("20240131235959123_rsd.img");
    const std::string sound = InFolder("voice.wav");
    const std::string own = InFolder("own_ddc.img");
    for (const auto& path : {image, sound, own})
        Touch(path);

    ARCHIVE_SIGNAL_ENTRY first = Entry(0);
    first.RangeImageFile = Wide(image);
    first.DdcImageFile = Wide(own);
    first.SoundRecordingFile = Wide(sound);
    ARCHIVE_SIGNAL_ENTRY second = Entry(0);
    // The same files, named differently.
    second.DemodImageFile = L"20240131235959123_rsd.img";
    second.SoundRecordingFile = Wide(m_folder + "/./voice.wav");
    const int firstId = m_archive.AddSignal(first);
    const int secondId = m_archive.AddSignal(second);

    m_archive.DeleteSignal(firstId);
    EXPECT_TRUE(Exists(image));
    EXPECT_TRUE(Exists(sound));
    EXPECT_FALSE(Exists(own));
    EXPECT_THROW(m_archive.GetSignal(firstId), std::out_of_range);

    m_archive.DeleteSignal(secondId);
    EXPECT_FALSE(Exists(image));
    EXPECT_FALSE(Exists(sound));

    // A recording registered for an entry still to come keeps its file as well.
    const std::string pending = InFolder("pending.rec");
    Touch(pending);
    m_archive.AddRecording(Wide(pending));
    ARCHIVE_SIGNAL_ENTRY stray = Entry(0);
    stray.SoundRecordingFile = Wide(pending);
    m_archive.DeleteSignal(m_archive.AddSignal(stray));
    EXPECT_TRUE(Exists(pending));
}

TEST_F(ArchiveFiles, AnUnlistedRecordingNumberIsRefusedBeforeAnythingChanges)
{
    const int group = m_archive.AddUserGroup(-1, L"mine");
    // A sound-and-recording entry of the group ahead of the broken one.
    const std::string sound = InFolder("b.wav");
    const std::string rec = InFolder("b.rec");
    Touch(sound);
    Touch(rec);
    ARCHIVE_SIGNAL_ENTRY good = Entry(group);
    good.SoundRecordingFile = Wide(sound);
    good.SignalRecordingNo = m_archive.AddRecording(Wide(rec));
    m_archive.AddSignal(good);

    const std::string image = InFolder("a_rsd.img");
    Touch(image);
    ARCHIVE_SIGNAL_ENTRY broken = Entry(group);
    broken.RangeImageFile = Wide(image);
    broken.SignalRecordingNo = 3;
    const int id = m_archive.AddSignal(broken);
    const std::string before = Snapshot(m_archive);

    EXPECT_EQ(Thrown([&] { m_archive.DeleteSignal(id); }),
              "range: CSignalsArchive::FindRecordingNo: no such signal entry");
    EXPECT_EQ(Thrown([&] { m_archive.RemoveUserGroup(group); }),
              "range: CSignalsArchive::FindRecordingNo: no such signal entry");
    for (const auto& path : {image, sound, rec})
        EXPECT_TRUE(Exists(path)) << path;
    EXPECT_EQ(Snapshot(m_archive), before);
}

TEST_F(ArchiveFiles, RemovingAUserGroupDeletesTheFilesOfItsEntriesOnly)
{
    const int group = m_archive.AddUserGroup(-1, L"mine");
    const int other = m_archive.AddUserGroup(-1, L"theirs");
    std::vector<std::string> goes;
    std::vector<std::string> stays;
    for (int i = 0; i < 4; ++i)
    {
        const bool mine = i % 2 == 0;
        const std::string image = InFolder("img" + std::to_string(i) + ".img");
        const std::string rec = InFolder("rec" + std::to_string(i) + ".rec");
        Touch(image);
        Touch(rec);
        ARCHIVE_SIGNAL_ENTRY entry = Entry(mine ? group : other);
        entry.DemodImageFile = Wide(image);
        entry.SignalRecordingNo = m_archive.AddRecording(Wide(rec));
        m_archive.AddSignal(entry);
        for (const auto& path : {image, rec})
            (mine ? goes : stays).push_back(path);
    }

    EXPECT_EQ(m_archive.RemoveUserGroup(group), 0);
    for (const auto& path : goes)
        EXPECT_FALSE(Exists(path)) << path;
    for (const auto& path : stays)
        EXPECT_TRUE(Exists(path)) << path;
    std::vector<ARCHIVE_SIGNAL_ENTRY> left;
    m_archive.GetSignalsOfGroup(left, -1);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].Index, 1);
    EXPECT_EQ(left[1].Index, 3);
    ASSERT_EQ(m_archive.GetUserGroups().size(), 1u);
    EXPECT_EQ(m_archive.GetUserGroups()[0].id, other);
}

// Entry file names come from an archive file the operator can edit: nothing but the regular files
// they name goes, relative names lie in the archive folder, and a name that climbs out is refused.
TEST_F(ArchiveFiles, NothingOutsideTheRegisteredFilesIsDeleted)
{
    const std::string outside = m_dir.File("outside");
    fs::create_directory(outside);
    const std::string victim = outside + "/victim.img";
    Touch(victim);
    fs::create_directory(InFolder("sub"));
    fs::create_symlink(victim, InFolder("link.img"));
    const std::string neighbour = InFolder("not_named.img");
    Touch(neighbour);

    // The working folder holds a file named like a monitoring event id; the archive knows "17" only
    // as a name inside its folder.
    const fs::path previous = fs::current_path();
    fs::current_path(outside);
    const std::string decoy = outside + "/17";
    Touch(decoy);

    struct Case
    {
        const char* what;
        std::wstring name;
        std::string survivor;
    };
    const std::vector<Case> cases = {
        {"event id as a recording name", L"17", decoy},
        {"climbing out of the folder", Wide(m_folder + "/../outside/victim.img"), victim},
        {"relative climb", L"../outside/victim.img", victim},
        {"a folder", Wide(InFolder("sub")), InFolder("sub")},
        {"the archive folder itself", Wide(m_folder), m_folder},
        // A link is left alone, whatever it points to.
        {"a link", L"link.img", InFolder("link.img")},
    };
    for (const Case& c : cases)
    {
        ARCHIVE_SIGNAL_ENTRY entry = Entry(0);
        entry.RangeImageFile = c.name;
        entry.SoundRecordingFile = c.name;
        entry.SignalRecordingNo = m_archive.AddRecording(c.name);
        m_archive.DeleteSignal(m_archive.AddSignal(entry));
        EXPECT_TRUE(Exists(c.survivor)) << c.what;
        EXPECT_TRUE(Exists(neighbour)) << c.what;
    }

    // Without an archive folder a relative name means nothing and deletes nothing.
    CSignalsArchive unset;
    ARCHIVE_SIGNAL_ENTRY entry = Entry(0);
    entry.SignalRecordingNo = unset.AddRecording(L"17");
    entry.DemodImageFile = L"17";
    unset.DeleteSignal(unset.AddSignal(entry));
    EXPECT_TRUE(Exists(decoy));
    fs::current_path(previous);

    // A registered recording in a recording folder of its own is the archive's to delete.
    const std::string recording = outside + "/signal.rec";
    Touch(recording);
    ARCHIVE_SIGNAL_ENTRY recorded = Entry(0);
    recorded.SignalRecordingNo = m_archive.AddRecording(Wide(recording));
    m_archive.DeleteSignal(m_archive.AddSignal(recorded));
    EXPECT_FALSE(Exists(recording));
}

TEST(SignalsArchive, TheCoreHandsOutItsArchiveAndTemplates)
{
    // No front-end unit on this machine: the port the library is told to use does not exist.
    setenv("KELTHAR_FRONTEND_PORT", "/dev/veltrano-no-such-port", 1);
    IKelthar* raw = nullptr;
    ASSERT_TRUE(FPGAQueryInterface(&raw));
    std::unique_ptr<IKelthar> core(raw);
    for (int id : {13, 22})
    {
        void* first = nullptr;
        void* second = nullptr;
        ASSERT_TRUE(core->GetInterface(id, &first)) << id;
        ASSERT_TRUE(core->GetInterface(id, &second)) << id;
        EXPECT_EQ(first, second) << id;
    }
    void* out = nullptr;
    ASSERT_TRUE(core->GetInterface(13, &out));
    auto* archive = static_cast<ISignalsArchive*>(out);
    archive->AddPredefinedGroup(0, L"zero");
    EXPECT_EQ(archive->AddUserGroup(-1, L"one"), 1);
    void* unused = nullptr;
    EXPECT_FALSE(archive->GetInterface(0, &unused));
    ASSERT_TRUE(core->GetInterface(22, &out));
    EXPECT_TRUE(static_cast<ITemplates*>(out)->Add(TEMPLATE_ITEM{true, L"t", {}}));
    EXPECT_EQ(static_cast<ITemplates*>(out)->GetCount(), 1);
}
