#include "signalsarchive.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "fileutil.h"
#include "textcodec.h"

namespace fs = std::filesystem;

namespace
{
bool HasParentStep(const fs::path& path)
{
    return std::any_of(path.begin(), path.end(), [](const fs::path& part) { return part == ".."; });
}

// Relative names belong to the archive folder; without a folder they stay as given, which only
// serves comparison: such a name is never deleted.
fs::path Normalised(const std::wstring& folder, const std::wstring& name)
{
    fs::path path(kplatform::WideToUtf8(name));
    if (path.is_relative() && !folder.empty())
        path = fs::path(kplatform::WideToUtf8(folder)) / path;
    return path.lexically_normal();
}

bool SameFile(const std::wstring& folder, const std::wstring& name, const std::string& path)
{
    return !name.empty() && Normalised(folder, name).generic_string() == path;
}
}  // namespace

void CSignalsArchive::SetFolder(const std::wstring& folder)
{
    m_folder = folder;
}

const std::wstring& CSignalsArchive::GetFolder()
{
    return m_folder;
}

int CSignalsArchive::AddPredefinedGroup(int id, const std::wstring& name)
{
    if (!m_userGroups.empty())
        throw std::runtime_error("users list is not empty");
    if (!m_predefinedGroups.empty() && id <= m_predefinedGroups.back().id)
        throw std::runtime_error("CSignalsArchive::AddPredefinedGroup: non-unique id");
    m_predefinedGroups.push_back({id, name});
    return id;
}

int CSignalsArchive::AddUserGroup(int id, const std::wstring& name)
{
    if (m_userGroups.empty())
    {
        // Without predefined groups the first assigned id is 0.
        if (id == -1)
            id = m_predefinedGroups.empty() ? 0 : m_predefinedGroups.back().id + 1;
    }
    else if (id == -1)
    {
        id = m_userGroups.back().id + 1;
    }
    else if (id <= m_userGroups.back().id)
    {
        throw std::runtime_error("CSignalsArchive::AddUserGroup: non-unique id");
    }
    m_userGroups.push_back({id, name});
    return id;
}

void CSignalsArchive::RenameUserGroup(const ARCHIVE_GROUP& group)
{
    FindGroupNo(m_userGroups, group.id).name = group.name;
}

int CSignalsArchive::RemoveUserGroup(int id)
{
    const ARCHIVE_GROUP& group = FindGroupNo(m_userGroups, id);
    // Every recording number is checked before anything changes, so that a bad entry leaves the
    // whole group as it was.
    for (const ARCHIVE_SIGNAL_ENTRY& entry : m_entries)
    {
        if (entry.GroupIndex == id && entry.SignalRecordingNo != -1)
            FindRecording(entry.SignalRecordingNo);
    }
    std::vector<std::wstring> files;
    for (const ARCHIVE_SIGNAL_ENTRY& entry : m_entries)
    {
        if (entry.GroupIndex == id)
            ReleaseFiles(entry, files);
    }
    m_entries.erase(
        std::remove_if(m_entries.begin(), m_entries.end(),
                       [id](const ARCHIVE_SIGNAL_ENTRY& entry) { return entry.GroupIndex == id; }),
        m_entries.end());
    DeleteUnusedFiles(files);
    m_userGroups.erase(m_userGroups.begin() + (&group - m_userGroups.data()));
    return 0;
}

const std::vector<ARCHIVE_GROUP>& CSignalsArchive::GetPredefinedGroups()
{
    return m_predefinedGroups;
}

const std::vector<ARCHIVE_GROUP>& CSignalsArchive::GetUserGroups()
{
    return m_userGroups;
}

const ARCHIVE_GROUP& CSignalsArchive::GetPredefinedGroup(int id)
{
    return FindGroupNo(m_predefinedGroups, id);
}

const ARCHIVE_GROUP& CSignalsArchive::GetUserGroup(int id)
{
    return FindGroupNo(m_userGroups, id);
}

const ARCHIVE_GROUP& CSignalsArchive::GetGroup(int id)
{
    if (!m_predefinedGroups.empty() && id <= m_predefinedGroups.back().id)
        return FindGroupNo(m_predefinedGroups, id);
    return FindGroupNo(m_userGroups, id);
}

int CSignalsArchive::AddSignal(ARCHIVE_SIGNAL_ENTRY entry)
{
    if (!m_entries.empty())
    {
        if (entry.Index == -1)
            entry.Index = m_entries.back().Index + 1;
        else if (entry.Index <= m_entries.back().Index)
            throw std::runtime_error("CSignalsArchive::AddSignal: non-unique id");
    }
    else if (entry.Index == -1)
    {
        entry.Index = 0;
    }
    if (entry.GroupIndex == -1)
        throw std::runtime_error("CSignalsArchive::AddSignal: no group index");
    m_entries.push_back(std::move(entry));
    return m_entries.back().Index;
}

void CSignalsArchive::SetSignalComment(int id, const std::wstring& comment)
{
    m_entries[FindSignalNo(id)].Comment = comment;
}

void CSignalsArchive::SetSignalGroup(int id, int groupId)
{
    m_entries[FindSignalNo(id)].GroupIndex = groupId;
}

void CSignalsArchive::DeleteSignal(int id)
{
    const size_t position = FindSignalNo(id);
    std::vector<std::wstring> files;
    // Throws for an unlisted recording number before anything changes.
    ReleaseFiles(m_entries[position], files);
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(position));
    DeleteUnusedFiles(files);
}

void CSignalsArchive::GetSignalsOfGroup(std::vector<ARCHIVE_SIGNAL_ENTRY>& out, int groupId)
{
    if (groupId == -1)
    {
        out = m_entries;
        return;
    }
    for (const ARCHIVE_SIGNAL_ENTRY& entry : m_entries)
    {
        if (entry.GroupIndex == groupId)
            out.push_back(entry);
    }
}

const ARCHIVE_SIGNAL_ENTRY& CSignalsArchive::GetSignal(int id)
{
    return m_entries[FindSignalNo(id)];
}

int CSignalsArchive::AddRecording(const std::wstring& path)
{
    if (path.empty())
        return -1;
    const std::string file = Normalised(m_folder, path).generic_string();
    for (ARCHIVE_RECORDING& recording : m_recordings)
    {
        if (SameFile(m_folder, recording.path, file))
        {
            ++recording.useCount;
            return recording.number;
        }
    }
    const int number = m_recordings.empty() ? 0 : m_recordings.back().number + 1;
    m_recordings.push_back({number, path, 1});
    return number;
}

const std::wstring& CSignalsArchive::FindRecordingNo(int number)
{
    return FindRecording(number).path;
}

ARCHIVE_GROUP& CSignalsArchive::FindGroupNo(std::vector<ARCHIVE_GROUP>& groups, int id)
{
    for (ARCHIVE_GROUP& group : groups)
    {
        if (group.id == id)
            return group;
    }
    throw std::out_of_range("CSignalsArchive::FindGroupNo: no such group");
}

size_t CSignalsArchive::FindSignalNo(int id) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
    {
        if (m_entries[i].Index == id)
            return i;
    }
    throw std::out_of_range("CSignalsArchive::FindSignalNo: no such signal entry");
}

ARCHIVE_RECORDING& CSignalsArchive::FindRecording(int number)
{
    for (ARCHIVE_RECORDING& recording : m_recordings)
    {
        if (recording.number == number)
            return recording;
    }
    // The text names a signal entry, as the program has always shown it.
    throw std::out_of_range("CSignalsArchive::FindRecordingNo: no such signal entry");
}

std::string CSignalsArchive::DeletablePath(const std::wstring& name) const
{
    if (name.empty())
        return {};
    const fs::path raw(kplatform::WideToUtf8(name));
    if (HasParentStep(raw) || (raw.is_relative() && m_folder.empty()))
        return {};
    return Normalised(m_folder, name).generic_string();
}

std::set<std::string> CSignalsArchive::FilesInUse() const
{
    std::set<std::string> files;
    const auto add = [&](const std::wstring& name)
    {
        if (!name.empty())
            files.insert(Normalised(m_folder, name).generic_string());
    };
    std::map<int, const std::wstring*> recordingPaths;
    for (const ARCHIVE_RECORDING& recording : m_recordings)
    {
        recordingPaths[recording.number] = &recording.path;
        // A recording registered for an entry not added yet counts as in use.
        if (recording.useCount > 0)
            add(recording.path);
    }
    for (const ARCHIVE_SIGNAL_ENTRY& entry : m_entries)
    {
        for (const std::wstring* name :
             {&entry.RangeImageFile, &entry.DdcImageFile, &entry.DemodImageFile, &entry.SoundRecordingFile})
            add(*name);
        // An entry keeps its recording file even when the use counts were rebuilt short.
        const auto recording = recordingPaths.find(entry.SignalRecordingNo);
        if (recording != recordingPaths.end())
            add(*recording->second);
    }
    return files;
}

void CSignalsArchive::ReleaseFiles(const ARCHIVE_SIGNAL_ENTRY& entry, std::vector<std::wstring>& files)
{
    files.insert(files.end(), {entry.RangeImageFile, entry.DdcImageFile, entry.DemodImageFile});
    if (entry.SignalRecordingNo != -1)
    {
        // Looked up first: an unlisted number leaves the entry and its files intact.
        ARCHIVE_RECORDING& recording = FindRecording(entry.SignalRecordingNo);
        if (recording.useCount > 0)
            --recording.useCount;
        // The recording stays listed with a use count of 0.
        if (recording.useCount == 0)
            files.push_back(recording.path);
    }
    files.push_back(entry.SoundRecordingFile);
}

void CSignalsArchive::DeleteUnusedFiles(const std::vector<std::wstring>& names) const
{
    const std::set<std::string> inUse = FilesInUse();
    for (const std::wstring& name : names)
    {
        const std::string path = DeletablePath(name);
        if (path.empty() || inUse.count(path) != 0)
            continue;
        std::error_code error;
        // Only a regular file itself: never a folder, and never what a link points to.
        if (fs::symlink_status(path, error).type() == fs::file_type::regular)
            kplatform::DeleteFileUtf8(path);  // a file that cannot be deleted is left behind
    }
}
